#pragma once
// The arithmetic of the skinned scroll bar, free of any window: how its range setters clamp the
// position, where the buttons, the track and the thumb lie for a size and a range (drawn plainly
// or from a "scrollbar" skin record), and which position a thumb drag leads to. The control
// (qvScrollBar) keeps the state and calls these; skintool and the tests call them directly.
//
// Quotients are taken in floating point and rounded with the halves going to the even
// neighbour, so a thumb exactly between two pixels lands where the skin author's tools put it.

#include "platform/gfx/WinTypes.h"

namespace qv {

// Min, Max, Position and PageSize of a bar, with the rules the bar's setters follow. None of
// these report a change; the control compares Position before and after.
struct TqvScrollRange {
    int Min = 0;
    int Max = 100;
    int Position = 0;
    int PageSize = 0;

    // The position a request for `value` ends at: not below Min, not beyond the last page.
    int ClampPosition(int value) const;
    void SetPosition(int value) { Position = ClampPosition(value); }
    void Assign(int min, int max, int position, int pageSize);
    void SetMin(int value);
    void SetMax(int value);
    // Refused (returns false) when the page would reach past the range from the current position.
    bool SetPageSize(int value);
};

// Halves to the even neighbour (the current rounding mode, which nothing here changes, is to
// nearest); values beyond the int range saturate, and NaN counts as 0.
int RoundHalfEven(double value);

// The part of a "scrollbar" record the geometry needs, in the record's own terms: rectangles
// relative to the top-left of "skinrect", the thumb size from "thumbrect".
struct TqvScrollBarSkinMetrics {
    int SkinWidth = 0;
    int SkinHeight = 0;
    RECT TrackArea{};
    RECT UpButton{};   // increment, at the Max end
    RECT DownButton{}; // decrement, at the Min end
    POINT RightTopPoint{};
    POINT LeftBottomPoint{};
    int ThumbWidth = 0;
    int ThumbHeight = 0;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
};

// Where everything lies for one size and range, in control coordinates.
struct TqvScrollBarLayout {
    RECT TrackArea{};
    RECT Thumb{};
    RECT Increment{};
    RECT Decrement{};
    int ThumbCentreMin = 0;
    int ThumbCentreMax = 0;
    int ThumbOffset = 0;
};

// The plain look: 17-pixel buttons inset by one pixel, a 16-pixel (or page-long) thumb.
// `bothMarkerWidth` is the free corner a horizontal bar leaves at its right end (0 for none).
TqvScrollBarLayout DefaultScrollBarLayout(bool vertical, int width, int height, int bothMarkerWidth,
                                          const TqvScrollRange& range);

// The skinned look at `width` x `height`: the record's track and buttons stretched along the bar.
TqvScrollBarLayout SkinnedScrollBarLayout(bool vertical, int width, int height,
                                          const TqvScrollBarSkinMetrics& skin, const TqvScrollRange& range);

// The position a thumb drag gives, `offset` pixels from ThumbCentreMin. With a page the centre
// range is first re-taken from the thumb's current rectangle (so the layout is updated);
// a zero or negative centre range yields Min.
int PositionFromThumbOffset(bool vertical, int offset, const TqvScrollRange& range,
                            TqvScrollBarLayout& layout);

// The thumb's length along the bar.
inline int ThumbLength(bool vertical, const TqvScrollBarLayout& layout) {
    return vertical ? layout.Thumb.bottom - layout.Thumb.top : layout.Thumb.right - layout.Thumb.left;
}

} // namespace qv
