#pragma once
// The Windows build's glyph source: faces opened through GDI, their metrics as GDI reports them
// and glyphs rasterised by Windows itself (GetGlyphOutline, 65 grey levels). This header uses no
// Windows type, so the font engine above it never sees <windows.h>, whose names clash with the
// platform layer's own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gfx::gdi {

struct FaceSpec {
    std::string face; // UTF-8 face name; empty: GDI's choice for the character set
    int height = 0;   // LOGFONT rules: < 0 em height, > 0 cell height, 0 default
    int weight = 400;
    bool italic = false;
    int charSet = 1; // DEFAULT_CHARSET
    int quality = 0;
};

struct FaceMetrics {
    int height = 0, ascent = 0, descent = 0, internalLeading = 0, externalLeading = 0;
    int aveCharWidth = 0, maxCharWidth = 0, weight = 0, overhang = 0;
    bool variablePitch = true;
    // From the outline metrics: positive up from the baseline, in pixels (0 size: not given).
    int underlinePosition = 0, underlineSize = 0, strikeoutPosition = 0, strikeoutSize = 0;
};

struct GlyphImage {
    int left = 0, top = 0, width = 0, height = 0, advance = 0;
    std::vector<std::uint8_t> coverage; // width x height, 0 .. 255
};

class Face {
public:
    explicit Face(const FaceSpec& spec);
    ~Face();
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    // The face GDI actually selected (a missing face is substituted by the system).
    const std::string& Family() const { return family_; }
    const FaceMetrics& Metrics() const { return metrics_; }
    bool Has(char32_t cp) const;
    // Rasterises `cp`; false when the face cannot draw it.
    bool Render(char32_t cp, GlyphImage& out) const;

private:
    void* dc_ = nullptr; // a memory DC with the font selected for the face's lifetime
    void* font_ = nullptr;
    void* previous_ = nullptr;
    std::string family_;
    FaceMetrics metrics_;
};

// True when a face of that family is installed (GDI would not substitute it).
bool IsInstalled(const std::string& family);

} // namespace gfx::gdi
