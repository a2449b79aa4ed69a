#include "skin/data/qvParentBackground.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

using namespace vcl;

namespace {

// Erases to green; paints a red stripe over rows 10 .. 19 of its client area.
class Backdrop : public TCustomControl {
public:
    explicit Backdrop(TComponent* owner) : TCustomControl(owner) { SetColor(clGreen); }
    TControlState stateWhilePainting = 0;

protected:
    void Paint() override {
        stateWhilePainting = ControlState();
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(RECT{0, 10, ClientWidth(), 20});
    }
};

// A graphic control that fills its bounds (and tries to spill past them).
class Tile : public TGraphicControl {
public:
    Tile(TComponent* owner, TColor colour) : TGraphicControl(owner), colour_(colour) {}
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush()->SetColor(colour_);
        Canvas()->FillRect(RECT{-20, -20, Width() + 20, Height() + 20});
    }

private:
    TColor colour_;
};

class Glass : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

class ParentBackground : public ::testing::Test {
protected:
    void SetUp() override {
        ui::ResetWindowSystem(std::make_unique<ui::HeadlessBackend>());
        app = std::make_unique<TApplication>(nullptr);
        form = new TForm(app.get());
        form->SetBounds(0, 0, 300, 200);
        back = new Backdrop(form);
        back->SetParent(form);
        back->SetBounds(0, 0, 200, 100);
    }
    void TearDown() override {
        app.reset();
        ui::ShutdownWindowSystem();
    }
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    Backdrop* back = nullptr;
};

COLORREF At(const gfx::Bitmap& b, int x, int y) { return b.GetColor(x, y); }

} // namespace

TEST_F(ParentBackground, WindowedControlGetsTheParentAndEveryGraphicSiblingBeneathIt) {
    auto* under = new Tile(form, clBlue);
    under->SetParent(back);
    under->SetBounds(20, 30, 20, 10); // meets the glass at its left edge
    auto* glass = new Glass(form);
    glass->SetParent(back);
    glass->SetBounds(30, 5, 60, 40);
    auto* later = new Tile(form, clYellow); // after the glass in z-order, still drawn beneath it
    later->SetParent(back);
    later->SetBounds(80, 40, 30, 30);
    auto* away = new Tile(form, clFuchsia); // does not meet the glass: not painted
    away->SetParent(back);
    away->SetBounds(150, 50, 10, 10);

    gfx::Bitmap bmp(60, 40, 0xFFFFFF);
    HDC dc = new gfx::DC(&bmp);
    qv::PaintParentBackground(glass, dc);
    DeleteDC(dc);

    EXPECT_EQ(At(bmp, 0, 0), COLORREF(clGreen));   // parent (30, 5): erased
    EXPECT_EQ(At(bmp, 5, 5), COLORREF(clRed));     // parent (35, 10): its stripe
    EXPECT_EQ(At(bmp, 5, 15), COLORREF(clGreen));  // parent (35, 20): below the stripe
    EXPECT_EQ(At(bmp, 0, 25), COLORREF(clBlue));   // parent (30, 30): the sibling, at its place
    EXPECT_EQ(At(bmp, 9, 34), COLORREF(clBlue));   // parent (39, 39)
    EXPECT_EQ(At(bmp, 10, 25), COLORREF(clGreen)); // right of the sibling: clipped to its bounds
    EXPECT_EQ(At(bmp, 55, 38), COLORREF(clYellow));
    EXPECT_EQ(away->paints, 0);
    EXPECT_EQ(back->stateWhilePainting & csPaintCopy, unsigned(csPaintCopy));
    EXPECT_EQ(back->ControlState() & csPaintCopy, 0u);
}

TEST_F(ParentBackground, GraphicControlGetsOnlyTheSiblingsBeforeIt) {
    auto* under = new Tile(form, clBlue);
    under->SetParent(back);
    under->SetBounds(0, 0, 50, 50);
    auto* target = new Tile(form, clAqua);
    target->SetParent(back);
    target->SetBounds(40, 40, 20, 20);
    auto* over = new Tile(form, clYellow);
    over->SetParent(back);
    over->SetBounds(45, 45, 20, 20);

    gfx::Bitmap bmp(20, 20, 0xFFFFFF);
    HDC dc = new gfx::DC(&bmp);
    qv::PaintParentBackground(target, dc);
    DeleteDC(dc);
    EXPECT_EQ(At(bmp, 2, 2), COLORREF(clBlue));
    EXPECT_EQ(At(bmp, 15, 15), COLORREF(clGreen));
    EXPECT_EQ(target->paints, 0); // never itself
    EXPECT_EQ(over->paints, 0);

    // A control reaching past its parent's client area gets nothing there.
    auto* edge = new Glass(form);
    edge->SetParent(back);
    edge->SetBounds(190, 90, 20, 20);
    gfx::Bitmap cut(20, 20, 0xFFFFFF);
    HDC cdc = new gfx::DC(&cut);
    qv::PaintParentBackground(edge, cdc);
    DeleteDC(cdc);
    EXPECT_EQ(At(cut, 9, 9), COLORREF(clGreen));
    EXPECT_EQ(At(cut, 10, 5), COLORREF(clWhite));
    EXPECT_EQ(At(cut, 5, 10), COLORREF(clWhite));

    // A control without a parent paints nothing.
    Tile orphan(nullptr, clBlue);
    gfx::Bitmap untouched(4, 4, 0xFFFFFF);
    HDC other = new gfx::DC(&untouched);
    qv::PaintParentBackground(&orphan, other);
    DeleteDC(other);
    EXPECT_EQ(untouched, gfx::Bitmap(4, 4, 0xFFFFFF));
}
