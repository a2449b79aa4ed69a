#include "framework/TreeView.h"

#include "framework/Messages.h"

#include <algorithm>

namespace vcl {

// ---- nodes

void TTreeNode::PushItem() {
    TCustomTreeView* tree = owner_->Owner();
    if (!item_ || !tree->HandleAllocated()) return;
    TVITEM item;
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    item.hItem = item_;
    item.pszText = text_.data();
    item.iImage = imageIndex_;
    item.iSelectedImage = selectedIndex_;
    item.cChildren = HasChildren() ? 1 : 0;
    tree->Send(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const std::string& text) {
    text_ = text;
    PushItem();
}

void TTreeNode::SetImageIndex(int index) {
    imageIndex_ = index;
    PushItem();
}

void TTreeNode::SetSelectedIndex(int index) {
    selectedIndex_ = index;
    PushItem();
}

void TTreeNode::SetHasChildren(bool on) {
    hasChildren_ = on;
    PushItem();
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

int TTreeNode::Index() const {
    const auto& siblings = parent_ ? parent_->children_ : owner_->roots_;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

void TTreeNode::SetExpanded(bool on) {
    if (on) Expand(false);
    else Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
    TCustomTreeView* tree = owner_->Owner();
    if (tree->HandleAllocated() && item_) {
        tree->Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
    } else if (HasChildren()) {
        // Without a window the state is kept and applied when the window is made.
        expanded_ = true;
    }
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_))
            child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    TCustomTreeView* tree = owner_->Owner();
    if (tree->HandleAllocated() && item_)
        tree->Send(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
    expanded_ = false;
    if (recurse)
        for (TTreeNode* child : children_)
            child->Collapse(true);
}

bool TTreeNode::Selected() const { return owner_->Owner()->Selected() == this; }

void TTreeNode::SetSelected(bool on) {
    TCustomTreeView* tree = owner_->Owner();
    if (on) tree->SetSelected(this);
    else if (Selected()) tree->SetSelected(nullptr);
}

void TTreeNode::EditText() {
    TCustomTreeView* tree = owner_->Owner();
    tree->HandleNeeded();
    tree->Send(TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(item_));
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front();
    for (const TTreeNode* n = this; n; n = n->parent_) {
        const auto& siblings = n->parent_ ? n->parent_->children_ : owner_->roots_;
        auto it = std::find(siblings.begin(), siblings.end(), n);
        if (it != siblings.end() && it + 1 != siblings.end()) return *(it + 1);
    }
    return nullptr;
}

namespace {
using NodeCompare = std::function<int(TTreeNode*, TTreeNode*)>;
int CompareNodes(LPARAM a, LPARAM b, LPARAM compare) {
    return (*reinterpret_cast<const NodeCompare*>(compare))(reinterpret_cast<TTreeNode*>(a),
                                                            reinterpret_cast<TTreeNode*>(b));
}
} // namespace

void TTreeNode::CustomSort(const std::function<int(TTreeNode* a, TTreeNode* b)>& compare) {
    std::stable_sort(children_.begin(), children_.end(),
                     [&](TTreeNode* a, TTreeNode* b) { return compare(a, b) < 0; });
    TCustomTreeView* tree = owner_->Owner();
    if (!item_ || !tree->HandleAllocated()) return;
    TVSORTCB sort;
    sort.hParent = item_;
    sort.lpfnCompare = CompareNodes;
    sort.lParam = reinterpret_cast<LPARAM>(&compare);
    tree->Send(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

// ---- the node collection

TTreeNodes::~TTreeNodes() { clearing_ = true; }

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, size_t index, const std::string& text) {
    nodes_.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(this)));
    TTreeNode* node = nodes_.back().get();
    node->text_ = text;
    node->parent_ = parent;
    auto& siblings = parent ? parent->children_ : roots_;
    siblings.insert(siblings.begin() + std::ptrdiff_t(std::min(index, siblings.size())), node);
    owner_->CreateItem(node);
    if (parent && parent->item_ && parent->children_.size() == 1) parent->PushItem();
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    return InsertAt(sibling ? sibling->parent_ : nullptr, SIZE_MAX, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    return InsertAt(parent, SIZE_MAX, text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
    return InsertAt(parent, 0, text);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
    if (!sibling) return InsertAt(nullptr, SIZE_MAX, text);
    return InsertAt(sibling->parent_, size_t(sibling->Index()), text);
}

void TTreeNodes::BeginUpdate() {
    if (updateCount_++ == 0) owner_->Send(WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) owner_->Send(WM_SETREDRAW, TRUE, 0);
}

void TTreeNodes::NotifyDeletion(TTreeNode* node) {
    for (TTreeNode* child : std::vector<TTreeNode*>(node->children_))
        NotifyDeletion(child);
    owner_->Delete(node);
}

void TTreeNodes::Forget(TTreeNode* node) {
    for (TTreeNode* child : std::vector<TTreeNode*>(node->children_))
        Forget(child);
    if (!clearing_) owner_->Delete(node);
    if (owner_->selected_ == node) owner_->selected_ = nullptr;
    auto it = std::find_if(nodes_.begin(), nodes_.end(), [node](const auto& p) { return p.get() == node; });
    if (it != nodes_.end()) nodes_.erase(it);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node) return;
    auto& siblings = node->parent_ ? node->parent_->children_ : roots_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    HTREEITEM item = node->item_;
    Forget(node);
    if (item) owner_->Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void TTreeNodes::Clear() {
    for (TTreeNode* root : std::vector<TTreeNode*>(roots_))
        NotifyDeletion(root);
    roots_.clear();
    owner_->selected_ = nullptr;
    nodes_.clear();
    owner_->Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

// ---- the tree view

TCustomTreeView::TCustomTreeView(TComponent* owner) : TNativeControl(owner, WC_TREEVIEW), items_(this) {
    SetBounds(Left(), Top(), 121, 97);
    SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() { DestroyHandle(); }

void TCustomTreeView::CreateParams(TCreateParams& params) {
    TNativeControl::CreateParams(params);
    params.Style |= WS_VSCROLL | WS_HSCROLL;
    if (showButtons_) params.Style |= TVS_HASBUTTONS;
    if (showLines_) params.Style |= TVS_HASLINES;
    if (showRoot_) params.Style |= TVS_LINESATROOT;
    if (!hideSelection_) params.Style |= TVS_SHOWSELALWAYS;
    if (!readOnly_) params.Style |= TVS_EDITLABELS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateItem(TTreeNode* node) {
    if (!HandleAllocated()) return;
    if (node->parent_ && !node->parent_->item_) return;
    // After the sibling before it in the wrapper's order, so the window keeps that order.
    const auto& siblings = node->parent_ ? node->parent_->children_ : items_.roots_;
    auto at = std::find(siblings.begin(), siblings.end(), node);
    HTREEITEM after = TVI_FIRST;
    if (at != siblings.begin() && at != siblings.end())
        after = (*(at - 1))->item_ ? (*(at - 1))->item_ : TVI_LAST;
    TVINSERTSTRUCT ins;
    ins.hParent = node->parent_ ? node->parent_->item_ : TVI_ROOT;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    ins.item.pszText = node->text_.data();
    ins.item.iImage = node->imageIndex_;
    ins.item.iSelectedImage = node->selectedIndex_;
    ins.item.cChildren = node->HasChildren() ? 1 : 0;
    ins.item.lParam = reinterpret_cast<LPARAM>(node);
    node->item_ = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins)));
}

void TCustomTreeView::InitWindow() {
    Send(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    // Parents before children, then the expansion and selection the nodes kept.
    std::vector<TTreeNode*> order(items_.roots_.begin(), items_.roots_.end());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i]->item_ = nullptr;
        CreateItem(order[i]);
        order.insert(order.end(), order[i]->children_.begin(), order[i]->children_.end());
    }
    for (TTreeNode* node : order)
        if (node->expanded_ && node->item_)
            Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item_));
    if (selected_ && selected_->item_)
        Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected_->item_));
}

void TCustomTreeView::SetStyleFlag(bool& flag, bool on) {
    if (flag == on) return;
    flag = on;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetImages(TImageList* images) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TNativeControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) SetImages(nullptr);
}

TTreeNode* TCustomTreeView::Selected() const {
    if (!HandleAllocated()) return selected_;
    HWND h = const_cast<TCustomTreeView*>(this)->Handle();
    auto item = reinterpret_cast<HTREEITEM>(SendMessage(h, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return nullptr;
    TVITEM info;
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = item;
    SendMessage(h, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
    return NodeOf(info);
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    selected_ = node;
    Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() {
    auto item = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    if (!item) return nullptr;
    TVITEM info;
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = item;
    Send(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
    return NodeOf(info);
}

void TCustomTreeView::Delete(TTreeNode* node) {
    if (OnDeletion) OnDeletion(this, node);
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
    if (node && node->item_) Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node->item_));
}

void TCustomTreeView::SelectAtPointer() {
    DWORD pos = GetMessagePos();
    POINT p{GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos))};
    ::ScreenToClient(Handle(), &p);
    if (TTreeNode* node = GetNodeAt(p.x, p.y)) SetSelected(node);
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
    TVHITTESTINFO hit;
    hit.pt = {x, y};
    if (!Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) || !(hit.flags & TVHT_ONITEM)) return nullptr;
    TVITEM info;
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = hit.hItem;
    Send(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&info));
    return NodeOf(info);
}

LRESULT TCustomTreeView::Notify(NMHDR* hdr) {
    switch (static_cast<int>(hdr->code)) {
    case TVN_ITEMEXPANDING: {
        auto* nm = reinterpret_cast<NMTREEVIEW*>(hdr);
        TTreeNode* node = NodeOf(nm->itemNew);
        bool allow = true;
        if (node && nm->action == TVE_EXPAND && OnExpanding) OnExpanding(this, node, allow);
        if (node && nm->action == TVE_COLLAPSE && OnCollapsing) OnCollapsing(this, node, allow);
        return allow ? FALSE : TRUE;
    }
    case TVN_ITEMEXPANDED: {
        auto* nm = reinterpret_cast<NMTREEVIEW*>(hdr);
        TTreeNode* node = NodeOf(nm->itemNew);
        if (!node) return 0;
        node->expanded_ = nm->action == TVE_EXPAND;
        if (OnExpanded) OnExpanded(this, node);
        return 0;
    }
    case TVN_SELCHANGING: {
        bool allow = true;
        if (OnChanging) OnChanging(this, NodeOf(reinterpret_cast<NMTREEVIEW*>(hdr)->itemNew), allow);
        return allow ? FALSE : TRUE;
    }
    case TVN_SELCHANGED:
        selected_ = NodeOf(reinterpret_cast<NMTREEVIEW*>(hdr)->itemNew);
        if (OnChange) OnChange(this, selected_);
        return 0;
    case TVN_BEGINLABELEDIT: return readOnly_ ? TRUE : FALSE;
    case TVN_ENDLABELEDIT: {
        auto* info = reinterpret_cast<NMTVDISPINFO*>(hdr);
        TTreeNode* node = NodeOf(info->item);
        if (!node || !info->item.pszText) return FALSE;
        std::string text = info->item.pszText;
        if (OnEdited) OnEdited(this, node, text);
        node->text_ = text;
        node->PushItem();
        return FALSE; // the node pushed its own text
    }
    case NM_RCLICK:
        if (rightClickSelect_) SelectAtPointer();
        return 0; // the context menu follows
    case NM_CLICK: Click(); return 0;
    case NM_DBLCLK: DblClick(); return 0;
    default: return 0;
    }
}

void TCustomTreeView::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY) {
        message.Result = Notify(reinterpret_cast<NMHDR*>(message.LParam));
        return;
    }
    TNativeControl::Dispatch(message);
}

} // namespace vcl
