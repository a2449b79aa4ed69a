// Monitors, metrics, system parameters and the version; cursors, icons, the per-window
// scroll-bar state and dropped files.
#include "platform/ui/FrameMetrics.h"
#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <climits>

using ui::WS;
using ui::Window;

namespace {

HMONITOR ToHandle(std::size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

const ui::MonitorDesc* FromHandle(HMONITOR m) {
    auto& mons = WS().Monitors();
    std::size_t i = std::size_t(reinterpret_cast<std::uintptr_t>(m));
    return (i >= 1 && i <= mons.size()) ? &mons[i - 1] : nullptr;
}

std::size_t PrimaryIndex() {
    auto& mons = WS().Monitors();
    for (std::size_t i = 0; i < mons.size(); ++i) {
        if (mons[i].primary) {
            return i;
        }
    }
    return 0;
}

long long Distance(const RECT& a, const RECT& b) {
    long long dx = std::max<long long>({0, a.left - b.right + 1, b.left - a.right + 1});
    long long dy = std::max<long long>({0, a.top - b.bottom + 1, b.top - a.bottom + 1});
    return dx * dx + dy * dy;
}

HMONITOR MonitorFor(const RECT& r, DWORD flags) {
    auto& mons = WS().Monitors();
    long long bestArea = 0;
    std::size_t best = SIZE_MAX;
    for (std::size_t i = 0; i < mons.size(); ++i) {
        RECT x = IntersectRect(mons[i].rect, r);
        long long area = IsRectEmpty(x) ? 0 : (long long)RectWidth(x) * RectHeight(x);
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (best == SIZE_MAX && IsRectEmpty(r)) {
        for (std::size_t i = 0; i < mons.size(); ++i) {
            if (PtInRect(mons[i].rect, POINT{r.left, r.top})) {
                best = i;
            }
        }
    }
    if (best != SIZE_MAX) {
        return ToHandle(best);
    }
    if (flags == MONITOR_DEFAULTTOPRIMARY) {
        return ToHandle(PrimaryIndex());
    }
    if (flags == MONITOR_DEFAULTTONEAREST) {
        long long bestD = LLONG_MAX;
        for (std::size_t i = 0; i < mons.size(); ++i) {
            long long d = Distance(mons[i].rect, r);
            if (d < bestD) {
                bestD = d;
                best = i;
            }
        }
        return ToHandle(best);
    }
    return nullptr;
}

} // namespace

BOOL EnumDisplayMonitors(HDC, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
    if (!proc) {
        return FALSE;
    }
    auto mons = WS().Monitors();
    for (std::size_t i = 0; i < mons.size(); ++i) {
        RECT r = mons[i].rect;
        if (clip) {
            r = IntersectRect(r, *clip);
            if (IsRectEmpty(r)) {
                continue;
            }
        }
        if (!proc(ToHandle(i), nullptr, &r, data)) {
            break;
        }
    }
    return TRUE;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    RECT r{};
    if (!GetWindowRect(hwnd, &r)) {
        return flags == MONITOR_DEFAULTTONULL ? nullptr : ToHandle(PrimaryIndex());
    }
    if (IsRectEmpty(r)) {
        r.right = r.left + 1;
        r.bottom = r.top + 1;
    }
    return MonitorFor(r, flags);
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
    return MonitorFor(RECT{pt.x, pt.y, pt.x + 1, pt.y + 1}, flags);
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) { return rect ? MonitorFor(*rect, flags) : nullptr; }

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
    const ui::MonitorDesc* m = FromHandle(monitor);
    if (!m || !info) {
        return FALSE;
    }
    info->rcMonitor = m->rect;
    info->rcWork = m->work;
    info->dwFlags = m->primary ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

namespace {
RECT VirtualScreen() {
    auto& mons = WS().Monitors();
    RECT r = mons.front().rect;
    for (const auto& m : mons) {
        r = UnionRect(r, m.rect);
    }
    return r;
}
} // namespace

int GetSystemMetrics(int index) {
    const ui::MonitorDesc& primary = WS().Monitors()[PrimaryIndex()];
    const ui::FrameMetrics& m = ui::kFrameMetrics;
    switch (index) {
    case SM_CXSCREEN: return RectWidth(primary.rect);
    case SM_CYSCREEN: return RectHeight(primary.rect);
    case SM_CXFULLSCREEN: return RectWidth(primary.work);
    case SM_CYFULLSCREEN: return RectHeight(primary.work) - m.caption;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL: return m.scrollBar;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return m.scrollBar;
    case SM_CYCAPTION: return m.caption;
    case SM_CYSMCAPTION: return m.smallCaption;
    case SM_CXBORDER:
    case SM_CYBORDER: return m.border;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return m.dialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME: return m.sizingFrame;
    case SM_CXEDGE:
    case SM_CYEDGE: return m.clientEdge;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXSIZE:
    case SM_CYSIZE: return m.captionButton;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return m.smallCaptionButton;
    case SM_CYMENU: return m.menu;
    case SM_CXMIN:
    case SM_CXMINTRACK: return m.minTrackWidth;
    case SM_CYMIN:
    case SM_CYMINTRACK: return m.minTrackHeight;
    case SM_CXMAXTRACK: return RectWidth(VirtualScreen()) + 3 * m.sizingFrame;
    case SM_CYMAXTRACK: return RectHeight(VirtualScreen()) + 3 * m.sizingFrame;
    case SM_CXMAXIMIZED: return RectWidth(primary.work) + 2 * m.sizingFrame;
    case SM_CYMAXIMIZED: return RectHeight(primary.work) + 2 * m.sizingFrame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_SWAPBUTTON: return 0;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_XVIRTUALSCREEN: return VirtualScreen().left;
    case SM_YVIRTUALSCREEN: return VirtualScreen().top;
    case SM_CXVIRTUALSCREEN: return RectWidth(VirtualScreen());
    case SM_CYVIRTUALSCREEN: return RectHeight(VirtualScreen());
    case SM_CMONITORS: return int(WS().Monitors().size());
    default: return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT, void* pvParam, UINT) {
    switch (action) {
    case SPI_GETWORKAREA:
        if (!pvParam) {
            return FALSE;
        }
        *static_cast<RECT*>(pvParam) = WS().Monitors()[PrimaryIndex()].work;
        return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
        if (!pvParam) {
            return FALSE;
        }
        *static_cast<BOOL*>(pvParam) = TRUE;
        return TRUE;
    default: return FALSE;
    }
}

BOOL GetVersionEx(OSVERSIONINFO* info) {
    if (!info) {
        return FALSE;
    }
    // The "Windows 6 or later" paths of the layers above are the ones this platform takes.
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 7601;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = '\0';
    return TRUE;
}

DWORD GetVersion() { return 6 | (1 << 8) | (7601u << 16); }

// --- Cursors and icons: handles are the IDC_ numbers ---

HCURSOR LoadCursor(HINSTANCE, LPCSTR name) {
    if (!name || !IS_INTRESOURCE(name)) {
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(const_cast<char*>(name));
}

HCURSOR SetCursor(HCURSOR cursor) { return WS().SetCursorShape(cursor); }

HCURSOR GetCursor() { return WS().CursorShape(); }

int ShowCursor(BOOL show) { return show ? 0 : -1; }

HICON LoadIcon(HINSTANCE, LPCSTR name) {
    if (!name || !IS_INTRESOURCE(name)) {
        return nullptr;
    }
    return reinterpret_cast<HICON>(const_cast<char*>(name));
}

// --- Scroll-bar state ---

namespace {

ui::ScrollState* Bar(HWND hwnd, int bar) {
    Window* w = WS().Get(hwnd);
    return w && (bar == SB_HORZ || bar == SB_VERT) ? &w->scroll[bar] : nullptr;
}

void Clamp(SCROLLINFO& s) {
    if (s.nMax < s.nMin) {
        s.nMax = s.nMin;
    }
    UINT range = UINT(s.nMax - s.nMin) + 1;
    s.nPage = std::min(s.nPage, range);
    int maxPos = s.nMax - std::max(int(s.nPage) - 1, 0);
    s.nPos = std::clamp(s.nPos, s.nMin, std::max(s.nMin, maxPos));
}

void RedrawBar(HWND hwnd, int bar, BOOL redraw) {
    Window* w = WS().Get(hwnd);
    DWORD style = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (redraw && w && (w->style & style) && w->Visible()) {
        WS().InvalidateFrame(hwnd);
    }
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* si, BOOL redraw) {
    ui::ScrollState* s = Bar(hwnd, bar);
    if (!s || !si) {
        return 0;
    }
    if (si->fMask & SIF_RANGE) {
        s->info.nMin = si->nMin;
        s->info.nMax = si->nMax;
        s->ranged = true;
    }
    if (si->fMask & SIF_PAGE) {
        s->info.nPage = si->nPage;
    }
    if (si->fMask & SIF_POS) {
        s->info.nPos = si->nPos;
    }
    Clamp(s->info);
    RedrawBar(hwnd, bar, redraw);
    return s->info.nPos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* si) {
    ui::ScrollState* s = Bar(hwnd, bar);
    if (!s || !si) {
        return FALSE;
    }
    if (si->fMask & SIF_RANGE) {
        si->nMin = s->info.nMin;
        si->nMax = s->info.nMax;
    }
    if (si->fMask & SIF_PAGE) {
        si->nPage = s->info.nPage;
    }
    if (si->fMask & SIF_POS) {
        si->nPos = s->info.nPos;
    }
    if (si->fMask & SIF_TRACKPOS) {
        si->nTrackPos = s->info.nPos;
    }
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    ui::ScrollState* s = Bar(hwnd, bar);
    if (!s) {
        return 0;
    }
    int old = s->info.nPos;
    s->info.nPos = pos;
    Clamp(s->info);
    RedrawBar(hwnd, bar, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    ui::ScrollState* s = Bar(hwnd, bar);
    return s ? s->info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    ui::ScrollState* s = Bar(hwnd, bar);
    if (!s) {
        return FALSE;
    }
    s->info.nMin = minPos;
    s->info.nMax = maxPos;
    s->ranged = true;
    Clamp(s->info);
    RedrawBar(hwnd, bar, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    ui::ScrollState* s = Bar(hwnd, bar);
    if (!s) {
        return FALSE;
    }
    if (minPos) {
        *minPos = s->info.nMin;
    }
    if (maxPos) {
        *maxPos = s->info.nMax;
    }
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = WS().Get(hwnd);
    if (!w) {
        return FALSE;
    }
    DWORD bits = bar == SB_HORZ   ? WS_HSCROLL
                 : bar == SB_VERT ? WS_VSCROLL
                 : bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL)
                                  : 0;
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style != w->style) {
        w->style = style;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar == UINT(b) || bar == UINT(SB_BOTH)) {
            if (ui::ScrollState* s = Bar(hwnd, b)) {
                s->enabled = arrows != ESB_DISABLE_BOTH;
            }
        }
    }
    return TRUE;
}

// --- Dropped files ---

void DragAcceptFiles(HWND hwnd, BOOL accept) {
    if (!IsWindow(hwnd)) {
        return;
    }
    LONG_PTR ex = GetWindowLongPtr(hwnd, GWL_EXSTYLE);
    ex = accept ? (ex | LONG_PTR(WS_EX_ACCEPTFILES)) : (ex & ~LONG_PTR(WS_EX_ACCEPTFILES));
    SetWindowLongPtr(hwnd, GWL_EXSTYLE, ex);
}

UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size) {
    if (drop == nullptr) {
        return 0;
    }
    if (index == 0xFFFFFFFFu) {
        return UINT(drop->files.size());
    }
    if (index >= drop->files.size()) {
        return 0;
    }
    const std::string& file = drop->files[index];
    if (buffer == nullptr) {
        return UINT(file.size());
    }
    if (size == 0) {
        return 0;
    }
    UINT n = UINT(std::min<std::size_t>(file.size(), size - 1));
    std::copy_n(file.data(), n, buffer);
    buffer[n] = '\0';
    return n;
}

BOOL DragQueryPoint(HDROP drop, POINT* pt) {
    if (drop == nullptr || pt == nullptr) {
        return FALSE;
    }
    *pt = drop->pt;
    if (!IsWindow(drop->target)) {
        return FALSE;
    }
    ScreenToClient(drop->target, pt);
    RECT client{};
    GetClientRect(drop->target, &client);
    return PtInRect(client, *pt) ? TRUE : FALSE;
}

void DragFinish(HDROP drop) { delete drop; }
