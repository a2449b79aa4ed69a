#pragma once
// A plain popup menu drawn in the system colours: the form skin's menu engine until a skinned one
// is installed. It shows a menu's visible items in a popup window under (or above) a rectangle,
// tracks the mouse and the arrow, Enter and Escape keys in a modal loop of its own, runs the
// chosen item after the window is gone, and tells the form with QVM_SKIN_MENU_CLOSED.

#include "skin/form/Veltrane.h"

#include <vector>

namespace qv {

class TqvPlainMenuEngine : public IqvFormMenuEngine {
public:
    explicit TqvPlainMenuEngine(vcl::TCustomForm* form) : form_(form) {}

    bool MenuOpen() const override { return window_ != nullptr; }
    void CloseMenu() override { done_ = true; }
    bool ClosesItself() const override { return true; }
    void Popup(vcl::TMenu* menu, const RECT& at, bool upward) override;

    // Layout, for tests and painting: item rectangles in the popup's client coordinates.
    static constexpr int kItemHeight = 20;
    static constexpr int kSeparatorHeight = 8;

private:
    struct Row {
        vcl::TMenuItem* item;
        RECT rect;
    };
    void Layout(HDC dc);
    void Paint(HDC dc);
    int RowAt(POINT client) const;
    void SetHot(int row);
    void Step(int delta);
    // One message of the modal loop; false when it ends the menu.
    bool Handle(const MSG& msg);
    static LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    vcl::TCustomForm* form_;
    HWND window_ = nullptr;
    std::vector<Row> rows_;
    std::vector<Row> pending_; // the visible items before layout
    int width_ = 0, height_ = 0;
    int hot_ = -1;
    bool done_ = false;
    vcl::TMenuItem* chosen_ = nullptr;
};

} // namespace qv
