#include "platform/ui/Clipboard.h"

#include "platform/ui/WindowSystem.h"

namespace ui {

bool ClipboardState::Open() {
    if (open_) {
        return false;
    }
    open_ = true;
    return true;
}

bool ClipboardState::Close() {
    bool was = open_;
    open_ = false;
    return was;
}

} // namespace ui

using ui::WS;

BOOL OpenClipboard(HWND owner) {
    (void)owner; // the desktop owns what is put on it
    return WS().clipboard().Open() ? TRUE : FALSE;
}

BOOL CloseClipboard() { return WS().clipboard().Close() ? TRUE : FALSE; }

BOOL EmptyClipboard() {
    auto& ws = WS();
    if (!ws.clipboard().IsOpen()) {
        return FALSE;
    }
    ws.backend().SetClipboardText("");
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    return (format == CF_TEXT || format == CF_UNICODETEXT) && WS().backend().HasClipboardText();
}

BOOL SetClipboardData(UINT format, const std::string& text) {
    auto& ws = WS();
    if (!ws.clipboard().IsOpen() || (format != CF_TEXT && format != CF_UNICODETEXT)) {
        return FALSE;
    }
    ws.backend().SetClipboardText(text);
    return TRUE;
}

std::optional<std::string> GetClipboardData(UINT format) {
    auto& ws = WS();
    if (!ws.clipboard().IsOpen() || (format != CF_TEXT && format != CF_UNICODETEXT) ||
        !ws.backend().HasClipboardText()) {
        return std::nullopt;
    }
    return ws.backend().ClipboardText();
}
