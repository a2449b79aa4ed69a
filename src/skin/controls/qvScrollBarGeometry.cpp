#include "skin/controls/qvScrollBarGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace qv {

namespace {

using i64 = std::int64_t;

int Saturate(i64 value) {
    return static_cast<int>(
        std::clamp<i64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The layouts are worked out for a horizontal bar; a vertical bar is the same with x and y
// exchanged, so its inputs and outputs go through these.
RECT Transpose(const RECT& r) { return {r.top, r.left, r.bottom, r.right}; }
POINT Transpose(const POINT& p) { return {p.y, p.x}; }

TqvScrollBarLayout Transpose(const TqvScrollBarLayout& l) {
    TqvScrollBarLayout t = l;
    t.TrackArea = Transpose(l.TrackArea);
    t.Thumb = Transpose(l.Thumb);
    t.Increment = Transpose(l.Increment);
    t.Decrement = Transpose(l.Decrement);
    return t;
}

// Where the thumb stands within the range: (Position - Min) / (Max - Min), 0 for an empty range.
double RangeFraction(const TqvScrollRange& r) {
    if (r.Max == r.Min) return 0.0;
    return (static_cast<double>(r.Position) - r.Min) / (static_cast<double>(r.Max) - r.Min);
}

// The same with a page: how far the first visible unit is along the scrollable part. When the
// page covers the whole range there is nothing to scroll and the thumb takes its fall-back
// place, which the vertical bar puts at the start and the horizontal one at the end.
double PageFraction(const TqvScrollRange& r, bool vertical) {
    double scrollable = static_cast<double>(r.Max) - r.PageSize - r.Min + 1;
    if (scrollable > 0) return (static_cast<double>(r.Position) - r.Min) / scrollable;
    return vertical ? 0.0 : 1.0;
}

// The thumb's length for a page: the page's share of the track, at least `minimum`. A page
// that covers more than the whole range fills the track and no more, so the thumb never
// reaches over the buttons.
int PageThumbLength(int trackLength, const TqvScrollRange& r, int minimum) {
    double units = static_cast<double>(r.Max) - r.Min + 1;
    int length = units == 0 ? 0 : RoundHalfEven(trackLength * static_cast<double>(r.PageSize) / units);
    return std::max(std::min(length, trackLength), minimum);
}

RECT Offset(RECT r, int dx) {
    r.left += dx;
    r.right += dx;
    return r;
}

TqvScrollBarLayout DefaultHorizontal(int W, int H, const TqvScrollRange& range, bool vertical) {
    constexpr int kButton = 17;
    constexpr int kThumb = 16;
    TqvScrollBarLayout l;
    l.Decrement = {1, 1, kButton, H - 1};
    l.Increment = {W - kButton, 1, W - 1, H - 1};
    l.TrackArea = {kButton, 1, W - kButton, H - 1};
    const RECT& t = l.TrackArea;
    if (range.PageSize == 0) {
        l.ThumbCentreMin = t.left + kThumb / 2;
        l.ThumbCentreMax = t.right - kThumb / 2;
        l.ThumbOffset = RoundHalfEven(RangeFraction(range) * (l.ThumbCentreMax - l.ThumbCentreMin));
        l.Thumb = {t.left + l.ThumbOffset, t.top, t.left + l.ThumbOffset + kThumb, t.bottom};
        return l;
    }
    int half = PageThumbLength(t.right - t.left, range, kThumb) / 2;
    double g = PageFraction(range, vertical);
    l.ThumbCentreMin = t.left + half;
    l.ThumbCentreMax = t.right - half;
    l.ThumbOffset = RoundHalfEven(g * (t.right - 2 * half - t.left));
    l.Thumb = {t.left + l.ThumbOffset, t.top, t.left + l.ThumbOffset + 2 * half, t.bottom};
    return l;
}

// `skin` is already in bar space (along = x).
TqvScrollBarLayout SkinnedHorizontal(int width, const TqvScrollBarSkinMetrics& skin,
                                     const TqvScrollRange& range, bool vertical) {
    int dw = width - skin.SkinWidth;
    TqvScrollBarLayout l;
    l.TrackArea = skin.TrackArea;
    l.TrackArea.right += dw;
    // Buttons beyond the stretching middle belong to the far end and follow it.
    auto place = [&](const RECT& r) { return r.left > skin.RightTopPoint.x ? Offset(r, dw) : r; };
    l.Increment = place(skin.UpButton);
    l.Decrement = place(skin.DownButton);

    const RECT& t = l.TrackArea;
    int thumbLength = skin.ThumbMinSize != 0 ? skin.ThumbMinSize : skin.ThumbWidth;
    int half;
    double g;
    if (range.PageSize != 0) {
        half = PageThumbLength(t.right - t.left, range, thumbLength) / 2;
        g = PageFraction(range, vertical);
    } else {
        half = (skin.ThumbMinPageSize != 0 ? skin.ThumbMinPageSize : thumbLength) / 2;
        g = RangeFraction(range);
    }
    l.ThumbCentreMin = t.left + half;
    l.ThumbCentreMax = t.right - half;
    l.ThumbOffset = RoundHalfEven(g * (l.ThumbCentreMax - l.ThumbCentreMin));
    int centre = l.ThumbCentreMin + l.ThumbOffset;
    int top = t.top + (t.bottom - t.top) / 2 - skin.ThumbHeight / 2;
    l.Thumb = {centre - half, top, centre + half, top + skin.ThumbHeight};
    return l;
}

} // namespace

int RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    double r = std::nearbyint(value);
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

int TqvScrollRange::ClampPosition(int value) const {
    if (value < Min) return Min;
    i64 last = PageSize == 0 ? i64{Max} : i64{Max} - PageSize + 1;
    // A page larger than the whole range would put the last page before Min; the position
    // never goes below Min, whatever the page.
    return Saturate(std::max<i64>(std::min<i64>(value, last), Min));
}

void TqvScrollRange::Assign(int min, int max, int position, int pageSize) {
    Min = min;
    Max = max;
    PageSize = pageSize;
    Position = ClampPosition(position);
}

void TqvScrollRange::SetMin(int value) {
    Min = value;
    Position = std::max(Position, Min);
}

void TqvScrollRange::SetMax(int value) {
    Max = value;
    if (PageSize == 0) {
        Position = std::min(Position, Max);
    } else if (i64{Max} - Min < i64{PageSize} + Position) {
        // Measured from Min, unlike the position clamp: a bar with Min other than 0 keeps this
        // older rule, which hosts mirroring their state through Assign never reach.
        Position = Saturate(std::max<i64>(i64{Max} - Min - PageSize + 1, Min));
    }
}

bool TqvScrollRange::SetPageSize(int value) {
    if (i64{Position} + value > i64{Max} - Min + 1) return false;
    PageSize = value;
    return true;
}

TqvScrollBarLayout DefaultScrollBarLayout(bool vertical, int width, int height, int bothMarkerWidth,
                                          const TqvScrollRange& range) {
    if (vertical) return Transpose(DefaultHorizontal(height, width, range, true));
    return DefaultHorizontal(width - bothMarkerWidth, height, range, false);
}

TqvScrollBarLayout SkinnedScrollBarLayout(bool vertical, int width, int height,
                                          const TqvScrollBarSkinMetrics& skin, const TqvScrollRange& range) {
    if (!vertical) return SkinnedHorizontal(width, skin, range, false);
    TqvScrollBarSkinMetrics t = skin;
    t.SkinWidth = skin.SkinHeight;
    t.SkinHeight = skin.SkinWidth;
    t.TrackArea = Transpose(skin.TrackArea);
    t.UpButton = Transpose(skin.UpButton);
    t.DownButton = Transpose(skin.DownButton);
    // Along a vertical bar the stretching middle ends at the left-bottom point.
    t.RightTopPoint = Transpose(skin.LeftBottomPoint);
    t.ThumbWidth = skin.ThumbHeight;
    t.ThumbHeight = skin.ThumbWidth;
    return Transpose(SkinnedHorizontal(height, t, range, true));
}

int PositionFromThumbOffset(bool vertical, int offset, const TqvScrollRange& range,
                            TqvScrollBarLayout& layout) {
    int trackStart = vertical ? layout.TrackArea.top : layout.TrackArea.left;
    int trackEnd = vertical ? layout.TrackArea.bottom : layout.TrackArea.right;
    if (range.PageSize != 0) {
        int half = ThumbLength(vertical, layout) / 2;
        layout.ThumbCentreMin = trackStart + half;
        layout.ThumbCentreMax = trackEnd - half;
    }
    int span = layout.ThumbCentreMax - layout.ThumbCentreMin;
    double q = span > 0 ? static_cast<double>(offset) / span : 0.0;
    q = std::isnan(q) ? 0.0 : std::clamp(q, 0.0, 1.0);
    double units = range.PageSize != 0 ? static_cast<double>(range.Max) - range.Min - range.PageSize + 1
                                       : static_cast<double>(range.Max) - range.Min;
    return Saturate(i64{range.Min} + RoundHalfEven(units * q));
}

} // namespace qv
