#pragma once
// The items of a tree view: a forest of nodes with text, images, a children flag (so a node
// can show a button before its children are loaded) and user data, the expanded state, the
// caret (selected) item, the first visible item, and the flattened list of visible rows that
// drawing, hit tests, keys and scrolling work on.
//
// HTREEITEM values are node addresses; every entry point checks them against the nodes the
// model owns, so a stale handle is refused instead of followed.

#include "platform/controls/CommCtrlDefs.h"
#include "platform/controls/ListViewModel.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace controls {

struct TreeNode {
    TreeNode* parent = nullptr;
    TreeNode* firstChild = nullptr;
    TreeNode* lastChild = nullptr;
    TreeNode* prev = nullptr;
    TreeNode* next = nullptr;
    std::string text;
    int image = 0;
    int selectedImage = 0;
    int children = 0; // cChildren: 0 none, 1 has children, I_CHILDRENCALLBACK ask the parent
    LPARAM lParam = 0;
    UINT state = 0;
};

// Hooks for the expansion notifications: `expanding` returns true to prevent the change.
struct ExpandHooks {
    std::function<bool(TreeNode*, UINT action)> expanding;
    std::function<void(TreeNode*, UINT action)> expanded;
};

class TreeModel {
public:
    TreeModel() = default;
    TreeModel(const TreeModel&) = delete;
    TreeModel& operator=(const TreeModel&) = delete;

    // TVM_INSERTITEM: parent nullptr or TVI_ROOT for the top level; `after` TVI_FIRST,
    // TVI_LAST, TVI_SORT or a sibling. Returns nullptr for an invalid parent.
    TreeNode* Insert(HTREEITEM parent, HTREEITEM after, const TVITEM& item);
    // Deletes a node with its subtree (TVI_ROOT or nullptr: everything). `onDelete` sees each
    // node before it is freed, children first.
    bool Delete(HTREEITEM node, const std::function<void(TreeNode*)>& onDelete = {});
    bool Valid(HTREEITEM node) const;
    int Count() const { return static_cast<int>(nodes_.size()); }
    TreeNode* FirstRoot() const { return firstRoot_; }

    // TVM_GETNEXTITEM.
    TreeNode* Next(HTREEITEM node, UINT code) const;
    int Level(const TreeNode* node) const;
    // A node shows a button when it has children or claims to have them.
    static bool HasChildren(const TreeNode* node);
    static bool Expanded(const TreeNode* node) { return node->state & TVIS_EXPANDED; }

    // TVM_EXPAND. Windows sends the notifications for a message only until the node has been
    // expanded once; a user's click or key (`byUser`) always sends them.
    bool Expand(HTREEITEM node, UINT code, bool byUser, const ExpandHooks& hooks);
    void SortChildren(HTREEITEM parent);
    // TVM_SORTCHILDRENCB: a stable sort of the children by `compare` (< 0: a goes first).
    void SortChildren(HTREEITEM parent, const std::function<int(const TreeNode*, const TreeNode*)>& compare);

    TreeNode* Caret() const { return caret_; }
    void SetCaret(TreeNode* node);

    // Visible rows (children of expanded nodes), in display order.
    const std::vector<TreeNode*>& VisibleRows() const;
    int VisibleIndex(const TreeNode* node) const;
    TreeNode* FirstVisible() const;
    int TopRow() const { return top_; }
    bool SetTopRow(int row, int rowsPerPage);
    bool EnsureVisible(HTREEITEM node, int rowsPerPage, const ExpandHooks& hooks);

    // Keyboard: the new caret for a key from the current caret.
    TreeNode* KeyTarget(ListKey key, int rowsPerPage) const;

private:
    void Link(TreeNode* parent, TreeNode* after, TreeNode* node);
    void Unlink(TreeNode* node);
    void DeleteSubtree(TreeNode* node, const std::function<void(TreeNode*)>& onDelete);
    void Invalidate() { visibleDirty_ = true; }

    std::unordered_map<TreeNode*, std::unique_ptr<TreeNode>> nodes_;
    TreeNode* firstRoot_ = nullptr;
    TreeNode* lastRoot_ = nullptr;
    TreeNode* caret_ = nullptr;
    int top_ = 0;
    mutable bool visibleDirty_ = true;
    mutable std::vector<TreeNode*> visible_;
};

} // namespace controls
