#pragma once
// The window-system tests: a fresh headless screen per test with two window classes ("rec" and,
// with double clicks, "recdbl") whose procedure records every message into the message log.

#include "HeadlessFixture.h"
#include "MessageLog.h"

namespace uitest {

class UiFixture : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        Log().clear();
        CurrentHook() = nullptr;
        WNDCLASS wc;
        wc.lpfnWndProc = RecordProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(std::intptr_t(COLOR_WINDOW + 1));
        wc.lpszClassName = "rec";
        RegisterClass(&wc);
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = "recdbl";
        RegisterClass(&wc);
    }
    void TearDown() override {
        CurrentHook() = nullptr;
        HeadlessFixture::TearDown();
        Log().clear();
    }
    HWND Top(DWORD style, RECT r, const char* cls = "rec", DWORD ex = 0, HWND owner = nullptr) {
        return CreateWindowEx(ex, cls, "top", style, r.left, r.top, RectWidth(r), RectHeight(r), owner,
                              nullptr, nullptr, nullptr);
    }
    HWND Child(HWND parent, DWORD style, RECT r, int id = 1, const char* cls = "rec") {
        return CreateWindowEx(0, cls, "child", WS_CHILD | style, r.left, r.top, RectWidth(r), RectHeight(r),
                              parent, reinterpret_cast<HMENU>(std::intptr_t(id)), nullptr, nullptr);
    }
};

} // namespace uitest
