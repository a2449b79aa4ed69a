#pragma once
// TqvSkinComboBox: a drop-down box drawn from a "combobox" skin record. The items, the current
// index, sorting, images and tab stops live in its drop-down list (a TqvPopupListBox); the box
// adds the text, the drop-down and close-up sequence, tracking the mouse across box and list (the
// box holds the capture, so the list never takes the focus), the keys, type-ahead and the
// notifications.
//
// Styles: the fixed style shows the current item's text in the box; the edit style lays a
// transparent TqvCustomEdit over the text area (InnerEdit), in which the user types. The box routes
// the edit's keys and presses to its drop-down, keeps the edit's text and its own Text equal (the
// edit's changes reach Text without being written back), and completes typed text from its items.
// A character counts by code point wherever the edit's selection is placed.

#include "skin/controls/qvComboBoxLogic.h"
#include "skin/controls/qvCustomEdit.h"
#include "skin/controls/qvPopupListBox.h"
#include "skin/controls/qvSkinCustomControl.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vcl {
class TTimer;
}

namespace qv {

enum TqvComboBoxStyle : int { qvcbEditStyle = 0, qvcbFixedStyle = 1 };

using TqvComboDrawItemEvent = TqvDrawItemEvent;

class TqvSkinCustomComboBox : public TqvSkinCustomControl, public IqvPopupListOwner {
public:
    // Period of the auto-scroll while the pointer is dragged above or below the list.
    static constexpr UINT kAutoScrollMs = 25;

    explicit TqvSkinCustomComboBox(vcl::TComponent* owner);
    ~TqvSkinCustomComboBox() override;

    // --- items (kept by the drop-down list) ---
    vcl::TStrings* Items() const;
    void SetItems(const vcl::TStrings* items);
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool Sorted() const { return list_->Sorted(); }
    void SetSorted(bool on) { list_->SetSorted(on); }
    vcl::TStrings* TabWidths() const { return list_->TabWidths(); }
    void SetTabWidths(const vcl::TStrings* lines);
    vcl::TImageList* Images() const { return list_->Images(); }
    void SetImages(vcl::TImageList* images);
    int ImageIndex() const { return list_->ImageIndex(); }
    void SetImageIndex(int index);
    bool HorizontalExtent() const { return list_->HorizontalExtent(); }
    void SetHorizontalExtent(bool on) { list_->SetHorizontalExtent(on); }

    // --- published ---
    TqvComboBoxStyle Style() const { return style_; }
    void SetStyle(TqvComboBoxStyle style);
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool on);
    bool ToolButtonStyle() const { return toolButtonStyle_; }
    void SetToolButtonStyle(bool on);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    int ListBoxWidth() const { return listBoxWidth_; }
    void SetListBoxWidth(int width) { listBoxWidth_ = width; }
    TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(TColor color);
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool on) { autoComplete_ = on; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on) { hideSelection_ = on; }
    bool AlphaBlend() const override { return alphaBlend_; }
    void SetAlphaBlend(bool on) { alphaBlend_ = on; }
    bool AlphaBlendAnimation() const override { return alphaBlendAnimation_; }
    void SetAlphaBlendAnimation(bool on) { alphaBlendAnimation_ = on; }
    BYTE AlphaBlendValue() const override { return alphaBlendValue_; }
    void SetAlphaBlendValue(BYTE value) { alphaBlendValue_ = value; }
    // Forwarded to the list.
    std::string ListBoxCaption() const { return list_->Caption(); }
    void SetListBoxCaption(const std::string& text) { list_->SetCaption(text); }
    bool ListBoxCaptionMode() const { return list_->CaptionMode(); }
    void SetListBoxCaptionMode(bool on) { list_->SetCaptionMode(on); }
    int ListBoxDefaultItemHeight() const { return list_->DefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int h) { list_->SetDefaultItemHeight(h); }
    bool ListBoxUseSkinFont() const { return list_->UseSkinFont(); }
    void SetListBoxUseSkinFont(bool on) { list_->SetUseSkinFont(on); }
    bool ListBoxUseSkinItemHeight() const { return list_->UseSkinItemHeight(); }
    void SetListBoxUseSkinItemHeight(bool on) { list_->SetUseSkinItemHeight(on); }
    vcl::TFont* ListBoxDefaultFont() const { return list_->DefaultFont(); }
    void SetListBoxDefaultFont(const vcl::TFont* font) { list_->SetDefaultFont(font); }
    vcl::TFont* ListBoxDefaultCaptionFont() const { return list_->DefaultCaptionFont(); }
    TAlignment ListBoxCaptionAlignment() const { return list_->Alignment(); }
    void SetListBoxCaptionAlignment(TAlignment a) { list_->SetAlignment(a); }
    TqvEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TqvEditCharCase charCase);
    void SetOnListBoxDrawItem(TqvDrawItemEvent handler);

    vcl::TNotifyEvent OnChange;
    vcl::TNotifyEvent OnCloseUp;
    vcl::TNotifyEvent OnDropDown;
    TqvComboDrawItemEvent OnComboBoxDrawItem;

    // --- operations ---
    virtual void DropDown();
    void CloseUp(bool accept);
    void CalcRects();

    // --- state ---
    TqvPopupListBox* DropDownList() const { return list_; }
    TqvCustomEdit* InnerEdit() const { return innerEdit_; }
    bool EditChanging() const { return editChanging_; }
    // Tick of the last type-ahead or auto-completion search.
    std::uint32_t LastSearchTime() const { return typeAhead_.LastSearchTime(); }
    bool DroppedDown() const { return droppedDown_; }
    bool MouseTracking() const { return mouseTracking_; }
    bool PointerEnteredList() const { return pointerEnteredList_; }
    int AutoScrollDirection() const { return autoScrollDirection_; }
    int SavedItemIndex() const { return savedItemIndex_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool ButtonHot() const { return buttonHot_; }
    bool ButtonPressed() const { return buttonPressed_; }
    RECT DropButtonRect() const { return dropButtonRect_; }
    RECT ItemAreaRect() const { return itemAreaRect_; }
    const std::string& TypedPrefix() const { return typeAhead_.TypedPrefix(); }

    void ReadSkinRecord() override;
    void ApplySkin() override;
    void FitSizeToSkin(int& width, int& height) override;
    void UpdateSkinRegion() override;
    void Invalidate() override;

    // Copies of the bound "combobox" record.
    RECT activeskinrect{};
    TColor activefontcolor = 0;
    std::string fontname;
    unsigned fontstyle = 0;
    int fontheight = 14;
    RECT itemrect{}, focusitemrect{}, activeitemrect{};
    int itemleftoffset = 0, itemrightoffset = 0;
    RECT itemtextrect{};
    TColor fontcolor = 0, focusfontcolor = 0;
    RECT buttonrect{}, activebuttonrect{}, downbuttonrect{}, unenabledbuttonrect{};
    std::string listboxname;
    bool itemstretcheffect = false, focusitemstretcheffect = false, showfocus = false;

protected:
    // The inner edit's window procedure: every message of the edit passes here first.
    virtual void EditWndProc(vcl::TMessage& message);
    virtual void CreateEditControl();
    // Runs after an item chosen by the user or the program was applied (empty here).
    virtual void ItemSelected() {}

    void CreateParams(vcl::TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;
    void CMEnabledChanged(vcl::TMessage& message) override;

    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void DrawSkinImage(vcl::TBitmap& bitmap) override;
    void DefaultFontChanged() override;
    void WndProc(vcl::TMessage& message) override;
    void MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void MouseMove(vcl::TShiftState shift, int x, int y) override;
    void MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, vcl::TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void CMTextChanged(vcl::TMessage& message) override;
    void CMMouseEnter(vcl::TMessage& message) override;
    void CMMouseLeave(vcl::TMessage& message) override;
    void DoEnter() override;
    void DoExit() override;

    TqvCustomEdit* innerEdit_ = nullptr;
    bool editChanging_ = false;

private:
    bool SkinBound() const { return skinRecordIndex_ != -1 && boundComboRecord_; }
    bool HasFocus() const;
    void ListWndProc(vcl::TMessage& message);
    void ListMouseMove(int x, int y);
    void TrackPointer(int x, int y);
    void StartAutoScroll(int direction);
    void StopAutoScroll();
    void AutoScrollTick();
    void SelectItem(int index);
    void TypeAhead(char32_t ch);
    int ShownIndex() const;
    void DrawItemArea(vcl::TCanvas* canvas, const vcl::TBitmap& background, bool skinned);
    void DrawItemContent(vcl::TCanvas* canvas, int index, int width, int height, RECT text, bool skinned);
    void DrawPlainButton(vcl::TCanvas* canvas, const RECT& r);
    void DrawSeparateButton(vcl::TCanvas* canvas);
    void DrawToolButtonLook(vcl::TBitmap& bitmap, bool skinned);
    TqvComboSkinMetrics SkinMetrics() const;
    // --- the edit style (qvSkinComboBoxEdit.cpp) ---
    void FreeEditControl();
    void EditChange();
    bool EditKeyDown(WORD key, bool alt);
    void EditChar(vcl::TMessage& message);
    void EditKeyUp(vcl::TMessage& message);
    void RunKeyUp(const TqvEditKeyUpAction& action, const std::function<void()>& pass);
    void Complete();
    void CompleteText();
    void ScheduleCompletion();
    void CancelPendingCompletion();
    void StepItem(int delta, bool withText);
    void SetEditFontColor(TColor color);
    void SetMouseInControl(bool in);
    void ApplyEditFont();
    TColor EditTextColor() const;
    TColor DisabledTextColor() const;
    int EditCharset() const;
    HWND NativeList();
    const TqvDataSkinButtonControl* ButtonRecord(std::initializer_list<const char*> names) const;

    TqvPopupListBox* list_ = nullptr;
    vcl::TWndMethod listPrevWndProc_;
    vcl::TWndMethod editPrevWndProc_;
    // A completion held back by the 200 ms gate runs when the gate opens, if the text is unchanged.
    std::unique_ptr<vcl::TTimer> completionTimer_;
    std::string pendingCompletionText_;
    // The tail the last completion selected, in the text it completed to.
    std::string completedText_;
    TqvCompletedTail completedTail_;
    // A non-modifier key is down in the edit (a character without one came from an input method).
    bool editKeyDown_ = false;
    // The edit's text when the last non-modifier key went down: a key that left it unchanged
    // (Ctrl+A with Ctrl let go first, a function key) completes nothing on its release.
    std::string textAtKeyDown_;
    // Enter or Escape closed the list: its character is neither typed nor a dialog key.
    bool swallowDialogChar_ = false;
    std::unique_ptr<vcl::TTimer> autoScrollTimer_;
    TqvTypeAhead typeAhead_;
    TqvComboBoxStyle style_ = qvcbFixedStyle;
    TqvEditCharCase charCase_ = TqvEditCharCase::ecNormal;
    bool droppedDown_ = false;
    bool toolButtonStyle_ = false;
    bool useSkinSize_ = true;
    bool pointerEnteredList_ = false;
    int autoScrollDirection_ = 0;
    int listBoxWidth_ = 0;
    bool hideSelection_ = true;
    bool autoComplete_ = true;
    bool alphaBlend_ = false;
    bool alphaBlendAnimation_ = false;
    BYTE alphaBlendValue_ = 0;
    TColor defaultColor_ = vcl::clWindow;
    bool mouseInControl_ = false;
    int savedItemIndex_ = -1;
    int dropDownCount_ = 8;
    bool mouseTracking_ = false;
    RECT itemAreaRect_{};
    RECT dropButtonRect_{};
    bool buttonHot_ = false;
    bool buttonPressed_ = false;
    bool boundComboRecord_ = false;
};

class TqvSkinComboBox : public TqvSkinCustomComboBox {
public:
    using TqvSkinCustomComboBox::TqvSkinCustomComboBox;
};

} // namespace qv
