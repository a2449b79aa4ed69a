#include "skin/controls/qvSkinComboBox.h"

#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/TextOut.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/User.h"
#include "skin/controls/qvBoxPaint.h"
#include "skin/controls/qvListBoxLayout.h"
#include "skin/data/qvUtils.h"

#include <algorithm>

namespace qv {

using vcl::clBtnFace;
using vcl::clBtnShadow;
using vcl::clGrayText;
using vcl::clHighlight;
using vcl::clHighlightText;
using vcl::clWindow;
using vcl::clWindowText;
using vcl::ColorToRGB;

using namespace boxpaint;

TqvSkinCustomComboBox::TqvSkinCustomComboBox(vcl::TComponent* owner) : TqvSkinCustomControl(owner) {
    SetBounds(Left(), Top(), 120, 20);
    SetTabStop(true);
    SetSkinDataName("combobox");
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    Font()->SetStyle(0);
    SetParentFont(false);

    list_ = new TqvPopupListBox(this);
    list_->SetPopupOwner(this);
    list_->SetVisible(false);
    list_->SetParent(this);
    TqvListBox* native = list_->InnerListBox();
    native->SetTabStop(false);
    listPrevWndProc_ = native->WindowProc;
    native->WindowProc = [this](vcl::TMessage& m) { ListWndProc(m); };
    list_->OnListBoxMouseMove = [this](vcl::TObject*, vcl::TShiftState, int x, int y) {
        ListMouseMove(x, y);
    };
    list_->OnCheckButtonClick = [this](vcl::TObject*) { CloseUp(true); };
    CalcRects();
}

TqvSkinCustomComboBox::~TqvSkinCustomComboBox() {
    StopAutoScroll();
    // The edit goes first: its last messages still pass through this box's procedure otherwise.
    FreeEditControl();
    completionTimer_.reset();
    if (list_ != nullptr) {
        list_->SetPopupOwner(nullptr);
        list_->InnerListBox()->WindowProc = listPrevWndProc_;
    }
}

// --- items ----------------------------------------------------------------------------------

vcl::TStrings* TqvSkinCustomComboBox::Items() const { return list_->Items(); }

void TqvSkinCustomComboBox::SetItems(const vcl::TStrings* items) { list_->SetItems(items); }

int TqvSkinCustomComboBox::ItemIndex() const { return list_->ItemIndex(); }

void TqvSkinCustomComboBox::SetItemIndex(int index) {
    list_->SetItemIndex(index);
    if (list_->ItemCount() > 0 && index != -1 && list_->ItemIndex() == index) {
        SetText(list_->Items()->Get(index));
    }
    savedItemIndex_ = list_->ItemIndex();
    if (innerEdit_ == nullptr) {
        Invalidate();
    }
    if (!(ComponentState() & (vcl::csDesigning | vcl::csLoading))) {
        vcl::TControlTracker alive(this);
        if (OnClick) {
            OnClick(this);
        }
        if (alive.Alive()) {
            ItemSelected();
        }
    }
}

void TqvSkinCustomComboBox::SetTabWidths(const vcl::TStrings* lines) {
    list_->SetTabWidths(lines);
    Invalidate();
}

void TqvSkinCustomComboBox::SetImages(vcl::TImageList* images) {
    list_->SetImages(images);
    Invalidate();
}

void TqvSkinCustomComboBox::SetImageIndex(int index) {
    list_->SetImageIndex(index);
    Invalidate();
}

void TqvSkinCustomComboBox::SetOnListBoxDrawItem(TqvDrawItemEvent handler) {
    list_->OnDrawItem = std::move(handler);
}

// --- properties -----------------------------------------------------------------------------

void TqvSkinCustomComboBox::SetUseSkinSize(bool on) {
    useSkinSize_ = on;
    CalcRects();
    Invalidate();
}

void TqvSkinCustomComboBox::SetToolButtonStyle(bool on) {
    if (on == toolButtonStyle_) {
        return;
    }
    toolButtonStyle_ = on;
    if (on) {
        style_ = qvcbFixedStyle;
        useSkinSize_ = false;
    }
    CalcRects();
    Invalidate();
}

void TqvSkinCustomComboBox::SetDropDownCount(int count) {
    if (count > 0) {
        dropDownCount_ = count;
    }
}

void TqvSkinCustomComboBox::SetDefaultColor(TColor color) {
    defaultColor_ = color;
    if (skinRecordIndex_ == -1) {
        Invalidate();
        if (innerEdit_ != nullptr) {
            innerEdit_->SetColor(color);
        }
    }
}

void TqvSkinCustomComboBox::DefaultFontChanged() { SetFont(DefaultFont()); }

void TqvSkinCustomComboBox::Invalidate() {
    TqvSkinCustomControl::Invalidate();
    if (innerEdit_ != nullptr && skinRecordIndex_ != -1) {
        innerEdit_->Invalidate();
    }
}

// --- skin -----------------------------------------------------------------------------------

void TqvSkinCustomComboBox::ReadSkinRecord() {
    TqvSkinCustomControl::ReadSkinRecord();
    const auto* r = skinRecordIndex_ != -1 ? dynamic_cast<const TqvDataSkinComboBox*>(SkinRecord()) : nullptr;
    boundComboRecord_ = r != nullptr;
    if (r == nullptr) {
        return;
    }
    activeskinrect = r->activeskinrect;
    activefontcolor = r->activefontcolor;
    fontname = r->font.name;
    fontstyle = r->font.style;
    fontheight = r->font.height;
    itemrect = r->itemrect;
    focusitemrect = RectIsEmpty(r->focusitemrect) ? r->itemrect : r->focusitemrect;
    activeitemrect = r->activeitemrect;
    itemleftoffset = r->itemleftoffset;
    itemrightoffset = r->itemrightoffset;
    itemtextrect = r->itemtextrect;
    fontcolor = r->font.color;
    focusfontcolor = r->focusfontcolor;
    buttonrect = r->buttonrect;
    activebuttonrect = r->activebuttonrect;
    downbuttonrect = r->downbuttonrect;
    unenabledbuttonrect = r->unenabledbuttonrect;
    listboxname = r->listboxname;
    itemstretcheffect = r->itemstretcheffect;
    focusitemstretcheffect = r->focusitemstretcheffect;
    showfocus = r->showfocus;
}

TqvComboSkinMetrics TqvSkinCustomComboBox::SkinMetrics() const {
    return TqvComboSkinMetrics{SkinBound(), skinrect, clientrect, righttoppoint, buttonrect};
}

void TqvSkinCustomComboBox::CalcRects() {
    TqvComboRects r = ComboCalcRects(SkinMetrics(), Width(), Height(), toolButtonStyle_, useSkinSize_);
    dropButtonRect_ = r.dropButton;
    itemAreaRect_ = r.itemArea;
    if (innerEdit_ != nullptr) {
        vcl::TBitmap measure(1, 1);
        measure.Canvas()->SetFont(innerEdit_->Font());
        TEXTMETRIC tm{};
        GetTextMetrics(measure.CanvasHandle(), &tm);
        innerEdit_->SetBoundsRect(ComboEditBounds(itemAreaRect_, tm.tmHeight));
    }
}

void TqvSkinCustomComboBox::FitSizeToSkin(int& width, int& height) {
    if (useSkinSize_ || !SkinBound()) {
        TqvSkinCustomControl::FitSizeToSkin(width, height);
        return;
    }
    const int dw = width - W(skinrect);
    SizedLeftTopPoint = lefttoppoint;
    SizedRightTopPoint = POINT{righttoppoint.x + dw, righttoppoint.y};
    SizedClientRect = clientrect;
    SizedClientRect.right += dw;
}

void TqvSkinCustomComboBox::UpdateSkinRegion() {
    if (useSkinSize_) {
        TqvSkinCustomControl::UpdateSkinRegion();
    }
}

void TqvSkinCustomComboBox::ApplySkin() {
    TqvSkinCustomControl::ApplySkin();
    CalcRects();
    if (innerEdit_ != nullptr) {
        vcl::TFont f;
        if (SkinBound() && UseSkinFont()) {
            f.SetStyle(fontstyle);
            f.SetHeight(fontheight);
            f.SetName(fontname);
            f.SetColor(fontcolor);
        } else {
            f.Assign(DefaultFont());
            if (SkinBound()) {
                f.SetColor(fontcolor);
            }
        }
        if (SkinBound() && !RectIsEmpty(activeskinrect) && (HasFocus() || mouseInControl_)) {
            f.SetColor(activefontcolor);
        }
        f.SetCharset(EditCharset());
        if (!Enabled()) {
            f.SetColor(DisabledTextColor());
        }
        // One assignment, so the edit makes its font once.
        innerEdit_->Font()->Assign(&f);
        innerEdit_->SetEditTransparent(SkinBound());
    }
    Invalidate();
    list_->SetSkinDataName(SkinBound() ? listboxname : std::string());
    list_->SetSkinData(SkinData());
    list_->UpdateScrollBars();
    CalcRects();
    if (innerEdit_ != nullptr && SkinBound()) {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        if (w != Width() || h != Height()) {
            SetBounds(Left(), Top(), w, h);
        }
    }
}

// --- drop-down and close-up -----------------------------------------------------------------

void TqvSkinCustomComboBox::DropDown() {
    const int count = list_->ItemCount();
    if (count == 0) {
        return;
    }
    pointerEnteredList_ = false;
    StopAutoScroll();
    vcl::TControlTracker alive(this);
    if (OnDropDown) {
        OnDropDown(this);
        if (!alive.Alive() || list_->ItemCount() == 0) {
            return;
        }
    }
    list_->SetSkinData(SkinData());
    list_->SetWidth(listBoxWidth_ > 0 ? listBoxWidth_ : Width());
    list_->SetRowCount(std::min(list_->ItemCount(), dropDownCount_));
    RECT box{Left(), Top(), Left() + Width(), Top() + Height()};
    POINT tl{box.left, box.top};
    if (Parent() != nullptr) {
        tl = Parent()->ClientToScreen(tl);
    }
    RECT onScreen = OffsetRect(box, tl.x - box.left, tl.y - box.top);
    RECT work = GetMonitorArea(Handle(), true);
    POINT p = ComboListPosition(onScreen, list_->Height(), work);
    if (innerEdit_ != nullptr) {
        innerEdit_->SetFocus();
    }
    savedItemIndex_ = list_->ItemIndex();
    if (list_->ItemIndex() == 0 && list_->ItemCount() >= 2) {
        // Moving the selection away and back makes the list draw its first row as current.
        list_->SetItemIndex(1);
        list_->SetItemIndex(0);
    }
    droppedDown_ = true;
    if (toolButtonStyle_) {
        Invalidate();
    }
    list_->SetListTopIndex(list_->ItemIndex());
    list_->ShowPopupAt(p);
    list_->UpdateScrollBars();
}

void TqvSkinCustomComboBox::CloseUp(bool accept) {
    StopAutoScroll();
    if (!list_->Visible()) {
        return;
    }
    vcl::TControlTracker alive(this);
    list_->HidePopup();
    const int index = list_->ItemIndex();
    bool accepted = false;
    if (index < 0) {
        list_->SetItemIndex(savedItemIndex_);
    } else if (accept) {
        const std::string text = list_->Items()->Get(index);
        if (innerEdit_ != nullptr) {
            innerEdit_->SetText(text);
            SendMessage(innerEdit_->Handle(), EM_SETSEL, 0, -1);
        } else {
            SetText(text);
            Invalidate();
        }
        if (!alive.Alive()) {
            return;
        }
        savedItemIndex_ = index;
        if (OnClick) {
            OnClick(this);
        }
        if (!alive.Alive()) {
            return;
        }
        ItemSelected();
        accepted = true;
    } else {
        list_->SetItemIndex(savedItemIndex_);
    }
    if (!alive.Alive()) {
        return;
    }
    droppedDown_ = false;
    Invalidate();
    if (accepted && OnCloseUp) {
        OnCloseUp(this);
    }
}

// --- mouse ----------------------------------------------------------------------------------

void TqvSkinCustomComboBox::MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::MouseDown(button, shift, x, y);
    if (!alive.Alive()) {
        return;
    }
    if (innerEdit_ == nullptr && !Focused() && CanFocus()) {
        SetFocus();
        if (!alive.Alive()) {
            return;
        }
    }
    if (button != vcl::mbLeft) {
        return;
    }
    const POINT p{x, y};
    buttonHot_ = PtInRect(dropButtonRect_, p);
    const bool hit = buttonHot_ || (innerEdit_ == nullptr && PtInRect(itemAreaRect_, p)) || toolButtonStyle_;
    if (!hit) {
        if (droppedDown_) {
            CloseUp(false);
        }
        return;
    }
    buttonPressed_ = true;
    Invalidate();
    if (!droppedDown_) {
        pointerEnteredList_ = false;
        mouseTracking_ = true;
        DropDown();
    } else {
        CloseUp(false);
    }
}

void TqvSkinCustomComboBox::MouseMove(vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::MouseMove(shift, x, y);
    if (!alive.Alive()) {
        return;
    }
    if (mouseTracking_) {
        TrackPointer(x, y);
        return;
    }
    const bool hot = PtInRect(dropButtonRect_, POINT{x, y});
    if (hot != buttonHot_) {
        buttonHot_ = hot;
        Invalidate();
    }
}

void TqvSkinCustomComboBox::MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    if (mouseTracking_ && pointerEnteredList_) {
        ReleaseCapture();
        mouseTracking_ = false;
        const POINT screen = ClientToScreen(POINT{x, y});
        const bool overList = list_->InnerListBox()->HandleAllocated() &&
                              WindowFromPoint(screen) == list_->InnerListBox()->Handle();
        CloseUp(overList);
        if (!alive.Alive()) {
            return;
        }
    } else {
        mouseTracking_ = false;
    }
    TqvSkinCustomControl::MouseUp(button, shift, x, y);
    if (alive.Alive() && buttonPressed_) {
        buttonPressed_ = false;
        Invalidate();
    }
}

// The pointer dragged from the box: rows under it become current; above or below the list the
// selection runs on by itself.
void TqvSkinCustomComboBox::TrackPointer(int x, int y) {
    TqvListBox* native = list_->InnerListBox();
    if (!native->HandleAllocated() || !list_->Visible()) {
        return;
    }
    POINT p = native->ScreenToClient(ClientToScreen(POINT{x, y}));
    const int h = native->Height();
    const bool canScroll = list_->ListVScrollBar() != nullptr && pointerEnteredList_;
    int direction = 0;
    if (p.y < 0 && canScroll) {
        direction = 1;
    } else if (p.y > h && canScroll) {
        direction = 2;
    } else if (p.y < 0 || p.y > h) {
        return;
    } else {
        StopAutoScroll();
        ListMouseMove(1, p.y);
        pointerEnteredList_ = true;
        return;
    }
    StartAutoScroll(direction);
}

void TqvSkinCustomComboBox::StartAutoScroll(int direction) {
    if (direction == autoScrollDirection_) {
        return;
    }
    autoScrollDirection_ = direction;
    autoScrollTimer_ = std::make_unique<vcl::TTimer>(nullptr);
    autoScrollTimer_->SetInterval(kAutoScrollMs);
    autoScrollTimer_->SetOnTimer([this](vcl::TObject*) { AutoScrollTick(); });
}

void TqvSkinCustomComboBox::StopAutoScroll() {
    autoScrollTimer_.reset();
    autoScrollDirection_ = 0;
}

void TqvSkinCustomComboBox::AutoScrollTick() {
    const int index = list_->ItemIndex();
    if (autoScrollDirection_ == 1 && index > 0) {
        list_->SetItemIndex(index - 1);
    } else if (autoScrollDirection_ == 2 && index < list_->ItemCount() - 1) {
        list_->SetItemIndex(index + 1);
    }
}

void TqvSkinCustomComboBox::ListMouseMove(int x, int y) {
    int index = list_->ItemAtPoint(POINT{x, y}, true);
    if (index >= 0 && index != list_->ItemIndex()) {
        list_->SetItemIndex(index);
    }
}

// The native list never sees a button: a press there starts tracking with the capture on the box,
// so the list cannot take the focus and the release reaches the box.
void TqvSkinCustomComboBox::ListWndProc(vcl::TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        mouseTracking_ = true;
        pointerEnteredList_ = true;
        SetCapture(Handle());
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return;
    default: listPrevWndProc_(m);
    }
}

// --- keys -----------------------------------------------------------------------------------

void TqvSkinCustomComboBox::SelectItem(int index) {
    if (index >= 0 && index < list_->ItemCount()) {
        SetItemIndex(index);
    }
}

void TqvSkinCustomComboBox::KeyDown(WORD& key, vcl::TShiftState shift) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::KeyDown(key, shift);
    if (!alive.Alive() || key == 0) {
        return;
    }
    TqvComboKeyResult r = ComboKeyAction(key, (shift & vcl::ssAlt) != 0, droppedDown_, ItemIndex(),
                                         list_->ItemCount(), dropDownCount_);
    switch (r.action) {
    case TqvComboKeyAction::SelectIndex: SelectItem(r.index); break;
    case TqvComboKeyAction::DropDown: DropDown(); break;
    case TqvComboKeyAction::CloseAccept: CloseUp(true); break;
    case TqvComboKeyAction::CloseCancel: CloseUp(false); break;
    case TqvComboKeyAction::None: break;
    }
}

void TqvSkinCustomComboBox::KeyPress(char32_t& key) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::KeyPress(key);
    if (alive.Alive() && key >= 0x20 && innerEdit_ == nullptr) {
        TypeAhead(key);
    }
}

void TqvSkinCustomComboBox::TypeAhead(char32_t ch) {
    std::string utf8;
    gfx::AppendUtf8(utf8, ch);
    const std::string text = typeAhead_.Type(utf8, GetTickCount(), autoComplete_);
    if (text.empty() || !list_->InnerListBox()->HandleAllocated()) {
        return;
    }
    const int start = TqvTypeAhead::SearchStart(text, ItemIndex());
    const LRESULT found = SendMessage(list_->InnerListBox()->Handle(), LB_FINDSTRING, WPARAM(start),
                                      reinterpret_cast<LPARAM>(text.c_str()));
    if (found >= 0) {
        SetItemIndex(int(found));
    }
}

// --- messages -------------------------------------------------------------------------------

bool TqvSkinCustomComboBox::HasFocus() const {
    if (innerEdit_ != nullptr && innerEdit_->Focused()) {
        return true;
    }
    return Focused();
}

void TqvSkinCustomComboBox::CMTextChanged(vcl::TMessage& message) {
    TqvSkinCustomControl::CMTextChanged(message);
    vcl::TControlTracker alive(this);
    if (innerEdit_ != nullptr && !editChanging_) {
        innerEdit_->SetText(GetText());
    }
    if (OnChange) {
        OnChange(this);
    }
    if (alive.Alive() && editChanging_) {
        ItemSelected();
    }
}

void TqvSkinCustomComboBox::CMMouseEnter(vcl::TMessage& message) {
    TqvSkinCustomControl::CMMouseEnter(message);
    SetMouseInControl(true);
}

void TqvSkinCustomComboBox::CMMouseLeave(vcl::TMessage& message) {
    TqvSkinCustomControl::CMMouseLeave(message);
    SetMouseInControl(false);
}

// The pointer over the box or over its edit (which covers the text area) is over the box.
void TqvSkinCustomComboBox::SetMouseInControl(bool in) {
    mouseInControl_ = in;
    if (!in && buttonHot_) {
        buttonHot_ = false;
        Invalidate();
    }
    const bool activeLook = SkinBound() && !RectIsEmpty(activeskinrect);
    if (innerEdit_ != nullptr && activeLook && !innerEdit_->Focused()) {
        SetEditFontColor(in ? activefontcolor : fontcolor);
    }
    if (activeLook || toolButtonStyle_) {
        Invalidate();
    }
}

void TqvSkinCustomComboBox::DoEnter() {
    TqvSkinCustomControl::DoEnter();
    if (innerEdit_ != nullptr) {
        innerEdit_->SetFocus();
    } else {
        Invalidate();
    }
}

void TqvSkinCustomComboBox::DoExit() {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::DoExit();
    if (alive.Alive() && innerEdit_ == nullptr) {
        if (droppedDown_) {
            CloseUp(false);
        }
        if (alive.Alive()) {
            Invalidate();
        }
    }
}

void TqvSkinCustomComboBox::WndProc(vcl::TMessage& message) {
    switch (message.Msg) {
    case vcl::CM_WANTSPECIALKEY:
        // The arrows always; Enter and Escape while the list is open, so that they choose or
        // cancel rather than press the form's default or cancel button.
        if (message.WParam == VK_LEFT || message.WParam == VK_UP || message.WParam == VK_RIGHT ||
            message.WParam == VK_DOWN ||
            (droppedDown_ && (message.WParam == VK_RETURN || message.WParam == VK_ESCAPE))) {
            message.Result = 1;
            return;
        }
        break;
    case vcl::CM_CANCELMODE: {
        auto* sender = reinterpret_cast<vcl::TControl*>(message.LParam);
        bool ours = sender == this || sender == list_ || sender == list_->InnerListBox() ||
                    (sender != nullptr && sender->Parent() == list_);
        if (!ours && droppedDown_) {
            CloseUp(false);
        }
        return;
    }
    case WM_MOUSEWHEEL:
        // The wheel reaches the box whenever the pointer passes over it: it moves through the
        // open list only, and never changes the item of a closed box.
        if (innerEdit_ == nullptr) {
            const bool towardsUser = GET_WHEEL_DELTA_WPARAM(message.WParam) < 1;
            const int target = towardsUser ? ItemIndex() + 1 : ItemIndex() - 1;
            if (list_->Visible() && target >= 0 && target < list_->ItemCount()) {
                list_->SetItemIndex(target);
            }
            message.Result = 0;
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (!PaintingFromWMPaint() && message.WParam != 0) {
            HDC dc = reinterpret_cast<HDC>(message.WParam);
            vcl::TCanvas canvas;
            canvas.SetHandle(dc);
            PaintTo(&canvas);
            canvas.SetHandle(nullptr);
            // The whole box, text included, unless the edit itself asked for what lies under it.
            if (innerEdit_ != nullptr && innerEdit_->HandleAllocated() &&
                (ControlState() & vcl::csPaintCopy) == 0) {
                const int saved = SaveDC(dc);
                OffsetViewportOrgEx(dc, innerEdit_->Left(), innerEdit_->Top(), nullptr);
                IntersectClipRect(dc, 0, 0, innerEdit_->Width(), innerEdit_->Height());
                innerEdit_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
                RestoreDC(dc, saved);
            }
        }
        message.Result = 1;
        return;
    default: break;
    }
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::WndProc(message);
    if (alive.Alive() && message.Msg == WM_SIZE) {
        CalcRects();
    }
}

// --- painting -------------------------------------------------------------------------------

// A copy for a child's background (the inner edit's) is the erase that came first, which already
// painted the whole box: painting it again would only double the cost of every keystroke.
void TqvSkinCustomComboBox::PaintWindow(HDC dc) {
    if ((ControlState() & vcl::csPaintCopy) != 0) {
        return;
    }
    TqvSkinCustomControl::PaintWindow(dc);
}

int TqvSkinCustomComboBox::ShownIndex() const {
    return list_->Visible() ? savedItemIndex_ : list_->ItemIndex();
}

void TqvSkinCustomComboBox::DrawPlainButton(vcl::TCanvas* c, const RECT& r) {
    if (buttonPressed_ && buttonHot_) {
        FrameAndFill(c, r, kNavy, kPressedFill);
    } else if (buttonHot_) {
        FrameAndFill(c, r, kNavy, kHotFill);
    } else {
        FrameAndFill(c, r, clBtnShadow, clBtnFace);
    }
    DrawDirectionArrow(c->Handle(), r, 4, Enabled() ? RGB(0, 0, 0) : ColorToRGB(clBtnShadow));
}

void TqvSkinCustomComboBox::DrawDefaultImage(vcl::TBitmap& bitmap) {
    CalcRects();
    if (toolButtonStyle_) {
        DrawToolButtonLook(bitmap, false);
        return;
    }
    vcl::TCanvas* c = bitmap.Canvas();
    const RECT all{0, 0, Width(), Height()};
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(all);
    FrameAndFill(c, all, clBtnShadow, defaultColor_);
    DrawPlainButton(c, dropButtonRect_);
    if (innerEdit_ == nullptr) {
        DrawItemArea(c, bitmap, false);
    }
}

void TqvSkinCustomComboBox::DrawSkinImage(vcl::TBitmap& bitmap) {
    CalcRects();
    if (toolButtonStyle_) {
        DrawToolButtonLook(bitmap, true);
        return;
    }
    const gfx::Bitmap* pic = SkinPicture();
    if (pic == nullptr || !SkinBound()) {
        return;
    }
    const bool active = !RectIsEmpty(activeskinrect) && (mouseInControl_ || HasFocus());
    if (useSkinSize_) {
        if (active) {
            ComposeHorzImage(*pic, activeskinrect, lefttoppoint.x, W(activeskinrect) - righttoppoint.x,
                             Width(), stretcheffect, bitmap.Pixels());
        } else {
            BuildControlImage(bitmap, *pic, skinrect);
        }
        RECT src{};
        if (!Enabled() && !RectIsEmpty(unenabledbuttonrect)) {
            src = unenabledbuttonrect;
        } else if (buttonPressed_ && buttonHot_) {
            src = downbuttonrect;
        } else if (buttonHot_) {
            src = activebuttonrect;
        }
        if (!RectIsEmpty(src)) {
            DrawPicturePart(bitmap.Canvas(), *pic, src, dropButtonRect_.left, dropButtonRect_.top,
                            W(dropButtonRect_), H(dropButtonRect_));
        }
    } else {
        bitmap.SetSize(Width(), Height());
        FitSkinImageToSize(*pic, active ? activeskinrect : skinrect, clientrect, true, bitmap.Pixels());
        DrawSeparateButton(bitmap.Canvas());
    }
    if (innerEdit_ == nullptr) {
        DrawItemArea(bitmap.Canvas(), bitmap, true);
    }
}

void TqvSkinCustomComboBox::DrawItemArea(vcl::TCanvas* canvas, const vcl::TBitmap& background, bool skinned) {
    const int w = W(itemAreaRect_), h0 = H(itemAreaRect_);
    if (w <= 0 || h0 <= 0) {
        return;
    }
    const bool focused = HasFocus();
    const int index = ShownIndex();
    auto copyBackground = [&](vcl::TBitmap& bmp) {
        BitBlt(bmp.CanvasHandle(), 0, 0, bmp.Width(), bmp.Height(),
               const_cast<vcl::TBitmap&>(background).CanvasHandle(), itemAreaRect_.left, itemAreaRect_.top,
               SRCCOPY);
    };
    if (!skinned) {
        vcl::TBitmap bmp(w, h0);
        vcl::TCanvas* c = bmp.Canvas();
        ApplySkinFont(c, true, Font()->Name(), Font()->Height(), Font()->Style(), *DefaultFont(), SkinData());
        c->Brush()->SetColor(focused ? clHighlight : defaultColor_);
        c->Font()->SetColor(focused ? clHighlightText : DefaultFont()->Color());
        c->FillRect(RECT{0, 0, w, h0});
        DrawItemContent(c, index, w, h0, RECT{2, 0, w - 2, h0}, false);
        if (focused) {
            RECT all{0, 0, w, h0};
            DrawFocusRect(c->Handle(), &all);
        }
        canvas->Draw(itemAreaRect_.left, itemAreaRect_.top, &bmp);
        return;
    }
    const gfx::Bitmap* pic = SkinPicture();
    const bool hover = mouseInControl_ && !RectIsEmpty(activeskinrect);
    TColor color = focused ? focusfontcolor : hover ? activefontcolor : fontcolor;
    if (!Enabled()) {
        color = clGrayText;
    }
    const int widthOfItem = RectIsEmpty(itemrect) ? W(clientrect) : W(itemrect);
    RECT text = itemtextrect;
    text.right += w - widthOfItem;
    if (useSkinSize_) {
        int h = H(itemrect) != 0 ? H(itemrect) : H(focusitemrect);
        if (h <= 0) {
            h = h0;
        }
        vcl::TBitmap bmp(w, h);
        RECT src{};
        bool stretch = itemstretcheffect;
        if (focused) {
            src = focusitemrect;
            stretch = focusitemstretcheffect;
        } else if (RectIsEmpty(activeitemrect) || !hover) {
            src = itemrect;
        } else {
            src = activeitemrect;
        }
        if (RectIsEmpty(src) || pic == nullptr) {
            copyBackground(bmp);
        } else {
            ComposeHorzImage(*pic, src, itemleftoffset, itemrightoffset, w, stretch, bmp.Pixels());
        }
        vcl::TCanvas* c = bmp.Canvas();
        ApplyFont(c, fontname, fontheight, fontstyle);
        c->Font()->SetColor(color);
        DrawItemContent(c, index, w, h, text, true);
        canvas->Draw(itemAreaRect_.left, itemAreaRect_.top, &bmp);
        return;
    }
    vcl::TBitmap bmp(w, h0);
    RECT src = focused ? focusitemrect : hover && !RectIsEmpty(activeitemrect) ? activeitemrect : itemrect;
    if (RectIsEmpty(src) || pic == nullptr) {
        copyBackground(bmp);
    } else {
        FitSkinImageToSize(*pic, src, InflateRect(itemtextrect, -1, -1), true, bmp.Pixels());
    }
    text.bottom += Height() - H(skinrect);
    vcl::TCanvas* c = bmp.Canvas();
    ApplyFont(c, fontname, fontheight, fontstyle);
    c->Font()->SetColor(color);
    DrawItemContent(c, index, w, h0, text, true);
    canvas->Draw(itemAreaRect_.left, itemAreaRect_.top, &bmp);
}

void TqvSkinCustomComboBox::DrawItemContent(vcl::TCanvas* c, int index, int width, int height, RECT text,
                                            bool skinned) {
    if (index < 0 || index >= list_->ItemCount()) {
        return;
    }
    c->Brush()->SetStyle(vcl::bsClear);
    if (OnComboBoxDrawItem && index >= 0) {
        OnComboBoxDrawItem(c, index, width, height, text, HasFocus() ? odFocused : 0u);
        return;
    }
    HDC dc = TextDC(c);
    if (skinned && HasFocus() && showfocus) {
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(SkinData() != nullptr ? SkinData()->Colors.cbtnface : clBtnFace);
        RECT all{0, 0, width, height};
        DrawFocusRect(dc, &all);
        c->Brush()->SetStyle(vcl::bsClear);
    }
    vcl::TImageList* images = list_->Images();
    if (images != nullptr && index >= 0) {
        int image = list_->ImageIndex() >= 0 ? list_->ImageIndex() : index;
        if (image < images->Count()) {
            images->Draw(c, text.left, text.top + H(text) / 2 - images->Height() / 2, image);
            text.left += images->Width() + 2;
        }
    }
    const std::string s = list_->Items()->Get(index);
    SetBkMode(dc, TRANSPARENT);
    vcl::TStrings* tabs = list_->TabWidths();
    if (tabs->Count() > 0) {
        std::vector<std::string> lines;
        for (int i = 0; i < tabs->Count(); ++i) {
            lines.push_back(tabs->Get(i));
        }
        std::vector<int> stops = TabStopsFromLines(lines);
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        int saved = SaveDC(dc);
        IntersectClipRect(dc, text.left, text.top, text.right, text.bottom);
        TabbedTextOut(dc, text.left + 2, text.top + H(text) / 2 - tm.tmHeight / 2, s.c_str(), int(s.size()),
                      int(stops.size()), stops.data(), 0);
        RestoreDC(dc, saved);
    } else {
        DrawTextLeftVCentered(dc, s, text);
    }
}

const TqvDataSkinButtonControl* TqvSkinCustomComboBox::ButtonRecord(
    std::initializer_list<const char*> names) const {
    TqvSkinData* data = SkinData();
    if (data == nullptr || data->IsEmpty()) {
        return nullptr;
    }
    for (const char* name : names) {
        int i = data->IndexOfControlSkin(name);
        if (i >= 0) {
            return dynamic_cast<const TqvDataSkinButtonControl*>(data->ControlSkins[std::size_t(i)].get());
        }
    }
    return nullptr;
}

// The drop button of a box that is not at the skin's size: a button record composed to the
// button's rectangle.
void TqvSkinCustomComboBox::DrawSeparateButton(vcl::TCanvas* canvas) {
    const TqvDataSkinButtonControl* b = ButtonRecord({"combobutton", "editbutton", "resizebutton"});
    const gfx::Bitmap* pic = b != nullptr && SkinData() != nullptr ? SkinData()->ExtraPicture(b->pictureindex)
                                                                   : nullptr;
    const int w = W(dropButtonRect_), h = H(dropButtonRect_);
    if (b == nullptr || pic == nullptr || w <= 0 || h <= 0) {
        return;
    }
    const bool down = buttonPressed_ && buttonHot_;
    RECT src = b->skinrect;
    TColor glyph = b->font.color;
    if (down) {
        src = !RectIsEmpty(b->downskinrect)     ? b->downskinrect
              : !RectIsEmpty(b->activeskinrect) ? b->activeskinrect
                                                : b->skinrect;
        glyph = b->downfontcolor;
    } else if (buttonHot_) {
        src = !RectIsEmpty(b->activeskinrect) ? b->activeskinrect : b->skinrect;
        glyph = b->activefontcolor;
    }
    TqvSkinGeometry g{b->lefttoppoint, b->righttoppoint, b->leftbottompoint, b->rightbottompoint,
                      b->clientrect};
    TqvComposeFlags flags;
    flags.StretchLeft = b->leftstretch;
    flags.StretchTop = b->topstretch;
    flags.StretchRight = b->rightstretch;
    flags.StretchBottom = b->bottomstretch;
    flags.StretchCentre = b->stretcheffect;
    vcl::TBitmap bmp(w, h);
    ComposeSkinImage(*pic, src, g, w, h, flags, bmp.Pixels());
    if (RectIsEmpty(b->menumarkerrect)) {
        if (Enabled()) {
            RECT r{0, down ? 2 : 0, w, h + (down ? 2 : 0)};
            DrawDirectionArrow(bmp.CanvasHandle(), r, 4, ColorToRGB(glyph));
        }
    } else {
        RECT m = down && !RectIsEmpty(b->menumarkerdownrect)           ? b->menumarkerdownrect
                 : buttonHot_ && !RectIsEmpty(b->menumarkeractiverect) ? b->menumarkeractiverect
                                                                       : b->menumarkerrect;
        DrawPicturePart(bmp.Canvas(), *pic, m, w / 2 - W(m) / 2, h / 2 - H(m) / 2 + (down ? 1 : 0));
    }
    canvas->Draw(dropButtonRect_.left, dropButtonRect_.top, &bmp);
}

void TqvSkinCustomComboBox::DrawToolButtonLook(vcl::TBitmap& bitmap, bool skinned) {
    vcl::TCanvas* c = bitmap.Canvas();
    const int w = Width(), h = Height();
    const bool over = mouseInControl_ || HasFocus();
    const int shift = droppedDown_ ? 2 : 0;
    RECT text{2 + shift, 2 + shift, w - 17 + shift, h - 2 + shift};
    RECT arrow{w - 15 + shift, shift, w + shift, h + shift};
    TColor color = DefaultFont()->Color();
    if (skinned) {
        const TqvDataSkinButtonControl* b = ButtonRecord({"resizetoolbutton", "resizebutton"});
        const gfx::Bitmap* pic =
            b != nullptr && SkinData() != nullptr ? SkinData()->ExtraPicture(b->pictureindex) : nullptr;
        if (b == nullptr || pic == nullptr) {
            return;
        }
        RECT src = droppedDown_ ? b->downskinrect : over ? b->activeskinrect : b->skinrect;
        if (RectIsEmpty(src)) {
            src = RectIsEmpty(b->skinrect) ? b->activeskinrect : b->skinrect;
        }
        TqvSkinGeometry g{b->lefttoppoint, b->righttoppoint, b->leftbottompoint, b->rightbottompoint,
                          b->clientrect};
        TqvComposeFlags flags;
        flags.StretchCentre = b->stretcheffect;
        ComposeSkinImage(*pic, src, g, w, h, flags, bitmap.Pixels());
        if (UseSkinFont()) {
            ApplyFont(c, b->font.name, b->font.height, b->font.style);
        } else {
            ApplyFont(c, DefaultFont()->Name(), DefaultFont()->Height(), DefaultFont()->Style());
        }
        color = droppedDown_ ? b->downfontcolor
                : over       ? b->activefontcolor
                : Enabled()  ? b->font.color
                             : b->disabledfontcolor;
    } else {
        if (droppedDown_) {
            FrameAndFill(c, RECT{0, 0, w, h}, kNavy, kPressedFill);
        } else if (over) {
            FrameAndFill(c, RECT{0, 0, w, h}, kNavy, kHotFill);
        } else {
            FrameAndFill(c, RECT{0, 0, w, h}, clBtnShadow, clBtnFace);
        }
        c->SetFont(DefaultFont());
    }
    c->Font()->SetColor(color);
    const int index = ShownIndex();
    if (index >= 0 && index < list_->ItemCount()) {
        c->Brush()->SetStyle(vcl::bsClear);
        HDC dc = TextDC(c);
        SetBkMode(dc, TRANSPARENT);
        DrawTextLeftVCentered(dc, list_->Items()->Get(index), text);
    }
    DrawDropArrow(c->Handle(), arrow, ColorToRGB(color));
}

} // namespace qv
