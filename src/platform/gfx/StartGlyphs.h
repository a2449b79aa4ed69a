#pragma once
// The glyphs a program drew for its first window, kept between runs with their pixels.
//
// Rasterising the glyphs of a window's captions and labels (FreeType's hinter, mostly) was the
// largest part of the time before its first paint. The next start reads them back and hands
// them to the font engine, which takes each one only when it would draw the same pixels now:
// the same renderer (FreeType's version and this very program file), and the same face file,
// unchanged on disk, chosen for that character. Anything else is drawn anew, so a stale or
// foreign file costs a little time and changes nothing that is drawn.
//
// The file is binary, little-endian, and read with every length checked:
//   "iislog-start-glyphs 2\n"
//   string renderer
//   u32 faces, each:  string file, i32 index, i64 mtime_ns, i64 size
//   u32 fonts, each:  string face, i32 height, i32 weight, u8 italic, u8 underline,
//                     u8 strikeout, u8 charset, u32 glyphs, each:
//                       u32 code point, u32 face, i32 left, i32 top, i32 advance,
//                       u32 width, u32 height, width x height coverage bytes
//   string: u32 length and the bytes.

#include "platform/gfx/Font.h"
#include "platform/gfx/Glyph.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gfx {

class FontEngine;

struct StartGlyphs {
    // A face file as it was when glyphs were drawn from it.
    struct Face {
        std::string file;
        int index = 0;
        std::int64_t mtimeNs = 0;
        std::int64_t size = 0;
        bool operator==(const Face&) const = default;
    };
    struct DrawnGlyph {
        char32_t codePoint = 0;
        std::uint32_t face = 0; // into faces
        Glyph glyph;
        bool operator==(const DrawnGlyph&) const = default;
    };
    // The LOGFONT fields that choose a font instance, and the glyphs drawn with it.
    struct Font {
        std::string face;
        int height = 0;
        int weight = 0;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        int charSet = 0;
        std::vector<DrawnGlyph> glyphs; // by code point
        bool operator==(const Font&) const = default;
        LOGFONT LogFont() const;
    };
    std::string renderer; // what drew the pixels; see FontEngine::Renderer
    std::vector<Face> faces;
    std::vector<Font> fonts;

    // What a file may hold at most; more is not ours.
    static constexpr std::size_t kMaxFonts = 64;
    static constexpr std::size_t kMaxFaces = 64;
    static constexpr std::size_t kMaxGlyphs = 4096; // a font
    static constexpr int kMaxGlyphSide = 512;
    static constexpr std::size_t kMaxString = 4096;
    static constexpr std::size_t kMaxFile = std::size_t(16) << 20;

    // False, leaving the list empty, when the bytes are malformed or over the limits.
    bool Parse(std::string_view bytes);
    std::string Serialize() const;
    bool operator==(const StartGlyphs&) const = default;
};

// The list in a file; empty when the file is missing, unreadable or malformed.
StartGlyphs ReadStartGlyphs(const std::string& path);
// Writes the list beside the file and renames it over, so that another instance never reads
// half a list; a list that cannot be written is simply not kept.
void WriteStartGlyphs(const std::string& path, const StartGlyphs& glyphs);
// Gives the engine every glyph of the list that it would draw the same way now (see
// FontEngine::Adopt). Exceptions (no font installed) are the first paint's to report: here
// they only end the warming.
void WarmGlyphs(FontEngine& engine, const StartGlyphs& glyphs);

} // namespace gfx
