#include "skin/shell/qvSkinTreeView.h"

#include "framework/Messages.h"
#include "skin/controls/qvSkinListView.h"
#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvResourceStr.h"

namespace qv {

TqvSkinCustomTreeView::TqvSkinCustomTreeView(vcl::TComponent* owner)
    : vcl::TCustomTreeView(owner), defaultFont_(std::make_unique<vcl::TFont>()) {
    defaultFont_->SetName("Arial");
    defaultFont_->SetHeight(14);
    defaultFont_->SetStyle(0);
    Font()->Assign(defaultFont_.get());
    SetColor(defaultColor_);
}

TqvSkinCustomTreeView::~TqvSkinCustomTreeView() {
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
}

void TqvSkinCustomTreeView::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) skinData_->RemoveFreeNotification(this);
    skinData_ = data;
    if (data == nullptr) return;
    data->FreeNotification(this);
    if (!data->IsEmpty() && !IsDesigning()) ApplySkin();
}

void TqvSkinCustomTreeView::SetDefaultFont(const vcl::TFont* font) {
    defaultFont_->Assign(font);
    if (skinRecordIndex_ == -1) Font()->Assign(defaultFont_.get());
}

void TqvSkinCustomTreeView::SetVScrollBar(TqvSkinScrollBar* bar) {
    bars_.AttachVert(bar, [this] { VertBarChanged(); });
    UpdateScrollBars();
}

void TqvSkinCustomTreeView::SetHScrollBar(TqvSkinScrollBar* bar) {
    bars_.AttachHorz(bar, [this] { HorzBarChanged(); });
    UpdateScrollBars();
}

void TqvSkinCustomTreeView::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomTreeView::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    if (component == skinData_) skinData_ = nullptr;
    bars_.Removed(component);
}

void TqvSkinCustomTreeView::CMVisibleChanged(vcl::TMessage& message) {
    vcl::TCustomTreeView::CMVisibleChanged(message);
    bars_.SetVisible(Visible());
}

void TqvSkinCustomTreeView::ApplySkin() {
    if (IsLoading()) return;
    skinRecordIndex_ =
        (skinData_ == nullptr || skinData_->IsEmpty()) ? -1 : skinData_->IndexOfControlSkin(skinDataName_);
    if (skinRecordIndex_ == -1) {
        SetColor(defaultColor_);
        Font()->Assign(defaultFont_.get());
    } else if (auto* r = dynamic_cast<const TqvDataSkinTreeView*>(
                   skinData_->ControlSkins[static_cast<std::size_t>(skinRecordIndex_)].get())) {
        vcl::TFont font;
        font.Assign(useSkinFont_ ? Font() : defaultFont_.get());
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
    if (HandleAllocated()) {
        // The native control paints with its own colours.
        Send(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(vcl::ColorToRGB(Color())));
        Send(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(vcl::ColorToRGB(Font()->Color())));
    }
    UpdateScrollBars();
    bars_.RealignAlignedBars();
}

void TqvSkinCustomTreeView::Loaded() {
    vcl::TCustomTreeView::Loaded();
    ApplySkin();
}

void TqvSkinCustomTreeView::CreateParams(vcl::TCreateParams& params) {
    vcl::TCustomTreeView::CreateParams(params);
    // The external bars stand in for the native ones, and the skinned window around the tree
    // is its frame.
    params.Style &= ~DWORD(WS_HSCROLL | WS_VSCROLL);
    params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
}

void TqvSkinCustomTreeView::WndProc(vcl::TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT: message.Result = 0; return;
    case QVM_ISSKINNEDCONTROL: message.Result = kSkinnedControlAnswer; return;
    default: break;
    }
    vcl::TControlTracker alive(this);
    vcl::TCustomTreeView::WndProc(message);
    if (!alive.Alive()) return;
    switch (message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
        if (!checkingScrollBars_) UpdateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: UpdateScrollBars(); break;
    default: break;
    }
}

LRESULT TqvSkinCustomTreeView::Notify(NMHDR* hdr) {
    vcl::TControlTracker alive(this);
    LRESULT result = vcl::TCustomTreeView::Notify(hdr);
    if (!alive.Alive()) return result;
    int code = static_cast<int>(hdr->code);
    if (code == TVN_SELCHANGED || code == TVN_ITEMEXPANDED) UpdateScrollBars();
    return result;
}

void TqvSkinCustomTreeView::UpdateScrollBars() {
    if (IsLoading() || checkingScrollBars_ || !HandleAllocated()) return;
    TqvExternalScrollBars::Shown before = bars_.Showing();
    HWND h = Handle();
    // Showing or hiding a bar realigns the parent, which resizes the tree: that WM_SIZE must not
    // synchronise again halfway through.
    if (TqvSkinScrollBar* v = bars_.Vert()) {
        TqvNativeScroll s = ReadNativeScroll(h, SB_VERT);
        int visible = static_cast<int>(Send(TVM_GETVISIBLECOUNT, 0, 0));
        checkingScrollBars_ = true;
        v->SetVisible(s.max > 0 && visible <= s.max && s.max < Items()->Count() && Visible());
        checkingScrollBars_ = false;
        if (v->Visible()) v->AssignRange(s.min, s.max, s.pos, visible);
    }
    if (TqvSkinScrollBar* hb = bars_.Horz()) {
        TqvNativeScroll s = ReadNativeScroll(h, SB_HORZ);
        checkingScrollBars_ = true;
        hb->SetVisible(Width() < s.max && Visible());
        checkingScrollBars_ = false;
        if (hb->Visible()) hb->AssignRange(s.min, s.max, s.pos, Width());
    }
    bars_.Finish(before, checkingScrollBars_);
}

void TqvSkinCustomTreeView::VertBarChanged() {
    TqvSkinScrollBar* v = bars_.Vert();
    if (v == nullptr || !HandleAllocated()) return;
    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, &info);
    info.nPage = 0;
    info.fMask = SIF_POS;
    info.nPos = v->Position();
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(v->Position())), 0);
}

void TqvSkinCustomTreeView::HorzBarChanged() {
    TqvSkinScrollBar* h = bars_.Horz();
    if (h == nullptr || !HandleAllocated()) return;
    Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(h->Position())), 0);
}

} // namespace qv
