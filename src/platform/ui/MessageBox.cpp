// MessageBox: a modal window of our own drawing (icon, word-broken text, OK or OK/Cancel)
// that disables its owner and runs a nested message loop until a button is chosen.
#include "platform/ui/WindowSystem.h"

#include "platform/gfx/DrawText.h"
#include "platform/gfx/Font.h"

#include <algorithm>
#include <string>
#include <vector>

using ui::WS;

namespace {

constexpr const char* kClass = "#32770";
constexpr int kMargin = 12;
constexpr int kIcon = 32;
constexpr int kButtonW = 75;
constexpr int kButtonH = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxText = 420;

struct Box {
    std::string text;
    UINT type = 0;
    std::vector<int> buttons; // IDOK, IDCANCEL ...
    std::vector<RECT> rects;  // button rectangles, client coordinates
    RECT textRect{};
    int focus = 0;
    int pressed = -1;
    bool hot = false;
    int result = 0;
    bool done = false;
};

Box* BoxOf(HWND hwnd) { return reinterpret_cast<Box*>(GetWindowLongPtr(hwnd, GWL_USERDATA)); }

HFONT BoxFont() { return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

const char* ButtonText(int id) {
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    case IDRETRY: return "&Retry";
    case IDABORT: return "&Abort";
    case IDIGNORE: return "&Ignore";
    default: return "";
    }
}

// The word-broken size of the text at most kMaxText wide.
SIZE MeasureText(const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, BoxFont());
    RECT r{0, 0, kMaxText, 0};
    DrawText(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{RectWidth(r), RectHeight(r)};
}

void Fill(HDC dc, RECT r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void Disc(HDC dc, int x, int y, COLORREF fill) {
    HBRUSH b = CreateSolidBrush(fill);
    HPEN p = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ ob = SelectObject(dc, b);
    HGDIOBJ op = SelectObject(dc, p);
    Ellipse(dc, x, y, x + kIcon, y + kIcon);
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(b);
    DeleteObject(p);
}

void DrawIcon(HDC dc, UINT icon, int x, int y) {
    const COLORREF white = RGB(255, 255, 255);
    switch (icon) {
    case MB_ICONERROR: {
        Disc(dc, x, y, RGB(204, 0, 0));
        HPEN p = CreatePen(PS_SOLID, 3, white);
        HGDIOBJ op = SelectObject(dc, p);
        MoveToEx(dc, x + 10, y + 10, nullptr);
        LineTo(dc, x + 22, y + 22);
        MoveToEx(dc, x + 22, y + 10, nullptr);
        LineTo(dc, x + 10, y + 22);
        SelectObject(dc, op);
        DeleteObject(p);
        break;
    }
    case MB_ICONWARNING:
        for (int row = 0; row < 28; ++row) {
            int half = row / 2 + 1;
            Fill(dc, RECT{x + 16 - half, y + 2 + row, x + 16 + half, y + 3 + row}, RGB(255, 204, 0));
        }
        Fill(dc, RECT{x + 15, y + 10, x + 18, y + 22}, RGB(0, 0, 0));
        Fill(dc, RECT{x + 15, y + 24, x + 18, y + 27}, RGB(0, 0, 0));
        break;
    case MB_ICONINFORMATION:
        Disc(dc, x, y, RGB(0, 80, 200));
        Fill(dc, RECT{x + 14, y + 7, x + 18, y + 11}, white);
        Fill(dc, RECT{x + 14, y + 13, x + 18, y + 25}, white);
        break;
    case MB_ICONQUESTION:
        Disc(dc, x, y, RGB(0, 80, 200));
        Fill(dc, RECT{x + 11, y + 7, x + 21, y + 10}, white);
        Fill(dc, RECT{x + 19, y + 9, x + 22, y + 15}, white);
        Fill(dc, RECT{x + 15, y + 14, x + 21, y + 17}, white);
        Fill(dc, RECT{x + 15, y + 16, x + 18, y + 20}, white);
        Fill(dc, RECT{x + 15, y + 22, x + 18, y + 25}, white);
        break;
    default: break;
    }
}

void DrawButton(HDC dc, const RECT& r, const char* caption, bool focused, bool down) {
    Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    RECT f = r;
    if (focused) {
        FrameRect(dc, &f, GetSysColorBrush(COLOR_WINDOWFRAME));
        f = InflateRect(f, -1, -1);
    }
    HBRUSH lt = GetSysColorBrush(down ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    HBRUSH rb = GetSysColorBrush(down ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW);
    RECT top{f.left, f.top, f.right, f.top + 1}, left{f.left, f.top, f.left + 1, f.bottom};
    RECT bottom{f.left, f.bottom - 1, f.right, f.bottom}, right{f.right - 1, f.top, f.right, f.bottom};
    FillRect(dc, &top, lt);
    FillRect(dc, &left, lt);
    FillRect(dc, &bottom, rb);
    FillRect(dc, &right, rb);
    RECT t = down ? OffsetRect(r, 1, 1) : r;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawText(dc, caption, -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Paint(HWND hwnd, Box& box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) {
        return;
    }
    HGDIOBJ oldFont = SelectObject(dc, BoxFont());
    DrawIcon(dc, box.type & MB_ICONMASK, kMargin, kMargin);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT t = box.textRect;
    DrawText(dc, box.text.c_str(), -1, &t, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    for (std::size_t i = 0; i < box.rects.size(); ++i) {
        DrawButton(dc, box.rects[i], ButtonText(box.buttons[i]), int(i) == box.focus,
                   int(i) == box.pressed && box.hot);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

int ButtonAt(const Box& box, LPARAM l) {
    POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    for (std::size_t i = 0; i < box.rects.size(); ++i) {
        if (PtInRect(box.rects[i], p)) {
            return int(i);
        }
    }
    return -1;
}

void Finish(Box& box, int result) {
    box.result = result;
    box.done = true;
}

int CancelResult(const Box& box) {
    for (int b : box.buttons) {
        if (b == IDCANCEL) {
            return IDCANCEL;
        }
    }
    return box.buttons.size() == 1 ? box.buttons.front() : 0;
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    Box* box = BoxOf(hwnd);
    if (!box) {
        return DefWindowProc(hwnd, msg, w, l);
    }
    switch (msg) {
    case WM_PAINT: Paint(hwnd, *box); return 0;
    case WM_LBUTTONDOWN:
        box->pressed = ButtonAt(*box, l);
        box->hot = box->pressed >= 0;
        if (box->pressed >= 0) {
            box->focus = box->pressed;
            SetCapture(hwnd);
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (box->pressed >= 0) {
            bool hot = ButtonAt(*box, l) == box->pressed;
            if (hot != box->hot) {
                box->hot = hot;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONUP: {
        int b = box->pressed;
        bool hot = b >= 0 && ButtonAt(*box, l) == b;
        box->pressed = -1;
        ReleaseCapture();
        InvalidateRect(hwnd, nullptr, FALSE);
        if (hot) {
            Finish(*box, box->buttons[std::size_t(b)]);
        }
        return 0;
    }
    case WM_KEYDOWN:
        if (w == WPARAM(VK_RETURN) || w == WPARAM(VK_SPACE)) {
            Finish(*box, box->buttons[std::size_t(box->focus)]);
        } else if (w == WPARAM(VK_ESCAPE)) {
            if (int r = CancelResult(*box)) {
                Finish(*box, r);
            }
        } else if (w == WPARAM(VK_TAB) || w == WPARAM(VK_RIGHT) || w == WPARAM(VK_LEFT)) {
            int n = int(box->buttons.size());
            box->focus = (box->focus + (w == WPARAM(VK_LEFT) ? n - 1 : 1)) % n;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_CLOSE:
        if (int r = CancelResult(*box)) {
            Finish(*box, r);
        }
        return 0;
    default: return DefWindowProc(hwnd, msg, w, l);
    }
}

void EnsureClass() {
    WNDCLASS wc;
    if (GetClassInfo(nullptr, kClass, &wc)) {
        return;
    }
    wc = WNDCLASS{};
    wc.lpfnWndProc = BoxProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(std::intptr_t(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClass;
    RegisterClass(&wc);
}

} // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    auto& ws = WS();
    EnsureClass();
    Box box;
    box.text = text ? text : "";
    box.type = type;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: box.buttons = {IDOK, IDCANCEL}; break;
    case MB_YESNO: box.buttons = {IDYES, IDNO}; break;
    case MB_YESNOCANCEL: box.buttons = {IDYES, IDNO, IDCANCEL}; break;
    case MB_RETRYCANCEL: box.buttons = {IDRETRY, IDCANCEL}; break;
    case MB_ABORTRETRYIGNORE: box.buttons = {IDABORT, IDRETRY, IDIGNORE}; break;
    default: box.buttons = {IDOK}; break;
    }
    int defButton = int((type >> 8) & 0x0F);
    box.focus = std::min(defButton, int(box.buttons.size()) - 1);

    bool hasIcon = (type & MB_ICONMASK) != 0;
    int textLeft = kMargin + (hasIcon ? kIcon + kMargin : 0);
    SIZE measured = MeasureText(box.text);
    int textW = std::max(int(measured.cx), 1);
    int textH = int(measured.cy);
    int n = int(box.buttons.size());
    int buttonsW = n * kButtonW + (n - 1) * kButtonGap;
    int clientW = std::max(textLeft + textW + kMargin, buttonsW + 2 * kMargin);
    int bodyH = std::max(textH, hasIcon ? kIcon : 0);
    int clientH = kMargin + bodyH + kMargin + kButtonH + kMargin;
    int textTop = kMargin + (hasIcon && textH < kIcon ? (kIcon - textH) / 2 : 0);
    box.textRect = RECT{textLeft, textTop, textLeft + textW, textTop + textH};
    int x0 = (clientW - buttonsW) / 2;
    for (int i = 0; i < n; ++i) {
        int bx = x0 + i * (kButtonW + kButtonGap);
        box.rects.push_back(RECT{bx, clientH - kMargin - kButtonH, bx + kButtonW, clientH - kMargin});
    }

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | ((type & MB_TOPMOST) ? WS_EX_TOPMOST : 0);
    RECT frame{0, 0, clientW, clientH};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    HWND ownerTop = ws.IsLive(owner) ? ws.TopLevel(owner) : nullptr;
    RECT area;
    if (ownerTop && IsWindowVisible(ownerTop)) {
        GetWindowRect(ownerTop, &area);
    } else {
        SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    int W = RectWidth(frame), H = RectHeight(frame);
    int x = area.left + (RectWidth(area) - W) / 2;
    int y = area.top + (RectHeight(area) - H) / 2;

    HWND hwnd = CreateWindowEx(exStyle, kClass, caption ? caption : "Error", style, x, y, W, H, ownerTop,
                               nullptr, nullptr, nullptr);
    if (!hwnd) {
        return 0;
    }
    SetWindowLongPtr(hwnd, GWL_USERDATA, LONG_PTR(reinterpret_cast<std::intptr_t>(&box)));
    bool ownerWasEnabled = ownerTop && IsWindowEnabled(ownerTop);
    if (ownerWasEnabled) {
        EnableWindow(ownerTop, FALSE);
    }
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    bool quit = false;
    while (!box.done && ws.IsLive(hwnd)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            quit = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    // Enable the owner before the box goes, so the activation returns to it.
    if (ownerWasEnabled && ws.IsLive(ownerTop)) {
        EnableWindow(ownerTop, TRUE);
    }
    if (ws.IsLive(hwnd)) {
        SetWindowLongPtr(hwnd, GWL_USERDATA, 0);
        DestroyWindow(hwnd);
    }
    if (quit) {
        PostQuitMessage(int(msg.wParam));
    }
    return box.done ? box.result : CancelResult(box);
}
