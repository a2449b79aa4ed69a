#include "app/FolderHistory.h"

#include "framework/StringList.h"
#include "platform/fs/File.h"
#include "platform/fs/FileError.h"
#include "platform/fs/Paths.h"
#include "platform/fs/Process.h"
#include "platform/fs/SaveFile.h"

#include <cstdlib>

namespace app {
namespace {

constexpr const char* kHistoryName = "DefaultDir.txt";

// Windows paths separate with "\" as well.
constexpr const char* kSeparators = "/\\";

std::string FolderOf(const std::string& file) {
    std::size_t slash = file.find_last_of(kSeparators);
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash == 0 ? 1 : slash);
}

// True when `file` is a regular file holding exactly `text`. Every start saves the history it
// has just read; writing the same bytes again would only cost a flush to disk.
bool Holds(const std::string& file, const std::string& text) {
    try {
        fs::File f = fs::File::Open(file);
        if (f.Size() != text.size()) return false;
        std::string bytes(text.size(), '\0');
        f.ReadAt(0, bytes.data(), bytes.size());
        return bytes == text;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

std::string ExecutableFolder() {
    std::string path = fs::ExecutablePath();
    std::size_t slash = path.find_last_of(kSeparators);
    if (slash == std::string::npos) return "./";
    return path.substr(0, slash + 1);
}

std::string ChooseHistoryFile(const std::string& exeFolder, const char* configHome, const char* home) {
    // The save replaces the file through a temporary file beside it, so the folder must be
    // writable even when the file itself is.
    std::string beside = exeFolder + kHistoryName;
    if (fs::CanWrite(exeFolder) && (!fs::PathExists(beside) || fs::CanWrite(beside))) return beside;
    // Relative values of XDG_CONFIG_HOME (or %APPDATA%) are invalid and ignored.
    std::string config = configHome != nullptr && fs::IsAbsolutePath(configHome)
                             ? std::string(configHome)
                             : fs::HomeFolder(home) + "/.config";
    return config + "/iislog/" + kHistoryName;
}

const std::string& HistoryFile() {
    static const std::string file =
#ifdef _WIN32
        ChooseHistoryFile(ExecutableFolder(), std::getenv("APPDATA"), std::getenv("USERPROFILE"));
#else
        ChooseHistoryFile(ExecutableFolder(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
#endif
    return file;
}

std::optional<std::string> LoadFolderHistory(vcl::TStrings& items, const std::string& file,
                                             const std::string& exeFolder) {
    try {
        items.LoadFromFile(file);
        if (items.Count() > 0) return items[items.Count() - 1];
        return std::nullopt;
    } catch (const std::exception&) {
        // Any failure is a first run: start the history with the program's own folder.
        items.Add(exeFolder);
        return exeFolder;
    }
}

bool AddToFolderHistory(vcl::TStrings& items, const std::string& folder) {
    if (items.IndexOf(folder) >= 0) return false;
    items.Add(folder);
    return true;
}

void SaveFolderHistory(const vcl::TStrings& items, const std::string& file) {
    const std::string text = items.Text();
    if (Holds(file, text)) return;
    try {
        fs::CreateFolders(FolderOf(file));
    } catch (const fs::FileError& e) {
        throw fs::FileError::CannotCreate(file, e.ErrorCode());
    }
    fs::SaveFileAtomically(file, text);
}

} // namespace app
