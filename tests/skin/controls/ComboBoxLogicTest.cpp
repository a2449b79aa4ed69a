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
        {VK_NEXT, false, false, 0, 30, SelectIndex, 7},  {VK_PRIOR, false, false, 20, 30, SelectIndex, 11},
        {VK_PRIOR, false, true, 5, 30, SelectIndex, 0},  {VK_NEXT, false, false, 28, 30, SelectIndex, 29},
        {VK_NEXT, false, false, 0, 0, None, -1},         {VK_UP, false, false, 0, 30, None, -1},
        {VK_LEFT, false, false, 3, 30, SelectIndex, 2},  {VK_DOWN, false, false, 29, 30, None, -1},
        {VK_RIGHT, false, true, -1, 30, SelectIndex, 0}, {VK_DOWN, true, false, 3, 30, DropDown, -1},
        {VK_DOWN, true, true, 3, 30, None, -1},          {VK_UP, true, true, 3, 30, CloseCancel, -1},
        {VK_UP, true, false, 3, 30, None, -1},           {VK_RETURN, false, true, 3, 30, CloseAccept, -1},
        {VK_RETURN, false, false, 3, 30, None, -1},      {VK_ESCAPE, false, true, 3, 30, CloseCancel, -1},
        {VK_ESCAPE, false, false, 3, 30, None, -1},      {'A', false, true, 3, 30, None, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " alt " << c.alt << " dropped " << c.dropped
                                        << " index " << c.index);
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
    EXPECT_EQ(t.Type("x", 1999, true), "x");  // exactly 500 ms later: a new search
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

// Which released keys complete in the edit style, by charset: input-method charsets complete after
// every key but Delete, Backspace and the modifiers (removing the last completed tail first);
// others only after character keys and never after a system key; Ctrl held never completes.
TEST(ComboEditKeyUp, KeyTableByCharset) {
    struct Case {
        int charset;
        bool sysKey, ctrl;
        WORD key;
        bool clear, complete;
    };
    constexpr int ansi = 0, gb2312 = 134, big5 = 136, shiftjis = 128;
    const Case cases[] = {
        {ansi, false, false, 'D', false, true},
        {ansi, false, false, 0xBA /* ; : */, false, true},
        {ansi, false, false, kTextOnlyKey, false, true},
        {ansi, false, false, 0x2F, false, false},
        {ansi, false, false, VK_BACK, false, false},
        {ansi, false, false, VK_LEFT, false, false},
        {ansi, false, false, VK_SHIFT, false, false},
        {ansi, true, false, 'D', false, false},
        {ansi, false, true, 'A', false, false},
        {gb2312, false, false, 'D', true, true},
        {gb2312, true, false, 'D', true, true},
        {gb2312, false, false, VK_LEFT, true, true},
        {gb2312, false, false, kTextOnlyKey, true, true},
        {gb2312, false, false, VK_DELETE, false, false},
        {big5, false, false, VK_BACK, false, false},
        {shiftjis, false, false, VK_SHIFT, false, false},
        {shiftjis, false, false, VK_LCONTROL, false, false},
        {gb2312, false, true, 'C', false, false},
    };
    for (const Case& c : cases) {
        TqvEditKeyUpAction a = ComboEditKeyUp(c.charset, c.sysKey, c.ctrl, c.key);
        EXPECT_EQ(a.clearSelection, c.clear) << c.charset << " " << c.key;
        EXPECT_EQ(a.complete, c.complete) << c.charset << " " << c.key;
    }
}

TEST(ComboEditCompletion, TailInCodePointsStepsAndTheGate) {
    EXPECT_EQ(CompletedTail("d", "D:\\iis\\").start, 1);
    EXPECT_EQ(CompletedTail("d", "D:\\iis\\").length, 6);
    EXPECT_EQ(CompletedTail("D:\\日", "D:\\日志\\W3SVC1").start, 4);
    EXPECT_EQ(CompletedTail("D:\\日", "D:\\日志\\W3SVC1").length, 8);
    EXPECT_EQ(CompletedTail("abc", "ab").length, 0);
    EXPECT_EQ(ComboStepIndex(2, 4, 1), 3);
    EXPECT_EQ(ComboStepIndex(3, 4, 1), -1);
    EXPECT_EQ(ComboStepIndex(-1, 4, 1), 0);
    EXPECT_EQ(ComboStepIndex(0, 4, -1), -1);
    EXPECT_EQ(ComboStepIndex(-1, 4, -1), -1);
    EXPECT_EQ(ComboStepIndex(-1, 0, 1), -1);
    // The gate opens strictly after 200 ms and is shared with type-ahead; the tick may wrap.
    TqvTypeAhead t;
    t.SetLastSearchTime(1000);
    EXPECT_FALSE(t.TakeCompletion(1200));
    EXPECT_TRUE(t.TakeCompletion(1201));
    EXPECT_EQ(t.LastSearchTime(), 1201u);
    t.Type("x", 1300, true);
    EXPECT_FALSE(t.CompletionDue(1500));
    t.SetLastSearchTime(0xFFFFFF00u);
    EXPECT_TRUE(t.TakeCompletion(0x10));
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
