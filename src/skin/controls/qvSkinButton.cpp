#include "skin/controls/qvSkinButton.h"

#include "framework/Forms.h"
#include "framework/Timer.h"
#include "platform/gfx/Utf8.h"
#include "skin/data/qvEffects.h"
#include "skin/data/qvRaster.h"
#include "skin/data/qvUtils.h"

namespace qv {

namespace {

constexpr UINT kMorphInterval = 20;
constexpr vcl::TColor kNavy = 8388608;
constexpr vcl::TColor kPressedFill = 11899781;
constexpr vcl::TColor kHotFill = 13811126;
constexpr vcl::TColor kGrey = 8421504;

// True when key is the character after a single '&' of caption (letters without case).
bool IsAccel(char32_t key, const std::string& caption) {
    auto fold = [](char32_t c) { return gfx::ToLowerCodePoint(c); };
    std::size_t i = 0;
    while ((i = caption.find('&', i)) != std::string::npos) {
        if (i + 1 >= caption.size()) {
            return false;
        }
        if (caption[i + 1] == '&') {
            i += 2; // "&&" is a literal ampersand
            continue;
        }
        std::size_t at = i + 1;
        char32_t c = gfx::NextCodePoint(caption, at);
        return fold(c) == fold(key);
    }
    return false;
}

void FrameAndFill(vcl::TCanvas* canvas, const RECT& r, vcl::TColor frame, vcl::TColor fill) {
    canvas->Brush()->SetColor(fill);
    canvas->FillRect(r);
    canvas->Brush()->SetColor(frame);
    canvas->FrameRect(r);
}

} // namespace

TqvSkinButton::TqvSkinButton(vcl::TComponent* owner)
    : TqvSkinCustomControl(owner), glyph_(std::make_unique<vcl::TBitmap>()) {
    SetSkinDataName("button");
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetControlStyle(ControlStyle() & ~unsigned(vcl::csDoubleClicks));
    tracker_.OnChange = [this](int) { Invalidate(); };
    tracker_.OnRepeat = [this](int) { DeliverClick(); };
    glyph_->OnChange = [this](vcl::TObject*) { Invalidate(); };
}

TqvSkinButton::~TqvSkinButton() {
    glyph_->OnChange = nullptr;
    if (imageList_ != nullptr) {
        imageList_->RemoveFreeNotification(this);
    }
}

// --- properties ---

void TqvSkinButton::SetUseSkinSize(bool on) {
    if (on != useSkinSize_) {
        useSkinSize_ = on;
        ApplySkin();
    }
}

void TqvSkinButton::SetUseSkinFontColor(bool on) {
    if (on != useSkinFontColor_) {
        useSkinFontColor_ = on;
        Invalidate();
    }
}

void TqvSkinButton::SetDefault(bool on) {
    default_ = on;
    if (HandleAllocated() && canFocused_) {
        if (vcl::TCustomForm* form = GetParentForm()) {
            vcl::TMessage m{vcl::CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()), 0};
            form->Broadcast(m);
        }
    }
}

void TqvSkinButton::SetCanFocused(bool on) {
    canFocused_ = on;
    SetTabStop(on);
}

void TqvSkinButton::SetDown(bool down) {
    down_ = down;
    if (MorphingActive()) {
        morphLevel_ = 1;
        if (down) {
            StopMorph();
        } else {
            StartMorphOrRepaint();
        }
    }
    Invalidate();
    if (groupIndex_ != 0 && down_ && !allowAllUp_ && Parent() != nullptr) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TqvSkinButton*>(Parent()->Controls(i));
            if (other != nullptr && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
                other->SetDown(false);
            }
        }
    }
}

void TqvSkinButton::SetGroupIndex(int index) {
    groupIndex_ = index;
    if (index != 0) {
        SetCanFocused(false);
    }
}

void TqvSkinButton::SetGlyph(const vcl::TBitmap* glyph) {
    glyph_->Assign(glyph);
    Invalidate();
}

void TqvSkinButton::SetNumGlyphs(int n) {
    numGlyphs_ = n < 1 ? 1 : n > 4 ? 4 : n;
    Invalidate();
}

void TqvSkinButton::SetMargin(int margin) {
    if (margin >= -1 && margin != margin_) {
        margin_ = margin;
        Invalidate();
    }
}

void TqvSkinButton::SetSpacing(int spacing) {
    if (spacing != spacing_) {
        spacing_ = spacing;
        Invalidate();
    }
}

void TqvSkinButton::SetLayout(TButtonLayout layout) {
    if (layout != layout_) {
        layout_ = layout;
        Invalidate();
    }
}

void TqvSkinButton::SetImageList(vcl::TImageList* list) {
    if (imageList_ != nullptr && imageList_ != list) {
        imageList_->RemoveFreeNotification(this);
    }
    imageList_ = list;
    if (list != nullptr) {
        list->FreeNotification(this);
    }
    Invalidate();
}

void TqvSkinButton::SetImageIndex(int index) {
    if (index != imageIndex_) {
        imageIndex_ = index;
        Invalidate();
    }
}

void TqvSkinButton::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    TqvSkinCustomControl::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove && component == imageList_) {
        imageList_ = nullptr;
    }
}

void TqvSkinButton::ForceState(bool hot, bool down, bool focused) {
    forced_ = true;
    forcedHot_ = hot;
    forcedDown_ = down;
    forcedFocused_ = focused;
    down_ = down;
    Invalidate();
}

// --- record ---

void TqvSkinButton::ReadSkinRecord() {
    TqvSkinCustomControl::ReadSkinRecord();
    if (skinRecordIndex_ == -1) {
        return;
    }
    auto* record = dynamic_cast<const TqvDataSkinButtonControl*>(SkinRecord());
    if (record == nullptr) {
        activeskinrect = skinrect;
        downskinrect = skinrect;
        disabledskinrect = RECT{};
        focusedskinrect = RECT{};
        morphing = false;
        animateskinrect = RECT{};
        framecount = 0;
        showfocus = false;
        return;
    }
    fontname = record->font.name;
    fontheight = record->font.height;
    fontstyle = record->font.style;
    fontcolor = record->font.color;
    activefontcolor = record->activefontcolor;
    downfontcolor = record->downfontcolor;
    disabledfontcolor = record->disabledfontcolor;
    activeskinrect = record->activeskinrect;
    downskinrect = record->downskinrect;
    disabledskinrect = record->disabledskinrect;
    focusedskinrect = record->focusedskinrect;
    morphing = record->morphing;
    morphkind = record->morphkind;
    animateskinrect = record->animateskinrect;
    framecount = record->framecount;
    animateinterval = record->animateinterval;
    showfocus = record->showfocus;
    if (RectIsEmpty(activeskinrect)) {
        activeskinrect = skinrect;
    }
    if (RectIsEmpty(downskinrect)) {
        downskinrect = activeskinrect;
    }
    if (disabledfontcolor == fontcolor) {
        disabledfontcolor = kGrey; // a disabled caption must differ from an enabled one
    }
    if (!useSkinSize_) {
        skinMaskPicture_ = nullptr;
    }
    if (animationTimer_ != nullptr && animationFrame_ >= 1 && animationFrame_ <= framecount) {
        RECT frame = AnimationFrameRect(animationFrame_);
        if (animatingIn_) {
            activeskinrect = frame;
        } else {
            skinrect = frame;
        }
    }
}

RECT TqvSkinButton::AnimationFrameRect(int k) const {
    if (framecount <= 0) {
        return RECT{};
    }
    RECT r = animateskinrect;
    if (WidthOfRect(animateskinrect) > WidthOfRect(skinrect)) {
        const int w = WidthOfRect(animateskinrect) / framecount;
        r.left = animateskinrect.left + (k - 1) * w;
        r.right = r.left + w;
    } else {
        const int h = HeightOfRect(animateskinrect) / framecount;
        r.top = animateskinrect.top + (k - 1) * h;
        r.bottom = r.top + h;
    }
    return r;
}

void TqvSkinButton::FitSizeToSkin(int& width, int& height) {
    if (useSkinSize_ || skinLayout_ == slCorners) {
        TqvSkinCustomControl::FitSizeToSkin(width, height);
        return;
    }
    if (skinRecordIndex_ == -1 || !hasGeometry_) {
        return;
    }
    const int dw = width - WidthOfRect(skinrect);
    const int dh = height - HeightOfRect(skinrect);
    SizedClientRect = RECT{clientrect.left, clientrect.top, clientrect.right + dw, clientrect.bottom + dh};
}

void TqvSkinButton::ApplySkin() {
    StopMorph();
    StopAnimation();
    morphLevel_ = 0;
    TqvSkinCustomControl::ApplySkin();
    if (MorphingActive() && skinRecordIndex_ != -1 && IsHot()) {
        morphLevel_ = 1;
    }
}

// --- state ---

bool TqvSkinButton::FocusedAndCanFocus() const {
    if (forced_) {
        return forcedFocused_ && canFocused_;
    }
    return canFocused_ && HandleAllocated() && const_cast<TqvSkinButton*>(this)->Focused();
}

bool TqvSkinButton::IsHot() const {
    if (forced_) {
        return forcedHot_ || FocusedAndCanFocus();
    }
    return MouseInside() || FocusedAndCanFocus();
}

bool TqvSkinButton::ShowsPressed() const {
    if (!down_) {
        return false;
    }
    if (forced_) {
        return forcedDown_;
    }
    return groupIndex_ != 0 || MouseInside() || (FocusedAndCanFocus() && !PressedByMouse());
}

bool TqvSkinButton::SkinEffectsOn() const {
    return SkinData() != nullptr && !SkinData()->IsEmpty() && SkinData()->EnableSkinEffects();
}

bool TqvSkinButton::MorphingActive() const { return morphing && SkinEffectsOn(); }

void TqvSkinButton::StartMorphOrRepaint() {
    if (MorphingActive() && skinRecordIndex_ != -1) {
        if (morphTimer_ == nullptr) {
            morphTimer_ = std::make_unique<vcl::TTimer>(nullptr);
            morphTimer_->SetInterval(kMorphInterval);
            morphTimer_->SetOnTimer([this](vcl::TObject*) { MorphTick(); });
        }
        return;
    }
    Invalidate();
}

void TqvSkinButton::StopMorph() { morphTimer_.reset(); }

void TqvSkinButton::MorphTick() {
    const bool hot = IsHot();
    if (skinRecordIndex_ == -1 || !MorphingActive()) {
        morphLevel_ = hot ? 1 : 0;
        StopMorph();
        return;
    }
    if (hot && morphLevel_ < 1) {
        morphLevel_ += 0.2;
    } else if (!hot && morphLevel_ > 0) {
        morphLevel_ -= 0.2;
    } else {
        morphLevel_ = hot ? 1 : 0;
        StopMorph();
    }
    Invalidate();
}

void TqvSkinButton::StartAnimation(bool in) {
    if (skinRecordIndex_ == -1 || !SkinEffectsOn() || RectIsEmpty(animateskinrect)) {
        return;
    }
    StopAnimation();
    animatingIn_ = in;
    animationFrame_ = in ? 1 : framecount;
    animationTimer_ = std::make_unique<vcl::TTimer>(nullptr);
    animationTimer_->SetInterval(UINT(animateinterval > 0 ? animateinterval : 25));
    animationTimer_->SetOnTimer([this](vcl::TObject*) { AnimationTick(); });
}

void TqvSkinButton::StopAnimation() {
    animationTimer_.reset();
    animationFrame_ = 0;
}

void TqvSkinButton::AnimationTick() {
    if (animatingIn_) {
        if (animationFrame_ <= framecount) {
            ++animationFrame_;
            Invalidate();
        }
        if (animationFrame_ > framecount) {
            StopAnimation();
        }
    } else {
        if (animationFrame_ >= 0) {
            --animationFrame_;
            Invalidate();
        }
        if (animationFrame_ <= 0) {
            StopAnimation();
        }
    }
}

// --- clicks ---

void TqvSkinButton::DeliverClick() {
    if (canFocused_) {
        if (vcl::TCustomForm* form = GetParentForm()) {
            form->SetModalResult(modalResult_);
        }
    }
    if (OnClick) {
        vcl::TNotifyEvent handler = OnClick; // the handler may free the button
        handler(this);
    }
}

// --- mouse ---

void TqvSkinButton::SetMouseInside(bool inside) { tracker_.SetHot(inside ? 0 : -1); }

void TqvSkinButton::MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::MouseDown(button, shift, x, y); // OnMouseDown
    if (!alive.Alive() || button != vcl::mbLeft || !Enabled()) {
        return;
    }
    StopAnimation();
    forced_ = false;
    if (!down_) {
        tracker_.RepeatMode = repeatMode_ && groupIndex_ == 0;
        tracker_.RepeatInterval = UINT(repeatInterval_ > 0 ? repeatInterval_ : 1);
        tracker_.Press(0);
        SetDown(true);
        wasDownAtPress_ = false;
        if (groupIndex_ != 0) {
            DeliverClick();
        }
    } else {
        tracker_.RepeatMode = false;
        tracker_.Press(0);
        if (groupIndex_ != 0) {
            wasDownAtPress_ = true;
        }
    }
}

void TqvSkinButton::HandleRelease() {
    if (!PressedByMouse()) {
        return;
    }
    const bool inside = MouseInside();
    const bool wasDown = down_;
    tracker_.Cancel(); // ends the press and its repeat; the click is decided here
    SetMouseInside(inside);
    if (GetCapture() == Handle()) {
        ReleaseCapture(); // before the click, which may open a modal window
    }
    if (groupIndex_ == 0) {
        if (inside) {
            SetDown(false);
            if (wasDown) {
                DeliverClick();
            }
        } else {
            down_ = false; // no repaint: the look is the normal one already
        }
        return;
    }
    if (wasDown && allowAllUp_ && wasDownAtPress_ && inside) {
        SetDown(false);
        DeliverClick();
    }
}

void TqvSkinButton::MouseMove(vcl::TShiftState shift, int x, int y) {
    if (PressedByMouse()) {
        const bool inside = PtInRect(ClientRect(), POINT{x, y});
        if (inside != MouseInside()) {
            if (inside) {
                MouseEntered();
            } else {
                MouseLeft();
            }
        }
    }
    TqvSkinCustomControl::MouseMove(shift, x, y);
}

void TqvSkinButton::CMMouseEnter(vcl::TMessage& message) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::CMMouseEnter(message); // OnMouseEnter
    if (!alive.Alive() || IsDesigning() || MouseInside()) {
        return;
    }
    MouseEntered();
}

void TqvSkinButton::CMMouseLeave(vcl::TMessage& message) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::CMMouseLeave(message); // OnMouseLeave
    if (!alive.Alive() || IsDesigning() || !MouseInside()) {
        return;
    }
    MouseLeft();
}

void TqvSkinButton::MouseEntered() {
    forced_ = false;
    tracker_.MouseMove(0); // also resumes a paused repeat of the held button
    const bool redraw = (groupIndex_ != 0 && !down_) ||
                        (groupIndex_ == 0 && (!FocusedAndCanFocus() || down_));
    if (!redraw) {
        return;
    }
    if (down_) {
        if (MorphingActive()) {
            morphLevel_ = 1;
        }
        Invalidate();
    } else {
        StartAnimation(true);
        StartMorphOrRepaint();
    }
}

void TqvSkinButton::MouseLeft() {
    forced_ = false;
    const bool keepHot = canFocused_ && default_ && activeDefault_ && !FocusedAndCanFocus();
    if (PressedByMouse()) {
        tracker_.MouseMove(-1); // pauses the repeat while off the button
    } else if (!keepHot) {
        SetMouseInside(false);
    }
    const bool redraw = (groupIndex_ != 0 && !down_) ||
                        (groupIndex_ == 0 && (!FocusedAndCanFocus() || down_));
    if (redraw) {
        StartAnimation(false);
        StartMorphOrRepaint();
    }
}

// --- keyboard and focus ---

bool TqvSkinButton::HandleKey(vcl::TMessage& m) {
    if (!canFocused_) {
        return false;
    }
    const WORD key = WORD(m.WParam);
    if (m.Msg == WM_KEYDOWN && key == VK_SPACE) {
        StopAnimation();
        SetDown(true);
        if (repeatMode_) {
            DeliverClick();
        }
        return true;
    }
    if (m.Msg == WM_KEYDOWN && key == VK_RETURN) {
        DeliverClick();
        return true;
    }
    if (m.Msg == WM_KEYUP && key == VK_SPACE) {
        if (!down_) {
            return true; // the key went down elsewhere
        }
        vcl::TControlTracker alive(this);
        SetDown(false);
        DeliverClick();
        return true;
    }
    return false;
}

void TqvSkinButton::CMDialogKey(vcl::TMessage& m) {
    const WORD key = WORD(m.WParam);
    const bool shift = (vcl::KeyboardShiftState() & (vcl::ssShift | vcl::ssAlt | vcl::ssCtrl)) != 0;
    if ((key == VK_RETURN && activeDefault_ && Enabled()) ||
        (key == VK_ESCAPE && cancel_ && canFocused_ && !shift && CanFocus())) {
        m.Result = 1;
        DeliverClick();
        return;
    }
    TqvSkinCustomControl::CMDialogKey(m);
}

void TqvSkinButton::CMFocusChanged(vcl::TMessage& m) {
    auto* focused = reinterpret_cast<vcl::TWinControl*>(m.LParam);
    const bool focusedIsButton = dynamic_cast<TqvSkinButton*>(focused) != nullptr;
    activeDefault_ = focusedIsButton ? focused == this : default_;
    if (canFocused_ && default_) {
        if (focusedIsButton && focused != this && MouseInside()) {
            SetMouseInside(false);
            StartMorphOrRepaint();
        } else if (!focusedIsButton && !MouseInside()) {
            SetMouseInside(true);
            if (MorphingActive()) {
                morphLevel_ = 1;
            }
            StartMorphOrRepaint();
        }
    }
    TqvSkinCustomControl::CMFocusChanged(m);
}

void TqvSkinButton::CMEnabledChanged(vcl::TMessage& m) {
    TqvSkinCustomControl::CMEnabledChanged(m);
    StopMorph();
    if (MorphingActive()) {
        morphLevel_ = 0;
    }
    tracker_.Cancel();
    SetMouseInside(false);
    Invalidate();
}

void TqvSkinButton::CMTextChanged(vcl::TMessage& m) {
    TqvSkinCustomControl::CMTextChanged(m);
    Invalidate();
}

void TqvSkinButton::CreateWnd() {
    TqvSkinCustomControl::CreateWnd();
    activeDefault_ = default_;
}

void TqvSkinButton::WndProc(vcl::TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE:
        // Enter and Escape reach the form as dialog keys; Space reaches the button.
        m.Result = default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (HandleKey(m)) {
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (canFocused_ && !IsDesigning() && !Focused() && CanFocus()) {
            suppressClicks_ = true;
            vcl::TControlTracker alive(this);
            SetFocus();
            if (!alive.Alive()) {
                return;
            }
            suppressClicks_ = false;
            if (!Focused()) {
                return; // the focus went elsewhere (a validation refused it)
            }
        }
        break;
    case WM_LBUTTONUP: {
        vcl::TControlTracker alive(this);
        HandleRelease();
        if (!alive.Alive()) {
            return;
        }
        if (!HandleAllocated() || !Visible()) {
            return;
        }
        break;
    }
    case WM_CANCELMODE:
        if (PressedByMouse()) {
            tracker_.Cancel();
            down_ = false;
            Invalidate();
        }
        break;
    case vcl::CN_COMMAND:
        if (suppressClicks_) {
            return;
        }
        break;
    case vcl::CM_DIALOGCHAR:
        if (canFocused_ && CanFocus() && IsAccel(char32_t(m.WParam), Caption())) {
            SetFocus();
            m.Result = 1;
            DeliverClick();
            return;
        }
        break;
    case WM_SETFOCUS: {
        vcl::TControlTracker alive(this);
        TqvSkinCustomControl::WndProc(m);
        if (alive.Alive() && canFocused_) {
            StartAnimation(true);
            StartMorphOrRepaint();
        }
        return;
    }
    case WM_KILLFOCUS: {
        if (repeatMode_) {
            tracker_.Cancel();
        }
        if (groupIndex_ == 0 && down_) {
            down_ = false;
        }
        vcl::TControlTracker alive(this);
        TqvSkinCustomControl::WndProc(m);
        if (alive.Alive() && canFocused_) {
            StartAnimation(false);
            StartMorphOrRepaint();
        }
        return;
    }
    default: break;
    }
    TqvSkinCustomControl::WndProc(m);
}

// --- painting ---

void TqvSkinButton::DrawGlyphCaption(vcl::TCanvas* canvas, const RECT& rect, bool down, bool hot,
                                     bool pressedShift) {
    HDC dc = canvas->Handle();
    canvas->TextHeight("W"); // selects the canvas font into the DC
    SetTextColor(dc, vcl::ColorToRGB(canvas->Font()->Color()));
    SetBkMode(dc, TRANSPARENT);
    TqvGlyphCaptionStyle style;
    style.Layout = int(layout_);
    style.Margin = margin_;
    style.Spacing = spacing_;
    style.Pressed = pressedShift;
    const std::string caption = Caption();
    if (imageList_ != nullptr && imageIndex_ >= 0 && imageIndex_ < imageList_->Count()) {
        DrawImageListGlyphCaption(dc, rect, style, Enabled(), imageList_->Handle(), imageIndex_, caption);
        return;
    }
    int frame = 1;
    if (down && hot && numGlyphs_ > 2) {
        frame = 3;
    } else if (hot && numGlyphs_ > 3) {
        frame = 4;
    } else if (!Enabled() && numGlyphs_ > 1) {
        frame = 2;
    }
    DrawStripGlyphCaption(dc, rect, style, frame, numGlyphs_, glyph_->Pixels(), caption);
}

void TqvSkinButton::DrawStateImage(vcl::TBitmap& bitmap, const RECT& source, bool down, bool hot) {
    if (SkinPicture() == nullptr) {
        return;
    }
    RECT textRect;
    if (useSkinSize_ || skinLayout_ == slCorners) {
        BuildControlImage(bitmap, *SkinPicture(), source);
        textRect = SizedClientRect;
    } else {
        gfx::Bitmap image(Width(), Height());
        if (skinLayout_ == slFixed) {
            image = gfx::Bitmap(MaxOf(WidthOfRect(source), 0), MaxOf(HeightOfRect(source), 0));
            BlitPixels(*SkinPicture(), source, image, RECT{0, 0, image.Width(), image.Height()});
        } else if (skinLayout_ == slHorizontal || skinLayout_ == slVertical) {
            FitSkinImageToSize(*SkinPicture(), source, clientrect, true, image);
        }
        textRect = RECT{clientrect.left, clientrect.top,
                        clientrect.right + image.Width() - WidthOfRect(source),
                        clientrect.bottom + image.Height() - HeightOfRect(source)};
        bitmap.SetPixels(std::move(image));
    }
    vcl::TCanvas* canvas = bitmap.Canvas();
    ApplyFont(canvas, fontname, fontheight, fontstyle);
    vcl::TColor colour;
    if (Enabled() && !useSkinFontColor_) {
        colour = DefaultFont()->Color();
    } else if (!Enabled()) {
        colour = disabledfontcolor;
    } else if (down && hot) {
        colour = downfontcolor;
    } else if (hot) {
        colour = activefontcolor;
    } else {
        colour = fontcolor;
    }
    canvas->Font()->SetColor(colour);
    if (showfocus && FocusedAndCanFocus()) {
        canvas->Brush()->SetColor(SkinData()->Colors.cbtnface);
        DrawFocusRect(canvas->Handle(), &SizedClientRect);
        canvas->Brush()->SetStyle(vcl::bsClear);
    }
    if (OnPaint) {
        bool drawDefault = true;
        OnPaint(this, canvas, textRect, down, hot, drawDefault);
        if (!drawDefault) {
            return;
        }
    }
    DrawGlyphCaption(canvas, textRect, down, hot, down && hot);
}

void TqvSkinButton::DrawDefaultImage(vcl::TBitmap& bitmap) {
    vcl::TCanvas* canvas = bitmap.Canvas();
    const RECT r{0, 0, bitmap.Width(), bitmap.Height()};
    const bool pressed = ShowsPressed();
    const bool hot = IsHot();
    if (pressed) {
        FrameAndFill(canvas, r, kNavy, kPressedFill);
    } else if (hot) {
        FrameAndFill(canvas, r, kNavy, kHotFill);
    } else {
        FrameAndFill(canvas, r, vcl::clBtnShadow, vcl::clBtnFace);
    }
    ApplySkinFont(canvas, false, "", 0, 0, *DefaultFont(), SkinData());
    if (!Enabled()) {
        canvas->Font()->SetColor(vcl::clBtnShadow);
    }
    if (OnPaint) {
        bool drawDefault = true;
        OnPaint(this, canvas, r, down_, MouseInside(), drawDefault);
        if (!drawDefault) {
            return;
        }
    }
    DrawGlyphCaption(canvas, r, down_, MouseInside() || pressed, pressed);
}

void TqvSkinButton::PaintTo(vcl::TCanvas* canvas) {
    if (Width() <= 0 || Height() <= 0) {
        return;
    }
    ReadSkinRecord();
    if (skinRecordIndex_ == -1) {
        TqvSkinCustomControl::PaintTo(canvas);
        return;
    }
    int width = Width();
    int height = Height();
    FitSizeToSkin(width, height);
    vcl::TBitmap image(Width(), Height());
    const bool hot = IsHot();
    const bool focusedNow = FocusedAndCanFocus();
    const bool animating = animationTimer_ != nullptr;
    if (MorphingActive() && morphLevel_ > 0 && morphLevel_ < 1 && Enabled()) {
        vcl::TBitmap normal(Width(), Height());
        vcl::TBitmap active(Width(), Height());
        DrawStateImage(normal, skinrect, false, false);
        DrawStateImage(active, activeskinrect, false, true);
        TqvEffectBmp a(normal.Pixels());
        TqvEffectBmp b(active.Pixels());
        switch (morphkind) {
        case mkGradient: a.CentreWipe(b, morphLevel_); break;
        case mkLeftGradient: a.LeftWipe(b, morphLevel_); break;
        case mkRightGradient: a.RightWipe(b, morphLevel_); break;
        case mkLeftSlide: a.SlideFromLeft(b, morphLevel_); break;
        case mkRightSlide: a.SlideFromRight(b, morphLevel_); break;
        case mkPush: a.PushFromLeft(b, morphLevel_); break;
        default: a.MixWith(b, morphLevel_); break;
        }
        image.SetPixels(a.ToBitmap());
    } else if (!Enabled() && !RectIsEmpty(disabledskinrect)) {
        DrawStateImage(image, disabledskinrect, false, false);
    } else if (ShowsPressed()) {
        DrawStateImage(image, downskinrect, true, true);
    } else if (focusedNow && !RectIsEmpty(focusedskinrect) && !animating) {
        DrawStateImage(image, focusedskinrect, false, true);
    } else if (hot) {
        DrawStateImage(image, activeskinrect, false, true);
    } else if (MorphingActive() && morphLevel_ >= 1) {
        DrawStateImage(image, activeskinrect, false, true);
    } else {
        DrawStateImage(image, skinrect, false, false);
    }
    canvas->Draw(0, 0, &image);
}

} // namespace qv
