#include "skin/controls/qvSkinListBox.h"

#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "platform/controls/CommCtrlDefs.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/TextOut.h"
#include "platform/ui/User.h"
#include "skin/controls/qvBoxPaint.h"
#include "skin/controls/qvListBoxLayout.h"
#include "skin/controls/qvSkinScrollBar.h"
#include "skin/data/qvResourceStr.h"
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

// ---------------------------------------------------------------------------------------------
// TqvListBox

TqvListBox::TqvListBox(vcl::TComponent* owner, TqvSkinCustomListBox* skinOwner)
    : vcl::TCustomListBox(owner), owner_(skinOwner) {
    SetControlStyle(ControlStyle() | vcl::csCaptureMouse | vcl::csOpaque | vcl::csDoubleClicks);
    SetStyle(vcl::lbOwnerDrawFixed);
    SetTabStop(true);
}

void TqvListBox::CreateParams(vcl::TCreateParams& params) {
    vcl::TCustomListBox::CreateParams(params);
    // No border and no native bars: the skinned frame and bars stand in for them, while the list
    // keeps its scroll state up to date for them to mirror.
    params.Style &= ~DWORD(WS_BORDER | WS_VSCROLL | WS_HSCROLL);
    params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    params.Style |= WS_TABSTOP;
    params.ClassStyle = CS_DBLCLKS;
}

void TqvListBox::SetHorzOffset(int offset) {
    offset = std::max(offset, 0);
    if (offset == horzOffset_) {
        return;
    }
    horzOffset_ = offset;
    Invalidate();
}

int TqvListBox::RowHeight() const {
    int h = ItemHeight();
    return h > 0 ? h : 1;
}

int TqvListBox::VisibleRows() const { return Height() / RowHeight(); }

void TqvListBox::WndProc(vcl::TMessage& message) {
    bool cont = true;
    vcl::TControlTracker alive(this);
    owner_->ListBoxWndProc(message, cont);
    if (!cont || !alive.Alive()) {
        return;
    }
    switch (message.Msg) {
    case WM_NCCALCSIZE: message.Result = 0; return;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (dc != nullptr) {
            PaintRows(dc);
        }
        EndPaint(Handle(), &ps);
        message.Result = 0;
        return;
    }
    case WM_PRINTCLIENT: PaintRows(reinterpret_cast<HDC>(message.WParam)); return;
    case WM_ERASEBKGND: {
        RECT r{0, 0, Width(), Height()};
        owner_->FillListBackground(reinterpret_cast<HDC>(message.WParam), r);
        message.Result = 1;
        owner_->UpdateScrollBars();
        return;
    }
    case WM_MOUSEWHEEL:
        // One line per notch, through the skinned bars (the native list's own step is not used).
        OnWheel(GET_WHEEL_DELTA_WPARAM(message.WParam));
        message.Result = 0;
        return;
    default: break;
    }
    vcl::TCustomListBox::WndProc(message);
    if (!alive.Alive()) {
        return;
    }
    switch (message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT: owner_->UpdateScrollBars(); break;
    case WM_SIZE: OnResized(); break;
    case WM_CREATE: owner_->ListBoxCreateWnd(); break;
    default: break;
    }
}

void TqvListBox::OnResized() {
    int w = Width();
    if (lastWidth_ >= 0 && w != lastWidth_ && horzOffset_ > 0) {
        // Keep the right end of the text where it was when the list narrows.
        horzOffset_ = std::max(0, horzOffset_ + lastWidth_ - w);
        Invalidate();
    }
    lastWidth_ = w;
}

void TqvListBox::OnWheel(int delta) { owner_->WheelStep(delta); }

void TqvListBox::PaintRows(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    int saved = SaveDC(dc);
    const int rowH = RowHeight();
    const int count = Items()->Count();
    const int top = TopIndex();
    const int last = std::min(count - 1, top + client.bottom / rowH);
    const int current = ItemIndex();
    const bool focused = GetFocus() == Handle();
    int y = 0;
    for (int i = top; i <= last && i >= 0; ++i) {
        TqvOwnerDrawState state = 0;
        if (i == current) {
            state = odSelected | (focused ? unsigned(odFocused) : 0u);
        }
        owner_->DrawItem(dc, i, RECT{0, y, client.right, y + rowH}, state);
        y += rowH;
    }
    if (y < client.bottom) {
        owner_->FillListBackground(dc, RECT{0, y, client.right, client.bottom});
    }
    RestoreDC(dc, saved);
}

void TqvListBox::MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    owner_->ListBoxMouseDown(button, shift, x, y);
    if (alive.Alive()) {
        vcl::TCustomListBox::MouseDown(button, shift, x, y);
    }
}

void TqvListBox::MouseMove(vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    owner_->ListBoxMouseMove(shift, x, y);
    if (alive.Alive()) {
        vcl::TCustomListBox::MouseMove(shift, x, y);
    }
}

void TqvListBox::MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    owner_->ListBoxMouseUp(button, shift, x, y);
    if (alive.Alive()) {
        vcl::TCustomListBox::MouseUp(button, shift, x, y);
    }
}

void TqvListBox::Click() {
    vcl::TControlTracker alive(this);
    vcl::TCustomListBox::Click();
    if (alive.Alive()) {
        owner_->ListBoxClick();
    }
}

void TqvListBox::DblClick() {
    vcl::TControlTracker alive(this);
    vcl::TCustomListBox::DblClick();
    if (alive.Alive()) {
        owner_->ListBoxDblClick();
    }
}

void TqvListBox::KeyDown(WORD& key, vcl::TShiftState shift) {
    vcl::TControlTracker alive(this);
    owner_->ListBoxKeyDown(key, shift);
    if (!alive.Alive()) {
        return;
    }
    owner_->HScrollKey(key);
    vcl::TCustomListBox::KeyDown(key, shift);
}

void TqvListBox::KeyPress(char32_t& key) {
    vcl::TControlTracker alive(this);
    owner_->ListBoxKeyPress(key);
    if (alive.Alive()) {
        vcl::TCustomListBox::KeyPress(key);
    }
}

void TqvListBox::DoEnter() {
    vcl::TCustomListBox::DoEnter();
    owner_->ListBoxEnter();
}

void TqvListBox::DoExit() {
    vcl::TCustomListBox::DoExit();
    owner_->ListBoxExit();
}

// ---------------------------------------------------------------------------------------------
// TqvSkinCustomListBox

TqvSkinCustomListBox::TqvSkinCustomListBox(vcl::TComponent* owner)
    : TqvSkinCustomControl(owner), tabWidths_(std::make_unique<vcl::TStringList>()),
      glyph_(std::make_unique<vcl::TBitmap>()), defaultCaptionFont_(std::make_unique<vcl::TFont>()) {
    defaultCaptionFont_->SetName("Arial");
    defaultCaptionFont_->SetHeight(14);
    defaultCaptionFont_->OnChange = [this](vcl::TObject*) {
        if (skinRecordIndex_ == -1 && captionMode_) {
            Invalidate();
        }
    };
    SetBounds(Left(), Top(), 120, 120);
    SetSkinDataName("listbox");
    SetDirectFramePaint(true);
    SetFillClientFromSkin(false);
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    Font()->SetStyle(0);
    SetParentFont(false);
    list_ = new TqvListBox(this, this);
    list_->SetParent(this);
    list_->SetItemHeight(defaultItemHeight_);
    buttons_.RepeatInterval = 100;
    buttons_.ResumeAtInterval = true;
    buttons_.OnChange = [this](int) { Invalidate(); };
    buttons_.OnRepeat = [this](int part) { CaptionButtonStep(part); };
    AlignInnerControls();
}

TqvSkinCustomListBox::~TqvSkinCustomListBox() {
    defaultCaptionFont_->OnChange = nullptr;
    buttons_.OnChange = nullptr;
    buttons_.OnRepeat = nullptr;
    buttons_.Cancel();
}

vcl::TStrings* TqvSkinCustomListBox::Items() const { return list_->Items(); }

void TqvSkinCustomListBox::SetItems(const vcl::TStrings* items) {
    list_->Items()->Assign(items);
    UpdateScrollBars();
}

int TqvSkinCustomListBox::ItemIndex() const { return list_->ItemIndex(); }
void TqvSkinCustomListBox::SetItemIndex(int index) { list_->SetItemIndex(index); }
int TqvSkinCustomListBox::ItemCount() const { return list_->Items()->Count(); }
bool TqvSkinCustomListBox::Sorted() const { return list_->Sorted(); }

void TqvSkinCustomListBox::SetSorted(bool on) {
    // Sorting re-creates the native list; its bar is made again from the new list's state.
    if (vbar_ != nullptr) {
        RemoveVScrollBar();
    }
    list_->SetSorted(on);
}

void TqvSkinCustomListBox::SetTabWidths(const vcl::TStrings* lines) {
    tabWidths_->Assign(lines);
    if (tabWidths_->Count() > 0) {
        list_->Invalidate();
    }
}

void TqvSkinCustomListBox::SetUseSkinItemHeight(bool on) {
    useSkinItemHeight_ = on;
    ApplyItemHeight();
}

void TqvSkinCustomListBox::SetHorizontalExtent(bool on) {
    horizontalExtent_ = on;
    UpdateScrollBars();
}

void TqvSkinCustomListBox::SetRowCount(int rows) {
    rowCount_ = rows;
    if (rows != 0) {
        SetHeight(HeightForRows(rows));
    }
    UpdateScrollBars();
}

void TqvSkinCustomListBox::SetImages(vcl::TImageList* images) {
    if (images_ == images) {
        return;
    }
    if (images_ != nullptr) {
        images_->RemoveFreeNotification(this);
    }
    images_ = images;
    if (images_ != nullptr) {
        images_->FreeNotification(this);
    }
    list_->Invalidate();
}

void TqvSkinCustomListBox::SetImageIndex(int index) {
    imageIndex_ = index;
    list_->Invalidate();
}

void TqvSkinCustomListBox::SetGlyph(const vcl::TBitmap* glyph) {
    glyph_->Assign(glyph);
    Invalidate();
}

void TqvSkinCustomListBox::SetNumGlyphs(int n) {
    numGlyphs_ = n;
    Invalidate();
}

void TqvSkinCustomListBox::SetSpacing(int spacing) {
    spacing_ = spacing;
    Invalidate();
}

void TqvSkinCustomListBox::SetCaptionMode(bool on) {
    captionMode_ = on;
    if (skinRecordIndex_ == -1) {
        AlignInnerControls();
        Invalidate();
    }
}

void TqvSkinCustomListBox::SetDefaultCaptionHeight(int h) {
    defaultCaptionHeight_ = h;
    if (skinRecordIndex_ == -1 && captionMode_) {
        AlignInnerControls();
        Invalidate();
    }
}

void TqvSkinCustomListBox::SetAlignment(TAlignment a) {
    if (alignment_ == a) {
        return;
    }
    alignment_ = a;
    if (captionMode_) {
        Invalidate();
    }
}

void TqvSkinCustomListBox::SetDefaultItemHeight(int h) {
    defaultItemHeight_ = h;
    ApplyItemHeight();
}

void TqvSkinCustomListBox::ApplyItemHeight() {
    if (SkinBound() && useSkinItemHeight_) {
        if (H(itemrect) > 0) {
            list_->SetItemHeight(H(itemrect));
        }
    } else {
        list_->SetItemHeight(defaultItemHeight_);
    }
}

const TqvDataSkinListBox* TqvSkinCustomListBox::ListRecord() const {
    return dynamic_cast<const TqvDataSkinListBox*>(SkinRecord());
}

void TqvSkinCustomListBox::ReadSkinRecord() {
    TqvSkinCustomControl::ReadSkinRecord();
    const TqvDataSkinListBox* r = skinRecordIndex_ != -1 ? ListRecord() : nullptr;
    boundListRecord_ = r != nullptr;
    if (r == nullptr) {
        return;
    }
    auto orElse = [](const RECT& a, const RECT& b) { return RectIsEmpty(a) ? b : a; };
    itemrect = r->itemrect;
    activeitemrect = orElse(r->activeitemrect, r->itemrect);
    focusitemrect = orElse(r->focusitemrect, r->itemrect);
    itemleftoffset = r->itemleftoffset;
    itemrightoffset = r->itemrightoffset;
    itemtextrect = r->itemtextrect;
    fontname = r->font.name;
    fontheight = r->font.height;
    fontstyle = r->font.style;
    fontcolor = r->font.color;
    activefontcolor = r->activefontcolor;
    focusfontcolor = r->focusfontcolor;
    captionrect = r->captionrect;
    captionfontname = r->captionfont.name;
    captionfontheight = r->captionfont.height;
    captionfontstyle = r->captionfont.style;
    captionfontcolor = r->captionfont.color;
    upbuttonrect = r->upbuttonrect;
    activeupbuttonrect = r->activeupbuttonrect;
    downupbuttonrect = orElse(r->downupbuttonrect, r->activeupbuttonrect);
    downbuttonrect = r->downbuttonrect;
    activedownbuttonrect = r->activedownbuttonrect;
    downdownbuttonrect = orElse(r->downdownbuttonrect, r->activedownbuttonrect);
    checkbuttonrect = r->checkbuttonrect;
    activecheckbuttonrect = r->activecheckbuttonrect;
    downcheckbuttonrect = orElse(r->downcheckbuttonrect, r->activecheckbuttonrect);
    vscrollbarname = r->vscrollbarname;
    hscrollbarname = r->hscrollbarname;
    bothhscrollbarname = r->bothhscrollbarname;
    showfocus = r->showfocus;
}

void TqvSkinCustomListBox::ApplySkin() {
    TqvSkinCustomControl::ApplySkin();
    applyingSkin_ = true;
    if (skinRecordIndex_ == -1) {
        list_->SetItemHeight(defaultItemHeight_);
        list_->SetFont(DefaultFont());
    } else if (SkinBound() && useSkinItemHeight_ && H(itemrect) > 0) {
        list_->SetItemHeight(H(itemrect));
    }
    if (vbar_ != nullptr) {
        vbar_->SetSkinDataName(SkinBound() ? vscrollbarname : std::string());
        vbar_->SetSkinData(SkinData());
    }
    if (hbar_ != nullptr) {
        TuneHScrollBar();
        hbar_->SetSkinData(SkinData());
    }
    if (rowCount_ > 0) {
        SetHeight(HeightForRows(rowCount_));
    }
    AlignInnerControls();
    applyingSkin_ = false;
    UpdateScrollBars();
    list_->Invalidate();
}

void TqvSkinCustomListBox::DefaultFontChanged() {
    if (skinRecordIndex_ == -1) {
        SetFont(DefaultFont());
        list_->SetFont(DefaultFont());
    }
}

void TqvSkinCustomListBox::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    TqvSkinCustomControl::Notification(component, operation);
    if (operation == vcl::opRemove) {
        if (component == images_) {
            images_ = nullptr;
        }
        if (component == vbar_) {
            vbar_ = nullptr;
        }
        if (component == hbar_) {
            hbar_ = nullptr;
        }
    }
}

// --- geometry -------------------------------------------------------------------------------

int TqvSkinCustomListBox::HeightForRows(int rows) const {
    TqvListBoxSkinMetrics m{SkinBound(), skinrect, clientrect};
    return ListBoxHeightForRows(m, rows, list_->RowHeight(), captionMode_, defaultCaptionHeight_,
                                hbar_ != nullptr ? hbar_->Height() : 0);
}

int TqvSkinCustomListBox::ItemAtPoint(POINT p, bool existingOnly) const {
    return list_->ItemAtPos(p, existingOnly);
}

void TqvSkinCustomListBox::SetListTopIndex(int index) { list_->SetTopIndex(index); }

void TqvSkinCustomListBox::AlignInnerControls() {
    if (list_ == nullptr) {
        return;
    }
    TqvListBoxLayoutInput in;
    in.skin = TqvListBoxSkinMetrics{SkinBound(), skinrect, clientrect};
    in.width = Width();
    in.height = Height();
    in.captionMode = captionMode_;
    in.captionHeight = defaultCaptionHeight_;
    in.columns = columns_;
    in.hasHBar = hbar_ != nullptr && hbar_->Visible();
    in.hbarHeight = hbar_ != nullptr ? hbar_->Height() : 0;
    in.hasVBar = vbar_ != nullptr && vbar_->Visible();
    in.vbarWidth = vbar_ != nullptr ? vbar_->Width() : 0;
    in.vbarHeight = vbar_ != nullptr ? vbar_->Height() : 0;
    TqvListBoxLayout out = LayOutListBox(in);
    if (SkinBound()) {
        listClientRect_ = out.listClientRect;
    }
    if (in.hasHBar) {
        hbar_->SetBoundsRect(out.hbarBounds);
    }
    if (in.hasVBar) {
        vbar_->SetBoundsRect(out.vbarBounds);
    }
    innerListRect_ = out.innerListRect;
    list_->SetBoundsRect(innerListRect_);
}

// --- scroll bars ----------------------------------------------------------------------------

int TqvSkinCustomListBox::GetItemTextWidth(int index, vcl::TCanvas* canvas) {
    return canvas->TextWidth(Items()->Get(index));
}

void TqvSkinCustomListBox::UpdateScrollBars() {
    if (list_ == nullptr || !list_->HandleAllocated()) {
        return;
    }
    const int count = ItemCount();
    // Horizontal: only when asked for, measured over every item.
    if (!horizontalExtent_ || applyingSkin_) {
        if (hbar_ != nullptr) {
            RemoveHScrollBar();
        }
    } else {
        vcl::TBitmap measure(1, 1);
        vcl::TCanvas* c = measure.Canvas();
        if (SkinBound() && UseSkinFont()) {
            ApplyFont(c, fontname, fontheight, fontstyle);
        } else {
            c->SetFont(list_->Font());
        }
        int widest = 0;
        for (int i = 0; i < count; ++i) {
            widest = std::max(widest, GetItemTextWidth(i, c));
        }
        int avail = SkinBound() ? list_->Width() + W(itemtextrect) - W(itemrect) : list_->Width() - 4;
        if (images_ != nullptr) {
            avail -= images_->Width() + 4;
        }
        if (avail < widest) {
            if (hbar_ == nullptr) {
                CreateHScrollBar();
            }
            hbar_->AssignRange(0, widest, hbar_->Position(), std::max(avail, 0));
            int step = std::max(1, c->TextWidth("0"));
            hbar_->SetSmallChange(step);
            hbar_->SetLargeChange(step);
        } else if (hbar_ != nullptr) {
            RemoveHScrollBar();
        }
    }
    // Vertical: mirrors the native list's range while rows are hidden.
    if (!(rowCount_ > 0 && rowCount_ == count)) {
        int min = 0, max = 0;
        GetScrollRange(list_->Handle(), SB_VERT, &min, &max);
        int pos = GetScrollPos(list_->Handle(), SB_VERT);
        int rows = list_->VisibleRows();
        if (max > min && pos <= max && rows < count) {
            if (vbar_ == nullptr) {
                CreateVScrollBar();
            }
            if (vbar_ != nullptr) {
                vbar_->AssignRange(min, max, pos, rows);
                vbar_->SetLargeChange(std::max(rows, 1));
            }
            return;
        }
    }
    if (vbar_ != nullptr) {
        RemoveVScrollBar();
    }
}

void TqvSkinCustomListBox::CreateVScrollBar() {
    auto* bar = new TqvSkinScrollBar(this);
    bar->SetKind(sbVertical);
    bar->SetBounds(0, 0, 20, 100);
    bar->AssignRange(0, 0, 0, 0);
    bar->SetSkinDataName(SkinBound() ? vscrollbarname : std::string());
    bar->OnChange = [this](vcl::TObject*) {
        if (vbar_ != nullptr && list_->HandleAllocated()) {
            SendMessage(list_->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(vbar_->Position())),
                        0);
        }
    };
    vbar_ = bar;
    bar->SetParent(this);
    bar->SetSkinData(SkinData());
    if (hbar_ != nullptr) {
        TuneHScrollBar();
    }
    AlignInnerControls();
    Invalidate();
}

void TqvSkinCustomListBox::CreateHScrollBar() {
    auto* bar = new TqvSkinScrollBar(this);
    bar->SetKind(sbHorizontal);
    bar->SetBounds(0, 0, 100, 20);
    bar->AssignRange(0, 0, 0, 0);
    bar->OnChange = [this](vcl::TObject*) {
        if (hbar_ != nullptr) {
            list_->SetHorzOffset(hbar_->Position());
        }
    };
    hbar_ = bar;
    TuneHScrollBar();
    bar->SetParent(this);
    bar->SetSkinData(SkinData());
    AlignInnerControls();
    Invalidate();
}

// A horizontal bar beside a vertical one leaves the shared corner free.
void TqvSkinCustomListBox::TuneHScrollBar() {
    if (!SkinBound()) {
        hbar_->SetSkinDataName(std::string());
        hbar_->SetBoth(vbar_ != nullptr);
        if (vbar_ != nullptr) {
            hbar_->SetBothMarkerWidth(19);
        }
    } else if (vbar_ != nullptr) {
        hbar_->SetBothSkinDataName(bothhscrollbarname);
        hbar_->SetSkinDataName(bothhscrollbarname);
        hbar_->SetBoth(true);
    } else {
        hbar_->SetBothSkinDataName(hscrollbarname);
        hbar_->SetSkinDataName(hscrollbarname);
        hbar_->SetBoth(false);
    }
}

void TqvSkinCustomListBox::RemoveVScrollBar() {
    TqvSkinScrollBar* bar = vbar_;
    vbar_ = nullptr;
    bar->Hide();
    delete bar;
    if (hbar_ != nullptr) {
        TuneHScrollBar();
    }
    AlignInnerControls();
    Invalidate();
}

void TqvSkinCustomListBox::RemoveHScrollBar() {
    list_->SetHorzOffset(0);
    TqvSkinScrollBar* bar = hbar_;
    hbar_ = nullptr;
    bar->Hide();
    delete bar;
    AlignInnerControls();
    list_->Invalidate();
}

void TqvSkinCustomListBox::WheelStep(int delta) {
    if (vbar_ != nullptr) {
        SendMessage(list_->Handle(), WM_VSCROLL, delta < 1 ? SB_LINEDOWN : SB_LINEUP, 0);
        UpdateScrollBars();
    } else if (hbar_ != nullptr) {
        hbar_->SetPosition(hbar_->Position() + (delta < 1 ? hbar_->SmallChange() : -hbar_->SmallChange()));
    }
}

void TqvSkinCustomListBox::HScrollKey(WORD& key) {
    if (hbar_ == nullptr || (key != VK_LEFT && key != VK_RIGHT)) {
        return;
    }
    hbar_->SetPosition(hbar_->Position() + (key == VK_LEFT ? -hbar_->SmallChange() : hbar_->SmallChange()));
    key = 0;
}

// --- forwarding from the native list --------------------------------------------------------

void TqvSkinCustomListBox::ListBoxMouseDown(vcl::TMouseButton b, vcl::TShiftState s, int x, int y) {
    if (OnListBoxMouseDown) {
        OnListBoxMouseDown(this, b, s, x, y);
    }
}

void TqvSkinCustomListBox::ListBoxMouseMove(vcl::TShiftState s, int x, int y) {
    if (OnListBoxMouseMove) {
        OnListBoxMouseMove(this, s, x, y);
    }
}

void TqvSkinCustomListBox::ListBoxMouseUp(vcl::TMouseButton b, vcl::TShiftState s, int x, int y) {
    if (OnListBoxMouseUp) {
        OnListBoxMouseUp(this, b, s, x, y);
    }
}

void TqvSkinCustomListBox::ListBoxClick() {
    if (OnListBoxClick) {
        OnListBoxClick(this);
    }
}

void TqvSkinCustomListBox::ListBoxDblClick() {
    if (OnListBoxDblClick) {
        OnListBoxDblClick(this);
    }
}

void TqvSkinCustomListBox::ListBoxKeyDown(WORD& key, vcl::TShiftState shift) {
    if (OnListBoxKeyDown) {
        OnListBoxKeyDown(this, key, shift);
    }
}

void TqvSkinCustomListBox::ListBoxKeyUp(WORD& key, vcl::TShiftState shift) {
    if (OnListBoxKeyUp) {
        OnListBoxKeyUp(this, key, shift);
    }
}

void TqvSkinCustomListBox::ListBoxKeyPress(char32_t& key) {
    if (OnListBoxKeyPress) {
        OnListBoxKeyPress(this, key);
    }
}

void TqvSkinCustomListBox::ListBoxWndProc(vcl::TMessage&, bool& cont) { cont = true; }

// --- painting the rows ----------------------------------------------------------------------

void TqvSkinCustomListBox::FillListBackground(HDC dc, const RECT& area) {
    if (W(area) <= 0 || H(area) <= 0) {
        return;
    }
    const gfx::Bitmap* pic = SkinPicture();
    if (!SkinBound() || pic == nullptr) {
        HBRUSH b = CreateSolidBrush(ColorToRGB(clWindow));
        FillRect(dc, &area, b);
        DeleteObject(b);
        return;
    }
    RECT tile = OffsetRect(clientrect, skinrect.left, skinrect.top);
    const int cw = W(tile), ch = H(tile);
    if (cw <= 0 || ch <= 0) {
        return;
    }
    vcl::TBitmap part(W(area), H(area));
    for (int j = 0; j <= H(area) / ch; ++j) {
        for (int i = 0; i <= W(area) / cw; ++i) {
            DrawPicturePart(part.Canvas(), *pic, tile, i * cw, j * ch);
        }
    }
    BitBlt(dc, area.left, area.top, W(area), H(area), part.CanvasHandle(), 0, 0, SRCCOPY);
}

void TqvSkinCustomListBox::ApplyItemFont(vcl::TCanvas* c) {
    if (UseSkinFont()) {
        ApplyFont(c, fontname, fontheight, fontstyle);
    } else {
        c->SetFont(DefaultFont());
        ApplyFont(c, DefaultFont()->Name(), DefaultFont()->Height(), DefaultFont()->Style());
    }
}

void TqvSkinCustomListBox::DrawItem(HDC dc, int index, const RECT& rect, TqvOwnerDrawState state) {
    if (index < 0 || index >= ItemCount()) {
        return;
    }
    const bool selected = state & odSelected, focused = state & odFocused;
    const int w = W(rect);
    const gfx::Bitmap* pic = SkinPicture();
    if (!SkinBound()) {
        vcl::TBitmap bmp(w, H(rect));
        vcl::TCanvas* c = bmp.Canvas();
        ApplySkinFont(c, true, Font()->Name(), Font()->Height(), Font()->Style(), *DefaultFont(), SkinData());
        c->Brush()->SetColor(selected ? clHighlight : clWindow);
        c->Font()->SetColor(selected ? clHighlightText : Font()->Color());
        c->FillRect(RECT{0, 0, w, H(rect)});
        DrawItemContent(c, index, w, H(rect), RECT{2, 0, w - 2, H(rect)}, state, false);
        if (focused) {
            RECT all{0, 0, w, H(rect)};
            DrawFocusRect(c->Handle(), &all);
        }
        BitBlt(dc, rect.left, rect.top, w, H(rect), bmp.CanvasHandle(), 0, 0, SRCCOPY);
        return;
    }
    if (pic == nullptr) {
        return;
    }
    if (useSkinItemHeight_) {
        const int h = H(itemrect);
        if (h <= 0) {
            return;
        }
        vcl::TBitmap bmp(w, h);
        RECT src = itemrect;
        bool stretch = stretcheffect;
        TColor color = fontcolor;
        if (focused && selected) {
            src = focusitemrect;
            color = focusfontcolor;
        } else if (selected) {
            src = activeitemrect;
            color = activefontcolor;
        } else if (!focused) {
            stretch = false;
        }
        ComposeHorzImage(*pic, src, itemleftoffset, itemrightoffset, w, stretch, bmp.Pixels());
        if (focused && !selected) {
            RECT all{0, 0, w, h};
            DrawFocusRect(bmp.CanvasHandle(), &all);
        }
        vcl::TCanvas* c = bmp.Canvas();
        ApplyItemFont(c);
        c->Font()->SetColor(color);
        RECT text = itemtextrect;
        text.right += w - W(itemrect);
        DrawItemContent(c, index, w, h, text, state, true);
        BitBlt(dc, rect.left, rect.top, w, h, bmp.CanvasHandle(), 0, 0, SRCCOPY);
        return;
    }
    const int h = H(rect);
    vcl::TBitmap bmp(w, h);
    RECT src = focused ? focusitemrect : selected ? activeitemrect : itemrect;
    RECT inner = InflateRect(itemtextrect, -1, -1);
    FitSkinImageToSize(*pic, src, inner, true, bmp.Pixels());
    vcl::TCanvas* c = bmp.Canvas();
    ApplyItemFont(c);
    c->Font()->SetColor(focused ? focusfontcolor : selected ? activefontcolor : fontcolor);
    RECT text = itemtextrect;
    text.right += w - W(itemrect);
    text.bottom += h - H(itemrect);
    DrawItemContent(c, index, w, h, text, state, true);
    BitBlt(dc, rect.left, rect.top, w, h, bmp.CanvasHandle(), 0, 0, SRCCOPY);
}

void TqvSkinCustomListBox::DrawItemContent(vcl::TCanvas* c, int index, int width, int height, RECT text,
                                           TqvOwnerDrawState state, bool skinned) {
    c->Brush()->SetStyle(vcl::bsClear);
    if (OnDrawItem) {
        OnDrawItem(c, index, width, height, text, state);
        return;
    }
    const int offset = list_->HorzOffset();
    if (skinned && (state & odFocused) && showfocus) {
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(SkinData() != nullptr ? SkinData()->Colors.cbtnface : clBtnFace);
        RECT all{0, 0, width, height};
        DrawFocusRect(c->Handle(), &all);
        c->Brush()->SetStyle(vcl::bsClear);
    }
    int indent = 0;
    if (images_ != nullptr) {
        int image = imageIndex_ >= 0 ? imageIndex_ : index;
        if (image < images_->Count()) {
            images_->Draw(c, text.left - offset, text.top + H(text) / 2 - images_->Height() / 2, image);
            indent = images_->Width() + 2;
        }
    }
    const std::string s = Items()->Get(index);
    HDC dc = TextDC(c);
    SetBkMode(dc, TRANSPARENT);
    if (tabWidths_->Count() > 0 && columns_ == 0) {
        std::vector<std::string> lines;
        for (int i = 0; i < tabWidths_->Count(); ++i) {
            lines.push_back(tabWidths_->Get(i));
        }
        std::vector<int> stops = TabStopsFromLines(lines);
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        int saved = SaveDC(dc);
        IntersectClipRect(dc, text.left, text.top, text.right, text.bottom);
        TabbedTextOut(dc, text.left + indent + 2, text.top + H(text) / 2 - tm.tmHeight / 2, s.c_str(),
                      int(s.size()), int(stops.size()), stops.data(), 0);
        RestoreDC(dc, saved);
    } else {
        DrawTextIndentVCentered(dc, s, text, indent - offset);
    }
}

// --- painting the frame and the caption -----------------------------------------------------

void TqvSkinCustomListBox::PlaceCaptionButtons(bool skinned) {
    if (!skinned) {
        DefaultCaptionButtonRects(Width(), defaultCaptionHeight_, buttonRects_);
        captionTextRect_ = RECT{3, 2, Width() - 3 * W(buttonRects_[0]) - 3, defaultCaptionHeight_ - 2};
        return;
    }
    const int dw = Width() - W(skinrect), dh = Height() - H(skinrect);
    captionTextRect_ = captionrect;
    if (captionTextRect_.right >= righttoppoint.x) {
        captionTextRect_.right += dw;
    }
    const RECT* normals[3] = {&upbuttonrect, &downbuttonrect, &checkbuttonrect};
    for (int i = 0; i < 3; ++i) {
        RECT r = *normals[i];
        int edge = lefttoppoint.x;
        if (r.top > lefttoppoint.y) {
            r = OffsetRect(r, 0, dh);
            edge = leftbottompoint.x;
        }
        if (edge < r.left) {
            r = OffsetRect(r, dw, 0);
        }
        buttonRects_[i] = r;
    }
}

void TqvSkinCustomListBox::DrawDefaultImage(vcl::TBitmap& bitmap) {
    vcl::TCanvas* c = bitmap.Canvas();
    const int w = Width(), h = Height();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(RECT{0, 0, w, h});
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(RECT{0, 0, w, h});
    if (!captionMode_) {
        return;
    }
    PlaceCaptionButtons(false);
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(1, defaultCaptionHeight_ - 1);
    c->LineTo(w - 1, defaultCaptionHeight_ - 1);
    DrawCaption(c, captionTextRect_, false);
    DrawCaptionButtons(c, false);
}

void TqvSkinCustomListBox::DrawSkinImage(vcl::TBitmap& bitmap) {
    const gfx::Bitmap* pic = SkinPicture();
    if (pic != nullptr) {
        BuildControlImage(bitmap, *pic, skinrect);
    }
    if (SkinBound()) {
        listClientRect_ = ListBoxClientRect(TqvListBoxSkinMetrics{true, skinrect, clientrect}, Width(),
                                            Height());
    }
    if (!captionMode_ || !SkinBound()) {
        return;
    }
    PlaceCaptionButtons(true);
    vcl::TCanvas* c = bitmap.Canvas();
    if (!RectIsEmpty(captionrect)) {
        DrawCaption(c, captionTextRect_, true);
    }
    DrawCaptionButtons(c, true);
}

void TqvSkinCustomListBox::DrawCaption(vcl::TCanvas* c, const RECT& rect, bool skinned) {
    if (skinned) {
        ApplySkinFont(c, true, captionfontname, captionfontheight, captionfontstyle, *defaultCaptionFont_,
                      SkinData());
        c->Font()->SetColor(captionfontcolor);
    } else {
        c->SetFont(defaultCaptionFont_.get());
        if (SkinData() != nullptr && SkinData()->ResourceStrData() != nullptr) {
            c->Font()->SetCharset(SkinData()->ResourceStrData()->CharSet());
        }
    }
    const std::string text = Caption();
    const int n = numGlyphs_ > 0 ? numGlyphs_ : 1;
    const bool hasGlyph = !glyph_->Empty();
    const int gw = hasGlyph ? glyph_->Width() / n : 0;
    const int total = c->TextWidth(text) + (hasGlyph ? gw + spacing_ : 0);
    const int margin = skinned ? 2 : 0;
    int x = rect.left + margin;
    if (alignment_ == taRightJustify) {
        x = rect.right - total - margin;
    } else if (alignment_ == taCenter) {
        x = rect.left + margin + W(rect) / 2 - total / 2;
    }
    HDC dc = TextDC(c);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    if (hasGlyph) {
        int gy = rect.top + H(rect) / 2 - glyph_->Height() / 2 - (skinned ? 0 : 1);
        int frame = (!Enabled() && n == 2) ? 2 : 1;
        DrawStripGlyph(dc, x, gy, frame, n, glyph_->Pixels());
        x += gw + spacing_;
    }
    c->Brush()->SetStyle(vcl::bsClear);
    SetBkMode(dc, TRANSPARENT);
    int th = c->TextHeight(text);
    int y = skinned ? rect.top + H(rect) / 2 - th / 2 : (defaultCaptionHeight_ - 2) / 2 - th / 2;
    c->TextOut(x, y, text);
    RestoreDC(dc, saved);
}

void TqvSkinCustomListBox::DrawCaptionButtons(vcl::TCanvas* c, bool skinned) {
    const gfx::Bitmap* pic = SkinPicture();
    const RECT* normal[3] = {&upbuttonrect, &downbuttonrect, &checkbuttonrect};
    const RECT* active[3] = {&activeupbuttonrect, &activedownbuttonrect, &activecheckbuttonrect};
    const RECT* down[3] = {&downupbuttonrect, &downdownbuttonrect, &downcheckbuttonrect};
    for (int i = 0; i < 3; ++i) {
        const RECT& r = buttonRects_[i];
        const bool hot = buttons_.IsHot(i), isDown = buttons_.IsPressed(i) && hot;
        if (skinned) {
            if (RectIsEmpty(*normal[i]) || pic == nullptr) {
                continue;
            }
            RECT src{};
            if (isDown) {
                src = *down[i];
            } else if (hot) {
                src = *active[i];
            }
            if (RectIsEmpty(src)) {
                src = OffsetRect(*normal[i], skinrect.left, skinrect.top);
            }
            DrawPicturePart(c, *pic, src, r.left, r.top, W(r), H(r));
            continue;
        }
        if (isDown) {
            FrameAndFill(c, r, kNavy, kPressedFill);
        } else if (hot) {
            FrameAndFill(c, r, kNavy, kHotFill);
        } else {
            c->Brush()->SetColor(clBtnFace);
            c->FillRect(r);
        }
        HDC dc = c->Handle();
        if (i == kCheckButton) {
            DrawCheckMark(dc, r.left + 4, r.top + 4, RGB(0, 0, 0));
        } else {
            DrawDirectionArrow(dc, r, i == kPreviousButton ? 3 : 4, RGB(0, 0, 0));
        }
    }
}

// --- caption button input -------------------------------------------------------------------

bool TqvSkinCustomListBox::CaptionInputActive() const {
    if (!captionMode_) {
        return false;
    }
    return !(SkinBound() && RectIsEmpty(upbuttonrect) && RectIsEmpty(downbuttonrect));
}

int TqvSkinCustomListBox::CaptionButtonAt(int x, int y) const {
    for (int i = 0; i < 3; ++i) {
        if (PtInRect(buttonRects_[i], POINT{x, y})) {
            return i;
        }
    }
    return -1;
}

void TqvSkinCustomListBox::MouseMove(vcl::TShiftState shift, int x, int y) {
    TqvSkinCustomControl::MouseMove(shift, x, y);
    if (CaptionInputActive()) {
        buttons_.MouseMove(CaptionButtonAt(x, y));
    }
}

void TqvSkinCustomListBox::MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    TqvSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != vcl::mbLeft || !CaptionInputActive()) {
        return;
    }
    int part = CaptionButtonAt(x, y);
    buttons_.MouseMove(part);
    // The arrows repeat while held, unless the program took their clicks over.
    buttons_.RepeatMode = (part == kPreviousButton && !OnUpButtonClick) ||
                          (part == kNextButton && !OnDownButtonClick);
    if (buttons_.Press(part)) {
        autoRepeatDirection_ = buttons_.RepeatMode ? (part == kPreviousButton ? 1 : 2) : 0;
    }
}

void TqvSkinCustomListBox::MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    vcl::TControlTracker alive(this);
    if (button == vcl::mbLeft && buttons_.PressedPart() != -1) {
        autoRepeatDirection_ = 0;
        int clicked = buttons_.Release();
        if (clicked != -1) {
            CaptionButtonAction(clicked);
        }
    }
    if (alive.Alive()) {
        TqvSkinCustomControl::MouseUp(button, shift, x, y);
    }
}

void TqvSkinCustomListBox::CaptionButtonStep(int button) {
    int index = ItemIndex();
    if (button == kPreviousButton && index > 0) {
        SetItemIndex(index - 1);
    } else if (button == kNextButton && index < ItemCount() - 1) {
        SetItemIndex(index + 1);
    }
}

void TqvSkinCustomListBox::CaptionButtonAction(int button) {
    const vcl::TNotifyEvent* handler = button == kPreviousButton ? &OnUpButtonClick
                                       : button == kNextButton   ? &OnDownButtonClick
                                                                 : &OnCheckButtonClick;
    if (*handler) {
        (*handler)(this);
        return;
    }
    if (button == kCheckButton) {
        list_->Click();
    } else {
        CaptionButtonStep(button);
    }
}

void TqvSkinCustomListBox::WndProc(vcl::TMessage& message) {
    vcl::TControlTracker alive(this);
    TqvSkinCustomControl::WndProc(message);
    if (!alive.Alive()) {
        return;
    }
    switch (message.Msg) {
    case WM_SIZE:
        AlignInnerControls();
        UpdateScrollBars();
        if (vbar_ != nullptr) {
            vbar_->Invalidate();
        }
        break;
    case vcl::CM_MOUSELEAVE: buttons_.MouseLeave(); break;
    case WM_CANCELMODE:
        buttons_.Cancel();
        autoRepeatDirection_ = 0;
        break;
    case vcl::CM_TEXTCHANGED:
        if (captionMode_) {
            Invalidate();
        }
        break;
    default: break;
    }
}

} // namespace qv
