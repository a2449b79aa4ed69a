#include "platform/controls/ListViewModel.h"
#include "platform/controls/HeaderModel.h"

#include <gtest/gtest.h>

using namespace controls;

namespace {

// A report list like the main window's: header 20, rows 18 (the 16 x 18 image list), and a
// client height that holds exactly 24 full rows plus a partial one.
ListViewModel ReportList(int rows) {
    ListViewModel m;
    m.SetSingleSelection(true);
    m.SetHeaderHeight(20);
    m.SetRowHeight(18);
    m.SetClientSize(300, 20 + 24 * 18 + 7);
    m.InsertColumn(0, {"No.", 40, LVCFMT_LEFT, 0});
    m.InsertColumn(1, {"File", 200, LVCFMT_LEFT, 1});
    m.InsertColumn(2, {"Size", 120, LVCFMT_RIGHT, 2});
    for (int i = 0; i < rows; ++i)
        m.InsertItem(i, std::to_string(i + 1));
    return m;
}

} // namespace

TEST(ListViewModel, ThirtyRowsWithTwentyFourVisiblePublishRangeAndPage) {
    ListViewModel m = ReportList(30);
    EXPECT_EQ(m.CountPerPage(), 24);
    ScrollState v = m.VertScroll();
    EXPECT_EQ(v.min, 0);
    EXPECT_EQ(v.max, 29);
    EXPECT_EQ(v.page, 24);
    EXPECT_EQ(v.pos, 0);
    // The top row stops where the last row becomes fully visible.
    EXPECT_TRUE(m.SetTopIndex(100));
    EXPECT_EQ(m.TopIndex(), 6);
    EXPECT_EQ(m.VertScroll().pos, 6);
    // Columns are 360 wide in a 300 wide client: pixels 0..359, page 300, offset at most 60.
    ScrollState h = m.HorzScroll();
    EXPECT_EQ(h.max, 359);
    EXPECT_EQ(h.page, 300);
    m.SetHorzOffset(1000);
    EXPECT_EQ(m.HorzOffset(), 60);
}

TEST(ListViewModel, ShrinkingContentPullsTheTopRowBack) {
    ListViewModel m = ReportList(30);
    m.SetTopIndex(6);
    m.DeleteItem(29);
    m.DeleteItem(28);
    EXPECT_EQ(m.TopIndex(), 4);
    m.SetClientSize(300, 2000);
    EXPECT_EQ(m.TopIndex(), 0);
}

TEST(ListViewModel, ItemRectsAndHitTestFollowScrolling) {
    ListViewModel m = ReportList(30);
    m.SetSmallImageWidth(16);
    m.SetTopIndex(3);
    m.SetHorzOffset(10);
    RECT b = m.ItemRect(5, LVIR_BOUNDS);
    EXPECT_EQ(b.top, 20 + 2 * 18);
    EXPECT_EQ(b.bottom, b.top + 18);
    EXPECT_EQ(b.left, -10);
    EXPECT_EQ(b.right, 350);
    RECT label = m.ItemRect(5, LVIR_LABEL);
    EXPECT_EQ(label.left, 6);
    EXPECT_EQ(label.right, 30);

    LVHITTESTINFO hit = m.HitTest({100, 20 + 2 * 18 + 3});
    EXPECT_EQ(hit.iItem, 5);
    EXPECT_EQ(hit.iSubItem, 1);
    EXPECT_EQ(m.HitTest({100, 5}).flags, LVHT_ABOVE);
    EXPECT_EQ(m.HitTest({100, 5}).iItem, -1);
    ListViewModel few = ReportList(2);
    EXPECT_EQ(few.HitTest({10, 20 + 5 * 18}).flags, LVHT_NOWHERE);
}

TEST(ListViewModel, SingleSelectionAndFocusAreExclusive) {
    ListViewModel m = ReportList(5);
    m.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    auto changes = m.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].item, 1);
    EXPECT_EQ(changes[0].newState, 0u);
    EXPECT_EQ(changes[1].item, 3);
    EXPECT_EQ(m.SelectedCount(), 1);
    EXPECT_EQ(m.NextItem(-1, LVNI_SELECTED), 3);
    EXPECT_EQ(m.NextItem(3, LVNI_SELECTED), -1);
    EXPECT_EQ(m.NextItem(-1, LVNI_FOCUSED), 3);
    // Setting an unchanged state reports nothing, so no LVN_ITEMCHANGED follows.
    EXPECT_TRUE(m.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED).empty());
    m.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(m.SelectedCount(), 0);
}

TEST(ListViewModel, NavigationKeysMoveFocusByRowAndPage) {
    ListViewModel m = ReportList(30);
    struct Case {
        int focus, top;
        ListKey key;
        int expected;
    } cases[] = {
        {0, 0, ListKey::Up, 0},         {0, 0, ListKey::Down, 1},    {29, 6, ListKey::Down, 29},
        {5, 0, ListKey::Home, 0},       {5, 0, ListKey::End, 29},    {5, 0, ListKey::PageDown, 23},
        {23, 0, ListKey::PageDown, 29}, {10, 6, ListKey::PageUp, 6}, {6, 6, ListKey::PageUp, 0},
    };
    for (const auto& c : cases) {
        m.SetItemState(c.focus, LVIS_FOCUSED, LVIS_FOCUSED);
        m.SetTopIndex(c.top);
        EXPECT_EQ(m.KeyTarget(c.key), c.expected) << "focus " << c.focus << " key " << int(c.key);
    }
    EXPECT_EQ(ReportList(0).KeyTarget(ListKey::Down), -1);
}

TEST(ListViewModel, EnsureVisibleScrollsAsLittleAsNeeded) {
    ListViewModel m = ReportList(30);
    EXPECT_FALSE(m.EnsureVisible(23, false));
    EXPECT_TRUE(m.EnsureVisible(24, false));
    EXPECT_EQ(m.TopIndex(), 1);
    EXPECT_TRUE(m.EnsureVisible(0, false));
    EXPECT_EQ(m.TopIndex(), 0);
    // The partial 25th row counts as visible when partial visibility is enough.
    EXPECT_FALSE(m.EnsureVisible(24, true));
}

TEST(ListViewModel, SubItemTextsGrowOnDemand) {
    ListViewModel m = ReportList(1);
    EXPECT_EQ(m.ItemText(0, 0), "1");
    EXPECT_EQ(m.ItemText(0, 9), "");
    EXPECT_TRUE(m.SetItemText(0, 9, "42"));
    EXPECT_EQ(m.ItemText(0, 9), "42");
    EXPECT_FALSE(m.SetItemText(3, 1, "x"));
    EXPECT_EQ(m.ItemText(-1, 0), "");
}

TEST(HeaderModel, HitNearAColumnEdgeIsOnItsDivider) {
    HeaderModel h;
    h.Insert(0, {"No.", 40});
    h.Insert(1, {"File", 200});
    h.Insert(2, {"Size", 120});
    struct Case {
        int x;
        UINT flags;
        int item;
    } cases[] = {
        {10, HHT_ONHEADER, 0}, {40, HHT_ONDIVIDER, 0},  {37, HHT_ONDIVIDER, 0},  {43, HHT_ONDIVIDER, 0},
        {46, HHT_ONHEADER, 1}, {238, HHT_ONDIVIDER, 1}, {359, HHT_ONDIVIDER, 2}, {380, HHT_NOWHERE, -1},
    };
    for (const auto& c : cases) {
        HeaderHit hit = h.HitTest({c.x, 10}, 500, 20);
        EXPECT_EQ(hit.flags, c.flags) << "x " << c.x;
        EXPECT_EQ(hit.item, c.item) << "x " << c.x;
    }
    EXPECT_EQ(h.HitTest({10, 25}, 500, 20).flags, HHT_BELOW);
    EXPECT_EQ(h.HitTest({-1, 5}, 500, 20).flags, HHT_TOLEFT);
    RECT r = h.ItemRect(1, 20);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right, 240);
}

TEST(HeaderModel, ZeroWidthSectionStaysReachableThroughItsDivider) {
    HeaderModel h;
    h.Insert(0, {"A", 50});
    h.Insert(1, {"B", 0});
    h.Insert(2, {"C", 50});
    HeaderHit hit = h.HitTest({50, 5}, 200, 20);
    EXPECT_EQ(hit.flags, HHT_ONDIVOPEN);
    EXPECT_EQ(hit.item, 1);
}
