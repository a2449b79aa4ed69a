#include "platform/ui/WindowSystem.h"

#include "platform/ui/backend/BackendFactory.h"

#include <algorithm>

namespace ui {

namespace {
std::unique_ptr<WindowSystem> g_system;

bool InRange(UINT msg, UINT min, UINT max) { return (min == 0 && max == 0) || (msg >= min && msg <= max); }
} // namespace

WindowSystem& WS() {
    if (!g_system) {
        g_system = std::make_unique<WindowSystem>(CreateDefaultBackend());
    }
    return *g_system;
}

bool HasWindowSystem() { return g_system != nullptr; }

void ResetWindowSystem(std::unique_ptr<Backend> backend) {
    ShutdownWindowSystem();
    g_system = std::make_unique<WindowSystem>(std::move(backend));
}

void ShutdownWindowSystem() {
    if (!g_system) {
        return;
    }
    // Destroy while the object is still reachable: window procedures may call back in.
    // Windows already being destroyed further up the stack are left to the destructor.
    std::vector<HWND> tops = g_system->tops_;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        g_system->Destroy(*it);
    }
    g_system->FreeZombies();
    g_system.reset();
}

WindowSystem::WindowSystem(std::unique_ptr<Backend> backend) : backend_(std::move(backend)) {
    RefreshMonitors();
    pointer_.MovedTo(backend_->CursorPos());
}

WindowSystem::~WindowSystem() {
    for (auto& [dc, rec] : dcs_) {
        (void)dc;
        rec.dc.reset();
    }
    for (HWND w : live_) {
        delete w;
    }
}

void WindowSystem::RefreshMonitors() {
    monitors_ = backend_->Monitors();
    if (monitors_.empty()) {
        monitors_.push_back(MonitorDesc{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}, true});
    }
}

void WindowSystem::WarpPointer(POINT screen) {
    pointer_.MovedTo(screen);
    backend_->SetCursorPos(screen);
}

HCURSOR WindowSystem::SetCursorShape(HCURSOR shape) {
    HCURSOR old = cursorShape_;
    if (shape != old) {
        cursorShape_ = shape;
        // The handles are the IDC_ numbers.
        backend_->SetCursorShape(int(reinterpret_cast<std::uintptr_t>(shape)));
    }
    return old;
}

WindowClass* WindowSystem::FindClass(const std::string& name) {
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : it->second.get();
}

HWND WindowSystem::TopLevel(HWND hwnd) const {
    while (hwnd && hwnd->IsChild() && hwnd->parent) {
        hwnd = hwnd->parent;
    }
    return hwnd;
}

std::vector<HWND>& WindowSystem::Siblings(HWND hwnd) {
    return hwnd->IsChild() && hwnd->parent ? hwnd->parent->children : tops_;
}

POINT WindowSystem::OriginInTop(HWND hwnd) const {
    POINT o{0, 0};
    while (hwnd->IsChild() && hwnd->parent) {
        o.x += hwnd->rect.left + hwnd->parent->client.left;
        o.y += hwnd->rect.top + hwnd->parent->client.top;
        hwnd = hwnd->parent;
    }
    return o;
}

POINT WindowSystem::ScreenOrigin(HWND hwnd) const {
    POINT o = OriginInTop(hwnd);
    HWND top = TopLevel(hwnd);
    return POINT{o.x + top->rect.left, o.y + top->rect.top};
}

POINT WindowSystem::ClientScreenOrigin(HWND hwnd) const {
    POINT o = ScreenOrigin(hwnd);
    return POINT{o.x + hwnd->client.left, o.y + hwnd->client.top};
}

bool WindowSystem::ReallyVisible(HWND hwnd) const {
    for (; hwnd; hwnd = hwnd->IsChild() ? hwnd->parent : nullptr) {
        if (!hwnd->Visible() || hwnd->dead) {
            return false;
        }
    }
    return true;
}

namespace {
// A window's own area in top-level coordinates, cut to its region.
gfx::Region WindowArea(const WindowSystem& ws, HWND w) {
    POINT o = ws.OriginInTop(w);
    gfx::Region r(RECT{o.x, o.y, o.x + w->Width(), o.y + w->Height()});
    if (w->region) {
        gfx::Region shape = *w->region;
        shape.Offset(o.x, o.y);
        r = r.Intersect(shape);
    }
    return r;
}
} // namespace

gfx::Region WindowSystem::VisibleRegion(HWND hwnd, bool client, bool clipChildren, bool clipSiblings) const {
    if (!ReallyVisible(hwnd)) {
        return {};
    }
    POINT o = OriginInTop(hwnd);
    gfx::Region vis = WindowArea(*this, hwnd);
    if (client) {
        vis = vis.Intersect(OffsetRect(hwnd->client, o.x, o.y));
    }
    for (HWND w = hwnd; w->IsChild() && w->parent; w = w->parent) {
        HWND p = w->parent;
        POINT po = OriginInTop(p);
        vis = vis.Intersect(OffsetRect(p->client, po.x, po.y));
        if (p->region) {
            gfx::Region shape = *p->region;
            shape.Offset(po.x, po.y);
            vis = vis.Intersect(shape);
        }
        bool clip = (w == hwnd) ? clipSiblings : (w->style & WS_CLIPSIBLINGS) != 0;
        if (clip) {
            for (HWND s : p->children) {
                if (s == w) {
                    break;
                }
                if (s->Visible() && !s->dead) {
                    vis = vis.Subtract(WindowArea(*this, s));
                }
            }
        }
    }
    if (clipChildren) {
        for (HWND c : hwnd->children) {
            if (c->Visible() && !c->dead) {
                vis = vis.Subtract(WindowArea(*this, c));
            }
        }
    }
    return vis;
}

// --- Messages ---

LRESULT WindowSystem::Send(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (!IsLive(hwnd) || !hwnd->proc) {
        return 0;
    }
    InProcedure running(*this);
    return hwnd->proc(hwnd, msg, w, l);
}

bool WindowSystem::Post(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = w;
    m.lParam = l;
    m.pt = pointer_.Position();
    queue_.Post(m);
    backend_->Wake();
    return true;
}

void WindowSystem::PostQuit(int code) {
    queue_.RequestQuit(code);
    backend_->Wake();
}

namespace {
bool Matches(const WindowSystem& ws, const MSG& m, HWND filter, UINT min, UINT max) {
    if (!InRange(m.message, min, max)) {
        return false;
    }
    if (!filter) {
        return true;
    }
    for (HWND w = m.hwnd; w; w = (ws.IsLive(w) && w->IsChild()) ? w->parent : nullptr) {
        if (w == filter) {
            return true;
        }
    }
    return false;
}
} // namespace

bool WindowSystem::TimerMatches(const Timer& t, HWND filter) const {
    if (t.hwnd && !IsLive(t.hwnd)) {
        return false;
    }
    return !filter || t.hwnd == filter || (t.hwnd && IsChild(filter, t.hwnd));
}

bool WindowSystem::TakePosted(MSG& msg, const MessageQueue::Filter& wanted, bool remove) {
    auto stale = [&](const MSG& m) { return m.hwnd && !IsLive(m.hwnd); };
    std::optional<MSG> m = queue_.TakePosted(stale, wanted, remove);
    if (!m) {
        return false;
    }
    msg = *m;
    msg.time = DWORD(Now());
    return true;
}

// Input is turned into messages one event at a time, so that each hit test sees the windows
// as the previous event left them. Routing may post (a close request, a mouse leave): the
// caller looks at the posted messages again before routing more.
WindowSystem::Look WindowSystem::TakeInput(MSG& msg, const MessageQueue::Filter& wanted, bool remove) {
    queue_.Pump(*backend_, 0);
    bool routed = false;
    for (;;) {
        auto live = [&](const MSG& m) { return IsLive(m.hwnd) && wanted(m); };
        if (std::optional<MSG> m = queue_.TakeInput(live, remove)) {
            msg = *m;
            return Look::Found;
        }
        std::optional<InputEvent> ev = queue_.NextRaw();
        if (!ev) {
            return routed ? Look::Again : Look::Nothing;
        }
        Route(*ev);
        routed = true;
    }
}

// Painting, parents before children. A window whose only due work is its frame gets
// WM_NCPAINT here and no WM_PAINT.
WindowSystem::Look WindowSystem::TakePaint(MSG& msg, HWND filter) {
    HWND p = FindPaintWindow(filter);
    if (!p) {
        return Look::Nothing;
    }
    if (p->framePending && p->update.Empty() && !p->internalPaint) {
        p->framePending = false;
        Send(p, WM_NCPAINT, 1, 0);
        return Look::Again;
    }
    msg = MSG{};
    msg.hwnd = p;
    msg.message = WM_PAINT;
    msg.time = DWORD(Now());
    msg.pt = pointer_.Position();
    return Look::Found;
}

bool WindowSystem::TakeTimer(MSG& msg, HWND filter, std::uint64_t now, bool remove) {
    std::optional<Timer> t = timers_.Due(
        now, [&](const Timer& t) { return TimerMatches(t, filter); }, remove);
    if (!t) {
        return false;
    }
    msg = MSG{};
    msg.hwnd = t->hwnd;
    msg.message = WM_TIMER;
    msg.wParam = t->id;
    msg.lParam = LPARAM(reinterpret_cast<std::intptr_t>(t->proc));
    msg.time = DWORD(now);
    msg.pt = pointer_.Position();
    return true;
}

bool WindowSystem::Get(MSG& msg, HWND filter, UINT min, UINT max, bool remove, bool wait) {
    const MessageQueue::Filter wanted = [&](const MSG& m) { return Matches(*this, m, filter, min, max); };
    auto found = [&]() {
        if (remove) {
            queue_.SetCurrent(msg);
        }
        return true;
    };
    for (;;) {
        if (sendDepth_ == 0) {
            FreeZombies();
        }
        if (TakePosted(msg, wanted, remove)) {
            return found();
        }
        Look input = TakeInput(msg, wanted, remove);
        if (input == Look::Found) {
            return found();
        }
        if (input == Look::Again) {
            continue;
        }
        if (std::optional<int> code = queue_.Quit(remove)) {
            msg = MSG{};
            msg.message = WM_QUIT;
            msg.wParam = WPARAM(*code);
            return true;
        }
        if (InRange(WM_PAINT, min, max)) {
            Look paint = TakePaint(msg, filter);
            if (paint == Look::Found) {
                return found();
            }
            if (paint == Look::Again) {
                continue;
            }
        }
        const std::uint64_t now = Now();
        const bool timersWanted = InRange(WM_TIMER, min, max);
        if (timersWanted && TakeTimer(msg, filter, now, remove)) {
            return found();
        }
        PresentAll();
        if (!wait) {
            return false;
        }
        // Only a timer this call may return ends the wait: one it filters out stays due, and
        // waking for it would spin.
        int timeout = timersWanted ? timers_.MillisecondsToNext(
                                         now, [&](const Timer& t) { return TimerMatches(t, filter); })
                                   : -1;
        queue_.Pump(*backend_, timeout);
    }
}

// --- Timers ---

UINT_PTR WindowSystem::AddTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !IsLive(hwnd)) {
        return 0;
    }
    return timers_.Set(hwnd, id, elapse, proc, Now());
}

bool WindowSystem::RemoveTimer(HWND hwnd, UINT_PTR id) { return timers_.Kill(hwnd, id); }

// --- Windows ---

void WindowSystem::ForgetWindow(HWND hwnd) {
    timers_.KillAllOf(hwnd);
    caret_.Forget(hwnd);
    pointer_.Forget(hwnd);
    activation_.Forget(hwnd);
    capture_.Forget(hwnd);
}

void WindowSystem::FreeZombies() { zombies_.clear(); }

} // namespace ui

// --- The public message functions ---

using ui::WS;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return WS().Send(hwnd, msg, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return WS().Post(hwnd, msg, wParam, lParam) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) { WS().PostQuit(exitCode); }

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    MSG m;
    WS().Get(m, hwnd, filterMin, filterMax, true, true);
    if (msg) {
        *msg = m;
    }
    return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    MSG m;
    bool got = WS().Get(m, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0, false);
    if (got && msg) {
        *msg = m;
    }
    return got ? TRUE : FALSE;
}

BOOL WaitMessage() {
    MSG m;
    WS().Get(m, nullptr, 0, 0, false, true);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) {
        return 0;
    }
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) {
        return 0;
    }
    return WS().Send(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessageTime() { return WS().CurrentMessage().time; }

DWORD GetMessagePos() {
    const POINT& p = WS().CurrentMessage().pt;
    return DWORD(MAKELONG(WORD(p.x), WORD(p.y)));
}

BOOL InSendMessage() { return FALSE; }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    return WS().AddTimer(hwnd, id, elapse, proc);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return WS().RemoveTimer(hwnd, id) ? TRUE : FALSE; }

DWORD GetTickCount() { return DWORD(WS().Now()); }
