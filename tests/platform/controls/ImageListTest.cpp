#include "platform/controls/ImageList.h"

#include <gtest/gtest.h>

TEST(ImageList, MaskedImagesDrawOnlyTheirOpaquePixels) {
    HIMAGELIST list = ImageList_Create(4, 3, ILC_COLOR32 | ILC_MASK, 2, 2);
    // Two images in one strip: red with a magenta (transparent) left column, then blue.
    gfx::Bitmap strip(8, 3, 0x0000FF);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            strip.SetPixel(x, y, 0xFF0000);
        strip.SetPixel(0, y, 0xFF00FF);
    }
    HBITMAP h = gfx::CreateBitmapFrom(strip);
    EXPECT_EQ(ImageList_AddMasked(list, h, RGB(255, 0, 255)), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 3);

    gfx::Bitmap target(10, 5, 0x00FF00);
    HBITMAP th = gfx::WrapBitmap(&target);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, th);
    EXPECT_TRUE(ImageList_Draw(list, 0, dc, 1, 1, ILD_TRANSPARENT));
    EXPECT_TRUE(ImageList_Draw(list, 1, dc, 6, 1, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(list, 2, dc, 0, 0, ILD_NORMAL));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(th);
    DeleteObject(h);

    EXPECT_EQ(target.GetPixel(1, 1), 0x00FF00u); // masked column keeps the background
    EXPECT_EQ(target.GetPixel(2, 1), 0xFF0000u);
    EXPECT_EQ(target.GetPixel(4, 3), 0xFF0000u);
    EXPECT_EQ(target.GetPixel(5, 1), 0x00FF00u);
    EXPECT_EQ(target.GetPixel(6, 1), 0x0000FFu);
    EXPECT_EQ(target.GetPixel(9, 4), 0x00FF00u);
    ImageList_Destroy(list);
}
