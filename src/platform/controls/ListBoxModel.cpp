#include "platform/controls/ListBoxModel.h"

#include "platform/controls/CodePoints.h"

#include <algorithm>

namespace controls {

int ListBoxModel::Insert(int index, std::string text) {
    if (index == -1) index = Count();
    if (index < 0 || index > Count()) return static_cast<int>(LB_ERR);
    items_.insert(items_.begin() + index, ListBoxItem{std::move(text), 0});
    if (current_ >= index) ++current_;
    return index;
}

int ListBoxModel::Add(std::string text, bool sorted) {
    if (!sorted) return Insert(-1, std::move(text));
    auto key = DecodeUtf8(text);
    int index = 0;
    while (index < Count()) {
        auto other = DecodeUtf8(items_[index].text);
        std::u32string a, b;
        for (char32_t c : key)
            a.push_back(FoldCase(c));
        for (char32_t c : other)
            b.push_back(FoldCase(c));
        if (a < b) break;
        ++index;
    }
    return Insert(index, std::move(text));
}

int ListBoxModel::Remove(int index) {
    if (!Valid(index)) return static_cast<int>(LB_ERR);
    items_.erase(items_.begin() + index);
    if (current_ == index) current_ = -1;
    else if (current_ > index) --current_;
    ClampTop();
    return Count();
}

void ListBoxModel::Clear() {
    items_.clear();
    current_ = -1;
    top_ = 0;
}

bool ListBoxModel::SetCurrent(int index) {
    if (!Valid(index)) {
        current_ = -1;
        return index == -1;
    }
    current_ = index;
    return true;
}

bool ListBoxModel::SetTop(int index) {
    if (index < 0 || (index >= Count() && Count() > 0)) return false;
    top_ = std::clamp(index, 0, MaxTop());
    return true;
}

int ListBoxModel::RowsPerPage() const { return std::max(clientHeight_ / itemHeight_, 1); }

int ListBoxModel::MaxTop() const { return std::max(Count() - RowsPerPage(), 0); }

void ListBoxModel::ClampTop() { top_ = std::clamp(top_, 0, MaxTop()); }

bool ListBoxModel::EnsureVisible(int index) {
    if (!Valid(index)) return false;
    int old = top_;
    if (index < top_) top_ = index;
    else if (index >= top_ + RowsPerPage()) top_ = index - RowsPerPage() + 1;
    ClampTop();
    return old != top_;
}

ScrollState ListBoxModel::VertScroll() const { return {0, std::max(Count() - 1, 0), RowsPerPage(), top_}; }

int ListBoxModel::FindPrefix(int start, std::string_view prefix) const {
    auto key = DecodeUtf8(prefix);
    int n = Count();
    for (int k = 1; k <= n; ++k) {
        int i = ((start < 0 ? -1 : start) + k) % n;
        if (StartsWithNoCase(DecodeUtf8(items_[i].text), key)) return i;
    }
    return -1;
}

int ListBoxModel::FindExact(int start, std::string_view text) const {
    auto key = DecodeUtf8(text);
    int n = Count();
    for (int k = 1; k <= n; ++k) {
        int i = ((start < 0 ? -1 : start) + k) % n;
        if (EqualsNoCase(DecodeUtf8(items_[i].text), key)) return i;
    }
    return -1;
}

RECT ListBoxModel::ItemRect(int index, int width) const {
    int top = (index - top_) * itemHeight_;
    return {0, top, width, top + itemHeight_};
}

int ListBoxModel::ItemFromPoint(POINT pt, int width, bool* outside) const {
    bool out = pt.x < 0 || pt.x >= width || pt.y < 0 || pt.y >= clientHeight_;
    if (outside) *outside = out;
    if (items_.empty()) return 0;
    int row = top_ + (pt.y < 0 ? -1 : pt.y / itemHeight_);
    if (row >= Count()) {
        if (outside) *outside = true;
    }
    return std::clamp(row, 0, Count() - 1);
}

int ListBoxModel::KeyTarget(ListKey key) const {
    if (items_.empty()) return -1;
    int last = Count() - 1;
    int page = RowsPerPage();
    if (current_ < 0) return key == ListKey::End ? last : 0;
    switch (key) {
    case ListKey::Up: return std::max(current_ - 1, 0);
    case ListKey::Down: return std::min(current_ + 1, last);
    case ListKey::Home: return 0;
    case ListKey::End: return last;
    case ListKey::PageUp: return std::max(current_ - (page - 1 > 0 ? page - 1 : 1), 0);
    case ListKey::PageDown: return std::min(current_ + (page - 1 > 0 ? page - 1 : 1), last);
    }
    return current_;
}

} // namespace controls
