#include "platform/shell/ShellIcons.h"

#include "platform/gfx/Bitmap.h"

namespace shell {

HIMAGELIST CreateShellIconList() {
    HIMAGELIST list = ImageList_Create(kShellIconSize, kShellIconSize, ILC_COLOR32 | ILC_MASK,
                                       kShellIconImages, 0);
    gfx::Bitmap strip(kShellIconSize * kShellIconImages, kShellIconSize);
    gfx::Bitmap mask(kShellIconSize * kShellIconImages, kShellIconSize);
    for (int icon = 0; icon < kShellIconImages; ++icon)
        for (int y = 0; y < kShellIconSize; ++y)
            for (int x = 0; x < kShellIconSize; ++x) {
                std::uint32_t argb = kShellIconPixels[icon][y * kShellIconSize + x];
                bool transparent = (argb >> 24) == 0;
                strip.SetPixel(icon * kShellIconSize + x, y, argb & 0xFFFFFF);
                mask.SetPixel(icon * kShellIconSize + x, y, transparent ? 0xFFFFFF : 0);
            }
    list->Add(strip, &mask);
    return list;
}

} // namespace shell
