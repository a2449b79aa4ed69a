#include "skin/form/qvPlainMenu.h"

#include "framework/Canvas.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/DrawText.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/User.h"
#include "skin/data/qvUtils.h"

#include <algorithm>

namespace qv {

namespace {

constexpr const char* kClassName = "QvPlainMenu";

void RegisterMenuClass(WNDPROC proc) {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, kClassName, &wc)) {
        return;
    }
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kClassName;
    RegisterClass(&wc);
}

bool Selectable(const vcl::TMenuItem* item) { return !item->IsLine() && item->Enabled(); }

} // namespace

LRESULT TqvPlainMenuEngine::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TqvPlainMenuEngine*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        if (self != nullptr) {
            self->Paint(dc);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void TqvPlainMenuEngine::Layout(HDC dc) {
    rows_.clear();
    int y = 2;
    int textWidth = 0;
    int shortcutWidth = 0;
    auto measure = [dc](const std::string& text) {
        RECT r{0, 0, 0, 0};
        DrawText(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        return int(r.right - r.left);
    };
    for (Row& r : pending_) {
        const int h = r.item->IsLine() ? kSeparatorHeight : kItemHeight;
        r.rect = RECT{2, y, 0, y + h};
        y += h;
        if (!r.item->IsLine()) {
            textWidth = std::max(textWidth, measure(r.item->Caption()));
            if (r.item->ShortCut() != 0) {
                shortcutWidth =
                    std::max(shortcutWidth, measure(vcl::ShortCutToText(r.item->ShortCut())));
            }
        }
        rows_.push_back(r);
    }
    width_ = 2 + 20 + textWidth + (shortcutWidth > 0 ? 24 + shortcutWidth : 0) + 20 + 2;
    height_ = y + 2;
    for (Row& r : rows_) {
        r.rect.right = width_ - 2;
    }
}

void TqvPlainMenuEngine::Paint(HDC dc) {
    RECT all{0, 0, width_, height_};
    FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
    // A raised one-pixel-wide edge around the menu.
    auto line = [dc](int x1, int y1, int x2, int y2, int color) {
        RECT r{x1, y1, x2, y2};
        FillRect(dc, &r, GetSysColorBrush(color));
    };
    line(0, 0, width_, 1, COLOR_BTNHIGHLIGHT);
    line(0, 0, 1, height_, COLOR_BTNHIGHLIGHT);
    line(0, height_ - 1, width_, height_, COLOR_BTNSHADOW);
    line(width_ - 1, 0, width_, height_, COLOR_BTNSHADOW);
    HFONT font = vcl::CreateFontHandle(*form_->Font());
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < int(rows_.size()); ++i) {
        const Row& r = rows_[std::size_t(i)];
        if (r.item->IsLine()) {
            const int y = (r.rect.top + r.rect.bottom) / 2 - 1;
            line(r.rect.left + 2, y, r.rect.right - 2, y + 1, COLOR_BTNSHADOW);
            line(r.rect.left + 2, y + 1, r.rect.right - 2, y + 2, COLOR_BTNHIGHLIGHT);
            continue;
        }
        const bool hot = i == hot_;
        if (hot) {
            FillRect(dc, &r.rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, GetSysColor(!r.item->Enabled() ? COLOR_GRAYTEXT
                                     : hot              ? COLOR_HIGHLIGHTTEXT
                                                        : COLOR_MENUTEXT));
        RECT text{r.rect.left + 20, r.rect.top, r.rect.right - 20, r.rect.bottom};
        DrawText(dc, r.item->Caption().c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (r.item->ShortCut() != 0) {
            std::string sc = vcl::ShortCutToText(r.item->ShortCut());
            DrawText(dc, sc.c_str(), -1, &text,
                     DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        }
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

int TqvPlainMenuEngine::RowAt(POINT client) const {
    for (int i = 0; i < int(rows_.size()); ++i) {
        if (PtInRect(rows_[std::size_t(i)].rect, client)) {
            return i;
        }
    }
    return -1;
}

void TqvPlainMenuEngine::SetHot(int row) {
    if (row >= 0 && !Selectable(rows_[std::size_t(row)].item)) {
        row = -1;
    }
    if (row != hot_) {
        hot_ = row;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void TqvPlainMenuEngine::Step(int delta) {
    const int n = int(rows_.size());
    int row = hot_;
    for (int i = 0; i < n; ++i) {
        row = row < 0 ? (delta > 0 ? 0 : n - 1) : (row + delta + n) % n;
        if (Selectable(rows_[std::size_t(row)].item)) {
            SetHot(row);
            return;
        }
    }
}

bool TqvPlainMenuEngine::Handle(const MSG& msg) {
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        // The menu holds the capture, so every mouse message comes here in its coordinates.
        POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        if (msg.hwnd != window_) {
            ClientToScreen(msg.hwnd, &p);
            ScreenToClient(window_, &p);
        }
        const bool inside = PtInRect(RECT{0, 0, width_, height_}, p);
        if (msg.message == WM_MOUSEMOVE) {
            SetHot(inside ? RowAt(p) : -1);
            return true;
        }
        if (!inside) {
            // A press outside closes the menu; the release of the press that opened it does not.
            return msg.message != WM_LBUTTONDOWN && msg.message != WM_RBUTTONDOWN;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) {
            int row = RowAt(p);
            if (row >= 0 && Selectable(rows_[std::size_t(row)].item)) {
                chosen_ = rows_[std::size_t(row)].item;
                return false;
            }
        }
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        switch (msg.wParam) {
        case VK_UP: Step(-1); return true;
        case VK_DOWN: Step(1); return true;
        case VK_RETURN:
        case VK_SPACE:
            if (hot_ >= 0) {
                chosen_ = rows_[std::size_t(hot_)].item;
            }
            return false;
        case VK_ESCAPE:
        case VK_MENU:
            return false;
        default:
            return true;
        }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return true;
    default:
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        return true;
    }
}

void TqvPlainMenuEngine::Popup(vcl::TMenu* menu, const RECT& at, bool upward) {
    if (menu == nullptr || window_ != nullptr || !form_->HandleAllocated()) {
        return;
    }
    pending_.clear();
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        vcl::TMenuItem* item = menu->Items()->Items(i);
        if (item->Visible()) {
            pending_.push_back(Row{item, RECT{}});
        }
    }
    if (pending_.empty()) {
        return;
    }
    RegisterMenuClass(&TqvPlainMenuEngine::WndProc);
    HWND owner = form_->Handle();
    window_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP, 0, 0, 1,
                             1, owner, nullptr, nullptr, nullptr);
    if (window_ == nullptr) {
        return;
    }
    SetWindowLongPtr(window_, GWLP_USERDATA, LONG_PTR(this));
    HDC dc = GetDC(window_);
    HFONT font = vcl::CreateFontHandle(*form_->Font());
    HGDIOBJ oldFont = SelectObject(dc, font);
    Layout(dc);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    ReleaseDC(window_, dc);

    // Below the rectangle, or above it when asked or when the screen ends first.
    RECT screen = GetMonitorArea(owner, true);
    int x = std::min<int>(at.left, screen.right - width_);
    x = std::max<int>(x, screen.left);
    int y = upward ? at.top - height_ : at.bottom;
    if (!upward && y + height_ > screen.bottom) {
        y = at.top - height_;
    }
    y = std::max<int>(y, screen.top);
    SetWindowPos(window_, HWND_TOPMOST, x, y, width_, height_, SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    SetCapture(window_);

    hot_ = -1;
    done_ = false;
    chosen_ = nullptr;
    MSG msg{};
    while (!done_ && IsWindow(window_) && GetCapture() == window_) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (!Handle(msg)) {
            break;
        }
    }

    if (GetCapture() == window_) {
        ReleaseCapture();
    }
    HWND gone = window_;
    window_ = nullptr;
    rows_.clear();
    pending_.clear();
    DestroyWindow(gone);
    vcl::TMenuItem* chosen = chosen_;
    chosen_ = nullptr;
    SendMessage(owner, QVM_SKIN_MENU_CLOSED, 0, 0);
    if (chosen != nullptr) {
        chosen->Click();
    }
}

} // namespace qv
