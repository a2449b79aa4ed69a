// The modal move/size loop started by the default handling of a press on the caption or a
// sizing border, and the press-and-release tracking of the default close button.
#include "platform/ui/WindowSystem.h"

#include <algorithm>

using ui::WS;

namespace ui {

namespace {

bool IsMouse(UINT m) { return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST; }

// Runs the loop's own message pump: mouse and key messages are the loop's, everything else
// (timers, paint, posted messages) is dispatched as usual. Returns false when the loop must
// end without a button release (quit, window gone, capture lost).
template <typename OnMouse>
bool PumpLoop(HWND hwnd, OnMouse onMouse) {
    auto& ws = WS();
    MSG msg;
    while (ws.IsLive(hwnd) && ws.CaptureOwner() == hwnd) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            return false;
        }
        if (IsMouse(msg.message) || msg.message == WM_KEYDOWN || msg.message == WM_KEYUP ||
            msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP || msg.message == WM_CHAR) {
            if (!onMouse(msg)) {
                return true;
            }
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return false;
}

} // namespace

void RunSizeMoveLoop(HWND hwnd, WPARAM cmd, POINT start) {
    auto& ws = WS();
    bool moving = (cmd & 0xFFF0) == SC_MOVE;
    WPARAM edge = moving ? 0 : (cmd & 0x0F);
    if (!moving && edge == 0) {
        return; // FIXME: keyboard sizing (SC_SIZE without an edge) is not offered.
    }
    RECT orig;
    GetWindowRect(hwnd, &orig);
    MINMAXINFO mm = QueryMinMax(hwnd);
    if (!ws.IsLive(hwnd)) {
        return;
    }
    ws.Send(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    RECT last = orig;
    bool cancelled = false;
    PumpLoop(hwnd, [&](const MSG& m) {
        if (m.message == WM_KEYDOWN && m.wParam == WPARAM(VK_ESCAPE)) {
            cancelled = true;
            return false;
        }
        if (m.message == WM_KEYDOWN && m.wParam == WPARAM(VK_RETURN)) {
            return false;
        }
        if (m.message == WM_LBUTTONUP) {
            return false;
        }
        if (m.message != WM_MOUSEMOVE) {
            return true;
        }
        int dx = m.pt.x - start.x;
        int dy = m.pt.y - start.y;
        RECT r = orig;
        if (moving) {
            r = OffsetRect(orig, dx, dy);
        } else {
            int minW = mm.ptMinTrackSize.x, minH = mm.ptMinTrackSize.y;
            int maxW = std::max(minW, int(mm.ptMaxTrackSize.x)),
                maxH = std::max(minH, int(mm.ptMaxTrackSize.y));
            bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
            bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
            bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
            bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
            if (left) r.left = std::clamp<int>(orig.left + dx, orig.right - maxW, orig.right - minW);
            if (right) r.right = std::clamp<int>(orig.right + dx, orig.left + minW, orig.left + maxW);
            if (top) r.top = std::clamp<int>(orig.top + dy, orig.bottom - maxH, orig.bottom - minH);
            if (bottom) r.bottom = std::clamp<int>(orig.bottom + dy, orig.top + minH, orig.top + maxH);
        }
        if (r == last) {
            return true;
        }
        ws.Send(hwnd, moving ? WM_MOVING : WM_SIZING, edge, LPARAM(reinterpret_cast<std::intptr_t>(&r)));
        if (!ws.IsLive(hwnd)) {
            return false;
        }
        last = r;
        // Full-window dragging: the window follows at once.
        SetWindowPos(hwnd, nullptr, r.left, r.top, RectWidth(r), RectHeight(r),
                     SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
        UpdateWindow(hwnd);
        return true;
    });
    if (cancelled && ws.IsLive(hwnd)) {
        SetWindowPos(hwnd, nullptr, orig.left, orig.top, RectWidth(orig), RectHeight(orig),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (ws.CaptureOwner() == hwnd) {
        ReleaseCapture();
    }
    if (ws.IsLive(hwnd)) {
        ws.Send(hwnd, WM_EXITSIZEMOVE, 0, 0);
    }
}

void TrackCloseButton(HWND hwnd) {
    auto& ws = WS();
    SetCapture(hwnd);
    bool released = false;
    POINT at{};
    PumpLoop(hwnd, [&](const MSG& m) {
        if (m.message == WM_LBUTTONUP) {
            released = true;
            at = m.pt;
            return false;
        }
        return m.message != WM_KEYDOWN || m.wParam != WPARAM(VK_ESCAPE);
    });
    if (ws.CaptureOwner() == hwnd) {
        ReleaseCapture();
    }
    if (released && ws.IsLive(hwnd) && DefaultNcHitTest(hwnd, at) == HTCLOSE) {
        ws.Send(ws.TopLevel(hwnd), WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(WORD(at.x), WORD(at.y)));
    }
}

} // namespace ui
