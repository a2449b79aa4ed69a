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
    if (hScrollBar_ != nullptr) hScrollBar_->RemoveFreeNotification(this);
    if (vScrollBar_ != nullptr) vScrollBar_->RemoveFreeNotification(this);
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

void TqvSkinCustomTreeView::AttachBar(TqvSkinScrollBar*& slot, TqvSkinScrollBar* bar, bool vertical) {
    if (slot != nullptr && slot != bar) slot->RemoveFreeNotification(this);
    slot = bar;
    if (bar != nullptr) {
        bar->FreeNotification(this);
        bar->SetEnabled(true);
        bar->SetVisible(false);
        if (vertical) bar->OnChange = [this](vcl::TObject*) { VertBarChanged(); };
        else bar->OnChange = [this](vcl::TObject*) { HorzBarChanged(); };
    }
    UpdateScrollBars();
}

void TqvSkinCustomTreeView::SetVScrollBar(TqvSkinScrollBar* bar) { AttachBar(vScrollBar_, bar, true); }
void TqvSkinCustomTreeView::SetHScrollBar(TqvSkinScrollBar* bar) { AttachBar(hScrollBar_, bar, false); }

void TqvSkinCustomTreeView::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomTreeView::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    if (component == skinData_) skinData_ = nullptr;
    if (component == hScrollBar_) hScrollBar_ = nullptr;
    if (component == vScrollBar_) vScrollBar_ = nullptr;
}

void TqvSkinCustomTreeView::CMVisibleChanged(vcl::TMessage& message) {
    vcl::TCustomTreeView::CMVisibleChanged(message);
    if (hScrollBar_ != nullptr) hScrollBar_->SetVisible(Visible());
    if (vScrollBar_ != nullptr) vScrollBar_->SetVisible(Visible());
}

void TqvSkinCustomTreeView::ApplySkin() {
    if (IsLoading()) return;
    skinRecordIndex_ = (skinData_ == nullptr || skinData_->IsEmpty()) ? -1 : skinData_->IndexOfControlSkin(skinDataName_);
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
    if (Parent() != nullptr && ((hScrollBar_ != nullptr && hScrollBar_->Align() != vcl::TAlign::alNone) ||
                                (vScrollBar_ != nullptr && vScrollBar_->Align() != vcl::TAlign::alNone)))
        Parent()->Realign();
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
    case WM_NCPAINT:
        message.Result = 0;
        return;
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
    case WM_MOUSEWHEEL: UpdateScrollBars(); break;
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
    bool vWas = vScrollBar_ != nullptr && vScrollBar_->Visible();
    bool hWas = hScrollBar_ != nullptr && hScrollBar_->Visible();
    HWND h = Handle();
    if (vScrollBar_ != nullptr) {
        int min = 0, max = 0;
        GetScrollRange(h, SB_VERT, &min, &max);
        int pos = GetScrollPos(h, SB_VERT);
        int visible = static_cast<int>(Send(TVM_GETVISIBLECOUNT, 0, 0));
        checkingScrollBars_ = true;
        vScrollBar_->SetVisible(max > 0 && visible <= max && max < Items()->Count() && Visible());
        checkingScrollBars_ = false;
        if (vScrollBar_->Visible()) vScrollBar_->AssignRange(min, max, pos, visible);
    }
    if (hScrollBar_ != nullptr) {
        int min = 0, max = 0;
        GetScrollRange(h, SB_HORZ, &min, &max);
        int pos = GetScrollPos(h, SB_HORZ);
        checkingScrollBars_ = true;
        hScrollBar_->SetVisible(Width() < max && Visible());
        checkingScrollBars_ = false;
        if (hScrollBar_->Visible()) hScrollBar_->AssignRange(min, max, pos, Width());
    }
    if (vScrollBar_ != nullptr && hScrollBar_ != nullptr) hScrollBar_->SetBoth(vScrollBar_->Visible());
    bool changed = (vScrollBar_ != nullptr && vScrollBar_->Visible() != vWas) ||
                   (hScrollBar_ != nullptr && hScrollBar_->Visible() != hWas);
    if (changed && Align() != vcl::TAlign::alNone && Parent() != nullptr) {
        checkingScrollBars_ = true;
        Parent()->Realign();
        checkingScrollBars_ = false;
    }
}

void TqvSkinCustomTreeView::VertBarChanged() {
    if (vScrollBar_ == nullptr || !HandleAllocated()) return;
    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, &info);
    info.nPage = 0;
    info.fMask = SIF_POS;
    info.nPos = vScrollBar_->Position();
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(vScrollBar_->Position())), 0);
}

void TqvSkinCustomTreeView::HorzBarChanged() {
    if (hScrollBar_ == nullptr || !HandleAllocated()) return;
    Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(hScrollBar_->Position())), 0);
}

} // namespace qv
