#include "skin/data/qvGlyphCaption.h"

#include "platform/gfx/DrawText.h"
#include "skin/data/qvGlyphs.h"

namespace qv {

namespace {

constexpr UINT kCaptionMeasure = DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT kCaptionDraw = DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER;

// The caption's size when wrapped in what rc leaves beside (layouts 0, 1) or under (2, 3) the
// glyph.
SIZE MeasureCaption(HDC dc, std::string_view caption, const RECT& rc, int layout, int gw, int gh) {
    if (caption.empty()) {
        return SIZE{0, 0};
    }
    RECT r{0, 0, rc.right - rc.left, rc.bottom - rc.top};
    if (layout == 0 || layout == 1) {
        r.right -= gw;
    } else if (layout == 2 || layout == 3) {
        r.bottom -= gh;
    }
    DrawText(dc, caption.data(), int(caption.size()), &r, kCaptionMeasure);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void HorizontalLines(HDC dc, int x0, int x1, int y0, int count, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    for (int i = 0; i < count; ++i) {
        const RECT line{x0, y0 + i, x1, y0 + i + 1};
        FillRect(dc, &line, brush);
    }
    DeleteObject(brush);
}

void FillWith(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// The face without its glyph kind: gw x gh is the glyph's size (0 x 0 for none), drawGlyph draws
// it at the laid-out point and markerWidth is how wide the marker lines under it run.
template <class DrawGlyph>
void DrawGlyphCaption(HDC dc, const RECT& rc, const TqvGlyphCaptionStyle& style, int gw, int gh,
                      int markerWidth, std::string_view caption, DrawGlyph drawGlyph) {
    const bool glyph = gw > 0 && gh > 0;
    if (!glyph) {
        gw = gh = 0;
    }
    const SIZE text = MeasureCaption(dc, caption, rc, style.Layout, gw, gh);

    POINT g{};
    POINT t{};
    LayoutGlyphAndText(style.Layout, rc, gw, gh, text.cx, text.cy, style.Margin, style.Spacing, g, t);
    if (style.Pressed) {
        ++g.x;
        ++g.y;
        ++t.x;
        ++t.y;
    }
    // A clear brush: the caption goes straight onto the face.
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (!caption.empty()) {
        RECT r{t.x, t.y, t.x + text.cx + 2, t.y + text.cy};
        DrawText(dc, caption.data(), int(caption.size()), &r, kCaptionDraw);
    }
    if (glyph) {
        drawGlyph(g);
        if (style.Marker) {
            HorizontalLines(dc, g.x, g.x + markerWidth, g.y + gh - 2, 3, style.MarkerColor);
        }
    } else if (style.Marker) {
        if (!caption.empty()) {
            HorizontalLines(dc, t.x, t.x + text.cx + 2, t.y + text.cy - 1, 3, style.MarkerColor);
        } else {
            FillWith(dc, RECT{rc.left + 4, rc.top + 4, rc.right - 2, rc.bottom - 4}, style.MarkerColor);
        }
    }
    SetBkMode(dc, oldMode);
}

} // namespace

void DrawStripGlyphCaption(HDC dc, const RECT& rc, const TqvGlyphCaptionStyle& style, int k, int n,
                           const gfx::Bitmap& strip, std::string_view caption) {
    if (n < 1) {
        n = 1;
    }
    const int gw = strip.Empty() ? 0 : strip.Width() / n;
    const int gh = strip.Empty() ? 0 : strip.Height();
    if (gw <= 0 && style.Marker && caption.empty() && style.Pressed) {
        // The strip drawer's patch follows the pressed face down by one pixel.
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        FillWith(dc, RECT{rc.left + 4, rc.top + 5, rc.right - 2, rc.bottom - 3}, style.MarkerColor);
        SetBkMode(dc, oldMode);
        return;
    }
    // The marker under a strip glyph spans the whole strip.
    DrawGlyphCaption(dc, rc, style, gw, gh, strip.Width(), caption,
                     [&](POINT g) { DrawStripGlyph(dc, g.x, g.y, k, n, strip); });
}

void DrawImageListGlyphCaption(HDC dc, const RECT& rc, const TqvGlyphCaptionStyle& style, bool enabled,
                               HIMAGELIST images, int index, std::string_view caption) {
    const bool glyph = images != nullptr && index >= 0 && index < images->Count();
    const int gw = glyph ? images->Width() : 0;
    const int gh = glyph ? images->Height() : 0;
    DrawGlyphCaption(dc, rc, style, gw, gh, gw, caption,
                     [&](POINT g) { DrawImageListImage(dc, images, index, g.x, g.y, enabled); });
}

void DrawImageListImage(HDC dc, HIMAGELIST images, int index, int x, int y, bool enabled) {
    if (images == nullptr || index < 0 || index >= images->Count()) {
        return;
    }
    if (enabled) {
        ImageList_Draw(images, index, dc, x, y, ILD_NORMAL);
        return;
    }
    // The classic disabled look: the image's shape (its drawn, non-white pixels) in the highlight
    // colour one pixel down and right, then in the shadow colour over it.
    const gfx::Bitmap& image = images->Image(index);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int pass = 0; pass < 2; ++pass) {
        const int dx = pass == 0 ? 1 : 0;
        const COLORREF color = pass == 0 ? highlight : shadow;
        for (int row = 0; row < image.Height(); ++row) {
            for (int col = 0; col < image.Width(); ++col) {
                if (images->Opaque(index, col, row) && (image.GetPixel(col, row) & 0xFFFFFF) != 0xFFFFFF) {
                    SetPixelV(dc, x + col + dx, y + row + dx, color);
                }
            }
        }
    }
}

} // namespace qv
