#include "platform/controls/ControlUtil.h"

#include "platform/gfx/DCApi.h"
#include "platform/gfx/PenBrush.h"

#include <algorithm>

namespace controls {

LRESULT SendNotify(HWND hwnd, int code, NMHDR* header) {
    HWND parent = GetParent(hwnd);
    header->hwndFrom = hwnd;
    header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    header->code = static_cast<UINT>(code);
    if (!parent) return 0;
    return SendMessage(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void SendCommand(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    WPARAM w = MAKELONG(static_cast<WORD>(GetDlgCtrlID(hwnd)), code);
    SendMessage(parent, WM_COMMAND, w, reinterpret_cast<LPARAM>(hwnd));
}

void PublishScroll(HWND hwnd, int bar, const ScrollState& state) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = state.min;
    si.nMax = state.max;
    si.nPage = static_cast<UINT>(std::max(state.page, 0));
    si.nPos = state.pos;
    SetScrollInfo(hwnd, bar, &si, TRUE);
}

int ScrollTarget(WPARAM wParam, int current, int line, int page, const ScrollState& state) {
    switch (LOWORD(wParam)) {
    case SB_LINEUP: return current - line;
    case SB_LINEDOWN: return current + line;
    case SB_PAGEUP: return current - std::max(page, 1);
    case SB_PAGEDOWN: return current + std::max(page, 1);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return static_cast<int>(HIWORD(wParam));
    case SB_TOP: return state.min;
    case SB_BOTTOM: return state.max;
    default: return current;
    }
}

HFONT DefaultControlFont() { return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

int FontHeight(HWND hwnd, HFONT font) {
    HDC dc = GetDC(hwnd);
    if (!dc) return 16;
    HGDIOBJ old = SelectObject(dc, font ? font : DefaultControlFont());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return tm.tmHeight > 0 ? tm.tmHeight : 16;
}

int TextWidth(HDC dc, std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void DrawHLine(HDC dc, int x1, int x2, int y, COLORREF color) {
    RECT r{x1, y, x2, y + 1};
    FillSolid(dc, r, color);
}

void DrawVLine(HDC dc, int x, int y1, int y2, COLORREF color) {
    RECT r{x, y1, x + 1, y2};
    FillSolid(dc, r, color);
}

void RegisterControlClass(const char* name, WNDPROC proc, LPCSTR cursor) {
    WNDCLASS existing;
    if (GetClassInfo(nullptr, name, &existing)) return;
    WNDCLASS wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursor(nullptr, cursor);
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

} // namespace controls
