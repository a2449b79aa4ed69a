#pragma once
// The caret: one per thread, owned by a window, drawn by inverting its rectangle in the
// owner's client area while shown. Hiding nests: ShowCaret undoes one HideCaret, and a new
// caret starts hidden once.
// FIXME: the caret does not blink; it shows steadily while shown.

#include "platform/ui/User.h"

namespace ui {

class Caret {
public:
    void Create(HWND owner, int width, int height);
    bool Destroy();
    bool Show(HWND hwnd);
    bool Hide(HWND hwnd);
    bool MoveTo(int x, int y);
    bool Position(POINT& pt) const;
    // The owner is gone: the caret goes with it, undrawn.
    void Forget(HWND hwnd);

private:
    void Draw(bool on);

    HWND owner_ = nullptr;
    RECT rect_{};
    int hideCount_ = 1;
    bool drawn_ = false;
};

} // namespace ui
