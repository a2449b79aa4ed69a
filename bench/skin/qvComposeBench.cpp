// A 754 x 573 window drawn from a 285 x 210 form picture: the four border strips, the tiled client
// background and the window region from the mask, which the form skin rebuilds on every resize.

#include "skin/data/qvUtils.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPictureW = 285;
constexpr int kPictureH = 210;
constexpr int kWindowW = 754;
constexpr int kWindowH = 573;

// A caption 30 rows high, 4-pixel borders, corner points well inside the caption and the bottom.
const qv::TqvSkinGeometry kForm{{60, 30}, {225, 30}, {4, 200}, {281, 206}, {4, 30, 281, 206}};

gfx::Bitmap Picture() {
    gfx::Bitmap p(kPictureW, kPictureH);
    for (int y = 0; y < kPictureH; ++y)
        for (int x = 0; x < kPictureW; ++x)
            p.SetPixel(x, y, gfx::Pixel((x * 7) << 8 | (y * 3)) & 0xFFFFFF);
    return p;
}

// Black inside, with rounded top corners and a one-pixel transparent notch along the caption.
gfx::Bitmap Mask() {
    gfx::Bitmap m(kPictureW, kPictureH, 0);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6 - y; ++x) {
            m.SetPixel(x, y, 0xFFFFFF);
            m.SetPixel(kPictureW - 1 - x, y, 0xFFFFFF);
        }
    }
    for (int x = 80; x < 200; x += 4)
        m.SetPixel(x, 0, 0xFFFFFF);
    return m;
}

void BM_BorderStripsAndClient(benchmark::State& state) {
    const gfx::Bitmap P = Picture();
    const RECT S{0, 0, kPictureW, kPictureH};
    const qv::TqvSkinGeometry n = qv::AnchorSkinGeometry(kForm, kPictureW, kPictureH, kWindowW, kWindowH);
    qv::TqvComposeFlags flags; // tiled edges
    qv::TqvBorderStrips strips;
    gfx::Bitmap client;
    const RECT tile = kForm.Cl;
    const RECT area{0, 0, RectWidth(n.Cl), RectHeight(n.Cl)};
    for (auto _ : state) {
        qv::ComposeBorderStrips(P, S, kForm, n, kWindowW, kWindowH, flags, strips);
        qv::FillFromSkinRect(P, RECT{}, tile, area, area.right, area.bottom, false, 0, client);
        benchmark::DoNotOptimize(strips.Top.Data());
        benchmark::DoNotOptimize(client.Data());
    }
}
BENCHMARK(BM_BorderStripsAndClient)->Unit(benchmark::kMicrosecond);

void BM_RegionFromSkinMask(benchmark::State& state) {
    const gfx::Bitmap M = Mask();
    const qv::TqvSkinGeometry n = qv::AnchorSkinGeometry(kForm, kPictureW, kPictureH, kWindowW, kWindowH);
    for (auto _ : state) {
        gfx::Region region;
        benchmark::DoNotOptimize(qv::BuildSkinMaskRegion(M, kForm, n, kWindowW, region));
        benchmark::DoNotOptimize(region.Rects().data());
    }
}
BENCHMARK(BM_RegionFromSkinMask)->Unit(benchmark::kMicrosecond);

void BM_ComposeSkinImageWholeWindow(benchmark::State& state) {
    const gfx::Bitmap P = Picture();
    const RECT S{0, 0, kPictureW, kPictureH};
    qv::TqvComposeFlags flags;
    gfx::Bitmap D;
    for (auto _ : state) {
        qv::ComposeSkinImage(P, S, kForm, kWindowW, kWindowH, flags, D);
        benchmark::DoNotOptimize(D.Data());
    }
}
BENCHMARK(BM_ComposeSkinImageWholeWindow)->Unit(benchmark::kMicrosecond);

} // namespace
