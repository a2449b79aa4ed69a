#pragma once
// DrawText: formatted text in a rectangle, with the Windows flags and results.
//
// Lines break at CR, LF and CR LF (not with DT_SINGLELINE) and, with DT_WORDBREAK, where a word
// would cross the right edge (after spaces, and between CJK characters); a word wider than the
// rectangle keeps its own line. "&x" underlines x and "&&" gives "&" unless DT_NOPREFIX.
// DT_VCENTER and DT_BOTTOM apply to single lines only. DT_CALCRECT measures without drawing:
// the rectangle keeps its left and top, gets the widest line's width and the lines' height.
// The result is the height of the text (with DT_VCENTER / DT_BOTTOM: from the rectangle's top
// to the bottom of the text), 0 on failure. DT_RTLREADING is accepted and changes nothing.

#include "platform/gfx/DC.h"

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// text is UTF-8; count is in bytes, or -1 for a NUL-terminated string.
int DrawText(HDC dc, const char* text, int count, RECT* rect, UINT format);
