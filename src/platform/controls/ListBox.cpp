#include "platform/controls/ListBox.h"

#include "platform/controls/CodePoints.h"
#include "platform/controls/ControlUtil.h"
#include "platform/controls/ListBoxModel.h"
#include "platform/gfx/DrawText.h"

#include <algorithm>
#include <cstring>

namespace controls {

namespace {

constexpr DWORD kTypeAheadMs = 1000;
constexpr int kHorzLineStep = 8;

struct ListBoxState {
    HWND hwnd = nullptr;
    DWORD style = 0;
    ListBoxModel model;
    HFONT font = nullptr;
    bool focused = false;
    bool tracking = false;
    int horzExtent = 0;
    int horzOffset = 0;
    std::u32string typed;
    DWORD lastTyped = 0;
};

ListBoxState* State(HWND hwnd) { return StateOf<ListBoxState>(hwnd); }

int ClientWidth(ListBoxState* s) {
    RECT r{};
    GetClientRect(s->hwnd, &r);
    return r.right;
}

void PublishScrollState(ListBoxState* s) {
    PublishScroll(s->hwnd, SB_VERT, s->model.VertScroll());
    PublishScroll(s->hwnd, SB_HORZ, {0, std::max(s->horzExtent - 1, 0), ClientWidth(s), s->horzOffset});
}

void Changed(ListBoxState* s) {
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
}

void NotifySelChange(ListBoxState* s) {
    if (s->style & LBS_NOTIFY) SendCommand(s->hwnd, LBN_SELCHANGE);
}

// A user's choice of row: select, show, and tell the parent when it changed.
void Choose(ListBoxState* s, int index) {
    if (!s->model.Valid(index)) return;
    bool changed = s->model.Current() != index;
    s->model.SetCurrent(index);
    s->model.EnsureVisible(index);
    Changed(s);
    if (changed) NotifySelChange(s);
}

void MeasureItemHeight(ListBoxState* s) {
    int height = FontHeight(s->hwnd, s->font);
    if (s->style & LBS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTBOX;
        mis.CtlID = static_cast<UINT>(GetDlgCtrlID(s->hwnd));
        mis.itemHeight = static_cast<UINT>(height);
        HWND parent = GetParent(s->hwnd);
        if (parent) SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
        height = static_cast<int>(mis.itemHeight);
    }
    s->model.SetItemHeight(height);
}

// ---- LB_ handlers

LRESULT AddString(ListBoxState* s, LPARAM text, int index, bool add) {
    std::string str = text ? reinterpret_cast<const char*>(text) : "";
    int at = add ? s->model.Add(std::move(str), s->style & LBS_SORT) : s->model.Insert(index, std::move(str));
    if (at >= 0) Changed(s);
    return at;
}

LRESULT DeleteString(ListBoxState* s, int index) {
    int left = s->model.Remove(index);
    if (left >= 0) Changed(s);
    return left;
}

LRESULT GetText(ListBoxState* s, int index, char* out) {
    if (!s->model.Valid(index)) return LB_ERR;
    const std::string& text = s->model.At(index).text;
    if (out) {
        std::memcpy(out, text.data(), text.size());
        out[text.size()] = '\0';
    }
    return static_cast<LRESULT>(text.size());
}

LRESULT SetCurSel(ListBoxState* s, int index) {
    bool ok = s->model.SetCurrent(index);
    if (s->model.Valid(index)) s->model.EnsureVisible(index);
    Changed(s);
    return ok && index >= 0 ? index : LB_ERR;
}

LRESULT SetTopIndex(ListBoxState* s, int index) {
    if (!s->model.SetTop(index)) return LB_ERR;
    Changed(s);
    return LB_OKAY;
}

LRESULT GetItemRect(ListBoxState* s, int index, RECT* r) {
    if (!r || (!s->model.Valid(index) && !(index == 0 && s->model.Count() == 0))) return LB_ERR;
    *r = s->model.ItemRect(index, ClientWidth(s));
    r->left -= s->horzOffset;
    return 1;
}

LRESULT ItemFromPoint(ListBoxState* s, LPARAM lParam) {
    bool outside = false;
    int index = s->model.ItemFromPoint(PointFromLParam(lParam), ClientWidth(s), &outside);
    return MAKELONG(static_cast<WORD>(index), outside ? 1 : 0);
}

LRESULT SelectString(ListBoxState* s, int start, LPARAM text) {
    int found = s->model.FindPrefix(start, text ? reinterpret_cast<const char*>(text) : "");
    if (found < 0) return LB_ERR;
    SetCurSel(s, found);
    return found;
}

LRESULT SetItemHeight(ListBoxState* s, LPARAM height) {
    int h = LOWORD(static_cast<DWORD>(height));
    if (h <= 0 || h > 255) return LB_ERR;
    s->model.SetItemHeight(h);
    Changed(s);
    return LB_OKAY;
}

// ---- painting

void PaintItem(ListBoxState* s, HDC dc, int index, const RECT& r) {
    bool selected = index == s->model.Current();
    if (s->style & LBS_OWNERDRAWFIXED) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(s->hwnd));
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (selected ? ODS_SELECTED : 0) | (selected && s->focused ? ODS_FOCUS : 0) |
                        (IsWindowEnabled(s->hwnd) ? 0 : ODS_DISABLED);
        dis.hwndItem = s->hwnd;
        dis.hDC = dc;
        dis.rcItem = r;
        dis.itemData = static_cast<ULONG_PTR>(s->model.At(index).data);
        HWND parent = GetParent(s->hwnd);
        if (parent) SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    FillSolid(dc, r, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text{r.left + 2, r.top, r.right, r.bottom};
    DrawText(dc, s->model.At(index).text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (selected && s->focused) DrawFocusRect(dc, &r);
}

void Paint(ListBoxState* s, HDC dc) {
    RECT client{};
    GetClientRect(s->hwnd, &client);
    HGDIOBJ oldFont = SelectObject(dc, s->font ? s->font : DefaultControlFont());
    int last = std::min(s->model.Count() - 1, s->model.Top() + s->model.RowsPerPage());
    int bottom = 0;
    for (int i = s->model.Top(); i <= last; ++i) {
        RECT r = s->model.ItemRect(i, std::max(client.right, s->horzExtent));
        if (r.top >= client.bottom) break;
        r = OffsetRect(r, -s->horzOffset, 0);
        PaintItem(s, dc, i, r);
        if (!IsWindow(s->hwnd)) return;
        bottom = r.bottom;
    }
    RECT rest{client.left, bottom, client.right, client.bottom};
    if (rest.bottom > rest.top) FillSolid(dc, rest, GetSysColor(COLOR_WINDOW));
    SelectObject(dc, oldFont);
}

LRESULT OnPaint(ListBoxState* s, HDC given) {
    if (given) {
        Paint(s, given);
        return 0;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(s->hwnd, &ps);
    if (dc) Paint(s, dc);
    EndPaint(s->hwnd, &ps);
    return 0;
}

// ---- input

int RowAt(ListBoxState* s, POINT pt) {
    if (s->model.Count() == 0) return -1;
    return s->model.ItemFromPoint(pt, ClientWidth(s), nullptr);
}

void OnButtonDown(ListBoxState* s, POINT pt) {
    if (GetFocus() != s->hwnd) SetFocus(s->hwnd);
    if (!IsWindow(s->hwnd)) return;
    s->tracking = true;
    SetCapture(s->hwnd);
    int row = RowAt(s, pt);
    if (row >= 0) Choose(s, row);
}

void OnMouseMove(ListBoxState* s, POINT pt) {
    if (!s->tracking) return;
    // Dragging past an edge scrolls by one row, as the Windows list box does.
    int row = RowAt(s, pt);
    if (row >= 0) Choose(s, row);
}

void OnButtonUp(ListBoxState* s) {
    if (!s->tracking) return;
    s->tracking = false;
    ReleaseCapture();
}

void OnDoubleClick(ListBoxState* s, POINT pt) {
    int row = RowAt(s, pt);
    if (row >= 0) Choose(s, row);
    if (IsWindow(s->hwnd) && (s->style & LBS_NOTIFY)) SendCommand(s->hwnd, LBN_DBLCLK);
}

void OnKeyDown(ListBoxState* s, WPARAM vk) {
    ListKey key;
    switch (vk) {
    case VK_UP: key = ListKey::Up; break;
    case VK_DOWN: key = ListKey::Down; break;
    case VK_HOME: key = ListKey::Home; break;
    case VK_END: key = ListKey::End; break;
    case VK_PRIOR: key = ListKey::PageUp; break;
    case VK_NEXT: key = ListKey::PageDown; break;
    case VK_LEFT:
    case VK_RIGHT: {
        int max = std::max(s->horzExtent - ClientWidth(s), 0);
        int offset = std::clamp(s->horzOffset + (vk == VK_LEFT ? -kHorzLineStep : kHorzLineStep), 0, max);
        if (offset != s->horzOffset) {
            s->horzOffset = offset;
            Changed(s);
        }
        return;
    }
    default: return;
    }
    Choose(s, s->model.KeyTarget(key));
}

// Typed characters search the rows by prefix; quick typing extends the prefix.
void OnChar(ListBoxState* s, char32_t c) {
    if (c < 0x20) return;
    DWORD now = GetTickCount();
    if (now - s->lastTyped > kTypeAheadMs) s->typed.clear();
    s->lastTyped = now;
    s->typed.push_back(c);
    // A longer prefix may still match the current row; a fresh letter moves past it.
    int start = s->typed.size() > 1 ? s->model.Current() - 1 : s->model.Current();
    if (start < -1) start = -1;
    int found = s->model.FindPrefix(start, EncodeUtf8(s->typed));
    if (found < 0 && s->typed.size() > 1) {
        s->typed.assign(1, c);
        found = s->model.FindPrefix(s->model.Current(), EncodeUtf8(s->typed));
    }
    if (found >= 0) Choose(s, found);
}

void OnVScroll(ListBoxState* s, WPARAM wParam) {
    ScrollState v = s->model.VertScroll();
    int top = std::clamp(ScrollTarget(wParam, v.pos, 1, s->model.RowsPerPage(), v), 0, s->model.MaxTop());
    if (top == s->model.Top()) return;
    s->model.SetTop(top);
    Changed(s);
}

void OnHScroll(ListBoxState* s, WPARAM wParam) {
    ScrollState h{0, std::max(s->horzExtent - 1, 0), ClientWidth(s), s->horzOffset};
    int max = std::max(s->horzExtent - ClientWidth(s), 0);
    int offset = std::clamp(ScrollTarget(wParam, h.pos, kHorzLineStep, ClientWidth(s), h), 0, max);
    if (offset == s->horzOffset) return;
    s->horzOffset = offset;
    Changed(s);
}

void OnMouseWheel(ListBoxState* s, WPARAM wParam) {
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    OnVScroll(s, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
}

void OnFocus(ListBoxState* s, bool focused) {
    s->focused = focused;
    if (s->style & LBS_NOTIFY) SendCommand(s->hwnd, focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
    if (IsWindow(s->hwnd)) InvalidateRect(s->hwnd, nullptr, TRUE);
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCT* cs) {
    auto* s = new ListBoxState;
    s->hwnd = hwnd;
    s->style = cs ? static_cast<DWORD>(cs->style) : 0;
    AttachState(hwnd, s);
    s->model.SetClientHeight(cs ? cs->cy : 0);
    MeasureItemHeight(s);
    return IsWindow(hwnd) ? 0 : -1;
}

void OnSize(ListBoxState* s) {
    RECT r{};
    GetClientRect(s->hwnd, &r);
    s->model.SetClientHeight(r.bottom);
    s->horzOffset = std::clamp(s->horzOffset, 0, std::max(s->horzExtent - r.right, 0));
    Changed(s);
}

} // namespace

LRESULT ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam));
    ListBoxState* s = State(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (msg) {
    case WM_DESTROY:
        AttachState<ListBoxState>(hwnd, nullptr);
        delete s;
        return 0;
    case WM_SIZE: OnSize(s); return 0;
    case WM_STYLECHANGED: s->style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)); return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (!(s->style & LBS_OWNERDRAWFIXED)) MeasureItemHeight(s);
        if (lParam) Changed(s);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_PAINT:
    case WM_PRINTCLIENT: return OnPaint(s, reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS: OnFocus(s, true); return 0;
    case WM_KILLFOCUS: OnFocus(s, false); return 0;
    case WM_GETDLGCODE: return kDlgcWantArrows | kDlgcWantChars;
    case WM_LBUTTONDOWN: OnButtonDown(s, PointFromLParam(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(s, PointFromLParam(lParam)); return 0;
    case WM_LBUTTONUP: OnButtonUp(s); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(s, PointFromLParam(lParam)); return 0;
    case WM_CAPTURECHANGED: s->tracking = false; return 0;
    case WM_KEYDOWN: OnKeyDown(s, wParam); return 0;
    case WM_CHAR: OnChar(s, static_cast<char32_t>(wParam)); return 0;
    case WM_VSCROLL: OnVScroll(s, wParam); return 0;
    case WM_HSCROLL: OnHScroll(s, wParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(s, wParam); return 0;

    case LB_ADDSTRING: return AddString(s, lParam, -1, true);
    case LB_INSERTSTRING: return AddString(s, lParam, index, false);
    case LB_DELETESTRING: return DeleteString(s, index);
    case LB_RESETCONTENT:
        s->model.Clear();
        Changed(s);
        return 0;
    case LB_GETCOUNT: return s->model.Count();
    case LB_GETTEXT: return GetText(s, index, reinterpret_cast<char*>(lParam));
    case LB_GETTEXTLEN:
        return s->model.Valid(index) ? static_cast<LRESULT>(s->model.At(index).text.size()) : LB_ERR;
    case LB_SETCURSEL: return SetCurSel(s, index);
    case LB_GETCURSEL: return s->model.Current();
    case LB_SETTOPINDEX: return SetTopIndex(s, index);
    case LB_GETTOPINDEX: return s->model.Top();
    case LB_SETITEMHEIGHT: return SetItemHeight(s, lParam);
    case LB_GETITEMHEIGHT: return s->model.ItemHeight();
    case LB_GETITEMRECT: return GetItemRect(s, index, reinterpret_cast<RECT*>(lParam));
    case LB_ITEMFROMPOINT: return ItemFromPoint(s, lParam);
    case LB_FINDSTRING:
        return s->model.FindPrefix(index, lParam ? reinterpret_cast<const char*>(lParam) : "");
    case LB_FINDSTRINGEXACT:
        return s->model.FindExact(index, lParam ? reinterpret_cast<const char*>(lParam) : "");
    case LB_SELECTSTRING: return SelectString(s, index, lParam);
    case LB_SETITEMDATA:
        if (!s->model.Valid(index)) return LB_ERR;
        s->model.At(index).data = lParam;
        return TRUE;
    case LB_GETITEMDATA: return s->model.Valid(index) ? s->model.At(index).data : LB_ERR;
    case LB_SETHORIZONTALEXTENT:
        s->horzExtent = std::max(index, 0);
        OnSize(s);
        return 0;
    case LB_GETHORIZONTALEXTENT: return s->horzExtent;
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterListBoxClass() { RegisterControlClass(WC_LISTBOX, ListBoxWndProc); }

} // namespace controls
