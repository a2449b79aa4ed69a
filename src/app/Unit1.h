#pragma once
// The main window: the folder box with its history, the analyse button, the report list under a
// progress gauge, and the program's one skin (skin data and stored skin live on this window).
// The window is built the way its stored form description is read: components in order, then
// references, then Loaded, then FormCreate.

#include "analysis/CrawlerAnalysis.h"

#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "skin/controls/qvSkinComboBox.h"
#include "skin/controls/qvSkinCtrls.h"
#include "skin/controls/qvSkinExCtrls.h"
#include "skin/controls/qvSkinGauge.h"
#include "skin/controls/qvSkinLinkLabel.h"
#include "skin/controls/qvSkinPanel.h"
#include "skin/controls/qvSkinStdLabel.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"
#include "skin/form/qvSkinHint.h"
#include "skin/shell/qvSkinSelectDirectoryDialog.h"

#include <memory>
#include <optional>
#include <string>

namespace app {

// What start-up passes to the window besides the stored description.
struct MainWindowOptions {
    // A folder named on the command line: shown in the folder box instead of the last one used.
    std::optional<std::string> Folder;
    // Where the folder history lives and what a first run puts in it.
    std::string HistoryFile;
    std::string ExeFolder;
};

// The options the next TForm1 made by the application (through CreateForm, which passes the owner
// only) starts with; by default the command line named no folder and the history lives where
// HistoryFile() says.
void SetMainWindowOptions(MainWindowOptions options);
MainWindowOptions DefaultMainWindowOptions();

class TForm2;

class TForm1 : public vcl::TForm {
public:
    explicit TForm1(vcl::TComponent* owner);
    TForm1(vcl::TComponent* owner, MainWindowOptions options);
    ~TForm1() override;

    // The handlers of the stored description.
    void FormCreate(vcl::TObject* sender);
    void qvSkinXFormButton1Click(vcl::TObject* sender);
    // ">>": the folder dialog opens on the folder box's text; a chosen folder replaces the text
    // and, when the history is not empty, joins it and is saved.
    void btn1Click(vcl::TObject* sender);
    // "编辑": opens the history editor modally (the button stays hidden; Ctrl+E reaches it).
    void btn2Click(vcl::TObject* sender);

    // The history editor, which binds itself to this window when it is created.
    TForm2* HistoryEditor() const { return historyEditor_; }
    void SetHistoryEditor(TForm2* editor);
    // The file the folder history is saved to.
    const std::string& HistoryFileName() const { return options_.HistoryFile; }

    // The report list's rows as the clipboard takes them: the selected rows, or all when none
    // is selected, under the column captions (what `iislog-report --header` prints).
    std::string ReportClipboardText() const;
    // A folder, or a file inside one, dropped on the window: the folder goes into the folder box.
    void DropPath(const std::string& path);

    // The components, named as in the stored description.
    qv::TqvSkinPanel* qvpanel1 = nullptr;
    qv::TqvSkinStdLabel* lbl1 = nullptr;
    qv::TqvSkinComboBox* cbb1 = nullptr;
    qv::TqvSkinXFormButton* btn1 = nullptr;
    qv::TqvSkinXFormButton* qvSkinXFormButton1 = nullptr;
    qv::TqvSkinXFormButton* btn2 = nullptr;
    qv::TqvSkinLinkLabel* qvSkinLinkLabel1 = nullptr;
    qv::TqvSkinListView* lv1 = nullptr;
    qv::TqvSkinScrollBar* qvknscrlbr1 = nullptr;
    qv::TqvSkinScrollBar* qvknscrlbr2 = nullptr;
    qv::TqvSkinGauge* qvkng1 = nullptr;
    qv::TqvVeltrane* qvform1 = nullptr;
    qv::TqvSkinHint* qvskinhint1 = nullptr;
    qv::TqvSkinData* qvskindata1 = nullptr;
    qv::TqvCompressedStoredSkin* qvcmprsdstrdskn1 = nullptr;
    vcl::TImageList* ImageList1 = nullptr;
    qv::TqvSkinSelectDirectoryDialog* qvSelDir1 = nullptr;

    // The analysis state of the window.
    std::unique_ptr<analysis::CrawlerAnalysis> Analysis; // holds SignatureList and LogFileList

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    void CreateComponents(vcl::TFormLoader& load);
    void CreatePanelControls(vcl::TFormLoader& load);
    void CreateReportControls(vcl::TFormLoader& load);
    void CreateNonVisualComponents(vcl::TFormLoader& load);
    void ReportListKeyDown(WORD& key, vcl::TShiftState shift);
    void ShortCut(WORD key, vcl::TShiftState shift, bool& handled);

    MainWindowOptions options_;
    TForm2* historyEditor_ = nullptr;
};

// The window caption and the application title.
inline constexpr const char* kMainCaption = "Tarvel社IIS日志分析工具V1.0";
inline constexpr const char* kApplicationTitle = "Tarvel社IIS日志分析工具";

} // namespace app
