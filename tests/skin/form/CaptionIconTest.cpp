// The skinned caption's system-menu place shows the form's small icon (WM_SETICON) when the form
// has one, and the system-menu glyph otherwise.
#include "FormSkinFixture.h"

#include "platform/gfx/GdiBitmap.h"

using namespace qv;

namespace {

class CaptionIcon : public FormSkinFixture {};

int RedPixelsInCaption(const gfx::Bitmap& frame) {
    int red = 0;
    for (int y = 0; y < 27; ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            red += (frame.GetPixel(x, y) & 0xFFFFFF) == 0xFF0000;
        }
    }
    return red;
}

TEST_F(CaptionIcon, TheSystemMenuPlaceShowsTheSmallIcon) {
    Skinned s = MakeForm(100, 100, 400, 300);
    s.skin->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    s.skin->SetShowIcon(true);
    Settle();
    EXPECT_EQ(RedPixelsInCaption(PrintFrame(s.form)), 0);

    HBITMAP colour = gfx::CreateBitmapFrom(gfx::Bitmap(16, 16, 0xFFFF0000u));
    HBITMAP mask = CreateBitmap(16, 16, 1, 32, nullptr);
    ICONINFO info;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    SendMessage(s.form->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    // The icon fills the small-icon square at the system-menu button's place.
    EXPECT_EQ(RedPixelsInCaption(PrintFrame(s.form)), 16 * 16);

    SendMessage(s.form->Handle(), WM_SETICON, ICON_SMALL, 0);
    EXPECT_EQ(RedPixelsInCaption(PrintFrame(s.form)), 0);
    DeleteObject(colour);
    DeleteObject(mask);
    DestroyIcon(icon);
}

} // namespace
