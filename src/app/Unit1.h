#pragma once
// The main window: the folder box with its history, the analyse button, the report list under a
// progress gauge, and the program's one skin (skin data and stored skin live on this window).
// The window is built the way its stored form description is read: components in order, then
// references, then Loaded, then FormCreate.

#include "app/CrawlerAnalysis.h"

#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"

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

class TForm1 : public vcl::TForm {
public:
    explicit TForm1(vcl::TComponent* owner);
    TForm1(vcl::TComponent* owner, MainWindowOptions options);
    ~TForm1() override;

    // The handlers of the stored description.
    void FormCreate(vcl::TObject* sender);
    void qvSkinXFormButton1Click(vcl::TObject* sender);

    // The components, named as in the stored description.
    qv::TqvVeltrane* qvform1 = nullptr;
    qv::TqvSkinData* qvskindata1 = nullptr;
    qv::TqvCompressedStoredSkin* qvcmprsdstrdskn1 = nullptr;
    vcl::TImageList* ImageList1 = nullptr;

    // The analysis state of the window.
    std::unique_ptr<CrawlerAnalysis> Analysis; // holds SignatureList and LogFileList

private:
    void CreateComponents(vcl::TFormLoader& load);

    MainWindowOptions options_;
};

// The window caption and the application title.
inline constexpr const char* kMainCaption = "Tarvel社IIS日志分析工具V1.0";
inline constexpr const char* kApplicationTitle = "Tarvel社IIS日志分析工具";

} // namespace app
