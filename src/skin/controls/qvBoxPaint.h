#pragma once
// Small painting helpers shared by the list box and the combo box, which draw their rows, caption
// buttons and drop button the same way.

#include "framework/Canvas.h"
#include "platform/gfx/WinTypes.h"

#include <string>

namespace qv::boxpaint {

inline int W(const RECT& r) { return r.right - r.left; }
inline int H(const RECT& r) { return r.bottom - r.top; }

constexpr TColor kNavy = RGB(0, 0, 128);
constexpr TColor kPressedFill = RGB(133, 147, 181);
constexpr TColor kHotFill = RGB(182, 189, 210);

// The canvas's DC with its font and text colour selected, for the text routines that take a DC.
inline HDC TextDC(vcl::TCanvas* c) {
    c->TextExtent(std::string());
    return c->Handle();
}

inline void FrameAndFill(vcl::TCanvas* c, const RECT& r, TColor frame, TColor fill) {
    c->Brush()->SetStyle(vcl::bsSolid);
    c->Brush()->SetColor(fill);
    c->FillRect(r);
    c->Brush()->SetColor(frame);
    c->FrameRect(r);
}

} // namespace qv::boxpaint
