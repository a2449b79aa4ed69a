// The report list of the main window with 1,000 rows on the headless screen: a full repaint of
// the list (header and every visible row), and one step of scrolling through the skinned bar as
// the user drags it (the list scrolls, repaints, and the bars are brought in step).

#include "EmbeddedSkin.h"

#include "framework/Forms.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/controls/qvSkinListView.h"
#include "skin/data/qvSkinContainer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct ReportList {
    std::unique_ptr<vcl::TApplication> app;
    std::unique_ptr<qv::TqvSkinData> skin;
    vcl::TForm* form = nullptr;
    qv::TqvSkinListView* list = nullptr;
    qv::TqvSkinScrollBar* vbar = nullptr;

    ReportList() {
        ui::ResetWindowSystem(std::make_unique<ui::HeadlessBackend>());
        app = std::make_unique<vcl::TApplication>(nullptr);
        skin = std::make_unique<qv::TqvSkinData>(nullptr);
        qv::TqvBytes container =
            qv::InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
        skin->LoadFromContainer(container);
        form = new vcl::TForm(app.get());
        form->SetBounds(0, 0, 754, 573);
        auto* hbar = new qv::TqvSkinScrollBar(form);
        hbar->SetParent(form);
        hbar->SetAlign(vcl::TAlign::alBottom);
        vbar = new qv::TqvSkinScrollBar(form);
        vbar->SetKind(qv::sbVertical);
        vbar->SetSkinDataName("vscrollbar");
        vbar->SetBounds(0, 0, 17, 100);
        vbar->SetParent(form);
        vbar->SetAlign(vcl::TAlign::alRight);
        list = new qv::TqvSkinListView(form);
        list->SetParent(form);
        list->SetAlign(vcl::TAlign::alClient);
        list->SetViewStyle(vcl::vsReport);
        list->SetRowSelect(true);
        list->SetGridLines(true);
        for (int c = 0; c < 10; ++c) {
            vcl::TListColumn* col = list->Columns()->Add();
            col->SetCaption("Column " + std::to_string(c));
            col->SetWidth(c == 1 ? 160 : 62);
            col->SetAlignment(vcl::TAlignment::taCenter);
        }
        list->Items()->BeginUpdate();
        for (int i = 0; i < 1000; ++i) {
            vcl::TListItem* item = list->Items()->Add();
            item->SetCaption(std::to_string(i + 1));
            item->SubItems()->Add("u_ex2612" + std::to_string(10 + i % 20) + ".log");
            for (int c = 2; c < 10; ++c)
                item->SubItems()->Add(std::to_string((i * 37 + c * 11) % 5000));
        }
        list->Items()->EndUpdate();
        for (qv::TqvSkinScrollBar* b : {hbar, vbar})
            b->SetSkinData(skin.get());
        list->SetSkinData(skin.get());
        list->SetHScrollBar(hbar);
        list->SetVScrollBar(vbar);
        form->Show();
        app->ProcessMessages();
    }
    ~ReportList() {
        app.reset();
        skin.reset();
        ui::ShutdownWindowSystem();
    }
};

void BM_ReportListFullRepaint(benchmark::State& state) {
    ReportList r;
    HWND h = r.list->Handle();
    for (auto _ : state) {
        InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
    }
}
BENCHMARK(BM_ReportListFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_ReportListScrollStepFromBar(benchmark::State& state) {
    ReportList r;
    int step = 0;
    for (auto _ : state) {
        // Down and back up, as a drag does, each step with its repaint and the bars' sync.
        r.vbar->SetPosition((step++ % 2 == 0) ? 500 : 200);
        r.app->ProcessMessages();
    }
    if (!r.vbar->Visible()) state.SkipWithError("the vertical bar should be shown for 1,000 rows");
}
BENCHMARK(BM_ReportListScrollStepFromBar)->Unit(benchmark::kMicrosecond);

} // namespace
