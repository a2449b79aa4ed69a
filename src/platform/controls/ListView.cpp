#include "platform/controls/ListView.h"

#include "platform/controls/ControlUtil.h"
#include "platform/controls/Header.h"
#include "platform/controls/ListViewModel.h"
#include "platform/gfx/DrawText.h"

#include <algorithm>
#include <cstring>

namespace controls {

namespace {

constexpr int kRowPadding = 2;
constexpr int kCellMargin = 6;
// The first column's label beside its small image keeps only this much room on each side, as on
// Windows: a narrow number column with an image list still shows two-digit row numbers.
constexpr int kLabelMargin = 2;
constexpr int kHorzLineStep = 8;
constexpr int kWheelLines = 3;

struct ListViewState {
    HWND hwnd = nullptr;
    HWND header = nullptr;
    DWORD exStyle = 0; // LVS_EX_ flags
    ListViewModel model;
    HFONT font = nullptr;
    HIMAGELIST smallImages = nullptr;
    HIMAGELIST normalImages = nullptr;
    COLORREF bkColor = 0;
    COLORREF textColor = 0;
    COLORREF textBkColor = CLR_NONE;
    bool focused = false;
    bool pressed = false;
};

ListViewState* State(HWND hwnd) { return StateOf<ListViewState>(hwnd); }

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)); }

void CopyText(const std::string& text, char* out, int size) {
    if (!out || size <= 0) return;
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

// ---- layout and scroll state

void PublishScrollState(ListViewState* s) {
    PublishScroll(s->hwnd, SB_VERT, s->model.VertScroll());
    PublishScroll(s->hwnd, SB_HORZ, s->model.HorzScroll());
}

void UpdateRowHeight(ListViewState* s) {
    int height = FontHeight(s->hwnd, s->font) + kRowPadding;
    int imageWidth = 0;
    if (s->smallImages) {
        height = std::max(height, s->smallImages->Height());
        imageWidth = s->smallImages->Width();
    }
    s->model.SetRowHeight(height);
    s->model.SetSmallImageWidth(imageWidth);
}

// Places the header over the top of the client, shifted left with the horizontal offset.
void LayoutHeader(ListViewState* s) {
    RECT client{};
    GetClientRect(s->hwnd, &client);
    int height = 0;
    if (s->header) {
        bool shown = !(Style(s->hwnd) & LVS_NOCOLUMNHEADER);
        ShowWindow(s->header, shown ? SW_SHOWNA : SW_HIDE);
        if (shown) {
            RECT r = client;
            WINDOWPOS pos{};
            HDLAYOUT layout{&r, &pos};
            SendMessage(s->header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
            height = pos.cy;
            int offset = s->model.HorzOffset();
            SetWindowPos(s->header, nullptr, pos.x - offset, pos.y, pos.cx + offset, pos.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    s->model.SetHeaderHeight(height);
    s->model.SetClientSize(client.right, client.bottom);
}

void Relayout(ListViewState* s) {
    LayoutHeader(s);
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
}

// Scrolls so that `top` is the first row and `offset` the horizontal pixel offset.
void ScrollTo(ListViewState* s, int top, int offset) {
    bool moved = s->model.SetTopIndex(top);
    bool hmoved = s->model.SetHorzOffset(offset);
    if (!moved && !hmoved) return;
    if (hmoved) LayoutHeader(s);
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
}

// ---- notifications

void NotifyItemChanges(ListViewState* s, const std::vector<ItemStateChange>& changes) {
    for (const auto& c : changes) {
        NMLISTVIEW nm;
        nm.iItem = c.item;
        nm.uNewState = c.newState;
        nm.uOldState = c.oldState;
        nm.uChanged = LVIF_STATE;
        nm.lParam = s->model.ValidItem(c.item) ? s->model.Row(c.item).lParam : 0;
        RECT r = s->model.ItemRect(c.item, LVIR_BOUNDS);
        InvalidateRect(s->hwnd, &r, TRUE);
        if (!IsWindow(s->hwnd)) return;
        SendNotify(s->hwnd, LVN_ITEMCHANGED, &nm.hdr);
        if (!IsWindow(s->hwnd)) return; // the handler may destroy the control
    }
}

void SendSimpleNotify(ListViewState* s, int code, int item, POINT pt) {
    NMITEMACTIVATE nm;
    nm.iItem = item;
    nm.ptAction = pt;
    SendNotify(s->hwnd, code, &nm.hdr);
}

// Makes `item` the only selected row and the focused one, then shows it.
void SelectAndFocus(ListViewState* s, int item) {
    if (!s->model.ValidItem(item)) return;
    auto changes = s->model.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (!(Style(s->hwnd) & LVS_SINGLESEL)) {
        // Plain clicks and keys select one row in a multiple-selection list too.
        auto others = s->model.SetItemState(-1, 0, LVIS_SELECTED);
        others.erase(std::remove_if(others.begin(), others.end(),
                                    [&](const ItemStateChange& c) { return c.item == item; }),
                     others.end());
        s->model.SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
        changes.insert(changes.begin(), others.begin(), others.end());
    }
    if (s->model.EnsureVisible(item, false)) {
        PublishScrollState(s);
        InvalidateRect(s->hwnd, nullptr, TRUE);
    }
    NotifyItemChanges(s, changes);
}

// ---- LVM_ handlers

HWND EnsureHeader(ListViewState* s);

LRESULT InsertColumn(ListViewState* s, int index, const LVCOLUMN* col) {
    if (!col) return -1;
    ListColumn c;
    if (col->mask & LVCF_TEXT && col->pszText) c.text = col->pszText;
    if (col->mask & LVCF_WIDTH) c.width = col->cx;
    if (col->mask & LVCF_FMT) c.fmt = col->fmt & LVCFMT_JUSTIFYMASK;
    c.subItem = (col->mask & LVCF_SUBITEM) ? col->iSubItem : index;
    int at = s->model.InsertColumn(index, c);
    if (!s->header) {
        EnsureHeader(s); // gives the header every column, this one included
    } else {
        HDITEM hd;
        hd.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        hd.pszText = const_cast<char*>(c.text.c_str());
        hd.cxy = c.width;
        hd.fmt = c.fmt | HDF_STRING;
        SendMessage(s->header, HDM_INSERTITEM, at, reinterpret_cast<LPARAM>(&hd));
    }
    Relayout(s);
    return at;
}

LRESULT SetColumn(ListViewState* s, int index, const LVCOLUMN* col) {
    if (!col || !s->model.ValidColumn(index)) return FALSE;
    ListColumn& c = s->model.Column(index);
    if (col->mask & LVCF_TEXT) c.text = col->pszText ? col->pszText : "";
    if (col->mask & LVCF_WIDTH) c.width = std::max(col->cx, 0);
    if (col->mask & LVCF_FMT) c.fmt = col->fmt & LVCFMT_JUSTIFYMASK;
    if (col->mask & LVCF_SUBITEM) c.subItem = col->iSubItem;
    if (s->header) {
        HDITEM hd;
        hd.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        hd.pszText = const_cast<char*>(c.text.c_str());
        hd.cxy = c.width;
        hd.fmt = c.fmt | HDF_STRING;
        SendMessage(s->header, HDM_SETITEM, index, reinterpret_cast<LPARAM>(&hd));
    }
    Relayout(s);
    return TRUE;
}

LRESULT GetColumn(ListViewState* s, int index, LVCOLUMN* col) {
    if (!col || !s->model.ValidColumn(index)) return FALSE;
    const ListColumn& c = s->model.Column(index);
    if (col->mask & LVCF_TEXT) CopyText(c.text, col->pszText, col->cchTextMax);
    if (col->mask & LVCF_WIDTH) col->cx = c.width;
    if (col->mask & LVCF_FMT) col->fmt = c.fmt;
    if (col->mask & LVCF_SUBITEM) col->iSubItem = c.subItem;
    return TRUE;
}

LRESULT DeleteColumn(ListViewState* s, int index) {
    if (!s->model.DeleteColumn(index)) return FALSE;
    if (s->header) SendMessage(s->header, HDM_DELETEITEM, index, 0);
    Relayout(s);
    return TRUE;
}

int AutoWidth(ListViewState* s, int column, bool useHeader) {
    HDC dc = GetDC(s->hwnd);
    HGDIOBJ old = SelectObject(dc, s->font ? s->font : DefaultControlFont());
    int width = useHeader ? TextWidth(dc, s->model.Column(column).text) + 2 * kCellMargin : 0;
    for (int i = 0; i < s->model.ItemCount(); ++i)
        width = std::max(width, TextWidth(dc, s->model.ItemText(i, s->model.Column(column).subItem)) +
                                    2 * kCellMargin);
    if (column == 0 && s->smallImages) width += s->smallImages->Width();
    SelectObject(dc, old);
    ReleaseDC(s->hwnd, dc);
    return width;
}

LRESULT SetColumnWidth(ListViewState* s, int index, int width) {
    if (!s->model.ValidColumn(index)) return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
        width = AutoWidth(s, index, width == LVSCW_AUTOSIZE_USEHEADER);
    LVCOLUMN col;
    col.mask = LVCF_WIDTH;
    col.cx = width;
    return SetColumn(s, index, &col);
}

LRESULT InsertItem(ListViewState* s, const LVITEM* item) {
    if (!item || item->iSubItem != 0) return -1;
    int at = s->model.InsertItem(item->iItem, (item->mask & LVIF_TEXT && item->pszText) ? item->pszText : "");
    ListRow& row = s->model.Row(at);
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.lParam = item->lParam;
    // Rows below the new one keep their state; the insert itself moves them down one place.
    if (item->mask & LVIF_STATE) s->model.SetItemState(at, item->state, item->stateMask);
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    NMLISTVIEW nm;
    nm.iItem = at;
    SendNotify(s->hwnd, LVN_INSERTITEM, &nm.hdr);
    return at;
}

LRESULT SetItem(ListViewState* s, const LVITEM* item) {
    if (!item || !s->model.ValidItem(item->iItem)) return FALSE;
    if (item->mask & LVIF_TEXT)
        s->model.SetItemText(item->iItem, item->iSubItem, item->pszText ? item->pszText : "");
    if (item->iSubItem == 0) {
        ListRow& row = s->model.Row(item->iItem);
        if (item->mask & LVIF_IMAGE) row.image = item->iImage;
        if (item->mask & LVIF_PARAM) row.lParam = item->lParam;
        if (item->mask & LVIF_STATE)
            NotifyItemChanges(s, s->model.SetItemState(item->iItem, item->state, item->stateMask));
    }
    RECT r = s->model.ItemRect(item->iItem, LVIR_BOUNDS);
    InvalidateRect(s->hwnd, &r, TRUE);
    return TRUE;
}

LRESULT GetItem(ListViewState* s, LVITEM* item) {
    if (!item || !s->model.ValidItem(item->iItem)) return FALSE;
    const ListRow& row = s->model.Row(item->iItem);
    if (item->mask & LVIF_TEXT)
        CopyText(s->model.ItemText(item->iItem, item->iSubItem), item->pszText, item->cchTextMax);
    if (item->mask & LVIF_IMAGE) item->iImage = row.image;
    if (item->mask & LVIF_PARAM) item->lParam = row.lParam;
    if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
    return TRUE;
}

LRESULT GetItemText(ListViewState* s, int index, LVITEM* item) {
    if (!item) return 0;
    std::string text = s->model.ItemText(index, item->iSubItem);
    CopyText(text, item->pszText, item->cchTextMax);
    return item->pszText && item->cchTextMax > 0 ? static_cast<LRESULT>(std::strlen(item->pszText)) : 0;
}

LRESULT DeleteItem(ListViewState* s, int index) {
    if (!s->model.ValidItem(index)) return FALSE;
    NMLISTVIEW nm;
    nm.iItem = index;
    nm.lParam = s->model.Row(index).lParam;
    SendNotify(s->hwnd, LVN_DELETEITEM, &nm.hdr);
    if (!IsWindow(s->hwnd)) return TRUE;
    s->model.DeleteItem(index);
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT DeleteAllItems(ListViewState* s) {
    NMLISTVIEW nm;
    nm.iItem = -1;
    // A non-zero answer asks for no per-item LVN_DELETEITEM, as on Windows.
    bool perItem = SendNotify(s->hwnd, LVN_DELETEALLITEMS, &nm.hdr) == 0;
    if (!IsWindow(s->hwnd)) return TRUE;
    for (int i = 0; perItem && i < s->model.ItemCount(); ++i) {
        NMLISTVIEW one;
        one.iItem = i;
        one.lParam = s->model.Row(i).lParam;
        SendNotify(s->hwnd, LVN_DELETEITEM, &one.hdr);
        if (!IsWindow(s->hwnd)) return TRUE;
    }
    s->model.DeleteAllItems();
    s->model.SetHorzOffset(s->model.HorzOffset());
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT SetItemState(ListViewState* s, int index, const LVITEM* item) {
    if (!item || (index != -1 && !s->model.ValidItem(index))) return FALSE;
    NotifyItemChanges(s, s->model.SetItemState(index, item->state, item->stateMask));
    return TRUE;
}

LRESULT GetItemRect(ListViewState* s, int index, RECT* r) {
    if (!r || !s->model.ValidItem(index)) return FALSE;
    *r = s->model.ItemRect(index, r->left);
    return TRUE;
}

LRESULT HitTest(ListViewState* s, LVHITTESTINFO* info) {
    if (!info) return -1;
    LVHITTESTINFO hit = s->model.HitTest(info->pt);
    info->flags = hit.flags;
    info->iItem = hit.iItem;
    info->iSubItem = hit.iSubItem;
    return hit.iItem;
}

LRESULT Scroll(ListViewState* s, int dx, int dy) {
    int rowHeight = s->model.RowHeight();
    // Partial rows round away from zero so a small request still moves.
    int rows = dy > 0 ? (dy + rowHeight - 1) / rowHeight : -((-dy + rowHeight - 1) / rowHeight);
    ScrollTo(s, s->model.TopIndex() + rows, s->model.HorzOffset() + dx);
    return TRUE;
}

LRESULT SetImageList(ListViewState* s, int which, HIMAGELIST list) {
    HIMAGELIST old = nullptr;
    if (which == LVSIL_SMALL) {
        old = s->smallImages;
        s->smallImages = list;
        UpdateRowHeight(s);
        Relayout(s);
    } else if (which == LVSIL_NORMAL) {
        old = s->normalImages;
        s->normalImages = list;
    }
    return reinterpret_cast<LRESULT>(old);
}

// ---- painting

void PaintRow(ListViewState* s, HDC dc, int index) {
    const ListRow& row = s->model.Row(index);
    RECT bounds = s->model.ItemRect(index, LVIR_BOUNDS);
    bool selected = row.state & LVIS_SELECTED;
    bool showSel = selected && (s->focused || (Style(s->hwnd) & LVS_SHOWSELALWAYS));
    bool fullRow = s->exStyle & LVS_EX_FULLROWSELECT;
    COLORREF selBk = GetSysColor(s->focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    COLORREF selText = GetSysColor(s->focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    if (s->textBkColor != CLR_NONE) FillSolid(dc, bounds, s->textBkColor);
    if (showSel) {
        RECT sel = fullRow ? bounds : s->model.ItemRect(index, LVIR_LABEL);
        FillSolid(dc, sel, selBk);
    }
    SetBkMode(dc, TRANSPARENT);
    for (int c = 0; c < s->model.ColumnCount(); ++c) {
        RECT cell = s->model.SubItemRect(index, c);
        if (cell.right <= cell.left) continue;
        if (c == 0 && s->smallImages) {
            int iy = cell.top + (cell.bottom - cell.top - s->smallImages->Height()) / 2;
            if (row.image >= 0) ImageList_Draw(s->smallImages, row.image, dc, cell.left, iy, ILD_NORMAL);
            cell.left += s->smallImages->Width();
        }
        bool inSelection = showSel && (fullRow || c == 0);
        SetTextColor(dc, inSelection ? selText : s->textColor);
        int margin = c == 0 && s->smallImages ? kLabelMargin : kCellMargin;
        RECT text{cell.left + margin, cell.top, cell.right - margin, cell.bottom};
        const ListColumn& col = s->model.Column(c);
        UINT align = col.fmt == LVCFMT_RIGHT ? DT_RIGHT : col.fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
        std::string value = s->model.ItemText(index, col.subItem);
        DrawText(dc, value.c_str(), -1, &text,
                 align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (s->focused && (row.state & LVIS_FOCUSED)) {
        RECT focus = fullRow ? bounds : s->model.ItemRect(index, LVIR_LABEL);
        DrawFocusRect(dc, &focus);
    }
}

void PaintGrid(ListViewState* s, HDC dc, const RECT& client) {
    COLORREF grid = GetSysColor(COLOR_BTNFACE);
    int top = s->model.HeaderHeight();
    int right = -s->model.HorzOffset() + s->model.TotalColumnWidth();
    // Row lines continue below the last row, as on Windows, so the grid fills the list.
    for (int y = top + s->model.RowHeight() - 1; y < client.bottom; y += s->model.RowHeight())
        DrawHLine(dc, client.left, std::min(right, client.right), y, grid);
    for (int c = 0; c < s->model.ColumnCount(); ++c) {
        int x = -s->model.HorzOffset() + s->model.ColumnLeft(c) + s->model.Column(c).width - 1;
        if (x >= client.left && x < client.right) DrawVLine(dc, x, top, client.bottom, grid);
    }
}

void Paint(ListViewState* s, HDC dc, const RECT& update) {
    RECT client{};
    GetClientRect(s->hwnd, &client);
    FillSolid(dc, update, s->bkColor);
    HGDIOBJ oldFont = SelectObject(dc, s->font ? s->font : DefaultControlFont());
    int first = s->model.TopIndex();
    int last = std::min(s->model.ItemCount() - 1, first + s->model.CountPerPage());
    for (int i = first; i <= last; ++i) {
        RECT r = s->model.ItemRect(i, LVIR_BOUNDS);
        if (r.top >= update.bottom || r.bottom <= update.top) continue;
        PaintRow(s, dc, i);
    }
    if (s->exStyle & LVS_EX_GRIDLINES) PaintGrid(s, dc, client);
    SelectObject(dc, oldFont);
}

LRESULT OnPaint(ListViewState* s, HDC given) {
    if (given) {
        RECT client{};
        GetClientRect(s->hwnd, &client);
        Paint(s, given, client);
        return 0;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(s->hwnd, &ps);
    if (dc) Paint(s, dc, ps.rcPaint);
    EndPaint(s->hwnd, &ps);
    return 0;
}

// ---- input

void OnButtonDown(ListViewState* s, POINT pt, bool doubleClick) {
    if (GetFocus() != s->hwnd) SetFocus(s->hwnd);
    if (!IsWindow(s->hwnd)) return;
    LVHITTESTINFO hit = s->model.HitTest(pt);
    bool fullRow = s->exStyle & LVS_EX_FULLROWSELECT;
    int item = (hit.iItem >= 0 && (fullRow || hit.iSubItem == 0)) ? hit.iItem : -1;
    if (item >= 0) SelectAndFocus(s, item);
    else NotifyItemChanges(s, s->model.SetItemState(-1, 0, LVIS_SELECTED));
    if (!IsWindow(s->hwnd)) return;
    if (doubleClick) {
        SendSimpleNotify(s, NM_DBLCLK, item, pt);
        return;
    }
    s->pressed = true;
    SetCapture(s->hwnd);
}

void OnButtonUp(ListViewState* s, POINT pt) {
    if (!s->pressed) return;
    s->pressed = false;
    ReleaseCapture();
    LVHITTESTINFO hit = s->model.HitTest(pt);
    SendSimpleNotify(s, NM_CLICK, hit.iItem, pt);
}

bool KeyFor(WPARAM vk, ListKey* key) {
    switch (vk) {
    case VK_UP: *key = ListKey::Up; return true;
    case VK_DOWN: *key = ListKey::Down; return true;
    case VK_HOME: *key = ListKey::Home; return true;
    case VK_END: *key = ListKey::End; return true;
    case VK_PRIOR: *key = ListKey::PageUp; return true;
    case VK_NEXT: *key = ListKey::PageDown; return true;
    default: return false;
    }
}

void OnKeyDown(ListViewState* s, WPARAM vk) {
    NMLVKEYDOWN nm;
    nm.wVKey = static_cast<WORD>(vk);
    SendNotify(s->hwnd, LVN_KEYDOWN, &nm.hdr);
    if (!IsWindow(s->hwnd)) return;
    ListKey key;
    if (KeyFor(vk, &key)) {
        int target = s->model.KeyTarget(key);
        if (target >= 0) SelectAndFocus(s, target);
        return;
    }
    if (vk == VK_LEFT || vk == VK_RIGHT)
        ScrollTo(s, s->model.TopIndex(),
                 s->model.HorzOffset() + (vk == VK_LEFT ? -kHorzLineStep : kHorzLineStep));
    else if (vk == VK_RETURN) SendSimpleNotify(s, NM_RETURN, s->model.FocusedItem(), {});
}

void OnVScroll(ListViewState* s, WPARAM wParam) {
    ScrollState v = s->model.VertScroll();
    int top = ScrollTarget(wParam, v.pos, 1, s->model.CountPerPage(), v);
    ScrollTo(s, top, s->model.HorzOffset());
}

void OnHScroll(ListViewState* s, WPARAM wParam) {
    ScrollState h = s->model.HorzScroll();
    int offset = ScrollTarget(wParam, h.pos, kHorzLineStep, s->model.ClientWidth(), h);
    ScrollTo(s, s->model.TopIndex(), offset);
}

void OnMouseWheel(ListViewState* s, WPARAM wParam) {
    int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    if (notches == 0) notches = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1;
    ScrollTo(s, s->model.TopIndex() - notches * kWheelLines, s->model.HorzOffset());
}

void OnFocus(ListViewState* s, bool focused) {
    s->focused = focused;
    NMHDR nm;
    SendNotify(s->hwnd, focused ? NM_SETFOCUS : NM_KILLFOCUS, &nm);
    if (IsWindow(s->hwnd)) InvalidateRect(s->hwnd, nullptr, TRUE);
}

// The header's notifications arrive here as its parent.
LRESULT OnNotify(ListViewState* s, NMHDR* hdr) {
    if (!hdr || hdr->hwndFrom != s->header) return 0;
    auto* nm = reinterpret_cast<NMHEADER*>(hdr);
    switch (static_cast<int>(hdr->code)) {
    case HDN_ITEMCHANGED:
        if (nm->pitem && (nm->pitem->mask & HDI_WIDTH) && s->model.ValidColumn(nm->iItem)) {
            s->model.Column(nm->iItem).width = std::max(nm->pitem->cxy, 0);
            s->model.SetHorzOffset(s->model.HorzOffset());
            PublishScrollState(s);
            InvalidateRect(s->hwnd, nullptr, TRUE);
        }
        break;
    case HDN_ITEMCLICK: {
        NMLISTVIEW lv;
        lv.iItem = -1;
        lv.iSubItem = nm->iItem;
        SendNotify(s->hwnd, LVN_COLUMNCLICK, &lv.hdr);
        break;
    }
    case HDN_DIVIDERDBLCLICK:
        if (s->model.ValidColumn(nm->iItem)) SetColumnWidth(s, nm->iItem, LVSCW_AUTOSIZE_USEHEADER);
        break;
    default: break;
    }
    // Tracking notifications go on to the list view's parent as well, so it may refuse them.
    if (static_cast<int>(hdr->code) == HDN_BEGINTRACK || static_cast<int>(hdr->code) == HDN_TRACK) {
        HWND parent = GetParent(s->hwnd);
        if (parent) return SendMessage(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
    }
    return 0;
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCT* cs) {
    auto* s = new ListViewState;
    s->hwnd = hwnd;
    s->bkColor = GetSysColor(COLOR_WINDOW);
    s->textColor = GetSysColor(COLOR_WINDOWTEXT);
    s->model.SetSingleSelection(cs && (cs->style & LVS_SINGLESEL));
    AttachState(hwnd, s);
    UpdateRowHeight(s);
    LayoutHeader(s);
    PublishScrollState(s);
    return 0;
}

// The header is made on first need (a column, a query for it, the first paint) rather than in
// WM_CREATE: by then a wrapping framework has subclassed the list view, so the WM_PARENTNOTIFY
// of the header's creation reaches it and a skinned list view can take the header over.
HWND EnsureHeader(ListViewState* s) {
    if (s->header) return s->header;
    RegisterHeaderClass();
    DWORD headerStyle = WS_CHILD | HDS_HORZ | HDS_BUTTONS;
    if (!(Style(s->hwnd) & LVS_NOCOLUMNHEADER)) headerStyle |= WS_VISIBLE;
    RECT client{};
    GetClientRect(s->hwnd, &client);
    HWND hwnd = s->hwnd;
    HWND header = CreateWindowEx(0, WC_HEADER, "", headerStyle, 0, 0, client.right,
                                 HeaderHeightFor(hwnd, s->font), hwnd, nullptr, nullptr, nullptr);
    if (!IsWindow(hwnd) || !header) return nullptr;
    s->header = header;
    if (s->font) SendMessage(header, WM_SETFONT, reinterpret_cast<WPARAM>(s->font), FALSE);
    // Columns inserted before the header existed get their sections now.
    for (int i = 0; i < s->model.ColumnCount(); ++i) {
        const ListColumn& c = s->model.Column(i);
        HDITEM hd;
        hd.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        hd.pszText = const_cast<char*>(c.text.c_str());
        hd.cxy = c.width;
        hd.fmt = c.fmt | HDF_STRING;
        SendMessage(header, HDM_INSERTITEM, i, reinterpret_cast<LPARAM>(&hd));
    }
    Relayout(s);
    return header;
}

void OnDestroy(HWND hwnd) {
    ListViewState* s = State(hwnd);
    AttachState<ListViewState>(hwnd, nullptr);
    delete s; // image lists are borrowed; the header dies with its parent
}

LRESULT OnSetFont(ListViewState* s, WPARAM wParam, LPARAM lParam) {
    s->font = reinterpret_cast<HFONT>(wParam);
    if (s->header) SendMessage(s->header, WM_SETFONT, wParam, lParam);
    UpdateRowHeight(s);
    LayoutHeader(s);
    PublishScrollState(s);
    if (lParam) InvalidateRect(s->hwnd, nullptr, TRUE);
    return 0;
}

LRESULT SetExtendedStyle(ListViewState* s, WPARAM mask, LPARAM style) {
    DWORD old = s->exStyle;
    DWORD m = mask ? static_cast<DWORD>(mask) : 0xFFFFFFFF;
    s->exStyle = (old & ~m) | (static_cast<DWORD>(style) & m);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return old;
}

LRESULT SetColor(ListViewState* s, COLORREF* slot, LPARAM color) {
    *slot = static_cast<COLORREF>(color);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT RedrawItems(ListViewState* s, int first, int last) {
    RECT a = s->model.ItemRect(first, LVIR_BOUNDS), b = s->model.ItemRect(last, LVIR_BOUNDS);
    RECT r{0, std::min(a.top, b.top), s->model.ClientWidth(), std::max(a.bottom, b.bottom)};
    InvalidateRect(s->hwnd, &r, TRUE);
    return TRUE;
}

} // namespace

LRESULT ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam));
    ListViewState* s = State(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* item = reinterpret_cast<LVITEM*>(lParam);
    int index = static_cast<int>(wParam);
    switch (msg) {
    case WM_DESTROY: OnDestroy(hwnd); return 0;
    case WM_SIZE:
    case WM_STYLECHANGED: Relayout(s); return 0;
    case WM_SETFONT: return OnSetFont(s, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_PAINT:
    case WM_PRINTCLIENT: EnsureHeader(s); return OnPaint(s, reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND: return 1; // WM_PAINT fills the background
    case WM_SETFOCUS: OnFocus(s, true); return 0;
    case WM_KILLFOCUS: OnFocus(s, false); return 0;
    case WM_GETDLGCODE: return kDlgcWantArrows | kDlgcWantChars;
    case WM_LBUTTONDOWN: OnButtonDown(s, PointFromLParam(lParam), false); return 0;
    case WM_LBUTTONDBLCLK: OnButtonDown(s, PointFromLParam(lParam), true); return 0;
    case WM_LBUTTONUP: OnButtonUp(s, PointFromLParam(lParam)); return 0;
    case WM_CAPTURECHANGED: s->pressed = false; return 0;
    case WM_KEYDOWN: OnKeyDown(s, wParam); return 0;
    case WM_VSCROLL: OnVScroll(s, wParam); return 0;
    case WM_HSCROLL: OnHScroll(s, wParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(s, wParam); return 0;
    case WM_NOTIFY: return OnNotify(s, reinterpret_cast<NMHDR*>(lParam));

    case LVM_GETBKCOLOR: return s->bkColor;
    case LVM_SETBKCOLOR: return SetColor(s, &s->bkColor, lParam);
    case LVM_GETTEXTCOLOR: return s->textColor;
    case LVM_SETTEXTCOLOR: return SetColor(s, &s->textColor, lParam);
    case LVM_GETTEXTBKCOLOR: return s->textBkColor;
    case LVM_SETTEXTBKCOLOR: return SetColor(s, &s->textBkColor, lParam);
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(index == LVSIL_SMALL    ? s->smallImages
                                         : index == LVSIL_NORMAL ? s->normalImages
                                                                 : nullptr);
    case LVM_SETIMAGELIST: return SetImageList(s, index, reinterpret_cast<HIMAGELIST>(lParam));
    case LVM_GETITEMCOUNT: return s->model.ItemCount();
    case LVM_GETITEM: return GetItem(s, item);
    case LVM_SETITEM: return SetItem(s, item);
    case LVM_INSERTITEM: return InsertItem(s, item);
    case LVM_DELETEITEM: return DeleteItem(s, index);
    case LVM_DELETEALLITEMS: return DeleteAllItems(s);
    case LVM_GETNEXTITEM: return s->model.NextItem(index, static_cast<UINT>(LOWORD(lParam)));
    case LVM_GETITEMRECT: return GetItemRect(s, index, reinterpret_cast<RECT*>(lParam));
    case LVM_HITTEST: return HitTest(s, reinterpret_cast<LVHITTESTINFO*>(lParam));
    case LVM_ENSUREVISIBLE:
        if (s->model.EnsureVisible(index, lParam != 0)) Relayout(s);
        return s->model.ValidItem(index);
    case LVM_SCROLL:
        return Scroll(s, static_cast<int>(static_cast<std::intptr_t>(wParam)), static_cast<int>(lParam));
    case LVM_REDRAWITEMS: return RedrawItems(s, index, static_cast<int>(lParam));
    case LVM_GETCOLUMN: return GetColumn(s, index, reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN: return SetColumn(s, index, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_INSERTCOLUMN: return InsertColumn(s, index, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN: return DeleteColumn(s, index);
    case LVM_GETCOLUMNWIDTH: return s->model.ValidColumn(index) ? s->model.Column(index).width : 0;
    case LVM_SETCOLUMNWIDTH:
        return SetColumnWidth(s, index, static_cast<std::int16_t>(LOWORD(static_cast<DWORD>(lParam))));
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(EnsureHeader(s));
    case LVM_GETTOPINDEX: return s->model.TopIndex();
    case LVM_GETCOUNTPERPAGE: return s->model.CountPerPage();
    case LVM_SETITEMSTATE: return SetItemState(s, index, item);
    case LVM_GETITEMSTATE: return s->model.ItemState(index, static_cast<UINT>(lParam));
    case LVM_GETITEMTEXT: return GetItemText(s, index, item);
    case LVM_SETITEMTEXT:
        if (!item) return FALSE;
        {
            LVITEM copy = *item;
            copy.iItem = index;
            copy.mask = LVIF_TEXT;
            return SetItem(s, &copy);
        }
    case LVM_GETSELECTEDCOUNT: return s->model.SelectedCount();
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return SetExtendedStyle(s, wParam, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return s->exStyle;
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterListViewClass() {
    RegisterControlClass(WC_LISTVIEW, ListViewWndProc);
    RegisterHeaderClass();
}

} // namespace controls
