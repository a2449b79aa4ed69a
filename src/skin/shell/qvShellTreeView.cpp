#include "skin/shell/qvShellTreeView.h"

#include "framework/Forms.h"
#include "platform/fs/Paths.h"
#include "platform/shell/IdList.h"
#include "platform/shell/ShellApi.h"

#include <memory>
#include <utility>

namespace qv {
namespace {

bool SameTextAscii(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Shows the hourglass for its lifetime.
class BusyCursor {
public:
    BusyCursor() : saved_(vcl::Screen ? vcl::Screen->Cursor() : vcl::crDefault) {
        if (vcl::Screen) vcl::Screen->SetCursor(vcl::crHourGlass);
    }
    ~BusyCursor() {
        if (vcl::Screen) vcl::Screen->SetCursor(saved_);
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    vcl::TCursor saved_;
};

// Suspends the tree's painting for its lifetime.
class TreeUpdate {
public:
    explicit TreeUpdate(vcl::TTreeNodes* items) : items_(items) { items_->BeginUpdate(); }
    ~TreeUpdate() { items_->EndUpdate(); }
    TreeUpdate(const TreeUpdate&) = delete;
    TreeUpdate& operator=(const TreeUpdate&) = delete;

private:
    vcl::TTreeNodes* items_;
};

// Sets a flag for its lifetime and restores the previous value.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

struct ListDeleter {
    void operator()(ITEMIDLIST* list) const { FreeIDList(list); }
};
using OwnedList = std::unique_ptr<ITEMIDLIST, ListDeleter>;

std::string DirectoryPart(const std::string& path) { return fs::FolderOfPath(path); }

HWND MainWindow() {
    if (vcl::Application && vcl::Application->MainForm() && vcl::Application->MainForm()->HandleAllocated())
        return vcl::Application->MainForm()->Handle();
    return nullptr;
}

} // namespace

TqvCustomShellTreeView::TqvCustomShellTreeView(vcl::TComponent* owner) : TqvSkinCustomTreeView(owner) {
    SetShowRoot(false);
    SetRightClickSelect(true);
    SHFILEINFO info;
    systemImageList_ = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo(fs::kFileSystemRoot, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    // Made without a handler, so no worker runs until AutoRefresh asks for one.
    notifier_ = new TqvShellChangeNotifier(this);
}

TqvCustomShellTreeView::~TqvCustomShellTreeView() {
    DestroyHandle();
    ClearNodes();
    delete rootFolder_;
    FreeIDList(reselect_);
}

void TqvCustomShellTreeView::CreateWnd() {
    // Nodes kept from before the window existed are rebuilt from the shell, not reused; the
    // folder that was selected (in them, or in an earlier window) is selected again, and expanded
    // again.
    if (!reselect_) RememberSelection();
    TqvSkinCustomTreeView::CreateWnd();
    ClearNodes();
    if (!Images()) SetUseShellImages(useShellImages_);
    OwnedList reselect(std::exchange(reselect_, nullptr));
    if (!creatingRoot_) {
        CreateRoot();
        if (reselect) {
            SelectByIDList(reselect.get());
            if (vcl::TTreeNode* node = Selected(); node && reselectExpanded_) node->Expand(false);
        } else if (!path_.empty()) {
            SetPath(path_);
        }
    }
}

void TqvCustomShellTreeView::DestroyWnd() {
    RememberSelection();
    ClearNodes();
    TqvSkinCustomTreeView::DestroyWnd();
}

void TqvCustomShellTreeView::RememberSelection() {
    vcl::TTreeNode* selected = Selected();
    if (!selected || !FolderOf(selected)) return;
    FreeIDList(reselect_);
    reselect_ = CopyIDList(FolderOf(selected)->AbsoluteID());
    reselectExpanded_ = selected->Expanded();
}

void TqvCustomShellTreeView::Loaded() {
    TqvSkinCustomTreeView::Loaded();
    CreateRoot();
}

void TqvCustomShellTreeView::Delete(vcl::TTreeNode* node) {
    delete FolderOf(node);
    node->SetData(nullptr);
    TqvSkinCustomTreeView::Delete(node);
}

void TqvCustomShellTreeView::ClearNodes() {
    TreeUpdate update(Items());
    Items()->Clear(); // each node's folder goes in Delete
}

// ---- properties

void TqvCustomShellTreeView::SetRoot(const std::string& root) {
    if (SameTextAscii(root, root_)) return;
    oldRoot_ = root_;
    root_ = root;
    RootChanged();
}

void TqvCustomShellTreeView::SetObjectTypes(TShellObjectTypes types) {
    objectTypes_ = types;
    RootChanged();
}

void TqvCustomShellTreeView::SetUseShellImages(bool on) {
    useShellImages_ = on;
    HIMAGELIST list = Images() ? Images()->Handle() : on ? systemImageList_ : nullptr;
    if (HandleAllocated()) Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

void TqvCustomShellTreeView::SetAutoRefresh(bool on) {
    autoRefresh_ = on;
    if (IsLoading()) return;
    delete notifier_;
    notifier_ = nullptr;
    if (!on) return;
    notifier_ = new TqvShellChangeNotifier(this);
    notifier_->SetWatchSubTree(false);
    TqvShellFolder* watched = changingNode_ ? FolderOf(changingNode_) : rootFolder_;
    if (watched) notifier_->SetRoot(watched->PathName());
    notifier_->SetOnChange([this] { RefreshSelected(); });
}

// ---- the root

void TqvCustomShellTreeView::RootChanged() {
    if (selfUpdating_) return;
    FlagScope updating(selfUpdating_);
    CreateRoot();
}

void TqvCustomShellTreeView::CreateRoot() {
    if (IsLoading() || !HandleAllocated()) return;
    std::string error;
    try {
        rootFolder_ = FolderFromRootName(rootFolder_, oldRoot_, root_);
    } catch (const EInvalidPath& e) {
        error = e.what();
    }
    if (rootFolder_) {
        FlagScope creating(creatingRoot_);
        ClearNodes();
        auto* folder = new TqvShellFolder(nullptr, rootFolder_->ShellFolder(), rootFolder_->AbsoluteID());
        vcl::TTreeNode* node = Items()->AddChild(nullptr, "");
        node->SetData(folder);
        STRRET name;
        std::string text;
        if (SUCCEEDED(DesktopShellFolder()->GetDisplayNameOf(folder->AbsoluteID(), SHGDN_NORMAL, &name)))
            text = StrRetToString(folder->AbsoluteID(), name);
        node->SetText(text.rfind("::{", 0) == 0 ? folder->DisplayName() : text);
        if (useShellImages_ && !Images()) SetNodeImages(node, folder, true);
        node->SetHasChildren(folder->HasSubFolders());
        node->Expand(false);
        SetSelected(node);
    }
    if (!error.empty()) throw EInvalidPath(error);
}

// ---- loading

void TqvCustomShellTreeView::SetNodeImages(vcl::TTreeNode* node, TqvShellFolder* folder, bool) {
    node->SetImageIndex(folder->IconIndex(false));
    int open = folder->IconIndex(true);
    node->SetSelectedIndex(open == 0 ? node->ImageIndex() : open);
}

void TqvCustomShellTreeView::PopulateNode(vcl::TTreeNode* node) {
    TqvShellFolder* folder = FolderOf(node);
    if (!folder || !folder->ShellFolder()) return;
    BusyCursor busy;
    TreeUpdate update(Items());
    std::unique_ptr<IEnumIDList> items;
    try {
        if (FAILED(folder->ShellFolder()->EnumObjects(MainWindow(), ShellObjectTypesToFlags(objectTypes_),
                                                      &items)) ||
            !items)
            return;
    } catch (...) {
        return;
    }
    LPITEMIDLIST item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) {
        OwnedList relative(item);
        vcl::TTreeNode* child = Items()->AddChild(node, "");
        InitNode(child, relative.get(), node);
    }
    if (node->Count() == 0) return;
    IShellFolderPtr parent = FolderOf(node->Item(0)) ? FolderOf(node->Item(0))->ParentShellFolder() : nullptr;
    if (!parent) return;
    node->CustomSort([&](vcl::TTreeNode* a, vcl::TTreeNode* b) {
        return int(
            CompareResultOrder(parent->CompareIDs(0, FolderOf(a)->RelativeID(), FolderOf(b)->RelativeID())));
    });
}

void TqvCustomShellTreeView::InitNode(vcl::TTreeNode* child, PItemIDList relative, vcl::TTreeNode* parent) {
    TqvShellFolder* parentFolder = FolderOf(parent);
    IShellFolderPtr bound = BindShellFolder(parentFolder->ShellFolder(), relative, nullptr);
    auto* folder = new TqvShellFolder(parentFolder, bound, relative);
    child->SetData(folder);
    child->SetText(folder->DisplayName());
    if (useShellImages_ && !Images()) SetNodeImages(child, folder, false);
    bool hasChildren = folder->HasSubFolders();
    if ((objectTypes_ & otNonFolders) && folder->ShellFolder()) {
        std::unique_ptr<IEnumIDList> items;
        LPITEMIDLIST first = nullptr;
        hasChildren = SUCCEEDED(folder->ShellFolder()->EnumObjects(
                          nullptr, ShellObjectTypesToFlags(objectTypes_), &items)) &&
                      items && items->Next(1, &first, nullptr) == S_OK;
        FreeIDList(first);
    }
    child->SetHasChildren(hasChildren);
    bool canAdd = true;
    if (OnAddFolder) OnAddFolder(this, folder, canAdd);
    if (!canAdd) Items()->Delete(child);
}

// ---- notifications

LRESULT TqvCustomShellTreeView::Notify(NMHDR* hdr) {
    switch (static_cast<int>(hdr->code)) {
    case TVN_ITEMEXPANDING: {
        auto* nm = reinterpret_cast<NMTREEVIEW*>(hdr);
        auto* node = reinterpret_cast<vcl::TTreeNode*>(nm->itemNew.lParam);
        if (!node || nm->action != TVE_EXPAND) break;
        return CanExpand(node) ? FALSE : TRUE;
    }
    case TVN_SELCHANGING: {
        LRESULT refused = TqvSkinCustomTreeView::Notify(hdr);
        auto* node = reinterpret_cast<vcl::TTreeNode*>(reinterpret_cast<NMTREEVIEW*>(hdr)->itemNew.lParam);
        if (!refused && !selfUpdating_ && node) CanChange(node);
        return refused;
    }
    case TVN_ENDLABELEDIT: {
        auto* info = reinterpret_cast<NMTVDISPINFO*>(hdr);
        return EndLabelEdit(reinterpret_cast<vcl::TTreeNode*>(info->item.lParam), info->item.pszText) ? TRUE
                                                                                                      : FALSE;
    }
    default: break;
    }
    return TqvSkinCustomTreeView::Notify(hdr);
}

bool TqvCustomShellTreeView::CanExpand(vcl::TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    if (allow) {
        TqvShellFolder* folder = FolderOf(node);
        if (folder && folder->IsFolder()) {
            if (node->HasChildren() && node->Count() == 0) PopulateNode(node);
        } else if (folder) {
            // An archive or a file: the desktop opens it; there is nothing to load.
            std::string path = folder->PathName();
            ShellExecute(nullptr, nullptr, path.c_str(), nullptr, DirectoryPart(path).c_str(), SW_HIDE);
        }
    }
    node->SetHasChildren(node->Count() > 0);
    return allow;
}

void TqvCustomShellTreeView::CanChange(vcl::TTreeNode* node) {
    bool remembered = autoRefresh_;
    SetAutoRefresh(false);
    changingNode_ = node;
    SetAutoRefresh(remembered);
    changingNode_ = nullptr;
}

bool TqvCustomShellTreeView::EndLabelEdit(vcl::TTreeNode* node, const char* text) {
    if (!text || !node) return false; // cancelled
    std::string name = text;
    if (OnEdited) OnEdited(this, node, name);
    TqvShellFolder* folder = FolderOf(node);
    if (folder && folder->Rename(name)) node->SetText(name);
    return false; // the node's text is set above, or stays
}

// ---- selecting

void TqvCustomShellTreeView::ExpandNode(vcl::TTreeNode* node) { node->Expand(false); }

vcl::TTreeNode* TqvCustomShellTreeView::FindNode(PItemIDList list, vcl::TTreeNode* start) const {
    if (!start) return nullptr;
    int level = start->Level();
    for (vcl::TTreeNode* node = start; node && (node == start || node->Level() > level);
         node = node->GetNext())
        if (FolderOf(node) && SameIDList(FolderOf(node)->AbsoluteID(), list)) return node;
    return nullptr;
}

void TqvCustomShellTreeView::SelectByIDList(PItemIDList list) {
    if (IsLoading()) return;
    TqvShellFolder* selected = SelectedFolder();
    if (selected && SameIDList(selected->AbsoluteID(), list)) return;
    FlagScope updating(selfUpdating_);
    TreeUpdate update(Items());
    vcl::TTreeNode* start = Items()->GetFirstNode();
    for (PItemIDList prefix : IDListPrefixes(list)) {
        if (vcl::TTreeNode* found = FindNode(prefix, start)) {
            ExpandNode(found);
            start = found;
        }
        FreeIDList(prefix);
    }
    SetSelected(FindNode(list, start));
}

void TqvCustomShellTreeView::SetPath(const std::string& path) {
    path_ = path;
    LPITEMIDLIST list = nullptr;
    HRESULT hr = DesktopShellFolder()->ParseDisplayName(MainWindow(), path.c_str(), nullptr, &list, nullptr);
    if (FAILED(hr) || !list) throw EInvalidPath(FormatMessage(SErrorSettingPath, path));
    OwnedList owned(list);
    SelectByIDList(list);
    if (vcl::TTreeNode* node = Selected()) {
        node->Expand(false);
        CanChange(node);
    }
}

void TqvCustomShellTreeView::SelectMyComputer() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &list))) return;
    OwnedList owned(list);
    SelectByIDList(list);
    if (vcl::TTreeNode* node = Selected()) node->Expand(false);
}

TqvShellFolder* TqvCustomShellTreeView::SelectedFolder() const { return FolderOf(Selected()); }

std::string TqvCustomShellTreeView::SelectedPath() const {
    TqvShellFolder* folder = SelectedFolder();
    return folder ? folder->PathName() : std::string();
}

// ---- refreshing

void TqvCustomShellTreeView::RefreshSelected() {
    if (vcl::TTreeNode* node = Selected()) RefreshNode(node);
}

void TqvCustomShellTreeView::RefreshNode(vcl::TTreeNode* node) {
    TqvShellFolder* folder = FolderOf(node);
    if (!folder || !folder->ShellFolder()) return;
    vcl::TTreeNode* top = TopItem();
    OwnedList savedTop(top && FolderOf(top) ? CopyIDList(FolderOf(top)->AbsoluteID()) : nullptr);
    vcl::TTreeNode* selected = Selected();
    OwnedList savedSelection(selected && FolderOf(selected) ? CopyIDList(FolderOf(selected)->AbsoluteID())
                                                            : nullptr);
    BusyCursor busy;
    {
        TreeUpdate update(Items());
        TqvShellFolder* parentFolder = FolderOf(node->Parent());
        auto* fresh = new TqvShellFolder(parentFolder, folder->ShellFolder(), folder->RelativeID());
        vcl::TTreeNode* copy = Items()->Insert(node, "");
        copy->SetData(fresh);
        PopulateNode(copy);
        SetNodeImages(copy, fresh, true);
        copy->SetHasChildren(fresh->HasSubFolders());
        copy->SetText(fresh->DisplayName());
        // Expand the counterparts of what was expanded, parents first (pre-order).
        int level = node->Level();
        for (vcl::TTreeNode* n = node; n && (n == node || n->Level() > level); n = n->GetNext())
            if (n->Expanded() && FolderOf(n))
                if (vcl::TTreeNode* twin = FindNode(FolderOf(n)->AbsoluteID(), copy)) twin->Expand(false);
        {
            FlagScope updating(selfUpdating_);
            Items()->Delete(node);
        }
        if (savedSelection) SetSelected(FindNode(savedSelection.get(), Items()->GetFirstNode()));
        if (savedTop)
            if (vcl::TTreeNode* t = FindNode(savedTop.get(), Items()->GetFirstNode())) SetTopItem(t);
    }
    UpdateScrollBars();
}

} // namespace qv
