#include "ApplicationFixture.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/HintWindow.h"
#include "framework/Label.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

using namespace vcl;

class ControlPaintTest : public ApplicationFixture {};

namespace {

// Fills its whole client area with one colour.
class Swatch : public TCustomControl {
public:
    Swatch(TComponent* owner, TColor colour) : TCustomControl(owner), colour_(colour) {}
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush()->SetColor(colour_);
        Canvas()->FillRect(ClientRect());
    }

private:
    TColor colour_;
};

// A graphic control that fills far more than its bounds: the parent must clip it.
class Spill : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(RECT{-50, -50, 500, 500});
        Canvas()->SetPixel(0, 0, clYellow); // the control's own origin
    }
};

COLORREF ScreenColour(ui::HeadlessBackend* screen, POINT p) {
    return gfx::PixelToColor(screen->ReadScreen().GetPixel(p.x, p.y));
}

} // namespace

TEST_F(ControlPaintTest, GraphicChildrenPaintAtTheirPlaceClippedToTheirBounds) {
    auto* form = new TForm(app.get());
    form->SetBounds(50, 50, 300, 200);
    auto* back = new Swatch(form, clRed);
    back->SetParent(form);
    back->SetBounds(0, 0, 200, 100);
    auto* spill = new Spill(form);
    spill->SetParent(back);
    spill->SetBounds(20, 30, 40, 10);
    form->Show();
    app->ProcessMessages();
    UpdateWindow(form->Handle());
    EXPECT_EQ(ScreenColour(screen, ScreenAt(back, 5, 5)), COLORREF(clRed));
    EXPECT_EQ(ScreenColour(screen, ScreenAt(back, 20, 30)), COLORREF(clYellow));
    EXPECT_EQ(ScreenColour(screen, ScreenAt(back, 30, 35)), COLORREF(clBlue));
    EXPECT_EQ(ScreenColour(screen, ScreenAt(back, 60, 35)), COLORREF(clRed)); // right of it
    EXPECT_EQ(ScreenColour(screen, ScreenAt(back, 30, 40)), COLORREF(clRed)); // below it
    // Hiding the graphic control repaints the parent where it was.
    spill->Hide();
    app->ProcessMessages();
    UpdateWindow(form->Handle());
    EXPECT_EQ(ScreenColour(screen, ScreenAt(back, 30, 35)), COLORREF(clRed));
}

TEST_F(ControlPaintTest, LabelSizesItselfToItsText) {
    auto* form = new TForm(app.get());
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->Font()->SetName("Arial");
    label->Font()->SetHeight(-14);
    label->SetCaption("W");
    int narrow = label->Width();
    label->SetCaption("WWWW");
    EXPECT_GT(label->Width(), 3 * narrow);
    EXPECT_GE(label->Height(), 14);
    label->SetAutoSize(false);
    label->SetCaption("W");
    EXPECT_GT(label->Width(), 3 * narrow);
}

TEST_F(ControlPaintTest, TimerFiresFromTheMessageLoopWhileEnabled) {
    auto* timer = new TTimer(app.get());
    int ticks = 0;
    timer->SetInterval(100);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    screen->AdvanceClock(99);
    app->ProcessMessages();
    EXPECT_EQ(ticks, 0);
    screen->AdvanceClock(1);
    app->ProcessMessages();
    EXPECT_EQ(ticks, 1);
    timer->SetEnabled(false);
    screen->AdvanceClock(500);
    app->ProcessMessages();
    EXPECT_EQ(ticks, 1);
    // A handler may free its own timer.
    timer->SetEnabled(true);
    timer->SetOnTimer([&](TObject* sender) {
        ++ticks;
        delete static_cast<TTimer*>(sender);
    });
    screen->AdvanceClock(100);
    app->ProcessMessages();
    EXPECT_EQ(ticks, 2);
}

TEST_F(ControlPaintTest, HintsShowAfterThePauseThroughTheShowHintHandlerAndHideAgain) {
    auto* form = new TForm(app.get());
    form->SetBounds(100, 100, 300, 200);
    auto* a = new Swatch(form, clRed);
    a->SetParent(form);
    a->SetBounds(10, 10, 50, 50);
    a->SetHint("first");
    a->SetShowHint(true);
    auto* b = new Swatch(form, clLime);
    b->SetParent(form);
    b->SetBounds(100, 10, 50, 50);
    b->SetHint("second");
    b->SetShowHint(true);
    std::vector<std::string> offered;
    app->OnShowHint = [&](std::string& text, bool&, THintInfo& info) {
        offered.push_back(text + (info.HintControl == b ? " on b" : ""));
        if (text == "second") {
            text = "changed";
        }
    };
    form->Show();
    Settle();
    MoveTo(a, 5, 5);
    screen->AdvanceClock(app->HintPause() - 1);
    Settle();
    EXPECT_TRUE(offered.empty());
    screen->AdvanceClock(1);
    Settle();
    ASSERT_EQ(offered, (std::vector<std::string>{"first"}));
    ASSERT_NE(app->HintWindow(), nullptr);
    EXPECT_TRUE(app->HintWindow()->HintVisible());
    EXPECT_EQ(app->HintWindow()->Caption(), "first");
    // Straight to the next control: the short pause, and the handler may change the text.
    MoveTo(b, 5, 5);
    screen->AdvanceClock(app->HintShortPause());
    Settle();
    EXPECT_EQ(offered.back(), "second on b");
    EXPECT_EQ(app->HintWindow()->Caption(), "changed");
    screen->AdvanceClock(app->HintHidePause());
    Settle();
    EXPECT_FALSE(app->HintWindow()->HintVisible());
}
