#include "framework/ListBox.h"

#include "framework/Exceptions.h"
#include "framework/Messages.h"
#include "framework/TextUtils.h"

#include <algorithm>

namespace vcl {

namespace {

void CheckIndex(int index, int count) {
    if (index < 0 || index >= count)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

std::string TListBoxStrings::Get(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].text;
}

void TListBoxStrings::Put(int index, const std::string& s) {
    CheckIndex(index, Count());
    TObject* object = items_[static_cast<size_t>(index)].object;
    int current = owner_->ItemIndex();
    Delete(index);
    Insert(index, s);
    PutObject(index, object);
    if (current == index) owner_->SetItemIndex(index);
}

TObject* TListBoxStrings::GetObject(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].object;
}

void TListBoxStrings::PutObject(int index, TObject* object) {
    CheckIndex(index, Count());
    items_[static_cast<size_t>(index)].object = object;
}

void TListBoxStrings::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count()) CheckIndex(index, Count());
    if (owner_->sorted_) {
        // A sorted list decides the place itself, as the native list does.
        index = 0;
        while (index < Count() && CompareText(items_[static_cast<size_t>(index)].text, s) <= 0)
            ++index;
    }
    items_.insert(items_.begin() + index, Entry{s, nullptr});
    if (owner_->itemIndex_ >= index) ++owner_->itemIndex_;
    owner_->Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
}

void TListBoxStrings::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    if (owner_->itemIndex_ == index) owner_->itemIndex_ = -1;
    else if (owner_->itemIndex_ > index) --owner_->itemIndex_;
    owner_->Send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

void TListBoxStrings::Clear() {
    items_.clear();
    owner_->itemIndex_ = -1;
    owner_->Send(LB_RESETCONTENT);
}

TCustomListBox::TCustomListBox(TComponent* owner) : TNativeControl(owner, WC_LISTBOX), items_(this) {
    SetBounds(Left(), Top(), 121, 97);
    SetColor(clWindow);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    TNativeControl::CreateParams(params);
    params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (style_ == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::InitWindow() {
    // The native list does not sort: the wrapper keeps its order already.
    for (int i = 0; i < items_.Count(); ++i)
        Send(LB_INSERTSTRING, static_cast<WPARAM>(i),
             reinterpret_cast<LPARAM>(items_.items_[static_cast<size_t>(i)].text.c_str()));
    Send(LB_SETITEMHEIGHT, 0, itemHeight_);
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_));
    Send(LB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
}

int TCustomListBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendConst(LB_GETCURSEL)) : itemIndex_;
}

void TCustomListBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
    Send(LB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
}

int TCustomListBox::TopIndex() const {
    return HandleAllocated() ? static_cast<int>(SendConst(LB_GETTOPINDEX)) : topIndex_;
}

void TCustomListBox::SetTopIndex(int index) {
    topIndex_ = std::max(index, 0);
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_));
}

void TCustomListBox::SetItemHeight(int height) {
    if (height <= 0) return;
    itemHeight_ = height;
    Send(LB_SETITEMHEIGHT, 0, height);
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetSorted(bool on) {
    sorted_ = on;
    if (!on) return;
    std::stable_sort(items_.items_.begin(), items_.items_.end(),
                     [](const auto& a, const auto& b) { return CompareText(a.text, b.text) < 0; });
    if (HandleAllocated()) RecreateWnd();
}

RECT TCustomListBox::ItemRect(int index) const {
    RECT r{};
    SendConst(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomListBox::ItemAtPos(POINT pt, bool existing) const {
    LRESULT hit = SendConst(LB_ITEMFROMPOINT, 0,
                            MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    if (!HandleAllocated()) return -1;
    bool outside = HIWORD(static_cast<DWORD>(hit)) != 0;
    int index = LOWORD(static_cast<DWORD>(hit));
    if (outside && existing) return -1;
    return outside ? items_.Count() : index;
}

void TCustomListBox::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        switch (HIWORD(static_cast<DWORD>(message.WParam))) {
        case LBN_SELCHANGE:
            itemIndex_ = ItemIndex();
            Click();
            break;
        case LBN_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            break;
        default: break;
        }
        return;
    }
    TNativeControl::Dispatch(message);
}

} // namespace vcl
