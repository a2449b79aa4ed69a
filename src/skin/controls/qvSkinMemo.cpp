#include "skin/controls/qvSkinMemo.h"

#include "framework/Canvas.h"
#include "framework/Messages.h"
#include "platform/controls/CodePoints.h"
#include "skin/controls/qvSkinCustomControl.h"
#include "skin/data/qvCompose.h"
#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvResourceStr.h"
#include "skin/form/qvSkinMenus.h"

#include <algorithm>
#include <cstdint>

namespace qv {

namespace {

int RectW(const RECT& r) { return r.right - r.left; }
int RectH(const RECT& r) { return r.bottom - r.top; }
bool Empty(const RECT& r) { return RectW(r) <= 0 || RectH(r) <= 0; }

// Posted to the memo to free its context menu once the menu engine is done with it.
constexpr UINT kFreeContextMenu = WM_APP + 0xE2;

// The thumb position travels in the high word of WM_VSCROLL / WM_HSCROLL.
constexpr int kLargestWordPosition = 0xFFFF;

} // namespace

TqvSkinMemo::TqvSkinMemo(vcl::TComponent* owner)
    : vcl::TCustomMemo(owner), defaultFont_(std::make_unique<vcl::TFont>()) {
    vcl::TFont font;
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetColor(vcl::clBlack);
    Font()->Assign(&font);
    defaultFont_->Assign(&font);
    // A change made to DefaultFont itself reaches the memo's font while no record is bound.
    defaultFont_->OnChange = [this](vcl::TObject*) {
        if (!Bound()) Font()->Assign(defaultFont_.get());
    };
    // The native edit keeps both scroll ranges; its own bars never show (no non-client area).
    SetScrollBars(vcl::ssBoth);
}

TqvSkinMemo::~TqvSkinMemo() {
    // The window goes while this object still answers its messages.
    DestroyHandle();
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
    if (hScrollBar_ != nullptr) hScrollBar_->RemoveFreeNotification(this);
    if (vScrollBar_ != nullptr) vScrollBar_->RemoveFreeNotification(this);
}

// ---- properties

void TqvSkinMemo::SetDefaultFont(const vcl::TFont* font) {
    defaultFont_->Assign(font);
    if (!Bound()) Font()->Assign(defaultFont_.get());
}

void TqvSkinMemo::SetBitMapBG(bool on) {
    if (on == bitMapBG_) return;
    bitMapBG_ = on;
    if (HandleAllocated()) RecreateWnd();
}

void TqvSkinMemo::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) skinData_->RemoveFreeNotification(this);
    skinData_ = data;
    if (data == nullptr) return;
    data->FreeNotification(this);
    if (!data->IsEmpty() && !IsDesigning()) ApplySkin();
}

void TqvSkinMemo::AttachBar(TqvSkinScrollBar*& slot, TqvSkinScrollBar* bar, bool vertical) {
    if (slot != nullptr && slot != bar) slot->RemoveFreeNotification(this);
    slot = bar;
    (vertical ? vBarComponent_ : hBarComponent_) = bar;
    if (bar == nullptr) return;
    bar->FreeNotification(this);
    bar->SetMin(0);
    bar->SetMax(0);
    bar->SetPosition(0);
    bar->OnChange = [this, vertical](vcl::TObject*) { BarChanged(vertical); };
}

void TqvSkinMemo::SetVScrollBar(TqvSkinScrollBar* bar) { AttachBar(vScrollBar_, bar, true); }
void TqvSkinMemo::SetHScrollBar(TqvSkinScrollBar* bar) { AttachBar(hScrollBar_, bar, false); }

void TqvSkinMemo::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomMemo::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    if (component == skinData_) {
        skinData_ = nullptr;
        ReleaseSkinRecord();
    }
    if (component == hBarComponent_) hScrollBar_ = nullptr, hBarComponent_ = nullptr;
    if (component == vBarComponent_) vScrollBar_ = nullptr, vBarComponent_ = nullptr;
}

TqvSkinScrollBar* TqvSkinMemo::LiveBar(bool vertical) const {
    // A bar being destroyed realigns its parent (and so sizes the memo) before the memo hears of
    // its removal; by then it is a bar no longer.
    vcl::TComponent* component = vertical ? vBarComponent_ : hBarComponent_;
    if (component == nullptr || component->IsDestroying()) return nullptr;
    return vertical ? vScrollBar_ : hScrollBar_;
}

// ---- skin

void TqvSkinMemo::ReleaseSkinRecord() {
    skinRecordIndex_ = -1;
    skinPicture_ = nullptr;
}

void TqvSkinMemo::ReadSkinRecord() {
    skinRecordIndex_ =
        (skinData_ == nullptr || skinData_->IsEmpty()) ? -1 : skinData_->IndexOfControlSkin(skinDataName_);
    skinPicture_ = nullptr;
    if (skinRecordIndex_ == -1) return;
    auto* r = dynamic_cast<const TqvDataSkinMemoControl*>(
        skinData_->ControlSkins[static_cast<std::size_t>(skinRecordIndex_)].get());
    if (r == nullptr) {
        // A record of another kind under this name: the plain look, as with none.
        skinRecordIndex_ = -1;
        return;
    }
    skinPicture_ = skinData_->ExtraPicture(r->pictureindex);
    lefttoppoint = r->lefttoppoint;
    righttoppoint = r->righttoppoint;
    leftbottompoint = r->leftbottompoint;
    rightbottompoint = r->rightbottompoint;
    clientrect = r->clientrect;
    skinrect = r->skinrect;
    activeskinrect = Empty(r->activeskinrect) ? r->skinrect : r->activeskinrect;
    fontname = r->font.name;
    fontstyle = static_cast<int>(r->font.style);
    fontheight = r->font.height;
    fontcolor = r->font.color;
    activefontcolor = r->activefontcolor;
    bgcolor = r->bgcolor;
    activebgcolor = r->activebgcolor;
    leftstretch = r->leftstretch;
    topstretch = r->topstretch;
    rightstretch = r->rightstretch;
    bottomstretch = r->bottomstretch;
    stretcheffect = r->stretcheffect;
    stretchtype = static_cast<int>(r->stretchtype);
}

const RECT& TqvSkinMemo::StateRect() const {
    return mouseInControl_ || Focused() ? activeskinrect : skinrect;
}

int TqvSkinMemo::SkinCharset() const {
    if (skinData_ != nullptr && skinData_->ResourceStrData() != nullptr)
        return skinData_->ResourceStrData()->CharSet();
    return defaultFont_->Charset();
}

vcl::TColor TqvSkinMemo::DisabledFontColor() const {
    if (Bound() && skinData_ != nullptr) {
        int index = skinData_->IndexOfControlSkin("edit");
        if (index != -1)
            if (auto* edit = dynamic_cast<const TqvDataSkinEditControl*>(
                    skinData_->ControlSkins[static_cast<std::size_t>(index)].get()))
                return edit->disabledfontcolor;
    }
    return vcl::clGrayText;
}

void TqvSkinMemo::ApplySkin() {
    ReadSkinRecord();
    vcl::TFont font;
    font.Assign(Font());
    if (!Bound()) {
        font.Assign(defaultFont_.get());
    } else {
        if (useSkinFont_) {
            font.SetName(fontname);
            font.SetStyle(static_cast<vcl::TFontStyles>(fontstyle));
            font.SetHeight(fontheight);
        } else {
            font.Assign(defaultFont_.get());
        }
        if (useSkinFontColor_) font.SetColor(Focused() ? activefontcolor : fontcolor);
        SetColor(bgcolor);
    }
    font.SetCharset(SkinCharset());
    // The colour of the text as the state wants it.
    if (!Enabled()) font.SetColor(vcl::clGrayText);
    else if (!Bound()) font.SetColor(defaultFont_->Color());
    Font()->Assign(&font);
    UpdateScrollBars();
    // The bars may have been laid out before the memo's look was known.
    if (Parent() != nullptr &&
        ((LiveBar(true) != nullptr && LiveBar(true)->Align() != vcl::TAlign::alNone) ||
         (LiveBar(false) != nullptr && LiveBar(false)->Align() != vcl::TAlign::alNone)))
        Parent()->Realign();
    UpdateTextRect();
    Invalidate();
}

void TqvSkinMemo::Change() {
    UpdateScrollBars();
    if (bitMapBG_) Invalidate();
    vcl::TCustomMemo::Change();
}

void TqvSkinMemo::Loaded() {
    vcl::TCustomMemo::Loaded();
    UpdateScrollBars();
}

// ---- geometry

void TqvSkinMemo::UpdateTextRect() {
    if (!HandleAllocated()) return;
    ReadSkinRecord();
    RECT r{0, 0, Width(), Height()};
    if (!Bound()) {
        r.left += bitMapBG_ ? 3 : 6;
        r.top += 2;
        r.right -= 4;
        r.bottom -= 2;
    } else {
        r.left += clientrect.left + (bitMapBG_ ? 1 : 3);
        r.top += clientrect.top + (bitMapBG_ ? 1 : 2);
        r.right += clientrect.right - RectW(skinrect) - 3;
        r.bottom += clientrect.bottom - RectH(skinrect) - 2;
    }
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    if (formatRectSet_ && r.left == textRect_.left && r.top == textRect_.top && r.right == textRect_.right &&
        r.bottom == textRect_.bottom)
        return;
    textRect_ = r;
    formatRectSet_ = true;
    SendMessage(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&textRect_));
}

// ---- scroll bars

void TqvSkinMemo::SyncBar(TqvSkinScrollBar* bar, int which) {
    if (bar == nullptr) return;
    if (!Enabled() || !HandleAllocated()) {
        bar->SetEnabled(false);
        return;
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Handle(), which, &si);
    // The vertical range counts lines (max is the last line), the horizontal one pixels.
    bool needed = which == SB_VERT ? static_cast<int>(si.nPage) < si.nMax + 1
                                   : static_cast<int>(si.nPage) < si.nMax;
    if (needed) {
        bar->AssignRange(0, si.nMax, si.nPos, static_cast<int>(si.nPage));
        if (!bar->Enabled()) bar->SetEnabled(true);
    } else {
        bar->AssignRange(0, 0, 0, 0);
        if (bar->Enabled()) bar->SetEnabled(false);
    }
}

void TqvSkinMemo::UpdateScrollBars() {
    SyncBar(LiveBar(true), SB_VERT);
    SyncBar(LiveBar(false), SB_HORZ);
}

void TqvSkinMemo::BarChanged(bool vertical) {
    TqvSkinScrollBar* bar = LiveBar(vertical);
    if (bar == nullptr || !HandleAllocated()) return;
    int position = std::max(bar->Position(), 0);
    if (vertical && position > kLargestWordPosition) {
        // Beyond what the message's word carries: scroll by the line difference instead.
        int first = static_cast<int>(SendMessage(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
        SendMessage(Handle(), EM_LINESCROLL, 0, position - first);
    } else {
        position = std::min(position, kLargestWordPosition);
        Perform(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
    }
    Invalidate();
}

// ---- painting

bool TqvSkinMemo::DrawsOwnBackground() const {
    return bitMapBG_ || BorderStyle() == vcl::TBorderStyle::bsSingle;
}

void TqvSkinMemo::Invalidate() {
    if (!bitMapBG_) {
        vcl::TCustomMemo::Invalidate();
        return;
    }
    backgroundPainted_ = false;
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

void TqvSkinMemo::PaintMemoFrame(vcl::TCanvas* canvas) {
    ReadSkinRecord();
    const int W = Width();
    const int H = Height();
    if (!Bound()) {
        canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
        canvas->Brush()->SetColor(vcl::clBtnShadow);
        canvas->FrameRect(RECT{0, 0, W, H});
        canvas->Brush()->SetColor(vcl::clBtnFace);
        canvas->FrameRect(RECT{1, 1, W - 1, H - 1});
        return;
    }
    if (skinPicture_ == nullptr) return;
    const int dw = W - RectW(skinrect);
    const int dh = H - RectH(skinrect);
    TqvSkinGeometry g{lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
    TqvSkinGeometry ng = g;
    ng.RT.x += dw;
    ng.LB.y += dh;
    ng.RB.x += dw;
    ng.RB.y += dh;
    ng.Cl.right += dw;
    ng.Cl.bottom += dh;
    TqvComposeFlags flags;
    flags.StretchTop = topstretch;
    flags.StretchBottom = bottomstretch;
    flags.StretchLeft = leftstretch;
    flags.StretchRight = rightstretch;
    TqvBorderStrips strips;
    ComposeBorderStrips(*skinPicture_, StateRect(), g, ng, W, H, flags, strips);
    const int topHeight = strips.Top.Height();
    DrawBitmapAt(canvas, strips.Top, 0, 0);
    DrawBitmapAt(canvas, strips.Left, 0, topHeight);
    DrawBitmapAt(canvas, strips.Right, W - strips.Right.Width(), topHeight);
    DrawBitmapAt(canvas, strips.Bottom, 0, H - strips.Bottom.Height());
}

void TqvSkinMemo::PaintMemoBackground(vcl::TCanvas* canvas) {
    const int W = Width();
    const int H = Height();
    if (W < 1 || H < 1) return;
    ReadSkinRecord();
    const bool single = BorderStyle() == vcl::TBorderStyle::bsSingle;
    if (!Bound()) {
        canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
        canvas->Brush()->SetColor(vcl::clWindow);
        canvas->FillRect(single ? RECT{2, 2, W - 2, H - 2} : RECT{0, 0, W, H});
        if (single) PaintMemoFrame(canvas);
    } else if (bitMapBG_) {
        vcl::TBitmap image;
        image.SetSize(W, H);
        if (skinPicture_ != nullptr)
            FillFromSkinRect(*skinPicture_, StateRect(), clientrect, RECT{0, 0, W, H}, W, H, stretcheffect,
                             stretchtype, image.Pixels());
        if (single) PaintMemoFrame(image.Canvas());
        DrawBitmapAt(canvas, image.Pixels(), 0, 0);
    } else {
        RECT r{clientrect.left, clientrect.top, W + clientrect.right - RectW(skinrect),
               H + clientrect.bottom - RectH(skinrect)};
        r.right = std::max(r.right, r.left);
        r.bottom = std::max(r.bottom, r.top);
        canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
        if (single) PaintMemoFrame(canvas);
    }
    UpdateTextRect();
}

void TqvSkinMemo::EraseBackground(vcl::TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    {
        vcl::TCanvas canvas;
        canvas.SetHandle(dc);
        PaintMemoBackground(&canvas);
        canvas.SetHandle(nullptr);
    }
    // Inside the memo's own paint the native edit draws the text right after this erase; any
    // other erase draws it here, so background and text appear in one pass.
    if (!inPaint_) Perform(WM_PAINT, message.WParam, 0);
    backgroundPainted_ = true;
    message.Result = 1;
}

void TqvSkinMemo::Paint(vcl::TMessage& message) {
    HDC given = reinterpret_cast<HDC>(message.WParam);
    if (backgroundPainted_ && bitMapBG_) {
        // Background and text were drawn by the erase: nothing is left to draw.
        if (given == nullptr) {
            PAINTSTRUCT ps;
            BeginPaint(Handle(), &ps);
            EndPaint(Handle(), &ps);
        }
        backgroundPainted_ = false;
        message.Result = 0;
        return;
    }
    if (Enabled()) {
        inPaint_ = given == nullptr;
        vcl::TControlTracker alive(this);
        vcl::TCustomMemo::WndProc(message);
        if (!alive.Alive()) return;
        inPaint_ = false;
        backgroundPainted_ = false;
        return;
    }
    if (given != nullptr) {
        PaintDisabledText(given);
    } else {
        PAINTSTRUCT ps;
        inPaint_ = true;
        backgroundPainted_ = false;
        HDC dc = BeginPaint(Handle(), &ps);
        inPaint_ = false;
        if (dc != nullptr) PaintDisabledText(dc);
        EndPaint(Handle(), &ps);
        backgroundPainted_ = false;
    }
    message.Result = 0;
}

void TqvSkinMemo::PaintDisabledText(HDC dc) {
    vcl::TCanvas canvas;
    canvas.SetHandle(dc);
    vcl::TFont font;
    if (Bound() && useSkinFont_) {
        font.SetName(fontname);
        font.SetHeight(fontheight);
        font.SetStyle(static_cast<vcl::TFontStyles>(fontstyle));
    } else {
        font.Assign(defaultFont_.get());
    }
    font.SetColor(DisabledFontColor());
    font.SetCharset(SkinCharset());
    canvas.Font()->Assign(&font);
    canvas.Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    int lineHeight = 0;
    {
        // The line height of the memo's own font, measured on a screen DC.
        vcl::TCanvas screen;
        HDC screenDC = GetDC(nullptr);
        screen.SetHandle(screenDC);
        screen.Font()->Assign(Font());
        lineHeight = screen.TextHeight("Wq");
        screen.SetHandle(nullptr);
        ReleaseDC(nullptr, screenDC);
    }
    const int count = lineHeight > 0 ? std::max(Height() / lineHeight, 1) : 1;
    UINT format = DT_NOPREFIX | DT_SINGLELINE;
    if (Alignment() == vcl::TAlignment::taRightJustify) format |= DT_RIGHT;
    else if (Alignment() == vcl::TAlignment::taCenter) format |= DT_CENTER;
    else format |= DT_LEFT;
    const int first =
        HandleAllocated() ? static_cast<int>(SendMessage(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
    const int lines = Lines()->Count();
    RECT r = textRect_;
    for (int i = first; i < first + count && i < lines; ++i) {
        canvas.DrawText(Lines()->Get(i), r, format);
        r.top += lineHeight;
    }
    canvas.SetHandle(nullptr);
}

void TqvSkinMemo::ControlColor(vcl::TMessage& message) {
    if (!DrawsOwnBackground()) {
        vcl::TCustomMemo::WndProc(message);
        return;
    }
    // The background is already on the DC: the text goes over it.
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, vcl::ColorToRGB(Font()->Color()));
    message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

// ---- window

void TqvSkinMemo::CreateParams(vcl::TCreateParams& params) {
    vcl::TCustomMemo::CreateParams(params);
    // The native edit publishes both scroll ranges whether or not its window has the bar styles;
    // without them, a change of range does not repaint a frame that the memo does not have.
    params.Style &= ~DWORD(WS_BORDER | WS_HSCROLL | WS_VSCROLL);
    params.Style |= ES_MULTILINE;
    params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT);
    params.ClassStyle &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TqvSkinMemo::CreateWnd() {
    formatRectSet_ = false; // a new window starts with its own formatting rectangle
    vcl::TCustomMemo::CreateWnd();
    UpdateTextRect();
    UpdateScrollBars();
}

void TqvSkinMemo::SwitchColors(bool active) {
    if (!Bound()) return;
    if (useSkinFontColor_) Font()->SetColor(active ? activefontcolor : fontcolor);
    if (!bitMapBG_) SetColor(active ? activebgcolor : bgcolor);
}

void TqvSkinMemo::CMMouseEnter(vcl::TMessage& message) {
    vcl::TCustomMemo::CMMouseEnter(message);
    mouseInControl_ = true;
    if (!Focused()) {
        SwitchColors(true);
        Invalidate();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TqvSkinMemo::CMMouseLeave(vcl::TMessage& message) {
    vcl::TCustomMemo::CMMouseLeave(message);
    mouseInControl_ = false;
    if (!Focused()) {
        SwitchColors(false);
        Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TqvSkinMemo::CMEnabledChanged(vcl::TMessage& message) {
    // Back to the left edge first: a disabled memo draws its lines from there.
    if (HandleAllocated()) Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    vcl::TCustomMemo::CMEnabledChanged(message);
    UpdateScrollBars();
}

bool TqvSkinMemo::FilterReadOnly(const vcl::TMessage& message) const {
    if (!readOnly_) return false;
    switch (message.Msg) {
    case WM_CHAR: return message.WParam != 3; // only the copy command passes
    case WM_KEYDOWN:
        // Delete, Shift+Delete (cut) and Shift+Insert (paste) would change the text.
        return message.WParam == VK_DELETE || (message.WParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0);
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO: return true;
    default: return false;
    }
}

void TqvSkinMemo::MouseWheel(const vcl::TMessage& message) {
    int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
    int notches = std::max(std::abs(delta) / WHEEL_DELTA, 1);
    // Towards the user (a negative delta) scrolls down, one line a notch.
    WPARAM code = delta <= 0 ? SB_LINEDOWN : SB_LINEUP;
    for (int i = 0; i < notches; ++i)
        Perform(WM_VSCROLL, code, 0);
    if (bitMapBG_) Invalidate();
}

bool TqvSkinMemo::NeedsSyncAfter(UINT msg) const {
    switch (msg) {
    case WM_SIZE:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
    case EM_SETSEL:
    case EM_LINESCROLL: return true;
    case WM_MOUSEMOVE: return mouseButtonDown_;
    default: return false;
    }
}

bool TqvSkinMemo::NeedsInvalidateAfter(UINT msg) const {
    if (!bitMapBG_) return false;
    switch (msg) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_MOUSEHWHEEL: return true;
    case WM_MOUSEMOVE: return mouseButtonDown_;
    default: return false;
    }
}

void TqvSkinMemo::WndProc(vcl::TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        // No non-client area: the native bars never show, the skin draws the border.
        message.Result = 0;
        return;
    case WM_NCPAINT:
        if (bitMapBG_) Invalidate();
        message.Result = 0;
        return;
    case WM_ERASEBKGND:
        if (DrawsOwnBackground()) {
            EraseBackground(message);
            return;
        }
        break;
    case WM_PAINT: Paint(message); return;
    case vcl::CN_BASE + WM_CTLCOLOREDIT:
    case vcl::CN_BASE + WM_CTLCOLORSTATIC: ControlColor(message); return;
    case WM_MOUSEWHEEL:
        MouseWheel(message);
        message.Result = 0;
        return;
    case WM_CONTEXTMENU:
        if (PopupMenu() == nullptr) {
            ShowContextMenu(message);
            message.Result = 0;
            return;
        }
        break;
    case QVM_SKIN_MENU_COMMAND_DONE:
        // The engine is still inside its own call: the menu goes once that has returned.
        if (HandleAllocated()) PostMessage(Handle(), kFreeContextMenu, 0, 0);
        message.Result = 0;
        return;
    case kFreeContextMenu:
        MenuCommandDone();
        message.Result = 0;
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // The menu key and Shift+F10 open the context menu at the memo's centre.
        if (PopupMenu() == nullptr &&
            (message.WParam == VK_APPS || (message.WParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))) {
            ShowContextMenu(vcl::TMessage{WM_CONTEXTMENU, 0, MAKELPARAM(0xFFFF, 0xFFFF), 0});
            message.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
        if (!mouseInControl_) {
            SwitchColors(true);
            Invalidate();
        }
        break;
    case WM_KILLFOCUS:
        if (!mouseInControl_) {
            SwitchColors(false);
            Invalidate();
        }
        break;
    case WM_LBUTTONDOWN: mouseButtonDown_ = true; break;
    default: break;
    }
    if (FilterReadOnly(message)) {
        message.Result = 0;
        return;
    }
    const UINT msg = message.Msg;
    const bool released = msg == WM_LBUTTONUP && mouseButtonDown_;
    vcl::TControlTracker alive(this);
    vcl::TCustomMemo::WndProc(message);
    if (!alive.Alive()) return;
    if (released) mouseButtonDown_ = false;
    if (NeedsSyncAfter(msg) || released) UpdateScrollBars();
    if (NeedsInvalidateAfter(msg) || (released && bitMapBG_)) Invalidate();
}

// The edit commands as the combo box's edit offers them, enabled by the memo's own ReadOnly.
void TqvSkinMemo::ShowContextMenu(const vcl::TMessage& message) {
    // A new request replaces the menu of the last one.
    delete contextMenu_;
    contextMenu_ = nullptr;
    TqvResourceStrData* strings = skinData_ != nullptr ? skinData_->ResourceStrData() : nullptr;
    auto caption = [strings](const char* key, const char* builtIn) {
        std::string text = strings != nullptr ? strings->GetResStr(key) : std::string();
        return text.empty() ? std::string(builtIn) : text;
    };
    const bool selected = SelLength() > 0;
    const bool clipboardText = IsClipboardFormatAvailable(CF_TEXT) ||
                               IsClipboardFormatAvailable(CF_UNICODETEXT);
    auto command = [this](UINT msg) { return [this, msg](vcl::TObject*) { Perform(msg, 0, 0); }; };
    auto* menu = new TqvSkinPopupMenu(this);
    contextMenu_ = menu;
    menu->SetSkinData(skinData_);
    vcl::TMenuItem* items = menu->Items();
    // Undo does nothing while read-only, so it is not offered then either.
    items->AddItem(caption("EDIT_UNDO", "Undo"), command(WM_UNDO))->SetEnabled(CanUndo() && !readOnly_);
    items->AddItem("-");
    items->AddItem(caption("EDIT_CUT", "Cut"), command(WM_CUT))->SetEnabled(selected && !readOnly_);
    items->AddItem(caption("EDIT_COPY", "Copy"), command(WM_COPY))->SetEnabled(selected);
    items->AddItem(caption("EDIT_PASTE", "Paste"), command(WM_PASTE))
        ->SetEnabled(clipboardText && !readOnly_);
    items->AddItem(caption("EDIT_DELETE", "Delete"), command(WM_CLEAR))->SetEnabled(selected && !readOnly_);
    items->AddItem("-");
    // clang-format off
    items->AddItem(caption("EDIT_SELECTALL", "Select All"), [this](vcl::TObject*) {
        SelectAll();
        UpdateScrollBars();
        if (bitMapBG_) Invalidate();
    })->SetEnabled(CanSelectAll());
    // clang-format on
    // The menu key sends no point: the menu opens at the memo's centre.
    POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (at.x < 0 || at.y < 0) at = ClientToScreen(POINT{Width() / 2, Height() / 2});
    menu->PopupFor(this, at.x, at.y);
}

void TqvSkinMemo::MenuCommandDone() {
    // The menu has run its command; a newer one that is showing stays.
    if (contextMenu_ == nullptr || contextMenu_->Showing()) return;
    delete contextMenu_;
    contextMenu_ = nullptr;
}

bool TqvSkinMemo::CanSelectAll() {
    std::string text = GetText();
    return !(SelStart() == 0 && SelLength() == static_cast<int>(controls::DecodeUtf8(text).size()));
}

} // namespace qv
