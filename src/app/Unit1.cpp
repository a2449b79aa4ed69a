#include "app/Unit1.h"

#include "analysis/ReportCommand.h"
#include "app/FolderHistory.h"
#include "app/Unit2.h"

#include "framework/GraphicsObjects.h"
#include "framework/Stream.h"
#include "platform/fs/FindFiles.h"

#include "EmbeddedSkin.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace app {
namespace {

std::unique_ptr<vcl::TFont> MakeFont(const char* name, int height, vcl::TFontStyles style = 0,
                                     vcl::TColor color = vcl::clBlack) {
    auto font = std::make_unique<vcl::TFont>();
    font->SetName(name);
    font->SetHeight(height);
    font->SetStyle(style);
    font->SetColor(color);
    return font;
}

std::optional<MainWindowOptions>& PendingOptions() {
    static std::optional<MainWindowOptions> options;
    return options;
}

} // namespace

void SetMainWindowOptions(MainWindowOptions options) { PendingOptions() = std::move(options); }

MainWindowOptions DefaultMainWindowOptions() {
    MainWindowOptions options;
    options.HistoryFile = HistoryFile();
    options.ExeFolder = ExecutableFolder();
    return options;
}

TForm1::TForm1(vcl::TComponent* owner)
    : TForm1(owner, PendingOptions() ? *std::exchange(PendingOptions(), std::nullopt)
                                     : DefaultMainWindowOptions()) {}

TForm1::TForm1(vcl::TComponent* owner, MainWindowOptions options)
    : vcl::TForm(owner), options_(std::move(options)) {
    vcl::TFormLoader load(this);
    SetName("Form1");
    SetCaption(kMainCaption);
    SetClientSize(754, 573);
    SetColor(vcl::clBtnFace);
    // 宋体 with a character height of 12 (a negative height excludes the internal leading).
    SetFont(MakeFont("宋体", -12).get());
    Font()->SetCharset(0); // ANSI
    CreateComponents(load);
    OnCreate = [this](vcl::TObject* sender) { FormCreate(sender); };
    OnShortCut = [this](WORD key, vcl::TShiftState shift, bool& handled) { ShortCut(key, shift, handled); };
    load.Finish();
}

TForm1::~TForm1() {
    if (historyEditor_ != nullptr) historyEditor_->RemoveFreeNotification(this);
}

void TForm1::CreateComponents(vcl::TFormLoader& load) {
    CreatePanelControls(load);
    CreateReportControls(load);
    CreateNonVisualComponents(load);
}

void TForm1::CreatePanelControls(vcl::TFormLoader& load) {
    qvpanel1 = load.Create<qv::TqvSkinPanel>("qvpanel1");
    qvpanel1->SetParent(this);
    qvpanel1->SetBounds(0, 0, 754, 57);
    qvpanel1->SetAlign(vcl::alTop);
    qvpanel1->SetSkinDataName("panel");
    qvpanel1->SetBorderStyle(qv::TqvPanelBorderStyle::bvFrame);
    qvpanel1->SetCaption("");

    lbl1 = load.Create<qv::TqvSkinStdLabel>("lbl1");
    lbl1->SetParent(qvpanel1);
    lbl1->SetBounds(11, 15, 118, 13);
    lbl1->SetCaption("请选择IIS日志目录");
    lbl1->SetSkinDataName("stdlabel");
    lbl1->SetDefaultFont(MakeFont("MS Sans Serif", -11).get());

    cbb1 = load.Create<qv::TqvSkinComboBox>("cbb1");
    cbb1->SetParent(qvpanel1);
    cbb1->SetBounds(136, 11, 433, 20);
    cbb1->SetSkinDataName("combobox");
    cbb1->SetStyle(qv::qvcbEditStyle);
    cbb1->SetDropDownCount(8);
    cbb1->SetListBoxDefaultItemHeight(20);
    cbb1->SetAutoComplete(true);
    cbb1->SetTabOrder(3);

    btn1 = load.Create<qv::TqvSkinXFormButton>("btn1");
    btn1->SetParent(qvpanel1);
    btn1->SetBounds(578, 11, 23, 21);
    btn1->SetCaption(">>");
    btn1->SetSkinDataName("button");
    btn1->SetTabOrder(0);
    btn1->OnClick = [this](vcl::TObject* sender) { btn1Click(sender); };

    qvSkinXFormButton1 = load.Create<qv::TqvSkinXFormButton>("qvSkinXFormButton1");
    qvSkinXFormButton1->SetParent(qvpanel1);
    qvSkinXFormButton1->SetBounds(608, 11, 121, 22);
    qvSkinXFormButton1->SetCaption("分析");
    qvSkinXFormButton1->SetSkinDataName("button");
    qvSkinXFormButton1->SetUseSkinFont(false);
    qvSkinXFormButton1->SetUseSkinFontColor(false);
    qvSkinXFormButton1->SetDefaultFont(MakeFont("宋体", -12).get());
    qvSkinXFormButton1->SetFont(MakeFont("宋体", -12).get());
    qvSkinXFormButton1->SetTabOrder(1);
    qvSkinXFormButton1->OnClick = [this](vcl::TObject* sender) { qvSkinXFormButton1Click(sender); };

    btn2 = load.Create<qv::TqvSkinXFormButton>("btn2");
    btn2->SetParent(qvpanel1);
    btn2->SetBounds(584, 3, 81, 21);
    btn2->SetCaption("编辑");
    btn2->SetSkinDataName("button");
    btn2->SetDefaultFont(MakeFont("宋体", -12, 0, vcl::clRed).get());
    btn2->SetTabOrder(2);
    btn2->OnClick = [this](vcl::TObject* sender) { btn2Click(sender); };

    qvSkinLinkLabel1 = load.Create<qv::TqvSkinLinkLabel>("qvSkinLinkLabel1");
    qvSkinLinkLabel1->SetParent(qvpanel1);
    qvSkinLinkLabel1->SetBounds(136, 37, 390, 14);
    qvSkinLinkLabel1->SetCaption("Tarvel软件真诚为中小站长和网商服务，点击进入官方网站下载更多软件~！");
    qvSkinLinkLabel1->SetSkinDataName("stdlabel");
    qvSkinLinkLabel1->SetFont(MakeFont("Arial", 14, vcl::fsUnderline).get());
    qvSkinLinkLabel1->SetDefaultFont(MakeFont("Arial", 14, vcl::fsUnderline).get());
    qvSkinLinkLabel1->SetUseUnderLine(true);
    qvSkinLinkLabel1->SetDefaultActiveFontColor(vcl::clBlue);
    // The maker's web site is not known to us; the link stays empty rather than sending the
    // user to a guessed address.
    qvSkinLinkLabel1->SetURL("");
}

void TForm1::CreateReportControls(vcl::TFormLoader& load) {
    lv1 = load.Create<qv::TqvSkinListView>("lv1");
    lv1->SetParent(this);
    lv1->SetBounds(0, 57, 735, 477);
    lv1->SetAlign(vcl::alClient);
    lv1->SetSkinDataName("listview");
    lv1->SetHeaderSkinDataName("resizebutton");
    lv1->SetFont(MakeFont("Arial", 14).get());
    lv1->SetViewStyle(vcl::vsReport);
    lv1->SetRowSelect(true);
    lv1->SetTabOrder(1);
    struct Column {
        const char* Caption;
        int Width;
        vcl::TAlignment Alignment;
    } columns[] = {
        {"序号", 35, vcl::TAlignment::taLeftJustify}, {"日志名称", 100, vcl::TAlignment::taCenter},
        {"文件大小", 80, vcl::TAlignment::taCenter},  {"百度", 80, vcl::TAlignment::taCenter},
        {"谷歌", 70, vcl::TAlignment::taCenter},      {"搜搜", 70, vcl::TAlignment::taCenter},
        {"雅虎", 70, vcl::TAlignment::taCenter},      {"搜狗", 70, vcl::TAlignment::taCenter},
        {"有道", 70, vcl::TAlignment::taCenter},      {"必应", 70, vcl::TAlignment::taCenter},
    };
    for (const Column& c : columns) {
        vcl::TListColumn* column = lv1->Columns()->Add();
        column->SetCaption(c.Caption);
        column->SetWidth(c.Width);
        column->SetAlignment(c.Alignment);
    }
    lv1->OnKeyDown = [this](vcl::TObject*, WORD& key, vcl::TShiftState shift) {
        ReportListKeyDown(key, shift);
    };

    qvknscrlbr1 = load.Create<qv::TqvSkinScrollBar>("qvknscrlbr1");
    qvknscrlbr1->SetParent(this);
    qvknscrlbr1->SetBounds(0, 534, 754, 19);
    qvknscrlbr1->SetAlign(vcl::alBottom);
    qvknscrlbr1->SetVisible(false);
    qvknscrlbr1->SetKind(qv::sbHorizontal);
    qvknscrlbr1->SetSkinDataName("hscrollbar");
    qvknscrlbr1->SetBothSkinDataName("bothhscrollbar");
    qvknscrlbr1->SetBothMarkerWidth(19);
    qvknscrlbr1->SetMin(0);
    qvknscrlbr1->SetMax(729);
    qvknscrlbr1->SetPageSize(0);
    qvknscrlbr1->SetSmallChange(1);
    qvknscrlbr1->SetLargeChange(1);

    qvknscrlbr2 = load.Create<qv::TqvSkinScrollBar>("qvknscrlbr2");
    qvknscrlbr2->SetParent(this);
    qvknscrlbr2->SetBounds(735, 57, 19, 477);
    qvknscrlbr2->SetAlign(vcl::alRight);
    qvknscrlbr2->SetVisible(false);
    qvknscrlbr2->SetKind(qv::sbVertical);
    qvknscrlbr2->SetSkinDataName("vscrollbar");
    qvknscrlbr2->SetMin(0);
    qvknscrlbr2->SetMax(100);
    qvknscrlbr2->SetPageSize(21);
    qvknscrlbr2->SetSmallChange(1);
    qvknscrlbr2->SetLargeChange(21);

    qvkng1 = load.Create<qv::TqvSkinGauge>("qvkng1");
    qvkng1->SetParent(this);
    qvkng1->SetBounds(0, 553, 754, 20);
    qvkng1->SetAlign(vcl::alBottom);
    qvkng1->SetSkinDataName("statusgauge");
    qvkng1->SetShowProgressText(true);
    qvkng1->SetShowPercent(false);
    qvkng1->SetMinValue(0);
    qvkng1->SetMaxValue(100);
    qvkng1->SetValue(0);
    qvkng1->SetProgressAnimationPause(3000);
}

void TForm1::CreateNonVisualComponents(vcl::TFormLoader& load) {
    qvform1 = load.Create<qv::TqvVeltrane>("qvform1");
    qvform1->PositionInMonitor = qv::qvpScreenCenter;
    qvform1->SetBorderIcons(qv::biMinimize | qv::biMaximize);
    qvform1->SetShowIcon(true);
    qvform1->SetDefCaptionFont(MakeFont("宋体", -14, vcl::fsBold).get());
    qvform1->SetDefInActiveCaptionFont(MakeFont("Arial", 14, vcl::fsBold, vcl::clBtnShadow).get());
    qvform1->SetDefMenuItemHeight(20);
    qvform1->Magnetic = false;
    qvform1->SetAlphaBlend(false);
    qvform1->SetAlphaBlendValue(200);
    // The caption buttons name themselves in skinned hints.
    qvform1->ShowObjectHint = true;

    qvskinhint1 = load.Create<qv::TqvSkinHint>("qvskinhint1");

    qvskindata1 = load.Create<qv::TqvSkinData>("qvskindata1");
    qvskindata1->SetSkinnableForm(true);
    qvskindata1->SetEnableSkinEffects(true);
    qvskindata1->SetSkinIndex(0);

    // The stored skin is a data property of the description: the zlib stream verbatim.
    qvcmprsdstrdskn1 = load.Create<qv::TqvCompressedStoredSkin>("qvcmprsdstrdskn1");
    qvcmprsdstrdskn1->SetFileName("skin.ini");
    vcl::TMemoryStream stored;
    stored.Write(kEmbeddedSkin, kEmbeddedSkinSize);
    stored.SetPosition(0);
    qvcmprsdstrdskn1->ReadCompressedData(stored);

    // Empty, 16 x 18: as the report list's small images it makes every row 18 pixels high.
    ImageList1 = load.Create<vcl::TImageList>("ImageList1");
    ImageList1->SetSize(16, 18);

    qvSelDir1 = load.Create<qv::TqvSkinSelectDirectoryDialog>("qvSelDir1");
    qvSelDir1->Title = "选择IIS日志目录";
    // The folder the dialog starts on before the first run; btn1Click sets it from the folder
    // box anyway.
    qvSelDir1->Directory = "/";
    qvSelDir1->ShowToolBar = false;
    std::unique_ptr<vcl::TFont> dialogFont = MakeFont("宋体", -12);
    dialogFont->SetCharset(134); // GB2312
    qvSelDir1->SetDefaultFont(dialogFont.get());

    load.Reference([this] {
        qvform1->SetSkinData(qvskindata1);
        qvform1->SkinHint = qvskinhint1;
        qvskinhint1->SetSkinData(qvskindata1);
        qvpanel1->SetSkinData(qvskindata1);
        lbl1->SetSkinData(qvskindata1);
        qvSkinLinkLabel1->SetSkinData(qvskindata1);
        for (qv::TqvSkinXFormButton* button : {btn1, qvSkinXFormButton1, btn2})
            button->SetSkinData(qvskindata1);
        cbb1->SetSkinData(qvskindata1);
        lv1->SetSkinData(qvskindata1);
        lv1->SetHScrollBar(qvknscrlbr1);
        lv1->SetVScrollBar(qvknscrlbr2);
        lv1->SetSmallImages(ImageList1);
        qvknscrlbr1->SetSkinData(qvskindata1);
        qvknscrlbr2->SetSkinData(qvskindata1);
        qvkng1->SetSkinData(qvskindata1);
        qvSelDir1->SetSkinData(qvskindata1);
        qvSelDir1->SetCtrlSkinData(qvskindata1);
    });
    // Setting the stored skin loads it at once, so the window is skinned from its first paint.
    load.Reference([this] { qvskindata1->SetCompressedStoredSkin(qvcmprsdstrdskn1); });
}

void TForm1::FormCreate(vcl::TObject*) {
    Analysis = std::make_unique<analysis::CrawlerAnalysis>(analysis::MakeSignatureList());
    btn2->Hide();
    lv1->SetGridLines(true);
    if (std::optional<std::string> text = LoadFolderHistory(*cbb1->Items(), options_.HistoryFile,
                                                            options_.ExeFolder))
        cbb1->SetText(*text);
    // A folder named on the command line is shown, not remembered: it joins the history when it
    // is analysed, like a typed one.
    if (options_.Folder) cbb1->SetText(*options_.Folder);
    SaveFolderHistory(*cbb1->Items(), options_.HistoryFile);
}

namespace {

// The analysis as the window shows it: the gauge follows the lines of each file, each file adds
// a report row, and the window catches up on its messages between files.
class WindowObserver final : public analysis::AnalysisObserver {
public:
    explicit WindowObserver(TForm1& form) : form_(form) {}

    // The gauge takes 32-bit values; a file of more than 2^31 lines pins it at its end.
    static int GaugeValue(std::int64_t v) {
        return int(
            std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
    void beginFile(std::int64_t lineCount) override {
        form_.qvkng1->SetMaxValue(GaugeValue(lineCount - 1));
        form_.qvkng1->SetMinValue(0);
        form_.qvkng1->SetValue(0);
    }
    // Called once per line: the gauge only records the value and invalidates.
    void atLine(std::int64_t lineIndex) override { form_.qvkng1->SetValue(GaugeValue(lineIndex)); }
    void addRow(const analysis::ResultRow& row) override {
        std::vector<std::string> cells = row.Cells();
        vcl::TListItem* item = form_.lv1->Items()->Add();
        item->SetCaption(cells[0]);
        for (std::size_t i = 1; i < cells.size(); ++i)
            item->SubItems()->Add(cells[i]);
    }
    void fileDone() override { vcl::Application->ProcessMessages(); }

private:
    TForm1& form_;
};

} // namespace

void TForm1::qvSkinXFormButton1Click(vcl::TObject*) {
    const std::string folder = cbb1->GetText();
    AddToFolderHistory(*cbb1->Items(), folder);
    SaveFolderHistory(*cbb1->Items(), options_.HistoryFile);
    lv1->Items()->Clear();
    WindowObserver observer(*this);
    Analysis->analyseLogFiles(folder, observer);
}

void TForm1::btn1Click(vcl::TObject*) {
    qvSelDir1->Directory = cbb1->GetText();
    if (!qvSelDir1->Execute()) return;
    const std::string folder = qvSelDir1->Directory;
    cbb1->SetText(folder);
    // An empty history stays empty: the folder joins it only when it is analysed.
    if (cbb1->Items()->Count() == 0) return;
    AddToFolderHistory(*cbb1->Items(), folder);
    SaveFolderHistory(*cbb1->Items(), options_.HistoryFile);
}

void TForm1::btn2Click(vcl::TObject*) {
    if (historyEditor_ != nullptr) historyEditor_->ShowModal();
}

void TForm1::SetHistoryEditor(TForm2* editor) {
    if (historyEditor_ != nullptr && historyEditor_ != editor) historyEditor_->RemoveFreeNotification(this);
    historyEditor_ = editor;
    if (editor != nullptr) editor->FreeNotification(this);
}

void TForm1::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TForm::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove && component == historyEditor_) historyEditor_ = nullptr;
}

// Ctrl+E opens the history editor: its button is hidden, as it overlaps ">>" and "分析".
void TForm1::ShortCut(WORD key, vcl::TShiftState shift, bool& handled) {
    if (key != 'E' || (shift & (vcl::ssCtrl | vcl::ssShift | vcl::ssAlt)) != vcl::ssCtrl ||
        historyEditor_ == nullptr)
        return;
    handled = true;
    btn2Click(btn2);
}

std::string TForm1::ReportClipboardText() const {
    std::vector<std::vector<std::string>> rows;
    vcl::TListItems* items = lv1->Items();
    bool anySelected = false;
    for (int i = 0; i < items->Count() && !anySelected; ++i)
        anySelected = items->Item(i)->Selected();
    for (int i = 0; i < items->Count(); ++i) {
        vcl::TListItem* item = items->Item(i);
        if (anySelected && !item->Selected()) continue;
        std::vector<std::string> cells{item->Caption()};
        for (int j = 0; j < item->SubItems()->Count(); ++j)
            cells.push_back(item->SubItems()->Get(j));
        rows.push_back(std::move(cells));
    }
    return analysis::ReportCopyText(rows);
}

void TForm1::ReportListKeyDown(WORD& key, vcl::TShiftState shift) {
    if ((key == 'C' || key == VK_INSERT) &&
        (shift & (vcl::ssCtrl | vcl::ssShift | vcl::ssAlt)) == vcl::ssCtrl) {
        if (OpenClipboard(Handle())) {
            EmptyClipboard();
            SetClipboardData(CF_UNICODETEXT, ReportClipboardText());
            CloseClipboard();
        }
        key = 0;
    }
}

void TForm1::DropPath(const std::string& path) {
    // A dropped file stands for the folder that holds it.
    std::string folder = fs::DirectoryExists(path) ? path : path.substr(0, path.rfind('/') + 1);
    if (folder.empty()) return;
    cbb1->SetText(folder);
}

void TForm1::CreateParams(vcl::TCreateParams& params) {
    vcl::TForm::CreateParams(params);
    params.ExStyle |= WS_EX_ACCEPTFILES;
}

void TForm1::WndProc(vcl::TMessage& message) {
    if (message.Msg != WM_DROPFILES) {
        vcl::TForm::WndProc(message);
        return;
    }
    auto drop = reinterpret_cast<HDROP>(message.WParam);
    std::string path(DragQueryFile(drop, 0, nullptr, 0), '\0');
    if (!path.empty()) DragQueryFile(drop, 0, path.data(), UINT(path.size() + 1));
    DragFinish(drop);
    message.Result = 0;
    if (!path.empty()) DropPath(path);
}

} // namespace app
