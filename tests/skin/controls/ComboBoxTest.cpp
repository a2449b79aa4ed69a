// The skinned combo box and its drop-down list on the headless screen: geometry with the program's
// skin, opening and closing by mouse, keys and focus loss, tracking and auto-scroll on the
// headless clock, placement at the bottom of the work area, type-ahead and the item file.

#include "EmbeddedSkin.h"

#include "framework/Forms.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/controls/qvSkinComboBox.h"
#include "skin/controls/qvSkinScrollBar.h"
#include "skin/data/qvSkinContainer.h"
#include "skin/data/qvSkinData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace qv;

namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto backend = std::make_unique<ui::HeadlessBackend>();
        screen = backend.get();
        ui::ResetWindowSystem(std::move(backend));
        app = std::make_unique<vcl::TApplication>(nullptr);
        app->SetTitle("test");
        form = new vcl::TForm(app.get());
        form->SetBounds(100, 100, 600, 500);
        skin = new TqvSkinData(form);
        skin->LoadFromContainer(
            InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize)));
        box = new TqvSkinComboBox(form);
        box->SetParent(form);
        box->SetBounds(20, 20, 433, 22);
        box->SetSkinData(skin);
        box->OnChange = [this](vcl::TObject*) { events.push_back("change:" + box->GetText()); };
        box->OnClick = [this](vcl::TObject*) {
            events.push_back("click:" + std::to_string(box->ItemIndex()));
        };
        box->OnCloseUp = [this](vcl::TObject*) { events.push_back("closeup"); };
        box->OnDropDown = [this](vcl::TObject*) { events.push_back("dropdown"); };
        form->Show();
        Settle();
    }
    void TearDown() override {
        app.reset();
        ui::ShutdownWindowSystem();
    }

    void Settle() {
        app->ProcessMessages();
        app->ProcessMessages();
    }
    void Fill(int n) {
        for (int i = 0; i < n; ++i) {
            box->Items()->Add("item " + std::to_string(i));
        }
    }
    POINT BoxPoint(int x, int y) { return box->ClientToScreen(POINT{x, y}); }
    // Screen point of the middle of a visible row of the open list.
    POINT RowPoint(int row) {
        TqvListBox* native = box->DropDownList()->InnerListBox();
        int h = native->ItemHeight();
        return native->ClientToScreen(POINT{20, (row - native->TopIndex()) * h + h / 2});
    }
    void MoveTo(POINT p) {
        screen->MouseMove(p.x, p.y);
        Settle();
    }
    void Press(POINT p) {
        MoveTo(p);
        screen->MouseDown();
        Settle();
    }
    void Release(POINT p) {
        MoveTo(p);
        screen->MouseUp();
        Settle();
    }
    void Tick(int ms) {
        screen->AdvanceClock(std::uint64_t(ms));
        Settle();
    }
    POINT ButtonCentre() {
        RECT r = box->DropButtonRect();
        return BoxPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    bool ListShown() { return box->DropDownList()->PopupShown(); }
    // The form keeps the activation and the box the focus while the list is used.
    void ExpectFormKeepsFocus() {
        EXPECT_EQ(GetActiveWindow(), form->Handle());
        EXPECT_EQ(GetFocus(), box->Handle());
    }

    std::unique_ptr<vcl::TApplication> app;
    ui::HeadlessBackend* screen = nullptr;
    vcl::TForm* form = nullptr;
    TqvSkinData* skin = nullptr;
    TqvSkinComboBox* box = nullptr;
    std::vector<std::string> events;
};

} // namespace

TEST_F(ComboBoxTest, SkinnedGeometryAndListHeightForRows) {
    EXPECT_EQ(box->Height(), 22);
    EXPECT_EQ(box->DropButtonRect(), (RECT{415, 2, 431, 20}));
    EXPECT_EQ(box->ItemAreaRect(), (RECT{2, 2, 414, 20}));
    Fill(3);
    box->DropDown();
    Settle();
    TqvPopupListBox* list = box->DropDownList();
    EXPECT_EQ(list->Width(), 433);
    EXPECT_EQ(list->Height(), 64); // 3 rows of the skin's 20 pixels in its 52-pixel frame
    EXPECT_EQ(list->ListVScrollBar(), nullptr);
    box->CloseUp(false);
    Fill(17);
    box->DropDown();
    Settle();
    EXPECT_EQ(list->HeightForRows(8), 164);
    EXPECT_EQ(list->Height(), 164);
    EXPECT_EQ(list->ListClientRect(), (RECT{2, 2, 431, 162}));
    ASSERT_NE(list->ListVScrollBar(), nullptr);
    TqvSkinScrollBar* bar = list->ListVScrollBar();
    EXPECT_EQ(list->InnerListBox()->Width(), 429 - bar->Width());
    // Dragging the bar to p shows row p at the top.
    bar->SetPosition(5);
    Settle();
    EXPECT_EQ(list->InnerListBox()->TopIndex(), 5);
    // The list lies right under the box.
    RECT lr{};
    GetWindowRect(list->Handle(), &lr);
    POINT bl = BoxPoint(0, 22);
    EXPECT_EQ(lr.left, bl.x);
    EXPECT_EQ(lr.top, bl.y);
}

TEST_F(ComboBoxTest, PressDragAndReleaseOverARowAcceptsIt) {
    Fill(10);
    box->SetItemIndex(1);
    events.clear();
    Press(ButtonCentre());
    EXPECT_TRUE(ListShown());
    EXPECT_TRUE(box->DroppedDown());
    EXPECT_TRUE(box->MouseTracking());
    ExpectFormKeepsFocus();
    MoveTo(RowPoint(3));
    MoveTo(RowPoint(4));
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 4);
    EXPECT_EQ(box->GetText(), "item 1"); // the box keeps the item it opened with until accepted
    Release(RowPoint(4));
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_EQ(box->ItemIndex(), 4);
    EXPECT_EQ(box->GetText(), "item 4");
    EXPECT_EQ(events, (std::vector<std::string>{"dropdown", "change:item 4", "click:4", "closeup"}));
    ExpectFormKeepsFocus();
}

TEST_F(ComboBoxTest, ReleaseOutsideAfterVisitingTheListCancels) {
    Fill(10);
    box->SetItemIndex(2);
    events.clear();
    Press(ButtonCentre());
    MoveTo(RowPoint(6));
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 6);
    Release(POINT{RowPoint(6).x + 600, RowPoint(6).y});
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(box->GetText(), "item 2");
    EXPECT_EQ(events, (std::vector<std::string>{"dropdown"}));
}

TEST_F(ComboBoxTest, ClickOpensHoverHighlightsClickOnRowAccepts) {
    Fill(10);
    Press(ButtonCentre());
    Release(ButtonCentre());
    EXPECT_TRUE(ListShown()); // pressed and released on the button: stays open
    EXPECT_FALSE(box->MouseTracking());
    MoveTo(RowPoint(5));
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 5);
    MoveTo(RowPoint(2));
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 2);
    ExpectFormKeepsFocus();
    Press(RowPoint(2));
    EXPECT_EQ(GetCapture(), box->Handle());
    ExpectFormKeepsFocus();
    Release(RowPoint(2));
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(box->GetText(), "item 2");
    ExpectFormKeepsFocus();
    // A second press on the button while open closes without choosing.
    Press(ButtonCentre());
    Release(ButtonCentre());
    EXPECT_TRUE(ListShown());
    Press(ButtonCentre());
    EXPECT_FALSE(ListShown());
    Release(ButtonCentre());
    EXPECT_EQ(box->GetText(), "item 2");
}

TEST_F(ComboBoxTest, DraggingAboveOrBelowTheListScrollsEvery25ms) {
    Fill(20);
    box->SetItemIndex(10);
    Press(ButtonCentre());
    ASSERT_NE(box->DropDownList()->ListVScrollBar(), nullptr);
    MoveTo(RowPoint(12));
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 12);
    RECT lr{};
    GetWindowRect(box->DropDownList()->Handle(), &lr);
    MoveTo(POINT{lr.left + 30, lr.bottom + 15}); // below the list
    EXPECT_EQ(box->AutoScrollDirection(), 2);
    Tick(24);
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 12);
    Tick(1);
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 13);
    for (int i = 0; i < 20; ++i) {
        Tick(25);
    }
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 19); // never past the last item
    MoveTo(POINT{lr.left + 30, lr.top - 40});        // above the list, over the box
    EXPECT_EQ(box->AutoScrollDirection(), 1);
    Tick(25);
    Tick(25);
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 17);
    for (int i = 0; i < 30; ++i) {
        Tick(25);
    }
    EXPECT_EQ(box->DropDownList()->ItemIndex(), 0);
    // Back over the list: the scrolling stops and the row under the pointer is current.
    MoveTo(RowPoint(box->DropDownList()->InnerListBox()->TopIndex() + 1));
    EXPECT_EQ(box->AutoScrollDirection(), 0);
    Release(RowPoint(box->DropDownList()->InnerListBox()->TopIndex() + 1));
    EXPECT_EQ(box->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, KeysNavigateOpenAndClose) {
    Fill(30);
    box->SetFocus();
    Settle();
    box->SetItemIndex(0);
    struct Step {
        int key;
        bool alt;
        int index;
        bool shown;
    };
    // Keys move the box's own item even while the list is open, so Escape then keeps it.
    const Step steps[] = {
        {VK_NEXT, false, 7, false},   {VK_DOWN, false, 8, false},    {VK_UP, false, 7, false},
        {VK_RIGHT, false, 8, false},  {VK_LEFT, false, 7, false},    {VK_DOWN, true, 7, true},
        {VK_DOWN, false, 8, true},    {VK_ESCAPE, false, 8, false},  {VK_DOWN, true, 8, true},
        {VK_NEXT, false, 15, true},   {VK_RETURN, false, 15, false}, {VK_NEXT, false, 22, false},
        {VK_PRIOR, false, 13, false}, {VK_UP, true, 13, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "key " << s.key << " alt " << s.alt);
        if (s.alt) {
            screen->KeyDown(VK_MENU);
        }
        screen->Key(s.key);
        if (s.alt) {
            screen->KeyUp(VK_MENU);
        }
        Settle();
        EXPECT_EQ(box->ItemIndex(), s.index);
        EXPECT_EQ(ListShown(), s.shown);
    }
    EXPECT_EQ(box->GetText(), "item 13");
    // The wheel over a closed box leaves its item alone: it reaches the box whenever the pointer
    // passes over it on the way to something else.
    screen->MouseMove(BoxPoint(50, 10).x, BoxPoint(50, 10).y);
    screen->Wheel(-120);
    Settle();
    EXPECT_EQ(box->ItemIndex(), 13);
    EXPECT_EQ(box->GetText(), "item 13");
}

TEST_F(ComboBoxTest, FocusLossClosesCancelling) {
    Fill(5);
    auto* other = new TqvSkinComboBox(form);
    other->SetParent(form);
    other->SetBounds(20, 200, 200, 22);
    box->SetItemIndex(1);
    box->SetFocus();
    Settle();
    events.clear();
    box->DropDown();
    Settle();
    box->DropDownList()->SetItemIndex(3);
    other->SetFocus();
    Settle();
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"dropdown"}));
}

TEST_F(ComboBoxTest, PressElsewhereInTheFormCancels) {
    Fill(5);
    box->SetItemIndex(1);
    Press(ButtonCentre());
    Release(ButtonCentre());
    MoveTo(RowPoint(3));
    ASSERT_TRUE(ListShown());
    Press(BoxPoint(100, 300)); // the form's own client area
    Release(BoxPoint(100, 300));
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(GetFocus(), box->Handle());
    // A press on the form's frame as well.
    Press(ButtonCentre());
    Release(ButtonCentre());
    ASSERT_TRUE(ListShown());
    SendMessage(form->Handle(), WM_NCLBUTTONDOWN, HTBORDER, 0);
    Settle();
    EXPECT_FALSE(ListShown());
}

TEST_F(ComboBoxTest, ListOpensAboveTheBoxAtTheBottomOfTheWorkArea) {
    Fill(20);
    // The work area ends at 984; the box's bottom at 100 + form's client top + 900.
    box->SetTop(box->Parent()->ScreenToClient(POINT{0, 940}).y);
    Settle();
    box->DropDown();
    Settle();
    RECT lr{};
    GetWindowRect(box->DropDownList()->Handle(), &lr);
    POINT tl = BoxPoint(0, 0);
    EXPECT_EQ(lr.bottom, tl.y);
    EXPECT_EQ(lr.left, tl.x);
    // No items: nothing opens and nobody is told.
    box->CloseUp(false);
    box->Items()->Clear();
    events.clear();
    box->DropDown();
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_TRUE(events.empty());
}

TEST_F(ComboBoxTest, TypeAheadFindsChineseItemsAndResetsAfterHalfASecond) {
    for (const char* s : {"北京", "上海", "深圳", "上班"}) {
        box->Items()->Add(s);
    }
    box->SetFocus();
    Settle();
    screen->Text("上");
    Settle();
    EXPECT_EQ(box->GetText(), "上海");
    Tick(100);
    screen->Text("班");
    Settle();
    EXPECT_EQ(box->GetText(), "上班");
    EXPECT_EQ(box->TypedPrefix(), "上班");
    Tick(600);
    screen->Text("北");
    Settle();
    EXPECT_EQ(box->ItemIndex(), 0);
    EXPECT_EQ(box->TypedPrefix(), "北");
    // One character searches after the current item and wraps round.
    Tick(600);
    screen->Text("上");
    Settle();
    EXPECT_EQ(box->ItemIndex(), 1);
    Tick(600);
    screen->Text("上");
    Settle();
    EXPECT_EQ(box->ItemIndex(), 3);
    Tick(600);
    screen->Text("x");
    Settle();
    EXPECT_EQ(box->ItemIndex(), 3); // nothing found: unchanged
}

TEST_F(ComboBoxTest, TextChangesAndItemIndexMinusOne) {
    Fill(3);
    box->SetItemIndex(2);
    EXPECT_EQ(events, (std::vector<std::string>{"change:item 2", "click:2"}));
    events.clear();
    box->SetItemIndex(-1);
    EXPECT_EQ(box->GetText(), "item 2");
    box->SetText("typed");
    EXPECT_EQ(events, (std::vector<std::string>{"click:-1", "change:typed"}));
}

TEST_F(ComboBoxTest, ItemsLoadAndSaveAsTextLines) {
    const std::string path = ::testing::TempDir() + "combo_items.txt";
    {
        std::ofstream f(path, std::ios::binary);
        const char bytes[] = "C:\\logs\r\nD:\\\xE6\x97\xA5\xE5\xBF\x97\rE:\\w3svc\nF:\\last\r\n\0ignored";
        f.write(bytes, sizeof(bytes) - 1);
    }
    box->Items()->LoadFromFile(path);
    ASSERT_EQ(box->Items()->Count(), 4);
    EXPECT_EQ(box->Items()->Get(1), "D:\\\xE6\x97\xA5\xE5\xBF\x97");
    EXPECT_EQ(box->Items()->Get(3), "F:\\last");
    box->Items()->SaveToFile(path);
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "C:\\logs\r\nD:\\\xE6\x97\xA5\xE5\xBF\x97\r\nE:\\w3svc\r\nF:\\last\r\n");
    std::remove(path.c_str());
    // Loading many lines while the list is closed already gives the list its bar.
    for (int i = 0; i < 12; ++i) {
        box->Items()->Add("more " + std::to_string(i));
    }
    box->DropDown();
    Settle();
    EXPECT_NE(box->DropDownList()->ListVScrollBar(), nullptr);
}

// The box and the list draw their text in the skin's font (Arial, 14, regular), not in the DC's
// stock font: the ink ends where the regular face's advance says.
TEST_F(ComboBoxTest, ItemTextUsesTheSkinFont) {
    Fill(3);
    box->SetItemIndex(1);
    vcl::TBitmap image(box->Width(), box->Height());
    box->PaintTo(image.Canvas());
    vcl::TBitmap measure(1, 1);
    measure.Canvas()->Font()->SetName("Arial");
    measure.Canvas()->Font()->SetHeight(14);
    const int width = measure.Canvas()->TextWidth("item 1");
    int right = -1;
    for (int y = 4; y < 18; ++y) {
        for (int x = 3; x < 300; ++x) {
            gfx::Pixel p = image.Pixels().GetPixel(x, y);
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 300) {
                right = std::max(right, x);
            }
        }
    }
    const int left = box->ItemAreaRect().left + box->itemtextrect.left + 2;
    EXPECT_GE(right, left + width - 3);
    EXPECT_LE(right, left + width);
}

namespace {

// The rightmost dark pixel of the box's text area, or -1 when the area holds no ink. The box is
// painted as when erasing outside its own paint: the whole box, with the inner edit's text.
int RightmostInk(TqvSkinComboBox* box) {
    vcl::TBitmap image(box->Width(), box->Height());
    box->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(image.CanvasHandle()), 0);
    const RECT area = box->ItemAreaRect();
    int right = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            gfx::Pixel p = image.Pixels().GetPixel(x, y);
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 300) {
                right = std::max(right, x);
            }
        }
    }
    return right;
}

} // namespace

// An edit-style box shows its own text in its edit, which need not be an item (a folder typed or
// passed on the command line); a fixed-style box shows only its chosen item.
TEST_F(ComboBoxTest, EditStyleShowsItsTextEvenWhenItIsNoItem) {
    Fill(3);
    box->SetStyle(qvcbEditStyle);
    box->SetText("");
    EXPECT_EQ(RightmostInk(box), -1);
    box->SetText("/var/log/iis");
    const int shortText = RightmostInk(box);
    EXPECT_GT(shortText, box->ItemAreaRect().left);
    box->SetText("/var/log/iis/W3SVC1");
    EXPECT_GT(RightmostInk(box), shortText);

    box->SetStyle(qvcbFixedStyle);
    box->SetItemIndex(-1);
    box->SetText("/var/log/iis");
    EXPECT_EQ(RightmostInk(box), -1);
}
