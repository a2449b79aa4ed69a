#pragma once
// The clipboard's text lives with the desktop (the backend); the window system only keeps
// whether the program has it open, since OpenClipboard and CloseClipboard bracket every use
// and a second opening fails until the first is closed.

namespace ui {

class ClipboardState {
public:
    // False when it is open already.
    bool Open();
    // Whether it was open.
    bool Close();
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

} // namespace ui
