#include "skin/controls/qvSkinScrollBar.h"

#include "framework/Canvas.h"
#include "framework/Messages.h"
#include "skin/data/qvCompose.h"
#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvGlyphs.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qv {

namespace {

// The look of a plainly drawn part that is pressed, and of one under the mouse.
constexpr vcl::TColor kPressedFrame = vcl::clNavy;
constexpr vcl::TColor kPressedFill = 11899781;
constexpr vcl::TColor kHotFill = 13811126;

int AddSaturated(int a, int b) {
    std::int64_t sum = std::int64_t{a} + b;
    return static_cast<int>(
        std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool Contains(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
int RectW(const RECT& r) { return r.right - r.left; }
int RectH(const RECT& r) { return r.bottom - r.top; }
bool Empty(const RECT& r) { return RectW(r) <= 0 || RectH(r) <= 0; }
RECT Moved(RECT r, int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
}
RECT Or(const RECT& r, const RECT& fallback) { return Empty(r) ? fallback : r; }

bool IsArrowKey(WPARAM key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

} // namespace

TqvSkinScrollBar::TqvSkinScrollBar(vcl::TComponent* owner) : TqvSkinCustomControl(owner) {
    SetSkinDataName("hscrollbar");
    SetBounds(Left(), Top(), 200, 19);
    SetDefaultHeight(19);
    SetTabStop(false);
    tracker_.RepeatInterval = kRepeatInterval;
    tracker_.FirstDelay = kRepeatDelay;
    // Back on a held button the steps go on at once, as they were interrupted, not restarted.
    tracker_.ResumeAtInterval = true;
    tracker_.OnChange = [this](int) { Invalidate(); };
    tracker_.OnRepeat = [this](int part) { ButtonStep(part); };
    pageRepeat_.OnRepeat = [this] { PageRepeatTick(); };
}

TqvSkinScrollBar::~TqvSkinScrollBar() = default;

// ---- published state

void TqvSkinScrollBar::SetKind(TqvScrollBarKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    Invalidate();
}

void TqvSkinScrollBar::SetPosition(int value) {
    int clamped = range_.ClampPosition(value);
    if (clamped == range_.Position) return;
    range_.Position = clamped;
    Changed();
}

void TqvSkinScrollBar::AssignRange(int min, int max, int position, int pageSize) {
    range_.Assign(min, max, position, pageSize);
    Invalidate();
}

void TqvSkinScrollBar::SetMin(int value) {
    range_.SetMin(value);
    Invalidate();
}

void TqvSkinScrollBar::SetMax(int value) {
    range_.SetMax(value);
    Invalidate();
}

void TqvSkinScrollBar::SetPageSize(int value) {
    range_.SetPageSize(value);
    Invalidate();
}

void TqvSkinScrollBar::SetSmallChange(int value) {
    smallChange_ = value;
    Invalidate();
}

void TqvSkinScrollBar::SetLargeChange(int value) {
    largeChange_ = value;
    Invalidate();
}

void TqvSkinScrollBar::SetBoth(bool on) {
    if (on == both_) return;
    both_ = on;
    if (!IsDesigning()) {
        if (on) {
            normalSkinDataName_ = SkinDataName();
            SetSkinDataName(bothSkinDataName_);
        } else if (!normalSkinDataName_.empty()) {
            SetSkinDataName(normalSkinDataName_);
        }
    }
    if (skinRecordIndex_ == -1) Invalidate();
    else ApplySkin();
}

void TqvSkinScrollBar::SetBothMarkerWidth(int value) {
    if (value < 0) return;
    bothMarkerWidth_ = value;
    if (skinRecordIndex_ == -1) Invalidate();
}

void TqvSkinScrollBar::SetCanFocused(bool on) {
    canFocused_ = on;
    SetTabStop(on);
}

void TqvSkinScrollBar::Changed() {
    Invalidate();
    if (OnChange) OnChange(this);
}

// ---- skin record

void TqvSkinScrollBar::ReadSkinRecord() {
    TqvSkinCustomControl::ReadSkinRecord();
    auto* r = dynamic_cast<const TqvDataSkinScrollBarControl*>(SkinRecord());
    if (r == nullptr) return;
    trackarea = r->trackarea;
    upbuttonrect = r->upbuttonrect;
    activeupbuttonrect = r->activeupbuttonrect;
    downupbuttonrect = Or(r->downupbuttonrect, activeupbuttonrect);
    downbuttonrect = r->downbuttonrect;
    activedownbuttonrect = r->activedownbuttonrect;
    downdownbuttonrect = Or(r->downdownbuttonrect, activedownbuttonrect);
    thumbrect = r->thumbrect;
    activethumbrect = Or(r->activethumbrect, thumbrect);
    downthumbrect = Or(r->downthumbrect, activethumbrect);
    thumboffset1 = r->thumboffset1;
    thumboffset2 = r->thumboffset2;
    thumbtransparent = r->thumbtransparent;
    thumbtransparentcolor = r->thumbtransparentcolor;
    thumbstretcheffect = r->thumbstretcheffect;
    thumbminsize = r->thumbminsize;
    thumbminpagesize = r->thumbminpagesize;
    glyphrect = r->glyphrect;
    activeglyphrect = Or(r->activeglyphrect, glyphrect);
    downglyphrect = Or(r->downglyphrect, activeglyphrect);
    glyphtransparent = r->glyphtransparent;
    glyphtransparentcolor = r->glyphtransparentcolor;
}

bool TqvSkinScrollBar::SkinBound() const {
    return skinRecordIndex_ != -1 && skinPicture_ != nullptr &&
           dynamic_cast<const TqvDataSkinScrollBarControl*>(SkinRecord()) != nullptr;
}

TqvScrollBarSkinMetrics TqvSkinScrollBar::SkinMetrics() const {
    TqvScrollBarSkinMetrics m;
    m.SkinWidth = RectW(skinrect);
    m.SkinHeight = RectH(skinrect);
    m.TrackArea = trackarea;
    m.UpButton = upbuttonrect;
    m.DownButton = downbuttonrect;
    m.RightTopPoint = righttoppoint;
    m.LeftBottomPoint = leftbottompoint;
    m.ThumbWidth = RectW(thumbrect);
    m.ThumbHeight = RectH(thumbrect);
    m.ThumbMinSize = thumbminsize;
    m.ThumbMinPageSize = thumbminpagesize;
    return m;
}

// ---- geometry

const TqvScrollBarLayout& TqvSkinScrollBar::CalcGeometry() {
    if (SkinBound()) layout_ = SkinnedScrollBarLayout(Vertical(), Width(), Height(), SkinMetrics(), range_);
    else
        layout_ = DefaultScrollBarLayout(Vertical(), Width(), Height(), both_ ? bothMarkerWidth_ : 0, range_);
    return layout_;
}

int TqvSkinScrollBar::PartAt(int x, int y) const {
    if (Contains(layout_.Thumb, x, y)) return kThumb;
    if (Contains(layout_.Increment, x, y)) return kIncrement;
    if (Contains(layout_.Decrement, x, y)) return kDecrement;
    return -1;
}

// ---- mouse

void TqvSkinScrollBar::MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::MouseDown(button, shift, x, y);
    if (!alive.Alive() || button != vcl::mbLeft) return;
    buttonHeld_ = true;
    lastMouse_ = {x, y};
    StopRepeat();
    CalcGeometry();
    int part = PartAt(x, y);
    switch (part) {
    case kThumb:
        tracker_.RepeatMode = false;
        tracker_.Press(kThumb);
        dragStartCoordinate_ = Vertical() ? y : x;
        dragStartOffset_ = layout_.ThumbOffset;
        dragStartPosition_ = range_.Position;
        dragging_ = true;
        return;
    case kIncrement:
    case kDecrement:
        tracker_.RepeatMode = true;
        tracker_.Press(part);
        autoRepeat_ = part == kIncrement ? TqvAutoRepeat::Increment : TqvAutoRepeat::Decrement;
        ButtonStep(part);
        return;
    default: break;
    }
    if (!Contains(layout_.TrackArea, x, y)) return;
    int along = Vertical() ? y : x;
    int thumbStart = Vertical() ? layout_.Thumb.top : layout_.Thumb.left;
    TqvAutoRepeat kind = along < thumbStart ? TqvAutoRepeat::PageDecrement : TqvAutoRepeat::PageIncrement;
    autoRepeat_ = kind;
    pageRepeat_.Start(kRepeatInterval, kRepeatDelay);
    PageStep(kind, false);
}

void TqvSkinScrollBar::ButtonStep(int part) {
    if (part == kIncrement) {
        if (OnUpButtonClick) OnUpButtonClick(this);
        else SetPosition(AddSaturated(range_.Position, smallChange_));
    } else if (part == kDecrement) {
        if (OnDownButtonClick) OnDownButtonClick(this);
        else SetPosition(AddSaturated(range_.Position, -smallChange_));
    }
}

// One page towards the pointer; with `repeating`, only while the pointer is still beyond the
// thumb on that side, so the thumb stops under the pointer. Returns false when it stopped.
bool TqvSkinScrollBar::PageStep(TqvAutoRepeat kind, bool repeating) {
    if (repeating) {
        CalcGeometry();
        MoveHot(lastMouse_.x, lastMouse_.y);
        int along = Vertical() ? lastMouse_.y : lastMouse_.x;
        bool beyond = kind == TqvAutoRepeat::PageDecrement
                          ? along < (Vertical() ? layout_.Thumb.top : layout_.Thumb.left)
                          : along > (Vertical() ? layout_.Thumb.bottom : layout_.Thumb.right);
        if (!beyond) {
            StopRepeat();
            return false;
        }
    }
    vcl::TControlTracker alive(this);
    bool up = kind == TqvAutoRepeat::PageDecrement;
    SetPosition(AddSaturated(range_.Position, up ? -largeChange_ : largeChange_));
    if (!alive.Alive()) return false;
    const vcl::TNotifyEvent& after = up ? OnPageUp : OnPageDown;
    if (after) after(this);
    return true;
}

void TqvSkinScrollBar::PageRepeatTick() {
    if (autoRepeat_ == TqvAutoRepeat::PageDecrement || autoRepeat_ == TqvAutoRepeat::PageIncrement)
        PageStep(autoRepeat_, true);
}

void TqvSkinScrollBar::StopRepeat() {
    pageRepeat_.Stop();
    autoRepeat_ = TqvAutoRepeat::None;
}

void TqvSkinScrollBar::CancelPress() {
    tracker_.Cancel();
    StopRepeat();
    dragging_ = false;
    buttonHeld_ = false;
}

void TqvSkinScrollBar::MoveHot(int x, int y) { tracker_.MouseMove(PartAt(x, y)); }

void TqvSkinScrollBar::DragTo(int x, int y) {
    CalcGeometry();
    int offset = (Vertical() ? y : x) - dragStartCoordinate_ + dragStartOffset_;
    SetPosition(PositionFromThumbOffset(Vertical(), offset, range_, layout_));
}

void TqvSkinScrollBar::MouseMove(vcl::TShiftState shift, int x, int y) {
    lastMouse_ = {x, y};
    CalcGeometry();
    MoveHot(x, y);
    if (dragging_) {
        vcl::TControlTracker alive(this);
        DragTo(x, y);
        if (!alive.Alive()) return;
    }
    TqvSkinCustomControl::MouseMove(shift, x, y);
}

void TqvSkinScrollBar::MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::MouseUp(button, shift, x, y);
    if (!alive.Alive()) return;
    buttonHeld_ = false;
    if (autoRepeat_ == TqvAutoRepeat::PageDecrement || autoRepeat_ == TqvAutoRepeat::PageIncrement)
        StopRepeat();
    int captured = tracker_.PressedPart();
    if (captured < 0) return;
    tracker_.Release(); // stops a button's repeat
    if (captured == kThumb) dragging_ = false;
    else autoRepeat_ = TqvAutoRepeat::None;
    if (button == vcl::mbLeft && captured == kThumb && OnLastChange) OnLastChange(this);
}

void TqvSkinScrollBar::MouseLeft() {
    if (tracker_.PressedPart() < 0 && !dragging_) tracker_.MouseLeave();
    // A page-down repeat ends with the pointer gone; a page-up one keeps testing its position.
    if (buttonHeld_ && autoRepeat_ == TqvAutoRepeat::PageIncrement) StopRepeat();
}

bool TqvSkinScrollBar::TakeFocusForClick() {
    suppressClicks_ = true;
    vcl::TControlTracker alive(this);
    SetFocus();
    if (!alive.Alive()) return false;
    suppressClicks_ = false;
    return Focused();
}

// ---- keys and messages

void TqvSkinScrollBar::KeyDown(WORD& key, vcl::TShiftState shift) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::KeyDown(key, shift);
    if (!alive.Alive() || !canFocused_) return;
    if (key == VK_LEFT || key == VK_UP) SetPosition(AddSaturated(range_.Position, -smallChange_));
    else if (key == VK_RIGHT || key == VK_DOWN) SetPosition(AddSaturated(range_.Position, smallChange_));
}

void TqvSkinScrollBar::PaintIntoDC(HDC dc) {
    if (dc == nullptr) return;
    vcl::TCanvas canvas;
    canvas.SetHandle(dc);
    PaintTo(&canvas);
    canvas.SetHandle(nullptr);
}

void TqvSkinScrollBar::WndProc(vcl::TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (canFocused_ && !Focused() && !IsDesigning() && !TakeFocusForClick()) return;
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        // The wheel comes while the pointer is over the bar (or the bar has the focus): one small
        // change a turn, away from the user or to the left towards Min. The delta sits in the
        // high word, so the whole value's sign is the turn's.
        auto turn = static_cast<std::int32_t>(static_cast<std::uint32_t>(message.WParam));
        const bool towardsMin = message.Msg == WM_MOUSEWHEEL ? turn > 0 : turn < 0;
        SetPosition(AddSaturated(range_.Position, towardsMin ? -smallChange_ : smallChange_));
        message.Result = 0;
        return;
    }
    case vcl::CM_WANTSPECIALKEY:
        if (canFocused_ && IsArrowKey(message.WParam)) {
            message.Result = 1;
            return;
        }
        break;
    case WM_ERASEBKGND:
        // Erased outside a paint (a window uncovered), the bar draws itself at once rather
        // than flash empty until its WM_PAINT.
        if (!PaintingFromWMPaint()) PaintIntoDC(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
    case WM_CANCELMODE:
        // Someone else takes the mouse (a menu, a dialog): the press ends without a click.
        CancelPress();
        break;
    default: break;
    }
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::WndProc(message);
    if (!alive.Alive()) return;
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (canFocused_) Invalidate();
        break;
    case vcl::CM_ENABLEDCHANGED:
        if (!Enabled()) CancelPress(); // a disabled bar neither repeats nor drags
        Invalidate();
        break;
    case vcl::CM_MOUSELEAVE: MouseLeft(); break;
    default: break;
    }
}

// ---- painting

void TqvSkinScrollBar::DrawSkinImage(vcl::TBitmap& bitmap) {
    if (!SkinBound()) {
        DrawDefaultImage(bitmap);
        return;
    }
    TqvSkinCustomControl::DrawSkinImage(bitmap);
    CalcGeometry();
    vcl::TCanvas* canvas = bitmap.Canvas();
    struct Button {
        int part;
        const RECT& hot;
        const RECT& down;
    } buttons[] = {{kIncrement, activeupbuttonrect, downupbuttonrect},
                   {kDecrement, activedownbuttonrect, downdownbuttonrect}};
    for (const Button& b : buttons) {
        if (!tracker_.IsHot(b.part)) continue; // the composed image already shows the normal look
        const RECT& r = b.part == kIncrement ? layout_.Increment : layout_.Decrement;
        RECT src = Moved(tracker_.IsPressed(b.part) ? b.down : b.hot, skinrect.left, skinrect.top);
        DrawPicturePart(canvas, *skinPicture_, src, r.left, r.top, RectW(r), RectH(r));
    }
    if (Enabled()) DrawThumb(canvas);
}

void TqvSkinScrollBar::DrawThumb(vcl::TCanvas* canvas) {
    const RECT& t = layout_.Thumb;
    int tw = RectW(t);
    int th = RectH(t);
    if (tw <= 0 || th <= 0) return;
    bool down = tracker_.IsPressed(kThumb) || (canFocused_ && Focused());
    bool hot = tracker_.IsHot(kThumb);
    const RECT& src = down ? downthumbrect : hot ? activethumbrect : thumbrect;
    vcl::TBitmap thumb;
    if (range_.PageSize != 0 || thumbminpagesize != 0) {
        // Long thumbs keep their ends and tile (or stretch) their middle.
        gfx::Bitmap composed;
        if (Vertical())
            ComposeVertImage(*skinPicture_, src, thumboffset1, thumboffset2, th, thumbstretcheffect,
                             composed);
        else
            ComposeHorzImage(*skinPicture_, src, thumboffset1, thumboffset2, tw, thumbstretcheffect,
                             composed);
        thumb.SetPixels(std::move(composed));
    } else {
        thumb.SetSize(tw, th);
        DrawPicturePart(thumb.Canvas(), *skinPicture_, src, 0, 0, tw, th);
    }
    const RECT& glyph = down ? downglyphrect : hot ? activeglyphrect : glyphrect;
    bool glyphFits = Vertical() ? RectH(glyph) < thumb.Height() : RectW(glyph) < thumb.Width();
    if (!Empty(glyph) && glyphFits) {
        vcl::TBitmap g;
        g.SetSize(RectW(glyph), RectH(glyph));
        DrawPicturePart(g.Canvas(), *skinPicture_, glyph, 0, 0);
        if (glyphtransparent) {
            g.SetTransparentMode(vcl::tmFixed);
            g.SetTransparentColor(glyphtransparentcolor);
            g.SetTransparent(true);
        }
        thumb.Canvas()->Draw((thumb.Width() - g.Width()) / 2, (thumb.Height() - g.Height()) / 2, &g);
    }
    if (thumbtransparent) {
        thumb.SetTransparentMode(vcl::tmFixed);
        thumb.SetTransparentColor(thumbtransparentcolor);
        thumb.SetTransparent(true);
    }
    canvas->Draw(t.left, t.top, &thumb);
}

void TqvSkinScrollBar::DrawDefaultImage(vcl::TBitmap& bitmap) {
    CalcGeometry();
    vcl::TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(vcl::clBtnFace);
    canvas->FillRect(RECT{0, 0, bitmap.Width(), bitmap.Height()});
    DrawDefaultPart(bitmap.CanvasHandle(), kIncrement);
    DrawDefaultPart(bitmap.CanvasHandle(), kDecrement);
    if (Enabled()) DrawDefaultPart(bitmap.CanvasHandle(), kThumb);
}

void TqvSkinScrollBar::DrawDefaultPart(HDC dc, int part) {
    const RECT& r = part == kThumb       ? layout_.Thumb
                    : part == kIncrement ? layout_.Increment
                                         : layout_.Decrement;
    bool pressed = tracker_.IsDown(part) ||
                   (part == kThumb && (tracker_.IsPressed(kThumb) || (canFocused_ && Focused())));
    bool hot = tracker_.IsHot(part);
    COLORREF frame = pressed || hot ? COLORREF(kPressedFrame) : GetSysColor(COLOR_BTNSHADOW);
    COLORREF fill = pressed ? COLORREF(kPressedFill) : hot ? COLORREF(kHotFill) : GetSysColor(COLOR_BTNFACE);
    HBRUSH fillBrush = CreateSolidBrush(fill);
    FillRect(dc, &r, fillBrush);
    DeleteObject(fillBrush);
    HBRUSH frameBrush = CreateSolidBrush(frame);
    FrameRect(dc, &r, frameBrush);
    DeleteObject(frameBrush);
    if (part == kThumb) return;
    // Arrow kinds: 1 left, 2 right, 3 up, 4 down.
    int arrow = part == kDecrement ? (Vertical() ? 3 : 1) : (Vertical() ? 4 : 2);
    DrawDirectionArrow(dc, r, arrow, RGB(0, 0, 0));
}

} // namespace qv
