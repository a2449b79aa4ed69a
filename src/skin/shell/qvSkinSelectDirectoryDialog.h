#pragma once
// TqvSkinSelectDirectoryDialog: a non-visual component that asks the user for a folder. Each
// Execute builds a fresh skinned window (TqvSelDirDlgForm) with the folder tree and its two bars,
// an OK and a Cancel button and, optionally, a tool bar with a path field and a new-folder
// button; it runs the window modally and, when the user accepts, leaves the chosen folder in
// Directory. The window's size survives from run to run in DialogWidth / DialogHeight.

#include "framework/Forms.h"
#include "skin/controls/qvSkinButton.h"
#include "skin/controls/qvSkinPanel.h"
#include "skin/controls/qvSkinScrollBar.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"
#include "skin/shell/qvShellTreeView.h"
#include "skin/shell/qvSkinToolBarCtrls.h"

#include <memory>
#include <string>

namespace qv {

// The built-in texts of the dialog (a skin's resource strings replace them by key).
inline constexpr const char* kSelDirNewFolderHintKey = "MSG_BTN_NEWFOLDER_HINT";
inline constexpr const char* kSelDirOKKey = "MSG_BTN_OK";
inline constexpr const char* kSelDirCancelKey = "MSG_BTN_CANCEL";
inline constexpr const char* kSelDirNewFolderKey = "MSG_NEWFOLDER";

// The text under key in the resource strings of skin, else builtIn.
std::string SelDirText(const TqvSkinData* skin, const char* key, const char* builtIn);

// The new-folder button's glyph: a 16 x 16 folder with a plus, transparent where it has the colour
// of its bottom-left pixel.
gfx::Bitmap NewFolderGlyph();

// The window of one run.
class TqvSelDirDlgForm : public vcl::TForm {
public:
    TqvSelDirDlgForm(vcl::TComponent* owner, bool toolButtonsTransparent, bool showToolBar,
                     TqvSkinData* controlSkin);
    ~TqvSelDirDlgForm() override;

    TqvSkinData* ControlSkin = nullptr;
    bool ToolBarShown = false;
    TqvVeltrane* FormSkin = nullptr;
    TqvSkinPanel* MainPanel = nullptr;
    TqvSkinPanel* ButtonPanel = nullptr;
    TqvSkinDirTreeView* FolderTree = nullptr;
    TqvSkinScrollBar* TreeVScrollBar = nullptr;
    TqvSkinScrollBar* TreeHScrollBar = nullptr;
    TqvSkinButton* OKButton = nullptr;
    TqvSkinButton* CancelButton = nullptr;
    // Only with the tool bar.
    TqvSkinPanel* ToolPanel = nullptr;
    TqvSkinSpeedButton* NewFolderButton = nullptr;
    TqvSkinSpacer* ToolSpacer = nullptr;
    TqvSkinEdit* PathEdit = nullptr;

    // The tool bar's commands.
    void ShowSelectedPath();
    void PathKeyPress(char32_t& key);
    void NewFolderClick();

private:
    void CreateToolBar(bool toolButtonsTransparent);
    void CreateFolderPanel();
    void CreateButtons();
};

class TqvSkinSelectDirectoryDialog : public vcl::TComponent {
public:
    explicit TqvSkinSelectDirectoryDialog(vcl::TComponent* owner);
    ~TqvSkinSelectDirectoryDialog() override;

    // --- published ---
    bool ToolButtonsTransparent = false;
    // Client size of the window; 0 or less means 280. Written back after every run.
    int DialogWidth = 0;
    int DialogHeight = 0;
    int DialogMinWidth = 0;
    int DialogMinHeight = 0;
    bool AlphaBlend = false;
    BYTE AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    TqvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TqvSkinData* data);
    TqvSkinData* CtrlSkinData() const { return ctrlSkinData_; }
    void SetCtrlSkinData(TqvSkinData* data);
    vcl::TFont* DefaultFont() const { return defaultFont_.get(); }
    void SetDefaultFont(const vcl::TFont* font) { defaultFont_->Assign(font); }
    std::string Title = "Select folder";
    // The folder the run starts on; after an accepted run, the chosen one.
    std::string Directory;
    bool ShowToolBar = false;
    // Raised at the start of a run before the window exists, and at its end before the window
    // is freed.
    vcl::TNotifyEvent OnShow;
    vcl::TNotifyEvent OnClose;

    // The window of the current run (none outside a run).
    TqvSelDirDlgForm* DialogForm() const { return dialogForm_; }

    // Runs the dialog; true when the user accepted with OK.
    bool Execute();

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    // Everything between building the window and reading it back.
    bool Run(TqvSelDirDlgForm* form);
    void SetUpFrameAndTree(TqvSelDirDlgForm* form);
    void SelectInitialFolder(TqvSelDirDlgForm* form);
    void SkinControls(TqvSelDirDlgForm* form);
    void SizeWindow(TqvSelDirDlgForm* form);

    TqvSkinData* skinData_ = nullptr;
    TqvSkinData* ctrlSkinData_ = nullptr;
    std::unique_ptr<vcl::TFont> defaultFont_;
    TqvSelDirDlgForm* dialogForm_ = nullptr;
};

} // namespace qv
