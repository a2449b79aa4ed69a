#include "platform/controls/ListViewModel.h"

#include <algorithm>

namespace controls {

void ListViewModel::SetClientSize(int width, int height) {
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
    ClampScroll();
}

int ListViewModel::InsertColumn(int index, ListColumn column) {
    index = std::clamp(index, 0, ColumnCount());
    column.width = std::max(column.width, 0);
    columns_.insert(columns_.begin() + index, std::move(column));
    ClampScroll();
    return index;
}

bool ListViewModel::DeleteColumn(int index) {
    if (!ValidColumn(index)) return false;
    columns_.erase(columns_.begin() + index);
    ClampScroll();
    return true;
}

int ListViewModel::ColumnLeft(int index) const {
    int x = 0;
    for (int i = 0; i < index && i < ColumnCount(); ++i)
        x += columns_[i].width;
    return x;
}

int ListViewModel::TotalColumnWidth() const { return ColumnLeft(ColumnCount()); }

int ListViewModel::InsertItem(int index, std::string caption) {
    index = std::clamp(index, 0, ItemCount());
    ListRow row;
    row.texts.push_back(std::move(caption));
    rows_.insert(rows_.begin() + index, std::move(row));
    return index;
}

bool ListViewModel::DeleteItem(int index) {
    if (!ValidItem(index)) return false;
    rows_.erase(rows_.begin() + index);
    ClampScroll();
    return true;
}

void ListViewModel::DeleteAllItems() {
    rows_.clear();
    top_ = 0;
}

bool ListViewModel::SetItemText(int index, int subItem, std::string text) {
    if (!ValidItem(index) || subItem < 0) return false;
    auto& texts = rows_[index].texts;
    if (static_cast<size_t>(subItem) >= texts.size()) texts.resize(subItem + 1);
    texts[subItem] = std::move(text);
    return true;
}

std::string ListViewModel::ItemText(int index, int subItem) const {
    if (!ValidItem(index) || subItem < 0) return {};
    const auto& texts = rows_[index].texts;
    return static_cast<size_t>(subItem) < texts.size() ? texts[subItem] : std::string();
}

std::vector<ItemStateChange> ListViewModel::SetItemState(int item, UINT state, UINT mask) {
    std::vector<ItemStateChange> changes;
    auto apply = [&](int i, UINT s, UINT m) {
        UINT old = rows_[i].state;
        UINT now = (old & ~m) | (s & m);
        if (now != old) {
            rows_[i].state = now;
            changes.push_back({i, old, now});
        }
    };
    if (item == -1) {
        for (int i = 0; i < ItemCount(); ++i)
            apply(i, state, mask);
        return changes;
    }
    if (!ValidItem(item)) return changes;
    // Only one row ever holds the focus; with single selection only one holds the selection.
    UINT exclusive = (mask & state & LVIS_FOCUSED) | (singleSel_ ? (mask & state & LVIS_SELECTED) : 0);
    if (exclusive)
        for (int i = 0; i < ItemCount(); ++i)
            if (i != item) apply(i, 0, exclusive);
    apply(item, state, mask);
    return changes;
}

UINT ListViewModel::ItemState(int index, UINT mask) const {
    return ValidItem(index) ? rows_[index].state & mask : 0;
}

int ListViewModel::FocusedItem() const {
    for (int i = 0; i < ItemCount(); ++i)
        if (rows_[i].state & LVIS_FOCUSED) return i;
    return -1;
}

int ListViewModel::SelectedCount() const {
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [](const ListRow& r) { return r.state & LVIS_SELECTED; }));
}

int ListViewModel::NextItem(int start, UINT flags) const {
    UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED);
    auto matches = [&](int i) { return (rows_[i].state & want) == want; };
    if (flags & LVNI_ABOVE) {
        for (int i = std::min(start, ItemCount()) - 1; i >= 0; --i)
            if (matches(i)) return i;
        return -1;
    }
    // LVNI_ALL and LVNI_BELOW search forward; -1 starts with the first row.
    for (int i = std::max(start + 1, 0); i < ItemCount(); ++i)
        if (matches(i)) return i;
    return -1;
}

int ListViewModel::KeyTarget(ListKey key) const {
    if (rows_.empty()) return -1;
    int last = ItemCount() - 1;
    int focus = FocusedItem();
    if (focus < 0) return 0;
    int page = CountPerPage();
    switch (key) {
    case ListKey::Up: return std::max(focus - 1, 0);
    case ListKey::Down: return std::min(focus + 1, last);
    case ListKey::Home: return 0;
    case ListKey::End: return last;
    case ListKey::PageUp: {
        // First to the top of the page, then a page further, as the Windows list view does.
        int target = focus != top_ ? top_ : focus - (page - 1);
        return std::clamp(target, 0, last);
    }
    case ListKey::PageDown: {
        int bottom = std::min(top_ + page - 1, last);
        int target = focus != bottom ? bottom : focus + (page - 1);
        return std::clamp(target, 0, last);
    }
    }
    return focus;
}

int ListViewModel::CountPerPage() const { return std::max((clientHeight_ - headerHeight_) / rowHeight_, 1); }

int ListViewModel::MaxTopIndex() const { return std::max(ItemCount() - CountPerPage(), 0); }

int ListViewModel::MaxHorzOffset() const { return std::max(TotalColumnWidth() - clientWidth_, 0); }

bool ListViewModel::SetTopIndex(int top) {
    top = std::clamp(top, 0, MaxTopIndex());
    if (top == top_) return false;
    top_ = top;
    return true;
}

bool ListViewModel::SetHorzOffset(int offset) {
    offset = std::clamp(offset, 0, MaxHorzOffset());
    if (offset == hOffset_) return false;
    hOffset_ = offset;
    return true;
}

bool ListViewModel::EnsureVisible(int index, bool partialOk) {
    if (!ValidItem(index)) return false;
    int page = CountPerPage();
    if (index < top_) return SetTopIndex(index);
    int lastFull = top_ + page - 1;
    if (index <= lastFull) return false;
    if (partialOk && index == lastFull + 1 && (clientHeight_ - headerHeight_) % rowHeight_ != 0) return false;
    return SetTopIndex(index - page + 1);
}

ScrollState ListViewModel::VertScroll() const {
    return {0, std::max(ItemCount() - 1, 0), CountPerPage(), top_};
}

ScrollState ListViewModel::HorzScroll() const {
    return {0, std::max(TotalColumnWidth() - 1, 0), clientWidth_, hOffset_};
}

RECT ListViewModel::ItemRect(int index, int code) const {
    int top = headerHeight_ + (index - top_) * rowHeight_;
    int left = -hOffset_;
    RECT bounds{left, top, left + TotalColumnWidth(), top + rowHeight_};
    int firstRight = left + (columns_.empty() ? 0 : columns_[0].width);
    switch (code) {
    case LVIR_ICON: return {left, top, left + std::min(smallImageWidth_, firstRight - left), bounds.bottom};
    case LVIR_LABEL: return {std::min(left + smallImageWidth_, firstRight), top, firstRight, bounds.bottom};
    case LVIR_SELECTBOUNDS:
    case LVIR_BOUNDS:
    default: return bounds;
    }
}

RECT ListViewModel::SubItemRect(int index, int subItem) const {
    RECT r = ItemRect(index, LVIR_BOUNDS);
    if (!ValidColumn(subItem)) return r;
    r.left = -hOffset_ + ColumnLeft(subItem);
    r.right = r.left + columns_[subItem].width;
    return r;
}

LVHITTESTINFO ListViewModel::HitTest(POINT pt) const {
    LVHITTESTINFO info;
    info.pt = pt;
    if (pt.y < headerHeight_) {
        info.flags = LVHT_ABOVE;
        return info;
    }
    int x = pt.x + hOffset_;
    int row = top_ + (pt.y - headerHeight_) / rowHeight_;
    if (!ValidItem(row) || x < 0) {
        info.flags = LVHT_NOWHERE;
        return info;
    }
    if (x >= TotalColumnWidth()) {
        info.flags = LVHT_TORIGHT;
        return info;
    }
    info.iItem = row;
    for (int c = 0; c < ColumnCount(); ++c)
        if (x >= ColumnLeft(c) && x < ColumnLeft(c) + columns_[c].width) info.iSubItem = c;
    info.flags = (x < smallImageWidth_) ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    return info;
}

void ListViewModel::ClampScroll() {
    top_ = std::clamp(top_, 0, MaxTopIndex());
    hOffset_ = std::clamp(hOffset_, 0, MaxHorzOffset());
}

} // namespace controls
