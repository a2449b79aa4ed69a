#pragma once
// The plain value types of the Windows platform, with the same names, layouts and numbering,
// so that code written against that window system reads the same here.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using BOOL = int;
using COLORREF = std::uint32_t; // 0x00BBGGRR: low byte red
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Covers columns left .. right-1 and rows top .. bottom-1; empty when either extent is <= 0.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xFF); }

constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr LONG MAKELONG(WORD lo, WORD hi) { return LONG(DWORD(lo) | (DWORD(hi) << 16)); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(MAKELONG(lo, hi)); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(DWORD(MAKELONG(lo, hi))); }
// Signed coordinates packed into an LPARAM (mouse messages).
constexpr int GET_X_LPARAM(LPARAM lp) { return int(std::int16_t(LOWORD(std::uintptr_t(lp)))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return int(std::int16_t(HIWORD(std::uintptr_t(lp)))); }

inline RECT MakeRect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
inline LONG RectWidth(const RECT& r) { return r.right - r.left; }
inline LONG RectHeight(const RECT& r) { return r.bottom - r.top; }
inline bool IsRectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
// Intersection of a and b; an empty result is normalised to (0,0,0,0) as the platform does.
RECT IntersectRect(const RECT& a, const RECT& b);
// Smallest rectangle holding both; an empty operand is ignored.
RECT UnionRect(const RECT& a, const RECT& b);
RECT OffsetRect(const RECT& r, LONG dx, LONG dy);
RECT InflateRect(const RECT& r, LONG dx, LONG dy);
