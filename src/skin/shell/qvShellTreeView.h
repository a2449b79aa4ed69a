#pragma once
// TqvCustomShellTreeView / TqvSkinDirTreeView: a skinned tree of shell folders. One root item is
// chosen by a root name (a TRootFolder name such as "rfDesktop", or a path); children are loaded
// when a node is first expanded and sorted in the shell's order; a path or identifier list
// selects its node by expanding down to it; a refresh rebuilds a subtree keeping expansion,
// selection and the first visible row; label editing renames the folder. Each node owns its
// TqvShellFolder (the node's Data), freed with the node. With AutoRefresh a change notifier
// watches the selected folder and refreshes it.

#include "skin/shell/qvShellChangeNotifier.h"
#include "skin/shell/qvShellFolder.h"
#include "skin/shell/qvSkinTreeView.h"

#include <functional>
#include <string>

namespace qv {

class TqvCustomShellTreeView;
using TAddFolderEvent = std::function<void(vcl::TObject* sender, TqvShellFolder* folder, bool& canAdd)>;

class TqvCustomShellTreeView : public TqvSkinCustomTreeView {
public:
    explicit TqvCustomShellTreeView(vcl::TComponent* owner);
    ~TqvCustomShellTreeView() override;

    // --- published ---
    const std::string& Root() const { return root_; }
    // A name equal to the current one (ignoring case) changes nothing; a name that does not
    // resolve raises EInvalidPath and the tree stays on its previous root.
    void SetRoot(const std::string& root);
    TShellObjectTypes ObjectTypes() const { return objectTypes_; }
    virtual void SetObjectTypes(TShellObjectTypes types);
    bool AutoContextMenus() const { return autoContextMenus_; }
    void SetAutoContextMenus(bool on) { autoContextMenus_ = on; }
    bool AutoRefresh() const { return autoRefresh_; }
    void SetAutoRefresh(bool on);
    bool UseShellImages() const { return useShellImages_; }
    void SetUseShellImages(bool on);
    TAddFolderEvent OnAddFolder;

    // --- operations ---
    // Selects the node for a path; EInvalidPath (the path error with `path`) when the shell
    // cannot parse it.
    void SetPath(const std::string& path);
    const std::string& Path() const { return path_; }
    void SelectByIDList(PItemIDList list);
    void SelectMyComputer();
    TqvShellFolder* SelectedFolder() const;
    std::string SelectedPath() const;
    // The first node at or below `start` (in pre-order) whose folder names `list`.
    vcl::TTreeNode* FindNode(PItemIDList list, vcl::TTreeNode* start) const;
    void RefreshNode(vcl::TTreeNode* node);
    void RefreshSelected();
    void CreateRoot();
    void RootChanged();
    void PopulateNode(vcl::TTreeNode* node);
    virtual void ClearNodes();

    TqvShellFolder* RootFolder() const { return rootFolder_; }
    TqvShellChangeNotifier* Notifier() const { return notifier_; }
    static TqvShellFolder* FolderOf(const vcl::TTreeNode* node) {
        return node ? static_cast<TqvShellFolder*>(node->Data()) : nullptr;
    }

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    LRESULT Notify(NMHDR* hdr) override;
    void Delete(vcl::TTreeNode* node) override;

private:
    void InitNode(vcl::TTreeNode* child, PItemIDList relative, vcl::TTreeNode* parent);
    bool CanExpand(vcl::TTreeNode* node);
    void CanChange(vcl::TTreeNode* node);
    bool EndLabelEdit(vcl::TTreeNode* node, const char* text);
    void SetNodeImages(vcl::TTreeNode* node, TqvShellFolder* folder, bool always);
    void ExpandNode(vcl::TTreeNode* node);
    // Keeps the selected folder (and whether it was expanded) for the next window.
    void RememberSelection();

    std::string path_;
    std::string oldRoot_;
    std::string root_ = "rfDesktop";
    TqvShellFolder* rootFolder_ = nullptr;
    TShellObjectTypes objectTypes_ = otFolders;
    bool creatingRoot_ = false;
    bool autoContextMenus_ = true;
    bool selfUpdating_ = false;
    bool autoRefresh_ = false;
    bool useShellImages_ = true;
    TqvShellChangeNotifier* notifier_ = nullptr;
    vcl::TTreeNode* changingNode_ = nullptr;
    HIMAGELIST systemImageList_ = nullptr;
    LPITEMIDLIST reselect_ = nullptr;
    bool reselectExpanded_ = false;
};

class TqvSkinDirTreeView : public TqvCustomShellTreeView {
public:
    using TqvCustomShellTreeView::TqvCustomShellTreeView;
};

} // namespace qv
