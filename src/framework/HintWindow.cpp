#include "framework/HintWindow.h"

#include "framework/Canvas.h"

namespace vcl {

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    SetParentFont(false);
}

void THintWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    p.WndParent = nullptr;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    RECT r{0, 0, maxWidth, 0};
    Canvas()->SetFont(Font());
    HDC measure = CreateCompatibleDC(nullptr);
    Canvas()->SetHandle(measure);
    Canvas()->DrawText(text, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    Canvas()->SetHandle(nullptr);
    DeleteDC(measure);
    r.right += 6;
    r.bottom += 4;
    return r;
}

void THintWindow::ActivateHint(const RECT& rect, const std::string& text) {
    SetCaption(text);
    SetBounds(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, RectWidth(rect), RectHeight(rect),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHint() {
    if (HandleAllocated() && IsWindowVisible(Handle())) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool THintWindow::HintVisible() { return HandleAllocated() && IsWindowVisible(Handle()); }

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    RECT r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->SetFont(Font());
    c->Brush()->SetStyle(bsClear);
    RECT text = RECT{r.left + 2, r.top + 1, r.right - 2, r.bottom - 1};
    c->DrawText(Caption(), text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace vcl
