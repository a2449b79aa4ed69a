#include "skin/shell/qvSkinSelectDirectoryDialog.h"

#include "framework/Exceptions.h"
#include "platform/fs/FileError.h"
#include "platform/fs/FindFiles.h"
#include "platform/fs/Paths.h"
#include "platform/shell/ShellFolder.h"
#include "platform/shell/ShellIcons.h"
#include "skin/data/qvResourceStr.h"

#include <filesystem>
#include <string_view>

namespace qv {
namespace {

constexpr int kDefaultDialogSize = 280;

bool IsDirectory(const std::string& path) { return !path.empty() && fs::DirectoryExists(path); }

bool IsSeparator(char c) { return std::string_view(fs::kPathSeparators).find(c) != std::string_view::npos; }

// The folder as the shell parses it: absolute (a folder typed relative to where the program
// runs), without trailing separators except for the root.
std::string ShellPathOf(const std::string& path) {
#ifdef _WIN32
    // std::filesystem reads narrow paths in the ANSI code page there; the system expands them.
    std::string absolute = fs::ExpandPath(path);
    while (absolute.size() > 3 && IsSeparator(absolute.back()))
        absolute.pop_back(); // "C:\" stays
#else
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
    if (ec || absolute.empty()) absolute = path;
    while (absolute.size() > 1 && absolute.back() == '/')
        absolute.pop_back();
#endif
    return absolute;
}

std::unique_ptr<vcl::TFont> MakeDefaultFont() {
    auto font = std::make_unique<vcl::TFont>();
    font->SetName("Arial");
    font->SetHeight(14);
    font->SetStyle(0);
    return font;
}

} // namespace

std::string SelDirText(const TqvSkinData* skin, const char* key, const char* builtIn) {
    if (skin != nullptr && skin->ResourceStrData() != nullptr) return skin->ResourceStrData()->GetResStr(key);
    return builtIn;
}

gfx::Bitmap NewFolderGlyph() {
    constexpr gfx::Pixel kKey = 0x00FF00FF; // transparent: the colour of the bottom-left pixel
    constexpr gfx::Pixel kPlus = 0x002E9E48;
    constexpr gfx::Pixel kHalo = 0x00FFFFFF;
    gfx::Bitmap glyph(kShellIconSize, kShellIconSize, kKey);
    const std::uint32_t* folder = kShellIconPixels[kIconFolder];
    for (int y = 0; y < kShellIconSize; ++y)
        for (int x = 0; x < kShellIconSize; ++x)
            if (std::uint32_t p = folder[y * kShellIconSize + x]; (p >> 24) != 0)
                glyph.Row(y)[x] = p & 0xFFFFFF;
    // A plus at the top right, two pixels thick, with a white rim so it reads over the folder.
    auto inPlus = [](int x, int y) {
        return ((x == 11 || x == 12) && y >= 0 && y <= 5) || ((y == 2 || y == 3) && x >= 9 && x <= 14);
    };
    for (int y = 0; y <= 6; ++y)
        for (int x = 8; x < kShellIconSize; ++x) {
            if (inPlus(x, y)) {
                glyph.Row(y)[x] = kPlus;
                continue;
            }
            bool rim = false;
            for (int dy = -1; dy <= 1 && !rim; ++dy)
                for (int dx = -1; dx <= 1 && !rim; ++dx)
                    rim = inPlus(x + dx, y + dy);
            if (rim) glyph.Row(y)[x] = kHalo;
        }
    glyph.Row(kShellIconSize - 1)[0] = kKey;
    return glyph;
}

// ---- the window

TqvSelDirDlgForm::TqvSelDirDlgForm(vcl::TComponent* owner, bool toolButtonsTransparent, bool showToolBar,
                                   TqvSkinData* controlSkin)
    : vcl::TForm(owner), ControlSkin(controlSkin), ToolBarShown(showToolBar) {
    SetKeyPreview(true);
    SetPosition(vcl::poScreenCenter);
    FormSkin = new TqvVeltrane(this);
    // Built in the order the alignment takes them: the tool bar first, at the top.
    if (showToolBar) CreateToolBar(toolButtonsTransparent);
    CreateFolderPanel();
    CreateButtons();
}

TqvSelDirDlgForm::~TqvSelDirDlgForm() {
    // The controls go after this body, when the window is only a form: clearing the tree then
    // must not call back into it.
    FolderTree->OnChange = nullptr;
    if (PathEdit != nullptr) PathEdit->OnKeyPress = nullptr;
    if (NewFolderButton != nullptr) NewFolderButton->OnClick = nullptr;
}

void TqvSelDirDlgForm::CreateToolBar(bool toolButtonsTransparent) {
    ToolPanel = new TqvSkinPanel(this);
    ToolPanel->SetParent(this);
    ToolPanel->SetAlign(vcl::alTop);
    ToolPanel->SetBorderStyle(bvNone);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetSkinDataName("toolpanel");

    NewFolderButton = new TqvSkinSpeedButton(this);
    NewFolderButton->SetLeft(Width()); // the right end, whatever lies there already
    NewFolderButton->SetParent(ToolPanel);
    NewFolderButton->SetAlign(vcl::alRight);
    NewFolderButton->SetDefaultHeight(25);
    NewFolderButton->SetDefaultWidth(27);
    NewFolderButton->SetSkinDataName("toolbutton");
    NewFolderButton->SetNumGlyphs(1);
    vcl::TBitmap glyph;
    glyph.SetPixels(NewFolderGlyph());
    NewFolderButton->SetGlyph(&glyph);
    NewFolderButton->SetHint(SelDirText(ControlSkin, kSelDirNewFolderHintKey, "Create New Folder"));
    NewFolderButton->SetShowHint(true);
    NewFolderButton->SetFlat(toolButtonsTransparent);
    NewFolderButton->OnClick = [this](vcl::TObject*) { NewFolderClick(); };

    ToolSpacer = new TqvSkinSpacer(this);
    ToolSpacer->SetLeft(0);
    ToolSpacer->SetParent(ToolPanel);
    ToolSpacer->SetAlign(vcl::alRight);
    ToolSpacer->SetWidth(5);

    PathEdit = new TqvSkinEdit(this);
    PathEdit->SetParent(ToolPanel);
    PathEdit->SetAlign(vcl::alClient);
    PathEdit->SetDefaultHeight(25);
    PathEdit->SetSkinDataName("tooledit");
    PathEdit->OnKeyPress = [this](vcl::TObject*, char32_t& key) { PathKeyPress(key); };
}

void TqvSelDirDlgForm::CreateFolderPanel() {
    MainPanel = new TqvSkinPanel(this);
    MainPanel->SetParent(this);
    MainPanel->SetAlign(vcl::alClient);
    MainPanel->SetBorderStyle(bvFrame);
    MainPanel->SetHeight(200);

    TreeVScrollBar = new TqvSkinScrollBar(this);
    TreeVScrollBar->SetKind(sbVertical);
    TreeVScrollBar->SetParent(MainPanel);
    TreeVScrollBar->SetAlign(vcl::alRight);
    TreeVScrollBar->SetDefaultWidth(19);
    TreeVScrollBar->SetEnabled(false);
    TreeVScrollBar->SetSkinDataName("vscrollbar");

    TreeHScrollBar = new TqvSkinScrollBar(this);
    TreeHScrollBar->SetParent(MainPanel);
    TreeHScrollBar->SetAlign(vcl::alBottom);
    TreeHScrollBar->SetDefaultHeight(19);
    TreeHScrollBar->SetEnabled(false);
    TreeHScrollBar->SetBothMarkerWidth(19);
    TreeHScrollBar->SetSkinDataName("hscrollbar");

    FolderTree = new TqvSkinDirTreeView(this);
    FolderTree->SetParent(MainPanel);
    FolderTree->SetAlign(vcl::alClient);
    FolderTree->SetHScrollBar(TreeHScrollBar);
    FolderTree->SetVScrollBar(TreeVScrollBar);
    // Log folders are often hidden ones; the root is rebuilt with them.
    FolderTree->SetObjectTypes(FolderTree->ObjectTypes() | otHidden);
    FolderTree->SetHideSelection(false);
    FolderTree->OnChange = [this](vcl::TObject*, vcl::TTreeNode*) { ShowSelectedPath(); };
}

void TqvSelDirDlgForm::CreateButtons() {
    ButtonPanel = new TqvSkinPanel(this);
    ButtonPanel->SetParent(this);
    ButtonPanel->SetAlign(vcl::alBottom);
    ButtonPanel->SetBorderStyle(bvNone);
    ButtonPanel->SetHeight(50);

    auto makeButton = [this](const char* key, const char* builtIn, int left, int result) {
        auto* button = new TqvSkinButton(this);
        button->SetCaption(SelDirText(ControlSkin, key, builtIn));
        button->SetCanFocused(true); // so that its click ends the modal run with its result
        button->SetBounds(left, 15, 70, button->Height());
        button->SetDefaultHeight(25);
        button->SetParent(ButtonPanel);
        button->SetModalResult(result);
        return button;
    };
    OKButton = makeButton(kSelDirOKKey, "OK", 20, vcl::mrOk);
    OKButton->SetDefault(true);
    CancelButton = makeButton(kSelDirCancelKey, "Cancel", 100, vcl::mrCancel);
    CancelButton->SetCancel(true);
}

void TqvSelDirDlgForm::ShowSelectedPath() {
    if (ToolBarShown && PathEdit != nullptr) PathEdit->SetText(FolderTree->SelectedPath());
}

void TqvSelDirDlgForm::PathKeyPress(char32_t& key) {
    if (key != 13) return;
    key = 0; // Enter belongs to the path field: it never reaches the default button
    const std::string text = PathEdit->Text();
    if (IsDirectory(text)) FolderTree->SetPath(ShellPathOf(text));
}

void TqvSelDirDlgForm::NewFolderClick() {
    vcl::TTreeNode* node = FolderTree->Selected();
    const std::string parent = FolderTree->SelectedPath();
    // Only a folder of the file system can hold a new folder (the computer and other virtual
    // items answer with a display name, not a path).
    if (node == nullptr || parent.empty() || !fs::IsAbsolutePath(parent)) return;
    const std::string name = SelDirText(ControlSkin, kSelDirNewFolderKey, "New Folder");
    const std::string target = IsSeparator(parent.back()) ? parent + name
                                                          : parent + fs::kPathSeparators[0] + name;
    if (IsDirectory(target)) return; // an existing one is neither numbered nor replaced
    // Through the file services: UTF-8 names on every system. Made meanwhile by someone else: fine.
    if (int error = fs::MakeFolder(target); error != 0 && !IsDirectory(target))
        throw vcl::EInOutError(vcl::SysErrorMessage(error));
    FolderTree->RefreshNode(node);
    if (vcl::TTreeNode* refreshed = FolderTree->Selected()) refreshed->Expand(false);
}

// ---- the component

TqvSkinSelectDirectoryDialog::TqvSkinSelectDirectoryDialog(vcl::TComponent* owner)
    : vcl::TComponent(owner), defaultFont_(MakeDefaultFont()) {}

TqvSkinSelectDirectoryDialog::~TqvSkinSelectDirectoryDialog() { delete dialogForm_; }

void TqvSkinSelectDirectoryDialog::SetSkinData(TqvSkinData* data) {
    skinData_ = data;
    if (data != nullptr) data->FreeNotification(this);
}

void TqvSkinSelectDirectoryDialog::SetCtrlSkinData(TqvSkinData* data) {
    ctrlSkinData_ = data;
    if (data != nullptr) data->FreeNotification(this);
}

void TqvSkinSelectDirectoryDialog::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::opRemove) return;
    if (component == skinData_) skinData_ = nullptr;
    if (component == ctrlSkinData_) ctrlSkinData_ = nullptr;
    if (component == dialogForm_) dialogForm_ = nullptr;
}

bool TqvSkinSelectDirectoryDialog::Execute() {
    if (OnShow) OnShow(this);
    dialogForm_ = new TqvSelDirDlgForm(vcl::Application, ToolButtonsTransparent, ShowToolBar, ctrlSkinData_);
    dialogForm_->FreeNotification(this);
    bool result = false;
    try {
        result = Run(dialogForm_);
    } catch (...) {
        if (OnClose) OnClose(this);
        delete dialogForm_;
        dialogForm_ = nullptr;
        throw;
    }
    if (OnClose) OnClose(this);
    delete dialogForm_;
    dialogForm_ = nullptr;
    return result;
}

bool TqvSkinSelectDirectoryDialog::Run(TqvSelDirDlgForm* form) {
    form->SetCaption(Title);
    SetUpFrameAndTree(form);
    SelectInitialFolder(form);
    SkinControls(form);
    SizeWindow(form);
    form->SetActiveControl(form->FolderTree);
    vcl::TControlTracker alive(form);
    const bool accepted = form->ShowModal() == vcl::mrOk;
    if (!alive.Alive()) return false;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    if (accepted) Directory = form->FolderTree->SelectedPath();
    return accepted;
}

void TqvSkinSelectDirectoryDialog::SetUpFrameAndTree(TqvSelDirDlgForm* form) {
    TqvVeltrane* skin = form->FormSkin;
    skin->SetBorderIcons(0); // the frame keeps only its close button
    skin->SetSkinData(skinData_);
    skin->SetMenusSkinData(ctrlSkinData_);
    skin->MinWidth = DialogMinWidth;
    skin->MinHeight = DialogMinHeight;
    skin->SetAlphaBlend(AlphaBlend);
    skin->AlphaBlendAnimation = AlphaBlendAnimation;
    skin->SetAlphaBlendValue(AlphaBlendValue);

    form->MainPanel->SetSkinData(ctrlSkinData_);
    form->FolderTree->SetDefaultFont(defaultFont_.get());
    form->FolderTree->SetSkinData(ctrlSkinData_);
}

void TqvSkinSelectDirectoryDialog::SelectInitialFolder(TqvSelDirDlgForm* form) {
    // The tree holds shell folders only while it has its window.
    form->FolderTree->HandleNeeded();
    if (IsDirectory(Directory)) form->FolderTree->SetPath(ShellPathOf(Directory));
    else form->FolderTree->SelectMyComputer();
}

void TqvSkinSelectDirectoryDialog::SkinControls(TqvSelDirDlgForm* form) {
    for (TqvSkinControl* control :
         {static_cast<TqvSkinControl*>(form->TreeHScrollBar),
          static_cast<TqvSkinControl*>(form->TreeVScrollBar), static_cast<TqvSkinControl*>(form->OKButton),
          static_cast<TqvSkinControl*>(form->CancelButton), static_cast<TqvSkinControl*>(form->ButtonPanel)})
        control->SetSkinData(ctrlSkinData_);
    form->OKButton->SetDefaultFont(defaultFont_.get());
    form->CancelButton->SetDefaultFont(defaultFont_.get());
    if (form->ToolBarShown) {
        form->ToolPanel->SetSkinData(ctrlSkinData_);
        form->NewFolderButton->SetSkinData(ctrlSkinData_);
        form->PathEdit->SetSkinData(ctrlSkinData_);
    }
}

void TqvSkinSelectDirectoryDialog::SizeWindow(TqvSelDirDlgForm* form) {
    int width = DialogWidth > 0 ? DialogWidth : kDefaultDialogSize;
    int height = DialogHeight > 0 ? DialogHeight : kDefaultDialogSize;
    if (skinData_ != nullptr && !skinData_->IsEmpty()) {
        width = std::max(width, form->FormSkin->MinFormWidth());
        height = std::max(height, form->FormSkin->MinFormHeight());
    }
    form->SetClientSize(width, height);
}

} // namespace qv
