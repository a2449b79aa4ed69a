#pragma once
// The fonts and characters a program drew for its first window, remembered between runs.
//
// Rasterising the glyphs of a window's captions and labels is a good part of the time before
// its first paint. The next start reads the list and rasterises the same glyphs on another core
// while the UI thread opens the display, so the first paint finds them ready. The list only
// steers that work ahead of time: a stale or foreign list costs the work of rasterising it and
// changes nothing that is drawn.
//
// The file is plain text, one font a line, fields separated by tabs:
//   iislog-start-glyphs 1
//   font FACE HEIGHT WEIGHT ITALIC UNDERLINE STRIKEOUT CHARSET CODEPOINTS
// CODEPOINTS: the code points in hexadecimal, separated by commas.

#include "platform/gfx/Font.h"

#include <string>
#include <string_view>
#include <vector>

namespace gfx {

class FontEngine;

struct StartGlyphs {
    // The LOGFONT fields that choose a font instance, and the code points drawn with it.
    struct Font {
        std::string face;
        int height = 0;
        int weight = 0;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        int charSet = 0;
        std::vector<char32_t> codePoints;
        bool operator==(const Font&) const = default;
        LOGFONT LogFont() const;
    };
    std::vector<Font> fonts;

    // What a file may hold at most; a longer list is not ours.
    static constexpr std::size_t kMaxFonts = 64;
    static constexpr std::size_t kMaxCodePoints = 4096;

    // False, leaving the list empty, when the text is malformed or over the limits.
    bool Parse(std::string_view text);
    std::string Serialize() const;
    bool operator==(const StartGlyphs&) const = default;
};

// The list in a file; empty when the file is missing, unreadable or malformed.
StartGlyphs ReadStartGlyphs(const std::string& path);
// Writes the list beside the file and renames it over, so that another instance never reads
// half a list; a list that cannot be written is simply not kept.
void WriteStartGlyphs(const std::string& path, const StartGlyphs& glyphs);
// Resolves each font and rasterises its glyphs. Exceptions (no font installed) are the first
// paint's to report: here they only end the warming.
void WarmGlyphs(FontEngine& engine, const StartGlyphs& glyphs);

} // namespace gfx
