// The window-free parts of the combo box and its list: geometry, keys, type-ahead, placement.

#include "platform/ui/UserTypes.h"
#include "skin/controls/qvComboBoxLogic.h"
#include "skin/controls/qvListBoxLayout.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

// The "combobox" and "listbox" sections of the program's skin.
TqvComboSkinMetrics ComboSkin() {
    TqvComboSkinMetrics s;
    s.bound = true;
    s.skinrect = RECT{318, 3, 377, 25};
    s.clientrect = RECT{2, 2, 40, 20};
    s.righttoppoint = POINT{37, 10};
    s.buttonrect = RECT{41, 2, 57, 20};
    return s;
}

TqvListBoxSkinMetrics ListSkin() {
    return TqvListBoxSkinMetrics{true, RECT{67, 130, 126, 182}, RECT{2, 2, 57, 50}};
}

} // namespace

TEST(ComboCalcRects, SkinnedButtonFollowsTheRightEdgeAndPlainLookUsesFixedInsets) {
    TqvComboRects r = ComboCalcRects(ComboSkin(), 433, 22, false, true);
    EXPECT_EQ(r.dropButton, (RECT{415, 2, 431, 20}));
    EXPECT_EQ(r.itemArea, (RECT{2, 2, 414, 20}));
    // Without the skin's size both bottoms follow the height.
    r = ComboCalcRects(ComboSkin(), 433, 30, false, false);
    EXPECT_EQ(r.dropButton, (RECT{415, 2, 431, 28}));
    EXPECT_EQ(r.itemArea, (RECT{2, 2, 414, 28}));
    // A button in the stretched middle does not move.
    TqvComboSkinMetrics left = ComboSkin();
    left.buttonrect = RECT{10, 2, 20, 20};
    EXPECT_EQ(ComboCalcRects(left, 433, 22, false, true).dropButton, (RECT{10, 2, 20, 20}));
    for (bool toolButton : {false, true}) {
        TqvComboSkinMetrics skin = toolButton ? ComboSkin() : TqvComboSkinMetrics{};
        r = ComboCalcRects(skin, 120, 20, toolButton, true);
        EXPECT_EQ(r.dropButton, (RECT{101, 2, 118, 18}));
        EXPECT_EQ(r.itemArea, (RECT{2, 2, 100, 18}));
    }
    EXPECT_EQ(ComboEditBounds(RECT{2, 2, 414, 20}, 15), (RECT{2, 4, 414, 19}));
}

TEST(ComboKeyAction, KeyTable) {
    using enum TqvComboKeyAction;
    struct Case {
        WORD key;
        bool alt, dropped;
        int index, count;
        TqvComboKeyAction action;
        int target;
    };
    const Case cases[] = {
        {VK_NEXT, false, false, 0, 30, SelectIndex, 7},
        {VK_PRIOR, false, false, 20, 30, SelectIndex, 11},
        {VK_PRIOR, false, true, 5, 30, SelectIndex, 0},
        {VK_NEXT, false, false, 28, 30, SelectIndex, 29},
        {VK_NEXT, false, false, 0, 0, None, -1},
        {VK_UP, false, false, 0, 30, None, -1},
        {VK_LEFT, false, false, 3, 30, SelectIndex, 2},
        {VK_DOWN, false, false, 29, 30, None, -1},
        {VK_RIGHT, false, true, -1, 30, SelectIndex, 0},
        {VK_DOWN, true, false, 3, 30, DropDown, -1},
        {VK_DOWN, true, true, 3, 30, None, -1},
        {VK_UP, true, true, 3, 30, CloseCancel, -1},
        {VK_UP, true, false, 3, 30, None, -1},
        {VK_RETURN, false, true, 3, 30, CloseAccept, -1},
        {VK_RETURN, false, false, 3, 30, None, -1},
        {VK_ESCAPE, false, true, 3, 30, CloseCancel, -1},
        {VK_ESCAPE, false, false, 3, 30, None, -1},
        {'A', false, true, 3, 30, None, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " alt " << c.alt << " dropped "
                                        << c.dropped << " index " << c.index);
        TqvComboKeyResult r = ComboKeyAction(c.key, c.alt, c.dropped, c.index, c.count, 8);
        EXPECT_EQ(r.action, c.action);
        if (c.action == SelectIndex) {
            EXPECT_EQ(r.index, c.target);
        }
    }
}

TEST(TypeAhead, PrefixGrowsWithinHalfASecondAndCountsCodePoints) {
    TqvTypeAhead t;
    EXPECT_EQ(t.Type("d", 1000, true), "d");
    EXPECT_EQ(t.Type("i", 1499, true), "di");
    EXPECT_EQ(t.Type("x", 1999, true), "x"); // exactly 500 ms later: a new search
    EXPECT_EQ(t.Type("y", 2000, false), "y"); // without auto-complete: the character alone
    EXPECT_EQ(t.LastSearchTime(), 1999u);
    // Chinese: one character is three bytes but one code point, so it searches after the current
    // item; two characters search from the first item.
    EXPECT_EQ(t.Type("\xE4\xB8\xAD", 5000, true), "\xE4\xB8\xAD");
    EXPECT_EQ(TqvTypeAhead::SearchStart(t.TypedPrefix(), 3), 3);
    EXPECT_EQ(t.Type("\xE6\x96\x87", 5100, true), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(TqvTypeAhead::SearchStart(t.TypedPrefix(), 3), -1);
    EXPECT_EQ(CodePointLength("D:\\\xE6\x97\xA5\xE5\xBF\x97"), 5);
    // The tick counter wraps after 49.7 days.
    EXPECT_EQ(t.Type("a", 0xFFFFFFF0u, true), "a");
    EXPECT_EQ(t.Type("b", 0x10, true), "ab");
    EXPECT_EQ(t.Type("c", 0x10 + 500, true), "c");
}

TEST(ComboListPosition, OpensAboveWhenNoRoomBelowAndNeverMovesSideways) {
    const RECT work{0, 0, 1280, 1000};
    EXPECT_EQ(ComboListPosition(RECT{100, 200, 533, 222}, 164, work), (POINT{100, 222}));
    EXPECT_EQ(ComboListPosition(RECT{100, 814, 533, 836}, 164, work), (POINT{100, 836}));
    EXPECT_EQ(ComboListPosition(RECT{100, 900, 533, 922}, 164, work), (POINT{100, 736}));
    EXPECT_EQ(ComboListPosition(RECT{1200, 300, 1633, 322}, 164, work), (POINT{1200, 322}));
}

TEST(ListBoxLayout, HeightForRowsAndClientRect) {
    EXPECT_EQ(ListBoxHeightForRows(ListSkin(), 8, 20, false, 20, 0), 164);
    EXPECT_EQ(ListBoxHeightForRows(ListSkin(), 3, 20, false, 20, 19), 83);
    EXPECT_EQ(ListBoxHeightForRows({}, 8, 20, false, 20, 0), 164);
    EXPECT_EQ(ListBoxHeightForRows({}, 8, 20, true, 20, 0), 184);
    EXPECT_EQ(ListBoxClientRect(ListSkin(), 433, 164), (RECT{2, 2, 431, 162}));
}

TEST(ListBoxLayout, BarsTakeTheirSpaceFromTheList) {
    TqvListBoxLayoutInput in;
    in.skin = ListSkin();
    in.width = 433;
    in.height = 164;
    TqvListBoxLayout out = LayOutListBox(in);
    EXPECT_EQ(out.innerListRect, (RECT{2, 2, 431, 162}));
    EXPECT_TRUE(IsRectEmpty(out.vbarBounds));
    in.hasVBar = true;
    in.vbarWidth = 16;
    in.hasHBar = true;
    in.hbarHeight = 16;
    out = LayOutListBox(in);
    EXPECT_EQ(out.vbarBounds, (RECT{415, 2, 431, 146}));
    EXPECT_EQ(out.hbarBounds, (RECT{2, 146, 431, 162}));
    EXPECT_EQ(out.innerListRect, (RECT{2, 2, 415, 146}));
    // Unskinned, in caption mode.
    TqvListBoxLayoutInput plain;
    plain.width = 120;
    plain.height = 120;
    plain.captionMode = true;
    plain.hasVBar = true;
    out = LayOutListBox(plain);
    EXPECT_EQ(out.vbarBounds, (RECT{100, 20, 119, 119}));
    EXPECT_EQ(out.innerListRect, (RECT{2, 21, 100, 118}));
    plain.hasVBar = false;
    plain.captionMode = false;
    plain.hasHBar = true;
    out = LayOutListBox(plain);
    EXPECT_EQ(out.hbarBounds, (RECT{1, 100, 119, 119}));
    EXPECT_EQ(out.innerListRect, (RECT{2, 2, 118, 100}));
}

TEST(ListBoxLayout, CaptionButtonsAndTabStops) {
    RECT b[3];
    DefaultCaptionButtonRects(200, 20, b);
    EXPECT_EQ(b[0], (RECT{181, 2, 198, 18}));
    EXPECT_EQ(b[1], (RECT{164, 2, 181, 18}));
    EXPECT_EQ(b[2], (RECT{147, 2, 164, 18}));
    DefaultCaptionButtonRects(200, 16, b);
    EXPECT_EQ(b[0], (RECT{185, 2, 198, 14}));
    EXPECT_EQ(TabStopsFromLines({"40", "x1", "120", "", "-5"}), (std::vector<int>{40, 0, 120, 0, 0}));
    EXPECT_EQ(TabStopsFromLines(std::vector<std::string>(12, "7")).size(), 10u);
}
