#include "ApplicationFixture.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vcl;

class FormBehaviourTest : public ApplicationFixture {};

namespace {

// A dialog with an OK button (default) and a Cancel button, as the history editor has.
struct Dialog {
    TForm* form;
    TButton* ok;
    TButton* cancel;
    int okClicks = 0;

    explicit Dialog(TComponent* owner) {
        form = new TForm(owner);
        form->SetBorderStyle(bsDialog);
        form->SetClientSize(300, 120);
        ok = new TButton(form);
        ok->SetParent(form);
        ok->SetBounds(60, 80, 75, 25);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->OnClick = [this](TObject*) { ++okClicks; };
        cancel = new TButton(form);
        cancel->SetParent(form);
        cancel->SetBounds(160, 80, 75, 25);
        cancel->SetCaption("Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
    }
};

} // namespace

TEST_F(FormBehaviourTest, EnterClicksTheDefaultButtonAndEndsTheModalLoop) {
    auto* main = new TForm(app.get());
    main->Show();
    Dialog d(app.get());
    bool ownerDisabledWhileModal = false;
    screen->Key(VK_RETURN); // typed while the dialog comes up: it reaches the focused button
    d.ok->OnClick = [&](TObject*) {
        ++d.okClicks;
        ownerDisabledWhileModal = !IsWindowEnabled(main->Handle());
    };
    EXPECT_EQ(d.form->ShowModal(), mrOk);
    EXPECT_EQ(d.okClicks, 1);
    EXPECT_TRUE(ownerDisabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(d.form->Visible());
}

TEST_F(FormBehaviourTest, EscapeClicksTheCancelButton) {
    Dialog d(app.get());
    screen->Key(VK_ESCAPE);
    EXPECT_EQ(d.form->ShowModal(), mrCancel);
    EXPECT_EQ(d.okClicks, 0);
}

TEST_F(FormBehaviourTest, EnterOnAFocusedOtherButtonClicksThatOne) {
    Dialog d(app.get());
    d.form->SetActiveControl(d.cancel);
    screen->Key(VK_RETURN);
    EXPECT_EQ(d.form->ShowModal(), mrCancel);
    EXPECT_EQ(d.okClicks, 0);
}

TEST_F(FormBehaviourTest, CloseQueryCanKeepAModalFormOpen) {
    Dialog d(app.get());
    int asked = 0;
    d.form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    screen->Key(VK_ESCAPE);
    screen->Key(VK_RETURN);
    EXPECT_EQ(d.form->ShowModal(), mrOk); // the first answer refused, the second let it close
    EXPECT_EQ(asked, 2);
}

TEST_F(FormBehaviourTest, ClosingTheMainFormEndsRun) {
    TForm* main = nullptr;
    app->CreateForm(main);
    ASSERT_EQ(app->MainForm(), main);
    std::vector<std::string> log;
    main->OnShow = [&](TObject*) {
        log.push_back("show");
        PostMessage(main->Handle(), WM_CLOSE, 0, 0);
    };
    main->OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
    app->Run();
    EXPECT_EQ(log, (std::vector<std::string>{"show", "close"}));
    EXPECT_TRUE(app->Terminated());
}

TEST(ErrorReport, FullStopAppendedWhenTheLastCharacterSortsAfterTheFullStop) {
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"Cannot open file \"/x/DefaultDir.txt\". No such file or directory",
         "Cannot open file \"/x/DefaultDir.txt\". No such file or directory."},
        {"Stream read error", "Stream read error."},
        {"Already stopped.", "Already stopped."},
        {"Done!", "Done!"}, // '!' sorts before '.'
        {"bad value \"x\"", "bad value \"x\""},
        {"path C:/", "path C:/."}, // '/' sorts after '.'
        {"count 7", "count 7."},
        {"中文", "中文."}, // a code point above '.'
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorReportText(c.message), c.shown) << c.message;
    }
}

TEST_F(FormBehaviourTest, ExceptionsFromHandlersReachTheApplicationsReport) {
    auto* form = new TForm(app.get());
    auto* button = new TButton(form);
    button->SetParent(form);
    button->OnClick = [](TObject*) { throw std::runtime_error("Cannot read \"a.log\""); };
    std::vector<std::string> reported;
    app->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    form->Show();
    app->ProcessMessages();
    ClickAt(button, 5, 5);
    EXPECT_EQ(reported, (std::vector<std::string>{"Cannot read \"a.log\""}));
}

TEST_F(FormBehaviourTest, WindowProcHooksSurviveRecreationAndWindowSubclassingChains) {
    auto* form = new TForm(app.get());
    std::vector<UINT> seen;
    TWndMethod saved = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) {
            seen.push_back(m.Msg);
            m.Result = 42;
            return;
        }
        saved(m);
    };
    EXPECT_EQ(SendMessage(form->Handle(), WM_USER + 1, 0, 0), 42);
    form->RecreateWnd();
    EXPECT_EQ(SendMessage(form->Handle(), WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(seen.size(), 2u);

    // A window-level subclass sees messages first and chains to the framework's procedure.
    static WNDPROC previous = nullptr;
    static int subclassed = 0;
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(form->Handle(), GWLP_WNDPROC,
                         reinterpret_cast<LONG_PTR>(+[](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
                             if (msg == WM_USER + 1) {
                                 ++subclassed;
                             }
                             return CallWindowProc(previous, h, msg, w, l);
                         })));
    EXPECT_EQ(SendMessage(form->Handle(), WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(subclassed, 1);
    form->SetCaption("still a framework window");
    EXPECT_EQ(form->Caption(), "still a framework window");
}

TEST_F(FormBehaviourTest, ClickingAButtonSetsTheModalResultBeforeOnClick) {
    Dialog d(app.get());
    TModalResult seenInClick = -1;
    d.ok->OnClick = [&](TObject*) { seenInClick = d.form->ModalResult(); };
    d.form->OnShow = [&](TObject*) {
        // Pressing and releasing outside the button does not click it.
        POINT p = ScreenAt(d.ok, 10, 10);
        screen->MouseMove(p.x, p.y);
        screen->MouseDown();
        screen->MouseMove(p.x + 200, p.y + 200);
        screen->MouseUp();
        screen->Click(p.x, p.y);
    };
    EXPECT_EQ(d.form->ShowModal(), mrOk);
    EXPECT_EQ(seenInClick, mrOk);
}

TEST_F(FormBehaviourTest, MouseEnterAndLeaveFollowTheControlUnderTheMouse) {
    auto* form = new TForm(app.get());
    form->SetBounds(100, 100, 300, 200);
    auto* panel = new TCustomControl(form);
    panel->SetParent(form);
    panel->SetBounds(150, 20, 100, 100);
    auto* label = new TGraphicControl(form);
    label->SetParent(form);
    label->SetBounds(10, 20, 80, 20);
    std::vector<std::string> log;
    auto watch = [&](TControl* c, const char* name) {
        c->OnMouseEnter = [&log, name](TObject*) { log.push_back(std::string("enter ") + name); };
        c->OnMouseLeave = [&log, name](TObject*) { log.push_back(std::string("leave ") + name); };
    };
    watch(panel, "panel");
    watch(label, "label");
    form->Show();
    app->ProcessMessages();
    MoveTo(label, 5, 5);
    EXPECT_TRUE(label->MouseInClient());
    MoveTo(panel, 5, 5);
    MoveTo(panel, 50, 50);   // moving inside says nothing new
    MoveTo(form, 120, 150);  // the form itself, outside both
    screen->MouseMove(5, 5); // off the form
    Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"enter label", "leave label", "enter panel", "leave panel"}));
    EXPECT_EQ(app->MouseControl(), nullptr);
}

TEST_F(FormBehaviourTest, TabMovesTheFocusInTabOrderSkippingWhatCannotTakeIt) {
    auto* form = new TForm(app.get());
    std::vector<TButton*> b;
    for (int i = 0; i < 4; ++i) {
        auto* button = new TButton(form);
        button->SetParent(form);
        button->SetBounds(10 + 80 * i, 10, 75, 25);
        b.push_back(button);
    }
    b[2]->SetEnabled(false);
    b[3]->SetTabOrder(0); // now first
    form->Show();
    Settle();
    EXPECT_EQ(form->ActiveControl(), b[3]);
    const TButton* expected[] = {b[0], b[1], b[3], b[0]};
    for (const TButton* want : expected) {
        screen->Key(VK_TAB);
        Settle();
        EXPECT_EQ(form->ActiveControl(), want);
        EXPECT_TRUE(const_cast<TButton*>(want)->Focused());
    }
    screen->KeyDown(VK_SHIFT);
    screen->Key(VK_TAB);
    screen->KeyUp(VK_SHIFT);
    Settle();
    EXPECT_EQ(form->ActiveControl(), b[3]);
}

namespace {

// Stands in for a native control class: it answers one private message itself and tells its
// parent about a change the way native controls do.
LRESULT StubNativeProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_USER + 5) {
        SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(7, 1), reinterpret_cast<LPARAM>(hwnd));
        return 77;
    }
    return DefWindowProc(hwnd, msg, w, l);
}

class TWrapped : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<UINT> reflected;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "StubNative");
    }
    void Dispatch(TMessage& m) override {
        if (m.Msg == CN_COMMAND) {
            reflected.push_back(HIWORD(m.WParam));
            return;
        }
        TWinControl::Dispatch(m);
    }
};

} // namespace

TEST_F(FormBehaviourTest, WrappedNativeClassAnswersWhatTheControlLeavesAndNotificationsComeBack) {
    WNDCLASS wc{};
    wc.lpfnWndProc = &StubNativeProc;
    wc.lpszClassName = "StubNative";
    RegisterClass(&wc);
    auto* form = new TForm(app.get());
    auto* wrapped = new TWrapped(form);
    wrapped->SetParent(form);
    wrapped->SetBounds(10, 10, 50, 20);
    EXPECT_EQ(SendMessage(wrapped->Handle(), WM_USER + 5, 0, 0), 77);
    EXPECT_EQ(wrapped->reflected, (std::vector<UINT>{1})); // WM_COMMAND came back as CN_COMMAND
    EXPECT_EQ(TWinControl::FindControl(wrapped->Handle()), wrapped);
    char name[32] = {};
    GetClassName(wrapped->Handle(), name, sizeof(name));
    EXPECT_STREQ(name, "StubNative");
    wrapped->SetCaption("text kept by the native window");
    wrapped->RecreateWnd();
    EXPECT_EQ(wrapped->Caption(), "text kept by the native window");
    EXPECT_EQ(SendMessage(wrapped->Handle(), WM_USER + 5, 0, 0), 77);
}

TEST_F(FormBehaviourTest, ShortCutsThenKeyPreviewThenTheFocusedControl) {
    auto* form = new TForm(app.get());
    auto* button = new TButton(form);
    button->SetParent(form);
    std::vector<std::string> log;
    form->OnShortCut = [&](WORD key, TShiftState, bool& handled) {
        log.push_back("shortcut " + std::to_string(key));
        handled = key == 'A';
    };
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("form " + std::to_string(key));
        if (key == 'B') {
            key = 0; // swallowed before the control sees it
        }
    };
    button->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("button " + std::to_string(key));
    };
    form->Show();
    Settle();
    screen->Key('A');
    screen->Key('B'); // KeyPreview is off: the form does not see it
    Settle();
    form->SetKeyPreview(true);
    screen->Key('B');
    screen->Key('C');
    Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"shortcut 65", "shortcut 66", "button 66", "shortcut 66",
                                             "form 66", "shortcut 67", "form 67", "button 67"}));
}

TEST_F(FormBehaviourTest, FreeingTheFocusedControlLeavesTheFormWithoutIt) {
    Dialog d(app.get());
    d.form->Show();
    d.ok->SetFocus();
    app->ProcessMessages();
    EXPECT_EQ(d.form->ActiveControl(), d.ok);
    delete d.ok;
    EXPECT_EQ(d.form->ActiveControl(), nullptr);
    d.cancel->SetFocus(); // must not reach the freed control
    app->ProcessMessages();
    EXPECT_EQ(d.form->ActiveControl(), d.cancel);
}

TEST_F(FormBehaviourTest, TheMessageFilterSeesQueuedMessagesFirstAndMaySwallowThem) {
    auto* form = new TForm(app.get());
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    std::vector<std::string> shortCuts;
    form->OnShortCut = [&](WORD key, TShiftState, bool&) { shortCuts.push_back(std::to_string(key)); };
    form->Show();
    Settle();

    std::vector<UINT> seen;
    bool swallow = true;
    app->OnMessage = [&](MSG& msg, bool& handled) {
        seen.push_back(msg.message);
        handled = swallow;
    };
    ClickAt(button, 5, 5);
    screen->Key('A');
    PostMessage(form->Handle(), WM_USER + 7, 0, 0);
    Settle();
    EXPECT_EQ(clicks, 0) << "a swallowed press and release never reach the button";
    EXPECT_TRUE(shortCuts.empty()) << "a swallowed key goes nowhere, not even to the shortcuts";
    for (UINT m :
         {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONUP), UINT(WM_KEYDOWN), UINT(WM_KEYUP), UINT(WM_USER + 7)}) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), m), seen.end()) << std::hex << m;
    }

    swallow = false;
    ClickAt(button, 5, 5);
    screen->Key('A');
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shortCuts, (std::vector<std::string>{"65"}));

    std::vector<std::string> reported;
    app->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    app->OnMessage = [&](MSG& msg, bool&) {
        if (msg.message == WM_USER + 8) {
            throw std::runtime_error("filter failed");
        }
    };
    PostMessage(form->Handle(), WM_USER + 8, 0, 0);
    Settle();
    EXPECT_EQ(reported, (std::vector<std::string>{"filter failed"}));
}

TEST_F(FormBehaviourTest, AcceleratorsReachButtonsAsDialogChars) {
    auto* form = new TForm(app.get());
    auto* open = new TButton(form);
    open->SetParent(form);
    open->SetBounds(10, 10, 80, 25);
    open->SetCaption("&Open");
    int opened = 0;
    open->OnClick = [&](TObject*) { ++opened; };
    auto* other = new TButton(form);
    other->SetParent(form);
    other->SetBounds(100, 10, 80, 25);
    other->SetCaption("&Close");
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 50, 150, 22);
    std::vector<WPARAM> dialogChars;
    form->WindowProc = [&, base = form->WindowProc](TMessage& m) {
        if (m.Msg == CM_DIALOGCHAR) {
            dialogChars.push_back(m.WParam);
        }
        base(m);
    };
    form->Show();
    Settle();

    struct Case {
        const char* what;
        TWinControl* focus;
        bool alt; // typed with Alt held: a WM_SYSCHAR
        std::string typed;
        int clicks;         // of "&Open"
        std::size_t offers; // CM_DIALOGCHARs the form got
        std::string editText;
    };
    const Case cases[] = {
        {"a button takes no characters: its form's accelerators do", other, false, "o", 1, 1, ""},
        {"without regard to case", other, false, "O", 1, 1, ""},
        {"a character that is nobody's accelerator", other, false, "x", 0, 1, ""},
        {"an edit takes its characters itself", edit, false, "o", 0, 0, "o"},
        {"Alt with a character goes to the accelerators from anywhere", edit, true, "o", 1, 1, ""},
        {"Alt+Space is the system menu's", edit, true, " ", 0, 0, ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        edit->SetText("");
        k.focus->SetFocus();
        Settle();
        opened = 0;
        dialogChars.clear();
        if (k.alt && k.typed == " ") {
            PostMessage(edit->Handle(), WM_SYSCHAR, ' ', LPARAM(1) << 29);
        } else if (k.alt) {
            screen->KeyDown(VK_MENU);
            screen->Key(k.typed[0] - 'a' + 'A');
            screen->KeyUp(VK_MENU);
        } else {
            screen->Text(k.typed);
        }
        Settle();
        EXPECT_EQ(opened, k.clicks);
        EXPECT_EQ(dialogChars.size(), k.offers);
        EXPECT_EQ(edit->GetText(), k.editText);
    }
}
