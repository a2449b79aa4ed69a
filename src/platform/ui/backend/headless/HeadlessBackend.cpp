#include "platform/ui/backend/headless/HeadlessBackend.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace ui {

HeadlessBackend::HeadlessBackend(HeadlessConfig config) : config_(std::move(config)) {}

void HeadlessBackend::Push(InputEvent ev) { events_.push_back(std::move(ev)); }

void HeadlessBackend::MouseMove(int x, int y) {
    cursor_ = POINT{x, y};
    InputEvent ev;
    ev.kind = InputEvent::Kind::MouseMove;
    ev.pt = cursor_;
    Push(ev);
}

void HeadlessBackend::MouseDown(MouseButton b) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::MouseDown;
    ev.pt = cursor_;
    ev.button = b;
    Push(ev);
}

void HeadlessBackend::MouseUp(MouseButton b) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::MouseUp;
    ev.pt = cursor_;
    ev.button = b;
    Push(ev);
}

void HeadlessBackend::Click(int x, int y, MouseButton b) {
    MouseMove(x, y);
    MouseDown(b);
    MouseUp(b);
}

void HeadlessBackend::Wheel(int delta) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::Wheel;
    ev.pt = cursor_;
    ev.wheelDelta = delta;
    Push(ev);
}

void HeadlessBackend::HWheel(int delta) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::Wheel;
    ev.pt = cursor_;
    ev.wheelDelta = delta;
    ev.wheelHorizontal = true;
    Push(ev);
}

void HeadlessBackend::KeyDown(int vk) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::KeyDown;
    ev.vk = vk;
    Push(ev);
}

void HeadlessBackend::KeyUp(int vk) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::KeyUp;
    ev.vk = vk;
    Push(ev);
}

void HeadlessBackend::Text(const std::string& utf8) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::Text;
    ev.text = utf8;
    Push(ev);
}

void HeadlessBackend::DropFile(int x, int y, const std::string& path) {
    cursor_ = POINT{x, y};
    InputEvent ev;
    ev.kind = InputEvent::Kind::DropFile;
    ev.pt = cursor_;
    ev.text = path;
    Push(ev);
}

void HeadlessBackend::CloseRequest(NativeId id) {
    InputEvent ev;
    ev.kind = InputEvent::Kind::Close;
    ev.window = id;
    Push(ev);
}

void HeadlessBackend::PointerLeave(NativeId id, int x, int y) {
    cursor_ = POINT{x, y};
    InputEvent ev;
    ev.kind = InputEvent::Kind::MouseLeft;
    ev.pt = cursor_;
    ev.window = id;
    Push(ev);
}

void HeadlessBackend::DesktopMinimize(NativeId id) {
    MinimizeNativeWindow(id);
    InputEvent ev;
    ev.kind = InputEvent::Kind::Minimized;
    ev.window = id;
    Push(ev);
}

void HeadlessBackend::DesktopRestore(NativeId id) {
    RestoreNativeWindow(id);
    InputEvent ev;
    ev.kind = InputEvent::Kind::Restored;
    ev.window = id;
    Push(ev);
}

const HeadlessBackend::NativeState* HeadlessBackend::Native(NativeId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

gfx::Bitmap HeadlessBackend::ReadWindow(NativeId id) const {
    const NativeState* s = Native(id);
    return s ? s->pixels : gfx::Bitmap();
}

namespace {
gfx::Pixel Blend(gfx::Pixel over, gfx::Pixel under, int alpha) {
    auto ch = [&](int shift) {
        int o = int((over >> shift) & 0xFF), u = int((under >> shift) & 0xFF);
        return gfx::Pixel((o * alpha + u * (255 - alpha) + 127) / 255) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}
} // namespace

gfx::Bitmap HeadlessBackend::ReadScreen() const {
    RECT all = config_.monitors.front().rect;
    for (const auto& m : config_.monitors) {
        all = UnionRect(all, m.rect);
    }
    gfx::Bitmap screen(RectWidth(all), RectHeight(all), config_.desktop);
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        const NativeState& s = windows_.at(*it);
        if (!s.shown || s.minimized) {
            continue;
        }
        for (int y = 0; y < s.pixels.Height(); ++y) {
            for (int x = 0; x < s.pixels.Width(); ++x) {
                if (s.shape && !s.shape->Contains(x, y)) {
                    continue;
                }
                int sx = s.rect.left + x - all.left;
                int sy = s.rect.top + y - all.top;
                if (!screen.Contains(sx, sy)) {
                    continue;
                }
                gfx::Pixel p = s.pixels.GetPixel(x, y);
                screen.SetPixel(sx, sy, s.alpha == 255 ? p : Blend(p, screen.GetPixel(sx, sy), s.alpha));
            }
        }
    }
    return screen;
}

NativeId HeadlessBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    NativeId id = ++next_;
    NativeState s;
    s.rect = desc.rect;
    s.popup = desc.popup;
    s.owner = desc.owner;
    s.title = desc.title;
    s.pixels = gfx::Bitmap(std::max(RectWidth(desc.rect), 0), std::max(RectHeight(desc.rect), 0));
    windows_[id] = std::move(s);
    stack_.insert(stack_.begin(), id);
    return id;
}

void HeadlessBackend::DestroyNativeWindow(NativeId id) {
    windows_.erase(id);
    stack_.erase(std::remove(stack_.begin(), stack_.end(), id), stack_.end());
}

void HeadlessBackend::ShowNativeWindow(NativeId id, bool show, bool activate) {
    auto it = windows_.find(id);
    if (it != windows_.end()) {
        it->second.shown = show;
        it->second.activated = show && activate;
    }
}

void HeadlessBackend::MoveNativeWindow(NativeId id, const RECT& rect) {
    auto it = windows_.find(id);
    if (it == windows_.end()) {
        return;
    }
    NativeState& s = it->second;
    if (RectWidth(rect) != RectWidth(s.rect) || RectHeight(rect) != RectHeight(s.rect)) {
        s.pixels.Resize(std::max(RectWidth(rect), 0), std::max(RectHeight(rect), 0));
    }
    s.rect = rect;
}

void HeadlessBackend::RaiseNativeWindow(NativeId id) {
    stack_.erase(std::remove(stack_.begin(), stack_.end(), id), stack_.end());
    stack_.insert(stack_.begin(), id);
}

void HeadlessBackend::MinimizeNativeWindow(NativeId id) {
    if (auto it = windows_.find(id); it != windows_.end()) {
        it->second.minimized = true;
    }
}

void HeadlessBackend::RestoreNativeWindow(NativeId id) {
    if (auto it = windows_.find(id); it != windows_.end()) {
        it->second.minimized = false;
    }
}

void HeadlessBackend::SetNativeTitle(NativeId id, const std::string& title) {
    if (auto it = windows_.find(id); it != windows_.end()) {
        it->second.title = title;
    }
}

void HeadlessBackend::SetNativeIcon(NativeId id, const gfx::Bitmap& icon) {
    if (auto it = windows_.find(id); it != windows_.end()) {
        it->second.icon = icon;
    }
}

void HeadlessBackend::SetShape(NativeId id, const std::optional<gfx::Region>& shape) {
    if (auto it = windows_.find(id); it != windows_.end()) {
        it->second.shape = shape;
    }
}

void HeadlessBackend::SetOpacity(NativeId id, std::uint8_t alpha) {
    if (auto it = windows_.find(id); it != windows_.end()) {
        it->second.alpha = alpha;
    }
}

void HeadlessBackend::Present(NativeId id, const gfx::Bitmap& pixels, const RECT& dirty) {
    auto it = windows_.find(id);
    if (it == windows_.end()) {
        return;
    }
    NativeState& s = it->second;
    if (s.pixels.Width() != pixels.Width() || s.pixels.Height() != pixels.Height()) {
        s.pixels.Resize(pixels.Width(), pixels.Height());
    }
    RECT d = IntersectRect(dirty, pixels.Bounds());
    for (int y = d.top; y < d.bottom; ++y) {
        std::copy(pixels.Row(y) + d.left, pixels.Row(y) + d.right, s.pixels.Row(y) + d.left);
    }
    ++s.presents;
    s.lastDirty = d;
}

void HeadlessBackend::PumpEvents(int timeoutMs, std::vector<InputEvent>& out) {
    ++polls_;
    if (!events_.empty()) {
        out.insert(out.end(), events_.begin(), events_.end());
        events_.clear();
        return;
    }
    if (timeoutMs == 0) {
        return;
    }
    if (timeoutMs > 0) {
        // Waiting for a timer: virtual time passes at once.
        clock_ += std::uint64_t(timeoutMs);
        return;
    }
    // Only another thread posting a message can end this wait; a test that waits for input it
    // never injected fails here instead of hanging.
    std::unique_lock lock(wakeMutex_);
    if (!wakeCv_.wait_for(lock, std::chrono::seconds(5), [&] { return woken_; })) {
        throw std::runtime_error("Headless message loop is waiting for input that was never injected.");
    }
    woken_ = false;
}

void HeadlessBackend::Wake() {
    {
        std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wakeCv_.notify_all();
}

} // namespace ui
