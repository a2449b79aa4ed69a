#pragma once
// Real windows on Windows: one borderless USER window per shown top-level window of the window
// system, its pixels presented with GDI, the window region as its shape, layered opacity,
// mouse, keys and typed or composed (IME) text, capture, cursors, the clipboard, and the
// monitors with their work areas. Popups (lists, menus, hints) never take the focus.

#include "platform/ui/backend/Backend.h"

#include <chrono>
#include <memory>

namespace ui {

namespace win32 {
class Host;
}

class Win32Backend : public Backend {
public:
    Win32Backend();
    ~Win32Backend() override;

    NativeId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeId id) override;
    void ShowNativeWindow(NativeId id, bool show, bool activate) override;
    void MoveNativeWindow(NativeId id, const RECT& rect) override;
    void RaiseNativeWindow(NativeId id) override;
    void MinimizeNativeWindow(NativeId id) override;
    void RestoreNativeWindow(NativeId id) override;
    void SetNativeTitle(NativeId id, const std::string& title) override;
    void SetShape(NativeId id, const std::optional<gfx::Region>& shape) override;
    void SetOpacity(NativeId id, std::uint8_t alpha) override;
    void Present(NativeId id, const gfx::Bitmap& pixels, const RECT& dirty) override;
    void PumpEvents(int timeoutMs, std::vector<InputEvent>& out) override;
    void Wake() override;
    std::vector<MonitorDesc> Monitors() override;
    POINT CursorPos() override;
    void SetCursorPos(POINT pt) override;
    void SetCursorShape(int idc) override;
    void SetMouseCapture(bool on) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    bool HasClipboardText() override;
    std::uint64_t Milliseconds() override;

private:
    std::unique_ptr<win32::Host> host_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace ui
