#pragma once
// TqvSkinCustomListView / TqvSkinListView: the framework's list view made to fit a skinned
// window. Font and background come from a "listview" record; the report style's column header
// (the native "SysHeader32" child, taken over as the native control creates it) is painted from
// a button-kind record ("resizebutton"); the control has no frame and no native bars. Two
// external TqvSkinScrollBar controls stand in for the bars: they are shown when there is more
// to see, mirror the native scroll state, and scroll the list when the user moves them.
// Items, columns and selection stay the native control's business.

#include "framework/ListView.h"
#include "skin/controls/qvExternalScrollBars.h"
#include "skin/controls/qvSkinScrollBar.h"
#include "skin/data/qvSkinClient.h"
#include "skin/data/qvSkinData.h"

#include <functional>
#include <memory>
#include <string>

namespace qv {

// Draws the content of one header section instead of the caption (the section's background is
// already drawn into cnvs, whose origin is the section's top-left).
using TqvDrawHeaderSectionEvent =
    std::function<void(vcl::TCanvas* cnvs, vcl::TListColumn* column, bool pressed, const RECT& r)>;

// Private messages of the skinned controls: paint the header into the DC in WPARAM, and the
// query every skinned control answers with kSkinnedControlAnswer.
inline constexpr UINT QVM_PAINTHEADER = 45512;
inline constexpr UINT QVM_ISSKINNEDCONTROL = 45513;
inline constexpr LRESULT kSkinnedControlAnswer = 12851;

class TqvSkinCustomListView : public vcl::TCustomListView, public IqvSkinClient {
public:
    explicit TqvSkinCustomListView(vcl::TComponent* owner);
    ~TqvSkinCustomListView() override;

    // --- published ---
    TqvSkinData* SkinData() const override { return skinData_; }
    void SetSkinData(TqvSkinData* data);
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& name) { skinDataName_ = name; }
    vcl::TFont* DefaultFont() const { return defaultFont_.get(); }
    void SetDefaultFont(const vcl::TFont* font);
    vcl::TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(vcl::TColor color);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool on) { useSkinFont_ = on; }
    const std::string& HeaderSkinDataName() const { return headerSkinDataName_; }
    void SetHeaderSkinDataName(const std::string& name) { headerSkinDataName_ = name; }
    TqvSkinScrollBar* HScrollBar() const { return bars_.Horz(); }
    void SetHScrollBar(TqvSkinScrollBar* bar);
    TqvSkinScrollBar* VScrollBar() const { return bars_.Vert(); }
    void SetVScrollBar(TqvSkinScrollBar* bar);
    TqvDrawHeaderSectionEvent OnDrawHeaderSection;

    // --- state ---
    int SkinRecordIndex() const { return skinRecordIndex_; }
    int HeaderRecordIndex() const { return headerRecordIndex_; }
    HWND HeaderWindow() const { return headerWindow_; }
    int PressedSection() const { return pressedSection_; }
    bool SectionPressed() const { return sectionPressed_; }

    void ApplySkin() override;
    void ReleaseSkinRecord() override;
    // Shows, hides and fills the bars from the native scroll state.
    void SyncScrollBars();
    // Paints the whole header into dc (header coordinates).
    void PaintHeader(HDC dc);

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    void Loaded() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;
    void CMVisibleChanged(vcl::TMessage& message) override;

private:
    struct HeaderSkin;
    static LRESULT HeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HeaderWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void TakeOverHeader(HWND child);
    void ReleaseHeader();
    void ReadHeaderRecord();
    void DrawSection(vcl::TCanvas* canvas, int column, const RECT& r, bool pressed);
    void DrawSectionText(vcl::TCanvas* canvas, int column, const RECT& area);
    void DrawHeaderRest(vcl::TCanvas* canvas, const RECT& rest);
    void SyncReport();
    void SyncList();
    void SyncIcons();
    void VertBarChanged();
    void HorzBarChanged();
    int FirstItemHeight();
    int FirstItemWidth();

    TqvSkinData* skinData_ = nullptr;
    std::string skinDataName_ = "listview";
    int skinRecordIndex_ = -1;
    std::unique_ptr<vcl::TFont> defaultFont_;
    vcl::TColor defaultColor_ = vcl::clWindow;
    bool useSkinFont_ = true;
    std::string headerSkinDataName_ = "resizebutton";
    int headerRecordIndex_ = -1;
    std::unique_ptr<HeaderSkin> header_;
    TqvExternalScrollBars bars_{*this};
    HWND headerWindow_ = nullptr;
    WNDPROC headerSavedProc_ = nullptr;
    int pressedSection_ = -1;
    bool sectionPressed_ = false;
    int savedVertPosition_ = 0;
    int savedHorzPosition_ = 0;
    bool syncInProgress_ = false;
    bool scrollingFromBar_ = false;
};

class TqvSkinListView : public TqvSkinCustomListView {
public:
    using TqvSkinCustomListView::TqvSkinCustomListView;
};

} // namespace qv
