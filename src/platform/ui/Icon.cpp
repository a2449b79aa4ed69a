#include "platform/ui/Icon.h"

#include "platform/ui/User.h"
#include "platform/ui/WindowSystem.h"

#include <set>

namespace ui {

namespace {
// The icons made and not yet destroyed: a stale or stock handle is recognised, not followed.
std::set<HICON>& LiveIcons() {
    static std::set<HICON> icons;
    return icons;
}

gfx::Pixel Blend(gfx::Pixel over, gfx::Pixel under) {
    const unsigned a = over >> 24;
    auto mix = [a](unsigned o, unsigned u) { return (o * a + u * (255 - a) + 127) / 255; };
    gfx::Pixel out = 0;
    for (int shift : {0, 8, 16}) {
        out |= gfx::Pixel(mix((over >> shift) & 0xFF, (under >> shift) & 0xFF)) << shift;
    }
    return out;
}
} // namespace

const gfx::Bitmap* IconImage(HICON icon) { return icon && LiveIcons().count(icon) ? &icon->image : nullptr; }

LRESULT SetWindowIcon(Window* w, WPARAM which, HICON icon) {
    HICON& slot = which == ICON_BIG ? w->iconBig : w->iconSmall;
    HICON old = slot;
    slot = icon;
    if (w->Visible()) {
        WS().InvalidateFrame(w); // a caption may show it
    }
    if (!w->IsChild() && w->native) {
        const gfx::Bitmap* image = DesktopIcon(w);
        WS().backend().SetNativeIcon(w->native, image ? *image : gfx::Bitmap());
    }
    return LRESULT(reinterpret_cast<std::uintptr_t>(old));
}

LRESULT GetWindowIcon(const Window* w, WPARAM which) {
    HICON icon = which == ICON_BIG ? w->iconBig : w->iconSmall;
    if (which == ICON_SMALL2 && !icon) {
        icon = w->iconBig;
    }
    return LRESULT(reinterpret_cast<std::uintptr_t>(icon));
}

const gfx::Bitmap* DesktopIcon(const Window* w) {
    const gfx::Bitmap* big = IconImage(w->iconBig);
    return big ? big : IconImage(w->iconSmall);
}

} // namespace ui

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info || !info->hbmColor || !info->hbmMask) {
        return nullptr;
    }
    gfx::Bitmap image = info->hbmColor->Pixels();
    const gfx::Bitmap& mask = info->hbmMask->Pixels();
    bool hasAlpha = false;
    for (int y = 0; y < image.Height() && !hasAlpha; ++y) {
        for (int x = 0; x < image.Width() && !hasAlpha; ++x) {
            hasAlpha = (image.GetPixel(x, y) >> 24) != 0;
        }
    }
    if (!hasAlpha) { // the mask says where: black is the picture, white the background
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                const bool opaque = (mask.GetPixel(x, y) & 0xFFFFFF) == 0;
                image.SetPixel(x, y, opaque ? image.GetPixel(x, y) | 0xFF000000u : 0);
            }
        }
    }
    HICON icon = new HICON__{std::move(image)};
    ui::LiveIcons().insert(icon);
    return icon;
}

BOOL DestroyIcon(HICON icon) {
    if (!ui::LiveIcons().erase(icon)) {
        return FALSE;
    }
    delete icon;
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT flags) {
    const gfx::Bitmap* image = ui::IconImage(icon);
    if (!dc || !image || image->Empty()) {
        return FALSE;
    }
    const int w = cx > 0 ? cx : image->Width();
    const int h = cy > 0 ? cy : image->Height();
    const bool useAlpha = (flags & DI_NORMAL) != DI_IMAGE;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            gfx::Pixel p = image->GetPixel(i * image->Width() / w, j * image->Height() / h);
            if (!useAlpha) {
                p |= 0xFF000000u;
            }
            if ((p >> 24) == 0) {
                continue;
            }
            const POINT at{x + i, y + j};
            if ((p >> 24) != 0xFF) {
                const COLORREF under = dc->GetPixel(at);
                if (under == CLR_INVALID) {
                    continue; // clipped away
                }
                p = ui::Blend(p, gfx::ColorToPixel(under));
            }
            dc->SetPixel(at, gfx::PixelToColor(p));
        }
    }
    return TRUE;
}
