// Icons: made from a colour bitmap with alpha or with a mask, blended by DrawIconEx, kept by a
// window through WM_SETICON / WM_GETICON and handed to the desktop for top-level windows.
#include "UiFixture.h"

#include "platform/ui/Icon.h"

using namespace uitest;

namespace {

constexpr gfx::Pixel kRed = 0xFF0000;
constexpr gfx::Pixel kBlue = 0x0000FF;

// A 4 x 4 icon: the left half opaque red, the right half red at the given alpha (bits 24..31).
HICON RedIcon(std::uint32_t rightAlpha) {
    gfx::Bitmap colour(4, 4, kRed | 0xFF000000u);
    for (int y = 0; y < 4; ++y) {
        for (int x = 2; x < 4; ++x) {
            colour.SetPixel(x, y, kRed | (rightAlpha << 24));
        }
    }
    HBITMAP c = gfx::CreateBitmapFrom(colour); // CreateBitmap would clear the alpha bytes
    HBITMAP m = CreateBitmap(4, 4, 1, 32, nullptr);
    ICONINFO info;
    info.hbmColor = c;
    info.hbmMask = m;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(c);
    DeleteObject(m);
    return icon;
}

class Icon : public UiFixture {};

TEST_F(Icon, DrawIconExBlendsByAlphaOrByMask) {
    struct Case {
        const char* what;
        std::uint32_t rightAlpha;
        gfx::Pixel right; // what the right half leaves on blue
    } cases[] = {
        {"transparent", 0x00, kBlue},
        {"half", 0x80, 0x80007F}, // (255 * 128 + 0 * 127) / 255 red, (255 * 127) / 255 blue
        {"opaque", 0xFF, kRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HICON icon = RedIcon(c.rightAlpha);
        ASSERT_NE(icon, nullptr);
        gfx::Bitmap canvas(10, 10, kBlue);
        HBITMAP target = WrapBitmap(&canvas);
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, target);
        EXPECT_TRUE(DrawIconEx(dc, 2, 3, icon, 0, 0, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(canvas.GetPixel(2, 3) & 0xFFFFFF, kRed);
        EXPECT_EQ(canvas.GetPixel(5, 6) & 0xFFFFFF, c.right);
        EXPECT_EQ(canvas.GetPixel(6, 3) & 0xFFFFFF, kBlue); // beside the icon
        // Scaled to 8 x 8: the opaque half covers columns 2..5.
        EXPECT_TRUE(DrawIconEx(dc, 2, 0, icon, 8, 8, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(canvas.GetPixel(5, 7) & 0xFFFFFF, kRed);
        DeleteDC(dc);
        DeleteObject(target);
        EXPECT_TRUE(DestroyIcon(icon));
        EXPECT_FALSE(DestroyIcon(icon));
    }
    // Without alpha the mask decides: black is the picture, white lets the background show.
    gfx::Bitmap mask(4, 4, 0);
    mask.SetPixel(0, 0, 0xFFFFFF);
    HBITMAP c = CreateBitmap(4, 4, 1, 32, gfx::Bitmap(4, 4, kRed).Data());
    HBITMAP m = CreateBitmap(4, 4, 1, 32, mask.Data());
    ICONINFO info;
    info.hbmColor = c;
    info.hbmMask = m;
    HICON icon = CreateIconIndirect(&info);
    EXPECT_EQ(ui::IconImage(icon)->GetPixel(0, 0), 0u);
    EXPECT_EQ(ui::IconImage(icon)->GetPixel(1, 0), kRed | 0xFF000000u);
    DestroyIcon(icon);
    info.hbmMask = nullptr;
    EXPECT_EQ(CreateIconIndirect(&info), nullptr);
    DeleteObject(c);
    DeleteObject(m);
    // The stock icons have no picture to draw.
    gfx::Bitmap canvas(4, 4);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = WrapBitmap(&canvas);
    SelectObject(dc, target);
    EXPECT_FALSE(DrawIconEx(dc, 0, 0, LoadIcon(nullptr, IDI_APPLICATION), 0, 0, 0, nullptr, DI_NORMAL));
    DeleteDC(dc);
    DeleteObject(target);
}

TEST_F(Icon, AWindowKeepsTwoIconsAndShowsTheDesktopTheBigOne) {
    HICON small = RedIcon(0xFF);
    HICON big = RedIcon(0x80);
    HWND w = Top(WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 100});
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_SMALL2, 0), 0);
    EXPECT_EQ(SendMessage(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)), 0);
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(w, WM_GETICON, ICON_SMALL2, 0)), small);
    // Shown with only the small icon: the desktop gets it; then the big one replaces it.
    ShowWindow(w, SW_SHOW);
    Pump();
    const ui::Window* win = ui::WS().Get(w);
    ASSERT_NE(win->native, 0u);
    EXPECT_EQ(screen->Native(win->native)->icon, small->image);
    EXPECT_EQ(SendMessage(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
    EXPECT_EQ(screen->Native(win->native)->icon, big->image);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(w, WM_SETICON, ICON_BIG, 0)), big);
    EXPECT_EQ(screen->Native(win->native)->icon, small->image);
    // An icon given before the window reaches the desktop goes with it.
    HWND later = Top(WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 100});
    SendMessage(later, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    ShowWindow(later, SW_SHOW);
    Pump();
    EXPECT_EQ(screen->Native(ui::WS().Get(later)->native)->icon, big->image);
    DestroyWindow(w);
    DestroyWindow(later);
    DestroyIcon(small);
    DestroyIcon(big);
}

} // namespace
