#include "platform/ui/ScrollBarGeometry.h"

#include "platform/ui/User.h"

#include <algorithm>
#include <cstdint>

namespace ui {

ScrollBarParts LayoutScrollBar(const RECT& r, bool vertical, const ScrollState& s) {
    ScrollBarParts p;
    p.bar = r;
    int len = vertical ? RectHeight(r) : RectWidth(r);
    int btn = std::min(kScrollBarSize, len / 2);
    p.lineUp = vertical ? RECT{r.left, r.top, r.right, r.top + btn}
                        : RECT{r.left, r.top, r.left + btn, r.bottom};
    p.lineDown = vertical ? RECT{r.left, r.bottom - btn, r.right, r.bottom}
                          : RECT{r.right - btn, r.top, r.right, r.bottom};
    const SCROLLINFO& si = s.info;
    int range = si.nMax - si.nMin + 1;
    int track = len - 2 * btn;
    if (range > 0 && track > 8 && (si.nPage == 0 || int(si.nPage) < range)) {
        int thumb = si.nPage ? std::max(8, int(std::int64_t(track) * si.nPage / range)) : kScrollBarSize;
        thumb = std::min(thumb, track);
        int span = range - std::max(int(si.nPage), 1);
        int pos = span > 0 ? int(std::int64_t(track - thumb) * (si.nPos - si.nMin) / span) : 0;
        p.thumb = vertical ? RECT{r.left, r.top + btn + pos, r.right, r.top + btn + pos + thumb}
                           : RECT{r.left + btn + pos, r.top, r.left + btn + pos + thumb, r.bottom};
        p.hasThumb = true;
    }
    return p;
}

std::optional<ScrollBarParts> NcScrollBar(const Window& w, int bar) {
    const RECT& c = w.client;
    if (bar == SB_VERT && (w.style & WS_VSCROLL)) {
        return LayoutScrollBar(RECT{c.right, c.top, c.right + kScrollBarSize, c.bottom}, true,
                               w.scroll[SB_VERT]);
    }
    if (bar == SB_HORZ && (w.style & WS_HSCROLL)) {
        return LayoutScrollBar(RECT{c.left, c.bottom, c.right, c.bottom + kScrollBarSize}, false,
                               w.scroll[SB_HORZ]);
    }
    return std::nullopt;
}

} // namespace ui

BOOL GetScrollBarInfo(HWND hwnd, LONG idObject, SCROLLBARINFO* info) {
    ui::Window* w = ui::WS().Get(hwnd);
    if (!w || !info || (idObject != OBJID_VSCROLL && idObject != OBJID_HSCROLL)) {
        return FALSE;
    }
    const int bar = idObject == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
    *info = SCROLLBARINFO{};
    std::optional<ui::ScrollBarParts> parts = ui::NcScrollBar(*w, bar);
    if (!parts) {
        // As Windows does for a bar the window does not show: a success that says "invisible".
        info->rgstate[0] = STATE_SYSTEM_INVISIBLE;
        return TRUE;
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    const bool vertical = bar == SB_VERT;
    info->rcScrollBar = OffsetRect(parts->bar, window.left, window.top);
    info->dxyLineButton = vertical ? RectHeight(parts->lineUp) : RectWidth(parts->lineUp);
    if (parts->hasThumb) {
        info->xyThumbTop = vertical ? parts->thumb.top - parts->bar.top : parts->thumb.left - parts->bar.left;
        info->xyThumbBottom = vertical ? parts->thumb.bottom - parts->bar.top
                                       : parts->thumb.right - parts->bar.left;
    } else {
        info->rgstate[3] = STATE_SYSTEM_INVISIBLE; // no thumb: the range fits the page
    }
    if (!w->scroll[bar].enabled) {
        info->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    }
    return TRUE;
}
