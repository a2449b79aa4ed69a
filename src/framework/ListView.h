#pragma once
// TListView: the wrapper of the native list view. Columns and items live in the wrapper, so
// they exist before the window does and survive its re-creation; each change is passed on to
// the window when there is one. Report style is the one the product uses.

#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/NativeControl.h"
#include "framework/StringList.h"

#include <functional>
#include <memory>
#include <vector>

namespace vcl {

class TCustomListView;
class TListItems;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
using enum TViewStyle;

class TListColumn {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int Index() const;

private:
    friend class TListColumns;
    explicit TListColumn(TCustomListView* owner) : owner_(owner) {}
    TCustomListView* owner_;
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* owner) : owner_(owner) {}
    TListColumn* Add();
    int Count() const { return static_cast<int>(columns_.size()); }
    TListColumn* Items(int index) const { return columns_.at(static_cast<size_t>(index)).get(); }
    void Delete(int index);
    void Clear();
    int IndexOf(const TListColumn* column) const;

private:
    TCustomListView* owner_;
    std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The texts of columns 1, 2, …; changes reach the window.
    TStringList* SubItems() { return &subItems_; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    bool Selected() const;
    void SetSelected(bool selected);
    bool Focused() const;
    int Index() const;
    TCustomListView* ListView() const { return owner_; }

private:
    friend class TListItems;
    friend class TCustomListView;
    explicit TListItem(TCustomListView* owner);
    void PushSubItems();
    TCustomListView* owner_;
    std::string caption_;
    TStringList subItems_;
    int imageIndex_ = -1;
    void* data_ = nullptr;
    UINT state_ = 0; // LVIS_ flags, kept while there is no window
};

class TListItems {
public:
    explicit TListItems(TCustomListView* owner) : owner_(owner) {}
    TListItem* Add();
    TListItem* Insert(int index);
    int Count() const { return static_cast<int>(items_.size()); }
    TListItem* Item(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    // Updates between the two calls repaint once at the end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    TCustomListView* owner_;
    std::vector<std::unique_ptr<TListItem>> items_;
    int updating_ = 0;
};

using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
using TLVChangeEvent = std::function<void(TObject* sender, TListItem* item)>;

class TCustomListView : public TNativeControl {
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListColumns* Columns() { return &columns_; }
    TListItems* Items() { return &items_; }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool on);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool on);
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool on);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    TImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TImageList* images);
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int ItemIndex() const;
    void SetItemIndex(int index);
    int VisibleRowCount();
    int TopIndex();

    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWindow() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Color and the font's colour reach the native control's background and text colours.
    void CMColorChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

private:
    friend class TListColumn;
    friend class TListColumns;
    friend class TListItem;
    friend class TListItems;
    void PushColumn(int index, bool insert);
    void PushItem(int index, bool insert);
    void PushExtendedStyle();
    void PushImages();
    void ItemChanged(const NMLISTVIEW& nm);

    TListColumns columns_;
    TListItems items_;
    TViewStyle viewStyle_ = vsIcon;
    bool gridLines_ = false;
    bool rowSelect_ = false;
    bool showColumnHeaders_ = true;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    TImageList* smallImages_ = nullptr;
};

class TListView : public TCustomListView {
public:
    using TCustomListView::TCustomListView;
};

} // namespace vcl
