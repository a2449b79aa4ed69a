#include "app/FolderHistory.h"

#include "framework/StringList.h"
#include "platform/fs/FileError.h"
#include "platform/fs/SaveFile.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace app {
namespace {

constexpr const char* kHistoryName = "DefaultDir.txt";

bool CanWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }
bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::string FolderOf(const std::string& file) {
    std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash == 0 ? 1 : slash);
}

std::string HomeFolder(const char* home) {
    if (home != nullptr && *home != '\0')
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

} // namespace

std::string ExecutableFolder() {
    char exe[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return "./";
    std::string path(exe, std::size_t(n));
    return path.substr(0, path.rfind('/') + 1);
}

std::string ChooseHistoryFile(const std::string& exeFolder, const char* configHome, const char* home) {
    // The save replaces the file through a temporary file beside it, so the folder must be
    // writable even when the file itself is.
    std::string beside = exeFolder + kHistoryName;
    if (CanWrite(exeFolder) && (!Exists(beside) || CanWrite(beside)))
        return beside;
    // Relative values of XDG_CONFIG_HOME are invalid and ignored.
    std::string config = configHome != nullptr && configHome[0] == '/' ? std::string(configHome)
                                                                     : HomeFolder(home) + "/.config";
    return config + "/iislog/" + kHistoryName;
}

const std::string& HistoryFile() {
    static const std::string file =
        ChooseHistoryFile(ExecutableFolder(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    return file;
}

std::optional<std::string> LoadFolderHistory(vcl::TStrings& items, const std::string& file,
                                             const std::string& exeFolder) {
    try {
        items.LoadFromFile(file);
        if (items.Count() > 0)
            return items[items.Count() - 1];
        return std::nullopt;
    } catch (const std::exception&) {
        // Any failure is a first run: start the history with the program's own folder.
        items.Add(exeFolder);
        return exeFolder;
    }
}

bool AddToFolderHistory(vcl::TStrings& items, const std::string& folder) {
    if (items.IndexOf(folder) >= 0)
        return false;
    items.Add(folder);
    return true;
}

void SaveFolderHistory(const vcl::TStrings& items, const std::string& file) {
    try {
        fs::CreateFolders(FolderOf(file));
    } catch (const fs::FileError& e) {
        throw fs::FileError::CannotCreate(file, e.ErrorCode());
    }
    fs::SaveFileAtomically(file, items.Text());
}

} // namespace app
