#include "platform/ui/backend/win32/Win32Native.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace ui::win32 {
namespace {

constexpr const wchar_t* kWindowClass = L"IislogTopLevel";

std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring out(std::size_t(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), out.data(), n);
    return out;
}

std::string Narrow(const wchar_t* s, int length = -1) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, s, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(std::size_t(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s, length, out.data(), n, nullptr, nullptr);
    if (length < 0) out.pop_back(); // the terminating NUL
    return out;
}

Box ToBox(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }

// Text on the Windows clipboard ends its lines with CR LF; the window system's texts use LF.
std::wstring ToClipboardLines(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out += L'\r';
        out += text[i];
    }
    return out;
}

std::string FromClipboardLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

// One shown top-level window: its handle and a copy of its pixels, from which WM_PAINT
// repaints without asking the window system again.
struct Window {
    HWND hwnd = nullptr;
    bool popup = false;
    int width = 0, height = 0;
    HDC memory = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
    bool presented = false; // the copy holds what the window system drew since it was (re)made
    bool minimized = false;
    HICON icon = nullptr; // given with WM_SETICON; the window does not free it
};

void FreeIcon(Window& w) {
    if (w.icon) ::DestroyIcon(w.icon);
    w.icon = nullptr;
}

void FreePixels(Window& w) {
    if (w.memory) {
        ::SelectObject(w.memory, w.previous);
        ::DeleteObject(w.dib);
        ::DeleteDC(w.memory);
    }
    w.memory = nullptr;
    w.dib = nullptr;
    w.bits = nullptr;
}

// A 32-bit top-down DIB section: its rows have the layout of the window system's bitmaps
// (0xAARRGGBB words, top row first).
HBITMAP CreateTopDownDib(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

void EnsurePixels(Window& w, int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (w.memory && w.width == width && w.height == height) return;
    // What was presented stays where it was until the window system presents the new size.
    Window old = w;
    w.memory = nullptr;
    void* bits = nullptr;
    w.dib = CreateTopDownDib(width, height, &bits);
    if (!w.dib) {
        w = old; // out of memory: keep the old copy
        return;
    }
    w.memory = ::CreateCompatibleDC(nullptr);
    w.previous = ::SelectObject(w.memory, w.dib);
    w.bits = static_cast<std::uint32_t*>(bits);
    std::fill(w.bits, w.bits + std::size_t(width) * std::size_t(height), 0u);
    if (old.memory) {
        ::BitBlt(w.memory, 0, 0, std::min(width, old.width), std::min(height, old.height), old.memory, 0, 0,
                 SRCCOPY);
        FreePixels(old);
    } else {
        w.presented = false;
    }
    w.width = width;
    w.height = height;
}

} // namespace

struct Host::Impl {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HWND clipboardOwner = nullptr; // a message-only window: the clipboard needs an owner
    HANDLE wake = nullptr;
    std::map<std::uint32_t, Window> windows;
    std::map<HWND, std::uint32_t> ids;
    std::uint32_t nextId = 1;
    std::vector<Event>* sink = nullptr; // where the window procedure puts what it translates
    std::vector<Event> early;           // events from calls made outside Pump (creation, showing)
    HCURSOR cursor = ::LoadCursorW(nullptr, IDC_ARROW);
    HWND lastMouseWindow = nullptr;
    HWND leaveTracked = nullptr; // the window that reports the pointer leaving it (WM_MOUSELEAVE)
    bool ownStateChange = false; // inside our own minimize or restore: not the desktop's doing
    wchar_t highSurrogate = 0;

    std::vector<Event>& Sink() { return sink ? *sink : early; }
    Window* Find(std::uint32_t id) {
        auto it = windows.find(id);
        return it == windows.end() ? nullptr : &it->second;
    }
    std::uint32_t IdOf(HWND hwnd) {
        auto it = ids.find(hwnd);
        return it == ids.end() ? 0 : it->second;
    }
    void Mouse(Event::Kind kind, HWND hwnd, LPARAM lParam, int button);
    void Sized(std::uint32_t id, WPARAM how);
    void ChangeState(HWND hwnd, int show);
    LRESULT Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

namespace {

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* impl = reinterpret_cast<Host::Impl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        impl = static_cast<Host::Impl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl));
    }
    if (!impl) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    return impl->Procedure(hwnd, msg, wParam, lParam);
}

} // namespace

void Host::Impl::Mouse(Event::Kind kind, HWND hwnd, LPARAM lParam, int button) {
    POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
    ::ClientToScreen(hwnd, &pt);
    lastMouseWindow = hwnd;
    if (leaveTracked != hwnd) {
        // The window system hears when the pointer goes where no move reaches it (the desktop,
        // another program), so nothing stays hot under a pointer that left.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        if (::TrackMouseEvent(&track)) leaveTracked = hwnd;
    }
    Event move;
    move.kind = Event::Kind::MouseMove;
    move.x = pt.x;
    move.y = pt.y;
    move.window = IdOf(hwnd);
    Sink().push_back(move);
    if (kind == Event::Kind::MouseMove) return;
    // A press or release comes after a move to its point, so the window system sees it there.
    Event press = move;
    press.kind = kind;
    press.button = button;
    Sink().push_back(press);
}

// A minimize or restore by the desktop (the taskbar, the window list) goes to the window system,
// which lets the program decide; our own, made through ChangeState, only needs a repaint.
void Host::Impl::Sized(std::uint32_t id, WPARAM how) {
    Window* w = Find(id);
    if (!w) return;
    Event ev;
    ev.window = id;
    if (how == SIZE_MINIMIZED) {
        bool change = !w->minimized;
        w->minimized = true;
        if (change && !ownStateChange) {
            ev.kind = Event::Kind::Minimized;
            Sink().push_back(ev);
        }
        return;
    }
    if (how != SIZE_RESTORED && how != SIZE_MAXIMIZED) return;
    bool restored = w->minimized && !ownStateChange;
    w->minimized = false;
    ev.kind = restored ? Event::Kind::Restored : Event::Kind::Expose;
    Sink().push_back(ev);
}

void Host::Impl::ChangeState(HWND hwnd, int show) {
    ownStateChange = true;
    ::ShowWindow(hwnd, show);
    ownStateChange = false;
}

LRESULT Host::Impl::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::uint32_t id = IdOf(hwnd);
    Event ev;
    ev.window = id;
    switch (msg) {
    case WM_MOUSEMOVE: Mouse(Event::Kind::MouseMove, hwnd, lParam, 0); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Mouse(Event::Kind::MouseDown, hwnd, lParam, 0); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: Mouse(Event::Kind::MouseDown, hwnd, lParam, 1); return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: Mouse(Event::Kind::MouseDown, hwnd, lParam, 2); return 0;
    case WM_LBUTTONUP: Mouse(Event::Kind::MouseUp, hwnd, lParam, 0); return 0;
    case WM_RBUTTONUP: Mouse(Event::Kind::MouseUp, hwnd, lParam, 1); return 0;
    case WM_MBUTTONUP: Mouse(Event::Kind::MouseUp, hwnd, lParam, 2); return 0;
    case WM_MOUSELEAVE: {
        if (leaveTracked != hwnd) return 0;
        leaveTracked = nullptr;
        POINT pt{};
        ::GetCursorPos(&pt);
        ev.kind = Event::Kind::MouseLeft;
        ev.x = pt.x;
        ev.y = pt.y;
        Sink().push_back(ev);
        return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        ev.kind = Event::Kind::Wheel;
        ev.wheelHorizontal = msg == WM_MOUSEHWHEEL;
        ev.x = short(LOWORD(lParam)); // already in screen coordinates
        ev.y = short(HIWORD(lParam));
        ev.wheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
        Sink().push_back(ev);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // Alt+F4, F10 and the Alt menu are the window system's business: USER must not act.
        ev.kind = (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) ? Event::Kind::KeyDown : Event::Kind::KeyUp;
        ev.vk = int(wParam);
        Sink().push_back(ev);
        return 0;
    case WM_CHAR: {
        // Typed and composed (IME) text alike; control characters come from the keys instead.
        wchar_t unit = wchar_t(wParam);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate = unit;
            return 0;
        }
        wchar_t pair[2] = {highSurrogate, unit};
        bool surrogate = unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate != 0;
        highSurrogate = 0;
        if (!surrogate && (unit < 0x20 || unit == 0x7F)) return 0;
        ev.kind = Event::Kind::Text;
        ev.text = surrogate ? Narrow(pair, 2) : Narrow(&unit, 1);
        Sink().push_back(ev);
        return 0;
    }
    case WM_SYSCHAR:
    case WM_SYSCOMMAND:
        if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) != SC_KEYMENU)
            break; // the taskbar's minimise and restore go through
        return 0;
    case WM_CLOSE:
        ev.kind = Event::Kind::Close;
        Sink().push_back(ev);
        return 0;
    case WM_SETFOCUS:
        ev.kind = Event::Kind::FocusGained;
        Sink().push_back(ev);
        return 0;
    case WM_KILLFOCUS:
        ev.kind = Event::Kind::FocusLost;
        Sink().push_back(ev);
        return 0;
    case WM_MOUSEACTIVATE:
        if (Window* w = Find(id); w && w->popup)
            return MA_NOACTIVATE; // a drop-down list or menu never takes the focus
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(cursor);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        if (Window* w = Find(id); w && !w->presented) {
            // Nothing drawn has reached this window yet: ask the window system for all of it.
            ev.kind = Event::Kind::Expose;
            Sink().push_back(ev);
        }
        if (Window* w = Find(id); w && w->memory)
            ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                     ps.rcPaint.bottom - ps.rcPaint.top, w->memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SIZE: Sized(id, wParam); break;
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        POINT pt{};
        ::DragQueryPoint(drop, &pt);
        ::ClientToScreen(hwnd, &pt);
        UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
            std::wstring path(length + 1, L'\0');
            ::DragQueryFileW(drop, i, path.data(), length + 1);
            path.resize(length);
            Event dropped = ev;
            dropped.kind = Event::Kind::DropFile;
            dropped.x = pt.x;
            dropped.y = pt.y;
            dropped.text = Narrow(path.c_str());
            Sink().push_back(dropped);
        }
        ::DragFinish(drop);
        return 0;
    }
    default: break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

Host::Host() : impl_(std::make_unique<Impl>()) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProcedure;
    wc.hInstance = impl_->instance;
    wc.hCursor = nullptr; // WM_SETCURSOR sets the shape the window system asked for
    wc.hIcon = ::LoadIconW(impl_->instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kWindowClass;
    ::RegisterClassExW(&wc);
    impl_->clipboardOwner = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                              impl_->instance, impl_.get());
    impl_->wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!impl_->wake) throw std::runtime_error("Cannot create the wake-up event");
}

Host::~Host() {
    for (auto& [id, w] : impl_->windows) {
        FreePixels(w);
        ::DestroyWindow(w.hwnd);
        FreeIcon(w);
    }
    if (impl_->clipboardOwner) ::DestroyWindow(impl_->clipboardOwner);
    ::CloseHandle(impl_->wake);
}

std::uint32_t Host::Create(const Box& rect, bool popup, bool topmost, const std::string& title,
                           std::uint32_t owner) {
    // Borderless: the window system draws every frame itself. Top-level windows appear on the
    // taskbar, owned dialogs stay above their owner instead; popups (lists, menus, hints) never
    // take the focus.
    Window* ownerWindow = owner ? impl_->Find(owner) : nullptr;
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | (popup ? 0 : WS_MINIMIZEBOX | WS_SYSMENU);
    DWORD exStyle = popup         ? WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE
                    : ownerWindow ? WS_EX_ACCEPTFILES
                                  : WS_EX_APPWINDOW | WS_EX_ACCEPTFILES;
    if (topmost) exStyle |= WS_EX_TOPMOST;
    HWND hwnd = ::CreateWindowExW(exStyle, kWindowClass, Widen(title).c_str(), style, rect.left, rect.top,
                                  std::max(1, rect.right - rect.left), std::max(1, rect.bottom - rect.top),
                                  ownerWindow ? ownerWindow->hwnd : nullptr, nullptr, impl_->instance,
                                  impl_.get());
    if (!hwnd)
        throw std::runtime_error("Cannot create a window (error " + std::to_string(::GetLastError()) + ")");
    std::uint32_t id = impl_->nextId++;
    Window& w = impl_->windows[id];
    w.hwnd = hwnd;
    w.popup = popup;
    impl_->ids[hwnd] = id;
    EnsurePixels(w, rect.right - rect.left, rect.bottom - rect.top);
    return id;
}

void Host::Destroy(std::uint32_t id) {
    Window* w = impl_->Find(id);
    if (!w) return;
    HWND hwnd = w->hwnd;
    HICON icon = w->icon;
    FreePixels(*w);
    impl_->ids.erase(hwnd);
    impl_->windows.erase(id);
    if (impl_->lastMouseWindow == hwnd) impl_->lastMouseWindow = nullptr;
    if (impl_->leaveTracked == hwnd) impl_->leaveTracked = nullptr;
    ::DestroyWindow(hwnd);
    if (icon) ::DestroyIcon(icon);
}

void Host::Show(std::uint32_t id, bool show, bool activate) {
    Window* w = impl_->Find(id);
    if (!w) return;
    if (!show) {
        ::ShowWindow(w->hwnd, SW_HIDE);
        return;
    }
    if (activate && !w->popup) {
        ::ShowWindow(w->hwnd, SW_SHOW);
        ::SetForegroundWindow(w->hwnd);
    } else {
        ::SetWindowPos(w->hwnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void Host::Move(std::uint32_t id, const Box& rect) {
    Window* w = impl_->Find(id);
    if (!w) return;
    EnsurePixels(*w, rect.right - rect.left, rect.bottom - rect.top);
    ::SetWindowPos(w->hwnd, nullptr, rect.left, rect.top, std::max(1, rect.right - rect.left),
                   std::max(1, rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Host::Raise(std::uint32_t id) {
    if (Window* w = impl_->Find(id); w && !w->popup && ::IsWindowVisible(w->hwnd))
        ::SetForegroundWindow(w->hwnd);
}

void Host::Minimize(std::uint32_t id) {
    if (Window* w = impl_->Find(id)) impl_->ChangeState(w->hwnd, SW_MINIMIZE);
}

void Host::Restore(std::uint32_t id) {
    if (Window* w = impl_->Find(id)) impl_->ChangeState(w->hwnd, SW_RESTORE);
}

void Host::SetTitle(std::uint32_t id, const std::string& title) {
    if (Window* w = impl_->Find(id)) ::SetWindowTextW(w->hwnd, Widen(title).c_str());
}

void Host::SetIcon(std::uint32_t id, const std::uint32_t* pixels, int width, int height) {
    Window* w = impl_->Find(id);
    if (!w || width <= 0 || height <= 0) return;
    // The DIB holds the pixels as they are; with an alpha channel the mask is unused.
    void* bits = nullptr;
    HBITMAP color = CreateTopDownDib(width, height, &bits);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    HICON icon = nullptr;
    if (color && mask) {
        std::copy(pixels, pixels + std::size_t(width) * std::size_t(height),
                  static_cast<std::uint32_t*>(bits));
        ICONINFO parts{TRUE, 0, 0, mask, color};
        icon = ::CreateIconIndirect(&parts);
    }
    if (color) ::DeleteObject(color);
    if (mask) ::DeleteObject(mask);
    if (!icon) return;
    // The big icon only: the small one stays the class's, drawn for its size.
    ::SendMessageW(w->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    FreeIcon(*w);
    w->icon = icon;
}

void Host::SetShape(std::uint32_t id, const std::vector<Box>* rects) {
    Window* w = impl_->Find(id);
    if (!w) return;
    if (!rects) {
        ::SetWindowRgn(w->hwnd, nullptr, TRUE);
        return;
    }
    // The region data block: its header, then the rectangles.
    std::vector<char> data(sizeof(RGNDATAHEADER) + rects->size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = DWORD(rects->size());
    header->nRgnSize = DWORD(rects->size() * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (std::size_t i = 0; i < rects->size(); ++i) {
        const Box& b = (*rects)[i];
        out[i] = RECT{b.left, b.top, b.right, b.bottom};
        ::UnionRect(&bounds, &bounds, &out[i]);
    }
    header->rcBound = bounds;
    HRGN region = ::ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    if (region && !::SetWindowRgn(w->hwnd, region, TRUE)) // the window owns the region from here on
        ::DeleteObject(region);
}

void Host::SetOpacity(std::uint32_t id, std::uint8_t alpha) {
    Window* w = impl_->Find(id);
    if (!w) return;
    LONG_PTR ex = ::GetWindowLongPtrW(w->hwnd, GWL_EXSTYLE);
    if (alpha == 255) {
        if (ex & WS_EX_LAYERED) ::SetWindowLongPtrW(w->hwnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
        return;
    }
    if (!(ex & WS_EX_LAYERED)) ::SetWindowLongPtrW(w->hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(w->hwnd, 0, alpha, LWA_ALPHA);
}

void Host::Present(std::uint32_t id, const std::uint32_t* pixels, int width, int height, int stride,
                   const Box& dirty) {
    Window* w = impl_->Find(id);
    if (!w || !w->bits) return;
    RECT d{std::max(0, dirty.left), std::max(0, dirty.top), std::min({dirty.right, width, w->width}),
           std::min({dirty.bottom, height, w->height})};
    if (d.right <= d.left || d.bottom <= d.top) return;
    ::GdiFlush(); // the DIB's bits may be written only when GDI is done with them
    w->presented = true;
    for (int y = d.top; y < d.bottom; ++y)
        std::copy(pixels + std::size_t(y) * std::size_t(stride) + std::size_t(d.left),
                  pixels + std::size_t(y) * std::size_t(stride) + std::size_t(d.right),
                  w->bits + std::size_t(y) * std::size_t(w->width) + std::size_t(d.left));
    if (!::IsWindowVisible(w->hwnd)) return;
    // Through WM_PAINT, at once: the system then knows the area is drawn (drawing through GetDC
    // alone may be lost on a window the system has not finished showing).
    ::InvalidateRect(w->hwnd, &d, FALSE);
    ::UpdateWindow(w->hwnd);
}

void Host::Pump(int timeoutMs, std::vector<Event>& out) {
    impl_->sink = &out;
    out.insert(out.end(), impl_->early.begin(), impl_->early.end());
    impl_->early.clear();
    auto drain = [&] {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue; // the window system has its own quit
            ::TranslateMessage(&msg);             // WM_CHAR from keys and from the input method
            ::DispatchMessageW(&msg);
        }
    };
    std::size_t before = out.size();
    drain();
    if (out.size() == before && timeoutMs != 0) {
        ::MsgWaitForMultipleObjectsEx(1, &impl_->wake, timeoutMs < 0 ? INFINITE : DWORD(timeoutMs),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        drain();
    }
    impl_->sink = nullptr;
}

void Host::Wake() { ::SetEvent(impl_->wake); }

std::vector<Monitor> Host::Monitors() {
    std::vector<Monitor> out;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (::GetMonitorInfoW(monitor, &info))
                reinterpret_cast<std::vector<Monitor>*>(list)->push_back(Monitor{
                    ToBox(info.rcMonitor), ToBox(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    // The primary monitor first, as the window system expects.
    std::stable_partition(out.begin(), out.end(), [](const Monitor& m) { return m.primary; });
    return out;
}

void Host::CursorPos(int& x, int& y) {
    POINT pt{};
    ::GetCursorPos(&pt);
    x = pt.x;
    y = pt.y;
}

void Host::SetCursorPos(int x, int y) { ::SetCursorPos(x, y); }

void Host::SetCursorShape(int idc) {
    HCURSOR c = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(idc));
    impl_->cursor = c ? c : ::LoadCursorW(nullptr, IDC_ARROW);
    ::SetCursor(impl_->cursor);
}

void Host::SetMouseCapture(bool on) {
    // Mouse capture belongs to the window that was last pressed or moved over.
    if (on && impl_->lastMouseWindow) ::SetCapture(impl_->lastMouseWindow);
    else if (!on) ::ReleaseCapture();
}

std::string Host::ClipboardText() {
    std::string text;
    if (!::OpenClipboard(impl_->clipboardOwner)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = FromClipboardLines(Narrow(wide));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void Host::SetClipboardText(const std::string& text) {
    std::wstring wide = ToClipboardLines(Widen(text));
    if (!::OpenClipboard(impl_->clipboardOwner)) return;
    ::EmptyClipboard();
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (data) {
        auto* target = static_cast<wchar_t*>(::GlobalLock(data));
        std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, target);
        ::GlobalUnlock(data);
        if (!::SetClipboardData(CF_UNICODETEXT, data)) ::GlobalFree(data);
    }
    ::CloseClipboard();
}

bool Host::HasClipboardText() { return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }

} // namespace ui::win32
