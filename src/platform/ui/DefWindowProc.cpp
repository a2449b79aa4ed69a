// Default message handling: non-client size, hit codes and the plain frame, erasing with the
// class brush, texts, cursors, activation, the system commands and Alt+F4.
#include "platform/ui/FrameMetrics.h"
#include "platform/ui/Icon.h"
#include "platform/ui/ScrollBarGeometry.h"
#include "platform/ui/WindowSystem.h"

#include "platform/gfx/DrawText.h"
#include "platform/gfx/Font.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using ui::WS;
using ui::Window;

namespace ui {

namespace {
constexpr const FrameMetrics& kM = kFrameMetrics;
constexpr int kScroll = kScrollBarSize;

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int FrameWidth(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) {
        return kM.sizingFrame;
    }
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        return kM.dialogFrame;
    }
    return (style & WS_BORDER) ? kM.border : 0;
}

int CaptionHeight(DWORD style, DWORD exStyle) {
    if (!HasCaption(style)) {
        return 0;
    }
    return (exStyle & WS_EX_TOOLWINDOW) ? kM.smallCaption : kM.caption;
}

int EdgeWidth(DWORD exStyle) {
    return (exStyle & WS_EX_CLIENTEDGE) ? kM.clientEdge : (exStyle & WS_EX_STATICEDGE) ? kM.staticEdge : 0;
}

RECT CloseButton(HWND w) {
    int b = FrameWidth(w->style, w->exStyle);
    int ch = CaptionHeight(w->style, w->exStyle);
    int size = ch - 4;
    int right = w->Width() - b - 2;
    return RECT{right - size - 2, b + 2, right, b + 2 + size};
}
} // namespace

RECT NcInsets(DWORD style, DWORD exStyle) {
    int b = FrameWidth(style, exStyle) + EdgeWidth(exStyle);
    RECT in{b, b + CaptionHeight(style, exStyle), b, b};
    if (style & WS_VSCROLL) {
        in.right += kScroll;
    }
    if (style & WS_HSCROLL) {
        in.bottom += kScroll;
    }
    return in;
}

void DefaultNcCalcSize(HWND hwnd, RECT& r) {
    if (hwnd->style & WS_MINIMIZE) {
        return;
    }
    RECT in = NcInsets(hwnd->style, hwnd->exStyle);
    r.left += in.left;
    r.top += in.top;
    r.right -= in.right;
    r.bottom -= in.bottom;
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
}

LRESULT DefaultNcHitTest(HWND hwnd, POINT screen) {
    auto& ws = WS();
    POINT o = ws.ScreenOrigin(hwnd);
    int x = screen.x - o.x;
    int y = screen.y - o.y;
    int W = hwnd->Width();
    int H = hwnd->Height();
    if (x < 0 || y < 0 || x >= W || y >= H || (hwnd->region && !hwnd->region->Contains(x, y))) {
        return HTNOWHERE;
    }
    if (PtInRect(hwnd->client, POINT{x, y})) {
        return HTCLIENT;
    }
    if (hwnd->style & WS_MINIMIZE) {
        return HTCAPTION;
    }
    int b = FrameWidth(hwnd->style, hwnd->exStyle);
    if ((hwnd->style & WS_THICKFRAME) && !(hwnd->style & WS_MAXIMIZE)) {
        int corner = kM.caption + b;
        bool left = x < b, right = x >= W - b, top = y < b, bottom = y >= H - b;
        if (left || right || top || bottom) {
            bool nearTop = y < corner, nearBottom = y >= H - corner;
            bool nearLeft = x < corner, nearRight = x >= W - corner;
            if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
            if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
            if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
            if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
            return left ? HTLEFT : right ? HTRIGHT : top ? HTTOP : HTBOTTOM;
        }
    }
    int ch = CaptionHeight(hwnd->style, hwnd->exStyle);
    if (ch && y >= b && y < b + ch && x >= b && x < W - b) {
        if ((hwnd->style & WS_SYSMENU) && PtInRect(CloseButton(hwnd), POINT{x, y})) {
            return HTCLOSE;
        }
        return HTCAPTION;
    }
    if ((hwnd->style & WS_VSCROLL) && x >= hwnd->client.right && x < hwnd->client.right + kScroll &&
        y >= hwnd->client.top && y < hwnd->client.bottom) {
        return HTVSCROLL;
    }
    if ((hwnd->style & WS_HSCROLL) && y >= hwnd->client.bottom && y < hwnd->client.bottom + kScroll &&
        x >= hwnd->client.left && x < hwnd->client.right) {
        return HTHSCROLL;
    }
    return HTBORDER;
}

namespace {

void Line(HDC dc, int x0, int y0, int x1, int y1, int color) {
    HPEN pen = CreatePen(PS_SOLID, 1, SysColorValue(color));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void Fill(HDC dc, const RECT& r, int color) { FillRect(dc, &r, GetSysColorBrush(color)); }

// Two-colour ring: top and left in `lt`, bottom and right in `rb`.
void Ring(HDC dc, const RECT& r, int lt, int rb) {
    Line(dc, r.left, r.bottom - 1, r.left, r.top, lt);
    Line(dc, r.left, r.top, r.right - 1, r.top, lt);
    Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, rb);
    Line(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, rb);
}

void DrawCloseBox(HDC dc, const RECT& r) {
    Fill(dc, r, COLOR_BTNFACE);
    Ring(dc, r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    Ring(dc, InflateRect(r, -1, -1), COLOR_BTNFACE, COLOR_BTNSHADOW);
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2;
    for (int d = 0; d < 2; ++d) {
        Line(dc, cx - 4 + d, cy - 3, cx + 3 + d, cy + 4, COLOR_BTNTEXT);
        Line(dc, cx + 2 + d, cy - 3, cx - 5 + d, cy + 4, COLOR_BTNTEXT);
    }
}

void DrawScrollBar(HDC dc, const ScrollBarParts& p) {
    Fill(dc, p.bar, COLOR_SCROLLBAR);
    for (const RECT& q : {p.lineUp, p.lineDown}) {
        Fill(dc, q, COLOR_BTNFACE);
        Ring(dc, q, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    }
    if (p.hasThumb) {
        Fill(dc, p.thumb, COLOR_BTNFACE);
        Ring(dc, p.thumb, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    }
}

} // namespace

void DefaultNcPaint(HWND hwnd) {
    RECT in = NcInsets(hwnd->style, hwnd->exStyle);
    if (in.left == 0 && in.top == 0 && in.right == 0 && in.bottom == 0) {
        return;
    }
    HDC dc = GetWindowDC(hwnd);
    if (!dc) {
        return;
    }
    int W = hwnd->Width();
    int H = hwnd->Height();
    ExcludeClipRect(dc, hwnd->client.left, hwnd->client.top, hwnd->client.right, hwnd->client.bottom);
    RECT r{0, 0, W, H};
    int b = FrameWidth(hwnd->style, hwnd->exStyle);
    if (b >= 3) {
        Ring(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        Ring(dc, InflateRect(r, -1, -1), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        RECT inner = InflateRect(r, -2, -2);
        for (int i = 2; i < b; ++i) {
            Ring(dc, inner, COLOR_BTNFACE, COLOR_BTNFACE);
            inner = InflateRect(inner, -1, -1);
        }
    } else if (b == 1) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    r = InflateRect(r, -b, -b);
    int ch = CaptionHeight(hwnd->style, hwnd->exStyle);
    if (ch) {
        RECT cap{r.left, r.top, r.right, r.top + ch};
        bool active = hwnd->ncActive;
        Fill(dc, cap, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        RECT text{cap.left + 4, cap.top, cap.right - 2, cap.bottom};
        if (hwnd->style & WS_SYSMENU) {
            RECT close = CloseButton(hwnd);
            DrawCloseBox(dc, close);
            text.right = close.left - 2;
        }
        if (!hwnd->text.empty()) {
            HFONT font = CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                    "Liberation Sans");
            HGDIOBJ old = SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
            DrawText(dc, hwnd->text.c_str(), -1, &text,
                     DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            SelectObject(dc, old);
            DeleteObject(font);
        }
        r.top += ch;
    }
    int e = EdgeWidth(hwnd->exStyle);
    if (e == 2) {
        Ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        Ring(dc, InflateRect(r, -1, -1), COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    } else if (e == 1) {
        Ring(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    }
    const RECT& c = hwnd->client;
    for (int bar : {SB_VERT, SB_HORZ}) {
        if (std::optional<ScrollBarParts> parts = NcScrollBar(*hwnd, bar)) {
            DrawScrollBar(dc, *parts);
        }
    }
    if ((hwnd->style & WS_VSCROLL) && (hwnd->style & WS_HSCROLL)) {
        Fill(dc, RECT{c.right, c.bottom, c.right + kScroll, c.bottom + kScroll}, COLOR_BTNFACE);
    }
    ReleaseDC(hwnd, dc);
}

MINMAXINFO QueryMinMax(HWND hwnd) {
    auto& ws = WS();
    MINMAXINFO mm;
    HMONITOR mon = MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO mi;
    GetMonitorInfo(mon, &mi);
    RECT in = NcInsets(hwnd->style & ~(WS_VSCROLL | WS_HSCROLL), hwnd->exStyle);
    int b = in.left;
    mm.ptMaxSize = POINT{RectWidth(mi.rcWork) + 2 * b, RectHeight(mi.rcWork) + 2 * b};
    mm.ptMaxPosition = POINT{mi.rcWork.left - b, mi.rcWork.top - b};
    mm.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mm.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    ws.Send(hwnd, WM_GETMINMAXINFO, 0, LPARAM(reinterpret_cast<std::intptr_t>(&mm)));
    return mm;
}

} // namespace ui

namespace {

LRESULT OnNcCalcSize(HWND hwnd, WPARAM w, LPARAM l) {
    RECT* r = w ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0] : reinterpret_cast<RECT*>(l);
    if (r) {
        ui::DefaultNcCalcSize(hwnd, *r);
    }
    return 0;
}

LRESULT OnEraseBkgnd(HWND hwnd, HDC dc) {
    HBRUSH brush = hwnd->cls->wc.hbrBackground;
    if (!brush || !dc) {
        return 0;
    }
    RECT r{0, 0, RectWidth(hwnd->client), RectHeight(hwnd->client)};
    FillRect(dc, &r, brush);
    return 1;
}

LRESULT OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    if (BeginPaint(hwnd, &ps)) {
        EndPaint(hwnd, &ps);
    }
    return 0;
}

LRESULT OnSetText(HWND hwnd, LPCSTR text) {
    auto& ws = WS();
    hwnd->text = text ? text : "";
    if (!hwnd->IsChild() && hwnd->native) {
        ws.backend().SetNativeTitle(hwnd->native, hwnd->text);
    }
    if ((hwnd->style & WS_CAPTION) == WS_CAPTION && hwnd->Visible()) {
        ws.InvalidateFrame(hwnd);
    }
    return TRUE;
}

LRESULT OnSetCursor(HWND hwnd, WPARAM w, LPARAM l) {
    auto& ws = WS();
    if (hwnd->IsChild() && ws.Send(hwnd->parent, WM_SETCURSOR, w, l)) {
        return TRUE;
    }
    LRESULT hit = LRESULT(std::int16_t(LOWORD(std::uintptr_t(l))));
    LPCSTR id = IDC_ARROW;
    switch (hit) {
    case HTCLIENT:
        if (hwnd->cls->wc.hCursor) {
            SetCursor(hwnd->cls->wc.hCursor);
            return TRUE;
        }
        return FALSE;
    case HTLEFT:
    case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    case HTERROR:
        if (HIWORD(std::uintptr_t(l)) == WM_LBUTTONDOWN) {
            MessageBeep(0);
        }
        break;
    default: break;
    }
    SetCursor(LoadCursor(nullptr, id));
    return TRUE;
}

// A sideways wheel scrolls a window whose horizontal scroll state can move (a window with the
// bar, or one that set a range: the native controls publish it whether or not their own bar is
// shown), three columns a notch through its own WM_HSCROLL, so whatever mirrors that state sees
// the scroll; anything else asks the parent.
constexpr int kWheelColumns = 3;

LRESULT OnMouseHWheel(HWND hwnd, Window* w, WPARAM wParam, LPARAM lParam) {
    const ui::ScrollState& s = w->scroll[SB_HORZ];
    const SCROLLINFO& si = s.info;
    bool movable = ((w->style & WS_HSCROLL) || s.ranged) &&
                   si.nMax - std::max(int(si.nPage) - 1, 0) > si.nMin;
    if (!movable) {
        return w->IsChild() ? WS().Send(w->parent, WM_MOUSEHWHEEL, wParam, lParam) : 0;
    }
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    int steps = std::max(std::abs(delta) / WHEEL_DELTA, 1) * kWheelColumns;
    for (int i = 0; i < steps && WS().IsLive(hwnd); ++i) {
        WS().Send(hwnd, WM_HSCROLL, delta > 0 ? SB_LINERIGHT : SB_LINELEFT, 0);
    }
    return 0;
}

WPARAM SizeCommand(LRESULT hit) {
    switch (hit) {
    case HTLEFT: return SC_SIZE + WMSZ_LEFT;
    case HTRIGHT: return SC_SIZE + WMSZ_RIGHT;
    case HTTOP: return SC_SIZE + WMSZ_TOP;
    case HTTOPLEFT: return SC_SIZE + WMSZ_TOPLEFT;
    case HTTOPRIGHT: return SC_SIZE + WMSZ_TOPRIGHT;
    case HTBOTTOM: return SC_SIZE + WMSZ_BOTTOM;
    case HTBOTTOMLEFT: return SC_SIZE + WMSZ_BOTTOMLEFT;
    case HTBOTTOMRIGHT: return SC_SIZE + WMSZ_BOTTOMRIGHT;
    default: return 0;
    }
}

LRESULT OnNcLButtonDown(HWND hwnd, WPARAM hit, LPARAM l) {
    auto& ws = WS();
    HWND top = ws.TopLevel(hwnd);
    if (LRESULT(hit) == HTCAPTION) {
        ws.Send(top, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, l);
    } else if (WPARAM cmd = SizeCommand(LRESULT(hit))) {
        ws.Send(top, WM_SYSCOMMAND, cmd, l);
    } else if (LRESULT(hit) == HTCLOSE) {
        ui::TrackCloseButton(hwnd);
    }
    return 0;
}

LRESULT OnSysKeyDown(HWND hwnd, WPARAM vk, LPARAM l) {
    auto& ws = WS();
    if (vk == WPARAM(VK_F4) && (l & (LPARAM(1) << 29))) {
        HWND top = ws.TopLevel(hwnd);
        ws.Send(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
}

LRESULT OnSysKeyUp(HWND hwnd, WPARAM vk, LPARAM) {
    if (vk == WPARAM(VK_MENU) || vk == WPARAM(VK_F10)) {
        auto& ws = WS();
        ws.Send(ws.TopLevel(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
    return 0;
}

LRESULT OnWindowPosChanging(HWND hwnd, WINDOWPOS* wp) {
    if (!wp || (wp->flags & SWP_NOSIZE) || (hwnd->style & WS_MAXIMIZE)) {
        return 0;
    }
    if ((hwnd->style & WS_THICKFRAME) || !(hwnd->style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO mm = ui::QueryMinMax(hwnd);
        wp->cx = std::clamp<int>(wp->cx, mm.ptMinTrackSize.x,
                                 std::max(mm.ptMinTrackSize.x, mm.ptMaxTrackSize.x));
        wp->cy = std::clamp<int>(wp->cy, mm.ptMinTrackSize.y,
                                 std::max(mm.ptMinTrackSize.y, mm.ptMaxTrackSize.y));
    }
    return 0;
}

LRESULT OnWindowPosChanged(HWND hwnd, const WINDOWPOS* wp) {
    auto& ws = WS();
    if (!wp) {
        return 0;
    }
    if (!(wp->flags & SWP_NOCLIENTMOVE)) {
        ws.Send(
            hwnd, WM_MOVE, 0,
            MAKELPARAM(WORD(hwnd->rect.left + hwnd->client.left), WORD(hwnd->rect.top + hwnd->client.top)));
    }
    if (!(wp->flags & SWP_NOCLIENTSIZE) && ws.IsLive(hwnd)) {
        WPARAM kind = (hwnd->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                      : (hwnd->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                    : SIZE_RESTORED;
        ws.Send(hwnd, WM_SIZE, kind,
                MAKELPARAM(WORD(RectWidth(hwnd->client)), WORD(RectHeight(hwnd->client))));
    }
    return 0;
}

} // namespace

namespace ui {

LRESULT DefaultSysCommand(HWND hwnd, WPARAM cmd, LPARAM l) {
    switch (cmd & 0xFFF0) {
    case SC_CLOSE: return WS().Send(hwnd, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    case SC_MOVE:
    case SC_SIZE:
        if (!(hwnd->style & WS_MAXIMIZE) && !(hwnd->style & WS_MINIMIZE) && !hwnd->IsChild()) {
            POINT start{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            if ((cmd & 0x0F) == 0) {
                GetCursorPos(&start);
            }
            RunSizeMoveLoop(hwnd, cmd, start);
        }
        return 0;
    default: return 0;
    }
}

} // namespace ui

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return 0;
    }
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName) {
            w->text = cs->lpszName;
        }
        return TRUE;
    }
    case WM_NCCALCSIZE: return OnNcCalcSize(hwnd, wParam, lParam);
    case WM_NCHITTEST: return ui::DefaultNcHitTest(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: ui::DefaultNcPaint(hwnd); return 0;
    case WM_NCACTIVATE:
        w->ncActive = wParam != 0;
        if (w->Visible() && (w->style & WS_CAPTION) == WS_CAPTION) {
            // Through the message, so a procedure that draws its own frame redraws it too.
            w->framePending = false;
            ws.Send(hwnd, WM_NCPAINT, 1, 0);
        }
        return TRUE;
    case WM_ERASEBKGND: return OnEraseBkgnd(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: return OnPaint(hwnd);
    case WM_SETTEXT: return OnSetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_SETICON: return ui::SetWindowIcon(hwnd, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON: return ui::GetWindowIcon(hwnd, wParam);
    case WM_GETTEXT: return ui::CopyWindowText(hwnd, reinterpret_cast<LPSTR>(lParam), int(wParam));
    case WM_GETTEXTLENGTH: return LRESULT(w->text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return ui::DefaultSysCommand(hwnd, wParam, lParam);
    case WM_SYSKEYDOWN: return OnSysKeyDown(hwnd, wParam, lParam);
    case WM_SYSKEYUP: return OnSysKeyUp(hwnd, wParam, lParam);
    case WM_SYSCHAR:
        if (!(lParam & (LPARAM(1) << 29)) || wParam == WPARAM(VK_SPACE)) {
            return 0;
        }
        ws.Send(ws.TopLevel(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
        return 0;
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (LRESULT(wParam) == HTCAPTION && (w->style & WS_MAXIMIZEBOX) && (w->style & WS_THICKFRAME)) {
            ws.Send(hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        }
        return 0;
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        ws.Send(hwnd, WM_CONTEXTMENU, WPARAM(reinterpret_cast<std::uintptr_t>(hwnd)),
                MAKELPARAM(WORD(p.x), WORD(p.y)));
        return 0;
    }
    case WM_CONTEXTMENU:
        if (w->IsChild()) {
            return ws.Send(w->parent, WM_CONTEXTMENU, wParam, lParam);
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (w->IsChild()) {
            return ws.Send(w->parent, WM_MOUSEWHEEL, wParam, lParam);
        }
        return 0;
    case WM_MOUSEHWHEEL: return OnMouseHWheel(hwnd, w, wParam, lParam);
    case WM_SETCURSOR: return OnSetCursor(hwnd, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (w->IsChild()) {
            if (LRESULT r = ws.Send(w->parent, WM_MOUSEACTIVATE, wParam, lParam)) {
                return r;
            }
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) {
            ws.SetFocusTo(hwnd);
        }
        return 0;
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(hwnd, reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_CANCELMODE:
        if (ws.CaptureOwner() == hwnd) {
            ReleaseCapture();
        }
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return LRESULT(reinterpret_cast<std::intptr_t>(GetSysColorBrush(COLOR_BTNFACE)));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return LRESULT(reinterpret_cast<std::intptr_t>(GetSysColorBrush(COLOR_WINDOW)));
    default: return 0;
    }
}
