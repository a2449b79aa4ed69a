#pragma once
// The operations a display backend over a real desktop implements (SDL on Linux, Win32 on
// Windows), declared once for all of them: such a backend's class body says
// IISLOG_BACKEND_OPERATIONS in place of the list, so a change to the interface is made here and
// the compiler then names each backend that lacks it. SetNativeIcon has a default and is declared
// by the backends that show icons; the headless backend declares its own, partly inline.

#include "platform/ui/backend/Backend.h"

#define IISLOG_BACKEND_OPERATIONS                                                                            \
    NativeId CreateNativeWindow(const NativeWindowDesc& desc) override;                                      \
    void DestroyNativeWindow(NativeId id) override;                                                          \
    void ShowNativeWindow(NativeId id, bool show, bool activate) override;                                   \
    void MoveNativeWindow(NativeId id, const RECT& rect) override;                                           \
    void RaiseNativeWindow(NativeId id) override;                                                            \
    void MinimizeNativeWindow(NativeId id) override;                                                         \
    void RestoreNativeWindow(NativeId id) override;                                                          \
    void SetNativeTitle(NativeId id, const std::string& title) override;                                     \
    void SetShape(NativeId id, const std::optional<gfx::Region>& shape) override;                            \
    void SetOpacity(NativeId id, std::uint8_t alpha) override;                                               \
    void Present(NativeId id, const gfx::Bitmap& pixels, const RECT& dirty) override;                        \
    void PumpEvents(int timeoutMs, std::vector<InputEvent>& out) override;                                   \
    void Wake() override;                                                                                    \
    std::vector<MonitorDesc> Monitors() override;                                                            \
    POINT CursorPos() override;                                                                              \
    void SetCursorPos(POINT pt) override;                                                                    \
    void SetCursorShape(int idc) override;                                                                   \
    void SetMouseCapture(bool on) override;                                                                  \
    std::string ClipboardText() override;                                                                    \
    void SetClipboardText(const std::string& text) override;                                                 \
    bool HasClipboardText() override;                                                                        \
    std::uint64_t Milliseconds() override
