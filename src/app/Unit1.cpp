#include "app/Unit1.h"

#include "app/FolderHistory.h"

#include "framework/GraphicsObjects.h"
#include "framework/Stream.h"

#include "EmbeddedSkin.h"

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
    : TForm1(owner, PendingOptions() ? *std::exchange(PendingOptions(), std::nullopt) : DefaultMainWindowOptions()) {}

TForm1::TForm1(vcl::TComponent* owner, MainWindowOptions options) : vcl::TForm(owner), options_(std::move(options)) {
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
    load.Finish();
}

TForm1::~TForm1() = default;

void TForm1::CreateComponents(vcl::TFormLoader& load) {
    ImageList1 = load.Create<vcl::TImageList>("ImageList1");
    ImageList1->SetSize(16, 18);

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

    load.Reference([this] { qvform1->SetSkinData(qvskindata1); });
    // Setting the stored skin loads it at once, so the window is skinned from its first paint.
    load.Reference([this] { qvskindata1->SetCompressedStoredSkin(qvcmprsdstrdskn1); });
}

void TForm1::FormCreate(vcl::TObject*) {
    Analysis = std::make_unique<CrawlerAnalysis>(MakeSignatureList());
}

void TForm1::qvSkinXFormButton1Click(vcl::TObject*) {}

} // namespace app
