#pragma once
// The strings of a list box with their item data, the current index, the top index and the
// item height, plus the searches and key moves of the Windows list box. Searches compare
// code points without regard to case.

#include "platform/controls/CommCtrlDefs.h"
#include "platform/controls/ListViewModel.h"

#include <string>
#include <vector>

namespace controls {

struct ListBoxItem {
    std::string text;
    LPARAM data = 0;
};

class ListBoxModel {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    // LB_INSERTSTRING: -1 appends. Returns the index or LB_ERR.
    int Insert(int index, std::string text);
    // LB_ADDSTRING: appends, or with `sorted` inserts in case-insensitive order.
    int Add(std::string text, bool sorted);
    // Returns the remaining count, or LB_ERR.
    int Remove(int index);
    void Clear();
    const ListBoxItem& At(int index) const { return items_[index]; }
    ListBoxItem& At(int index) { return items_[index]; }

    int Current() const { return current_; }
    // -1 clears; an index out of range also clears and reports LB_ERR as Windows does.
    bool SetCurrent(int index);
    int Top() const { return top_; }
    bool SetTop(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height) {
        itemHeight_ = height < 1 ? 1 : height;
        ClampTop();
    }
    void SetClientHeight(int height) {
        clientHeight_ = height < 0 ? 0 : height;
        ClampTop();
    }
    int ClientHeight() const { return clientHeight_; }
    int RowsPerPage() const;
    int MaxTop() const;
    // Scrolls as little as needed to show the row fully.
    bool EnsureVisible(int index);
    ScrollState VertScroll() const;

    // LB_FINDSTRING / LB_FINDSTRINGEXACT: search after `start` (-1 = from the beginning),
    // wrapping round once; -1 when nothing matches.
    int FindPrefix(int start, std::string_view prefix) const;
    int FindExact(int start, std::string_view text) const;

    RECT ItemRect(int index, int width) const;
    // LB_ITEMFROMPOINT: the nearest row and whether the point is outside the client.
    int ItemFromPoint(POINT pt, int width, bool* outside) const;
    int KeyTarget(ListKey key) const;

private:
    void ClampTop();

    std::vector<ListBoxItem> items_;
    int current_ = -1;
    int top_ = 0;
    int itemHeight_ = 16;
    int clientHeight_ = 0;
};

} // namespace controls
