// Classes, creation and destruction, window fields, the window tree and coordinates.
#include "platform/ui/WindowSystem.h"

#include "platform/gfx/Utf8.h"

#include <algorithm>
#include <cstring>

using ui::WS;
using ui::Window;

namespace {

std::string ClassKey(LPCSTR name) {
    if (!name) {
        return {};
    }
    if (IS_INTRESOURCE(name)) {
        return "#" + std::to_string(std::uintptr_t(name));
    }
    return name;
}

void NotifyParents(HWND hwnd, WORD event) {
    auto& ws = WS();
    if (hwnd->exStyle & WS_EX_NOPARENTNOTIFY) {
        return;
    }
    WPARAM w = MAKEWPARAM(event, WORD(hwnd->id));
    for (HWND c = hwnd; ws.IsLive(c) && c->IsChild(); c = c->parent) {
        HWND p = c->parent;
        ws.Send(p, WM_PARENTNOTIFY, w, LPARAM(reinterpret_cast<std::intptr_t>(hwnd)));
        if (!ws.IsLive(p) || (p->exStyle & WS_EX_NOPARENTNOTIFY)) {
            break;
        }
    }
}

void InsertTop(std::vector<HWND>& list, HWND hwnd) {
    // Topmost windows stay above the others.
    auto pos = list.begin();
    if (!(hwnd->exStyle & WS_EX_TOPMOST)) {
        while (pos != list.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) {
            ++pos;
        }
    }
    list.insert(pos, hwnd);
}

void DefaultPlacement(RECT& r, int& x, int& y, int& cx, int& cy, bool child) {
    if (x == CW_USEDEFAULT) {
        if (child) {
            x = y = 0;
        } else {
            RECT work = WS().Monitors().front().work;
            x = work.left + 40;
            y = work.top + 40;
        }
    }
    if (cx == CW_USEDEFAULT) {
        cx = child ? 0 : 640;
        cy = child ? 0 : 480;
    }
    r = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
}

} // namespace

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc || !wc->lpszClassName) {
        return 0;
    }
    auto& ws = WS();
    std::string key = ClassKey(wc->lpszClassName);
    if (ws.FindClass(key)) {
        return 0; // ERROR_CLASS_ALREADY_EXISTS
    }
    auto cls = std::make_unique<ui::WindowClass>();
    cls->name = key;
    cls->wc = *wc;
    cls->wc.lpszClassName = nullptr;
    ws.classes_[key] = std::move(cls);
    return ATOM(ws.classes_.size() + 0xC000);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
    auto& ws = WS();
    std::string key = ClassKey(className);
    for (HWND w : ws.live_) {
        if (w->cls && w->cls->name == key && !w->dead) {
            return FALSE; // still in use
        }
    }
    return ws.classes_.erase(key) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, WNDCLASS* out) {
    ui::WindowClass* cls = WS().FindClass(ClassKey(className));
    if (!cls) {
        return FALSE;
    }
    if (out) {
        *out = cls->wc;
        out->lpszClassName = className;
    }
    return TRUE;
}

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    auto& ws = WS();
    ui::WindowClass* cls = ws.FindClass(ClassKey(className));
    if (!cls) {
        return nullptr;
    }
    bool child = (style & WS_CHILD) != 0;
    if (child && !ws.IsLive(parent)) {
        return nullptr;
    }
    auto* w = new Window;
    w->cls = cls;
    w->proc = cls->wc.lpfnWndProc ? cls->wc.lpfnWndProc : DefWindowProc;
    bool wantVisible = (style & WS_VISIBLE) != 0;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->instance = instance;
    if (child) {
        w->parent = parent;
        w->id = LONG_PTR(reinterpret_cast<std::intptr_t>(menu));
    } else {
        w->style |= WS_CLIPSIBLINGS;
        w->owner = parent ? ws.TopLevel(parent) : nullptr;
    }
    DefaultPlacement(w->rect, x, y, width, height, child);
    ws.live_.insert(w);
    if (child) {
        parent->children.push_back(w); // new children go below their older siblings
    } else {
        InsertTop(ws.tops_, w);
    }

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = LONG(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    if (!child && ((style & WS_THICKFRAME) || !(style & WS_POPUP))) {
        MINMAXINFO mm = ui::QueryMinMax(w);
        cs.cx = std::clamp<int>(cs.cx, mm.ptMinTrackSize.x,
                                std::max(mm.ptMinTrackSize.x, mm.ptMaxTrackSize.x));
        cs.cy = std::clamp<int>(cs.cy, mm.ptMinTrackSize.y,
                                std::max(mm.ptMinTrackSize.y, mm.ptMaxTrackSize.y));
        w->rect.right = w->rect.left + cs.cx;
        w->rect.bottom = w->rect.top + cs.cy;
    }
    if (!child && w->Visible()) {
        ws.ResizeBacking(w);
    }
    if (!ws.Send(w, WM_NCCREATE, 0, LPARAM(reinterpret_cast<std::intptr_t>(&cs)))) {
        ws.Destroy(w);
        return nullptr;
    }
    if (!ws.IsLive(w)) {
        return nullptr;
    }
    RECT rc = w->rect;
    ws.Send(w, WM_NCCALCSIZE, FALSE, LPARAM(reinterpret_cast<std::intptr_t>(&rc)));
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    w->client = OffsetRect(rc, -w->rect.left, -w->rect.top);
    w->sentCreate = true;
    if (ws.Send(w, WM_CREATE, 0, LPARAM(reinterpret_cast<std::intptr_t>(&cs))) == -1) {
        DestroyWindow(w);
        return nullptr;
    }
    if (!ws.IsLive(w)) {
        return nullptr;
    }
    ws.Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(RectWidth(w->client)), WORD(RectHeight(w->client))));
    ws.Send(w, WM_MOVE, 0,
            MAKELPARAM(WORD(w->rect.left + w->client.left), WORD(w->rect.top + w->client.top)));
    if (child) {
        NotifyParents(w, WORD(WM_CREATE));
    }
    if (!ws.IsLive(w)) {
        return nullptr;
    }
    w->update = gfx::Region(RECT{0, 0, RectWidth(w->client), RectHeight(w->client)});
    w->erasePending = true;
    w->framePending = true;
    if (wantVisible) {
        ShowWindow(w, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    return ws.IsLive(w) ? w : nullptr;
}

namespace ui {

namespace {
void SendDestroyTree(WindowSystem& ws, HWND hwnd) {
    if (ws.CaptureOwner() && (ws.CaptureOwner() == hwnd)) {
        ws.ChangeCapture(nullptr);
    }
    ws.Send(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> kids = hwnd->children;
    for (HWND c : kids) {
        if (ws.IsLive(c)) {
            c->destroying = true;
            SendDestroyTree(ws, c);
        }
    }
}

void FreeTree(WindowSystem& ws, HWND hwnd) {
    std::vector<HWND> kids = hwnd->children;
    for (HWND c : kids) {
        if (ws.IsLive(c)) {
            FreeTree(ws, c);
        }
    }
    ws.Send(hwnd, WM_NCDESTROY, 0, 0);
    hwnd->dead = true;
    ws.live_.erase(hwnd);
    auto& sib = ws.Siblings(hwnd);
    sib.erase(std::remove(sib.begin(), sib.end(), hwnd), sib.end());
    ws.ForgetWindow(hwnd);
    for (auto it = ws.dcs_.begin(); it != ws.dcs_.end();) {
        it = (it->second.hwnd == hwnd || it->second.top == hwnd) ? ws.dcs_.erase(it) : std::next(it);
    }
    if (hwnd->native) {
        ws.backend().DestroyNativeWindow(hwnd->native);
        hwnd->native = 0;
    }
    FreeWindowRegion(hwnd);
    for (HWND t : ws.tops_) {
        if (t->owner == hwnd) {
            t->owner = nullptr;
        }
    }
    ws.zombies_.emplace_back(hwnd);
}

bool InTree(HWND root, HWND w) {
    for (; w; w = w->IsChild() ? w->parent : nullptr) {
        if (w == root) {
            return true;
        }
    }
    return false;
}
} // namespace

void WindowSystem::Destroy(HWND hwnd) {
    if (!IsLive(hwnd) || hwnd->destroying) {
        return;
    }
    hwnd->destroying = true;
    if (hwnd->IsChild()) {
        NotifyParents(hwnd, WORD(WM_DESTROY));
    }
    if (IsLive(hwnd) && hwnd->Visible()) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    if (!IsLive(hwnd)) {
        return;
    }
    if (!hwnd->IsChild()) {
        std::vector<HWND> owned;
        for (HWND t : tops_) {
            if (t->owner == hwnd) {
                owned.push_back(t);
            }
        }
        for (HWND t : owned) {
            Destroy(t);
        }
        if (Active() == hwnd) {
            ActivateOther(hwnd);
        }
    }
    if (Focus() && InTree(hwnd, Focus())) {
        DropFocus();
    }
    SendDestroyTree(*this, hwnd);
    if (IsLive(hwnd)) {
        FreeTree(*this, hwnd);
    }
}

} // namespace ui

BOOL DestroyWindow(HWND hwnd) {
    auto& ws = WS();
    if (!ws.IsLive(hwnd)) {
        return FALSE;
    }
    ws.Destroy(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return ui::HasWindowSystem() && WS().IsLive(hwnd) ? TRUE : FALSE; }

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) {
        return 0;
    }
    ui::WindowSystem::InProcedure running(WS());
    return proc(hwnd, msg, wParam, lParam);
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = WS().Get(hwnd);
    if (!w) {
        return 0;
    }
    switch (index) {
    case GWL_WNDPROC: return LONG_PTR(reinterpret_cast<std::intptr_t>(w->proc));
    case GWL_STYLE: return LONG_PTR(w->style);
    case GWL_EXSTYLE: return LONG_PTR(w->exStyle);
    case GWL_USERDATA: return w->userData;
    case GWL_ID: return w->id;
    case GWL_HINSTANCE: return LONG_PTR(reinterpret_cast<std::intptr_t>(w->instance));
    case GWL_HWNDPARENT:
        return LONG_PTR(reinterpret_cast<std::intptr_t>(w->IsChild() ? w->parent : w->owner));
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return 0;
    }
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWL_STYLE: w->style = DWORD(value); break;
    case GWL_EXSTYLE: {
        DWORD before = w->exStyle;
        w->exStyle = DWORD(value);
        if ((before & WS_EX_LAYERED) && !(w->exStyle & WS_EX_LAYERED) && !w->IsChild()) {
            w->alpha = 255;
            w->layeredFlags = 0;
            if (w->native) {
                ws.backend().SetOpacity(w->native, 255);
            }
        }
        break;
    }
    case GWL_USERDATA: w->userData = value; break;
    case GWL_ID: w->id = value; break;
    case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWL_HWNDPARENT:
        if (!w->IsChild()) {
            HWND o = reinterpret_cast<HWND>(value);
            w->owner = ws.IsLive(o) ? ws.TopLevel(o) : nullptr;
        }
        break;
    default: return 0;
    }
    return old;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
    Window* w = WS().Get(hwnd);
    if (!w) {
        return 0;
    }
    switch (index) {
    case GCL_STYLE: return w->cls->wc.style;
    case GCLP_HBRBACKGROUND: return ULONG_PTR(reinterpret_cast<std::uintptr_t>(w->cls->wc.hbrBackground));
    case GCLP_HCURSOR: return ULONG_PTR(reinterpret_cast<std::uintptr_t>(w->cls->wc.hCursor));
    case GCLP_WNDPROC: return ULONG_PTR(reinterpret_cast<std::uintptr_t>(w->cls->wc.lpfnWndProc));
    default: return 0;
    }
}

namespace {
int CopyOut(const std::string& s, LPSTR buffer, int size) {
    if (!buffer || size <= 0) {
        return 0;
    }
    std::size_t n = gfx::Utf8Boundary(s, std::size_t(size - 1));
    std::memcpy(buffer, s.data(), n);
    buffer[n] = '\0';
    return int(n);
}
} // namespace

int GetClassName(HWND hwnd, LPSTR buffer, int size) {
    Window* w = WS().Get(hwnd);
    return w ? CopyOut(w->cls->name, buffer, size) : 0;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
    if (!WS().IsLive(hwnd)) {
        return FALSE;
    }
    return WS().Send(hwnd, WM_SETTEXT, 0, LPARAM(reinterpret_cast<std::intptr_t>(text ? text : ""))) ? TRUE
                                                                                                     : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size) {
    if (!WS().IsLive(hwnd) || !buffer || size <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    return int(WS().Send(hwnd, WM_GETTEXT, WPARAM(size), LPARAM(reinterpret_cast<std::intptr_t>(buffer))));
}

int GetWindowTextLength(HWND hwnd) { return int(WS().Send(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

namespace ui {
int CopyWindowText(HWND hwnd, LPSTR buffer, int size) { return CopyOut(hwnd->text, buffer, size); }
} // namespace ui

HWND FindWindow(LPCSTR className, LPCSTR windowName) {
    auto& ws = WS();
    std::string key = ClassKey(className);
    for (HWND w : ws.tops_) {
        if (className && w->cls->name != key) {
            continue;
        }
        if (windowName && w->text != windowName) {
            continue;
        }
        return w;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = WS().Get(hwnd);
    return w && w->IsChild() ? int(w->id) : 0;
}

HWND GetDlgItem(HWND parent, int id) {
    Window* p = WS().Get(parent);
    if (!p) {
        return nullptr;
    }
    for (HWND c : p->children) {
        if (c->id == id) {
            return c;
        }
    }
    return nullptr;
}

// --- Tree ---

HWND GetParent(HWND hwnd) {
    Window* w = WS().Get(hwnd);
    if (!w) {
        return nullptr;
    }
    if (w->IsChild()) {
        return w->parent;
    }
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w || (newParent && !ws.IsLive(newParent)) || (newParent && ui::InTreeOf(hwnd, newParent))) {
        return nullptr;
    }
    HWND old = w->IsChild() ? w->parent : nullptr;
    bool wasVisible = w->Visible();
    if (wasVisible) {
        ShowWindow(hwnd, SW_HIDE);
    }
    auto& sib = ws.Siblings(w);
    sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
    if (newParent) {
        if (!w->IsChild() && w->native) {
            ws.backend().DestroyNativeWindow(w->native);
            w->native = 0;
            w->nativeShown = false;
            w->backing = gfx::Bitmap();
        }
        w->parent = newParent;
        w->style |= WS_CHILD;
        newParent->children.insert(newParent->children.begin(), w);
    } else {
        w->parent = nullptr;
        w->style &= ~WS_CHILD;
        ws.tops_.insert(ws.tops_.begin(), w);
        if (w->Visible()) {
            ws.ResizeBacking(w);
        }
    }
    if (wasVisible) {
        ShowWindow(hwnd, SW_SHOWNA);
    }
    return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return nullptr;
    }
    if (cmd == GW_CHILD) {
        return w->children.empty() ? nullptr : w->children.front();
    }
    if (cmd == GW_OWNER) {
        return w->IsChild() ? nullptr : w->owner;
    }
    if (cmd == GW_ENABLEDPOPUP) {
        for (HWND t : ws.tops_) {
            if (t->owner == w && t->Visible() && !(t->style & WS_DISABLED)) {
                return t;
            }
        }
        return nullptr;
    }
    auto& sib = ws.Siblings(w);
    auto it = std::find(sib.begin(), sib.end(), w);
    switch (cmd) {
    case GW_HWNDFIRST: return sib.front();
    case GW_HWNDLAST: return sib.back();
    case GW_HWNDNEXT: return (it == sib.end() || std::next(it) == sib.end()) ? nullptr : *std::next(it);
    case GW_HWNDPREV: return (it == sib.begin() || it == sib.end()) ? nullptr : *std::prev(it);
    default: return nullptr;
    }
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w) {
        return nullptr;
    }
    switch (flags) {
    case GA_PARENT: return w->IsChild() ? w->parent : nullptr;
    case GA_ROOT: return ws.TopLevel(w);
    case GA_ROOTOWNER: {
        HWND r = ws.TopLevel(w);
        while (r->owner) {
            r = r->owner;
        }
        return r;
    }
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    auto& ws = WS();
    if (!hwnd) {
        return ws.tops_.empty() ? nullptr : ws.tops_.front();
    }
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() { return nullptr; }

BOOL IsChild(HWND parent, HWND hwnd) {
    auto& ws = WS();
    if (!ws.IsLive(parent) || !ws.IsLive(hwnd)) {
        return FALSE;
    }
    for (HWND w = hwnd; w->IsChild(); w = w->parent) {
        if (w->parent == parent) {
            return TRUE;
        }
    }
    return FALSE;
}

namespace {
bool EnumTree(HWND parent, WNDENUMPROC proc, LPARAM l) {
    std::vector<HWND> kids = parent->children;
    for (HWND c : kids) {
        if (!WS().IsLive(c)) {
            continue;
        }
        if (!proc(c, l) || !EnumTree(c, proc, l)) {
            return false;
        }
    }
    return true;
}
} // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    auto& ws = WS();
    if (!proc) {
        return FALSE;
    }
    if (!parent) {
        return EnumWindows(proc, lParam);
    }
    if (!ws.IsLive(parent)) {
        return FALSE;
    }
    EnumTree(parent, proc, lParam);
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    std::vector<HWND> tops = WS().tops_;
    for (HWND t : tops) {
        if (WS().IsLive(t) && !proc(t, lParam)) {
            break;
        }
    }
    return TRUE;
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

// --- Geometry and coordinates ---

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w || !rect) {
        return FALSE;
    }
    POINT o = ws.ScreenOrigin(w);
    *rect = RECT{o.x, o.y, o.x + w->Width(), o.y + w->Height()};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    Window* w = WS().Get(hwnd);
    if (!w || !rect) {
        return FALSE;
    }
    *rect = RECT{0, 0, RectWidth(w->client), RectHeight(w->client)};
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD exStyle) {
    if (!rect) {
        return FALSE;
    }
    RECT in = ui::NcInsets(style, exStyle);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w || !pt) {
        return FALSE;
    }
    POINT o = ws.ClientScreenOrigin(w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
    auto& ws = WS();
    Window* w = ws.Get(hwnd);
    if (!w || !pt) {
        return FALSE;
    }
    POINT o = ws.ClientScreenOrigin(w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    auto& ws = WS();
    POINT a = ws.IsLive(from) ? ws.ClientScreenOrigin(from) : POINT{};
    POINT b = ws.IsLive(to) ? ws.ClientScreenOrigin(to) : POINT{};
    int dx = a.x - b.x;
    int dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(WORD(dx), WORD(dy));
}

namespace ui {

bool InTreeOf(HWND root, HWND w) { return InTree(root, w); }

// Is the screen point inside the window's own shape?
bool WindowContains(HWND w, POINT screen) {
    POINT o = WS().ScreenOrigin(w);
    int x = screen.x - o.x;
    int y = screen.y - o.y;
    if (x < 0 || y < 0 || x >= w->Width() || y >= w->Height()) {
        return false;
    }
    return !w->region || w->region->Contains(x, y);
}

HWND DeepestChild(HWND w, POINT screen, UINT skip) {
    auto& ws = WS();
    for (;;) {
        POINT co = ws.ClientScreenOrigin(w);
        RECT client{co.x, co.y, co.x + RectWidth(w->client), co.y + RectHeight(w->client)};
        if (!PtInRect(client, screen)) {
            return w;
        }
        HWND next = nullptr;
        for (HWND c : w->children) {
            if ((skip & CWP_SKIPINVISIBLE) && !c->Visible()) {
                continue;
            }
            if ((skip & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) {
                continue;
            }
            if ((skip & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) {
                continue;
            }
            if (WindowContains(c, screen)) {
                next = c;
                break;
            }
        }
        if (!next) {
            return w;
        }
        w = next;
    }
}

HWND TopWindowAt(POINT screen) {
    for (HWND t : WS().tops_) {
        if (t->Visible() && !(t->style & WS_MINIMIZE) && WindowContains(t, screen)) {
            return t;
        }
    }
    return nullptr;
}

} // namespace ui

HWND WindowFromPoint(POINT pt) {
    HWND top = ui::TopWindowAt(pt);
    return top ? ui::DeepestChild(top, pt, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED) : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
    auto& ws = WS();
    Window* p = ws.Get(parent);
    if (!p) {
        return nullptr;
    }
    if (pt.x < 0 || pt.y < 0 || pt.x >= RectWidth(p->client) || pt.y >= RectHeight(p->client)) {
        return nullptr;
    }
    POINT co = ws.ClientScreenOrigin(p);
    POINT screen{pt.x + co.x, pt.y + co.y};
    for (HWND c : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !c->Visible()) {
            continue;
        }
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) {
            continue;
        }
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT)) {
            continue;
        }
        if (ui::WindowContains(c, screen)) {
            return c;
        }
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }
