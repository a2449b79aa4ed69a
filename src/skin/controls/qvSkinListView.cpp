#include "skin/controls/qvSkinListView.h"

#include "framework/Canvas.h"
#include "framework/Messages.h"
#include "skin/controls/qvSkinCustomControl.h"
#include "skin/data/qvCompose.h"
#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvTextUtils.h"

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

constexpr vcl::TColor kPressedFrame = vcl::clNavy;
constexpr vcl::TColor kPressedFill = 11899781;
// Caption inset from each side of a header section.
constexpr int kSectionTextMargin = 5;
// The native header is kept this much wider than the list, so its last divider can be dragged
// past the right edge.
constexpr int kHeaderExtraWidth = 4;

int RectW(const RECT& r) { return r.right - r.left; }
int RectH(const RECT& r) { return r.bottom - r.top; }
bool Empty(const RECT& r) { return RectW(r) <= 0 || RectH(r) <= 0; }
RECT Or(const RECT& r, const RECT& fallback) { return Empty(r) ? fallback : r; }
bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void FillFramed(vcl::TCanvas* canvas, const RECT& r, vcl::TColor frame, vcl::TColor fill) {
    canvas->Brush()->SetColor(fill);
    canvas->FillRect(r);
    canvas->Brush()->SetColor(frame);
    canvas->FrameRect(r);
}

} // namespace

// The header record's values, copied when it is bound.
struct TqvSkinCustomListView::HeaderSkin {
    RECT skinrect{};
    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    RECT clientrect{};
    RECT activeskinrect{};
    RECT downskinrect{};
    vcl::TColor fontcolor = 0;
    vcl::TColor activefontcolor = 0;
    vcl::TColor downfontcolor = 0;
    bool stretcheffect = false;
    int stretchtype = 0;
    bool leftstretch = false;
    bool topstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;
    const gfx::Bitmap* picture = nullptr;

    TqvSkinGeometry Geometry() const {
        return {lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
    }
    // Corner points and client rectangle moved for a size dw, dh larger than the skin's.
    TqvSkinGeometry Sized(int dw, int dh) const {
        TqvSkinGeometry g = Geometry();
        g.RT.x += dw;
        g.LB.y += dh;
        g.RB.x += dw;
        g.RB.y += dh;
        g.Cl.right += dw;
        g.Cl.bottom += dh;
        return g;
    }
    TqvComposeFlags Flags() const {
        TqvComposeFlags f;
        f.StretchTop = topstretch;
        f.StretchBottom = bottomstretch;
        f.StretchLeft = leftstretch;
        f.StretchRight = rightstretch;
        f.StretchCentre = stretcheffect;
        f.StretchType = stretchtype;
        return f;
    }
    bool HasCorners() const { return leftbottompoint.x != 0 || leftbottompoint.y != 0; }
};

TqvSkinCustomListView::TqvSkinCustomListView(vcl::TComponent* owner)
    : vcl::TCustomListView(owner), defaultFont_(std::make_unique<vcl::TFont>()),
      header_(std::make_unique<HeaderSkin>()) {
    defaultFont_->SetName("Arial");
    defaultFont_->SetHeight(14);
    defaultFont_->SetStyle(0);
    Font()->Assign(defaultFont_.get());
    SetColor(defaultColor_);
}

TqvSkinCustomListView::~TqvSkinCustomListView() {
    // The window goes while this object still handles its messages, so the header gets its own
    // procedure back.
    DestroyHandle();
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
}

// ---- properties

void TqvSkinCustomListView::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) skinData_->RemoveFreeNotification(this);
    skinData_ = data;
    if (data == nullptr) return;
    data->FreeNotification(this);
    if (!data->IsEmpty() && !IsDesigning()) ApplySkin();
}

void TqvSkinCustomListView::SetDefaultFont(const vcl::TFont* font) {
    defaultFont_->Assign(font);
    if (skinRecordIndex_ == -1) Font()->Assign(defaultFont_.get());
}

void TqvSkinCustomListView::SetDefaultColor(vcl::TColor color) {
    defaultColor_ = color;
    if (skinRecordIndex_ == -1) SetColor(color);
}

void TqvSkinCustomListView::SetHScrollBar(TqvSkinScrollBar* bar) {
    bars_.AttachHorz(bar, [this] { HorzBarChanged(); });
    SyncScrollBars();
}

void TqvSkinCustomListView::SetVScrollBar(TqvSkinScrollBar* bar) {
    bars_.AttachVert(bar, [this] { VertBarChanged(); });
    SyncScrollBars();
}

void TqvSkinCustomListView::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomListView::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    if (component == skinData_) skinData_ = nullptr;
    bars_.Removed(component);
}

void TqvSkinCustomListView::CMVisibleChanged(vcl::TMessage& message) {
    vcl::TCustomListView::CMVisibleChanged(message);
    bars_.SetVisible(Visible());
}

// ---- skin

void TqvSkinCustomListView::ApplySkin() {
    skinRecordIndex_ =
        (skinData_ == nullptr || skinData_->IsEmpty()) ? -1 : skinData_->IndexOfControlSkin(skinDataName_);
    if (skinRecordIndex_ == -1) {
        SetColor(defaultColor_);
        Font()->Assign(defaultFont_.get());
    } else if (auto* r = dynamic_cast<const TqvDataSkinListView*>(
                   skinData_->ControlSkins[static_cast<std::size_t>(skinRecordIndex_)].get())) {
        vcl::TFont font;
        font.Assign(defaultFont_.get());
        if (useSkinFont_) {
            font.SetName(r->font.name);
            font.SetStyle(r->font.style);
            font.SetHeight(r->font.height);
        }
        font.SetCharset(skinData_->ResourceStrData() != nullptr ? skinData_->ResourceStrData()->CharSet()
                                                                : defaultFont_->Charset());
        font.SetColor(r->font.color);
        Font()->Assign(&font);
        SetColor(r->bgcolor);
    }
    SyncScrollBars();
    bars_.RealignAlignedBars();
    if (ViewStyle() == vcl::vsReport && headerWindow_ != nullptr)
        InvalidateRect(headerWindow_, nullptr, TRUE);
}

void TqvSkinCustomListView::ReleaseSkinRecord() {
    skinRecordIndex_ = -1;
    headerRecordIndex_ = -1;
    header_->picture = nullptr;
}

void TqvSkinCustomListView::Loaded() {
    vcl::TCustomListView::Loaded();
    ApplySkin();
}

void TqvSkinCustomListView::ReadHeaderRecord() {
    headerRecordIndex_ = (skinData_ == nullptr || skinData_->IsEmpty())
                             ? -1
                             : skinData_->IndexOfControlSkin(headerSkinDataName_);
    header_->picture = nullptr;
    if (headerRecordIndex_ == -1) return;
    auto* r = dynamic_cast<const TqvDataSkinButtonControl*>(
        skinData_->ControlSkins[static_cast<std::size_t>(headerRecordIndex_)].get());
    if (r == nullptr) return; // not a button record: the plain look, as with no record
    HeaderSkin& h = *header_;
    h.skinrect = r->skinrect;
    h.lefttoppoint = r->lefttoppoint;
    h.righttoppoint = r->righttoppoint;
    h.leftbottompoint = r->leftbottompoint;
    h.rightbottompoint = r->rightbottompoint;
    h.clientrect = r->clientrect;
    h.activeskinrect = Or(r->activeskinrect, r->skinrect);
    h.downskinrect = Or(r->downskinrect, h.activeskinrect);
    h.fontcolor = r->font.color;
    h.activefontcolor = r->activefontcolor;
    h.downfontcolor = r->downfontcolor;
    h.stretcheffect = r->stretcheffect;
    h.stretchtype = static_cast<int>(r->stretchtype);
    h.leftstretch = r->leftstretch;
    h.topstretch = r->topstretch;
    h.rightstretch = r->rightstretch;
    h.bottomstretch = r->bottomstretch;
    h.picture = skinData_->ExtraPicture(r->pictureindex);
}

// ---- window

void TqvSkinCustomListView::CreateParams(vcl::TCreateParams& params) {
    vcl::TCustomListView::CreateParams(params);
    // The external bars stand in for the native ones, and the skinned window around the list
    // is its frame: the native control starts without a non-client area of its own, and keeps
    // none (WM_NCCALCSIZE is not passed on).
    params.Style &= ~DWORD(WS_HSCROLL | WS_VSCROLL);
    params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
}

void TqvSkinCustomListView::WndProc(vcl::TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        // No frame: the client is the whole window, and nothing is drawn around it.
        message.Result = 0;
        return;
    case QVM_PAINTHEADER:
        if (headerWindow_ != nullptr) PaintHeader(reinterpret_cast<HDC>(message.WParam));
        message.Result = 0;
        return;
    case QVM_ISSKINNEDCONTROL: message.Result = kSkinnedControlAnswer; return;
    case WM_PARENTNOTIFY:
        if (LOWORD(message.WParam) == WM_CREATE && ShowColumnHeaders())
            TakeOverHeader(reinterpret_cast<HWND>(message.LParam));
        break;
    case WM_DESTROY: ReleaseHeader(); break;
    default: break;
    }
    vcl::TControlTracker alive(this);
    vcl::TCustomListView::WndProc(message);
    if (!alive.Alive()) return;
    switch (message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
        if (!syncInProgress_) SyncScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: SyncScrollBars(); break;
    default: break;
    }
}

void TqvSkinCustomListView::TakeOverHeader(HWND child) {
    char className[80] = {};
    GetClassName(child, className, sizeof className);
    if (std::strcmp(className, WC_HEADER) != 0) return;
    ReleaseHeader();
    headerWindow_ = child;
    headerSavedProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtr(child, GWLP_WNDPROC));
    SetWindowLongPtr(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeaderProc));
}

void TqvSkinCustomListView::ReleaseHeader() {
    if (headerWindow_ != nullptr && IsWindow(headerWindow_) && headerSavedProc_ != nullptr)
        SetWindowLongPtr(headerWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerSavedProc_));
    headerWindow_ = nullptr;
    headerSavedProc_ = nullptr;
    pressedSection_ = -1;
    sectionPressed_ = false;
}

// ---- the header

LRESULT TqvSkinCustomListView::HeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* owner = dynamic_cast<TqvSkinCustomListView*>(vcl::TWinControl::FindControl(GetParent(hwnd)));
    if (owner == nullptr || owner->headerWindow_ != hwnd) return DefWindowProc(hwnd, msg, wParam, lParam);
    return owner->HeaderWndProc(hwnd, msg, wParam, lParam);
}

LRESULT TqvSkinCustomListView::HeaderWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_WINDOWPOSCHANGING: reinterpret_cast<WINDOWPOS*>(lParam)->cx += kHeaderExtraWidth; return 0;
    case WM_PAINT:
        if (wParam != 0) {
            PaintHeader(reinterpret_cast<HDC>(wParam));
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc != nullptr) PaintHeader(dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    case WM_ERASEBKGND: return 1;
    default: break;
    }
    LRESULT result = CallWindowProc(headerSavedProc_, hwnd, msg, wParam, lParam);
    if (msg == WM_LBUTTONDOWN) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        pressedSection_ = -1;
        int count = static_cast<int>(SendMessage(hwnd, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT r{};
            SendMessage(hwnd, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
            if (Contains(r, pt)) {
                pressedSection_ = i;
                break;
            }
        }
        // A press on a divider starts a resize, which the section does not show as pressed.
        HDHITTESTINFO hit;
        hit.pt = pt;
        SendMessage(hwnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        sectionPressed_ = !(hit.flags & HHT_ONDIVIDER);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE);
    } else if (msg == WM_LBUTTONUP) {
        sectionPressed_ = false;
        pressedSection_ = -1;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE);
    }
    return result;
}

void TqvSkinCustomListView::PaintHeader(HDC dc) {
    if (dc == nullptr || headerWindow_ == nullptr) return;
    vcl::TCanvas canvas;
    canvas.SetHandle(dc);
    ReadHeaderRecord();
    int count = static_cast<int>(SendMessage(headerWindow_, HDM_GETITEMCOUNT, 0, 0));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessage(headerWindow_, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        DrawSection(&canvas, i, r, i == pressedSection_ && sectionPressed_);
        right = std::max<int>(right, r.right);
    }
    RECT client{};
    GetClientRect(headerWindow_, &client);
    RECT rest{right, 0, client.right + 1, client.bottom};
    if (!Empty(rest)) DrawHeaderRest(&canvas, rest);
    canvas.SetHandle(nullptr);
}

void TqvSkinCustomListView::DrawHeaderRest(vcl::TCanvas* canvas, const RECT& rest) {
    const HeaderSkin& h = *header_;
    if (h.picture == nullptr) {
        FillFramed(canvas, rest, vcl::clBtnShadow, vcl::clBtnFace);
        return;
    }
    int w = RectW(rest);
    int height = RectH(rest);
    gfx::Bitmap image;
    if (h.HasCorners()) {
        TqvSkinGeometry g = h.Geometry();
        ComposeSkinImage(*h.picture, h.skinrect, g,
                         h.Sized(w - RectW(h.skinrect), height - RectH(h.skinrect)), w, height, h.Flags(),
                         image);
    } else {
        gfx::Bitmap strip;
        ComposeHorzImageNoRight(*h.picture, h.skinrect, h.lefttoppoint.x,
                                RectW(h.skinrect) - h.righttoppoint.x, w, h.stretcheffect, strip);
        // The strip has the skin's height; it is stretched to the header's.
        DrawPicturePart(canvas, strip, RECT{0, 0, strip.Width(), strip.Height()}, rest.left, rest.top, w,
                        height);
        return;
    }
    DrawBitmapAt(canvas, image, rest.left, rest.top);
}

void TqvSkinCustomListView::DrawSection(vcl::TCanvas* canvas, int column, const RECT& r, bool pressed) {
    if (Empty(r)) return;
    const HeaderSkin& h = *header_;
    vcl::TBitmap bitmap(RectW(r), RectH(r));
    vcl::TCanvas* bc = bitmap.Canvas();
    RECT all{0, 0, RectW(r), RectH(r)};
    bc->Font()->Assign(Font());
    if (h.picture == nullptr) {
        if (pressed) FillFramed(bc, all, kPressedFrame, kPressedFill);
        else FillFramed(bc, all, vcl::clBtnShadow, vcl::clBtnFace);
        bc->Font()->SetColor(vcl::clBtnText);
    } else {
        const RECT& source = pressed ? h.downskinrect : h.skinrect;
        bc->Font()->SetColor(pressed ? h.downfontcolor : h.fontcolor);
        gfx::Bitmap image;
        if (h.HasCorners()) {
            ComposeSkinImage(*h.picture, source, h.Geometry(),
                             h.Sized(all.right - RectW(h.skinrect), all.bottom - RectH(h.skinrect)),
                             all.right, all.bottom, h.Flags(), image);
        } else {
            gfx::Bitmap strip;
            ComposeHorzImage(*h.picture, source, h.lefttoppoint.x, RectW(h.skinrect) - h.righttoppoint.x,
                             all.right, h.stretcheffect, strip);
            image = std::move(strip);
        }
        DrawPicturePart(bc, image, RECT{0, 0, image.Width(), image.Height()}, 0, 0, all.right, all.bottom);
    }
    vcl::TListColumn* col = column < Columns()->Count() ? Columns()->Items(column) : nullptr;
    if (OnDrawHeaderSection) OnDrawHeaderSection(bc, col, pressed, all);
    else DrawSectionText(bc, column, all);
    canvas->Draw(r.left, r.top, &bitmap);
}

void TqvSkinCustomListView::DrawSectionText(vcl::TCanvas* canvas, int column, const RECT& all) {
    if (column >= Columns()->Count()) return;
    vcl::TListColumn* col = Columns()->Items(column);
    RECT area{all.left + kSectionTextMargin, all.top, all.right - kSectionTextMargin, all.bottom};
    canvas->Brush()->SetStyle(vcl::bsClear);
    std::string text = col->Caption();
    FitTextToWidth(canvas->Handle(), text, RectW(area));
    int tw = canvas->TextWidth(text);
    int th = canvas->TextHeight(text.empty() ? std::string("W") : text);
    int x = area.left;
    if (col->Alignment() == vcl::TAlignment::taRightJustify) x = area.right - tw;
    else if (col->Alignment() == vcl::TAlignment::taCenter) x = area.left + RectW(area) / 2 - tw / 2;
    int y = RectH(area) / 2 - th / 2;
    canvas->TextRect(area, x, y, text);
}

// ---- scroll bars

int TqvSkinCustomListView::FirstItemHeight() {
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessage(Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
    return RectH(r);
}

int TqvSkinCustomListView::FirstItemWidth() {
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessage(Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
    return RectW(r);
}

void TqvSkinCustomListView::SyncScrollBars() {
    if (!HandleAllocated() || scrollingFromBar_ || Width() <= 5 || Height() <= 5) return;
    switch (ViewStyle()) {
    case vcl::vsReport: SyncReport(); break;
    case vcl::vsList: SyncList(); break;
    default: SyncIcons(); break;
    }
}

void TqvSkinCustomListView::SyncReport() {
    if (syncInProgress_) return;
    syncInProgress_ = true;
    TqvExternalScrollBars::Shown before = bars_.Showing();
    if (TqvSkinScrollBar* v = bars_.Vert()) {
        TqvNativeScroll s = ReadNativeScroll(Handle(), SB_VERT);
        int rows = static_cast<int>(SendMessage(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
        v->SetVisible(rows < s.max + 1 && Visible());
        if (v->Visible()) {
            v->AssignRange(s.min, s.max, s.pos, rows);
            savedVertPosition_ = s.pos;
            v->SetSmallChange(1);
            v->SetLargeChange(std::max(rows, 1));
        }
    }
    if (TqvSkinScrollBar* h = bars_.Horz()) {
        TqvNativeScroll s = ReadNativeScroll(Handle(), SB_HORZ);
        h->SetVisible(Width() < s.max && Visible());
        if (h->Visible()) {
            h->AssignRange(s.min, s.max, s.pos, Width());
            savedHorzPosition_ = s.pos;
        }
    }
    bars_.Finish(before, syncInProgress_);
    syncInProgress_ = false;
}

void TqvSkinCustomListView::SyncList() {
    TqvExternalScrollBars::Shown before = bars_.Showing();
    if (TqvSkinScrollBar* v = bars_.Vert()) v->SetVisible(false);
    if (TqvSkinScrollBar* h = bars_.Horz()) {
        TqvNativeScroll s = ReadNativeScroll(Handle(), SB_HORZ);
        int rows = static_cast<int>(SendMessage(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
        h->SetVisible(rows < Items()->Count() && Visible());
        if (h->Visible()) {
            int itemWidth = FirstItemWidth();
            h->AssignRange(s.min, s.max, s.pos, Width() / (itemWidth > 0 ? itemWidth : 1));
            h->SetSmallChange(1);
            h->SetLargeChange(1);
            savedHorzPosition_ = s.pos;
        }
    }
    bars_.Finish(before, syncInProgress_);
}

void TqvSkinCustomListView::SyncIcons() {
    TqvExternalScrollBars::Shown before = bars_.Showing();
    int step = std::max(FirstItemHeight() / 2, 1);
    struct Axis {
        TqvSkinScrollBar* bar;
        int which;
        int extent;
        int* saved;
    } axes[] = {{bars_.Vert(), SB_VERT, Height(), &savedVertPosition_},
                {bars_.Horz(), SB_HORZ, Width(), &savedHorzPosition_}};
    for (const Axis& a : axes) {
        if (a.bar == nullptr) continue;
        TqvNativeScroll s = ReadNativeScroll(Handle(), a.which);
        a.bar->SetVisible(a.extent < s.max && Visible());
        if (!a.bar->Visible()) continue;
        a.bar->SetSmallChange(step);
        a.bar->SetLargeChange(step);
        a.bar->AssignRange(s.min, s.max, s.pos, a.extent);
        *a.saved = s.pos;
    }
    bars_.Finish(before, syncInProgress_);
}

void TqvSkinCustomListView::VertBarChanged() {
    TqvSkinScrollBar* v = bars_.Vert();
    if (v == nullptr || !HandleAllocated()) return;
    scrollingFromBar_ = true;
    int distance = v->Position() - savedVertPosition_;
    if (ViewStyle() == vcl::vsReport || ViewStyle() == vcl::vsList) distance *= FirstItemHeight();
    SendMessage(Handle(), LVM_SCROLL, 0, static_cast<LPARAM>(distance));
    savedVertPosition_ = v->Position();
    scrollingFromBar_ = false;
}

void TqvSkinCustomListView::HorzBarChanged() {
    TqvSkinScrollBar* h = bars_.Horz();
    if (h == nullptr || !HandleAllocated()) return;
    scrollingFromBar_ = true;
    int distance = h->Position() - savedHorzPosition_;
    if (ViewStyle() == vcl::vsList) {
        WPARAM code = distance < 0 ? SB_LINELEFT : SB_LINERIGHT;
        for (int i = 0; i < std::abs(distance); ++i)
            SendMessage(Handle(), WM_HSCROLL, code, 0);
    } else {
        SendMessage(Handle(), LVM_SCROLL, static_cast<WPARAM>(distance), 0);
    }
    savedHorzPosition_ = h->Position();
    scrollingFromBar_ = false;
}

} // namespace qv
