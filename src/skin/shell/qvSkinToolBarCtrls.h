#pragma once
// The plain skinned controls of a small tool bar: a speed button (a glyph button that never takes
// the focus, optionally flat until the mouse comes over it), a spacer that keeps a gap and draws
// nothing, and a one-line edit framed by an edit record with a borderless native edit inside.

#include "framework/Edit.h"
#include "skin/controls/qvSkinButton.h"

#include <string>

namespace qv {

class TqvSkinSpeedButton : public TqvSkinButton {
public:
    explicit TqvSkinSpeedButton(vcl::TComponent* owner);

    // --- published ---
    // Flat: only the glyph over the parent's background until the mouse is over the button.
    bool Flat() const { return flat_; }
    void SetFlat(bool on);

protected:
    void DrawStateImage(vcl::TBitmap& bitmap, const RECT& source, bool down, bool hot) override;
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;

private:
    // The flat resting look: nothing but the parent's background, the glyph and the caption.
    bool RestingFlat(bool down, bool hot) const;
    void DrawFlat(vcl::TBitmap& bitmap, const RECT& textRect);

    bool flat_ = false;
};

// A fixed gap between tool-bar controls: transparent and without input.
class TqvSkinSpacer : public vcl::TGraphicControl {
public:
    explicit TqvSkinSpacer(vcl::TComponent* owner);

protected:
    void Paint() override {}
};

// The native edit inside TqvSkinEdit: no frame of its own, and Enter is its key (it reaches
// OnKeyPress instead of pressing the form's default button).
class TqvSkinInnerEdit : public vcl::TEdit {
public:
    using vcl::TEdit::TEdit;

protected:
    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
};

class TqvSkinEdit : public TqvSkinCustomControl {
public:
    explicit TqvSkinEdit(vcl::TComponent* owner);

    std::string Text() const;
    void SetText(const std::string& text);
    // The native edit that holds the text and the caret.
    TqvSkinInnerEdit* InnerEdit() const { return edit_; }
    // Characters typed into the edit, Enter (13) included; clear the key to swallow it.
    vcl::TKeyPressEvent OnKeyPress;
    vcl::TNotifyEvent OnChange;

    void ReadSkinRecord() override;
    void ApplySkin() override;
    void SetBounds(int left, int top, int width, int height) override;

    // Copies of the bound edit record.
    RECT activeskinrect{};
    std::string fontname = "Arial";
    int fontheight = 14;
    unsigned fontstyle = 0;
    vcl::TColor fontcolor = 0;
    vcl::TColor disabledfontcolor = 0;

protected:
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void DrawSkinImage(vcl::TBitmap& bitmap) override;
    void CMEnabledChanged(vcl::TMessage& message) override;

private:
    // Places the inner edit in the client rectangle, its text row centred, and gives it the
    // record's font and the field's colour.
    void LayoutEdit();
    void StyleEdit();
    bool EditFocused() const;

    TqvSkinInnerEdit* edit_ = nullptr;
};

} // namespace qv
