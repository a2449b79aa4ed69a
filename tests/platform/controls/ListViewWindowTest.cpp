#include "ControlsFixture.h"

#include "platform/gfx/Font.h"

namespace {

class ListViewWindowTest : public ControlsFixture {
protected:
    // A report list like the main window's: Arial 14, a 16 x 18 small-image list, three
    // columns, grid lines and whole-row selection, without WS_VSCROLL / WS_HSCROLL (the
    // skinned list view hides them and mirrors the state into its own bars).
    void MakeList(int rows) {
        lv = Child(WC_LISTVIEW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 10, 10, 300, 200);
        LOGFONT lf{};
        lf.lfHeight = 14;
        gfx::SetFaceName(lf, "Arial");
        font = CreateFontIndirect(&lf);
        SendMessage(lv, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        images = ImageList_Create(16, 18, ILC_COLOR32 | ILC_MASK, 0, 4);
        SendMessage(lv, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
        SendMessage(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        const char* captions[] = {"No.", "File", "Size"};
        int widths[] = {40, 200, 120};
        for (int i = 0; i < 3; ++i) {
            LVCOLUMN col;
            col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            col.pszText = const_cast<char*>(captions[i]);
            col.cx = widths[i];
            col.fmt = i == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            SendMessage(lv, LVM_INSERTCOLUMN, i, reinterpret_cast<LPARAM>(&col));
        }
        for (int i = 0; i < rows; ++i)
            AddRow(i);
    }

    void AddRow(int i) {
        std::string caption = std::to_string(i + 1);
        LVITEM item;
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = caption.data();
        int at = static_cast<int>(SendMessage(lv, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
        std::string file = "ex" + std::to_string(i) + ".log";
        LVITEM sub;
        sub.iSubItem = 1;
        sub.pszText = file.data();
        SendMessage(lv, LVM_SETITEMTEXT, at, reinterpret_cast<LPARAM>(&sub));
    }

    RECT ItemRect(int index) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessage(lv, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    // Resizes the list so exactly `rows` full rows fit below the header (plus half a row).
    void FitRows(int rows) {
        RECT first = ItemRect(0);
        int rowHeight = first.bottom - first.top;
        SetWindowPos(lv, nullptr, 0, 0, 300, first.top + rows * rowHeight + rowHeight / 2,
                     SWP_NOMOVE | SWP_NOZORDER);
        Pump();
    }

    void TearDown() override {
        ControlsFixture::TearDown();
        ImageList_Destroy(images);
        DeleteObject(font);
    }

    HWND lv = nullptr;
    HFONT font = nullptr;
    HIMAGELIST images = nullptr;
};

} // namespace

TEST_F(ListViewWindowTest, ThirtyRowsWithTwentyFourVisibleGiveRangeAndPage) {
    MakeList(30);
    RECT first = ItemRect(0);
    EXPECT_EQ(first.bottom - first.top, 18); // the 18-pixel images set the row height
    FitRows(24);
    EXPECT_EQ(SendMessage(lv, LVM_GETCOUNTPERPAGE, 0, 0), 24);
    int min = -1, max = -1;
    ASSERT_TRUE(GetScrollRange(lv, SB_VERT, &min, &max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 29);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(lv, SB_VERT, &si);
    EXPECT_EQ(si.nPage, 24u);
    EXPECT_EQ(si.nPos, 0);
    // Columns 360 wide in a 300-pixel list: pixels 0..359 with a 300-pixel page.
    GetScrollRange(lv, SB_HORZ, &min, &max);
    EXPECT_EQ(max, 359);

    // Scroll requests work without the list's own bars and move the published position.
    SendMessage(lv, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(SendMessage(lv, LVM_GETTOPINDEX, 0, 0), 6);
    EXPECT_EQ(GetScrollPos(lv, SB_VERT), 6);
    SendMessage(lv, WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, 3), 0);
    EXPECT_EQ(GetScrollPos(lv, SB_VERT), 3);
    // Three rows' worth of pixels scroll three rows, as the skinned bar asks.
    SendMessage(lv, LVM_SCROLL, 0, -3 * 18);
    EXPECT_EQ(SendMessage(lv, LVM_GETTOPINDEX, 0, 0), 0);
    SendMessage(lv, WM_HSCROLL, MAKELONG(SB_THUMBPOSITION, 500), 0);
    EXPECT_EQ(GetScrollPos(lv, SB_HORZ), 60);
}

TEST_F(ListViewWindowTest, KeyboardSelectionScrollsTheList) {
    MakeList(30);
    FitRows(24);
    ClickAt(lv, 100, ItemRect(1).top + 5);
    EXPECT_EQ(SendMessage(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    Key(VK_END);
    EXPECT_EQ(SendMessage(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 29);
    EXPECT_EQ(GetScrollPos(lv, SB_VERT), 6);
    Key(VK_UP);
    Key(VK_PRIOR);
    EXPECT_EQ(SendMessage(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 6);
    EXPECT_EQ(SendMessage(lv, LVM_GETSELECTEDCOUNT, 0, 0), 1);
}

TEST_F(ListViewWindowTest, ClickSelectsTheRowAndNotifiesTheParent) {
    MakeList(5);
    received.clear();
    ClickAt(lv, 250, ItemRect(2).top + 4);
    EXPECT_EQ(SendMessage(lv, LVM_GETITEMSTATE, 2, LVIS_SELECTED | LVIS_FOCUSED),
              LVIS_SELECTED | LVIS_FOCUSED);
    bool sawSelect = false;
    for (const auto& r : received)
        if (r.code == LVN_ITEMCHANGED && r.item == 2 && (r.newState & LVIS_SELECTED)) sawSelect = true;
    EXPECT_TRUE(sawSelect);
    EXPECT_EQ(Count(WM_NOTIFY, NM_CLICK), 1);
    // A click below the last row clears the selection.
    ClickAt(lv, 100, ItemRect(4).bottom + 20);
    EXPECT_EQ(SendMessage(lv, LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST_F(ListViewWindowTest, HeaderHitNearAColumnEdgeIsOnTheDividerAndDraggingResizes) {
    MakeList(3);
    HWND header = reinterpret_cast<HWND>(SendMessage(lv, LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(IsWindow(header));
    EXPECT_EQ(GetParent(header), lv);
    char cls[80] = {};
    GetClassName(header, cls, sizeof cls);
    EXPECT_STREQ(cls, "SysHeader32");
    EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 3);
    RECT r{};
    SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right, 240);

    HDHITTESTINFO hit;
    hit.pt = {42, 5};
    SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, HHT_ONDIVIDER);
    EXPECT_EQ(hit.iItem, 0);
    hit.pt = {120, 5};
    SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, HHT_ONHEADER);
    EXPECT_EQ(hit.iItem, 1);

    // The pointer shows the sizing cursor over a divider only.
    POINT over = ScreenAt(header, 120, 5);
    screen->MouseMove(over.x, over.y);
    Pump();
    EXPECT_NE(screen->CursorShape(), 32644); // IDC_SIZEWE
    POINT from = ScreenAt(header, 240, 5);
    screen->MouseMove(from.x, from.y);
    Pump();
    EXPECT_EQ(screen->CursorShape(), 32644);
    screen->MouseDown();
    screen->MouseMove(from.x + 30, from.y);
    screen->MouseUp();
    Pump();
    EXPECT_EQ(SendMessage(lv, LVM_GETCOLUMNWIDTH, 1, 0), 230);
    int min = 0, max = 0;
    GetScrollRange(lv, SB_HORZ, &min, &max);
    EXPECT_EQ(max, 389);
    EXPECT_GE(Count(WM_NOTIFY, HDN_BEGINTRACK), 1);
}

TEST_F(ListViewWindowTest, HeaderCreationIsSeenByAWrapperThatSubclassedTheList) {
    // A wrapper subclasses the list right after CreateWindowEx returns; the header is made
    // later, so the wrapper's procedure sees its WM_PARENTNOTIFY.
    HWND list = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100, parent,
                               nullptr, nullptr, nullptr);
    static WNDPROC original = nullptr;
    static HWND created = nullptr;
    created = nullptr;
    original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(list, GWL_WNDPROC));
    WNDPROC spy = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_PARENTNOTIFY && LOWORD(static_cast<DWORD>(wParam)) == WM_CREATE)
            created = reinterpret_cast<HWND>(lParam);
        return CallWindowProc(original, hwnd, msg, wParam, lParam);
    };
    SetWindowLongPtr(list, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(spy));
    LVCOLUMN col;
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = const_cast<char*>("A");
    col.cx = 50;
    SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
    Pump();
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created, reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0)));
}

TEST_F(ListViewWindowTest, PaintsSelectedRowInHighlightAndGridLines) {
    MakeList(4);
    SetFocus(lv);
    LVITEM state;
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(lv, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    SendMessage(lv, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    gfx::Bitmap shot = Render(lv);
    RECT selected = ItemRect(1), plain = ItemRect(2);
    int x = 300 - 3; // right of every text, inside the last column
    int ySel = (selected.top + selected.bottom) / 2, yPlain = (plain.top + plain.bottom) / 2;
    EXPECT_EQ(shot.GetColor(x, ySel), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(shot.GetColor(x, yPlain), RGB(255, 255, 255));
    // Grid: the first column's right edge and each row's bottom line, also below the rows.
    COLORREF grid = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(shot.GetColor(39, yPlain), grid);
    EXPECT_EQ(shot.GetColor(100, plain.bottom - 1), grid);
    EXPECT_EQ(shot.GetColor(100, ItemRect(3).bottom + 18 - 1), grid);
    EXPECT_EQ(shot.GetColor(100, plain.bottom + 3), RGB(255, 255, 255));
}

// The main window's number column is 35 pixels wide beside a 16-pixel image list: row numbers
// 10 to 99 must show both digits, not an ellipsis. Digits have ink at the row's middle height;
// "..." has ink only near the baseline.
TEST_F(ListViewWindowTest, TwoDigitNumberFitsANarrowFirstColumnBesideTheImages) {
    MakeList(12);
    SendMessage(lv, LVM_SETCOLUMNWIDTH, 0, 35);
    SendMessage(lv, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    SendMessage(lv, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    gfx::Bitmap shot = Render(lv);
    auto inkAcrossMiddle = [&](int row) {
        RECT r = ItemRect(row);
        int y = (r.top + r.bottom) / 2, ink = 0;
        for (int x = r.left + 16; x < r.left + 35 - 1; ++x) {
            COLORREF c = shot.GetColor(x, y);
            if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) ++ink;
        }
        return ink;
    };
    EXPECT_GT(inkAcrossMiddle(8), 0);  // "9"
    EXPECT_GT(inkAcrossMiddle(9), 1);  // "10": both digits
    EXPECT_GT(inkAcrossMiddle(11), 1); // "12"
}
