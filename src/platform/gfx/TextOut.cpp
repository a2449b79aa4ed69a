#include "platform/gfx/TextOut.h"

#include "platform/gfx/Raster.h"
#include "platform/gfx/StockObjects.h"
#include "platform/gfx/Utf8.h"

#include <cstring>

namespace gfx {
namespace {

inline Pixel Blend(Pixel d, Pixel c, unsigned a) {
    if (a == 255) {
        return c;
    }
    auto channel = [&](int shift) {
        int dv = int((d >> shift) & 0xFF), cv = int((c >> shift) & 0xFF);
        return Pixel((dv + ((cv - dv) * int(a) + (cv > dv ? 127 : -127)) / 255) & 0xFF) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

void BlendGlyph(Bitmap& target, const Region& clip, const Glyph& g, int penX, int baseline, Pixel color) {
    if (g.width == 0 || g.height == 0) {
        return;
    }
    RECT box{penX + g.left, baseline - g.top, penX + g.left + g.width, baseline - g.top + g.height};
    raster::ForEachClipped(clip, box, [&](const RECT& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            const std::uint8_t* cov = g.coverage.data() + std::size_t(y - box.top) * std::size_t(g.width) +
                                      std::size_t(part.left - box.left);
            Pixel* row = target.Row(y);
            for (int x = part.left; x < part.right; ++x, ++cov) {
                if (unsigned a = *cov) {
                    row[x] = Blend(row[x], color, a);
                }
            }
        }
    });
}

// As BlendGlyph for text running upwards (escapement 900): the pen moves up from origin and the
// cell's top lies to the left. A point (u, v) of the unrotated run (u along the text, v down from
// the cell top) lands on (origin.x + v, origin.y - 1 - u).
void BlendGlyphUpwards(Bitmap& target, const Region& clip, const Glyph& g, POINT origin, int pen, int ascent,
                       Pixel color) {
    if (g.width == 0 || g.height == 0) {
        return;
    }
    const int left = origin.x + ascent - g.top;     // device column of glyph row 0
    const int bottom = origin.y - 1 - pen - g.left; // device row of glyph column 0
    RECT box{left, bottom - g.width + 1, left + g.height, bottom + 1};
    raster::ForEachClipped(clip, box, [&](const RECT& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            Pixel* row = target.Row(y);
            const int i = bottom - y;
            for (int x = part.left; x < part.right; ++x) {
                const int j = x - left;
                if (unsigned a = g.coverage[std::size_t(j) * std::size_t(g.width) + std::size_t(i)]) {
                    row[x] = Blend(row[x], color, a);
                }
            }
        }
    });
}

// The escapement of the font selected into dc, in tenths of a degree.
LONG SelectedEscapement(DC& dc) {
    GdiObject* f = dc.Font();
    return f ? static_cast<GdiFont*>(f)->logFont.lfEscapement : 0;
}

} // namespace

FontInstance& CurrentFont(DC& dc) {
    GdiObject* f = dc.Font();
    if (!f) {
        f = GetStockObject(SYSTEM_FONT);
    }
    return static_cast<GdiFont*>(f)->Instance();
}

std::vector<char32_t> CodePoints(std::string_view utf8) {
    std::vector<char32_t> out;
    for (const CodePoint& cp : DecodeUtf8(utf8)) {
        out.push_back(cp.value);
    }
    return out;
}

int RunWidth(FontInstance& font, std::span<const char32_t> text) {
    int w = 0;
    for (char32_t c : text) {
        w += font.Advance(c);
    }
    return w;
}

int DrawTextRun(DC& dc, FontInstance& font, int x, int y, std::span<const char32_t> text, const int* dx,
                const RECT* clipLogical, TextRunStyle style) {
    Bitmap* target = dc.Target();
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        width += dx ? dx[i] : font.Advance(text[i]);
    }
    if (!target) {
        return width;
    }
    Region clip = dc.Clip();
    if (clipLogical) {
        clip = clip.Intersect(dc.ToBitmap(*clipLogical));
    }
    if (clip.Empty()) {
        return width;
    }
    const Pixel color = ResolvePixel(dc.TextColor());
    const POINT origin = dc.ToBitmap(POINT{x, y});
    if (SelectedEscapement(dc) == 900) {
        // Text running upwards (a vertical gauge's caption); other angles draw horizontally.
        const int ascent = font.Metrics().tmAscent;
        int pen = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const Glyph& g = font.GlyphFor(text[i]);
            BlendGlyphUpwards(*target, clip, g, origin, pen, ascent, color);
            pen += dx ? dx[i] : g.advance;
        }
        if (font.Underline() || style.underline) {
            const int col = origin.x + ascent + font.UnderlineOffset();
            raster::Fill(*target, clip, RECT{col, origin.y - pen, col + font.UnderlineThickness(), origin.y},
                         color);
        }
        return width;
    }
    const int baseline = origin.y + font.Metrics().tmAscent;
    int pen = origin.x;
    int markFrom = 0, markTo = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = font.GlyphFor(text[i]);
        int advance = dx ? dx[i] : g.advance;
        BlendGlyph(*target, clip, g, pen, baseline, color);
        if (int(i) == style.underlineFrom) {
            markFrom = pen;
            markTo = pen + advance;
        }
        pen += advance;
    }
    auto bar = [&](int from, int to, int top, int thickness) {
        raster::Fill(*target, clip, RECT{from, top, to, top + thickness}, color);
    };
    if (font.Underline() || style.underline) {
        bar(origin.x, pen, baseline + font.UnderlineOffset(), font.UnderlineThickness());
    } else if (markTo > markFrom) {
        bar(markFrom, markTo, baseline + font.UnderlineOffset(), font.UnderlineThickness());
    }
    if (font.StrikeOut()) {
        bar(origin.x, pen, baseline + font.StrikeOffset(), font.StrikeThickness());
    }
    return width;
}

} // namespace gfx

namespace {

std::string_view View(const char* text, int count) {
    if (!text || count <= 0) {
        return {};
    }
    return std::string_view(text, std::size_t(count));
}

} // namespace

UINT SetTextAlign(HDC dc, UINT align) { return dc ? dc->SetTextAlign(align) : 0xFFFFFFFFu; }
UINT GetTextAlign(HDC dc) { return dc ? dc->TextAlign() : 0xFFFFFFFFu; }

BOOL TextOut(HDC dc, int x, int y, const char* text, int count) {
    return ExtTextOut(dc, x, y, 0, nullptr, text, UINT(count < 0 ? 0 : count), nullptr);
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                const INT* dx) {
    if (!dc) {
        return FALSE;
    }
    gfx::FontInstance& font = gfx::CurrentFont(*dc);
    std::vector<char32_t> cps = gfx::CodePoints(View(text, int(count)));
    int width = 0;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        width += dx ? dx[i] : font.Advance(cps[i]);
    }
    const TEXTMETRIC& tm = font.Metrics();
    UINT align = dc->TextAlign();
    if (align & TA_UPDATECP) {
        x = dc->CurrentPosition().x;
        y = dc->CurrentPosition().y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) {
        left = x - width / 2;
    } else if (align & TA_RIGHT) {
        left = x - width;
    }
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top = y - tm.tmAscent;
    } else if (align & TA_BOTTOM) {
        top = y - tm.tmHeight;
    }
    if (rect && (options & ETO_OPAQUE)) {
        dc->FillSolid(*rect, dc->BkColor());
    } else if (dc->BkMode() == 2 /* OPAQUE */) {
        RECT cell{left, top, left + width, top + tm.tmHeight};
        if (rect && (options & ETO_CLIPPED)) {
            cell = IntersectRect(cell, *rect);
        }
        dc->FillSolid(cell, dc->BkColor());
    }
    gfx::DrawTextRun(*dc, font, left, top, cps, dx, rect && (options & ETO_CLIPPED) ? rect : nullptr);
    if (align & TA_UPDATECP) {
        POINT p = dc->CurrentPosition();
        dc->MoveTo(
            POINT{(align & TA_RIGHT) && (align & TA_CENTER) != TA_CENTER ? p.x - width : p.x + width, p.y});
    }
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, SIZE* size) {
    return GetTextExtentExPoint(dc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextExtentExPoint(HDC dc, const char* text, int count, int maxExtent, INT* fit, INT* partial,
                          SIZE* size) {
    if (!dc || !size || count < 0) {
        return FALSE;
    }
    gfx::FontInstance& font = gfx::CurrentFont(*dc);
    std::vector<char32_t> cps = gfx::CodePoints(View(text, count));
    int width = 0, fits = 0;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        width += font.Advance(cps[i]);
        if (partial) {
            partial[i] = width;
        }
        if (width <= maxExtent) {
            fits = int(i) + 1;
        }
    }
    if (fit) {
        *fit = fits;
    }
    *size = SIZE{width, font.Metrics().tmHeight};
    return TRUE;
}

namespace {

// Lays out text split at its tabs: each segment and the x where it starts, and the end of the last.
struct TabbedLayout {
    struct Segment {
        int x;
        std::vector<char32_t> text;
        int tabEnd; // where the tab after it leads (= end of the text when no tab follows)
    };
    std::vector<Segment> segments;
    int end = 0;
};

TabbedLayout LayOutTabbed(gfx::FontInstance& font, std::string_view text, int x, int tabCount,
                          const INT* tabStops, int tabOrigin) {
    int interval = 0;
    if (tabCount <= 0 || !tabStops) {
        tabCount = 0;
        interval = 8 * font.Metrics().tmAveCharWidth;
    } else if (tabCount == 1) {
        interval = tabStops[0];
        tabCount = 0;
    }
    TabbedLayout layout;
    std::vector<char32_t> cps = gfx::CodePoints(text);
    std::size_t from = 0;
    int next = 0; // first tab stop not yet passed
    int pen = x;
    while (true) {
        std::size_t to = from;
        while (to < cps.size() && cps[to] != U'\t') {
            ++to;
        }
        TabbedLayout::Segment seg{
            pen, std::vector<char32_t>(cps.begin() + std::ptrdiff_t(from), cps.begin() + std::ptrdiff_t(to)),
            0};
        int textEnd = pen + gfx::RunWidth(font, seg.text);
        while (next < tabCount && tabOrigin + tabStops[next] <= textEnd) {
            ++next;
        }
        if (to == cps.size()) {
            seg.tabEnd = textEnd;
        } else if (next < tabCount) {
            seg.tabEnd = tabOrigin + tabStops[next];
        } else if (interval > 0) {
            seg.tabEnd = tabOrigin + ((textEnd - tabOrigin) / interval + 1) * interval;
        } else {
            seg.tabEnd = textEnd;
        }
        pen = seg.tabEnd;
        layout.segments.push_back(std::move(seg));
        if (to == cps.size()) {
            break;
        }
        from = to + 1;
    }
    layout.end = pen;
    return layout;
}

} // namespace

LONG TabbedTextOut(HDC dc, int x, int y, const char* text, int count, int tabCount, const INT* tabStops,
                   int tabOrigin) {
    if (!dc || count < 0) {
        return 0;
    }
    gfx::FontInstance& font = gfx::CurrentFont(*dc);
    const int height = font.Metrics().tmHeight;
    TabbedLayout layout = LayOutTabbed(font, View(text, count), x, tabCount, tabStops, tabOrigin);
    for (const TabbedLayout::Segment& seg : layout.segments) {
        if (dc->BkMode() == 2 /* OPAQUE */ && seg.tabEnd > seg.x) {
            dc->FillSolid(RECT{seg.x, y, seg.tabEnd, y + height}, dc->BkColor());
        }
        gfx::DrawTextRun(*dc, font, seg.x, y, seg.text, nullptr, nullptr);
    }
    return MAKELONG(WORD(layout.end - x), WORD(height));
}

DWORD GetTabbedTextExtent(HDC dc, const char* text, int count, int tabCount, const INT* tabStops) {
    if (!dc || count < 0) {
        return 0;
    }
    gfx::FontInstance& font = gfx::CurrentFont(*dc);
    TabbedLayout layout = LayOutTabbed(font, View(text, count), 0, tabCount, tabStops, 0);
    return DWORD(MAKELONG(WORD(layout.end), WORD(font.Metrics().tmHeight)));
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* tm) {
    if (!dc || !tm) {
        return FALSE;
    }
    *tm = gfx::CurrentFont(*dc).Metrics();
    return TRUE;
}

int GetTextFace(HDC dc, int size, char* out) {
    if (!dc) {
        return 0;
    }
    gfx::GdiObject* f = dc->Font() ? dc->Font() : GetStockObject(SYSTEM_FONT);
    const char* name = static_cast<gfx::GdiFont*>(f)->logFont.lfFaceName;
    int n = int(std::strlen(name));
    if (out && size > 0) {
        int k = std::min(n, size - 1);
        std::memcpy(out, name, std::size_t(k));
        out[k] = 0;
        return k;
    }
    return n + 1;
}
