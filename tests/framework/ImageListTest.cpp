#include "framework/ImageList.h"
#include "framework/Canvas.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST(TImageList, AddMaskedAndDrawOnACanvas) {
    TImageList list(nullptr);
    list.SetSize(16, 18);
    TBitmap strip(32, 18);
    // Image 0: red with a fuchsia (transparent) border column; image 1: solid blue.
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 32; ++x)
            strip.Pixels().SetColor(x, y,
                                    x == 0   ? RGB(255, 0, 255)
                                    : x < 16 ? RGB(255, 0, 0)
                                             : RGB(0, 0, 255));
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap target(40, 20);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(RECT{0, 0, 40, 20});
    list.Draw(target.Canvas(), 2, 1, 0);
    list.Draw(target.Canvas(), 20, 1, 1);
    list.Draw(target.Canvas(), 0, 0, 7);                           // out of range: nothing
    EXPECT_EQ(target.Pixels().GetColor(2, 5), RGB(255, 255, 255)); // masked column
    EXPECT_EQ(target.Pixels().GetColor(3, 5), RGB(255, 0, 0));
    EXPECT_EQ(target.Pixels().GetColor(17, 18), RGB(255, 0, 0));
    EXPECT_EQ(target.Pixels().GetColor(20, 1), RGB(0, 0, 255));
    EXPECT_EQ(target.Pixels().GetColor(36, 19), RGB(255, 255, 255));
}

TEST(TImageList, ChangingTheSizeEmptiesTheList) {
    TImageList list(nullptr);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    TBitmap image(16, 16);
    list.Add(&image, nullptr);
    EXPECT_EQ(list.Count(), 1);
    list.SetSize(16, 16); // unchanged: keeps the images
    EXPECT_EQ(list.Count(), 1);
    list.SetHeight(18);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Height(), 18);
    EXPECT_EQ(changes, 2);
    TBitmap narrow(8, 18);
    EXPECT_EQ(list.Add(&narrow, nullptr), -1);
}
