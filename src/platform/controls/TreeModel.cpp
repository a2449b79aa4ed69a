#include "platform/controls/TreeModel.h"

#include "platform/controls/CodePoints.h"

#include <algorithm>

namespace controls {

namespace {

bool IsSpecial(HTREEITEM h) { return h == TVI_ROOT || h == TVI_FIRST || h == TVI_LAST || h == TVI_SORT; }

std::u32string SortKey(const std::string& s) {
    std::u32string key;
    for (char32_t c : DecodeUtf8(s))
        key.push_back(FoldCase(c));
    return key;
}

} // namespace

bool TreeModel::Valid(HTREEITEM node) const { return node && !IsSpecial(node) && nodes_.count(node) != 0; }

TreeNode* TreeModel::Insert(HTREEITEM parent, HTREEITEM after, const TVITEM& item) {
    if (parent == TVI_ROOT) parent = nullptr;
    if (parent && !Valid(parent)) return nullptr;
    auto owned = std::make_unique<TreeNode>();
    TreeNode* node = owned.get();
    if (item.mask & TVIF_TEXT && item.pszText) node->text = item.pszText;
    if (item.mask & TVIF_IMAGE) node->image = item.iImage;
    if (item.mask & TVIF_SELECTEDIMAGE) node->selectedImage = item.iSelectedImage;
    if (item.mask & TVIF_CHILDREN) node->children = item.cChildren;
    if (item.mask & TVIF_PARAM) node->lParam = item.lParam;
    if (item.mask & TVIF_STATE) node->state = item.state & item.stateMask & ~TVIS_SELECTED;
    nodes_.emplace(node, std::move(owned));

    TreeNode* first = parent ? parent->firstChild : firstRoot_;
    TreeNode* last = parent ? parent->lastChild : lastRoot_;
    TreeNode* prev = nullptr; // insert after this sibling; nullptr = first
    if (after == TVI_FIRST) {
        prev = nullptr;
    } else if (after == TVI_SORT) {
        auto key = SortKey(node->text);
        for (TreeNode* s = first; s && SortKey(s->text) <= key; s = s->next)
            prev = s;
    } else if (after && after != TVI_LAST && Valid(after) && after->parent == parent) {
        prev = after;
    } else {
        prev = last;
    }
    Link(parent, prev, node);
    return node;
}

void TreeModel::Link(TreeNode* parent, TreeNode* prev, TreeNode* node) {
    TreeNode*& first = parent ? parent->firstChild : firstRoot_;
    TreeNode*& last = parent ? parent->lastChild : lastRoot_;
    node->parent = parent;
    node->prev = prev;
    node->next = prev ? prev->next : first;
    if (node->next) node->next->prev = node;
    else last = node;
    if (prev) prev->next = node;
    else first = node;
    Invalidate();
}

void TreeModel::Unlink(TreeNode* node) {
    TreeNode*& first = node->parent ? node->parent->firstChild : firstRoot_;
    TreeNode*& last = node->parent ? node->parent->lastChild : lastRoot_;
    if (node->prev) node->prev->next = node->next;
    else first = node->next;
    if (node->next) node->next->prev = node->prev;
    else last = node->prev;
    node->prev = node->next = nullptr;
    Invalidate();
}

void TreeModel::DeleteSubtree(TreeNode* node, const std::function<void(TreeNode*)>& onDelete) {
    while (node->firstChild) {
        TreeNode* child = node->firstChild;
        Unlink(child);
        DeleteSubtree(child, onDelete);
    }
    if (onDelete) onDelete(node);
    if (caret_ == node) caret_ = nullptr;
    nodes_.erase(node);
}

bool TreeModel::Delete(HTREEITEM node, const std::function<void(TreeNode*)>& onDelete) {
    if (node == nullptr || node == TVI_ROOT) {
        while (firstRoot_) {
            TreeNode* root = firstRoot_;
            Unlink(root);
            DeleteSubtree(root, onDelete);
        }
        top_ = 0;
        return true;
    }
    if (!Valid(node)) return false;
    TreeNode* parent = node->parent;
    // The caret moves to a neighbour rather than vanishing, as a user would expect.
    bool hadCaret = false;
    for (TreeNode* c = caret_; c; c = c->parent)
        if (c == node) hadCaret = true;
    TreeNode* neighbour = node->next ? node->next : node->prev ? node->prev : parent;
    Unlink(node);
    DeleteSubtree(node, onDelete);
    if (parent && !parent->firstChild) parent->state &= ~TVIS_EXPANDED;
    if (hadCaret) SetCaret(neighbour);
    top_ = std::clamp(top_, 0, std::max(static_cast<int>(VisibleRows().size()) - 1, 0));
    return true;
}

TreeNode* TreeModel::Next(HTREEITEM node, UINT code) const {
    bool valid = Valid(node);
    switch (code) {
    case TVGN_ROOT: return firstRoot_;
    case TVGN_CARET: return caret_;
    case TVGN_FIRSTVISIBLE: return FirstVisible();
    case TVGN_LASTVISIBLE: return VisibleRows().empty() ? nullptr : VisibleRows().back();
    case TVGN_NEXT: return valid ? node->next : nullptr;
    case TVGN_PREVIOUS: return valid ? node->prev : nullptr;
    case TVGN_PARENT: return valid ? node->parent : nullptr;
    case TVGN_CHILD:
        if (node == nullptr || node == TVI_ROOT) return firstRoot_;
        return valid ? node->firstChild : nullptr;
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
        int i = valid ? VisibleIndex(node) : -1;
        if (i < 0) return nullptr;
        i += code == TVGN_NEXTVISIBLE ? 1 : -1;
        const auto& rows = VisibleRows();
        return i >= 0 && i < static_cast<int>(rows.size()) ? rows[i] : nullptr;
    }
    default: return nullptr;
    }
}

int TreeModel::Level(const TreeNode* node) const {
    int level = 0;
    for (const TreeNode* p = node->parent; p; p = p->parent)
        ++level;
    return level;
}

bool TreeModel::HasChildren(const TreeNode* node) { return node->firstChild || node->children != 0; }

bool TreeModel::Expand(HTREEITEM node, UINT code, bool byUser, const ExpandHooks& hooks) {
    if (!Valid(node)) return false;
    UINT action = code & TVE_ACTIONMASK;
    bool open = Expanded(node);
    if (action == TVE_TOGGLE) action = open ? TVE_COLLAPSE : TVE_EXPAND;
    if (action != TVE_EXPAND && action != TVE_COLLAPSE) return false;
    if ((action == TVE_EXPAND) == open && !(code & TVE_COLLAPSERESET)) return false;
    if (action == TVE_EXPAND && !HasChildren(node)) return false;

    bool notify = byUser || !(node->state & TVIS_EXPANDEDONCE);
    if (notify && hooks.expanding && hooks.expanding(node, action)) return false;
    if (!Valid(node)) return false; // the handler may have deleted it

    if (action == TVE_EXPAND) {
        node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        // A node that turned out to have no children loses its button.
        if (!node->firstChild) {
            node->state &= ~TVIS_EXPANDED;
            node->children = 0;
        }
    } else {
        node->state &= ~TVIS_EXPANDED;
        if (code & TVE_COLLAPSERESET) {
            while (node->firstChild)
                Delete(node->firstChild);
            node->state &= ~TVIS_EXPANDEDONCE;
        }
        // The caret never hides inside a collapsed branch.
        for (TreeNode* c = caret_ ? caret_->parent : nullptr; c; c = c->parent)
            if (c == node) caret_ = node;
    }
    Invalidate();
    if (notify && hooks.expanded) hooks.expanded(node, action);
    return true;
}

void TreeModel::SortChildren(HTREEITEM parent) {
    SortChildren(parent, [](const TreeNode* a, const TreeNode* b) {
        auto x = SortKey(a->text), y = SortKey(b->text);
        return x < y ? -1 : y < x ? 1 : 0;
    });
}

void TreeModel::SortChildren(HTREEITEM parent,
                             const std::function<int(const TreeNode*, const TreeNode*)>& compare) {
    if (parent == TVI_ROOT) parent = nullptr;
    if (parent && !Valid(parent)) return;
    std::vector<TreeNode*> kids;
    for (TreeNode* c = parent ? parent->firstChild : firstRoot_; c; c = c->next)
        kids.push_back(c);
    std::stable_sort(kids.begin(), kids.end(), [&](TreeNode* a, TreeNode* b) { return compare(a, b) < 0; });
    for (TreeNode* k : kids)
        Unlink(k);
    TreeNode* prev = nullptr;
    for (TreeNode* k : kids) {
        Link(parent, prev, k);
        prev = k;
    }
}

void TreeModel::SetCaret(TreeNode* node) {
    if (node && !Valid(node)) return;
    if (caret_) caret_->state &= ~TVIS_SELECTED;
    caret_ = node;
    if (caret_) caret_->state |= TVIS_SELECTED;
}

const std::vector<TreeNode*>& TreeModel::VisibleRows() const {
    if (!visibleDirty_) return visible_;
    visible_.clear();
    // Pre-order walk without recursion: descend into expanded nodes only.
    TreeNode* n = firstRoot_;
    while (n) {
        visible_.push_back(n);
        if (Expanded(n) && n->firstChild) {
            n = n->firstChild;
            continue;
        }
        while (n && !n->next)
            n = n->parent;
        if (n) n = n->next;
    }
    visibleDirty_ = false;
    return visible_;
}

int TreeModel::VisibleIndex(const TreeNode* node) const {
    const auto& rows = VisibleRows();
    auto it = std::find(rows.begin(), rows.end(), node);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

TreeNode* TreeModel::FirstVisible() const {
    const auto& rows = VisibleRows();
    if (rows.empty()) return nullptr;
    return rows[std::clamp(top_, 0, static_cast<int>(rows.size()) - 1)];
}

bool TreeModel::SetTopRow(int row, int rowsPerPage) {
    int maxTop = std::max(static_cast<int>(VisibleRows().size()) - std::max(rowsPerPage, 1), 0);
    row = std::clamp(row, 0, maxTop);
    if (row == top_) return false;
    top_ = row;
    return true;
}

bool TreeModel::EnsureVisible(HTREEITEM node, int rowsPerPage, const ExpandHooks& hooks) {
    if (!Valid(node)) return false;
    std::vector<TreeNode*> chain;
    for (TreeNode* p = node->parent; p; p = p->parent)
        chain.push_back(p);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if (!Expanded(*it)) Expand(*it, TVE_EXPAND, false, hooks);
    int i = VisibleIndex(node);
    if (i < 0) return false;
    rowsPerPage = std::max(rowsPerPage, 1);
    if (i < top_) return SetTopRow(i, rowsPerPage);
    if (i >= top_ + rowsPerPage) return SetTopRow(i - rowsPerPage + 1, rowsPerPage);
    return false;
}

TreeNode* TreeModel::KeyTarget(ListKey key, int rowsPerPage) const {
    const auto& rows = VisibleRows();
    if (rows.empty()) return nullptr;
    int last = static_cast<int>(rows.size()) - 1;
    int i = caret_ ? VisibleIndex(caret_) : -1;
    if (i < 0) return rows[0];
    int step = std::max(rowsPerPage - 1, 1);
    switch (key) {
    case ListKey::Up: i = std::max(i - 1, 0); break;
    case ListKey::Down: i = std::min(i + 1, last); break;
    case ListKey::Home: i = 0; break;
    case ListKey::End: i = last; break;
    case ListKey::PageUp: i = std::max(i - step, 0); break;
    case ListKey::PageDown: i = std::min(i + step, last); break;
    }
    return rows[i];
}

} // namespace controls
