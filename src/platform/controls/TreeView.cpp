#include "platform/controls/TreeView.h"

#include "platform/controls/ControlUtil.h"
#include "platform/controls/Edit.h"
#include "platform/controls/TreeModel.h"
#include "platform/gfx/DrawText.h"

#include <algorithm>
#include <cstring>

namespace controls {

namespace {

constexpr int kDefaultIndent = 19;
constexpr int kButtonSize = 9;
constexpr int kLabelPadding = 2;
constexpr int kHorzLineStep = 8;
constexpr int kWheelLines = 3;

struct TreeState {
    HWND hwnd = nullptr;
    DWORD style = 0;
    TreeModel model;
    HFONT font = nullptr;
    HIMAGELIST images = nullptr;
    HIMAGELIST stateImages = nullptr;
    COLORREF bkColor = CLR_NONE; // CLR_NONE: the system window colour
    COLORREF textColor = CLR_NONE;
    int indent = kDefaultIndent;
    int itemHeight = 16;
    bool customHeight = false;
    int xOffset = 0;
    bool focused = false;
    HWND edit = nullptr;
    TreeNode* editItem = nullptr;
    // WM_SETREDRAW FALSE: changes are only noted (no scroll state, no painting) until redrawing
    // is switched on again, so that loading many items costs one layout instead of one each.
    bool redraw = true;
    bool changedWhileFrozen = false;
};

TreeState* State(HWND hwnd) { return StateOf<TreeState>(hwnd); }

RECT Client(TreeState* s) {
    RECT r{};
    GetClientRect(s->hwnd, &r);
    return r;
}

int RowsPerPage(TreeState* s) { return std::max(Client(s).bottom / std::max(s->itemHeight, 1), 1); }

void CopyText(const std::string& text, char* out, int size) {
    if (!out || size <= 0) return;
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

void FillItem(const TreeNode* n, TVITEM& item) {
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    item.hItem = const_cast<TreeNode*>(n);
    if (!n) return;
    item.state = n->state;
    item.stateMask = 0xFFFF;
    item.lParam = n->lParam;
    item.iImage = n->image;
    item.iSelectedImage = n->selectedImage;
    item.cChildren = TreeModel::HasChildren(n) ? 1 : 0;
}

// ---- geometry

int ImageWidth(TreeState* s) { return s->images ? s->images->Width() + 3 : 0; }

// x where a node's image (or label, without images) starts, in client coordinates.
int ContentLeft(TreeState* s, const TreeNode* n) {
    bool rootLines = s->style & (TVS_LINESATROOT);
    int level = s->model.Level(n) + (rootLines ? 1 : 0);
    return level * s->indent - s->xOffset + 2;
}

int LabelWidth(HDC dc, const TreeNode* n) { return TextWidth(dc, n->text) + 2 * kLabelPadding; }

class FontDC {
public:
    explicit FontDC(TreeState* s) : hwnd_(s->hwnd), dc_(GetDC(s->hwnd)) {
        if (dc_) old_ = SelectObject(dc_, s->font ? s->font : DefaultControlFont());
    }
    ~FontDC() {
        if (!dc_) return;
        SelectObject(dc_, old_);
        ReleaseDC(hwnd_, dc_);
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

RECT LabelRect(TreeState* s, HDC dc, const TreeNode* n, int row) {
    int left = ContentLeft(s, n) + ImageWidth(s);
    int top = (row - s->model.TopRow()) * s->itemHeight;
    return {left, top, left + LabelWidth(dc, n), top + s->itemHeight};
}

int ContentWidth(TreeState* s) {
    FontDC f(s);
    int width = 0;
    const auto& rows = s->model.VisibleRows();
    for (size_t i = 0; i < rows.size(); ++i)
        width = std::max(width, LabelRect(s, f.dc(), rows[i], static_cast<int>(i)).right + s->xOffset);
    return width;
}

void PublishScrollState(TreeState* s) {
    int count = static_cast<int>(s->model.VisibleRows().size());
    PublishScroll(s->hwnd, SB_VERT, {0, std::max(count - 1, 0), RowsPerPage(s), s->model.TopRow()});
    PublishScroll(s->hwnd, SB_HORZ, {0, std::max(ContentWidth(s) - 1, 0), Client(s).right, s->xOffset});
}

void Changed(TreeState* s) {
    if (!s->redraw) {
        s->changedWhileFrozen = true;
        return;
    }
    // Rows may have gone: keep the first row in range before publishing.
    s->model.SetTopRow(s->model.TopRow(), RowsPerPage(s));
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
}

void UpdateItemHeight(TreeState* s) {
    if (s->customHeight) return;
    int height = FontHeight(s->hwnd, s->font) + 3;
    if (s->images) height = std::max(height, s->images->Height());
    s->itemHeight = height;
}

// ---- notifications

ExpandHooks Hooks(TreeState* s) {
    ExpandHooks hooks;
    hooks.expanding = [s](TreeNode* n, UINT action) {
        NMTREEVIEW nm;
        nm.action = action;
        FillItem(n, nm.itemNew);
        return SendNotify(s->hwnd, TVN_ITEMEXPANDING, &nm.hdr) != 0;
    };
    hooks.expanded = [s](TreeNode* n, UINT action) {
        NMTREEVIEW nm;
        nm.action = action;
        FillItem(n, nm.itemNew);
        SendNotify(s->hwnd, TVN_ITEMEXPANDED, &nm.hdr);
    };
    return hooks;
}

bool Expand(TreeState* s, TreeNode* n, UINT code, bool byUser) {
    HWND hwnd = s->hwnd;
    bool done = s->model.Expand(n, code, byUser, Hooks(s));
    if (!IsWindow(hwnd)) return done;
    Changed(s);
    return done;
}

void EnsureVisible(TreeState* s, TreeNode* n) {
    HWND hwnd = s->hwnd;
    s->model.EnsureVisible(n, RowsPerPage(s), Hooks(s));
    if (IsWindow(hwnd)) Changed(s);
}

// Moves the caret with the TVN_SELCHANGING / TVN_SELCHANGED pair; false when refused.
bool Select(TreeState* s, TreeNode* n, UINT cause) {
    TreeNode* old = s->model.Caret();
    if (old == n) {
        if (n) EnsureVisible(s, n);
        return true;
    }
    NMTREEVIEW nm;
    nm.action = cause;
    FillItem(old, nm.itemOld);
    FillItem(n, nm.itemNew);
    HWND hwnd = s->hwnd;
    if (SendNotify(hwnd, TVN_SELCHANGING, &nm.hdr) != 0) return false;
    if (!IsWindow(hwnd) || (n && !s->model.Valid(n))) return false;
    s->model.SetCaret(n);
    if (n) EnsureVisible(s, n);
    if (!IsWindow(hwnd)) return true;
    Changed(s);
    FillItem(old && s->model.Valid(old) ? old : nullptr, nm.itemOld);
    FillItem(n, nm.itemNew);
    SendNotify(hwnd, TVN_SELCHANGED, &nm.hdr);
    return true;
}

// ---- label editing

void EndEdit(TreeState* s, bool cancel);

// The label edit is always of our own edit class, so its procedure is known even after the
// tree has forgotten the edit (its WM_DESTROY must still reach the edit to free it).
LRESULT EditSubclassProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND tree = GetParent(edit);
    TreeState* s = tree ? State(tree) : nullptr;
    if (!s || s->edit != edit) return EditWndProc(edit, msg, wParam, lParam);
    switch (msg) {
    case WM_GETDLGCODE: return kDlgcWantAllKeys | EditWndProc(edit, msg, wParam, lParam);
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27) {
            EndEdit(s, wParam == 27);
            return 0;
        }
        break;
    case WM_KILLFOCUS: {
        LRESULT r = EditWndProc(edit, msg, wParam, lParam);
        EndEdit(s, false);
        return r;
    }
    default: break;
    }
    return EditWndProc(edit, msg, wParam, lParam);
}

HWND BeginEdit(TreeState* s, TreeNode* n) {
    if (!s->model.Valid(n)) return nullptr;
    if (s->edit) EndEdit(s, false);
    NMTVDISPINFO info;
    FillItem(n, info.item);
    info.item.mask |= TVIF_TEXT;
    info.item.pszText = const_cast<char*>(n->text.c_str());
    HWND hwnd = s->hwnd;
    if (SendNotify(hwnd, TVN_BEGINLABELEDIT, &info.hdr) != 0 || !IsWindow(hwnd) || !s->model.Valid(n))
        return nullptr;
    EnsureVisible(s, n);
    RECT r;
    {
        FontDC f(s);
        r = LabelRect(s, f.dc(), n, s->model.VisibleIndex(n));
    }
    RegisterEditClass();
    int width = std::max(r.right - r.left + 40, 60);
    HWND edit = CreateWindowEx(0, WC_EDIT, n->text.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left - 2, r.top, width,
                               r.bottom - r.top, hwnd, nullptr, nullptr, nullptr);
    if (!edit) return nullptr;
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(s->font), FALSE);
    s->edit = edit;
    s->editItem = n;
    SetWindowLongPtr(edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&EditSubclassProc));
    SendMessage(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return edit;
}

void EndEdit(TreeState* s, bool cancel) {
    HWND edit = s->edit;
    if (!edit) return;
    TreeNode* n = s->editItem;
    // Forget the edit first: the notification or the destruction below re-enter through
    // WM_KILLFOCUS, and a second end must do nothing.
    s->edit = nullptr;
    s->editItem = nullptr;
    std::string text;
    int len = static_cast<int>(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0));
    text.resize(static_cast<size_t>(len) + 1);
    SendMessage(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    HWND hwnd = s->hwnd;
    if (s->model.Valid(n)) {
        NMTVDISPINFO info;
        FillItem(n, info.item);
        info.item.mask |= TVIF_TEXT;
        info.item.pszText = cancel ? nullptr : text.data();
        info.item.cchTextMax = static_cast<int>(text.size()) + 1;
        bool accept = SendNotify(hwnd, TVN_ENDLABELEDIT, &info.hdr) != 0;
        if (IsWindow(hwnd) && accept && !cancel && s->model.Valid(n)) n->text = text;
    }
    if (IsWindow(edit)) DestroyWindow(edit);
    if (IsWindow(hwnd)) {
        Changed(s);
        if (GetFocus() == nullptr) SetFocus(hwnd);
    }
}

// ---- TVM_ handlers

LRESULT InsertItem(TreeState* s, const TVINSERTSTRUCT* ins) {
    if (!ins) return 0;
    TreeNode* n = s->model.Insert(ins->hParent, ins->hInsertAfter, ins->item);
    if (n) Changed(s);
    return reinterpret_cast<LRESULT>(n);
}

LRESULT DeleteItem(TreeState* s, HTREEITEM item) {
    if (item && item != TVI_ROOT && !s->model.Valid(item)) return FALSE;
    if (s->edit && s->editItem) EndEdit(s, true);
    TreeNode* caret = s->model.Caret();
    HWND hwnd = s->hwnd;
    std::vector<NMTREEVIEW> deleted;
    s->model.Delete(item, [&](TreeNode* n) {
        NMTREEVIEW nm;
        FillItem(n, nm.itemOld);
        deleted.push_back(nm);
    });
    // The parent hears of each deleted item after the tree is consistent again.
    for (auto& nm : deleted) {
        SendNotify(hwnd, TVN_DELETEITEM, &nm.hdr);
        if (!IsWindow(hwnd)) return TRUE;
    }
    if (s->model.Caret() != caret) {
        NMTREEVIEW nm;
        nm.action = TVC_UNKNOWN;
        FillItem(s->model.Caret(), nm.itemNew);
        SendNotify(hwnd, TVN_SELCHANGED, &nm.hdr);
        if (!IsWindow(hwnd)) return TRUE;
    }
    Changed(s);
    return TRUE;
}

LRESULT GetItem(TreeState* s, TVITEM* item) {
    if (!item || !s->model.Valid(item->hItem)) return FALSE;
    const TreeNode* n = item->hItem;
    if (item->mask & TVIF_TEXT) CopyText(n->text, item->pszText, item->cchTextMax);
    if (item->mask & TVIF_IMAGE) item->iImage = n->image;
    if (item->mask & TVIF_SELECTEDIMAGE) item->iSelectedImage = n->selectedImage;
    if (item->mask & TVIF_PARAM) item->lParam = n->lParam;
    if (item->mask & TVIF_STATE) item->state = n->state & (item->stateMask ? item->stateMask : 0xFFFF);
    if (item->mask & TVIF_CHILDREN) item->cChildren = n->firstChild ? 1 : n->children;
    return TRUE;
}

LRESULT SetItem(TreeState* s, const TVITEM* item) {
    if (!item || !s->model.Valid(item->hItem)) return FALSE;
    TreeNode* n = item->hItem;
    if (item->mask & TVIF_TEXT) n->text = item->pszText ? item->pszText : "";
    if (item->mask & TVIF_IMAGE) n->image = item->iImage;
    if (item->mask & TVIF_SELECTEDIMAGE) n->selectedImage = item->iSelectedImage;
    if (item->mask & TVIF_PARAM) n->lParam = item->lParam;
    if (item->mask & TVIF_CHILDREN) n->children = item->cChildren;
    if (item->mask & TVIF_STATE) {
        // Selection and expansion go through their own paths so the tree stays consistent.
        UINT keep = TVIS_SELECTED | TVIS_EXPANDED;
        UINT m = item->stateMask & ~keep;
        n->state = (n->state & ~m) | (item->state & m);
    }
    Changed(s);
    return TRUE;
}

LRESULT GetItemRect(TreeState* s, BOOL textOnly, RECT* r) {
    if (!r) return FALSE;
    HTREEITEM item = nullptr;
    std::memcpy(&item, r, sizeof(item)); // the item handle arrives in the rectangle's memory
    if (!s->model.Valid(item)) return FALSE;
    int row = s->model.VisibleIndex(item);
    if (row < 0) return FALSE;
    FontDC f(s);
    RECT label = LabelRect(s, f.dc(), item, row);
    *r = textOnly ? label : RECT{0, label.top, Client(s).right, label.bottom};
    return TRUE;
}

TVHITTESTINFO Hit(TreeState* s, POINT pt) {
    TVHITTESTINFO info;
    info.pt = pt;
    RECT c = Client(s);
    UINT outside = 0;
    if (pt.y < 0) outside |= TVHT_ABOVE;
    if (pt.y >= c.bottom) outside |= TVHT_BELOW;
    if (pt.x < 0) outside |= 0x0800;        // TVHT_TOLEFT
    if (pt.x >= c.right) outside |= 0x0400; // TVHT_TORIGHT
    if (outside) {
        info.flags = outside;
        return info;
    }
    int row = s->model.TopRow() + pt.y / std::max(s->itemHeight, 1);
    const auto& rows = s->model.VisibleRows();
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        info.flags = TVHT_NOWHERE;
        return info;
    }
    TreeNode* n = rows[row];
    info.hItem = n;
    int left = ContentLeft(s, n);
    FontDC f(s);
    RECT label = LabelRect(s, f.dc(), n, row);
    bool buttons = (s->style & TVS_HASBUTTONS) && (n->parent || (s->style & TVS_LINESATROOT));
    if (pt.x < left)
        info.flags = (buttons && TreeModel::HasChildren(n) && pt.x >= left - s->indent) ? TVHT_ONITEMBUTTON
                                                                                        : TVHT_ONITEMINDENT;
    else if (pt.x < label.left) info.flags = TVHT_ONITEMICON;
    else if (pt.x < label.right) info.flags = TVHT_ONITEMLABEL;
    else info.flags = TVHT_ONITEMRIGHT;
    return info;
}

LRESULT HitTest(TreeState* s, TVHITTESTINFO* info) {
    if (!info) return 0;
    TVHITTESTINFO hit = Hit(s, info->pt);
    info->flags = hit.flags;
    info->hItem = (hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT))
                      ? hit.hItem
                      : nullptr;
    return reinterpret_cast<LRESULT>(info->hItem);
}

LRESULT SelectItem(TreeState* s, WPARAM code, HTREEITEM item) {
    if (item && !s->model.Valid(item)) return FALSE;
    switch (code) {
    case TVGN_CARET: return Select(s, item, TVC_UNKNOWN);
    case TVGN_FIRSTVISIBLE:
        if (!item) return FALSE;
        EnsureVisible(s, item);
        s->model.SetTopRow(s->model.VisibleIndex(item), RowsPerPage(s));
        Changed(s);
        return TRUE;
    default: return TRUE; // drop highlighting is not drawn
    }
}

LRESULT SortChildrenCB(TreeState* s, const TVSORTCB* sort) {
    if (!sort || !sort->lpfnCompare) return FALSE;
    HTREEITEM parent = sort->hParent;
    if (parent && parent != TVI_ROOT && !s->model.Valid(parent)) return FALSE;
    s->model.SortChildren(parent, [sort](const TreeNode* a, const TreeNode* b) {
        return sort->lpfnCompare(a->lParam, b->lParam, sort->lParam);
    });
    Changed(s);
    return TRUE;
}

void SetRedraw(TreeState* s, bool on) {
    s->redraw = on;
    if (on && s->changedWhileFrozen) {
        s->changedWhileFrozen = false;
        Changed(s);
    }
}

LRESULT SetImageList(TreeState* s, WPARAM which, HIMAGELIST list) {
    HIMAGELIST& slot = which == TVSIL_STATE ? s->stateImages : s->images;
    HIMAGELIST old = slot;
    slot = list;
    UpdateItemHeight(s);
    Changed(s);
    return reinterpret_cast<LRESULT>(old);
}

// ---- painting

COLORREF Background(TreeState* s) { return s->bkColor == CLR_NONE ? GetSysColor(COLOR_WINDOW) : s->bkColor; }

void DottedH(HDC dc, int x1, int x2, int y, COLORREF c) {
    for (int x = x1 + ((x1 + y) & 1); x < x2; x += 2)
        SetPixel(dc, x, y, c);
}

void DottedV(HDC dc, int x, int y1, int y2, COLORREF c) {
    for (int y = y1 + ((x + y1) & 1); y < y2; y += 2)
        SetPixel(dc, x, y, c);
}

void PaintLinesAndButton(TreeState* s, HDC dc, const TreeNode* n, int top) {
    bool rootLines = s->style & TVS_LINESATROOT;
    if (!n->parent && !rootLines) return;
    COLORREF lineColor = GetSysColor(COLOR_GRAYTEXT);
    int left = ContentLeft(s, n);
    int cx = left - s->indent / 2 - 1;
    int cy = top + s->itemHeight / 2;
    if (s->style & TVS_HASLINES) {
        DottedH(dc, cx, left - 1, cy, lineColor);
        bool above = n->prev || n->parent;
        DottedV(dc, cx, above ? top : cy, n->next ? top + s->itemHeight : cy + 1, lineColor);
        // Lines of the ancestors that have further siblings below pass through this row.
        int ax = cx;
        for (const TreeNode* a = n->parent; a && (a->parent || rootLines); a = a->parent) {
            ax -= s->indent;
            if (a->next) DottedV(dc, ax, top, top + s->itemHeight, lineColor);
        }
    }
    if ((s->style & TVS_HASBUTTONS) && TreeModel::HasChildren(n)) {
        RECT box{cx - kButtonSize / 2, cy - kButtonSize / 2, cx - kButtonSize / 2 + kButtonSize,
                 cy - kButtonSize / 2 + kButtonSize};
        FillSolid(dc, box, GetSysColor(COLOR_WINDOW));
        HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
        FrameRect(dc, &box, frame);
        DeleteObject(frame);
        COLORREF mark = GetSysColor(COLOR_WINDOWTEXT);
        DrawHLine(dc, box.left + 2, box.right - 2, cy, mark);
        if (!TreeModel::Expanded(n)) DrawVLine(dc, cx, box.top + 2, box.bottom - 2, mark);
    }
}

void PaintRow(TreeState* s, HDC dc, const TreeNode* n, int row) {
    RECT label = LabelRect(s, dc, n, row);
    PaintLinesAndButton(s, dc, n, label.top);
    bool selected = n->state & TVIS_SELECTED;
    if (s->images) {
        int image = selected ? n->selectedImage : n->image;
        int iy = label.top + (s->itemHeight - s->images->Height()) / 2;
        if (image >= 0) ImageList_Draw(s->images, image, dc, ContentLeft(s, n), iy, ILD_TRANSPARENT);
    }
    bool showSel = selected && (s->focused || (s->style & TVS_SHOWSELALWAYS));
    if (showSel) FillSolid(dc, label, GetSysColor(s->focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    COLORREF text = s->textColor == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : s->textColor;
    SetTextColor(dc, showSel ? GetSysColor(s->focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT) : text);
    RECT t{label.left + kLabelPadding, label.top, label.right, label.bottom};
    DrawText(dc, n->text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
    if (selected && s->focused) DrawFocusRect(dc, &label);
}

void Paint(TreeState* s, HDC dc) {
    RECT c = Client(s);
    FillSolid(dc, c, Background(s));
    HGDIOBJ oldFont = SelectObject(dc, s->font ? s->font : DefaultControlFont());
    const auto& rows = s->model.VisibleRows();
    int last = std::min(static_cast<int>(rows.size()) - 1, s->model.TopRow() + RowsPerPage(s));
    for (int i = s->model.TopRow(); i <= last; ++i)
        PaintRow(s, dc, rows[i], i);
    SelectObject(dc, oldFont);
}

LRESULT OnPaint(TreeState* s, HDC given) {
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

void OnButtonDown(TreeState* s, POINT pt, bool doubleClick) {
    if (s->edit) EndEdit(s, false);
    if (!IsWindow(s->hwnd)) return;
    if (GetFocus() != s->hwnd) SetFocus(s->hwnd);
    if (!IsWindow(s->hwnd)) return;
    TVHITTESTINFO hit = Hit(s, pt);
    HWND hwnd = s->hwnd;
    if (hit.flags & TVHT_ONITEMBUTTON) {
        Expand(s, hit.hItem, TVE_TOGGLE, true);
        return;
    }
    if (hit.flags & TVHT_ONITEM) {
        Select(s, hit.hItem, TVC_BYMOUSE);
        if (!IsWindow(hwnd)) return;
        if (doubleClick && s->model.Valid(hit.hItem)) {
            NMHDR nm;
            if (SendNotify(hwnd, NM_DBLCLK, &nm) == 0 && IsWindow(hwnd))
                Expand(s, hit.hItem, TVE_TOGGLE, true);
            return;
        }
    }
    NMHDR nm;
    SendNotify(hwnd, NM_CLICK, &nm);
}

// The right button does not move the selection: it takes the focus, and on its release the
// parent hears NM_RCLICK; unless the parent handles that, the default handling of the release
// sends WM_CONTEXTMENU.
void OnRightButtonDown(TreeState* s) {
    if (s->edit) EndEdit(s, false);
    if (IsWindow(s->hwnd) && GetFocus() != s->hwnd) SetFocus(s->hwnd);
}

LRESULT OnRightButtonUp(TreeState* s, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = s->hwnd;
    NMHDR nm;
    if (SendNotify(hwnd, NM_RCLICK, &nm) != 0 || !IsWindow(hwnd)) return 0;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void OnKeyDown(TreeState* s, WPARAM vk) {
    NMTVKEYDOWN nm;
    nm.wVKey = static_cast<WORD>(vk);
    HWND hwnd = s->hwnd;
    SendNotify(hwnd, TVN_KEYDOWN, &nm.hdr);
    if (!IsWindow(hwnd)) return;
    TreeNode* caret = s->model.Caret();
    ListKey key;
    switch (vk) {
    case VK_UP: key = ListKey::Up; break;
    case VK_DOWN: key = ListKey::Down; break;
    case VK_HOME: key = ListKey::Home; break;
    case VK_END: key = ListKey::End; break;
    case VK_PRIOR: key = ListKey::PageUp; break;
    case VK_NEXT: key = ListKey::PageDown; break;
    case VK_LEFT:
        if (!caret) return;
        if (TreeModel::Expanded(caret)) Expand(s, caret, TVE_COLLAPSE, true);
        else if (caret->parent) Select(s, caret->parent, TVC_BYKEYBOARD);
        return;
    case VK_RIGHT:
        if (!caret) return;
        if (TreeModel::HasChildren(caret) && !TreeModel::Expanded(caret)) Expand(s, caret, TVE_EXPAND, true);
        else if (caret->firstChild) Select(s, caret->firstChild, TVC_BYKEYBOARD);
        return;
    case VK_ADD:
        if (caret) Expand(s, caret, TVE_EXPAND, true);
        return;
    case VK_SUBTRACT:
        if (caret) Expand(s, caret, TVE_COLLAPSE, true);
        return;
    case VK_RETURN: {
        NMHDR ret;
        SendNotify(hwnd, NM_RETURN, &ret);
        return;
    }
    default: return;
    }
    TreeNode* target = s->model.KeyTarget(key, RowsPerPage(s));
    if (target) Select(s, target, TVC_BYKEYBOARD);
}

void OnChar(TreeState* s, WPARAM c) {
    // '+' and '-' from the main keyboard expand and collapse like the keypad keys.
    TreeNode* caret = s->model.Caret();
    if (!caret) return;
    if (c == '+') Expand(s, caret, TVE_EXPAND, true);
    else if (c == '-') Expand(s, caret, TVE_COLLAPSE, true);
}

void ScrollTo(TreeState* s, int top, int x) {
    bool moved = s->model.SetTopRow(top, RowsPerPage(s));
    int maxX = std::max(ContentWidth(s) - Client(s).right, 0);
    x = std::clamp(x, 0, maxX);
    if (x != s->xOffset) {
        s->xOffset = x;
        moved = true;
    }
    if (!moved) return;
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
}

void OnVScroll(TreeState* s, WPARAM wParam) {
    int count = static_cast<int>(s->model.VisibleRows().size());
    ScrollState v{0, std::max(count - 1, 0), RowsPerPage(s), s->model.TopRow()};
    ScrollTo(s, ScrollTarget(wParam, v.pos, 1, RowsPerPage(s), v), s->xOffset);
}

void OnHScroll(TreeState* s, WPARAM wParam) {
    ScrollState h{0, std::max(ContentWidth(s) - 1, 0), Client(s).right, s->xOffset};
    ScrollTo(s, s->model.TopRow(), ScrollTarget(wParam, h.pos, kHorzLineStep, Client(s).right, h));
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCT* cs) {
    auto* s = new TreeState;
    s->hwnd = hwnd;
    s->style = cs ? static_cast<DWORD>(cs->style) : 0;
    AttachState(hwnd, s);
    UpdateItemHeight(s);
    PublishScrollState(s);
    return 0;
}

void OnDestroy(TreeState* s) {
    HWND hwnd = s->hwnd;
    if (s->edit && IsWindow(s->edit)) {
        HWND edit = s->edit;
        s->edit = nullptr;
        DestroyWindow(edit);
    }
    AttachState<TreeState>(hwnd, nullptr);
    delete s;
}

} // namespace

LRESULT TreeViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam));
    TreeState* s = State(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto item = reinterpret_cast<HTREEITEM>(lParam);
    switch (msg) {
    case WM_DESTROY: OnDestroy(s); return 0;
    case WM_SIZE: Changed(s); return 0;
    case WM_STYLECHANGED:
        s->style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
        Changed(s);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        UpdateItemHeight(s);
        Changed(s);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_PAINT:
    case WM_PRINTCLIENT: return OnPaint(s, reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        s->focused = msg == WM_SETFOCUS;
        NMHDR nm;
        SendNotify(hwnd, s->focused ? NM_SETFOCUS : NM_KILLFOCUS, &nm);
        if (IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_GETDLGCODE: return kDlgcWantArrows | kDlgcWantChars;
    case WM_LBUTTONDOWN: OnButtonDown(s, PointFromLParam(lParam), false); return 0;
    case WM_LBUTTONDBLCLK: OnButtonDown(s, PointFromLParam(lParam), true); return 0;
    case WM_KEYDOWN: OnKeyDown(s, wParam); return 0;
    case WM_CHAR: OnChar(s, wParam); return 0;
    case WM_VSCROLL: OnVScroll(s, wParam); return 0;
    case WM_HSCROLL: OnHScroll(s, wParam); return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(s, s->model.TopRow() + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -kWheelLines : kWheelLines),
                 s->xOffset);
        return 0;

    case TVM_INSERTITEM: return InsertItem(s, reinterpret_cast<const TVINSERTSTRUCT*>(lParam));
    case TVM_DELETEITEM: return DeleteItem(s, item);
    case TVM_EXPAND: return Expand(s, item, static_cast<UINT>(wParam), false);
    case TVM_GETITEMRECT: return GetItemRect(s, static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
    case TVM_GETCOUNT: return s->model.Count();
    case TVM_GETINDENT: return s->indent;
    case TVM_SETINDENT:
        s->indent = std::max(static_cast<int>(wParam), kButtonSize + 4);
        Changed(s);
        return 0;
    case TVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? s->stateImages : s->images);
    case TVM_SETIMAGELIST: return SetImageList(s, wParam, reinterpret_cast<HIMAGELIST>(lParam));
    case TVM_GETNEXTITEM: return reinterpret_cast<LRESULT>(s->model.Next(item, static_cast<UINT>(wParam)));
    case TVM_SELECTITEM: return SelectItem(s, wParam, item);
    case TVM_GETITEM: return GetItem(s, reinterpret_cast<TVITEM*>(lParam));
    case TVM_SETITEM: return SetItem(s, reinterpret_cast<const TVITEM*>(lParam));
    case TVM_EDITLABEL: return reinterpret_cast<LRESULT>(BeginEdit(s, item));
    case TVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(s->edit);
    case TVM_ENDEDITLABELNOW: EndEdit(s, wParam != 0); return TRUE;
    case TVM_GETVISIBLECOUNT: return Client(s).bottom / std::max(s->itemHeight, 1);
    case TVM_HITTEST: return HitTest(s, reinterpret_cast<TVHITTESTINFO*>(lParam));
    case TVM_SORTCHILDREN:
        s->model.SortChildren(item);
        Changed(s);
        return TRUE;
    case TVM_SORTCHILDRENCB: return SortChildrenCB(s, reinterpret_cast<const TVSORTCB*>(lParam));
    case WM_SETREDRAW: SetRedraw(s, wParam != 0); return 0;
    case WM_RBUTTONDOWN: OnRightButtonDown(s); return 0;
    case WM_RBUTTONUP: return OnRightButtonUp(s, msg, wParam, lParam);
    case TVM_ENSUREVISIBLE:
        if (!s->model.Valid(item)) return FALSE;
        EnsureVisible(s, item);
        return TRUE;
    case TVM_SETITEMHEIGHT: {
        int old = s->itemHeight;
        int h = static_cast<int>(static_cast<std::int16_t>(LOWORD(static_cast<DWORD>(wParam))));
        s->customHeight = h > 0;
        if (h > 0) s->itemHeight = h;
        else UpdateItemHeight(s);
        Changed(s);
        return old;
    }
    case TVM_GETITEMHEIGHT: return s->itemHeight;
    case TVM_SETBKCOLOR: {
        COLORREF old = s->bkColor;
        s->bkColor = static_cast<COLORREF>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return old == CLR_NONE ? -1 : static_cast<LRESULT>(old);
    }
    case TVM_GETBKCOLOR: return s->bkColor == CLR_NONE ? -1 : static_cast<LRESULT>(s->bkColor);
    case TVM_SETTEXTCOLOR: {
        COLORREF old = s->textColor;
        s->textColor = static_cast<COLORREF>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return old == CLR_NONE ? -1 : static_cast<LRESULT>(old);
    }
    case TVM_GETTEXTCOLOR: return s->textColor == CLR_NONE ? -1 : static_cast<LRESULT>(s->textColor);
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterTreeViewClass() { RegisterControlClass(WC_TREEVIEW, TreeViewWndProc); }

} // namespace controls
