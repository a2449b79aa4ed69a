#include "platform/gfx/Bitmap.h"

#include <gtest/gtest.h>

using gfx::Bitmap;

TEST(Bitmap, EmptyAtZeroSizeAndNegativeSizesClampToEmpty) {
    Bitmap b;
    EXPECT_TRUE(b.Empty());
    b.Resize(-3, 5);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);
}

TEST(Bitmap, CheckedAccessOutsideDoesNothing) {
    Bitmap b(2, 2, 0x112233);
    b.SetPixel(2, 0, 0xFFFFFF);
    b.SetPixel(-1, 1, 0xFFFFFF);
    EXPECT_EQ(b.GetPixel(5, 5), 0u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(b.GetPixel(x, y), 0x112233u);
}

TEST(Bitmap, ColorrefAndPixelOrderDiffer) {
    Bitmap b(1, 1);
    b.SetColor(0, 0, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(b.GetPixel(0, 0), 0x102030u); // red in the third byte, as in a DIB
    EXPECT_EQ(b.GetColor(0, 0), RGB(0x10, 0x20, 0x30));
}

TEST(WinTypes, IntersectAndUnion) {
    EXPECT_EQ(IntersectRect({0, 0, 10, 10}, {5, 5, 20, 20}), (RECT{5, 5, 10, 10}));
    EXPECT_EQ(IntersectRect({0, 0, 10, 10}, {10, 0, 20, 10}), RECT{});
    EXPECT_EQ(UnionRect({0, 0, 0, 0}, {1, 2, 3, 4}), (RECT{1, 2, 3, 4}));
    EXPECT_EQ(UnionRect({0, 0, 2, 2}, {5, 5, 6, 7}), (RECT{0, 0, 6, 7}));
}
