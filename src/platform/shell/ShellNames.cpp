#include "platform/shell/ShellNames.h"

#include <cstdlib>

namespace shell {
namespace {

struct NameRow {
    std::string_view English;
    std::string_view Chinese;
};
constexpr NameRow kNames[] = {
    {"Desktop", "桌面"},
    {"Computer", "计算机"},
    {"Home", "主文件夹"},
    {"File System", "文件系统"},
};

std::string_view MessagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); value && *value) return value;
    return {};
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string_view ShellNameText(ShellName name, std::string_view locale) {
    const NameRow& row = kNames[int(name)];
    return locale.substr(0, 2) == "zh" ? row.Chinese : row.English;
}

std::string_view ShellNameText(ShellName name) { return ShellNameText(name, MessagesLocale()); }

int CompareNatural(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compare digit runs by value: skip leading zeros, then the longer run is larger,
            // then the first differing digit decides.
            size_t si = i, sj = j;
            while (si < a.size() && a[si] == '0')
                ++si;
            while (sj < b.size() && b[sj] == '0')
                ++sj;
            size_t ei = si, ej = sj;
            while (ei < a.size() && IsDigit(a[ei]))
                ++ei;
            while (ej < b.size() && IsDigit(b[ej]))
                ++ej;
            if (ei - si != ej - sj) return ei - si < ej - sj ? -1 : 1;
            if (int c = a.substr(si, ei - si).compare(b.substr(sj, ej - sj)); c != 0) return c;
            i = ei;
            j = ej;
            continue;
        }
        char x = Lower(a[i]), y = Lower(b[j]);
        if (x != y) return (unsigned char)x < (unsigned char)y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    int bytes = a.compare(b);
    return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

} // namespace shell
