#include "skin/data/qvParentBackground.h"

#include "framework/Forms.h"
#include "framework/WinControl.h"

namespace qv {

namespace {

// The parent's own surface without its children: its PaintWindow, which is protected. A pointer
// to the member formed through a derived class is the language's sanctioned way to reach it.
struct WindowPainter : vcl::TWinControl {
    static void Paint(vcl::TWinControl* control, HDC dc) {
        void (vcl::TWinControl::*paint)(HDC) = &WindowPainter::PaintWindow;
        (control->*paint)(dc);
    }
};

bool IsWindowed(const vcl::TControl* c) { return dynamic_cast<const vcl::TWinControl*>(c); }

bool Meets(const RECT& a, const RECT& b) { return !IsRectEmpty(IntersectRect(a, b)); }

} // namespace

void PaintParentBackground(vcl::TControl* control, HDC dc) {
    vcl::TWinControl* parent = control != nullptr ? control->Parent() : nullptr;
    if (parent == nullptr || dc == nullptr) {
        return;
    }
    const vcl::TControlState state = parent->ControlState();
    parent->SetControlState(state | vcl::csPaintCopy);

    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    const RECT client = parent->ClientRect();
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    // The program has no MDI main forms or skinned tab pages, whose backgrounds would come from
    // their client window and their own routine.
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (dynamic_cast<vcl::TCustomForm*>(parent) == nullptr) {
        const int inner = SaveDC(dc);
        WindowPainter::Paint(parent, dc);
        RestoreDC(dc, inner);
    }

    // Graphic controls are drawn on the parent's surface, so all of them lie beneath a windowed
    // control; beneath a graphic control lie those before it in the z-order.
    const RECT bounds = control->BoundsRect();
    const bool windowed = IsWindowed(control);
    for (int i = 0; i < parent->ControlCount(); ++i) {
        vcl::TControl* sibling = parent->Controls(i);
        if (sibling == control) {
            if (!windowed) {
                break;
            }
            continue;
        }
        if (IsWindowed(sibling) || !sibling->Visible() || !Meets(sibling->BoundsRect(), bounds)) {
            continue;
        }
        const int inner = SaveDC(dc);
        OffsetViewportOrgEx(dc, sibling->Left(), sibling->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, sibling->Width(), sibling->Height());
        sibling->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, inner);
    }
    RestoreDC(dc, saved);
    parent->SetControlState(state);
}

} // namespace qv
