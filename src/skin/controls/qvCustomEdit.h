#pragma once
// TqvCustomEdit: the borderless single-line edit that a skinned box lays over its text area (the
// combo box's edit style). Enter and Escape are never typed into it: they reach the form as dialog
// keys, so the form's default and cancel buttons act. With EditTransparent it paints no background
// of its own: every paint first draws what its parent shows beneath it, so the skin shows through
// the text. Its context menu (undo, cut, copy, paste, delete, select all) is built on demand.

#include "framework/Edit.h"

#include <functional>

namespace qv {

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

    // Told when a press elsewhere in the form ends the modes of the focused control
    // (CM_CANCELMODE); sender is the pressed control, or none for a press on the frame.
    std::function<void(vcl::TControl* sender)> OnCancelMode;

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    void Dispatch(vcl::TMessage& message) override;

private:
    void PaintTransparent();
    bool TypeChar(vcl::TMessage& message);

    bool editTransparent_ = false;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool leftButtonDown_ = false;
    TqvEditCharCase charCase_ = TqvEditCharCase::ecNormal;
};

} // namespace qv
