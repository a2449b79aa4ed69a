#pragma once
// TqvSkinMemo: the framework's memo (the native multi-line edit) with a skinned look. A "memo"
// record draws its border and, with BitMapBG, its whole background; the native edit keeps doing
// the text work (caret, selection, keys, undo) and draws its text over the skin background.
//
// The memo has no scroll bars of its own on screen: the program places two TqvSkinScrollBar
// controls beside it and names them in VScrollBar and HScrollBar. The memo copies the native
// scroll state into them after every change (a bar is disabled while there is nothing to scroll)
// and turns their movements back into scroll requests.
//
// Painting with BitMapBG happens in one pass: the erase composes the background in a client-sized
// bitmap and lets the native edit draw the text onto it at once; the WM_PAINT that follows an
// erase made outside a paint only validates. A disabled memo draws its text itself, in the skin's
// disabled colour.
//
// ReadOnly is the memo's own: the native edit stays editable, and the memo drops the characters,
// keys and commands that would change the text (the copy command still works).

#include "framework/Edit.h"
#include "skin/controls/qvSkinScrollBar.h"
#include "skin/data/qvSkinClient.h"
#include "skin/data/qvSkinData.h"

#include <functional>
#include <memory>
#include <string>

namespace qv {

class TqvSkinPopupMenu;

class TqvSkinMemo : public vcl::TCustomMemo, public IqvSkinClient {
public:
    explicit TqvSkinMemo(vcl::TComponent* owner);
    ~TqvSkinMemo() override;

    // --- published ---
    vcl::TFont* DefaultFont() const { return defaultFont_.get(); }
    void SetDefaultFont(const vcl::TFont* font);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool on) { useSkinFont_ = on; }
    bool UseSkinFontColor() const { return useSkinFontColor_; }
    void SetUseSkinFontColor(bool on) { useSkinFontColor_ = on; }
    bool BitMapBG() const { return bitMapBG_; }
    void SetBitMapBG(bool on);
    TqvSkinScrollBar* VScrollBar() const { return vScrollBar_; }
    void SetVScrollBar(TqvSkinScrollBar* bar);
    TqvSkinScrollBar* HScrollBar() const { return hScrollBar_; }
    void SetHScrollBar(TqvSkinScrollBar* bar);
    TqvSkinData* SkinData() const override { return skinData_; }
    void SetSkinData(TqvSkinData* data);
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& name) { skinDataName_ = name; }
    // The memo's own read-only flag (hides the native one, which stays off).
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    vcl::TNotifyEvent OnMouseEnter;
    vcl::TNotifyEvent OnMouseLeave;

    // --- state ---
    bool BackgroundPainted() const { return backgroundPainted_; }
    const RECT& TextRect() const { return textRect_; }
    bool MouseInControl() const { return mouseInControl_; }
    int SkinRecordIndex() const { return skinRecordIndex_; }
    const gfx::Bitmap* SkinPicture() const { return skinPicture_; }
    bool MouseButtonDown() const { return mouseButtonDown_; }
    // The skinned context menu of the last request, until it has run its command.
    TqvSkinPopupMenu* ContextMenu() const { return contextMenu_; }
    // The colour of the text of a disabled memo: "disabledfontcolor" of the "edit" record while a
    // record is bound, else clGrayText.
    vcl::TColor DisabledFontColor() const;
    // The Select All item's state: off when the selection already covers the whole text.
    bool CanSelectAll();

    void ApplySkin() override;
    void ReleaseSkinRecord() override;
    void ReadSkinRecord();
    void UpdateScrollBars();
    void UpdateTextRect();
    void PaintMemoBackground(vcl::TCanvas* canvas);
    void PaintMemoFrame(vcl::TCanvas* canvas);
    void Invalidate() override;

    // The bound record's values, under their key names.
    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    RECT clientrect{};
    RECT skinrect{};
    RECT activeskinrect{};
    std::string fontname;
    int fontstyle = 0;
    int fontheight = 0;
    vcl::TColor fontcolor = 0;
    vcl::TColor activefontcolor = 0;
    vcl::TColor bgcolor = 0;
    vcl::TColor activebgcolor = 0;
    bool leftstretch = false;
    bool topstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    int stretchtype = 0;

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(vcl::TMessage& message) override;
    void Loaded() override;
    void Change() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;
    void CMMouseEnter(vcl::TMessage& message) override;
    void CMMouseLeave(vcl::TMessage& message) override;
    void CMEnabledChanged(vcl::TMessage& message) override;

private:
    bool Bound() const { return skinRecordIndex_ != -1; }
    // The state's source rectangle: active while hovered or focused.
    const RECT& StateRect() const;
    bool DrawsOwnBackground() const;
    bool FilterReadOnly(const vcl::TMessage& message) const;
    void EraseBackground(vcl::TMessage& message);
    void Paint(vcl::TMessage& message);
    void PaintDisabledText(HDC dc);
    void ControlColor(vcl::TMessage& message);
    void MouseWheel(const vcl::TMessage& message);
    void ShowContextMenu(const vcl::TMessage& message);
    void MenuCommandDone();
    void SwitchColors(bool active);
    void AttachBar(TqvSkinScrollBar*& slot, TqvSkinScrollBar* bar, bool vertical);
    TqvSkinScrollBar* LiveBar(bool vertical) const;
    void BarChanged(bool vertical);
    void SyncBar(TqvSkinScrollBar* bar, int which);
    int SkinCharset() const;
    bool NeedsSyncAfter(UINT msg) const;
    bool NeedsInvalidateAfter(UINT msg) const;

    bool backgroundPainted_ = false;
    RECT textRect_{};
    bool formatRectSet_ = false;
    bool bitMapBG_ = true;
    bool readOnly_ = false;
    bool mouseInControl_ = false;
    int skinRecordIndex_ = -1;
    TqvSkinData* skinData_ = nullptr;
    std::string skinDataName_ = "memo";
    const gfx::Bitmap* skinPicture_ = nullptr;
    TqvSkinScrollBar* vScrollBar_ = nullptr;
    TqvSkinScrollBar* hScrollBar_ = nullptr;
    // The same bars as components, which stay valid to ask while a bar is being destroyed.
    vcl::TComponent* vBarComponent_ = nullptr;
    vcl::TComponent* hBarComponent_ = nullptr;
    bool mouseButtonDown_ = false;
    std::unique_ptr<vcl::TFont> defaultFont_;
    bool useSkinFont_ = true;
    bool useSkinFontColor_ = true;
    // Inside the memo's own WM_PAINT: an erase there comes from the native edit's BeginPaint,
    // and the native edit draws the text itself right after it.
    bool inPaint_ = false;
    TqvSkinPopupMenu* contextMenu_ = nullptr; // owned (as a component)
};

} // namespace qv
