// The main window's gauge as the analysis drives it: one SetValue per line of a file between two
// paints, and the cost of invalidating a window whose update region already covers the area.

#include "EmbeddedSkin.h"

#include "framework/Forms.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/controls/qvSkinGauge.h"
#include "skin/data/qvSkinContainer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct StatusGauge {
    std::unique_ptr<vcl::TApplication> app;
    std::unique_ptr<qv::TqvSkinData> skin;
    vcl::TForm* form = nullptr;
    qv::TqvSkinGauge* gauge = nullptr;

    StatusGauge() {
        ui::ResetWindowSystem(std::make_unique<ui::HeadlessBackend>());
        app = std::make_unique<vcl::TApplication>(nullptr);
        skin = std::make_unique<qv::TqvSkinData>(nullptr);
        qv::TqvBytes container =
            qv::InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
        skin->LoadFromContainer(container);
        form = new vcl::TForm(app.get());
        form->SetBounds(0, 0, 754, 573);
        gauge = new qv::TqvSkinGauge(form);
        gauge->SetParent(form);
        gauge->SetAlign(vcl::TAlign::alBottom);
        gauge->SetSkinDataName("statusgauge");
        gauge->SetShowProgressText(true);
        gauge->SetSkinData(skin.get());
        form->Show();
        app->ProcessMessages();
    }
    ~StatusGauge() {
        app.reset();
        skin.reset();
        ui::ShutdownWindowSystem();
    }
};

// A file of 100,000 lines: every line sets the value, then the window paints once.
void BM_GaugeFileOfLines(benchmark::State& state) {
    StatusGauge g;
    const int lines = int(state.range(0));
    for (auto _ : state) {
        g.gauge->SetMaxValue(lines - 1);
        g.gauge->SetMinValue(0);
        g.gauge->SetValue(0);
        for (int line = 0; line < lines; ++line) {
            g.gauge->SetValue(line);
        }
        UpdateWindow(g.form->Handle());
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_GaugeFileOfLines)->Arg(100000)->Unit(benchmark::kMillisecond);

// Invalidating the whole gauge again and again before it paints.
void BM_InvalidateCoveredWindow(benchmark::State& state) {
    StatusGauge g;
    HWND h = g.gauge->Handle();
    InvalidateRect(h, nullptr, TRUE);
    for (auto _ : state) {
        InvalidateRect(h, nullptr, TRUE);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InvalidateCoveredWindow);

// The same for a part of the window given as a rectangle (how graphic controls invalidate).
void BM_InvalidateCoveredRect(benchmark::State& state) {
    StatusGauge g;
    HWND h = g.form->Handle();
    InvalidateRect(h, nullptr, TRUE);
    const RECT r{10, 10, 200, 40};
    for (auto _ : state) {
        InvalidateRect(h, &r, TRUE);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InvalidateCoveredRect);

} // namespace
