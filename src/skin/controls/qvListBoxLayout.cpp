#include "skin/controls/qvListBoxLayout.h"

#include <algorithm>

namespace qv {
namespace {

int W(const RECT& r) { return r.right - r.left; }
int H(const RECT& r) { return r.bottom - r.top; }
RECT Bounds(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

} // namespace

int ListBoxHeightForRows(const TqvListBoxSkinMetrics& skin, int rows, int itemHeight, bool captionMode,
                         int captionHeight, int hbarHeight) {
    int h = 0;
    if (!skin.bound) {
        h = rows * itemHeight + 4 + (captionMode ? captionHeight : 0);
    } else {
        h = H(skin.skinrect) + rows * itemHeight + skin.clientrect.top - skin.clientrect.bottom;
    }
    return h + hbarHeight;
}

RECT ListBoxClientRect(const TqvListBoxSkinMetrics& skin, int width, int height) {
    if (!skin.bound) {
        return RECT{1, 1, width - 1, height - 1};
    }
    RECT r = skin.clientrect;
    r.right += width - W(skin.skinrect);
    r.bottom += height - H(skin.skinrect);
    return r;
}

TqvListBoxLayout LayOutListBox(const TqvListBoxLayoutInput& in) {
    TqvListBoxLayout out;
    const bool bound = in.skin.bound;
    const int w = in.width, h = in.height;
    const int cap = in.captionMode ? in.captionHeight : 1;
    const RECT lc = ListBoxClientRect(in.skin, w, h);
    out.listClientRect = lc;
    int hv = 0;
    if (in.columns == 0 && in.hasHBar) {
        if (!bound) {
            out.hbarBounds = Bounds(1, h - 20, w - 2, 19);
            hv = 18;
        } else {
            out.hbarBounds = Bounds(lc.left, lc.bottom - in.hbarHeight, W(lc), in.hbarHeight);
            hv = in.hbarHeight;
        }
    }
    if (in.hasVBar) {
        if (!bound && in.columns > 0) {
            out.vbarBounds = Bounds(1, h - 20, w - 2, 19);
            out.innerListRect = RECT{2, cap + 1, w - 2, out.vbarBounds.top};
        } else if (!bound) {
            out.vbarBounds = Bounds(w - 20, cap, 19, h - cap - hv - 1);
            out.innerListRect = RECT{2, cap + 1, out.vbarBounds.left, h - hv - 2};
        } else if (in.columns > 0) {
            out.vbarBounds = Bounds(lc.left, lc.bottom - in.vbarHeight, W(lc), in.vbarHeight);
            out.innerListRect = RECT{lc.left, lc.top, lc.right, lc.bottom - in.vbarHeight};
        } else {
            out.vbarBounds = Bounds(lc.right - in.vbarWidth, lc.top, in.vbarWidth, H(lc) - hv);
            out.innerListRect = RECT{lc.left, lc.top, lc.right - in.vbarWidth, lc.bottom - hv};
        }
    } else if (!bound) {
        out.innerListRect = RECT{2, cap + 1, w - 2, h - hv - 2};
    } else {
        out.innerListRect = RECT{lc.left, lc.top, lc.right, lc.bottom - hv};
    }
    return out;
}

void DefaultCaptionButtonRects(int width, int captionHeight, RECT out[3]) {
    int a = captionHeight - 3;
    if (a > 16) {
        a = 17;
    }
    for (int i = 0; i < 3; ++i) {
        int right = width - 2 - i * a;
        out[i] = RECT{right - a, 2, right, a + 1};
    }
}

std::vector<int> TabStopsFromLines(const std::vector<std::string>& lines) {
    std::vector<int> stops;
    for (std::size_t i = 0; i < lines.size() && i < 10; ++i) {
        const std::string& s = lines[i];
        bool digits = !s.empty() && s.size() <= 9 &&
                      std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
        stops.push_back(digits ? std::stoi(s) : 0);
    }
    return stops;
}

} // namespace qv
