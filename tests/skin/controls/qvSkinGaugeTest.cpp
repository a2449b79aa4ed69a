#include "skin/controls/qvSkinCtrls.h"

#include "ControlsFixture.h"
#include "skin/data/qvUtils.h"

using namespace qv;

namespace {

class SkinGauge : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        skin = EmbeddedSkin();
        gauge = new TqvSkinGauge(form);
        gauge->SetParent(form);
        gauge->SetSkinDataName("statusgauge");
        gauge->SetSkinData(skin);
        gauge->SetBounds(0, 0, 754, 20);
    }
    gfx::Bitmap Paint() {
        vcl::TBitmap image(gauge->Width(), gauge->Height());
        gauge->PaintTo(image.Canvas());
        return image.Pixels();
    }
    COLORREF Skin(int x, int y) { return skin->ExtraPicture(4)->GetColor(x, y); }
    // The box of the pixels the text changes: painted with and without it.
    RECT InkBox() {
        gfx::Bitmap with = Paint();
        const bool percent = gauge->ShowPercent();
        const bool text = gauge->ShowProgressText();
        gauge->SetShowPercent(false);
        gauge->SetShowProgressText(false);
        gfx::Bitmap without = Paint();
        gauge->SetShowPercent(percent);
        gauge->SetShowProgressText(text);
        RECT box{1000, 1000, -1, -1};
        for (int y = 0; y < with.Height(); ++y) {
            for (int x = 0; x < with.Width(); ++x) {
                if (with.GetColor(x, y) != without.GetColor(x, y)) {
                    box = RECT{std::min(int(box.left), x), std::min(int(box.top), y),
                               std::max(int(box.right), x + 1), std::max(int(box.bottom), y + 1)};
                }
            }
        }
        return box;
    }
    TqvSkinData* skin = nullptr;
    TqvSkinGauge* gauge = nullptr;
};

} // namespace

TEST_F(SkinGauge, TheMainWindowsBarIsTiledAndCapped) {
    EXPECT_EQ(gauge->SizedProgressArea, (RECT{4, 4, 752, 15}));
    gauge->SetMaxValue(9);
    gauge->SetMinValue(0);
    gauge->SetValue(3);
    EXPECT_EQ(gauge->CurrentProgressRect(), (RECT{4, 4, 253, 15})); // trunc(748 * 3 / 9) = 249
    gfx::Bitmap image = Paint();
    // progressrect 24,94,43,105 with 2-pixel caps: the tile is columns 26..40.
    for (int y : {0, 5, 10}) {
        EXPECT_EQ(image.GetColor(4, 4 + y), Skin(24, 94 + y)); // begin cap
        EXPECT_EQ(image.GetColor(6, 4 + y), Skin(26, 94 + y)); // first tile
        EXPECT_EQ(image.GetColor(6 + 15 * 9 + 7, 4 + y), Skin(33, 94 + y));
        EXPECT_EQ(image.GetColor(6 + 15 * 16 + 4, 4 + y), Skin(30, 94 + y)); // last tile, cut to 5
        EXPECT_EQ(image.GetColor(251, 4 + y), Skin(41, 94 + y));             // end cap
        EXPECT_EQ(image.GetColor(252, 4 + y), Skin(42, 94 + y));
    }
    // Past the bar the frame's own client shows: what an empty gauge draws there.
    gauge->SetValue(0);
    gfx::Bitmap empty = Paint();
    EXPECT_EQ(image.GetColor(300, 8), empty.GetColor(300, 8));
    EXPECT_NE(image.GetColor(100, 8), empty.GetColor(100, 8));
}

TEST_F(SkinGauge, RangeEdges) {
    struct Case {
        int min, max, value;
        int expectValue;
        int barWidth;
    } cases[] = {
        {0, 9, 9, 9, 748},   // full
        {0, 9, 0, 0, 0},     // empty
        {0, 0, 0, 0, 0},     // a one-line file: no division, empty bar
        {0, -1, 0, -1, 748}, // an empty file: Value clamps to -1 and the bar is full
        {0, 9, 20, 9, 748},  // clamped above
        {5, 9, 1, 5, 0},     // clamped below
    };
    for (const Case& c : cases) {
        gauge->SetMaxValue(c.max);
        gauge->SetMinValue(c.min);
        gauge->SetValue(c.value);
        EXPECT_EQ(gauge->Value(), c.expectValue) << c.min << ".." << c.max << " " << c.value;
        EXPECT_EQ(WidthOfRect(gauge->CurrentProgressRect()), c.barWidth)
            << c.min << ".." << c.max << " " << c.value;
        gauge->SetMinValue(0);
    }
}

TEST_F(SkinGauge, TextIsTheProgressTextAndTheTruncatedPercentage) {
    gauge->SetMaxValue(3);
    gauge->SetValue(2);
    EXPECT_EQ(gauge->GaugeText(), "");
    gauge->SetShowProgressText(true); // with an empty text: still nothing
    EXPECT_EQ(gauge->GaugeText(), "");
    gauge->SetShowPercent(true);
    EXPECT_EQ(gauge->GaugeText(), "66%");
    gauge->SetProgressText("Done ");
    EXPECT_EQ(gauge->GaugeText(), "Done 66%");
    // The text is drawn centred.
    gauge->SetValue(0);
    RECT ink = InkBox();
    ASSERT_GT(ink.right, 0);
    EXPECT_NEAR((ink.left + ink.right) / 2, 754 / 2, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 10, 3);
}

TEST_F(SkinGauge, AnUnchangedValueInvalidatesNothing) {
    Show();
    gauge->SetValue(40);
    UpdateWindow(form->Handle());
    RECT r;
    EXPECT_FALSE(GetUpdateRect(gauge->Handle(), &r, FALSE));
    gauge->SetValue(40);
    EXPECT_FALSE(GetUpdateRect(gauge->Handle(), &r, FALSE));
    gauge->SetValue(41);
    EXPECT_TRUE(GetUpdateRect(gauge->Handle(), &r, FALSE));
}

// The gauge repaints only when its bar or text would change; whatever the values do between two
// paints, the screen must show exactly what a fresh paint of the last value shows.
TEST_F(SkinGauge, TheScreenFollowsTheValueThroughSkippedRepaints) {
    struct Case {
        const char* look;
        bool skinned, percent, vertical;
        int min, max;
    } cases[] = {
        {"more values than pixels", true, true, false, 0, 4999},
        {"fewer values than pixels", true, true, false, 0, 59},
        {"negative range", true, false, false, -3000, -1000},
        {"default look", false, true, false, 0, 2999},
        {"vertical", false, true, true, 0, 2999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.look);
        gauge->SetSkinDataName(c.skinned ? "statusgauge" : "nosuchgauge");
        gauge->ApplySkin();
        gauge->SetVertical(c.vertical);
        gauge->SetBounds(0, 0, c.vertical ? 30 : 754, c.vertical ? 200 : 20);
        gauge->SetShowPercent(c.percent);
        gauge->SetMinValue(c.min);
        gauge->SetMaxValue(c.max);
        gauge->SetValue(c.min);
        Show();
        // Steps of one (the analysis' lines), back and forth, and jumps; a paint now and then.
        unsigned seed = 7;
        int v = c.min;
        for (int i = 0; i < 40; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int step = (seed >> 16) % 5 == 0 ? int((seed >> 8) % 997) - 400 : 1;
            for (int k = 0; k < 1 + int((seed >> 4) % 60); ++k) {
                v = std::clamp(v + step, c.min, c.max);
                gauge->SetValue(v);
            }
            UpdateWindow(form->Handle());
            gfx::Bitmap want = Paint();
            gfx::Bitmap screenNow = ScreenShot();
            const POINT o = ScreenAt(gauge, 0, 0);
            int wrong = 0;
            for (int y = 0; y < want.Height(); ++y) {
                for (int x = 0; x < want.Width(); ++x) {
                    wrong += want.GetPixel(x, y) != screenNow.GetPixel(o.x + x, o.y + y);
                }
            }
            ASSERT_EQ(wrong, 0) << "value " << gauge->Value() << " after step " << i;
        }
    }
}

TEST_F(SkinGauge, ValuesThatDrawAlikeInvalidateNothing) {
    Show();
    gauge->SetShowPercent(true);
    gauge->SetMinValue(0);
    gauge->SetMaxValue(99999); // a file of 100,000 lines on a 748-pixel bar
    gauge->SetValue(0);
    UpdateWindow(form->Handle());
    int invalidations = 0;
    for (int line = 0; line < 100000; ++line) {
        gauge->SetValue(line);
        if (GetUpdateRect(gauge->Handle(), nullptr, FALSE)) {
            ++invalidations;
            ValidateRect(gauge->Handle(), nullptr);
        }
    }
    // One for each new bar width or percentage, not one per line.
    EXPECT_GE(invalidations, 748);
    EXPECT_LE(invalidations, 748 + 100);
    // 999 and 1000 draw bars of the same width (trunc(748 * v / 99999) = 7) but "0%" and "1%".
    gauge->SetValue(999);
    ValidateRect(gauge->Handle(), nullptr);
    gauge->SetValue(1000);
    EXPECT_TRUE(GetUpdateRect(gauge->Handle(), nullptr, FALSE));
    ValidateRect(gauge->Handle(), nullptr);
    gauge->SetShowPercent(false);
    gauge->SetValue(999);
    ValidateRect(gauge->Handle(), nullptr);
    gauge->SetValue(1000);
    EXPECT_FALSE(GetUpdateRect(gauge->Handle(), nullptr, FALSE));
    // A paint handler may draw the value itself: then every change counts.
    gauge->OnGaugePaint = [](vcl::TObject*, vcl::TCanvas*, const RECT&, const RECT&) {};
    gauge->SetValue(10);
    ValidateRect(gauge->Handle(), nullptr);
    gauge->SetValue(11);
    EXPECT_TRUE(GetUpdateRect(gauge->Handle(), nullptr, FALSE));
}

TEST_F(SkinGauge, VerticalGaugeGrowsUpwardsWithRotatedText) {
    gauge->SetSkinDataName("vgauge");
    gauge->ApplySkin();
    gauge->SetBounds(0, 0, 50, 200);
    EXPECT_EQ(gauge->Width(), 20);
    EXPECT_TRUE(gauge->EffectiveVertical());
    EXPECT_EQ(gauge->SizedProgressArea, (RECT{4, 4, 15, 196}));
    gauge->SetValue(50);
    EXPECT_EQ(gauge->CurrentProgressRect(), (RECT{4, 100, 15, 196}));
    gauge->SetShowPercent(true);
    RECT ink = InkBox();
    ASSERT_GT(ink.right, 0);
    EXPECT_GT(HeightOfRect(ink), WidthOfRect(ink)); // "50%" runs up the bar, not across it
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 100, 3);
    EXPECT_NEAR((ink.left + ink.right) / 2, 10, 3);
}

TEST_F(SkinGauge, DefaultLookWithoutARecord) {
    gauge->SetSkinDataName("nosuchgauge");
    gauge->ApplySkin();
    gauge->SetBounds(0, 0, 102, 20);
    gauge->SetValue(50);
    gfx::Bitmap image = Paint();
    EXPECT_EQ(image.GetColor(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(image.GetColor(50, 10), COLORREF(13811126)); // bar: columns 1..50
    EXPECT_EQ(image.GetColor(51, 10), GetSysColor(COLOR_WINDOW));
}

TEST_F(SkinGauge, AnimationRunsItsFramesBetweenPauses) {
    const char* text = R"([SKINCONTROLS]
count=1
0=g:gauge

[g]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=5,10
righttoppoint=35,10
clientrect=2,2,38,18
progressarea=2,2,38,18
progressrect=0,20,10,30
progressanimationskinrect=0,30,30,40
progressanimationcountframes=3
progressanimationtimerinterval=50
)";
    LoadText(*skin, text, {gfx::Bitmap(40, 40)});
    gauge->SetSkinDataName("g");
    gauge->SetProgressAnimationPause(1000);
    gauge->ApplySkin();
    gauge->StartProgressAnimation();
    EXPECT_EQ(gauge->ProgressAnimationFrame(), 0);
    std::vector<int> frames;
    for (int t = 0; t < 300; t += 10) {
        Advance(10);
        if (frames.empty() || frames.back() != gauge->ProgressAnimationFrame()) {
            frames.push_back(gauge->ProgressAnimationFrame());
        }
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 0})); // a run, then the pause
    Advance(1000);
    EXPECT_GT(gauge->ProgressAnimationFrame(), 0); // the next run after the pause
    gauge->StopProgressAnimation();
    Advance(300);
    EXPECT_EQ(gauge->ProgressAnimationFrame(), 0);
}
