#include "platform/controls/Header.h"

#include "platform/controls/ControlUtil.h"
#include "platform/controls/HeaderModel.h"
#include "platform/gfx/DrawText.h"

#include <algorithm>
#include <cstring>

namespace controls {

namespace {

struct HeaderState {
    HWND hwnd = nullptr;
    HeaderModel model;
    HFONT font = nullptr;
    int pressed = -1; // section under a press, while the button is down
    bool pressedInside = false;
    int tracking = -1; // section whose divider is being dragged
    int trackStartX = 0;
    int trackStartWidth = 0;
};

HeaderState* State(HWND hwnd) { return StateOf<HeaderState>(hwnd); }

RECT Client(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

void CopyText(const std::string& text, char* out, int size) {
    if (!out || size <= 0) return;
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

LRESULT Notify(HeaderState* s, int code, int item, HDITEM* info = nullptr) {
    NMHEADER nm;
    nm.iItem = item;
    nm.iButton = 0;
    nm.pitem = info;
    return SendNotify(s->hwnd, code, &nm.hdr);
}

// ---- messages

LRESULT OnCreate(HWND hwnd) {
    auto* s = new HeaderState;
    s->hwnd = hwnd;
    AttachState(hwnd, s);
    return 0;
}

void OnDestroy(HWND hwnd) {
    delete State(hwnd);
    AttachState<HeaderState>(hwnd, nullptr);
}

void ApplyItem(HeaderSection& section, const HDITEM& item) {
    if (item.mask & HDI_WIDTH) section.width = std::max(item.cxy, 0);
    if (item.mask & HDI_TEXT) section.text = item.pszText ? item.pszText : "";
    if (item.mask & HDI_FORMAT) section.fmt = item.fmt;
    if (item.mask & HDI_LPARAM) section.lParam = item.lParam;
    if (item.mask & HDI_IMAGE) section.image = item.iImage;
}

LRESULT OnInsertItem(HeaderState* s, int index, const HDITEM* item) {
    if (!item) return -1;
    HeaderSection section;
    ApplyItem(section, *item);
    int at = s->model.Insert(index, std::move(section));
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return at;
}

LRESULT OnDeleteItem(HeaderState* s, int index) {
    if (!s->model.Remove(index)) return FALSE;
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT OnGetItem(HeaderState* s, int index, HDITEM* item) {
    if (!item || !s->model.Valid(index)) return FALSE;
    const auto& section = s->model.At(index);
    if (item->mask & HDI_WIDTH) item->cxy = section.width;
    if (item->mask & HDI_TEXT) CopyText(section.text, item->pszText, item->cchTextMax);
    if (item->mask & HDI_FORMAT) item->fmt = section.fmt;
    if (item->mask & HDI_LPARAM) item->lParam = section.lParam;
    if (item->mask & HDI_IMAGE) item->iImage = section.image;
    if (item->mask & HDI_ORDER) item->iOrder = index;
    return TRUE;
}

LRESULT OnSetItem(HeaderState* s, int index, const HDITEM* item) {
    if (!item || !s->model.Valid(index)) return FALSE;
    HDITEM copy = *item;
    if (Notify(s, HDN_ITEMCHANGING, index, &copy)) return FALSE;
    ApplyItem(s->model.At(index), *item);
    Notify(s, HDN_ITEMCHANGED, index, &copy);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT OnLayout(HeaderState* s, HDLAYOUT* layout) {
    if (!layout || !layout->prc || !layout->pwpos) return FALSE;
    int height = (GetWindowLongPtr(s->hwnd, GWL_STYLE) & WS_VISIBLE) ? HeaderHeightFor(s->hwnd, s->font) : 0;
    RECT& r = *layout->prc;
    WINDOWPOS& pos = *layout->pwpos;
    pos.hwnd = s->hwnd;
    pos.hwndInsertAfter = nullptr;
    pos.x = r.left;
    pos.y = r.top;
    pos.cx = r.right - r.left;
    pos.cy = height;
    pos.flags = SWP_NOZORDER | SWP_NOACTIVATE;
    r.top += height;
    return TRUE;
}

LRESULT OnHitTest(HeaderState* s, HDHITTESTINFO* info) {
    if (!info) return -1;
    RECT c = Client(s->hwnd);
    HeaderHit hit = s->model.HitTest(info->pt, c.right, c.bottom);
    info->flags = hit.flags;
    info->iItem = hit.item;
    return hit.item;
}

LRESULT OnGetItemRect(HeaderState* s, int index, RECT* out) {
    if (!out || !s->model.Valid(index)) return FALSE;
    *out = s->model.ItemRect(index, Client(s->hwnd).bottom);
    return TRUE;
}

void PaintSection(HeaderState* s, HDC dc, int index, const RECT& r) {
    const auto& section = s->model.At(index);
    bool down = index == s->pressed && s->pressedInside;
    FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
    // A plain raised edge; the skinned list view paints its own sections over this.
    COLORREF light = GetSysColor(down ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    COLORREF dark = GetSysColor(down ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    DrawHLine(dc, r.left, r.right, r.top, light);
    DrawVLine(dc, r.left, r.top, r.bottom, light);
    DrawHLine(dc, r.left, r.right, r.bottom - 1, dark);
    DrawVLine(dc, r.right - 1, r.top, r.bottom, dark);
    RECT text{r.left + 6, r.top, r.right - 6, r.bottom};
    if (down) text = OffsetRect(text, 1, 1);
    UINT align = (section.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                 : (section.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                 : DT_LEFT;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawText(dc, section.text.c_str(), -1, &text,
             align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Paint(HeaderState* s, HDC dc) {
    RECT c = Client(s->hwnd);
    HGDIOBJ oldFont = SelectObject(dc, s->font ? s->font : DefaultControlFont());
    for (int i = 0; i < s->model.Count(); ++i) {
        RECT r = s->model.ItemRect(i, c.bottom);
        if (r.right > r.left) PaintSection(s, dc, i, r);
    }
    RECT rest{s->model.TotalWidth(), 0, c.right, c.bottom};
    if (rest.right > rest.left) FillSolid(dc, rest, GetSysColor(COLOR_BTNFACE));
    SelectObject(dc, oldFont);
}

LRESULT OnPaint(HeaderState* s, HDC given) {
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

void OnLButtonDown(HeaderState* s, POINT pt) {
    RECT c = Client(s->hwnd);
    HeaderHit hit = s->model.HitTest(pt, c.right, c.bottom);
    if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        HDITEM item;
        item.mask = HDI_WIDTH;
        item.cxy = s->model.At(hit.item).width;
        if (Notify(s, HDN_BEGINTRACK, hit.item, &item)) return; // the parent refused
        s->tracking = hit.item;
        s->trackStartX = pt.x;
        s->trackStartWidth = item.cxy;
        SetCapture(s->hwnd);
        return;
    }
    if (hit.flags & HHT_ONHEADER) {
        s->pressed = hit.item;
        s->pressedInside = true;
        SetCapture(s->hwnd);
        InvalidateRect(s->hwnd, nullptr, FALSE);
    }
}

void TrackTo(HeaderState* s, POINT pt) {
    int width = std::max(s->trackStartWidth + pt.x - s->trackStartX, 0);
    HDITEM item;
    item.mask = HDI_WIDTH;
    item.cxy = width;
    if (Notify(s, HDN_TRACK, s->tracking, &item)) return;
    if (s->model.At(s->tracking).width == width) return;
    OnSetItem(s, s->tracking, &item);
}

void OnMouseMove(HeaderState* s, POINT pt) {
    if (s->tracking >= 0) {
        TrackTo(s, pt);
        return;
    }
    if (s->pressed >= 0) {
        RECT r = s->model.ItemRect(s->pressed, Client(s->hwnd).bottom);
        bool inside = PtInRect(r, pt);
        if (inside != s->pressedInside) {
            s->pressedInside = inside;
            InvalidateRect(s->hwnd, nullptr, FALSE);
        }
    }
}

void OnLButtonUp(HeaderState* s, POINT pt) {
    if (s->tracking >= 0) {
        int item = s->tracking;
        TrackTo(s, pt);
        s->tracking = -1;
        ReleaseCapture();
        HDITEM info;
        info.mask = HDI_WIDTH;
        info.cxy = s->model.At(item).width;
        Notify(s, HDN_ENDTRACK, item, &info);
        return;
    }
    if (s->pressed >= 0) {
        int item = s->pressed;
        bool click = s->pressedInside;
        s->pressed = -1;
        s->pressedInside = false;
        ReleaseCapture();
        InvalidateRect(s->hwnd, nullptr, FALSE);
        if (click) Notify(s, HDN_ITEMCLICK, item);
    }
}

void OnDoubleClick(HeaderState* s, POINT pt) {
    RECT c = Client(s->hwnd);
    HeaderHit hit = s->model.HitTest(pt, c.right, c.bottom);
    if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) Notify(s, HDN_DIVIDERDBLCLICK, hit.item);
}

void OnCaptureChanged(HeaderState* s) {
    if (s->tracking < 0 && s->pressed < 0) return;
    s->tracking = -1;
    s->pressed = -1;
    s->pressedInside = false;
    InvalidateRect(s->hwnd, nullptr, FALSE);
}

bool OnSetCursor(HeaderState* s) {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(s->hwnd, &pt);
    RECT c = Client(s->hwnd);
    HeaderHit hit = s->model.HitTest(pt, c.right, c.bottom);
    if (s->tracking < 0 && !(hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) return false;
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    return true;
}

} // namespace

int HeaderHeightFor(HWND hwnd, HFONT font) { return FontHeight(hwnd, font) + 6; }

LRESULT HeaderWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) return OnCreate(hwnd);
    HeaderState* s = State(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY: OnDestroy(hwnd); return 0;
    case HDM_GETITEMCOUNT: return s->model.Count();
    case HDM_INSERTITEM:
        return OnInsertItem(s, static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM: return OnDeleteItem(s, static_cast<int>(wParam));
    case HDM_GETITEM: return OnGetItem(s, static_cast<int>(wParam), reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM: return OnSetItem(s, static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_LAYOUT: return OnLayout(s, reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: return OnHitTest(s, reinterpret_cast<HDHITTESTINFO*>(lParam));
    case HDM_GETITEMRECT: return OnGetItemRect(s, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_PAINT:
    case WM_PRINTCLIENT: return OnPaint(s, reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND: return 1; // painting covers every pixel
    case WM_LBUTTONDOWN: OnLButtonDown(s, PointFromLParam(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(s, PointFromLParam(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(s, PointFromLParam(lParam)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(s, PointFromLParam(lParam)); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(s); return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(s)) return TRUE;
        break;
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterHeaderClass() { RegisterControlClass(WC_HEADER, HeaderWndProc); }

} // namespace controls
