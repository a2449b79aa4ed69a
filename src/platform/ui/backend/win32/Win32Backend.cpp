#include "platform/ui/backend/win32/Win32Backend.h"

#include "platform/ui/backend/win32/Win32Native.h"

namespace ui {
namespace {

win32::Box ToBox(const RECT& r) { return win32::Box{r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const win32::Box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }

InputEvent::Kind KindOf(win32::Event::Kind kind) {
    using K = win32::Event::Kind;
    switch (kind) {
    case K::MouseMove: return InputEvent::Kind::MouseMove;
    case K::MouseDown: return InputEvent::Kind::MouseDown;
    case K::MouseUp: return InputEvent::Kind::MouseUp;
    case K::Wheel: return InputEvent::Kind::Wheel;
    case K::KeyDown: return InputEvent::Kind::KeyDown;
    case K::KeyUp: return InputEvent::Kind::KeyUp;
    case K::Text: return InputEvent::Kind::Text;
    case K::Close: return InputEvent::Kind::Close;
    case K::FocusLost: return InputEvent::Kind::FocusLost;
    case K::FocusGained: return InputEvent::Kind::FocusGained;
    case K::Expose: return InputEvent::Kind::Expose;
    case K::DropFile: return InputEvent::Kind::DropFile;
    case K::MouseLeft: return InputEvent::Kind::MouseLeft;
    case K::Minimized: return InputEvent::Kind::Minimized;
    case K::Restored: return InputEvent::Kind::Restored;
    }
    return InputEvent::Kind::MouseMove;
}

MouseButton ButtonOf(int button) {
    return button == 1 ? MouseButton::Right : button == 2 ? MouseButton::Middle : MouseButton::Left;
}

} // namespace

Win32Backend::Win32Backend() : host_(std::make_unique<win32::Host>()) {}

Win32Backend::~Win32Backend() = default;

NativeId Win32Backend::CreateNativeWindow(const NativeWindowDesc& desc) {
    return host_->Create(ToBox(desc.rect), desc.popup, desc.topmost, desc.title, desc.owner);
}

void Win32Backend::DestroyNativeWindow(NativeId id) { host_->Destroy(id); }

void Win32Backend::ShowNativeWindow(NativeId id, bool show, bool activate) {
    host_->Show(id, show, activate);
}

void Win32Backend::MoveNativeWindow(NativeId id, const RECT& rect) { host_->Move(id, ToBox(rect)); }

void Win32Backend::RaiseNativeWindow(NativeId id) { host_->Raise(id); }

void Win32Backend::MinimizeNativeWindow(NativeId id) { host_->Minimize(id); }

void Win32Backend::RestoreNativeWindow(NativeId id) { host_->Restore(id); }

void Win32Backend::SetNativeTitle(NativeId id, const std::string& title) { host_->SetTitle(id, title); }

void Win32Backend::SetNativeIcon(NativeId id, const gfx::Bitmap& icon) {
    if (icon.Empty()) return; // the window keeps its icon: the program never takes it away
    static_assert(sizeof(gfx::Pixel) == sizeof(std::uint32_t));
    host_->SetIcon(id, reinterpret_cast<const std::uint32_t*>(icon.Data()), icon.Width(), icon.Height());
}

void Win32Backend::SetShape(NativeId id, const std::optional<gfx::Region>& shape) {
    if (!shape) {
        host_->SetShape(id, nullptr);
        return;
    }
    std::vector<win32::Box> rects;
    rects.reserve(shape->Rects().size());
    for (const RECT& r : shape->Rects())
        rects.push_back(ToBox(r));
    host_->SetShape(id, &rects);
}

void Win32Backend::SetOpacity(NativeId id, std::uint8_t alpha) { host_->SetOpacity(id, alpha); }

void Win32Backend::Present(NativeId id, const gfx::Bitmap& pixels, const RECT& dirty) {
    if (pixels.Width() <= 0 || pixels.Height() <= 0) return;
    host_->Present(id, pixels.Data(), pixels.Width(), pixels.Height(), pixels.Width(), ToBox(dirty));
}

void Win32Backend::PumpEvents(int timeoutMs, std::vector<InputEvent>& out) {
    std::vector<win32::Event> events;
    host_->Pump(timeoutMs, events);
    for (win32::Event& e : events) {
        InputEvent ev;
        ev.kind = KindOf(e.kind);
        ev.pt = POINT{e.x, e.y};
        ev.button = ButtonOf(e.button);
        ev.wheelDelta = e.wheelDelta;
        ev.wheelHorizontal = e.wheelHorizontal;
        ev.vk = e.vk;
        ev.text = std::move(e.text);
        ev.window = e.window;
        out.push_back(std::move(ev));
    }
}

void Win32Backend::Wake() { host_->Wake(); }

std::vector<MonitorDesc> Win32Backend::Monitors() {
    std::vector<MonitorDesc> out;
    for (const win32::Monitor& m : host_->Monitors())
        out.push_back(MonitorDesc{ToRect(m.rect), ToRect(m.work), m.primary});
    return out;
}

POINT Win32Backend::CursorPos() {
    POINT pt{};
    host_->CursorPos(pt.x, pt.y);
    return pt;
}

void Win32Backend::SetCursorPos(POINT pt) { host_->SetCursorPos(pt.x, pt.y); }

void Win32Backend::SetCursorShape(int idc) { host_->SetCursorShape(idc); }

void Win32Backend::SetMouseCapture(bool on) { host_->SetMouseCapture(on); }

std::string Win32Backend::ClipboardText() { return host_->ClipboardText(); }

void Win32Backend::SetClipboardText(const std::string& text) { host_->SetClipboardText(text); }

bool Win32Backend::HasClipboardText() { return host_->HasClipboardText(); }

std::uint64_t Win32Backend::Milliseconds() {
    return std::uint64_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
            .count());
}

} // namespace ui
