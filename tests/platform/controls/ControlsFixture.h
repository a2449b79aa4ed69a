#pragma once
// A fresh headless screen per test with a visible top-level parent window that records the
// notifications its control children send (WM_NOTIFY, WM_COMMAND, owner-draw requests) and
// lets a test answer them.

#include "HeadlessFixture.h"

#include "platform/controls/CommCtrl.h"
#include "platform/gfx/DCApi.h"

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

struct Received {
    UINT msg = 0;
    int code = 0; // WM_NOTIFY: NMHDR code; WM_COMMAND: notification code
    HWND from = nullptr;
    int item = -1; // NMLISTVIEW iItem / NMHEADER iItem
    UINT newState = 0;
    UINT action = 0; // NMTREEVIEW action
    HTREEITEM node = nullptr;
};

class ControlsFixture : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        InitCommonControls();
        WNDCLASS wc;
        wc.lpfnWndProc = &ParentProc;
        wc.lpszClassName = "ControlsTestParent";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
        RegisterClass(&wc);
        parent = CreateWindowEx(0, "ControlsTestParent", "parent", WS_POPUP | WS_VISIBLE, 50, 50, 640, 560,
                                nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtr(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        Pump();
    }
    HWND Child(const char* cls, DWORD style, int x, int y, int w, int h, const char* text = "") {
        HWND hwnd = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<std::intptr_t>(7)), nullptr, nullptr);
        Pump();
        return hwnd;
    }

    // Paints a control's client area into a bitmap through WM_PRINTCLIENT.
    static gfx::Bitmap Render(HWND hwnd) {
        RECT r{};
        GetClientRect(hwnd, &r);
        gfx::Bitmap bitmap(r.right, r.bottom, 0x00FF00FF);
        HBITMAP wrapped = gfx::WrapBitmap(&bitmap);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, wrapped);
        SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(wrapped);
        return bitmap;
    }

    int Count(UINT msg, int code) const {
        int n = 0;
        for (const auto& r : received)
            if (r.msg == msg && r.code == code) ++n;
        return n;
    }

    HWND parent = nullptr;
    std::vector<Received> received;
    // Answers a message before it is recorded; set handled to give the returned value.
    std::function<LRESULT(UINT, WPARAM, LPARAM, bool&)> answer;

private:
    static LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ControlsFixture*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProc(hwnd, msg, wParam, lParam);
        if (msg == WM_NOTIFY || msg == WM_COMMAND || msg == WM_DRAWITEM || msg == WM_MEASUREITEM) {
            Received r;
            r.msg = msg;
            if (msg == WM_NOTIFY) {
                auto* hdr = reinterpret_cast<NMHDR*>(lParam);
                r.code = static_cast<int>(hdr->code);
                r.from = hdr->hwndFrom;
                if (r.code == LVN_ITEMCHANGED || r.code == LVN_ITEMCHANGING || r.code == LVN_INSERTITEM ||
                    r.code == LVN_DELETEITEM || r.code == LVN_COLUMNCLICK) {
                    auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
                    r.item = nm->iItem;
                    r.newState = nm->uNewState;
                } else if (r.code == TVN_SELCHANGING || r.code == TVN_SELCHANGED ||
                           r.code == TVN_ITEMEXPANDING || r.code == TVN_ITEMEXPANDED ||
                           r.code == TVN_DELETEITEM) {
                    auto* nm = reinterpret_cast<NMTREEVIEW*>(lParam);
                    r.action = nm->action;
                    r.node = nm->itemNew.hItem;
                } else if (r.code <= HDN_ITEMCHANGING && r.code >= HDN_TRACK) {
                    r.item = reinterpret_cast<NMHEADER*>(lParam)->iItem;
                }
            } else if (msg == WM_COMMAND) {
                r.code = HIWORD(static_cast<DWORD>(wParam));
                r.from = reinterpret_cast<HWND>(lParam);
            } else if (msg == WM_DRAWITEM) {
                auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
                r.item = static_cast<int>(dis->itemID);
                r.newState = dis->itemState;
            }
            self->received.push_back(r);
        }
        if (self->answer) {
            bool handled = false;
            LRESULT result = self->answer(msg, wParam, lParam, handled);
            if (handled) return result;
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
};
