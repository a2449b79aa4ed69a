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
    // The next node in pre-order (first child, else next sibling, else an ancestor's next
    // sibling), or nullptr after the last.
    TTreeNode* GetNext() const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front(); }
    // Orders the children by `compare` (< 0: a goes first); a stable sort.
    void CustomSort(const std::function<int(TTreeNode* a, TTreeNode* b)>& compare);
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
    // A new node just before `sibling`, under the same parent (at the end of the top level
    // without a sibling).
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    void Delete(TTreeNode* node);
    void Clear();
    int Count() const { return static_cast<int>(nodes_.size()); }
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
    const std::vector<TTreeNode*>& Roots() const { return roots_; }
    TCustomTreeView* Owner() const { return owner_; }
    // Suspends painting and scroll updates of the window (WM_SETREDRAW) until the matching
    // EndUpdate; calls nest.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* InsertAt(TTreeNode* parent, size_t index, const std::string& text);
    void Forget(TTreeNode* node);
    void NotifyDeletion(TTreeNode* node);

    TCustomTreeView* owner_;
    std::vector<std::unique_ptr<TTreeNode>> nodes_;
    std::vector<TTreeNode*> roots_;
    bool clearing_ = false;
    int updateCount_ = 0;
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
    // Scrolls so that `node` is the first visible row (as far as the rows allow).
    void SetTopItem(TTreeNode* node);
    // A right click selects the node under the pointer before the context menu.
    bool RightClickSelect() const { return rightClickSelect_; }
    void SetRightClickSelect(bool on) { rightClickSelect_ = on; }
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
    // Called for every node leaving the tree (Delete, Clear), children before their parent,
    // while the node is still intact.
    TTVChangedEvent OnDeletion;

protected:
    // The tree's notifications (CN_NOTIFY); derived trees take over single codes.
    virtual LRESULT Notify(NMHDR* hdr);
    // A node is leaving the tree (still intact); raises OnDeletion. Derived trees free what the
    // node's data holds here.
    virtual void Delete(TTreeNode* node);
    void CreateParams(TCreateParams& params) override;
    void InitWindow() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void SetStyleFlag(bool& flag, bool on);
    void CreateItem(TTreeNode* node);
    void SelectAtPointer();
    static TTreeNode* NodeOf(const TVITEM& item) { return reinterpret_cast<TTreeNode*>(item.lParam); }

    TTreeNodes items_;
    TTreeNode* selected_ = nullptr; // kept while there is no window
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    bool rightClickSelect_ = false;
    TImageList* images_ = nullptr;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};

} // namespace vcl
