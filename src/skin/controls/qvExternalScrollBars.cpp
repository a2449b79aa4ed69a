#include "skin/controls/qvExternalScrollBars.h"

#include <utility>

namespace qv {

TqvNativeScroll ReadNativeScroll(HWND window, int bar) {
    TqvNativeScroll s;
    GetScrollRange(window, bar, &s.min, &s.max);
    s.pos = GetScrollPos(window, bar);
    return s;
}

TqvExternalScrollBars::~TqvExternalScrollBars() {
    if (horz_ != nullptr) horz_->RemoveFreeNotification(&owner_);
    if (vert_ != nullptr) vert_->RemoveFreeNotification(&owner_);
}

void TqvExternalScrollBars::Attach(TqvSkinScrollBar*& slot, TqvSkinScrollBar* bar,
                                   std::function<void()> changed) {
    if (slot != nullptr && slot != bar) slot->RemoveFreeNotification(&owner_);
    slot = bar;
    if (bar == nullptr) return;
    bar->FreeNotification(&owner_);
    bar->SetEnabled(true);
    bar->SetVisible(false);
    bar->OnChange = [changed = std::move(changed)](vcl::TObject*) { changed(); };
}

void TqvExternalScrollBars::AttachVert(TqvSkinScrollBar* bar, std::function<void()> changed) {
    Attach(vert_, bar, std::move(changed));
}

void TqvExternalScrollBars::AttachHorz(TqvSkinScrollBar* bar, std::function<void()> changed) {
    Attach(horz_, bar, std::move(changed));
}

void TqvExternalScrollBars::Removed(vcl::TComponent* component) {
    if (component == horz_) horz_ = nullptr;
    if (component == vert_) vert_ = nullptr;
}

void TqvExternalScrollBars::SetVisible(bool visible) {
    if (horz_ != nullptr) horz_->SetVisible(visible);
    if (vert_ != nullptr) vert_->SetVisible(visible);
}

void TqvExternalScrollBars::RealignAlignedBars() {
    bool aligned = (horz_ != nullptr && horz_->Align() != vcl::TAlign::alNone) ||
                   (vert_ != nullptr && vert_->Align() != vcl::TAlign::alNone);
    if (aligned && owner_.Parent() != nullptr) owner_.Parent()->Realign();
}

TqvExternalScrollBars::Shown TqvExternalScrollBars::Showing() const {
    return Shown{vert_ != nullptr && vert_->Visible(), horz_ != nullptr && horz_->Visible()};
}

void TqvExternalScrollBars::Finish(Shown before, bool& busy) {
    if (vert_ != nullptr && horz_ != nullptr) horz_->SetBoth(vert_->Visible());
    bool changed = (vert_ != nullptr && vert_->Visible() != before.vert) ||
                   (horz_ != nullptr && horz_->Visible() != before.horz);
    if (changed && owner_.Align() != vcl::TAlign::alNone && owner_.Parent() != nullptr) {
        bool was = busy;
        busy = true;
        owner_.Parent()->Realign();
        busy = was;
    }
}

} // namespace qv
