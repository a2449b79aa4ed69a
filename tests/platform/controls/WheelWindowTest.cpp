// The wheel over each native control that scrolls, while the focus is elsewhere: a vertical turn
// scrolls the content under the pointer, a sideways turn and Shift with a vertical one scroll it
// sideways, as far as its published horizontal scroll state reaches.
#include "ControlsFixture.h"

#include <functional>
#include <string>

namespace {

class WheelWindowTest : public ControlsFixture {
protected:
    static int Pos(HWND hwnd, int bar) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_POS;
        GetScrollInfo(hwnd, bar, &si);
        return si.nPos;
    }
    void WheelOver(HWND hwnd, int delta, bool sideways = false, bool shift = false) {
        POINT p = ScreenAt(hwnd, 40, 40);
        screen->MouseMove(p.x, p.y);
        if (shift) screen->KeyDown(VK_SHIFT);
        if (sideways) screen->HWheel(delta);
        else screen->Wheel(delta);
        if (shift) screen->KeyUp(VK_SHIFT);
        Pump();
    }

    HWND MakeListView() {
        HWND lv = Child(WC_LISTVIEW, LVS_REPORT, 10, 10, 200, 150);
        LVCOLUMN col;
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<char*>("File");
        col.cx = 600; // wider than the list
        SendMessage(lv, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
        for (int i = 0; i < 60; ++i) {
            std::string text = "ex" + std::to_string(i) + ".log";
            LVITEM item;
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = text.data();
            SendMessage(lv, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        }
        return lv;
    }
    HWND MakeListBox() {
        HWND lb = Child(WC_LISTBOX, 0, 10, 10, 200, 150);
        for (int i = 0; i < 60; ++i)
            SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("row " + std::to_string(i)).c_str()));
        SendMessage(lb, LB_SETHORIZONTALEXTENT, 600, 0);
        return lb;
    }
    HWND MakeTree() {
        HWND tree = Child(WC_TREEVIEW, 0, 10, 10, 200, 150);
        for (int i = 0; i < 60; ++i) {
            std::string text = "a folder with a rather long name that needs scrolling, number " +
                               std::to_string(i);
            TVINSERTSTRUCT ins;
            ins.hParent = TVI_ROOT;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT;
            ins.item.pszText = text.data();
            SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins));
        }
        return tree;
    }
    HWND MakeMemo() {
        std::string text;
        for (int i = 0; i < 60; ++i)
            text += "D:\\inetpub\\logs\\LogFiles\\W3SVC" + std::to_string(i) + "\\u_ex2501.log\r\n";
        return Child(WC_EDIT, ES_MULTILINE | ES_WANTRETURN, 10, 10, 200, 150, text.c_str());
    }
};

} // namespace

TEST_F(WheelWindowTest, EachControlScrollsUnderThePointerWithoutTheFocus) {
    struct Case {
        const char* name;
        std::function<HWND()> make;
    } cases[] = {
        {"list view", [this] { return MakeListView(); }},
        {"list box", [this] { return MakeListBox(); }},
        {"tree view", [this] { return MakeTree(); }},
        {"memo", [this] { return MakeMemo(); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        HWND control = k.make();
        SetFocus(parent);
        Pump();
        ASSERT_EQ(Pos(control, SB_VERT), 0);
        ASSERT_EQ(Pos(control, SB_HORZ), 0);

        WheelOver(control, -WHEEL_DELTA); // towards the user: down
        int down = Pos(control, SB_VERT);
        EXPECT_GT(down, 0);
        WheelOver(control, WHEEL_DELTA);
        EXPECT_LT(Pos(control, SB_VERT), down);

        WheelOver(control, WHEEL_DELTA, true); // tilted right
        int right = Pos(control, SB_HORZ);
        EXPECT_GT(right, 0);
        WheelOver(control, -WHEEL_DELTA, false, true); // Shift, towards the user: right again
        EXPECT_GT(Pos(control, SB_HORZ), right);
        WheelOver(control, WHEEL_DELTA, false, true); // Shift, away: back left
        EXPECT_EQ(Pos(control, SB_HORZ), right);
        EXPECT_EQ(GetFocus(), parent);
        DestroyWindow(control);
    }
}
