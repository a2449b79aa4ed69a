#include "app/Unit2.h"

#include "app/FolderHistory.h"
#include "app/Unit1.h"

#include "framework/GraphicsObjects.h"

#include <memory>

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

} // namespace

TForm2::TForm2(vcl::TComponent* owner) : vcl::TForm(owner) {
    vcl::TFormLoader load(this);
    SetName("Form2");
    SetCaption(kHistoryEditorCaption);
    SetClientSize(526, 312);
    SetFont(MakeFont("MS Sans Serif", -11).get());
    CreateComponents(load);
    OnCreate = [this](vcl::TObject* sender) { FormCreate(sender); };
    OnShow = [this](vcl::TObject* sender) { FormShow(sender); };
    // Escape cancels, as in any dialog; the form-style buttons take no focus, so they cannot be
    // the dialog's cancel button. Enter stays a line break in the memo.
    OnShortCut = [this](WORD key, vcl::TShiftState shift, bool& handled) {
        if (key == VK_ESCAPE && (shift & (vcl::ssCtrl | vcl::ssShift | vcl::ssAlt)) == 0) {
            handled = true;
            btn2Click(btn2);
        }
    };
    load.Finish();
}

TForm2::~TForm2() = default;

void TForm2::CreateComponents(vcl::TFormLoader& load) {
    mmo1 = load.Create<qv::TqvSkinMemo>("mmo1");
    mmo1->SetParent(this);
    mmo1->SetBounds(0, 0, 507, 237);
    mmo1->SetAlign(vcl::alClient);
    mmo1->SetSkinDataName("memo");
    mmo1->SetBitMapBG(true);
    mmo1->SetFont(MakeFont("Arial", 14).get());
    mmo1->SetDefaultFont(MakeFont("Arial", 14).get());
    mmo1->SetTabOrder(0);

    qvpanel1 = load.Create<qv::TqvSkinPanel>("qvpanel1");
    qvpanel1->SetParent(this);
    qvpanel1->SetBounds(0, 256, 526, 56);
    qvpanel1->SetAlign(vcl::alBottom);
    qvpanel1->SetSkinDataName("panel");
    qvpanel1->SetBorderStyle(qv::TqvPanelBorderStyle::bvFrame);
    qvpanel1->SetCaption("qvpanel1");
    qvpanel1->SetCaptionMode(false);

    btn1 = load.Create<qv::TqvSkinXFormButton>("btn1");
    btn1->SetParent(qvpanel1);
    btn1->SetBounds(173, 16, 75, 25);
    btn1->SetCaption("保存");
    btn1->SetSkinDataName("button");
    btn1->OnClick = [this](vcl::TObject* sender) { btn1Click(sender); };

    btn2 = load.Create<qv::TqvSkinXFormButton>("btn2");
    btn2->SetParent(qvpanel1);
    btn2->SetBounds(277, 16, 75, 25);
    btn2->SetCaption("取消");
    btn2->SetSkinDataName("button");
    btn2->OnClick = [this](vcl::TObject* sender) { btn2Click(sender); };

    qvknscrlbr1 = load.Create<qv::TqvSkinScrollBar>("qvknscrlbr1");
    qvknscrlbr1->SetParent(this);
    qvknscrlbr1->SetBounds(0, 237, 526, 19);
    qvknscrlbr1->SetAlign(vcl::alBottom);
    qvknscrlbr1->SetKind(qv::sbHorizontal);
    qvknscrlbr1->SetSkinDataName("hscrollbar");
    qvknscrlbr1->SetBothSkinDataName("bothhscrollbar");
    // The vertical bar always stands beside it, so the corner under that bar stays free.
    qvknscrlbr1->SetBoth(true);

    qvknscrlbr2 = load.Create<qv::TqvSkinScrollBar>("qvknscrlbr2");
    qvknscrlbr2->SetParent(this);
    qvknscrlbr2->SetBounds(507, 0, 19, 237);
    qvknscrlbr2->SetAlign(vcl::alRight);
    qvknscrlbr2->SetKind(qv::sbVertical);
    qvknscrlbr2->SetSkinDataName("vscrollbar");

    qvform1 = load.Create<qv::TqvVeltrane>("qvform1");
    qvform1->PositionInMonitor = qv::qvpScreenCenter;
    qvform1->SetBorderIcons(qv::biSystemMenu | qv::biRollUp);
    qvform1->SetShowIcon(false);
    qvform1->SetDefCaptionFont(MakeFont("Arial", 14, vcl::fsBold).get());

    load.Reference([this] {
        mmo1->SetVScrollBar(qvknscrlbr2);
        mmo1->SetHScrollBar(qvknscrlbr1);
    });
}

TForm1* TForm2::MainWindow() const {
    return vcl::Application != nullptr ? dynamic_cast<TForm1*>(vcl::Application->MainForm()) : nullptr;
}

void TForm2::FormCreate(vcl::TObject*) {
    TForm1* main = MainWindow();
    if (main == nullptr) return;
    // Every skinned part of the dialog uses the main window's one skin.
    qv::TqvSkinData* skin = main->qvskindata1;
    mmo1->SetSkinData(skin);
    qvpanel1->SetSkinData(skin);
    btn1->SetSkinData(skin);
    btn2->SetSkinData(skin);
    qvknscrlbr1->SetSkinData(skin);
    qvknscrlbr2->SetSkinData(skin);
    qvform1->SetSkinData(skin);
    // The skinned frame is not as wide as the plain one: the client keeps its designed size.
    SetClientSize(526, 312);
    main->SetHistoryEditor(this);
}

void TForm2::FormShow(vcl::TObject*) {
    TForm1* main = MainWindow();
    if (main == nullptr) return;
    mmo1->SetLines(main->cbb1->Items());
}

void TForm2::btn1Click(vcl::TObject*) {
    TForm1* main = MainWindow();
    if (main == nullptr) return;
    // Every line, blank ones included, in order; the folder box's text stays as it is.
    vcl::TStrings* items = main->cbb1->Items();
    items->BeginUpdate();
    items->Clear();
    for (const std::string& line : mmo1->LineTexts())
        items->Add(line);
    items->EndUpdate();
    // A failure is reported by the application and leaves the dialog open.
    SaveFolderHistory(*main->cbb1->Items(), main->HistoryFileName());
    Close();
}

void TForm2::btn2Click(vcl::TObject*) { Close(); }

} // namespace app
