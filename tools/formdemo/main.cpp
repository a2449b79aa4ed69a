// formdemo: a form with the skinned panel, labels, buttons and gauge and a timer, built the way
// the program's windows are built (components in order, then Loaded, then OnCreate), and the
// native controls: a report list, a list box, an edit, a memo, and the skinned folder tree with
// its two bars (FORMDEMO_TREE_PATH selects a folder at start; a click in the list box selects
// its folder when it exists). Not part of the product.
//
// For end-to-end tests it prints "ready hello-at X Y" (the Hello button's centre on the screen)
// once it is shown, and "hello N" for each click of the Hello button.

#include "framework/Edit.h"
#include "framework/Forms.h"
#include "framework/ListBox.h"
#include "framework/ListView.h"
#include "framework/Timer.h"
#include "framework/TreeView.h"
#include "skin/controls/qvSkinComboBox.h"
#include "skin/controls/qvSkinCtrls.h"
#include "skin/controls/qvSkinExCtrls.h"
#include "skin/data/qvSkinContainer.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"
#include "skin/shell/qvSkinShellCtrls.h"

#include "EmbeddedSkin.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>

using namespace vcl;

namespace {

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner) : TForm(owner) {
        TFormLoader load(this);
        SetCaption("Framework demo");
        SetPosition(poScreenCenter);
        SetClientSize(760, 460);

        MakeSkinnedControls(load);

        ticker = load.Create<TTimer>("ticker");
        ticker->SetInterval(1000);
        ticker->SetOnTimer([this](TObject*) { Tick(); });

        announce = load.Create<TTimer>("announce");
        announce->SetInterval(300);
        announce->SetOnTimer([this](TObject*) { Announce(); });

        MakeNativeControls(load);
        MakeComboBox(load);

        // The frame is the program's skinned frame, over the embedded skin.
        qvform1 = load.Create<qv::TqvVeltrane>("qvform1");
        qvform1->SetBorderIcons(qv::biMinimize | qv::biMaximize);
        qvform1->PositionInMonitor = qv::qvpScreenCenter;
        // The client keeps its size whatever frame the skin gives.
        qvform1->ClientWidth = 760;
        qvform1->ClientHeight = 460;
        skin = load.Create<qv::TqvSkinData>("skin");
        load.Reference([this] {
            qvform1->SetSkinData(skin);
            for (qv::TqvSkinControl* c :
                 {static_cast<qv::TqvSkinControl*>(top), static_cast<qv::TqvSkinControl*>(hello),
                  static_cast<qv::TqvSkinControl*>(quit), static_cast<qv::TqvSkinControl*>(gauge)}) {
                c->SetSkinData(skin);
            }
            title->SetSkinData(skin);
            reportHBar->SetSkinData(skin);
            reportVBar->SetSkinData(skin);
            report->SetSkinData(skin);
            report->SetHScrollBar(reportHBar);
            report->SetVScrollBar(reportVBar);
            clock->SetSkinData(skin);
            link->SetSkinData(skin);
            cbb1->SetSkinData(skin);
        });

        OnCreate = [this](TObject*) { Tick(); };
        OnActivate = [this](TObject*) { ReportComboBox("shown"); };
        load.Finish();
        if (std::getenv("FORMDEMO_NO_SKIN") == nullptr) {
            skin->LoadFromContainer(
                qv::InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize)));
        }
        if (const char* path = std::getenv("FORMDEMO_TREE_PATH")) ShowFolder(path);
    }

    qv::TqvVeltrane* qvform1 = nullptr;
    qv::TqvSkinData* skin = nullptr;

private:
    // The skinned controls of the program's windows: a tool-bar panel with a prompt and a link,
    // buttons, a clock label and a status gauge, all on the "panel", "stdlabel", "button" and
    // "statusgauge" sections of the skin.
    void MakeSkinnedControls(TFormLoader& load) {
        top = load.Create<qv::TqvSkinPanel>("top");
        top->SetParent(this);
        top->SetBounds(0, 0, 760, 41);
        top->SetAlign(alTop);

        title = load.Create<qv::TqvSkinStdLabel>("title");
        title->SetParent(top);
        title->SetBounds(12, 14, 200, 16);
        title->SetCaption("Press Enter, Escape or a button");

        link = load.Create<qv::TqvSkinLinkLabel>("link");
        link->SetParent(top);
        link->SetBounds(560, 14, 180, 16);
        link->SetAnchors(akTop | akRight);
        link->SetCaption("www.example.com");
        link->URLOpener = [](const std::string& url) { std::printf("open %s\n", url.c_str()); };
        link->SetURL("http://www.example.com/");

        clock = load.Create<qv::TqvSkinStdLabel>("clock");
        clock->SetParent(this);
        clock->SetBounds(10, 60, 200, 16);

        hello = load.Create<qv::TqvSkinButton>("hello");
        hello->SetParent(this);
        hello->SetBounds(570, 414, 85, 25);
        hello->SetAnchors(akRight | akBottom);
        hello->SetCaption("&Hello");
        hello->SetDefault(true);
        hello->OnClick = [this](TObject*) { HelloClick(); };

        quit = load.Create<qv::TqvSkinXFormButton>("quit");
        quit->SetParent(this);
        quit->SetBounds(665, 414, 85, 25);
        quit->SetAnchors(akRight | akBottom);
        quit->SetCaption("Close");
        quit->SetCancel(true);
        quit->SetCanFocused(true); // a form-style button answers Escape only when it can take the focus
        quit->OnClick = [this](TObject*) { Close(); };

        gauge = load.Create<qv::TqvSkinGauge>("gauge");
        gauge->SetParent(this);
        gauge->SetSkinDataName("statusgauge");
        gauge->SetBounds(0, 440, 760, 20);
        gauge->SetAlign(alBottom);
        gauge->SetMaxValue(59);
        gauge->SetShowPercent(true);
    }

    void MakeNativeControls(TFormLoader& load) {
        // The skinned report list of the main window with its two bars, here in a box of its own;
        // FORMDEMO_ROWS sets the number of rows (1,000 by default).
        reportBox = load.Create<TPanel>("reportBox");
        reportBox->SetParent(this);
        reportBox->SetBounds(10, 90, 480, 180);
        reportBox->SetBevelOuter(bvNone);
        reportHBar = load.Create<qv::TqvSkinScrollBar>("reportHBar");
        reportHBar->SetParent(reportBox);
        reportHBar->SetAlign(alBottom);
        reportVBar = load.Create<qv::TqvSkinScrollBar>("reportVBar");
        reportVBar->SetKind(qv::sbVertical);
        reportVBar->SetSkinDataName("vscrollbar");
        reportVBar->SetBounds(0, 0, 17, 100);
        reportVBar->SetParent(reportBox);
        reportVBar->SetAlign(alRight);
        report = load.Create<qv::TqvSkinListView>("report");
        report->SetParent(reportBox);
        report->SetAlign(alClient);
        report->SetViewStyle(vsReport);
        report->SetRowSelect(true);
        report->SetGridLines(true);
        report->SetHideSelection(false);
        const char* captions[] = {"No.", "File", "Size (KB)", "Google", "Bing", "Baidu", "Yahoo"};
        int widths[] = {50, 160, 90, 80, 80, 80, 80};
        for (int i = 0; i < 7; ++i) {
            TListColumn* c = report->Columns()->Add();
            c->SetCaption(captions[i]);
            c->SetWidth(widths[i]);
            c->SetAlignment(i >= 2 ? TAlignment::taRightJustify : TAlignment::taCenter);
        }
        const char* rows = std::getenv("FORMDEMO_ROWS");
        int count = rows != nullptr ? std::atoi(rows) : 1000;
        report->Items()->BeginUpdate();
        for (int i = 0; i < count; ++i) {
            TListItem* row = report->Items()->Add();
            row->SetCaption(std::to_string(i + 1));
            row->SubItems()->Add("u_ex2612" + std::to_string(10 + i % 20) + ".log");
            row->SubItems()->Add(std::to_string(100 + 37 * i));
            for (int c = 0; c < 4; ++c)
                row->SubItems()->Add(std::to_string((i * (7 + c)) % 23));
        }
        report->Items()->EndUpdate();

        folders = load.Create<TListBox>("folders");
        folders->SetParent(this);
        folders->SetBounds(500, 90, 250, 100);
        for (const char* f : {"/var/log/iis", "/srv/www/logs", "/home/ops/logs", "/mnt/backup/w3svc1"})
            folders->Items()->Add(f);
        folders->OnClick = [this](TObject*) {
            if (folders->ItemIndex() < 0) return;
            std::string path = folders->Items()->Get(folders->ItemIndex());
            folder->SetText(path);
            ShowFolder(path);
        };

        folder = load.Create<TEdit>("folder");
        folder->SetParent(this);
        folder->SetBounds(500, 200, 250, 22);
        folder->SetText("/var/log/iis");

        notes = load.Create<TMemo>("notes");
        notes->SetParent(this);
        notes->SetBounds(10, 280, 480, 135);
        notes->SetScrollBars(ssBoth);
        for (int i = 0; i < 20; ++i)
            notes->Lines()->Add("Line " + std::to_string(i + 1) + " of the notes");

        treeV = load.Create<qv::TqvSkinScrollBar>("treeV");
        treeV->SetParent(this);
        treeV->SetKind(qv::sbVertical);
        treeV->SetSkinDataName("vscrollbar");
        treeV->SetBounds(733, 232, 17, 166);
        treeH = load.Create<qv::TqvSkinScrollBar>("treeH");
        treeH->SetParent(this);
        treeH->SetBounds(500, 398, 250, 17);
        tree = load.Create<qv::TqvSkinDirTreeView>("tree");
        tree->SetParent(this);
        tree->SetBounds(500, 232, 233, 166);
        tree->SetHideSelection(false);
        load.Reference([this] {
            treeV->SetSkinData(skin);
            treeH->SetSkinData(skin);
            tree->SetSkinData(skin);
            tree->SetVScrollBar(treeV);
            tree->SetHScrollBar(treeH);
        });
    }

    // Selects a folder in the tree; a path that does not exist changes nothing.
    void ShowFolder(const std::string& path) {
        try {
            tree->SetPath(path);
        } catch (const qv::EInvalidPath&) {
        }
    }

    // A skinned drop-down box of folders. Its events are reported on standard output with where
    // the focus and the activation are, for the end-to-end test.
    void MakeComboBox(TFormLoader& load) {
        cbb1 = load.Create<qv::TqvSkinComboBox>("cbb1");
        cbb1->SetParent(this);
        cbb1->SetBounds(230, 56, 260, 22);
        for (const char* f :
             {"/var/log/iis", "/srv/www/logs", "/home/ops/\xE6\x97\xA5\xE5\xBF\x97", "/mnt/backup/w3svc1",
              "/mnt/backup/w3svc2", "/data/iis/site1", "/data/iis/site2", "/data/iis/site3",
              "/data/iis/site4", "/data/iis/site5", "/data/iis/site6", "/data/iis/site7"})
            cbb1->Items()->Add(f);
        cbb1->SetItemIndex(0);
        cbb1->OnDropDown = [this](TObject*) { ReportComboBox("dropdown"); };
        cbb1->OnChange = [this](TObject*) { ReportComboBox("change"); };
        cbb1->OnCloseUp = [this](TObject*) { ReportComboBox("closeup"); };
    }

    void ReportComboBox(const char* what) {
        if (!cbb1->HandleAllocated() || !HandleAllocated()) return;
        RECT r{0, 0, cbb1->Width(), cbb1->Height()};
        POINT tl = cbb1->ClientToScreen(POINT{0, 0});
        std::printf("cbb1 %s box=%ld,%ld,%ld,%ld text=%s focus=%d active=%d\n", what, long(tl.x), long(tl.y),
                    long(tl.x + r.right), long(tl.y + r.bottom), cbb1->GetText().c_str(),
                    GetFocus() == cbb1->Handle() ? 1 : 0, GetActiveWindow() == Handle() ? 1 : 0);
        std::fflush(stdout);
    }

    void HelloClick() {
        ++clicks;
        std::printf("hello %d\n", clicks);
        std::fflush(stdout);
        title->SetCaption("Hello number " + std::to_string(clicks));
    }

    void Announce() {
        announce->SetEnabled(false);
        POINT centre = hello->ClientToScreen(POINT{hello->Width() / 2, hello->Height() / 2});
        std::printf("ready hello-at %d %d\n", int(centre.x), int(centre.y));
        std::fflush(stdout);
    }

    void Tick() {
        std::time_t now = std::time(nullptr);
        char text[64];
        std::strftime(text, sizeof(text), "It is %H:%M:%S", std::localtime(&now));
        clock->SetCaption(text);
        gauge->SetValue(int(now % 60));
    }

    qv::TqvSkinPanel* top = nullptr;
    qv::TqvSkinStdLabel* title = nullptr;
    qv::TqvSkinLinkLabel* link = nullptr;
    qv::TqvSkinStdLabel* clock = nullptr;
    qv::TqvSkinButton* hello = nullptr;
    qv::TqvSkinXFormButton* quit = nullptr;
    qv::TqvSkinGauge* gauge = nullptr;
    TTimer* ticker = nullptr;
    TTimer* announce = nullptr;
    TPanel* reportBox = nullptr;
    qv::TqvSkinScrollBar* reportHBar = nullptr;
    qv::TqvSkinScrollBar* reportVBar = nullptr;
    qv::TqvSkinListView* report = nullptr;
    TListBox* folders = nullptr;
    TEdit* folder = nullptr;
    TMemo* notes = nullptr;
    qv::TqvSkinScrollBar* treeV = nullptr;
    qv::TqvSkinScrollBar* treeH = nullptr;
    qv::TqvSkinDirTreeView* tree = nullptr;
    qv::TqvSkinComboBox* cbb1 = nullptr;
    int clicks = 0;
};

} // namespace

int main() {
    try {
        TApplication app(nullptr);
        app.Initialize();
        app.SetTitle("formdemo");
        TDemoForm* form = nullptr;
        app.CreateForm(form);
        app.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formdemo: %s\n", e.what());
        return 1;
    }
    return 0;
}
