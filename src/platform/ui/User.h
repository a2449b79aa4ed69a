#pragma once
// The window system through the Windows interface (USER): windows, classes and window
// procedures, messages and the message loop, timers, painting, input, capture, focus and
// activation, window regions and opacity, monitors, metrics, cursors, caret, clipboard text,
// scroll-bar state and message boxes. Names, numbers, return values and message orders follow
// Windows, so the layers above call it as they would call user32.
//
// Single UI thread: every function here must be called on the thread that runs the message
// loop, except PostMessage, which any thread may call (it wakes the loop).

#include "platform/ui/UserTypes.h"

#include <optional>
#include <string>

// --- Classes and windows ---
ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* out);
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
inline HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance,
                          param);
}
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLong(HWND hwnd, int index) { return GetWindowLongPtr(hwnd, index); }
inline LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
    return SetWindowLongPtr(hwnd, index, value);
}
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
int GetClassName(HWND hwnd, LPSTR buffer, int size);
BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLength(HWND hwnd);
HWND FindWindow(LPCSTR className, LPCSTR windowName);
int GetDlgCtrlID(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);

// --- Tree and z-order ---
HWND GetParent(HWND hwnd); // the parent of a child, the owner of a top-level window
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopWindow(HWND hwnd);
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND hwnd);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
BOOL BringWindowToTop(HWND hwnd);

// --- Geometry ---
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, RECT* rect); // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect); // (0, 0, client width, client height)
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL ScreenToClient(HWND hwnd, POINT* pt);
BOOL ClientToScreen(HWND hwnd, POINT* pt);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
HWND WindowFromPoint(POINT pt);
HWND ChildWindowFromPoint(HWND parent, POINT pt); // pt in the parent's client coordinates
constexpr UINT CWP_ALL = 0;
constexpr UINT CWP_SKIPINVISIBLE = 1;
constexpr UINT CWP_SKIPDISABLED = 2;
constexpr UINT CWP_SKIPTRANSPARENT = 4;
HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags);

// --- Messages ---
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam); // any thread
void PostQuitMessage(int exitCode);
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
BOOL InSendMessage();

// --- Timers ---
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
DWORD GetTickCount();

// --- Painting ---
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL ValidateRgn(HWND hwnd, HRGN rgn);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   RECT* updateRect, UINT flags);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);
BOOL LockWindowUpdate(HWND hwnd);

// --- Regions and opacity ---
// The system owns rgn after a successful call (do not delete it); null removes the region.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN rgn); // copies into rgn; ERROR when the window has none
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);

// --- Input, capture, focus, activation ---
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetCursorPos(POINT* pt);
BOOL SetCursorPos(int x, int y);
UINT GetDoubleClickTime();
void MessageBeep(UINT type);

// --- Cursors, icons, caret ---
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
// An icon from a colour bitmap and a mask (both copied). A colour bitmap with alpha in its top
// bytes (0xAARRGGBB, not premultiplied; made with gfx::CreateBitmapFrom, as CreateBitmap clears
// them) is drawn by its alpha; one without is opaque where the mask is black. Null without both.
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// Blends the icon's picture onto dc at (x, y), scaled to cx x cy (0: its own size). The stock
// icons of LoadIcon have no picture here: FALSE.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* pt);

// --- Clipboard (text only; CF_TEXT and CF_UNICODETEXT both mean UTF-8 text) ---
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);
BOOL SetClipboardData(UINT format, const std::string& text);
std::optional<std::string> GetClipboardData(UINT format);

// --- Dropped files: a window with WS_EX_ACCEPTFILES (or whose ancestor has it) gets
// WM_DROPFILES with an HDROP in wParam when files are dropped on it from the desktop ---
void DragAcceptFiles(HWND hwnd, BOOL accept);
// index 0xFFFFFFFF: the number of files. Otherwise the length of file `index` (without the
// terminating NUL) when buffer is null, else the characters copied (at most size - 1, then NUL).
UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size);
// The drop point in the client coordinates of the window that got the drop; TRUE when it lies
// in the client area.
BOOL DragQueryPoint(HDROP drop, POINT* pt);
void DragFinish(HDROP drop);

// --- Scroll-bar state (kept per window for SB_HORZ and SB_VERT) ---
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* si, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* si);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
// The standard bar of OBJID_VSCROLL or OBJID_HSCROLL; a bar the window lacks is reported invisible.
BOOL GetScrollBarInfo(HWND hwnd, LONG idObject, SCROLLBARINFO* info);

// --- Monitors, metrics, parameters, version ---
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
int GetSystemMetrics(int index);
BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni);
BOOL GetVersionEx(OSVERSIONINFO* info);
DWORD GetVersion(); // low byte major (6), next byte minor (1)

// --- Message box ---
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

namespace ui {
// Destroys every window and closes the backend (the display connection); a program calls it
// once its message loop has ended.
void ShutdownWindowSystem();
} // namespace ui
