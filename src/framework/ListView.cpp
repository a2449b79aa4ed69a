#include "framework/ListView.h"

#include "framework/Messages.h"

#include <algorithm>

namespace vcl {

namespace {

int Format(TAlignment a) {
    return a == TAlignment::taRightJustify ? LVCFMT_RIGHT
           : a == TAlignment::taCenter     ? LVCFMT_CENTER
                                           : LVCFMT_LEFT;
}

} // namespace

// ---- columns

void TListColumn::SetCaption(const std::string& caption) {
    caption_ = caption;
    owner_->PushColumn(Index(), false);
}

void TListColumn::SetWidth(int width) {
    width_ = std::max(width, 0);
    owner_->PushColumn(Index(), false);
}

void TListColumn::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    owner_->PushColumn(Index(), false);
}

int TListColumn::Index() const { return owner_->Columns()->IndexOf(this); }

TListColumn* TListColumns::Add() {
    columns_.push_back(std::unique_ptr<TListColumn>(new TListColumn(owner_)));
    owner_->PushColumn(Count() - 1, true);
    return columns_.back().get();
}

void TListColumns::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    columns_.erase(columns_.begin() + index);
    owner_->Send(LVM_DELETECOLUMN, static_cast<WPARAM>(index));
}

void TListColumns::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

int TListColumns::IndexOf(const TListColumn* column) const {
    for (int i = 0; i < Count(); ++i)
        if (columns_[static_cast<size_t>(i)].get() == column) return i;
    return -1;
}

// ---- items

TListItem::TListItem(TCustomListView* owner) : owner_(owner) {
    subItems_.OnChange = [this](TObject*) { PushSubItems(); };
}

void TListItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    int i = Index();
    if (i < 0 || !owner_->HandleAllocated()) return;
    LVITEM item;
    item.iSubItem = 0;
    item.pszText = caption_.data();
    owner_->Send(LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}

void TListItem::PushSubItems() {
    int i = Index();
    if (i < 0 || !owner_->HandleAllocated()) return;
    for (int c = 0; c < subItems_.Count(); ++c) {
        std::string text = subItems_.Get(c);
        LVITEM item;
        item.iSubItem = c + 1;
        item.pszText = text.data();
        owner_->Send(LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void TListItem::SetImageIndex(int index) {
    imageIndex_ = index;
    int i = Index();
    if (i < 0 || !owner_->HandleAllocated()) return;
    LVITEM item;
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    item.iImage = index;
    owner_->Send(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::Selected() const {
    int i = Index();
    if (owner_->HandleAllocated() && i >= 0)
        return owner_->Send(LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED) != 0;
    return state_ & LVIS_SELECTED;
}

bool TListItem::Focused() const {
    int i = Index();
    if (owner_->HandleAllocated() && i >= 0)
        return owner_->Send(LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_FOCUSED) != 0;
    return state_ & LVIS_FOCUSED;
}

void TListItem::SetSelected(bool selected) {
    int i = Index();
    if (i < 0) return;
    if (owner_->HandleAllocated()) {
        LVITEM item;
        item.stateMask = LVIS_SELECTED;
        item.state = selected ? LVIS_SELECTED : 0;
        owner_->Send(LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        return;
    }
    if (selected && !owner_->MultiSelect())
        for (int k = 0; k < owner_->Items()->Count(); ++k)
            owner_->Items()->Item(k)->state_ &= ~LVIS_SELECTED;
    state_ = selected ? (state_ | LVIS_SELECTED) : (state_ & ~LVIS_SELECTED);
}

int TListItem::Index() const { return owner_->Items()->IndexOf(this); }

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, std::unique_ptr<TListItem>(new TListItem(owner_)));
    owner_->PushItem(index, true);
    return items_[static_cast<size_t>(index)].get();
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    owner_->Send(LVM_DELETEITEM, static_cast<WPARAM>(index));
}

void TListItems::Clear() {
    items_.clear();
    owner_->Send(LVM_DELETEALLITEMS);
}

int TListItems::IndexOf(const TListItem* item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].get() == item) return i;
    return -1;
}

void TListItems::BeginUpdate() {
    if (updating_++ == 0 && owner_->HandleAllocated()) owner_->Send(WM_SETREDRAW, FALSE);
}

void TListItems::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0 || !owner_->HandleAllocated()) return;
    owner_->Send(WM_SETREDRAW, TRUE);
    InvalidateRect(owner_->Handle(), nullptr, TRUE);
}

// ---- the list view

TCustomListView::TCustomListView(TComponent* owner)
    : TNativeControl(owner, WC_LISTVIEW), columns_(this), items_(this) {
    SetBounds(Left(), Top(), 250, 150);
    SetColor(clWindow);
}

TCustomListView::~TCustomListView() {
    // The window goes first, so no notification arrives for items already freed.
    DestroyHandle();
}

void TCustomListView::CreateParams(TCreateParams& params) {
    TNativeControl::CreateParams(params);
    static constexpr DWORD kViewBits[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    params.Style |= kViewBits[static_cast<int>(viewStyle_)] | WS_VSCROLL | WS_HSCROLL;
    if (!multiSelect_) params.Style |= LVS_SINGLESEL;
    if (!hideSelection_) params.Style |= LVS_SHOWSELALWAYS;
    if (!showColumnHeaders_) params.Style |= LVS_NOCOLUMNHEADER;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::InitWindow() {
    Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
    PushExtendedStyle();
    PushImages();
    for (int i = 0; i < columns_.Count(); ++i)
        PushColumn(i, true);
    for (int i = 0; i < items_.Count(); ++i)
        PushItem(i, true);
}

void TCustomListView::CMColorChanged(TMessage& message) {
    TNativeControl::CMColorChanged(message);
    Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
}

void TCustomListView::CMFontChanged(TMessage& message) {
    TNativeControl::CMFontChanged(message);
    Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomListView::PushColumn(int index, bool insert) {
    if (!HandleAllocated() || index < 0) return;
    TListColumn* c = columns_.Items(index);
    LVCOLUMN col;
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(c->Caption().c_str());
    col.cx = c->Width();
    col.fmt = Format(c->Alignment());
    col.iSubItem = index;
    Send(insert ? LVM_INSERTCOLUMN : LVM_SETCOLUMN, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(&col));
}

void TCustomListView::PushItem(int index, bool insert) {
    if (!HandleAllocated()) return;
    TListItem* it = items_.Item(index);
    LVITEM item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = index;
    item.pszText = it->caption_.data();
    item.iImage = it->imageIndex_;
    item.state = it->state_;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Send(insert ? LVM_INSERTITEM : LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    it->PushSubItems();
}

void TCustomListView::PushExtendedStyle() {
    DWORD ex = (gridLines_ ? LVS_EX_GRIDLINES : 0) | (rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, static_cast<LPARAM>(ex));
}

void TCustomListView::PushImages() {
    Send(LVM_SETIMAGELIST, LVSIL_SMALL,
         reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
}

void TCustomListView::SetViewStyle(TViewStyle style) {
    if (style == viewStyle_) return;
    viewStyle_ = style;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetGridLines(bool on) {
    gridLines_ = on;
    PushExtendedStyle();
}

void TCustomListView::SetRowSelect(bool on) {
    rowSelect_ = on;
    PushExtendedStyle();
}

void TCustomListView::SetShowColumnHeaders(bool on) {
    if (on == showColumnHeaders_) return;
    showColumnHeaders_ = on;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool on) {
    if (on == multiSelect_) return;
    multiSelect_ = on;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetHideSelection(bool on) {
    if (on == hideSelection_) return;
    hideSelection_ = on;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetSmallImages(TImageList* images) {
    if (smallImages_) smallImages_->RemoveFreeNotification(this);
    smallImages_ = images;
    if (smallImages_) smallImages_->FreeNotification(this);
    PushImages();
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
    TNativeControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == smallImages_) {
        smallImages_ = nullptr;
        PushImages();
    }
}

TListItem* TCustomListView::Selected() const {
    int i = ItemIndex();
    return i >= 0 ? items_.Item(i) : nullptr;
}

void TCustomListView::SetSelected(TListItem* item) {
    if (item) item->SetSelected(true);
    else if (TListItem* current = Selected()) current->SetSelected(false);
}

int TCustomListView::ItemIndex() const {
    if (HandleAllocated())
        return static_cast<int>(SendMessage(const_cast<TCustomListView*>(this)->Handle(), LVM_GETNEXTITEM,
                                            static_cast<WPARAM>(-1), LVNI_SELECTED));
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Item(i)->state_ & LVIS_SELECTED) return i;
    return -1;
}

void TCustomListView::SetItemIndex(int index) {
    if (index >= 0 && index < items_.Count()) items_.Item(index)->SetSelected(true);
    else SetSelected(nullptr);
}

int TCustomListView::VisibleRowCount() { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }
int TCustomListView::TopIndex() { return static_cast<int>(Send(LVM_GETTOPINDEX)); }

void TCustomListView::ItemChanged(const NMLISTVIEW& nm) {
    if (nm.iItem < 0 || nm.iItem >= items_.Count()) return;
    TListItem* item = items_.Item(nm.iItem);
    item->state_ = nm.uNewState;
    bool was = nm.uOldState & LVIS_SELECTED, now = nm.uNewState & LVIS_SELECTED;
    // Handlers may free the list view; keep a tracker-free copy of what they need.
    if (OnChange) OnChange(this, item);
    if (was != now && OnSelectItem) OnSelectItem(this, item, now);
}

void TCustomListView::Dispatch(TMessage& message) {
    if (message.Msg != CN_NOTIFY) {
        TNativeControl::Dispatch(message);
        return;
    }
    auto* hdr = reinterpret_cast<NMHDR*>(message.LParam);
    switch (static_cast<int>(hdr->code)) {
    case LVN_ITEMCHANGED: ItemChanged(*reinterpret_cast<NMLISTVIEW*>(message.LParam)); break;
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    case LVN_COLUMNCLICK: {
        int c = reinterpret_cast<NMLISTVIEW*>(message.LParam)->iSubItem;
        if (OnColumnClick && c >= 0 && c < columns_.Count()) OnColumnClick(this, columns_.Items(c));
        break;
    }
    default: break;
    }
    message.Result = 0;
}

} // namespace vcl
