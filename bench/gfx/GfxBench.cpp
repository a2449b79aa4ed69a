// BitBlt and StretchBlt of a 1000 x 1000 picture, and a repeated 100-character line of text
// (after the first call every glyph comes from the cache: the counter shows no new rasterising).
#include "platform/gfx/DCApi.h"
#include "platform/gfx/TextOut.h"
#include "platform/gfx/Utf8.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

struct Surfaces {
    gfx::Bitmap dst{1000, 1000};
    HDC dstDc = new gfx::DC(&dst);
    HDC srcDc = CreateCompatibleDC(nullptr);
    HBITMAP src;
    Surfaces() {
        gfx::Bitmap pic(1000, 1000);
        for (int y = 0; y < 1000; ++y)
            for (int x = 0; x < 1000; ++x)
                pic.SetPixel(x, y, gfx::Pixel(x * 2654435761u + y) & 0xFFFFFF);
        src = gfx::CreateBitmapFrom(std::move(pic));
        SelectObject(srcDc, src);
    }
    ~Surfaces() {
        DeleteDC(srcDc);
        DeleteObject(src);
        DeleteDC(dstDc);
    }
};

void BM_BitBlt1000(benchmark::State& state) {
    Surfaces s;
    for (auto _ : state) {
        BitBlt(s.dstDc, 0, 0, 1000, 1000, s.srcDc, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(s.dst.Data());
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}
BENCHMARK(BM_BitBlt1000);

void BM_BitBlt1000ComplexClip(benchmark::State& state) {
    Surfaces s;
    // A window with a covered hole and a rounded-ish corner: a region of several bands.
    HRGN clip = CreateRectRgn(0, 0, 1000, 1000);
    HRGN hole = CreateRectRgn(300, 300, 600, 600);
    CombineRgn(clip, clip, hole, RGN_DIFF);
    SelectClipRgn(s.dstDc, clip);
    for (auto _ : state) {
        BitBlt(s.dstDc, 0, 0, 1000, 1000, s.srcDc, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(s.dst.Data());
    }
    DeleteObject(clip);
    DeleteObject(hole);
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}
BENCHMARK(BM_BitBlt1000ComplexClip);

void BM_BitBlt1000SrcInvert(benchmark::State& state) {
    Surfaces s;
    for (auto _ : state) {
        BitBlt(s.dstDc, 0, 0, 1000, 1000, s.srcDc, 0, 0, SRCINVERT);
        benchmark::DoNotOptimize(s.dst.Data());
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}
BENCHMARK(BM_BitBlt1000SrcInvert);

void BM_StretchBlt1000(benchmark::State& state) {
    Surfaces s;
    // 700 x 1300 of the source onto the whole destination: columns dropped, rows repeated.
    for (auto _ : state) {
        StretchBlt(s.dstDc, 0, 0, 1000, 1000, s.srcDc, 0, 0, 700, 1000, SRCCOPY);
        benchmark::DoNotOptimize(s.dst.Data());
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}
BENCHMARK(BM_StretchBlt1000);

void BM_TransparentBlt1000(benchmark::State& state) {
    Surfaces s;
    for (auto _ : state) {
        TransparentBlt(s.dstDc, 0, 0, 1000, 1000, s.srcDc, 0, 0, 1000, 1000, RGB(255, 0, 255));
        benchmark::DoNotOptimize(s.dst.Data());
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}
BENCHMARK(BM_TransparentBlt1000);

void BM_TextLine100(benchmark::State& state) {
    gfx::Bitmap bmp(1200, 24, 0xFFFFFF);
    HDC dc = new gfx::DC(&bmp);
    LOGFONT lf;
    lf.lfHeight = -12;
    gfx::SetFaceName(lf, state.range(0) ? "宋体" : "Arial");
    HFONT font = CreateFontIndirect(&lf);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    std::string line;
    const char* sample = state.range(0) ? "蜘蛛统计分析日志文件百度谷歌" : "The quick brown fox jumps over ";
    while (gfx::CodePoints(line).size() < 100)
        line += sample;
    std::vector<char32_t> cps = gfx::CodePoints(line);
    cps.resize(100);
    std::string text;
    for (char32_t c : cps)
        gfx::AppendUtf8(text, c);
    TextOut(dc, 0, 4, text.c_str(), int(text.size())); // warm the glyph cache
    auto before = gfx::FontEngine::Get().RasterisedGlyphs();
    for (auto _ : state) {
        TextOut(dc, 0, 4, text.c_str(), int(text.size()));
        benchmark::DoNotOptimize(bmp.Data());
    }
    state.counters["rasterised"] = double(gfx::FontEngine::Get().RasterisedGlyphs() - before);
    state.SetItemsProcessed(state.iterations() * 100);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    DeleteDC(dc);
}
BENCHMARK(BM_TextLine100)->Arg(0)->Arg(1);

} // namespace
