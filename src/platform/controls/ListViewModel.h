#pragma once
// The data and geometry of a report-style list view: columns, rows with sub-item texts,
// selection and focus, the top row and horizontal offset, and the scroll state that the
// window publishes through SetScrollInfo. Vertical scrolling counts rows, horizontal
// scrolling counts pixels, as in the Windows list view's report mode.

#include "platform/controls/CommCtrlDefs.h"

#include <string>
#include <vector>

namespace controls {

struct ListColumn {
    std::string text;
    int width = 0;
    int fmt = LVCFMT_LEFT;
    int subItem = 0;
};

struct ListRow {
    std::vector<std::string> texts; // [0] is the caption; missing sub-items read as ""
    int image = -1;
    LPARAM lParam = 0;
    UINT state = 0;
};

struct ItemStateChange {
    int item = -1;
    UINT oldState = 0;
    UINT newState = 0;
};

struct ScrollState {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
};

enum class ListKey { Up, Down, Home, End, PageUp, PageDown };

class ListViewModel {
public:
    // ---- geometry inputs
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetHeaderHeight(int height) {
        headerHeight_ = height < 0 ? 0 : height;
        ClampScroll();
    }
    int HeaderHeight() const { return headerHeight_; }
    void SetRowHeight(int height) {
        rowHeight_ = height < 1 ? 1 : height;
        ClampScroll();
    }
    int RowHeight() const { return rowHeight_; }
    void SetSmallImageWidth(int width) { smallImageWidth_ = width < 0 ? 0 : width; }

    // ---- columns
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int InsertColumn(int index, ListColumn column);
    bool DeleteColumn(int index);
    bool ValidColumn(int index) const { return index >= 0 && index < ColumnCount(); }
    ListColumn& Column(int index) { return columns_[index]; }
    const ListColumn& Column(int index) const { return columns_[index]; }
    int ColumnLeft(int index) const;
    int TotalColumnWidth() const;

    // ---- rows
    int ItemCount() const { return static_cast<int>(rows_.size()); }
    bool ValidItem(int index) const { return index >= 0 && index < ItemCount(); }
    int InsertItem(int index, std::string caption);
    bool DeleteItem(int index);
    void DeleteAllItems();
    ListRow& Row(int index) { return rows_[index]; }
    const ListRow& Row(int index) const { return rows_[index]; }
    bool SetItemText(int index, int subItem, std::string text);
    std::string ItemText(int index, int subItem) const;

    // ---- selection and focus. `item` -1 applies to every row. With single selection,
    // selecting a row deselects the others and focusing one unfocuses the others.
    std::vector<ItemStateChange> SetItemState(int item, UINT state, UINT mask);
    UINT ItemState(int index, UINT mask) const;
    int FocusedItem() const;
    int SelectedCount() const;
    int NextItem(int start, UINT flags) const;
    void SetSingleSelection(bool single) { singleSel_ = single; }
    // The focus target of a navigation key from the focused row (or -1 with no rows).
    int KeyTarget(ListKey key) const;

    // ---- scrolling
    int CountPerPage() const;
    int TopIndex() const { return top_; }
    int HorzOffset() const { return hOffset_; }
    int MaxTopIndex() const;
    int MaxHorzOffset() const;
    // Both return whether anything moved.
    bool SetTopIndex(int top);
    bool SetHorzOffset(int offset);
    bool EnsureVisible(int index, bool partialOk);
    ScrollState VertScroll() const;
    ScrollState HorzScroll() const;

    // ---- geometry outputs, in client coordinates
    RECT ItemRect(int index, int code) const;
    RECT SubItemRect(int index, int subItem) const;
    LVHITTESTINFO HitTest(POINT pt) const;

private:
    void ClampScroll();

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int headerHeight_ = 0;
    int rowHeight_ = 16;
    int smallImageWidth_ = 0;
    bool singleSel_ = false;
    std::vector<ListColumn> columns_;
    std::vector<ListRow> rows_;
    int top_ = 0;
    int hOffset_ = 0;
};

} // namespace controls
