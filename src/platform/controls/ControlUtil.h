#pragma once
// Pieces every control window shares: its state object, notifications to the parent,
// publishing scroll state, fonts and the scroll-request arithmetic.

#include "platform/controls/CommCtrl.h"
#include "platform/controls/ListViewModel.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/TextOut.h"

#include <string_view>

namespace controls {

// WM_GETDLGCODE answers.
constexpr LRESULT kDlgcWantArrows = 0x0001;
constexpr LRESULT kDlgcWantTab = 0x0002;
constexpr LRESULT kDlgcWantAllKeys = 0x0004;
constexpr LRESULT kDlgcHasSetSel = 0x0008;
constexpr LRESULT kDlgcWantChars = 0x0080;

inline int XFromLParam(LPARAM l) { return static_cast<std::int16_t>(LOWORD(static_cast<DWORD>(l))); }
inline int YFromLParam(LPARAM l) { return static_cast<std::int16_t>(HIWORD(static_cast<DWORD>(l))); }
inline POINT PointFromLParam(LPARAM l) { return {XFromLParam(l), YFromLParam(l)}; }

// The control's state lives behind GWLP_USERDATA.
// FIXME: move to window extra bytes once the window system keeps cbWndExtra, so that
// applications keep GWLP_USERDATA for themselves.
template <class T>
T* StateOf(HWND hwnd) {
    return reinterpret_cast<T*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}
template <class T>
void AttachState(HWND hwnd, T* state) {
    SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
}

// Registers a control's global window class once (double-clicks on); later calls do nothing.
void RegisterControlClass(const char* name, WNDPROC proc, LPCSTR cursor = IDC_ARROW);

// WM_NOTIFY to the parent with the control's id; returns the parent's answer.
LRESULT SendNotify(HWND hwnd, int code, NMHDR* header);
// WM_COMMAND to the parent: MAKEWPARAM(id, code), lParam = the control.
void SendCommand(HWND hwnd, WORD code);

// Stores the state of one bar with SetScrollInfo (range, page and position).
void PublishScroll(HWND hwnd, int bar, const ScrollState& state);
// The new first unit for a WM_VSCROLL / WM_HSCROLL request; `line` is the size of a line
// step in the same units, `page` that of a page step.
int ScrollTarget(WPARAM wParam, int current, int line, int page, const ScrollState& state);

HFONT DefaultControlFont();
// Height of a text line in `font` (tmHeight), measured on the window's DC.
int FontHeight(HWND hwnd, HFONT font);
int TextWidth(HDC dc, std::string_view text);

// Fills r with a colour (a COLORREF or a system colour value).
void FillSolid(HDC dc, const RECT& r, COLORREF color);
void DrawHLine(HDC dc, int x1, int x2, int y, COLORREF color);
void DrawVLine(HDC dc, int x, int y1, int y2, COLORREF color);

} // namespace controls
