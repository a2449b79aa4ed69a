// The skinned memo on the headless screen, laid out as in the history editor: the memo aligned to
// the client, its vertical bar on the right and horizontal bar at the bottom, drawn from the
// embedded skin's "memo" record over its background picture.

#include "ControlsFixture.h"

#include "framework/Edit.h"
#include "skin/controls/qvSkinMemo.h"
#include "skin/data/qvControlSkinRecords.h"
#include "skin/form/qvSkinMenus.h"

#include <string>

using namespace qv;

namespace {

class MemoTest : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        skin = EmbeddedSkin();
        // A client of 526 x 256: the memo gets 507 x 237 beside and above its bars.
        form->SetBorderStyle(vcl::bsNone);
        form->SetBounds(0, 0, 526, 256);
        hbar = new TqvSkinScrollBar(form);
        hbar->SetBounds(0, 237, 526, 19);
        hbar->SetParent(form);
        hbar->SetAlign(vcl::TAlign::alBottom);
        vbar = new TqvSkinScrollBar(form);
        vbar->SetKind(sbVertical);
        vbar->SetSkinDataName("vscrollbar");
        vbar->SetBounds(507, 0, 19, 237);
        vbar->SetParent(form);
        vbar->SetAlign(vcl::TAlign::alRight);
        memo = new TqvSkinMemo(form);
        memo->SetParent(form);
        memo->SetAlign(vcl::TAlign::alClient);
        hbar->SetSkinData(skin);
        vbar->SetSkinData(skin);
        memo->SetSkinData(skin);
        memo->SetVScrollBar(vbar);
        memo->SetHScrollBar(hbar);
        Show();
    }

    void SetLines(int n, const std::string& prefix = "line ") {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += prefix + std::to_string(i) + (i + 1 < n ? "\r\n" : "");
        memo->SetText(text);
        Settle();
    }
    int FirstLine() { return static_cast<int>(SendMessage(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
    SCROLLINFO Native(int bar) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(memo->Handle(), bar, &si);
        return si;
    }
    // The font colour and frame rectangle of the memo's present state.
    vcl::TColor StateFontColor() {
        return memo->Focused() || memo->MouseInControl() ? Record().activefontcolor : Record().font.color;
    }
    RECT StateRect() {
        return memo->Focused() || memo->MouseInControl() ? Record().activeskinrect : Record().skinrect;
    }
    const TqvDataSkinMemoControl& Record() {
        return dynamic_cast<const TqvDataSkinMemoControl&>(
            *skin->ControlSkins[static_cast<size_t>(skin->IndexOfControlSkin("memo"))]);
    }
    // Pixels of the memo's client area in `r` within a small distance of colour c: the cores of
    // anti-aliased glyphs drawn in c.
    int CountColour(const RECT& r, COLORREF c) {
        gfx::Bitmap shot = ScreenShot();
        auto near = [](int a, int b) { return std::abs(a - b) <= 24; };
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                POINT p = ScreenAt(memo, x, y);
                COLORREF v = gfx::PixelToColor(shot.GetPixel(p.x, p.y));
                n += near(GetRValue(v), GetRValue(c)) && near(GetGValue(v), GetGValue(c)) &&
                     near(GetBValue(v), GetBValue(c));
            }
        return n;
    }
    void CtrlKey(int vk) {
        screen->KeyDown(VK_CONTROL);
        screen->Key(vk);
        screen->KeyUp(VK_CONTROL);
        Settle();
    }

    TqvSkinData* skin = nullptr;
    TqvSkinScrollBar* hbar = nullptr;
    TqvSkinScrollBar* vbar = nullptr;
    TqvSkinMemo* memo = nullptr;
};

TEST_F(MemoTest, TextRectFollowsTheRecordsClientRectangle) {
    EXPECT_EQ(memo->SkinRecordIndex(), skin->IndexOfControlSkin("memo"));
    memo->SetAlign(vcl::TAlign::alNone);
    memo->SetBounds(0, 0, 507, 237);
    Settle();
    RECT r = memo->TextRect();
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{3, 3, 502, 233}));
    RECT native{};
    SendMessage(memo->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&native));
    EXPECT_EQ((std::vector<LONG>{native.left, native.top, native.right, native.bottom}),
              (std::vector<LONG>{3, 3, 502, 233}));
    // Without a skin: the plain insets.
    memo->SetSkinData(nullptr);
    memo->ReleaseSkinRecord();
    memo->UpdateTextRect();
    r = memo->TextRect();
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{3, 2, 503, 235}));
    // Too small for the skin's border: the rectangle is empty, never inverted.
    memo->SetSkinData(skin);
    memo->SetBounds(0, 0, 4, 3);
    Settle();
    r = memo->TextRect();
    EXPECT_EQ(r.right, r.left);
    EXPECT_EQ(r.bottom, r.top);
}

TEST_F(MemoTest, ApplySkinTakesTheRecordsFontAndColours) {
    EXPECT_EQ(memo->Font()->Name(), "Arial");
    EXPECT_EQ(memo->Font()->Height(), 14);
    EXPECT_EQ(memo->Font()->Color(), StateFontColor());
    EXPECT_EQ(memo->Color(), Record().bgcolor);
    // With UseSkinFontColor off the program's colour survives a skin change.
    memo->SetUseSkinFontColor(false);
    memo->Font()->SetColor(vcl::clRed);
    memo->ApplySkin();
    EXPECT_EQ(memo->Font()->Color(), vcl::clRed);
    memo->SetUseSkinFontColor(true);
    memo->ApplySkin();
    EXPECT_EQ(memo->Font()->Color(), StateFontColor());
    // A section the skin lacks: the plain look, and DefaultFont's changes reach the font.
    memo->SetSkinDataName("no such section");
    memo->ApplySkin();
    EXPECT_EQ(memo->SkinRecordIndex(), -1);
    memo->DefaultFont()->SetName("Courier New");
    EXPECT_EQ(memo->Font()->Name(), "Courier New");
}

TEST_F(MemoTest, BackgroundFrameAndTextArePaintedFromTheSkin) {
    SetLines(3);
    memo->Invalidate();
    Settle();
    const gfx::Bitmap& picture = *memo->SkinPicture();
    const TqvDataSkinMemoControl& rec = Record();
    // The frame's top-left corner and a background pixel come from the record's picture.
    RECT state = StateRect();
    EXPECT_EQ(ScreenPixel(memo, 0, 0), gfx::PixelToColor(picture.GetPixel(state.left, state.top)));
    COLORREF tile = gfx::PixelToColor(
        picture.GetPixel(state.left + rec.clientrect.left + 5, state.top + rec.clientrect.top + 5));
    EXPECT_EQ(ScreenPixel(memo, 300, 200), tile);
    // The text is drawn over it, in the record's font colour.
    EXPECT_GT(CountColour(RECT{3, 3, 80, 50}, vcl::ColorToRGB(StateFontColor())), 10);
    // An erase outside a paint draws background and text; the paint after it only validates.
    RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    EXPECT_TRUE(memo->BackgroundPainted());
    UpdateWindow(memo->Handle());
    EXPECT_FALSE(memo->BackgroundPainted());
    EXPECT_FALSE(GetUpdateRect(memo->Handle(), nullptr, FALSE));
    EXPECT_GT(CountColour(RECT{3, 3, 80, 50}, vcl::ColorToRGB(StateFontColor())), 10);
}

TEST_F(MemoTest, TheVerticalBarFollowsTheLinesAndScrollsThem) {
    SetLines(3);
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_EQ(vbar->Max(), 0);
    EXPECT_EQ(vbar->PageSize(), 0);
    SetLines(40);
    SCROLLINFO si = Native(SB_VERT);
    ASSERT_LT(static_cast<int>(si.nPage), si.nMax + 1);
    EXPECT_TRUE(vbar->Enabled());
    EXPECT_EQ(vbar->Max(), si.nMax);
    EXPECT_EQ(vbar->PageSize(), static_cast<int>(si.nPage));
    EXPECT_EQ(vbar->Position(), FirstLine());
    // Moving the bar scrolls the text so that line p is at the top.
    vbar->SetPosition(7);
    Settle();
    EXPECT_EQ(FirstLine(), 7);
    // One wheel notch towards the user: one line down, and the bar follows.
    POINT p = ScreenAt(memo, 100, 100);
    screen->MouseMove(p.x, p.y);
    screen->Wheel(-WHEEL_DELTA);
    Settle();
    EXPECT_EQ(FirstLine(), 8);
    EXPECT_EQ(vbar->Position(), 8);
    screen->Wheel(WHEEL_DELTA);
    Settle();
    EXPECT_EQ(FirstLine(), 7);
    // Keys move the caret and the view; the bar follows.
    memo->SetFocus();
    CtrlKey(VK_END);
    EXPECT_EQ(vbar->Position(), FirstLine());
    EXPECT_EQ(FirstLine(), si.nMax - static_cast<int>(si.nPage) + 1);
}

TEST_F(MemoTest, TheHorizontalBarNeedsTextWiderThanThePage) {
    SetLines(2);
    EXPECT_FALSE(hbar->Enabled());
    memo->SetText(std::string(200, 'W'));
    Settle();
    SCROLLINFO si = Native(SB_HORZ);
    ASSERT_LT(static_cast<int>(si.nPage), si.nMax);
    EXPECT_TRUE(hbar->Enabled());
    EXPECT_EQ(hbar->Max(), si.nMax);
    EXPECT_EQ(hbar->PageSize(), static_cast<int>(si.nPage));
    hbar->SetPosition(120);
    Settle();
    EXPECT_EQ(Native(SB_HORZ).nPos, 120);
    // A sideways wheel, and Shift with the wheel, scroll the text sideways; the bar follows.
    POINT p = ScreenAt(memo, 60, 20);
    screen->MouseMove(p.x, p.y);
    screen->HWheel(WHEEL_DELTA);
    Settle();
    const int right = Native(SB_HORZ).nPos;
    EXPECT_GT(right, 120);
    EXPECT_EQ(hbar->Position(), right);
    screen->KeyDown(VK_SHIFT);
    screen->Wheel(WHEEL_DELTA); // away from the user: to the left
    screen->KeyUp(VK_SHIFT);
    Settle();
    EXPECT_EQ(Native(SB_HORZ).nPos, 120);
    EXPECT_EQ(hbar->Position(), 120);
}

TEST_F(MemoTest, DisablingScrollsLeftDisablesTheBarsAndGreysTheText) {
    memo->SetText(std::string(200, 'W') + "\r\nsecond");
    for (int i = 0; i < 40; ++i)
        memo->Lines()->Add("more");
    Settle();
    hbar->SetPosition(100);
    Settle();
    ASSERT_GT(Native(SB_HORZ).nPos, 0);
    memo->SetEnabled(false);
    Settle();
    EXPECT_EQ(Native(SB_HORZ).nPos, 0);
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_FALSE(hbar->Enabled());
    memo->Invalidate();
    Settle();
    int index = skin->IndexOfControlSkin("edit");
    ASSERT_NE(index, -1);
    COLORREF disabled = vcl::ColorToRGB(
        dynamic_cast<const TqvDataSkinEditControl&>(*skin->ControlSkins[static_cast<size_t>(index)])
            .disabledfontcolor);
    EXPECT_EQ(vcl::ColorToRGB(memo->DisabledFontColor()), disabled);
    RECT text{3, 3, 200, 60};
    EXPECT_GT(CountColour(text, disabled), 10);
    EXPECT_EQ(CountColour(text, vcl::ColorToRGB(Record().font.color)), 0);
    EXPECT_EQ(CountColour(text, vcl::ColorToRGB(Record().activefontcolor)), 0);
    memo->SetEnabled(true);
    Settle();
    EXPECT_TRUE(vbar->Enabled());
}

TEST_F(MemoTest, ReadOnlyDropsEveryChangeButCopies) {
    memo->SetText("keep this");
    memo->SetReadOnly(true);
    memo->SetFocus();
    Settle();
    memo->SelectAll();
    Type("typed");
    screen->Key(VK_DELETE);
    screen->Key(VK_BACK);
    Settle();
    CtrlKey('X');
    memo->CutToClipboard();
    memo->ClearSelection();
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, std::string("pasted"));
    CloseClipboard();
    memo->PasteFromClipboard();
    CtrlKey('V');
    memo->Undo();
    EXPECT_EQ(memo->GetText(), "keep this");
    // The copy command character still copies.
    memo->SelectAll();
    CtrlKey('C');
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_TEXT).value_or(""), "keep this");
    CloseClipboard();
    // Writable again, typing works.
    memo->SetReadOnly(false);
    SendMessage(memo->Handle(), EM_SETSEL, 9, 9);
    Type("!");
    EXPECT_EQ(memo->GetText(), "keep this!");
}

TEST_F(MemoTest, HoverAndFocusSwitchToTheActiveColours) {
    const TqvDataSkinMemoControl& rec = Record();
    ASSERT_NE(rec.activefontcolor, rec.font.color);
    // Another control has the focus.
    auto* other = new vcl::TEdit(form);
    other->SetBounds(400, 150, 50, 20);
    other->SetParent(form);
    other->SetFocus();
    Settle();
    ASSERT_FALSE(memo->Focused());
    EXPECT_EQ(memo->Font()->Color(), rec.font.color);
    MoveTo(memo, 100, 100);
    EXPECT_TRUE(memo->MouseInControl());
    EXPECT_EQ(memo->Font()->Color(), rec.activefontcolor);
    MoveTo(hbar, 100, 5);
    EXPECT_FALSE(memo->MouseInControl());
    EXPECT_EQ(memo->Font()->Color(), rec.font.color);
    memo->SetFocus();
    Settle();
    EXPECT_EQ(memo->Font()->Color(), rec.activefontcolor);
    // The frame shows the active look while focused.
    const gfx::Bitmap& picture = *memo->SkinPicture();
    EXPECT_EQ(ScreenPixel(memo, 0, 0),
              gfx::PixelToColor(picture.GetPixel(rec.activeskinrect.left, rec.activeskinrect.top)));
}

TEST_F(MemoTest, KeepsWorkingWhenItsBarIsFreed) {
    SetLines(40);
    delete vbar;
    EXPECT_EQ(memo->VScrollBar(), nullptr);
    SetLines(60);
    SendMessage(memo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), 0);
    Settle();
    EXPECT_EQ(FirstLine(), 12);
    EXPECT_EQ(memo->HScrollBar(), hbar);
}

TEST_F(MemoTest, RecreatingForBitMapBGKeepsTheText) {
    SetLines(5);
    memo->SetBitMapBG(false);
    Settle();
    EXPECT_EQ(memo->Lines()->Count(), 5);
    EXPECT_EQ(memo->Lines()->Get(4), "line 4");
    // Without the picture the skin's client area is filled with the memo's colour.
    EXPECT_EQ(ScreenPixel(memo, 300, 200), vcl::ColorToRGB(memo->Color()));
}

} // namespace

namespace {

TEST_F(MemoTest, TheContextMenuOffersTheEditCommandsReadOnlyRespected) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, std::string("clip"));
    CloseClipboard();
    memo->SetText("keep this");
    memo->SetFocus();
    SendMessage(memo->Handle(), EM_SETSEL, 0, 2);
    memo->SetReadOnly(true);
    POINT p = ScreenAt(memo, 60, 60);
    screen->Click(p.x, p.y, ui::MouseButton::Right);
    Settle();
    ASSERT_NE(memo->ContextMenu(), nullptr);
    ASSERT_NE(memo->ContextMenu()->Engine(), nullptr);
    EXPECT_TRUE(memo->ContextMenu()->Engine()->MenuOpen());
    auto enabled = [&] {
        std::vector<std::string> states;
        vcl::TMenuItem* items = memo->ContextMenu()->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (!items->Items(i)->IsLine())
                states.push_back(items->Items(i)->Caption() + (items->Items(i)->Enabled() ? "+" : "-"));
        return states;
    };
    EXPECT_EQ(enabled(),
              (std::vector<std::string>{"Undo-", "Cut-", "Copy+", "Paste-", "Delete-", "Select All+"}));
    // The popup opens at the pointer.
    RECT r{};
    TqvSkinPopupWindow* popup = memo->ContextMenu()->Engine()->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    GetWindowRect(popup->Handle(), &r);
    EXPECT_EQ(r.left, p.x);
    EXPECT_EQ(r.top, p.y);
    screen->Key(VK_ESCAPE);
    Settle();

    // Writable: Cut runs, and the menu is freed once its command is done.
    memo->SetReadOnly(false);
    screen->Click(p.x, p.y, ui::MouseButton::Right);
    Settle();
    EXPECT_EQ(enabled(),
              (std::vector<std::string>{"Undo-", "Cut+", "Copy+", "Paste+", "Delete+", "Select All+"}));
    popup = memo->ContextMenu()->Engine()->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    const TqvSkinMenuItem* cut = nullptr;
    for (const auto& item : popup->Items)
        if (item->SourceItem->Caption() == "Cut") cut = item.get();
    ASSERT_NE(cut, nullptr);
    POINT at{(cut->ItemRect.left + cut->ItemRect.right) / 2, (cut->ItemRect.top + cut->ItemRect.bottom) / 2};
    ClientToScreen(popup->Handle(), &at);
    screen->Click(at.x, at.y);
    Settle();
    EXPECT_EQ(memo->GetText(), "ep this");
    EXPECT_EQ(memo->ContextMenu(), nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_TEXT).value_or(""), "ke");
    CloseClipboard();

    // The menu key: the menu opens at the memo's centre. Everything selected: Select All is off.
    memo->SelectAll();
    screen->Key(VK_APPS);
    Settle();
    ASSERT_NE(memo->ContextMenu(), nullptr);
    EXPECT_EQ(enabled().back(), "Select All-");
    popup = memo->ContextMenu()->Engine()->PopupAt(0);
    ASSERT_NE(popup, nullptr);
    GetWindowRect(popup->Handle(), &r);
    POINT centre = ScreenAt(memo, memo->Width() / 2, memo->Height() / 2);
    EXPECT_EQ(r.left, centre.x);
    EXPECT_EQ(r.top, centre.y);
    screen->Key(VK_ESCAPE);
    Settle();
}

} // namespace
