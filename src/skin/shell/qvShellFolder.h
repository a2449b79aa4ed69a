#pragma once
// The shell folder model of the folder tree: one TqvShellFolder per namespace item, holding the
// item's identifier lists (relative to its parent and from the desktop), a link to the parent
// object and the shell folder bound to the item, and answering what the tree asks (folder or
// not, subfolders, names, path, icons, rename). The identifier-list helpers, the shared desktop
// object and the root-name lookups complete it. Everything runs on the user-interface thread.

#include "framework/Exceptions.h"
#include "platform/shell/ShellFolder.h"

#include <string>
#include <vector>

namespace qv {

using PItemIDList = LPITEMIDLIST;

// A root name or path the namespace does not know; the message quotes it.
class EInvalidPath : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};

// The message texts ("%s" stands for the name).
inline constexpr const char* SErrorSettingPath = "Error setting path: \"%s\"";
inline constexpr const char* SRenameFailed = "Rename to %s failed";
std::string FormatMessage(const char* format, const std::string& argument);

// The special roots a tree may start at; their names are also accepted as root names.
enum class TRootFolder {
    rfDesktop,
    rfMyComputer,
    rfNetwork,
    rfRecycleBin,
    rfAppData,
    rfCommonDesktopDirectory,
    rfCommonPrograms,
    rfCommonStartMenu,
    rfCommonStartup,
    rfControlPanel,
    rfDesktopDirectory,
    rfFavorites,
    rfFonts,
    rfInternet,
    rfPersonal,
    rfPrinters,
    rfPrintHood,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};
int RootFolderCSIDL(TRootFolder root);
// "rfDesktop" and the others, compared without regard to case.
bool RootFolderFromName(const std::string& name, TRootFolder& root);

// What an enumeration returns: the bit pattern of the set times 32 gives the SHCONTF flags.
enum TShellObjectType : unsigned { otFolders = 1, otNonFolders = 2, otHidden = 4 };
using TShellObjectTypes = unsigned;
inline DWORD ShellObjectTypesToFlags(TShellObjectTypes types) { return DWORD(types) * 32; }

enum TShellCapability : unsigned {
    scCopy = 1,
    scDelete = 2,
    scLink = 4,
    scMove = 8,
    scRename = 16,
    scDropTarget = 32,
    scPropSheet = 64
};
using TShellCapabilities = unsigned;

// Identifier lists: made and freed with the shell's task allocator.
PItemIDList NextID(PItemIDList item);
int IDListItemCount(PItemIDList list);
int IDListSize(PItemIDList list); // the item counts + 2; 0 for no list
PItemIDList CopyIDList(PItemIDList list);
PItemIDList ConcatIDLists(PItemIDList a, PItemIDList b); // a may be null
void StripLastID(PItemIDList list);
// The lists of the first 1, 2, ... n items of `list`, shortest first; each a new copy.
std::vector<PItemIDList> IDListPrefixes(PItemIDList list);
void FreeIDList(PItemIDList list);
PItemIDList NewIDList(int size); // zero-filled
// A name from GetDisplayNameOf; a string it owns is freed.
std::string StrRetToString(PItemIDList list, STRRET& name);

class TqvShellFolder {
public:
    // `parent` null: the folder hangs below the desktop object (AbsoluteID = RelativeID).
    TqvShellFolder(TqvShellFolder* parent, IShellFolderPtr shellFolder, PItemIDList relativeID);
    ~TqvShellFolder();
    TqvShellFolder(const TqvShellFolder&) = delete;
    TqvShellFolder& operator=(const TqvShellFolder&) = delete;

    PItemIDList RelativeID() const { return relativeID_; }
    PItemIDList AbsoluteID() const { return absoluteID_; }
    TqvShellFolder* ParentFolder() const { return parentFolder_; }
    const IShellFolderPtr& ShellFolder() const { return shellFolder_; }
    // The folder interface that answers for this item: the parent's, or the desktop's.
    IShellFolderPtr ParentShellFolder() const;

    // A folder of the namespace; an archive the shell would show as a folder counts as a file.
    bool IsFolder() const;
    bool HasSubFolders() const;
    std::string DisplayName() const;
    std::string PathName() const;
    std::string FileSystemPath() const;
    int IconIndex(bool open) const;
    // False when the item cannot be renamed; raises vcl::Exception ("Rename to … failed") when the
    // rename itself fails.
    bool Rename(const std::string& newName);
    TShellCapabilities Capabilities() const;

private:
    ULONG Attributes(ULONG mask) const;
    std::string CleanName(std::string name, PItemIDList list, const IShellFolderPtr& folder) const;

    PItemIDList relativeID_ = nullptr;
    PItemIDList absoluteID_ = nullptr;
    TqvShellFolder* parentFolder_ = nullptr;
    IShellFolderPtr shellFolder_;
};

// The desktop's folder object, shared by all and alive for the whole run.
TqvShellFolder* DesktopFolder();
// The desktop folder interface; raises the platform's error when there is none.
IShellFolderPtr DesktopShellFolder();

// The folder interface of `relative` below `parent` (the desktop when null), or null (a file).
IShellFolderPtr BindShellFolder(const IShellFolderPtr& parent, PItemIDList relative, HWND window);
// A new folder object for an absolute list.
TqvShellFolder* FolderFromIDList(PItemIDList absolute);
// A new folder object for a root name (a TRootFolder name or a path). On failure `rootName` gets
// `oldRootName` back and EInvalidPath is raised; on success `oldFolder` is freed.
TqvShellFolder* FolderFromRootName(TqvShellFolder* oldFolder, const std::string& oldRootName,
                                   std::string& rootName);
bool SameIDList(PItemIDList a, PItemIDList b);

} // namespace qv
