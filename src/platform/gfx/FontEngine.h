#pragma once
// Font resolution and glyph rendering over fontconfig and FreeType.
//
// A LOGFONT resolves to a FontInstance: a primary face chosen through fontconfig (with a table
// for the Windows family names the program uses), a pixel size following the Windows height
// rules, Windows-style metrics, and synthetic bold and italic where the face lacks them. A code
// point the primary face lacks is drawn from a fallback face that has it (the CJK family
// first). Glyphs are rendered once, anti-aliased with light hinting, and cached in the
// instance; equal LOGFONTs share one instance.
//
// The engine is one per process and lives on the UI thread. It is a cache: what it returns
// depends only on the LOGFONT and the installed fonts, never on what was asked before; glyphs
// kept from an earlier run (StartGlyphs) are taken only where they are what it would draw.

#include "platform/gfx/Font.h"
#include "platform/gfx/Glyph.h"
#include "platform/gfx/StartGlyphs.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace gfx {

class FontFace; // one loaded FreeType face

class FontInstance {
public:
    const TEXTMETRIC& Metrics() const { return metrics_; }
    // The glyph for a code point, rendered on first use.
    const Glyph& GlyphFor(char32_t cp);
    int Advance(char32_t cp) { return GlyphFor(cp).advance; }

    bool Underline() const { return underline_; }
    bool StrikeOut() const { return strikeOut_; }
    // Rows below the baseline (positive down) and thickness of the underline and strike-out.
    int UnderlineOffset() const { return underlineOffset_; }
    int UnderlineThickness() const { return underlineThickness_; }
    int StrikeOffset() const { return strikeOffset_; } // negative: above the baseline
    int StrikeThickness() const { return strikeThickness_; }
    const std::string& FamilyName() const;
    double EmPixels() const { return em_; }

private:
    friend class FontEngine;
    LOGFONT logFont_{}; // as resolved
    FontFace* primary_ = nullptr;
    std::vector<FontFace*> fallbacks_;
    // FreeType engine: the fallback families not matched yet (they are matched in order, on the
    // first code point that the faces before them lack), and the style they are matched in.
    std::size_t fallbacksMatched_ = 0;
    int weight_ = 400;
    bool italic_ = false;
    double em_ = 12;
    bool synthBold_ = false;
    bool synthItalic_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
    int underlineOffset_ = 1;
    int underlineThickness_ = 1;
    int strikeOffset_ = -3;
    int strikeThickness_ = 1;
    TEXTMETRIC metrics_;
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::unordered_map<char32_t, const FontFace*> drawnFrom_; // FreeType engine: each glyph's face
};

class FontEngine {
public:
    static FontEngine& Get();
    // Where the engine remembers, between runs, which file fontconfig chose for each family and
    // style (see FontMatchCache): while nothing it depended on has changed, a run that needs no
    // other answers never loads fontconfig's configuration. Set it before the engine is first
    // used; empty (the default): always ask fontconfig. The Windows engine has no use for it.
    static void SetMatchCacheFile(std::string path);
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    std::shared_ptr<FontInstance> Resolve(const LOGFONT& lf);
    // The family fontconfig is asked for when a font names `face` (the compatibility table).
    static std::string MappedFamily(const std::string& face, BYTE charSet);
    // How many glyphs have been rasterised so far (for cache checks and benchmarks).
    std::uint64_t RasterisedGlyphs() const { return rasterised_; }
    // Every font resolved so far with the glyphs drawn for it, for the next start; empty where
    // glyphs are not kept between runs (the Windows engine: GDI keeps its own).
    StartGlyphs Rendered() const;
    // What draws the glyphs, so that kept pixels are known to be still right: FreeType's
    // version and the program file as it is on disk. Empty where glyphs are not kept.
    std::string Renderer() const;
    // Takes a glyph drawn by an earlier run into the font's cache, when this engine draws the
    // code point from that face file, unchanged since. False when it was not taken.
    bool Adopt(FontInstance& font, char32_t cp, const StartGlyphs::Face& face, const Glyph& glyph);

private:
    FontEngine();
    ~FontEngine();
    friend class FontInstance;

    FontFace* Match(const std::string& family, int weight, bool italic);
    FontFace* Load(const std::string& file, int index);
    void LoadFontconfig();
    void SaveMatchCache();
    FontFace* FaceForCodePoint(char32_t cp);
    FontFace* FallbackFor(FontInstance& font, char32_t cp);
    FontFace* FaceFor(FontInstance& font, char32_t cp);
    void Render(FontInstance& font, char32_t cp, Glyph& out);

    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::uint64_t rasterised_ = 0;
};

} // namespace gfx
