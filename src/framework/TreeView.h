#pragma once
// TTreeView: the wrapper of the native tree view. Nodes live in the wrapper and are mirrored
// into the window (each window item carries its node in lParam), so nodes exist before the
// window and survive its re-creation. OnExpanding is where a lazy tree adds children.

#include "framework/ImageList.h"
#include "framework/NativeControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace vcl {

class TCustomTreeView;
class TTreeNodes;

class TTreeNode {
public:
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    // Shows a button before any child exists, so that expanding can load them.
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool on);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)); }
    int Level() const;
    int Index() const;
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool on);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool on);
    void EditText();
    HTREEITEM ItemId() const { return item_; }
    TTreeNodes* Owner() const { return owner_; }

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    explicit TTreeNode(TTreeNodes* owner) : owner_(owner) {}
    void PushItem();

    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    std::vector<TTreeNode*> children_;
    std::string text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    bool hasChildren_ = false;
    bool expanded_ = false;
    void* data_ = nullptr;
    HTREEITEM item_ = nullptr;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}
    ~TTreeNodes();
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    void Delete(TTreeNode* node);
    void Clear();
    int Count() const { return static_cast<int>(nodes_.size()); }
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
    const std::vector<TTreeNode*>& Roots() const { return roots_; }
    TCustomTreeView* Owner() const { return owner_; }

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* Insert(TTreeNode* parent, bool first, const std::string& text);
    void Forget(TTreeNode* node);

    TCustomTreeView* owner_;
    std::vector<std::unique_ptr<TTreeNode>> nodes_;
    std::vector<TTreeNode*> roots_;
    bool clearing_ = false;
};

using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allow)>;
using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allow)>;
using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVEditedEvent = std::function<void(TObject* sender, TTreeNode* node, std::string& text)>;

class TCustomTreeView : public TNativeControl {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() { return &items_; }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem();
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool on) { SetStyleFlag(showButtons_, on); }
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool on) { SetStyleFlag(showLines_, on); }
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool on) { SetStyleFlag(showRoot_, on); }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on) { SetStyleFlag(hideSelection_, on); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { SetStyleFlag(readOnly_, on); }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TTreeNode* GetNodeAt(int x, int y);

    TTVExpandingEvent OnExpanding;
    TTVExpandingEvent OnCollapsing;
    TTVChangedEvent OnExpanded;
    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVEditedEvent OnEdited;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWindow() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void SetStyleFlag(bool& flag, bool on);
    void CreateItem(TTreeNode* node, bool first);
    LRESULT Notify(NMHDR* hdr);
    static TTreeNode* NodeOf(const TVITEM& item) { return reinterpret_cast<TTreeNode*>(item.lParam); }

    TTreeNodes items_;
    TTreeNode* selected_ = nullptr; // kept while there is no window
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    TImageList* images_ = nullptr;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};

} // namespace vcl
