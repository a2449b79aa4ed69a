// The scroll bar's range rules and geometry, without a window: clamps of the setters, the plain
// and the skinned layout (the embedded skin's "vscrollbar" numbers), rounding of halves to the
// even neighbour, and positions from thumb drags.

#include "skin/controls/qvScrollBarGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

using qv::TqvScrollBarLayout;
using qv::TqvScrollBarSkinMetrics;
using qv::TqvScrollRange;

static std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}

namespace {

TqvScrollRange Range(int min, int max, int position, int pageSize) {
    TqvScrollRange r;
    r.Min = min;
    r.Max = max;
    r.PageSize = pageSize;
    r.Position = position;
    return r;
}

// The embedded skin's "vscrollbar": a 17 x 68 picture with the track from 16 to 52, the
// increment button below the stretching middle (which ends at y 50) and a 17 x 14 thumb.
TqvScrollBarSkinMetrics VScrollSkin() {
    TqvScrollBarSkinMetrics m;
    m.SkinWidth = 17;
    m.SkinHeight = 68;
    m.TrackArea = {0, 16, 17, 52};
    m.UpButton = {0, 52, 17, 68};
    m.DownButton = {0, 0, 17, 16};
    m.LeftBottomPoint = {0, 50};
    m.ThumbWidth = 17;
    m.ThumbHeight = 14;
    return m;
}

// Its horizontal counterpart, "hscrollbar": 68 x 17, middle ending at x 50, a 14 x 17 thumb.
TqvScrollBarSkinMetrics HScrollSkin() {
    TqvScrollBarSkinMetrics m;
    m.SkinWidth = 68;
    m.SkinHeight = 17;
    m.TrackArea = {16, 0, 52, 17};
    m.UpButton = {52, 0, 68, 17};
    m.DownButton = {0, 0, 16, 17};
    m.RightTopPoint = {50, 0};
    m.ThumbWidth = 14;
    m.ThumbHeight = 17;
    return m;
}

} // namespace

TEST(ScrollRange, PositionClampsToTheLastPage) {
    struct Case {
        int min, max, pageSize, request, expected;
    } cases[] = {
        {0, 100, 0, 150, 100},
        {0, 100, 21, 150, 80},
        {0, 100, 21, -7, 0},
        {10, 100, 0, 3, 10},
        {10, 100, 20, 95, 81},
        // A page larger than the range would put the last page before Min: Min wins.
        {0, 10, 20, 5, 0},
        {INT_MIN, INT_MAX, 0, INT_MAX, INT_MAX},
        {0, INT_MAX, INT_MAX, INT_MAX, 1},
    };
    for (const Case& c : cases) {
        TqvScrollRange r = Range(c.min, c.max, c.min, c.pageSize);
        r.SetPosition(c.request);
        EXPECT_EQ(r.Position, c.expected)
            << c.min << ".." << c.max << " page " << c.pageSize << " <- " << c.request;
    }
}

TEST(ScrollRange, AssignStoresTheRangeBeforeClampingThePosition) {
    TqvScrollRange r;
    r.Assign(0, 99, 90, 24);
    EXPECT_EQ(r.Position, 76);
    r.Assign(5, 200, 2, 0);
    EXPECT_EQ(r.Position, 5);
    EXPECT_EQ(r.Max, 200);
}

TEST(ScrollRange, MaxAndPageSizeSettersKeepTheirOwnRules) {
    // Max measures the page from Min, so with Min 10 it moves the position further back than
    // the position clamp would (61, not 71).
    TqvScrollRange r = Range(10, 100, 80, 20);
    r.SetMax(90);
    EXPECT_EQ(r.Position, 61);

    r = Range(0, 100, 100, 0);
    r.SetMax(40);
    EXPECT_EQ(r.Position, 40);

    r = Range(50, 100, 55, 30);
    r.SetMax(60); // 60 - 50 - 30 + 1 is below Min
    EXPECT_EQ(r.Position, 50);

    r = Range(0, 100, 80, 0);
    EXPECT_FALSE(r.SetPageSize(22)); // 80 + 22 > 101
    EXPECT_EQ(r.PageSize, 0);
    EXPECT_TRUE(r.SetPageSize(21));
    EXPECT_EQ(r.PageSize, 21);

    r = Range(0, 100, 30, 0);
    r.SetMin(40);
    EXPECT_EQ(r.Position, 40);
}

TEST(ScrollBarGeometry, HalvesRoundToTheEvenNeighbour) {
    EXPECT_EQ(qv::RoundHalfEven(169.5), 170);
    EXPECT_EQ(qv::RoundHalfEven(168.5), 168);
    EXPECT_EQ(qv::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(qv::RoundHalfEven(106.8), 107);
    EXPECT_EQ(qv::RoundHalfEven(1e12), INT_MAX);
    EXPECT_EQ(qv::RoundHalfEven(0.0 / 0.0), 0);
}

TEST(ScrollBarGeometry, SkinnedVerticalBarOfTheReportList) {
    // 477 pixels high, rows 0..99 with 24 to a page.
    TqvScrollBarLayout l = qv::SkinnedScrollBarLayout(true, 17, 477, VScrollSkin(), Range(0, 99, 38, 24));
    EXPECT_EQ(l.TrackArea, (RECT{0, 16, 17, 461}));
    EXPECT_EQ(l.Increment, (RECT{0, 461, 17, 477}));
    EXPECT_EQ(l.Decrement, (RECT{0, 0, 17, 16}));
    // Thumb Round(445 * 24 / 100) = 107 long, half 53; at 38 the fraction is exactly 0.5 and
    // 0.5 * 339 = 169.5 goes to the even 170.
    EXPECT_EQ(l.ThumbCentreMin, 69);
    EXPECT_EQ(l.ThumbCentreMax, 408);
    EXPECT_EQ(l.ThumbOffset, 170);
    EXPECT_EQ(l.Thumb, (RECT{0, 186, 17, 292}));

    l = qv::SkinnedScrollBarLayout(true, 17, 477, VScrollSkin(), Range(0, 99, 76, 24));
    EXPECT_EQ(l.Thumb, (RECT{0, 355, 17, 461})); // at the last page the thumb meets the button
}

TEST(ScrollBarGeometry, SkinnedHorizontalBarWithoutPage) {
    // Without a page the thumb keeps the skin's 14 pixels and is centred across the track.
    TqvScrollBarLayout l = qv::SkinnedScrollBarLayout(false, 300, 17, HScrollSkin(), Range(0, 100, 100, 0));
    EXPECT_EQ(l.TrackArea, (RECT{16, 0, 284, 17}));
    EXPECT_EQ(l.Increment, (RECT{284, 0, 300, 17}));
    EXPECT_EQ(l.Decrement, (RECT{0, 0, 16, 17}));
    EXPECT_EQ(l.Thumb, (RECT{270, 0, 284, 17}));

    TqvScrollBarSkinMetrics skin = HScrollSkin();
    skin.ThumbMinPageSize = 30;
    skin.ThumbHeight = 9;
    l = qv::SkinnedScrollBarLayout(false, 300, 17, skin, Range(0, 100, 0, 0));
    EXPECT_EQ(l.Thumb, (RECT{16, 4, 46, 13}));
}

TEST(ScrollBarGeometry, PlainBarsDrawSeventeenPixelButtonsAndASixteenPixelThumb) {
    // clang-format off
    struct Case {
        const char* name;
        bool vertical;
        int width, height, marker;
        TqvScrollRange range;
        RECT decrement, increment, track, thumb;
    } cases[] = {
        {"horizontal start", false, 200, 19, 0, Range(0, 100, 0, 0),
         {1, 1, 17, 18}, {183, 1, 199, 18}, {17, 1, 183, 18}, {17, 1, 33, 18}},
        {"horizontal end", false, 200, 19, 0, Range(0, 100, 100, 0),
         {1, 1, 17, 18}, {183, 1, 199, 18}, {17, 1, 183, 18}, {167, 1, 183, 18}},
        {"corner kept free", false, 200, 19, 19, Range(0, 100, 0, 0),
         {1, 1, 17, 18}, {164, 1, 180, 18}, {17, 1, 164, 18}, {17, 1, 33, 18}},
        // A half of 337 pixels: std::round would give 169.
        {"half to even", false, 387, 19, 0, Range(0, 2, 1, 0),
         {1, 1, 17, 18}, {370, 1, 386, 18}, {17, 1, 370, 18}, {185, 1, 201, 18}},
        {"vertical with page", true, 19, 200, 0, Range(0, 99, 50, 25),
         {1, 1, 18, 17}, {1, 183, 18, 199}, {1, 17, 18, 183}, {1, 100, 18, 142}},
        {"empty range", false, 200, 19, 0, Range(7, 7, 7, 0),
         {1, 1, 17, 18}, {183, 1, 199, 18}, {17, 1, 183, 18}, {17, 1, 33, 18}},
    };
    // clang-format on
    for (const Case& c : cases) {
        TqvScrollBarLayout l = qv::DefaultScrollBarLayout(c.vertical, c.width, c.height, c.marker, c.range);
        EXPECT_EQ(l.Decrement, c.decrement) << c.name;
        EXPECT_EQ(l.Increment, c.increment) << c.name;
        EXPECT_EQ(l.TrackArea, c.track) << c.name;
        EXPECT_EQ(l.Thumb, c.thumb) << c.name;
    }
}

TEST(ScrollBarGeometry, APageCoveringTheRangeFillsTheTrackWithTheirOwnFallBacks) {
    // Nothing to scroll: the thumb is the whole track. The fall-back fraction differs (1 for
    // horizontal, 0 for vertical) but with a full thumb both land on the track.
    TqvScrollBarLayout h = qv::DefaultScrollBarLayout(false, 200, 19, 0, Range(0, 9, 0, 20));
    EXPECT_EQ(h.Thumb, (RECT{17, 1, 183, 18}));
    TqvScrollBarLayout v = qv::DefaultScrollBarLayout(true, 19, 200, 0, Range(0, 9, 0, 20));
    EXPECT_EQ(v.Thumb, (RECT{1, 17, 18, 183}));
    // With a thumb shorter than the track the fall-backs show: an odd track leaves one pixel,
    // which the horizontal bar puts before the thumb and the vertical one after it.
    h = qv::DefaultScrollBarLayout(false, 201, 19, 0, Range(0, 9, 0, 10));
    EXPECT_EQ(h.Thumb, (RECT{18, 1, 184, 18}));
    v = qv::DefaultScrollBarLayout(true, 19, 201, 0, Range(0, 9, 0, 10));
    EXPECT_EQ(v.Thumb, (RECT{1, 17, 18, 183}));
}

TEST(ScrollBarGeometry, DragOffsetsGivePositionsWithinTheRange) {
    TqvScrollRange range = Range(0, 99, 38, 24);
    struct Case {
        int offset, expected;
    } cases[] = {
        {0, 0}, {170, 38}, {339, 76}, {5000, 76}, {-40, 0},
    };
    for (const Case& c : cases) {
        TqvScrollBarLayout l = qv::SkinnedScrollBarLayout(true, 17, 477, VScrollSkin(), range);
        EXPECT_EQ(qv::PositionFromThumbOffset(true, c.offset, range, l), c.expected) << c.offset;
    }

    // Without a page the centre range of the layout is used as it stands.
    TqvScrollRange plain = Range(-10, 10, 0, 0);
    TqvScrollBarLayout l = qv::DefaultScrollBarLayout(false, 200, 19, 0, plain);
    EXPECT_EQ(qv::PositionFromThumbOffset(false, 75, plain, l), 0);
    EXPECT_EQ(qv::PositionFromThumbOffset(false, 1000, plain, l), 10);

    // No room to move the thumb: every drag yields Min.
    TqvScrollBarLayout tiny = qv::DefaultScrollBarLayout(false, 40, 19, 0, plain);
    tiny.ThumbCentreMax = tiny.ThumbCentreMin;
    EXPECT_EQ(qv::PositionFromThumbOffset(false, 12, plain, tiny), -10);
}
