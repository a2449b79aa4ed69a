#include "platform/shell/ShellItem.h"

#include "platform/shell/IdList.h"

namespace shell {
namespace {

#ifdef _WIN32
// A volume is a drive ("C:"); names never hold a separator or a drive's colon.
constexpr std::string_view kSeparators = "/\\:";
bool IsVolumeText(std::string_view text) {
    return text.size() == 2 && text[1] == ':' && text[0] >= 'A' && text[0] <= 'Z';
}
#else
// A volume is its mount point, an absolute path.
constexpr std::string_view kSeparators = "/";
bool IsVolumeText(std::string_view text) { return !text.empty() && text[0] == '/'; }
#endif

} // namespace

std::string MakeItemData(ItemKind kind, std::string_view text) {
    std::string data(1, char(kind));
    data += text;
    return data;
}

std::optional<ItemView> ReadItemData(std::string_view data) {
    if (data.empty()) return std::nullopt;
    ItemView view{ItemKind(data[0]), data.substr(1)};
    if (view.Text.find('\0') != std::string_view::npos) return std::nullopt;
    switch (view.Kind) {
    case ItemKind::Virtual:
        if (view.Text == kHomeItem || view.Text == kComputerItem) return view;
        return std::nullopt;
    case ItemKind::Volume:
        if (IsVolumeText(view.Text)) return view;
        return std::nullopt;
    case ItemKind::Name:
        if (view.Text.empty() || view.Text == "." || view.Text == ".." ||
            view.Text.find_first_of(kSeparators) != std::string_view::npos)
            return std::nullopt;
        return view;
    }
    return std::nullopt;
}

LPITEMIDLIST AppendItem(LPITEMIDLIST list, ItemKind kind, std::string_view text) {
    LPITEMIDLIST item = ILCreateFromData(MakeItemData(kind, text));
    if (!item) {
        ILFree(list);
        return nullptr;
    }
    LPITEMIDLIST longer = ILCombine(list, item);
    ILFree(list);
    ILFree(item);
    return longer;
}

std::optional<std::vector<std::string>> SplitNames(std::string_view path, std::string_view separators) {
    std::vector<std::string> names;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find_first_of(separators, at);
        if (end == std::string_view::npos) end = path.size();
        std::string_view name = path.substr(at, end - at);
        if (name == "..") {
            if (names.empty()) return std::nullopt;
            names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.emplace_back(name);
        }
        at = end + 1;
    }
    return names;
}

} // namespace shell
