// The skinned report list on the headless screen, laid out as in the main window: list aligned to
// the client, its vertical bar on the right and horizontal bar at the bottom, drawn from the
// embedded skin. The bars follow the list and the list follows the bars; the header is painted
// from "resizebutton".

#include "ControlsFixture.h"

#include "framework/Edit.h"

#include "skin/controls/qvSkinListView.h"
#include "skin/data/qvControlSkinRecords.h"

#include <string>

using namespace qv;

namespace {

class ListViewTest : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        skin = EmbeddedSkin();
        form->SetBounds(0, 0, 420, 340);
        hbar = new TqvSkinScrollBar(form);
        hbar->SetParent(form);
        hbar->SetAlign(vcl::TAlign::alBottom);
        vbar = new TqvSkinScrollBar(form);
        vbar->SetKind(sbVertical);
        vbar->SetSkinDataName("vscrollbar");
        vbar->SetBounds(0, 0, 17, 100);
        vbar->SetParent(form);
        vbar->SetAlign(vcl::TAlign::alRight);
        lv = new TqvSkinListView(form);
        lv->SetParent(form);
        lv->SetAlign(vcl::TAlign::alClient);
        lv->SetViewStyle(vcl::vsReport);
        lv->SetRowSelect(true);
        for (int i = 0; i < 3; ++i) {
            vcl::TListColumn* c = lv->Columns()->Add();
            c->SetCaption("Column " + std::to_string(i));
            c->SetWidth(100);
            c->SetAlignment(i == 1 ? vcl::TAlignment::taCenter : vcl::TAlignment::taLeftJustify);
        }
        hbar->SetSkinData(skin);
        vbar->SetSkinData(skin);
        lv->SetSkinData(skin);
        lv->SetHScrollBar(hbar);
        lv->SetVScrollBar(vbar);
        Show();
    }

    void AddRows(int n) {
        for (int i = 0; i < n; ++i)
            lv->Items()->Add()->SetCaption("row " + std::to_string(lv->Items()->Count()));
        lv->Invalidate();
        Settle();
    }
    int TopIndex() { return static_cast<int>(SendMessage(lv->Handle(), LVM_GETTOPINDEX, 0, 0)); }
    int RowsPerPage() { return static_cast<int>(SendMessage(lv->Handle(), LVM_GETCOUNTPERPAGE, 0, 0)); }
    RECT SectionRect(int i) {
        RECT r{};
        SendMessage(lv->HeaderWindow(), HDM_GETITEMRECT, static_cast<WPARAM>(i),
                    reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The header as QVM_PAINTHEADER draws it.
    gfx::Bitmap HeaderImage() {
        RECT client{};
        GetClientRect(lv->HeaderWindow(), &client);
        vcl::TBitmap image(client.right, client.bottom);
        SendMessage(lv->Handle(), QVM_PAINTHEADER, reinterpret_cast<WPARAM>(image.CanvasHandle()), 0);
        return image.Pixels();
    }
    const TqvDataSkinButtonControl& HeaderRecord() {
        return dynamic_cast<const TqvDataSkinButtonControl&>(
            *skin->ControlSkins.at(static_cast<std::size_t>(skin->IndexOfControlSkin("resizebutton"))));
    }

    TqvSkinData* skin = nullptr;
    TqvSkinScrollBar* hbar = nullptr;
    TqvSkinScrollBar* vbar = nullptr;
    TqvSkinListView* lv = nullptr;
};

} // namespace

TEST_F(ListViewTest, TakesFontAndColoursFromTheSkinAndHasNoFrame) {
    EXPECT_NE(lv->SkinRecordIndex(), -1);
    EXPECT_EQ(lv->Font()->Name(), "Arial");
    EXPECT_EQ(lv->Font()->Height(), 14);
    EXPECT_EQ(lv->Color(), 16777215);
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETBKCOLOR, 0, 0), 0xFFFFFF);
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETTEXTCOLOR, 0, 0), 0);
    RECT window{}, client{};
    GetWindowRect(lv->Handle(), &window);
    GetClientRect(lv->Handle(), &client);
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    EXPECT_FALSE(GetWindowLongPtr(lv->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(SendMessage(lv->Handle(), QVM_ISSKINNEDCONTROL, 0, 0), kSkinnedControlAnswer);
}

TEST_F(ListViewTest, VerticalBarAppearsWithMoreRowsThanFitAndGivesBackItsStrip) {
    int page = RowsPerPage();
    ASSERT_GT(page, 5);
    AddRows(page);
    EXPECT_FALSE(vbar->Visible());
    EXPECT_EQ(lv->Width(), form->ClientWidth());

    AddRows(30 - page);
    ASSERT_TRUE(vbar->Visible());
    page = RowsPerPage();
    EXPECT_EQ(vbar->Min(), 0);
    EXPECT_EQ(vbar->Max(), 29);
    EXPECT_EQ(vbar->PageSize(), page);
    EXPECT_EQ(vbar->LargeChange(), page);
    EXPECT_EQ(lv->Width(), form->ClientWidth() - vbar->Width());
    EXPECT_FALSE(hbar->Visible());

    while (lv->Items()->Count() > page)
        lv->Items()->Delete(0);
    lv->Invalidate();
    Settle();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_EQ(lv->Width(), form->ClientWidth());
}

TEST_F(ListViewTest, BarAndListScrollEachOther) {
    AddRows(30);
    ASSERT_TRUE(vbar->Visible());
    RECT first{};
    first.left = LVIR_BOUNDS;
    SendMessage(lv->Handle(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&first));
    int rowTop = first.top;

    vbar->SetPosition(3); // as a drag of three positions does
    Settle();
    EXPECT_EQ(TopIndex(), 3);
    EXPECT_EQ(vbar->Position(), 3);
    RECT moved{};
    moved.left = LVIR_BOUNDS;
    SendMessage(lv->Handle(), LVM_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&moved));
    EXPECT_EQ(moved.top, rowTop); // three rows, 3 x row height pixels

    // The first key focuses the first row, which scrolls back to it; End goes to the last page.
    lv->SetFocus();
    screen->Key(VK_DOWN);
    Settle();
    EXPECT_EQ(TopIndex(), 0);
    EXPECT_EQ(vbar->Position(), 0);
    screen->Key(VK_END);
    Settle();
    EXPECT_EQ(TopIndex(), 30 - RowsPerPage());
    EXPECT_EQ(vbar->Position(), TopIndex());
    screen->Key(VK_HOME);
    Settle();
    EXPECT_EQ(vbar->Position(), 0);

    // The wheel scrolls the list under the pointer, and the bar follows.
    POINT over = lv->ClientToScreen(POINT{60, 60});
    screen->MouseMove(over.x, over.y);
    screen->Wheel(-WHEEL_DELTA);
    Settle();
    EXPECT_GT(TopIndex(), 0);
    EXPECT_EQ(vbar->Position(), TopIndex());
}

// The wheel reaches the list while something else has the focus, and a sideways turn (or Shift
// with the wheel) moves the columns; both bars follow at once, before any repaint.
TEST_F(ListViewTest, TheWheelScrollsTheListWithoutTheFocusAndTheBarsFollow) {
    AddRows(40);
    lv->Columns()->Items(2)->SetWidth(500);
    lv->Invalidate();
    Settle();
    ASSERT_TRUE(vbar->Visible());
    ASSERT_TRUE(hbar->Visible());
    auto* other = new vcl::TEdit(form);
    other->SetBounds(0, 0, 40, 20);
    other->SetParent(form);
    other->SetFocus();
    Settle();
    ASSERT_FALSE(lv->Focused());
    POINT over = lv->ClientToScreen(POINT{60, 60});
    screen->MouseMove(over.x, over.y);
    Settle();
    auto wheel = [&](int delta, bool sideways, bool shift) {
        if (shift) screen->KeyDown(VK_SHIFT);
        if (sideways) screen->HWheel(delta);
        else screen->Wheel(delta);
        if (shift) screen->KeyUp(VK_SHIFT);
        // Only the input, no paint: the bars must follow the wheel itself.
        MSG msg;
        while (PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
               PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
            DispatchMessage(&msg);
    };
    wheel(-2 * WHEEL_DELTA, false, false);
    EXPECT_EQ(TopIndex(), 6); // three rows a notch
    EXPECT_EQ(vbar->Position(), 6);
    wheel(WHEEL_DELTA, true, false);
    int right = GetScrollPos(lv->Handle(), SB_HORZ);
    EXPECT_GT(right, 0);
    EXPECT_EQ(hbar->Position(), right);
    wheel(-WHEEL_DELTA, false, true);
    EXPECT_GT(GetScrollPos(lv->Handle(), SB_HORZ), right);
    EXPECT_EQ(hbar->Position(), GetScrollPos(lv->Handle(), SB_HORZ));
    EXPECT_EQ(TopIndex(), 6); // Shift+wheel leaves the rows alone
    EXPECT_FALSE(lv->Focused());
}

TEST_F(ListViewTest, HorizontalBarShowsForWideColumnsAndSharesTheCorner) {
    EXPECT_FALSE(hbar->Visible());
    lv->Columns()->Items(2)->SetWidth(500);
    lv->Invalidate();
    Settle();
    ASSERT_TRUE(hbar->Visible());
    EXPECT_FALSE(hbar->Both());
    EXPECT_EQ(hbar->SkinDataName(), "hscrollbar");
    EXPECT_EQ(hbar->PageSize(), lv->Width());

    hbar->SetPosition(120);
    Settle();
    EXPECT_EQ(GetScrollPos(lv->Handle(), SB_HORZ), 120);

    AddRows(40);
    ASSERT_TRUE(vbar->Visible());
    EXPECT_TRUE(hbar->Both());
    EXPECT_EQ(hbar->SkinDataName(), "bothhscrollbar");
}

TEST_F(ListViewTest, HeaderIsPaintedFromTheSkinAndShowsAPressedSection) {
    ASSERT_NE(lv->HeaderWindow(), nullptr);
    const TqvDataSkinButtonControl& rec = HeaderRecord();
    const gfx::Bitmap& pic = *skin->ExtraPicture(rec.pictureindex);
    RECT s1 = SectionRect(1);
    int h = s1.bottom - s1.top;
    int skinH = rec.skinrect.bottom - rec.skinrect.top;
    // A pixel in the fixed left part of section 1, and its source in a picture of the skin's height.
    int y = h / 2;
    int sy = y * skinH / h;
    auto source = [&](const RECT& s) { return pic.GetPixel(s.left + 1, s.top + sy) & 0xFFFFFF; };
    ASSERT_NE(source(rec.skinrect), source(rec.downskinrect));

    gfx::Bitmap image = HeaderImage();
    EXPECT_EQ(image.GetPixel(s1.left + 1, y) & 0xFFFFFF, source(rec.skinrect));

    POINT p{(s1.left + s1.right) / 2, h / 2};
    ClientToScreen(lv->HeaderWindow(), &p);
    screen->MouseMove(p.x, p.y);
    screen->MouseDown();
    Settle();
    EXPECT_EQ(lv->PressedSection(), 1);
    EXPECT_TRUE(lv->SectionPressed());
    image = HeaderImage();
    EXPECT_EQ(image.GetPixel(s1.left + 1, y) & 0xFFFFFF, source(rec.downskinrect));
    EXPECT_EQ(image.GetPixel(SectionRect(0).left + 1, y) & 0xFFFFFF, source(rec.skinrect));
    screen->MouseUp();
    Settle();
    EXPECT_EQ(lv->PressedSection(), -1);
    image = HeaderImage();
    EXPECT_EQ(image.GetPixel(s1.left + 1, y) & 0xFFFFFF, source(rec.skinrect));

    // A press on the divider between sections 0 and 1 resizes, and shows nothing pressed.
    POINT d{s1.left, h / 2};
    ClientToScreen(lv->HeaderWindow(), &d);
    screen->MouseMove(d.x, d.y);
    screen->MouseDown();
    Settle();
    EXPECT_FALSE(lv->SectionPressed());
    image = HeaderImage();
    EXPECT_EQ(image.GetPixel(s1.left + 1, y) & 0xFFFFFF, source(rec.skinrect));
    screen->MouseUp();
    Settle();
}

TEST_F(ListViewTest, NarrowCaptionsAreShortenedAndCentredCaptionsCentred) {
    lv->Columns()->Items(0)->SetCaption("A caption far too long for its section");
    lv->Columns()->Items(0)->SetWidth(60);
    lv->Columns()->Items(1)->SetCaption("II");
    Settle();
    gfx::Bitmap image = HeaderImage();
    // Columns holding dark (caption) pixels; the skin's sections are light.
    auto dark = [](gfx::Pixel p) {
        return ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
    };
    auto inkColumns = [&](const RECT& r, int& first, int& last) {
        first = -1;
        last = -1;
        for (int x = r.left; x < r.right; ++x)
            for (int yy = r.top; yy < r.bottom; ++yy)
                if (dark(image.GetPixel(x, yy))) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
    };
    int first = 0, last = 0;
    RECT s0 = SectionRect(0);
    inkColumns(s0, first, last);
    ASSERT_GE(first, 0);
    EXPECT_GE(first, s0.left + 5);
    EXPECT_LE(last, s0.right - 5); // shortened with "..." to fit inside the margins
    RECT s1 = SectionRect(1);
    inkColumns(s1, first, last);
    ASSERT_GE(first, 0);
    int centre = (s1.left + s1.right) / 2;
    EXPECT_LE(std::abs((first + last) / 2 - centre), 2);
}

TEST_F(ListViewTest, ANewWindowsHeaderIsTakenOverAgain) {
    HWND first = lv->HeaderWindow();
    ASSERT_NE(first, nullptr);
    WNDPROC skinned = reinterpret_cast<WNDPROC>(GetWindowLongPtr(first, GWLP_WNDPROC));
    lv->SetShowColumnHeaders(false); // re-creates the window, with no header to take
    lv->SetShowColumnHeaders(true);  // and again, with one
    Settle();
    HWND second = lv->HeaderWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(second, GWLP_WNDPROC)), skinned);
    const TqvDataSkinButtonControl& rec = HeaderRecord();
    const gfx::Bitmap& pic = *skin->ExtraPicture(rec.pictureindex);
    RECT s0 = SectionRect(0);
    int y = (s0.bottom - s0.top) / 2;
    int sy = y * (rec.skinrect.bottom - rec.skinrect.top) / (s0.bottom - s0.top);
    EXPECT_EQ(HeaderImage().GetPixel(s0.left + 1, y) & 0xFFFFFF,
              pic.GetPixel(rec.skinrect.left + 1, rec.skinrect.top + sy) & 0xFFFFFF);
}
