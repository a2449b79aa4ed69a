#include "app/WindowIcon.h"

#include "AppIcon.h"

#include <algorithm>

namespace app {

namespace {

HICON MakeIcon(const AppIconPicture& picture) {
    // CreateBitmap would clear the alpha bytes: the pixels go in as they are.
    gfx::Bitmap pixels(picture.Size, picture.Size);
    std::copy_n(picture.Pixels, std::size_t(picture.Size) * std::size_t(picture.Size), pixels.Data());
    HBITMAP colour = gfx::CreateBitmapFrom(std::move(pixels));
    HBITMAP mask = CreateBitmap(picture.Size, picture.Size, 1, 32, nullptr); // the alpha decides
    ICONINFO info;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

} // namespace

void SetProgramIcon(HWND hwnd) {
    static HICON const small = MakeIcon(kAppIcons[0]);
    static HICON const big = MakeIcon(kAppIcons[1]);
    SendMessage(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessage(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
}

} // namespace app
