#include "ControlsFixture.h"

namespace {

class EditWindowTest : public ControlsFixture {
protected:
    std::string Text(HWND edit) {
        char buffer[256] = {};
        SendMessage(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    std::pair<DWORD, DWORD> Sel(HWND edit) {
        DWORD a = 0, b = 0;
        SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {a, b};
    }
    void CtrlKey(int vk) {
        screen->KeyDown(VK_CONTROL);
        screen->Key(vk);
        screen->KeyUp(VK_CONTROL);
        Pump();
    }
    void ShiftKeys(std::initializer_list<int> keys) {
        screen->KeyDown(VK_SHIFT);
        for (int vk : keys)
            screen->Key(vk);
        screen->KeyUp(VK_SHIFT);
        Pump();
    }
    std::string Clipboard() {
        if (!OpenClipboard(nullptr)) return "<closed>";
        std::string text = GetClipboardData(CF_TEXT).value_or("");
        CloseClipboard();
        return text;
    }
};

} // namespace

TEST_F(EditWindowTest, TypingShiftSelectionCutPasteAndUndo) {
    HWND edit = Child(WC_EDIT, ES_AUTOHSCROLL, 10, 10, 200, 22);
    SetFocus(edit);
    received.clear();
    Type("hello");
    EXPECT_EQ(Text(edit), "hello");
    EXPECT_EQ(Count(WM_COMMAND, EN_CHANGE), 5);
    Key(VK_HOME);
    ShiftKey(VK_RIGHT);
    ShiftKey(VK_RIGHT);
    EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{0, 2}));
    SendMessage(edit, WM_CUT, 0, 0);
    EXPECT_EQ(Text(edit), "llo");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_TEXT).value_or(""), "he");
    CloseClipboard();
    Key(VK_END);
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(edit), "llohe");
    SendMessage(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(edit), "llo");
    Key(VK_BACK);
    EXPECT_EQ(Text(edit), "ll");
    // The caret moves by code point: one Left crosses a whole CJK character.
    Type("\xE5\x88\x86\xE6\x9E\x90"); // 分析
    ShiftKey(VK_LEFT);
    EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{3, 4}));
}

TEST_F(EditWindowTest, ReadOnlyAndLimitRefuseInput) {
    HWND edit = Child(WC_EDIT, 0, 10, 10, 200, 22, "abc");
    SetFocus(edit);
    SendMessage(edit, EM_LIMITTEXT, 5, 0);
    Key(VK_END);
    Type("defg");
    EXPECT_EQ(Text(edit), "abcde");
    EXPECT_GE(Count(WM_COMMAND, EN_MAXTEXT), 1);
    SendMessage(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_TRUE(GetWindowLongPtr(edit, GWL_STYLE) & ES_READONLY);
    Key(VK_BACK);
    SendMessage(edit, EM_SETSEL, 0, -1);
    SendMessage(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(edit), "abcde");
    // Copying still works while read-only.
    SendMessage(edit, WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_TEXT).value_or(""), "abcde");
    CloseClipboard();
}

TEST_F(EditWindowTest, MultiLineLinesAndScrollState) {
    HWND memo = Child(WC_EDIT, ES_MULTILINE | ES_WANTRETURN, 10, 10, 200, 50);
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "line " + std::to_string(i) + (i < 9 ? "\r\n" : "");
    SendMessage(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_EQ(SendMessage(memo, EM_GETLINECOUNT, 0, 0), 10);
    EXPECT_EQ(SendMessage(memo, EM_LINEINDEX, 2, 0), 16); // "line 0" CR LF "line 1" CR LF
    EXPECT_EQ(SendMessage(memo, EM_LINELENGTH, 16, 0), 6);
    EXPECT_EQ(SendMessage(memo, EM_LINEFROMCHAR, 17, 0), 2);
    EXPECT_EQ(SendMessage(memo, EM_LINEFROMCHAR, 15, 0), 1); // the LF still ends line 1
    char line[32] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    EXPECT_EQ(SendMessage(memo, EM_GETLINE, 3, reinterpret_cast<LPARAM>(line)), 6);
    EXPECT_EQ(std::string(line, 6), "line 3");

    int min = -1, max = -1;
    GetScrollRange(memo, SB_VERT, &min, &max);
    EXPECT_EQ(max, 9);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(memo, SB_VERT, &si);
    int visible = static_cast<int>(si.nPage);
    EXPECT_GT(visible, 1);
    EXPECT_LT(visible, 7);
    // Line p at the top after a thumb request for p.
    SendMessage(memo, WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, 3), 0);
    EXPECT_EQ(SendMessage(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    EXPECT_EQ(GetScrollPos(memo, SB_VERT), 3);
    // Typing Enter at the end adds a line and keeps the caret in view.
    SetFocus(memo);
    screen->KeyDown(VK_CONTROL);
    screen->Key(VK_END);
    screen->KeyUp(VK_CONTROL);
    Pump();
    Key(VK_RETURN);
    Type("x");
    EXPECT_EQ(SendMessage(memo, EM_GETLINECOUNT, 0, 0), 11);
    EXPECT_EQ(SendMessage(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 11 - visible);
}

TEST_F(EditWindowTest, PaintsSelectionInHighlight) {
    HWND edit = Child(WC_EDIT, 0, 10, 10, 200, 22, "WWWW");
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 0, 2);
    gfx::Bitmap shot = Render(edit);
    LRESULT end = SendMessage(edit, EM_POSFROMCHAR, 2, 0);
    int xEnd = static_cast<std::int16_t>(LOWORD(static_cast<DWORD>(end)));
    ASSERT_GT(xEnd, 4);
    // Selected cells have the highlight somewhere; the empty right part is the window colour.
    bool highlighted = false;
    for (int x = 1; x < xEnd; ++x)
        for (int y = 0; y < 14; ++y)
            if (shot.GetColor(x, y) == GetSysColor(COLOR_HIGHLIGHT)) highlighted = true;
    EXPECT_TRUE(highlighted);
    EXPECT_EQ(shot.GetColor(190, 5), GetSysColor(COLOR_WINDOW));
}

// The editing keys as the keyboard gives them (keys and the characters TranslateMessage makes of
// them), in a single-line edit holding a path and in a memo.
TEST_F(EditWindowTest, EditingKeysFromTheKeyboard) {
    for (DWORD style : {DWORD(ES_AUTOHSCROLL), DWORD(ES_MULTILINE | ES_WANTRETURN)}) {
        SCOPED_TRACE(style);
        HWND edit = Child(WC_EDIT, style, 10, 10, 300, 60, "D:\\logs\\W3SVC1");
        SetFocus(edit);
        Pump();
        // Ctrl+A selects everything, so typing replaces the old text.
        CtrlKey('A');
        EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{0, 14}));
        Type("E:\\web\\old site");
        EXPECT_EQ(Text(edit), "E:\\web\\old site");
        // Ctrl+Backspace deletes the word before the caret, then the folder name before that.
        CtrlKey(VK_BACK);
        EXPECT_EQ(Text(edit), "E:\\web\\old ");
        CtrlKey(VK_BACK);
        CtrlKey(VK_BACK);
        EXPECT_EQ(Text(edit), "E:\\");
        // Ctrl+Z undoes the last edit.
        CtrlKey('Z');
        EXPECT_EQ(Text(edit), "E:\\web\\");
        // Home and Shift+End select the line, Shift+Left gives one character back.
        Key(VK_HOME);
        ShiftKeys({VK_END, VK_LEFT});
        EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{0, 6}));
        // Ctrl+C copies, Ctrl+X cuts, Ctrl+V pastes through the desktop clipboard.
        CtrlKey('C');
        EXPECT_EQ(Clipboard(), "E:\\web");
        EXPECT_EQ(Text(edit), "E:\\web\\");
        CtrlKey('X');
        EXPECT_EQ(Text(edit), "\\");
        Key(VK_END);
        CtrlKey('V');
        EXPECT_EQ(Text(edit), "\\E:\\web");
        // End, then Shift+Home selects back to the start of the line.
        Key(VK_END);
        ShiftKey(VK_HOME);
        EXPECT_EQ(Sel(edit), (std::pair<DWORD, DWORD>{0, 7}));
        DestroyWindow(edit);
    }
}
