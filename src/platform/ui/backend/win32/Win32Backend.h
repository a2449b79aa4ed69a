#pragma once
// Real windows on Windows: one borderless USER window per shown top-level window of the window
// system, its pixels presented with GDI, the window region as its shape, layered opacity,
// mouse, keys and typed or composed (IME) text, capture, cursors, the clipboard, and the
// monitors with their work areas. Popups (lists, menus, hints) never take the focus.

#include "platform/ui/backend/BackendOperations.h"

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

    IISLOG_BACKEND_OPERATIONS;
    void SetNativeIcon(NativeId id, const gfx::Bitmap& icon) override;

private:
    std::unique_ptr<win32::Host> host_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace ui
