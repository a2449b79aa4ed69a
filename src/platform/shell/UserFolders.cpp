#include "platform/shell/UserFolders.h"

#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {
namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string EnvironmentFolder(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    if (value && value[0] == '/') return value;
    return fallback;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string ParseUserDirsValue(std::string_view text, std::string_view key, const std::string& home) {
    std::string result;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line[0] == '#' || line.substr(0, key.size()) != key) continue;
        line = Trim(line.substr(key.size()));
        if (line.empty() || line[0] != '=') continue;
        line = Trim(line.substr(1));
        if (line.size() < 2 || line.front() != '"' || line.back() != '"') continue;
        line = line.substr(1, line.size() - 2);
        std::string value;
        if (line.substr(0, 5) == "$HOME" && (line.size() == 5 || line[5] == '/'))
            value = home + std::string(line.substr(5));
        else if (!line.empty() && line[0] == '/') value = std::string(line);
        else continue;
        // Backslash escapes only quote the next character.
        std::string unescaped;
        for (size_t i = 0; i < value.size(); ++i)
            if (value[i] != '\\' || ++i < value.size()) unescaped += value[i];
        result = unescaped; // the last assignment wins, as in the shell
    }
    return result;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return {};
}

std::string ConfigHome() { return EnvironmentFolder("XDG_CONFIG_HOME", HomeFolder() + "/.config"); }
std::string DataHome() { return EnvironmentFolder("XDG_DATA_HOME", HomeFolder() + "/.local/share"); }

std::optional<std::string> UserDirectory(std::string_view name) {
    std::string home = HomeFolder();
    std::string key = "XDG_" + std::string(name) + "_DIR";
    std::string path = ParseUserDirsValue(ReadFile(ConfigHome() + "/user-dirs.dirs"), key, home);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (IsFolder(path)) return path;
    return std::nullopt;
}

std::optional<std::string> DesktopDirectory() {
    if (auto desktop = UserDirectory("DESKTOP")) return desktop;
    std::string fallback = HomeFolder() + "/Desktop";
    if (IsFolder(fallback)) return fallback;
    return std::nullopt;
}

} // namespace shell
