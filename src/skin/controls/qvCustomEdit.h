#pragma once
// TqvCustomEdit: the borderless single-line edit that a skinned box lays over its text area (the
// combo box's edit style). Enter and Escape are never typed into it: they reach the form as dialog
// keys, so the form's default and cancel buttons act. With EditTransparent it paints no background
// of its own: every paint first draws what its parent shows beneath it, so the skin shows through
// the text. Without a popup menu of its own, a right click (or the menu key) opens a skinned
// context menu (undo, cut, copy, paste, delete, select all) through the form skin's menu engine.

#include "framework/Edit.h"

#include <functional>

namespace qv {

class TqvSkinPopupMenu;

// The letter case the edit forces on typed text.
enum class TqvEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TqvCustomEdit : public vcl::TCustomEdit {
public:
    explicit TqvCustomEdit(vcl::TComponent* owner);

    bool EditTransparent() const { return editTransparent_; }
    void SetEditTransparent(bool on);
    // Selects the whole text whenever the edit takes the focus.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }
    // Keeps the selection visible while the edit does not have the focus when false.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    TqvEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TqvEditCharCase charCase) { charCase_ = charCase; }
    // True while the left button that pressed in the edit is down.
    bool LeftButtonDown() const { return leftButtonDown_; }
    // The context menu of the last right click, until its command ran or the next one replaced it.
    TqvSkinPopupMenu* ContextMenu() const { return contextMenu_; }
    // Builds the context menu and shows it at a screen point (at the edit's centre when a
    // coordinate is negative, as for the menu key).
    void ShowContextMenu(POINT at);

    // Told when a press elsewhere in the form ends the modes of the focused control
    // (CM_CANCELMODE); sender is the pressed control, or none for a press on the frame.
    std::function<void(vcl::TControl* sender)> OnCancelMode;

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    void Dispatch(vcl::TMessage& message) override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    void PaintTransparent();
    bool TypeChar(vcl::TMessage& message);

    bool editTransparent_ = false;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool leftButtonDown_ = false;
    TqvSkinPopupMenu* contextMenu_ = nullptr;
    TqvEditCharCase charCase_ = TqvEditCharCase::ecNormal;
};

} // namespace qv
