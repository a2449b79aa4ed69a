#include "ControlsFixture.h"

namespace {

class ListBoxWindowTest : public ControlsFixture {
protected:
    HWND MakeList(DWORD extraStyle) {
        HWND lb = Child(WC_LISTBOX, LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | extraStyle, 10, 10,
                        200, 100);
        for (const char* s : {"/srv/www", "/var/log/iis", "/VAR/log/old", "/home/ops", "/data", "/mnt/logs",
                              "/opt", "/tmp", "/usr", "/var/tmp"})
            SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SendMessage(lb, LB_SETITEMHEIGHT, 0, 20);
        return lb;
    }
    int Current(HWND lb) { return static_cast<int>(SendMessage(lb, LB_GETCURSEL, 0, 0)); }
};

} // namespace

TEST_F(ListBoxWindowTest, NavigationKeysMoveTheCurrentRowAndNotify) {
    HWND lb = MakeList(0);
    SetFocus(lb);
    received.clear();
    struct Step {
        int vk;
        int current;
        int top;
    } steps[] = {
        {VK_DOWN, 0, 0}, {VK_DOWN, 1, 0}, {VK_END, 9, 5}, {VK_PRIOR, 5, 5},
        {VK_HOME, 0, 0}, {VK_NEXT, 4, 0}, {VK_UP, 3, 0},
    };
    for (const auto& s : steps) {
        Key(s.vk);
        EXPECT_EQ(Current(lb), s.current) << "key " << s.vk;
        EXPECT_EQ(SendMessage(lb, LB_GETTOPINDEX, 0, 0), s.top) << "key " << s.vk;
    }
    EXPECT_EQ(Count(WM_COMMAND, LBN_SELCHANGE), 7);
    // A key that does not move the row sends nothing.
    Key(VK_HOME);
    Key(VK_HOME);
    EXPECT_EQ(Count(WM_COMMAND, LBN_SELCHANGE), 8);
}

TEST_F(ListBoxWindowTest, TypingSearchesByPrefixWithoutRegardToCase) {
    HWND lb = MakeList(0);
    SetFocus(lb);
    Type("/v");
    EXPECT_EQ(Current(lb), 1);
    Type("AR/LOG/O");
    EXPECT_EQ(Current(lb), 2);
    EXPECT_EQ(SendMessage(lb, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("/HOME")), 3);
    EXPECT_EQ(SendMessage(lb, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>("/var/LOG/iis")),
              1);
    EXPECT_EQ(SendMessage(lb, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("/var")),
              LB_ERR);
    EXPECT_EQ(SendMessage(lb, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("/mn")), 5);
    EXPECT_EQ(Current(lb), 5);
}

TEST_F(ListBoxWindowTest, ScrollStateAndThumbPosition) {
    HWND lb = MakeList(0);
    int min = -1, max = -1;
    GetScrollRange(lb, SB_VERT, &min, &max);
    EXPECT_EQ(max, 9);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(lb, SB_VERT, &si);
    EXPECT_EQ(si.nPage, 5u);
    SendMessage(lb, WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, 3), 0);
    EXPECT_EQ(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 3);
    EXPECT_EQ(GetScrollPos(lb, SB_VERT), 3);
    RECT r{};
    SendMessage(lb, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 20);
    LRESULT hit = SendMessage(lb, LB_ITEMFROMPOINT, 0, MAKELONG(5, 45));
    EXPECT_EQ(LOWORD(static_cast<DWORD>(hit)), 5);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(hit)), 0);
    ClickAt(lb, 5, 45);
    EXPECT_EQ(Current(lb), 5);
}

TEST_F(ListBoxWindowTest, OwnerDrawnRowsAreMeasuredAndDrawnByTheParent) {
    answer = [](UINT msg, WPARAM, LPARAM lParam, bool& handled) -> LRESULT {
        if (msg == WM_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 24;
            handled = true;
            return TRUE;
        }
        return 0;
    };
    HWND lb = Child(WC_LISTBOX, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, 10, 10, 200, 96);
    EXPECT_EQ(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0), 24);
    for (const char* s : {"a", "b", "c", "d", "e", "f"})
        SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessage(lb, LB_SETITEMDATA, 2, 77);
    EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 2, 0), 77);
    SendMessage(lb, LB_SETCURSEL, 2, 0);
    received.clear();
    Render(lb);
    std::vector<int> drawn;
    UINT selectedState = 0;
    for (const auto& r : received)
        if (r.msg == WM_DRAWITEM) {
            drawn.push_back(r.item);
            if (r.item == 2) selectedState = r.newState;
        }
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(selectedState & ODS_SELECTED);
    char text[16] = {};
    EXPECT_EQ(SendMessage(lb, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text)), 1);
    EXPECT_STREQ(text, "d");
    EXPECT_EQ(SendMessage(lb, LB_GETTEXT, 9, reinterpret_cast<LPARAM>(text)), LB_ERR);
}
