#pragma once
// Records the messages window procedures receive and compares the sequence with an expected
// table, so a test states message order the way the Windows documentation does.

#include "platform/ui/User.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace uitest {

struct Rec {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Rec>& Log() {
    static std::vector<Rec> log;
    return log;
}

// Per-window reactions a test installs (e.g. change the WINDOWPOS record).
using Hook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
inline Hook& CurrentHook() {
    static Hook hook;
    return hook;
}

inline LRESULT RecordProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    Log().push_back(Rec{h, m, w, l});
    LRESULT r = 0;
    if (CurrentHook() && CurrentHook()(h, m, w, l, r)) {
        return r;
    }
    return DefWindowProc(h, m, w, l);
}

// One expected message: the window (by a test's name for it) and optionally its wParam.
struct Expect {
    HWND hwnd;
    UINT msg;
    bool checkW = false;
    WPARAM wParam = 0;
};
inline Expect E(HWND h, UINT m) { return Expect{h, m}; }
inline Expect EW(HWND h, UINT m, WPARAM w) { return Expect{h, m, true, w}; }

// Messages that carry no order worth checking in sequence tests.
inline bool Noise(UINT m) {
    return m == WM_NCHITTEST || m == WM_SETCURSOR || m == WM_GETTEXT || m == WM_GETTEXTLENGTH ||
           m == WM_PAINT || m == WM_NCPAINT || m == WM_ERASEBKGND || m == WM_CTLCOLORDLG ||
           m == WM_GETMINMAXINFO || m == WM_ENABLE;
}

inline std::string Describe(const std::vector<Rec>& got) {
    std::ostringstream s;
    for (const Rec& r : got) {
        s << std::hex << "0x" << r.msg << "(w=0x" << r.wParam << ") ";
    }
    return s.str();
}

// Compares the recorded messages (noise removed unless asked for) with the table.
inline void ExpectSequence(const std::vector<Expect>& want, bool keepNoise = false,
                           const std::set<UINT>& keep = {}) {
    std::vector<Rec> got;
    for (const Rec& r : Log()) {
        if (keepNoise || !Noise(r.msg) || keep.count(r.msg)) {
            got.push_back(r);
        }
    }
    ASSERT_EQ(got.size(), want.size()) << Describe(got);
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].msg, want[i].msg) << "message " << i << ": " << Describe(got);
        EXPECT_EQ(got[i].hwnd, want[i].hwnd) << "window of message " << i << ": " << Describe(got);
        if (want[i].checkW) {
            EXPECT_EQ(got[i].wParam, want[i].wParam) << "wParam of message " << i;
        }
    }
}

} // namespace uitest
