#pragma once
// TCustomLabel: text drawn on the parent's surface, without a window. While AutoSize is on the
// label takes the size of its text whenever the text or the font changes; Transparent leaves the
// background unpainted so the parent shows through.

#include "framework/WinControl.h"

namespace vcl {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;
enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool on);

    // The DrawText flags the label draws with.
    UINT TextFlags() const;
    // Measures (DT_CALCRECT) or draws the caption in rect with the canvas font.
    virtual void DoDrawText(RECT& rect, UINT flags);
    // Resizes to the text when AutoSize is on.
    virtual void AdjustBounds();

protected:
    void Paint() override;
    void Loaded() override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

private:
    bool autoSize_ = true;
    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// A plain container with a raised bevel and a centred caption.
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using enum TBevelCut;

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut b);
    RECT AlignRect() override;

protected:
    void Paint() override;

private:
    TBevelCut bevelOuter_ = bvRaised;
};

} // namespace vcl
