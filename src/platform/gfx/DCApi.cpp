#include "platform/gfx/DCApi.h"

namespace {

template <typename T>
void Store(T* out, T value) {
    if (out) {
        *out = value;
    }
}

} // namespace

HDC CreateCompatibleDC(HDC) { return new gfx::DC(); }

BOOL DeleteDC(HDC dc) {
    if (dc == nullptr) {
        return FALSE;
    }
    delete dc;
    return TRUE;
}

int SaveDC(HDC dc) { return dc ? dc->Save() : 0; }
BOOL RestoreDC(HDC dc, int level) { return dc && dc->Restore(level) ? TRUE : FALSE; }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (dc == nullptr || object == nullptr) {
        return nullptr;
    }
    if (object->Kind() == gfx::ObjectKind::Region) {
        int code = SelectClipRgn(dc, static_cast<HRGN>(object));
        return reinterpret_cast<HGDIOBJ>(std::intptr_t(code));
    }
    return dc->Select(object);
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    if (dc == nullptr) {
        return nullptr;
    }
    switch (type) {
    case OBJ_PEN: return dc->Pen();
    case OBJ_BRUSH: return dc->Brush();
    case OBJ_FONT: return dc->Font();
    case OBJ_BITMAP: return dc->SelectedBitmap();
    default: return nullptr;
    }
}

int GetDeviceCaps(HDC dc, int index) {
    switch (index) {
    case HORZRES: return dc && dc->Target() ? dc->Target()->Width() : 0;
    case VERTRES: return dc && dc->Target() ? dc->Target()->Height() : 0;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
    }
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    if (!dc) {
        return FALSE;
    }
    Store(old, dc->ViewportOrg());
    dc->SetViewportOrg(POINT{x, y});
    return TRUE;
}

BOOL GetViewportOrgEx(HDC dc, POINT* org) {
    if (!dc || !org) {
        return FALSE;
    }
    *org = dc->ViewportOrg();
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
    if (!dc) {
        return FALSE;
    }
    POINT o = dc->ViewportOrg();
    Store(old, o);
    dc->SetViewportOrg(POINT{o.x + dx, o.y + dy});
    return TRUE;
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) {
    if (!dc) {
        return FALSE;
    }
    Store(old, dc->WindowOrg());
    dc->SetWindowOrg(POINT{x, y});
    return TRUE;
}

BOOL GetWindowOrgEx(HDC dc, POINT* org) {
    if (!dc || !org) {
        return FALSE;
    }
    *org = dc->WindowOrg();
    return TRUE;
}

BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old) {
    if (!dc) {
        return FALSE;
    }
    POINT o = dc->WindowOrg();
    Store(old, o);
    dc->SetWindowOrg(POINT{o.x + dx, o.y + dy});
    return TRUE;
}

int SelectClipRgn(HDC dc, HRGN rgn) { return ExtSelectClipRgn(dc, rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
    if (!dc) {
        return ERROR;
    }
    return dc->SelectClip(rgn ? &rgn->region : nullptr, mode);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    return dc ? dc->IntersectClip(RECT{left, top, right, bottom}) : ERROR;
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    return dc ? dc->ExcludeClip(RECT{left, top, right, bottom}) : ERROR;
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    if (!dc) {
        return ERROR;
    }
    if (!dc->AppClip()) {
        RECT box;
        return dc->ClipBox(box);
    }
    gfx::Region r = *dc->AppClip();
    r.Offset(dx, dy);
    return dc->SelectClip(&r, RGN_COPY);
}

int GetClipBox(HDC dc, RECT* rect) {
    if (!dc || !rect) {
        return ERROR;
    }
    return dc->ClipBox(*rect);
}

int GetClipRgn(HDC dc, HRGN rgn) {
    if (!dc || !rgn) {
        return -1;
    }
    if (!dc->AppClip()) {
        return 0;
    }
    rgn->region = *dc->AppClip();
    return 1;
}

BOOL PtVisible(HDC dc, int x, int y) {
    if (!dc) {
        return FALSE;
    }
    POINT b = dc->ToBitmap(POINT{x, y});
    return dc->Clip().Contains(b.x, b.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, const RECT* rect) {
    if (!dc || !rect) {
        return FALSE;
    }
    return dc->Clip().Intersects(dc->ToBitmap(*rect)) ? TRUE : FALSE;
}

COLORREF SetTextColor(HDC dc, COLORREF c) { return dc ? dc->SetTextColor(c) : CLR_INVALID; }
COLORREF GetTextColor(HDC dc) { return dc ? dc->TextColor() : CLR_INVALID; }
COLORREF SetBkColor(HDC dc, COLORREF c) { return dc ? dc->SetBkColor(c) : CLR_INVALID; }
COLORREF GetBkColor(HDC dc) { return dc ? dc->BkColor() : CLR_INVALID; }

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    return dc->SetBkMode(mode);
}
int GetBkMode(HDC dc) { return dc ? dc->BkMode() : 0; }

int SetROP2(HDC dc, int mode) {
    if (!dc || mode < R2_BLACK || mode > R2_WHITE) {
        return 0;
    }
    return dc->SetRop2(mode);
}
int GetROP2(HDC dc) { return dc ? dc->Rop2() : 0; }

int SetStretchBltMode(HDC dc, int mode) {
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    return dc->SetStretchMode(mode);
}
int GetStretchBltMode(HDC dc) { return dc ? dc->StretchMode() : 0; }

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!dc || !rect || !gfx::ResolveBrush(brush)) {
        return 0;
    }
    dc->FillRect(*rect, brush);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!dc || !rect || !gfx::ResolveBrush(brush)) {
        return 0;
    }
    dc->FrameRect(*rect, gfx::ResolveBrush(brush));
    return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
    if (!dc || !rect) {
        return FALSE;
    }
    dc->InvertRect(*rect);
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    if (!dc || !rect) {
        return FALSE;
    }
    dc->DrawFocusRect(*rect);
    return TRUE;
}

BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
    if (!dc || !rgn || !gfx::ResolveBrush(brush)) {
        return FALSE;
    }
    for (const RECT& r : rgn->region.Rects()) {
        dc->FillRect(r, brush);
    }
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (!dc) {
        return FALSE;
    }
    dc->Rectangle(RECT{left, top, right, bottom});
    return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    if (!dc) {
        return FALSE;
    }
    dc->Ellipse(RECT{left, top, right, bottom});
    return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
    if (!dc) {
        return FALSE;
    }
    Store(old, dc->CurrentPosition());
    dc->MoveTo(POINT{x, y});
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    if (!dc) {
        return FALSE;
    }
    dc->LineTo(POINT{x, y});
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    if (!dc || !points || count < 2) {
        return FALSE;
    }
    dc->Polyline(points, count);
    return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    return dc ? dc->SetPixel(POINT{x, y}, color) : CLR_INVALID;
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) {
    return dc && dc->SetPixel(POINT{x, y}, color) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC dc, int x, int y) { return dc ? dc->GetPixel(POINT{x, y}) : CLR_INVALID; }

BOOL PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop) {
    if (!dc) {
        return FALSE;
    }
    dc->PatBlt(RECT{x, y, x + w, y + h}, rop);
    return TRUE;
}

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    if (!dst) {
        return FALSE;
    }
    return dst->BitBlt(RECT{x, y, x + w, y + h}, src, POINT{sx, sy}, rop) ? TRUE : FALSE;
}

BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
    if (!dst) {
        return FALSE;
    }
    return dst->StretchBlt(x, y, w, h, src, sx, sy, sw, sh, rop) ? TRUE : FALSE;
}

BOOL TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparentColor) {
    if (!dst) {
        return FALSE;
    }
    return dst->TransparentBlt(x, y, w, h, src, sx, sy, sw, sh, transparentColor) ? TRUE : FALSE;
}
