#pragma once
// TqvSkinCustomTreeView: the framework's tree view made to fit a skinned window. Font and
// background come from a "treeview" record; the control has no frame and no native bars. Two
// external TqvSkinScrollBar controls stand in for the bars: shown when there is more to see,
// filled from the native scroll state, and scrolling the tree when the user moves them.

#include "framework/TreeView.h"
#include "skin/controls/qvExternalScrollBars.h"
#include "skin/controls/qvSkinScrollBar.h"
#include "skin/data/qvSkinClient.h"
#include "skin/data/qvSkinData.h"

#include <memory>
#include <string>

namespace qv {

class TqvSkinCustomTreeView : public vcl::TCustomTreeView, public IqvSkinClient {
public:
    explicit TqvSkinCustomTreeView(vcl::TComponent* owner);
    ~TqvSkinCustomTreeView() override;

    // --- published ---
    TqvSkinData* SkinData() const override { return skinData_; }
    void SetSkinData(TqvSkinData* data);
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& name) { skinDataName_ = name; }
    vcl::TFont* DefaultFont() const { return defaultFont_.get(); }
    void SetDefaultFont(const vcl::TFont* font);
    vcl::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(vcl::TColor color) { defaultColor_ = color; }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool on) { useSkinFont_ = on; }
    TqvSkinScrollBar* VScrollBar() const { return bars_.Vert(); }
    void SetVScrollBar(TqvSkinScrollBar* bar);
    TqvSkinScrollBar* HScrollBar() const { return bars_.Horz(); }
    void SetHScrollBar(TqvSkinScrollBar* bar);

    // --- state ---
    int SkinRecordIndex() const { return skinRecordIndex_; }

    void ApplySkin() override;
    void ReleaseSkinRecord() override { skinRecordIndex_ = -1; }
    // Shows, hides and fills the bars from the native scroll state.
    void UpdateScrollBars();

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    LRESULT Notify(NMHDR* hdr) override;
    void Loaded() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;
    void CMVisibleChanged(vcl::TMessage& message) override;

private:
    void VertBarChanged();
    void HorzBarChanged();

    TqvSkinData* skinData_ = nullptr;
    std::string skinDataName_ = "treeview";
    int skinRecordIndex_ = -1;
    std::unique_ptr<vcl::TFont> defaultFont_;
    vcl::TColor defaultColor_ = vcl::clWindow;
    bool useSkinFont_ = true;
    TqvExternalScrollBars bars_{*this};
    bool checkingScrollBars_ = false;
};

} // namespace qv
