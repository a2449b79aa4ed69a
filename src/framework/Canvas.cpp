#include "framework/Canvas.h"

#include "framework/Graphic.h"

#include <cstring>

namespace vcl {

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
    font_->OnChange = [this](TObject*) { state_ &= ~unsigned(FontValid); };
    pen_->OnChange = [this](TObject*) { state_ &= ~unsigned(PenValid); };
    brush_->OnChange = [this](TObject*) { state_ &= ~unsigned(BrushValid); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    if (fontHandle_ != nullptr) DeleteObject(fontHandle_);
    if (penHandle_ != nullptr) DeleteObject(penHandle_);
    if (brushHandle_ != nullptr) DeleteObject(brushHandle_);
}

HDC TCanvas::Handle() {
    RequireHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) {
        return;
    }
    if (dc_ != nullptr) {
        DeselectHandles();
    }
    dc_ = dc;
    state_ = dc != nullptr ? unsigned(HandleValid) : 0u;
    if (dc != nullptr) {
        penPos_ = POINT{};
        MoveToEx(dc, 0, 0, nullptr);
    }
}

void TCanvas::DeselectHandles() {
    if (dc_ == nullptr) {
        return;
    }
    if (oldFont_ != nullptr) SelectObject(dc_, oldFont_);
    if (oldPen_ != nullptr) SelectObject(dc_, oldPen_);
    if (oldBrush_ != nullptr) SelectObject(dc_, oldBrush_);
    oldFont_ = oldPen_ = oldBrush_ = nullptr;
    state_ &= ~unsigned(FontValid | PenValid | BrushValid);
}

void TCanvas::RequireHandle() {
    if (dc_ == nullptr) {
        CreateHandle();
    }
    if (dc_ == nullptr) {
        throw EInvalidGraphicOperation("Canvas does not allow drawing");
    }
}

void TCanvas::RequirePen() {
    RequireHandle();
    if (state_ & PenValid) {
        return;
    }
    static constexpr int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                     PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    HPEN pen = CreatePen(styles[int(pen_->Style())], pen_->Width(), ColorToRGB(pen_->Color()));
    HGDIOBJ old = SelectObject(dc_, pen);
    if (oldPen_ == nullptr) {
        oldPen_ = old;
    }
    if (penHandle_ != nullptr) {
        DeleteObject(penHandle_);
    }
    penHandle_ = pen;
    SetROP2(dc_, pen_->Mode() == pmXor ? R2_XORPEN : pen_->Mode() == pmNot ? R2_NOT : R2_COPYPEN);
    state_ |= PenValid;
}

void TCanvas::RequireBrush() {
    RequireHandle();
    if (state_ & BrushValid) {
        return;
    }
    LOGBRUSH lb{};
    lb.lbStyle = brush_->Style() == bsClear ? BS_NULL : BS_SOLID;
    lb.lbColor = ColorToRGB(brush_->Color());
    HBRUSH brush = CreateBrushIndirect(&lb);
    HGDIOBJ old = SelectObject(dc_, brush);
    if (oldBrush_ == nullptr) {
        oldBrush_ = old;
    }
    if (brushHandle_ != nullptr) {
        DeleteObject(brushHandle_);
    }
    brushHandle_ = brush;
    SetBkColor(dc_, lb.lbColor);
    SetBkMode(dc_, brush_->Style() == bsClear ? TRANSPARENT : OPAQUE);
    state_ |= BrushValid;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::FillRect(const RECT& r) {
    Changing();
    RequireBrush();
    if (brush_->Style() != bsClear) {
        ::FillRect(dc_, &r, brushHandle_);
    }
    Changed();
}

void TCanvas::FrameRect(const RECT& r) {
    Changing();
    RequireBrush();
    ::FrameRect(dc_, &r, brushHandle_);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    RequireHandle();
    MoveToEx(dc_, x, y, nullptr);
    penPos_ = POINT{x, y};
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequirePen();
    ::LineTo(dc_, x, y);
    penPos_ = POINT{x, y};
    Changed();
}

POINT TCanvas::PenPos() { return penPos_; }

void TCanvas::Polyline(const POINT* points, int count) {
    Changing();
    RequirePen();
    ::Polyline(dc_, points, count);
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) {
        return;
    }
    Changing();
    RequireHandle();
    graphic->Draw(this, RECT{x, y, x + graphic->Width(), y + graphic->Height()});
    Changed();
}

void TCanvas::StretchDraw(const RECT& r, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty()) {
        return;
    }
    Changing();
    RequireHandle();
    graphic->Draw(this, r);
    Changed();
}

void TCanvas::CopyRect(const RECT& dr, TCanvas* source, const RECT& sr) {
    Changing();
    RequireHandle();
    HDC src = source->Handle();
    ::StretchBlt(dc_, dr.left, dr.top, RectWidth(dr), RectHeight(dr), src, sr.left, sr.top, RectWidth(sr),
                 RectHeight(sr), copyMode_);
    Changed();
}

COLORREF TCanvas::Pixel(int x, int y) {
    RequireHandle();
    return ::GetPixel(dc_, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Changing();
    RequireHandle();
    ::SetPixel(dc_, x, y, ColorToRGB(color));
    Changed();
}

RECT TCanvas::ClipRect() {
    RequireHandle();
    RECT r{};
    ::GetClipBox(dc_, &r);
    return r;
}

} // namespace vcl
