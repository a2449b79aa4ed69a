// The combo box's edit style on the headless screen: auto-completion (a table of typing sequences,
// Chinese among them, on the headless clock), the previous and next item keys, Enter and Escape
// between the list and the form's buttons, the edit's change handling without re-entry, and the
// transparent edit over the skinned box.

#include "ControlsFixture.h"

#include "framework/Button.h"
#include "platform/gfx/Utf8.h"
#include "skin/controls/qvSkinComboBox.h"
#include "skin/form/qvSkinMenus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

class ComboEditTest : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        skin = EmbeddedSkin();
        box = new TqvSkinComboBox(form);
        box->SetParent(form);
        box->SetBounds(20, 20, 433, 22);
        box->SetSkinData(skin);
        box->SetStyle(qvcbEditStyle);
        box->OnChange = [this](vcl::TObject*) { events.push_back("change:" + box->GetText()); };
        box->OnClick = [this](vcl::TObject*) {
            events.push_back("click:" + std::to_string(box->ItemIndex()));
        };
        Show();
        // The clock starts at 0: move past the completion gate of a search "at 0".
        Advance(300, 100);
        edit()->SetFocus();
        Settle();
    }

    TqvCustomEdit* edit() { return box->InnerEdit(); }
    void AddItems(std::initializer_list<const char*> items) {
        for (const char* s : items) {
            box->Items()->Add(s);
        }
    }
    // One typed character as a keyboard sends it: key down, the character, key up. Characters
    // without a key of their own (Chinese through an input method) arrive as text only.
    void TypeChar(const std::string& ch) {
        const char32_t c = gfx::ToCodePoints(ch).at(0);
        int vk = 0;
        if (c >= 'a' && c <= 'z') {
            vk = int('A' + (c - 'a'));
        } else if (c >= 'A' && c <= 'Z') {
            vk = int(c);
        } else if (c >= '0' && c <= '9') {
            vk = int(c);
        } else if (c == ':') {
            vk = 0xBA; // VK_OEM_1
        } else if (c == '\\') {
            vk = 0xDC; // VK_OEM_5
        }
        if (vk != 0) {
            screen->KeyDown(vk);
        }
        screen->Text(ch);
        if (vk != 0) {
            screen->KeyUp(vk);
        }
        Settle();
    }
    void Press(int vk) {
        screen->Key(vk);
        Settle();
    }
    std::string Selected() { return edit()->SelText(); }

    TqvSkinData* skin = nullptr;
    TqvSkinComboBox* box = nullptr;
    std::vector<std::string> events;
};

} // namespace

// Each case types its steps into the edit of a box holding `items`; a step waits `waitMs` on the
// headless clock and then types one character. After the last step (and any completion held back
// by the gate) the box shows `text` with `selection` selected as the completed tail.
TEST_F(ComboEditTest, AutoCompletionTable) {
    struct Step {
        int waitMs;
        const char* ch;
    };
    struct Case {
        const char* name;
        std::vector<const char*> items;
        std::vector<Step> steps;
        const char* textAfterSteps; // before a held-back completion runs
        const char* text;           // in the end
        int selStart, selLength;    // code points
        int itemIndex;
    };
    // clang-format off
    const Case cases[] = {
        {"one letter completes, the tail selected", {"E:\\logs\\", "D:\\iis\\"}, {{300, "d"}},
         "D:\\iis\\", "D:\\iis\\", 1, 6, 1},
        {"the next character replaces the tail and completes with both", {"E:\\logs\\", "D:\\iis\\"},
         {{300, "d"}, {300, ":"}}, "D:\\iis\\", "D:\\iis\\", 2, 5, 1},
        {"a key within 200 ms waits for the gate, then completes", {"alpha", "beta"},
         {{300, "b"}, {100, "e"}}, "be", "beta", 2, 2, 1},
        {"two keys within 200 ms complete only after the second", {"alpha", "beta"},
         {{300, "b"}, {100, "e"}, {50, "t"}}, "bet", "beta", 3, 1, 1},
        {"a key 200 ms after the last completion completes at once", {"alpha", "beta"},
         {{300, "b"}, {250, "e"}}, "beta", "beta", 2, 2, 1},
        {"one character searches after the current item", {"abc", "abd"}, {{300, "a"}}, "abd", "abd", 1, 2, 1},
        {"no match keeps what was typed", {"alpha"}, {{300, "z"}}, "z", "z", 1, 0, -1},
        {"the item's letter case wins", {"d:\\w3svc"}, {{300, "D"}}, "d:\\w3svc", "d:\\w3svc", 1, 7, 0},
        {"Chinese from an input method", {"D:\\日志\\北京", "D:\\日志\\上海"},
         {{300, "D"}, {300, ":"}, {300, "\\"}, {300, "日"}, {300, "志"}, {300, "\\"}, {300, "上"}},
         "D:\\日志\\上海", "D:\\日志\\上海", 7, 1, 1},
        {"Chinese first character", {"北京\\logs", "上海\\logs"}, {{300, "上"}}, "上海\\logs", "上海\\logs", 1, 6, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box->SetItemIndex(-1);
        box->Items()->Clear();
        box->SetText("");
        for (const char* item : c.items) {
            box->Items()->Add(item);
        }
        for (const Step& s : c.steps) {
            Advance(s.waitMs);
            TypeChar(s.ch);
        }
        EXPECT_EQ(box->GetText(), c.textAfterSteps);
        Advance(300);
        EXPECT_EQ(box->GetText(), c.text);
        EXPECT_EQ(edit()->GetText(), c.text);
        EXPECT_EQ(edit()->SelStart(), c.selStart);
        EXPECT_EQ(edit()->SelLength(), c.selLength);
        EXPECT_EQ(box->ItemIndex(), c.itemIndex);
    }
}

TEST_F(ComboEditTest, TypingWithoutMatchScrollsNothingAndAutoCompleteOffOnlyScrolls) {
    for (int i = 0; i < 20; ++i) {
        box->Items()->Add("item " + std::to_string(i));
    }
    box->Items()->Add("zeta");
    TqvListBox* native = box->DropDownList()->InnerListBox();
    TypeChar("q");
    EXPECT_EQ(box->GetText(), "q");
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(native->TopIndex(), 0);

    box->SetAutoComplete(false);
    Press(VK_BACK);
    Advance(300);
    TypeChar("z");
    EXPECT_EQ(box->GetText(), "z");
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_GT(native->TopIndex(), 0);
}

TEST_F(ComboEditTest, UpAndDownChooseItemsWithText) {
    AddItems({"a0", "a1", "a2", "a3"});
    box->SetItemIndex(3);
    events.clear();
    Press(VK_DOWN); // the last item: nothing
    EXPECT_EQ(box->ItemIndex(), 3);
    EXPECT_TRUE(events.empty());

    box->SetItemIndex(2);
    events.clear();
    Press(VK_DOWN);
    EXPECT_EQ(box->ItemIndex(), 3);
    EXPECT_EQ(box->GetText(), "a3");
    EXPECT_EQ(edit()->GetText(), "a3");
    EXPECT_EQ(Selected(), "a3");
    EXPECT_EQ(events, (std::vector<std::string>{"change:a3", "click:3"}));

    events.clear();
    Press(VK_UP);
    EXPECT_EQ(box->GetText(), "a2");
    EXPECT_EQ(Selected(), "a2");
    EXPECT_EQ(events, (std::vector<std::string>{"change:a2", "click:2"}));
    EXPECT_EQ(GetFocus(), edit()->Handle());
}

TEST_F(ComboEditTest, EnterAndEscapeCloseTheListOrReachTheFormsButtons) {
    AddItems({"a0", "a1", "a2"});
    int defaults = 0, cancels = 0;
    auto* ok = new vcl::TButton(form);
    ok->SetParent(form);
    ok->SetBounds(20, 100, 80, 24);
    ok->SetDefault(true);
    ok->OnClick = [&](vcl::TObject*) { ++defaults; };
    auto* cancel = new vcl::TButton(form);
    cancel->SetParent(form);
    cancel->SetBounds(120, 100, 80, 24);
    cancel->SetCancel(true);
    cancel->OnClick = [&](vcl::TObject*) { ++cancels; };
    box->SetItemIndex(0);
    edit()->SetFocus();
    Settle();

    // With the list open Enter accepts the highlighted row and presses nothing.
    box->DropDown();
    Settle();
    Press(VK_NEXT); // the list only: DropDownCount - 1 rows on, clamped
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 2);
    EXPECT_EQ(box->GetText(), "a0");
    Press(VK_RETURN);
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_EQ(box->GetText(), "a2");
    EXPECT_EQ(edit()->GetText(), "a2");
    EXPECT_EQ(defaults, 0);

    // Escape with the list open restores the earlier item and presses nothing.
    box->DropDown();
    Settle();
    Press(VK_PRIOR);
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 0);
    Press(VK_ESCAPE);
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(cancels, 0);

    // With the list closed they are the form's: default and cancel buttons act, nothing is typed.
    Press(VK_RETURN);
    EXPECT_EQ(defaults, 1);
    Press(VK_ESCAPE);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(edit()->GetText(), "a2");
    EXPECT_EQ(GetFocus(), edit()->Handle());
}

TEST_F(ComboEditTest, EditChangesReachTextOnceWithoutReentry) {
    AddItems({"alpha", "beta"});
    std::vector<bool> changing;
    int changes = 0;
    box->OnChange = [&](vcl::TObject*) {
        ++changes;
        changing.push_back(box->EditChanging());
        // A handler that rewrites Text while the edit's change is handled.
        if (box->GetText() == "rewrite") {
            box->SetText("REWRITTEN");
        }
    };
    box->SetAutoComplete(false);
    TypeChar("q");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changing, std::vector<bool>{true});

    // The program's Text reaches the edit, whose change does not come back as a second OnChange.
    changes = 0;
    changing.clear();
    box->SetText("set");
    EXPECT_EQ(edit()->GetText(), "set");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changing, std::vector<bool>{false});

    // The handler's own Text wins in the edit too.
    edit()->SetText("rewrite");
    Settle();
    EXPECT_EQ(box->GetText(), "REWRITTEN");
    EXPECT_EQ(edit()->GetText(), "REWRITTEN");
    EXPECT_FALSE(box->EditChanging());
}

// Ctrl+A and Ctrl+C are commands: releasing their letter must not complete the text, which would
// collapse the selection just made, whichever key is let go first; typing then replaces the text.
TEST_F(ComboEditTest, CommandKeysDoNotComplete) {
    AddItems({"D:\\logs\\W3SVC1"});
    for (bool ctrlFirst : {false, true}) {
        SCOPED_TRACE(ctrlFirst ? "Ctrl let go first" : "A let go first");
        box->SetText("D:\\logs");
        Settle();
        Advance(300);
        screen->KeyDown(VK_CONTROL);
        screen->KeyDown('A');
        screen->KeyUp(ctrlFirst ? VK_CONTROL : 'A');
        screen->KeyUp(ctrlFirst ? 'A' : VK_CONTROL);
        Settle();
        Advance(300);
        EXPECT_EQ(box->GetText(), "D:\\logs");
        EXPECT_EQ(Selected(), "D:\\logs");
        TypeChar("e");
        EXPECT_EQ(box->GetText(), "e");
    }
}

// The wheel over the closed box never changes its text; over the open list it scrolls the list,
// and the text stays until a row is chosen.
TEST_F(ComboEditTest, TheWheelScrollsTheOpenListAndLeavesTheTextAlone) {
    for (int i = 0; i < 30; ++i)
        box->Items()->Add("D:\\logs\\W3SVC" + std::to_string(i));
    box->SetText("D:\\logs\\W3SVC3");
    Settle();
    MoveTo(edit(), 20, 5);
    screen->Wheel(-WHEEL_DELTA);
    screen->Wheel(WHEEL_DELTA);
    Settle();
    EXPECT_EQ(box->GetText(), "D:\\logs\\W3SVC3");
    box->DropDown();
    Settle();
    TqvListBox* list = box->DropDownList()->InnerListBox();
    const int top = list->TopIndex();
    MoveTo(list, 20, 10);
    screen->Wheel(-WHEEL_DELTA);
    Settle();
    EXPECT_GT(list->TopIndex(), top);
    EXPECT_EQ(box->GetText(), "D:\\logs\\W3SVC3");
    EXPECT_TRUE(box->DroppedDown());
}

// The transparent edit shows the skin around its text: beside the text the screen shows what the
// box draws there, and the text itself is drawn in the skin's font colour.
TEST_F(ComboEditTest, TransparentEditShowsTheSkinAroundItsText) {
    ASSERT_TRUE(edit()->EditTransparent());
    box->SetText("D:\\logs");
    form->SetFocus(); // the box's passive look
    Settle();
    UpdateWindow(form->Handle());
    Settle();
    vcl::TBitmap boxImage(box->Width(), box->Height());
    box->PaintTo(boxImage.Canvas());
    const RECT e = edit()->BoundsRect();
    // Far right of the edit: no text there, so the skin shows through.
    for (int x : {e.right - 3, e.right - 40}) {
        const int y = (e.top + e.bottom) / 2;
        EXPECT_EQ(ScreenPixel(box, x, y), gfx::PixelToColor(boxImage.Pixels().GetPixel(x, y))) << x;
    }
    // Some ink of the text's colour lies at its left.
    const gfx::Bitmap shot = ScreenShot();
    const POINT origin = ScreenAt(box, 0, 0);
    int ink = 0;
    for (int y = e.top; y < e.bottom; ++y) {
        for (int x = e.left; x < e.left + 40; ++x) {
            COLORREF c = gfx::PixelToColor(shot.GetPixel(origin.x + x, origin.y + y));
            ink += GetRValue(c) + GetGValue(c) + GetBValue(c) < 300 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 10);
}

TEST_F(ComboEditTest, StyleSwitchMovesTheTabStopAndFreesTheEdit) {
    EXPECT_FALSE(box->TabStop());
    EXPECT_TRUE(edit()->TabStop());
    box->SetText("kept");
    box->SetStyle(qvcbFixedStyle);
    Settle();
    EXPECT_EQ(box->InnerEdit(), nullptr);
    EXPECT_TRUE(box->TabStop());
    box->SetStyle(qvcbEditStyle);
    Settle();
    ASSERT_NE(box->InnerEdit(), nullptr);
    EXPECT_EQ(edit()->GetText(), "kept");
    // Focus given to the box goes on to the edit.
    box->SetFocus();
    Settle();
    EXPECT_EQ(GetFocus(), edit()->Handle());
}

// A box freed while its edit has the focus and a completion is held back leaves nothing behind.
TEST_F(ComboEditTest, FreeingTheBoxWithAPendingCompletion) {
    AddItems({"alpha"});
    Advance(300);
    TypeChar("a");
    Advance(50);
    TypeChar("x");
    HWND editWindow = edit()->Handle();
    delete box;
    box = nullptr;
    Advance(400);
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(GetFocus(), nullptr);
}

namespace {

std::vector<std::string> MenuItems(TqvSkinPopupMenu* menu) {
    std::vector<std::string> items;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        vcl::TMenuItem* item = menu->Items()->Items(i);
        items.push_back(item->Caption() + (item->IsLine() || item->Enabled() ? "" : " (off)"));
    }
    return items;
}

std::string ClipboardText() {
    OpenClipboard(nullptr);
    std::string text = GetClipboardData(CF_TEXT).value_or("");
    CloseClipboard();
    return text;
}

void PutOnClipboard(const std::string& text) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
}

} // namespace

// A right click opens the edit's own skinned menu with the items its state allows; the chosen
// command acts on the edit, which keeps the focus, and the menu is freed after it ran.
TEST_F(ComboEditTest, TheEditsContextMenuActsOnTheEditAndIsFreedAfterItsCommand) {
    box->SetText("D:\\logs");
    edit()->SetSelStart(3);
    edit()->SetSelLength(4);
    PutOnClipboard("pasted");
    POINT p = ScreenAt(edit(), 10, 5);
    screen->Click(p.x, p.y, ui::MouseButton::Right);
    Settle();
    TqvSkinPopupMenu* menu = edit()->ContextMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->Showing());
    EXPECT_EQ(MenuItems(menu), (std::vector<std::string>{"Undo (off)", "-", "Cut", "Copy", "Paste", "Delete",
                                                         "-", "Select All"}));
    EXPECT_EQ(GetFocus(), edit()->Handle());
    TqvSkinPopupWindow* popup = menu->Engine()->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    RECT wr{};
    GetWindowRect(popup->Handle(), &wr);
    const RECT& copy = popup->Items[3]->ItemRect;
    screen->Click(wr.left + copy.left + 10, wr.top + (copy.top + copy.bottom) / 2);
    Settle();
    EXPECT_EQ(ClipboardText(), "logs");
    EXPECT_EQ(edit()->ContextMenu(), nullptr);
    EXPECT_EQ(GetFocus(), edit()->Handle());

    // Read-only with all selected, from the menu key: only Copy acts, and Delete removes nothing.
    edit()->SetReadOnly(true);
    edit()->SelectAll();
    Press(VK_APPS);
    menu = edit()->ContextMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuItems(menu),
              (std::vector<std::string>{"Undo (off)", "-", "Cut (off)", "Copy", "Paste (off)", "Delete (off)",
                                        "-", "Select All (off)"}));
    Press(VK_ESCAPE);
    EXPECT_FALSE(menu->Showing());
    EXPECT_EQ(edit()->GetText(), "D:\\logs");
}

// Keys typed into the edit reach the box's key events with the box as sender; the pointer over
// the edit counts as over the box; a disabled box greys the edit's text with the skin's disabled
// edit colour.
TEST_F(ComboEditTest, EditKeysHoverAndDisabledText) {
    std::vector<std::string> keys;
    box->OnKeyDown = [&](vcl::TObject* sender, WORD& key, vcl::TShiftState) {
        keys.push_back((sender == box ? "down " : "down? ") + std::to_string(key));
    };
    box->OnKeyPress = [&](vcl::TObject* sender, char32_t& key) {
        keys.push_back((sender == box ? "press " : "press? ") + std::to_string(unsigned(key)));
    };
    box->OnKeyUp = [&](vcl::TObject* sender, WORD& key, vcl::TShiftState) {
        keys.push_back((sender == box ? "up " : "up? ") + std::to_string(key));
    };
    TypeChar("k");
    EXPECT_EQ(keys, (std::vector<std::string>{"down 75", "press 107", "up 75"}));
    EXPECT_EQ(edit()->GetText(), "k");

    // The pointer over the edit is over the box: its hover look stays on across the text area.
    MoveTo(form, 5, 5);
    EXPECT_FALSE(box->MouseInControl());
    MoveTo(edit(), 20, 5);
    EXPECT_TRUE(box->MouseInControl());
    const RECT button = box->DropButtonRect();
    MoveTo(box, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
    EXPECT_TRUE(box->MouseInControl());
    EXPECT_TRUE(box->ButtonHot());
    MoveTo(edit(), 20, 5);
    EXPECT_TRUE(box->MouseInControl());
    EXPECT_FALSE(box->ButtonHot());
    MoveTo(form, 5, 5);
    EXPECT_FALSE(box->MouseInControl());

    const TColor enabled = edit()->Font()->Color();
    box->SetEnabled(false);
    EXPECT_EQ(edit()->Font()->Color(), TColor(12102819)); // "edit" disabledfontcolor
    box->SetEnabled(true);
    EXPECT_EQ(edit()->Font()->Color(), enabled);
}
