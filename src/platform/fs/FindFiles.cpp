#include "platform/fs/FindFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace fs {
namespace {

bool IsSpecialMode(mode_t mode) { return S_ISFIFO(mode) || S_ISSOCK(mode) || S_ISCHR(mode) || S_ISBLK(mode); }

FindEntry Classify(const std::string& folder, const dirent& entry) {
    bool special = entry.d_type == DT_FIFO || entry.d_type == DT_SOCK || entry.d_type == DT_CHR ||
                   entry.d_type == DT_BLK;
    FindEntry found{entry.d_name, entry.d_type == DT_DIR, special};
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return found;
    // Links and file systems without d_type: ask the file system about the target; a dangling
    // link is neither a folder nor a file.
    struct stat st;
    std::string path = folder + "/" + entry.d_name;
    if (::stat(path.c_str(), &st) == 0) {
        found.IsDirectory = S_ISDIR(st.st_mode);
        found.IsSpecialFile = IsSpecialMode(st.st_mode);
    }
    return found;
}

} // namespace

std::vector<FindEntry> FindFiles(const std::string& folder, std::string_view pattern) {
    std::vector<FindEntry> entries;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "/" : folder.c_str()), ::closedir);
    if (!dir) return entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!MatchesWildcard(pattern, name)) continue;
        entries.push_back(Classify(folder, *entry));
    }
    return entries;
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace fs
