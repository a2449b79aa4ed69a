#pragma once
// The history editor: a small modal dialog that shows the main window's folder history as
// editable text, one folder a line, and on "保存" writes the edited list back to the folder box
// and to "DefaultDir.txt". It has no skin of its own: its form skin and controls use the main
// window's skin data. It is created hidden at start-up and reused for every opening.

#include "framework/Forms.h"
#include "skin/controls/qvSkinCtrls.h"
#include "skin/controls/qvSkinExCtrls.h"
#include "skin/controls/qvSkinMemo.h"
#include "skin/controls/qvSkinPanel.h"
#include "skin/form/Veltrane.h"

namespace app {

class TForm1;

class TForm2 : public vcl::TForm {
public:
    explicit TForm2(vcl::TComponent* owner);
    ~TForm2() override;

    // The handlers of the stored description.
    void FormCreate(vcl::TObject* sender);
    void FormShow(vcl::TObject* sender);
    void btn1Click(vcl::TObject* sender);
    void btn2Click(vcl::TObject* sender);

    // The main window whose history this dialog edits (the application's main form).
    TForm1* MainWindow() const;

    // The components, named as in the stored description.
    qv::TqvSkinMemo* mmo1 = nullptr;
    qv::TqvSkinPanel* qvpanel1 = nullptr;
    qv::TqvSkinXFormButton* btn1 = nullptr;
    qv::TqvSkinXFormButton* btn2 = nullptr;
    qv::TqvSkinScrollBar* qvknscrlbr1 = nullptr;
    qv::TqvSkinScrollBar* qvknscrlbr2 = nullptr;
    qv::TqvVeltrane* qvform1 = nullptr;

private:
    void CreateComponents(vcl::TFormLoader& load);
};

// The dialog's caption.
inline constexpr const char* kHistoryEditorCaption = "编辑日志查询记录";

} // namespace app
