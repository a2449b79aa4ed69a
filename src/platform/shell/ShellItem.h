#pragma once
// The data of one identifier-list item: a kind byte followed by UTF-8 text.
//   'V' + "home" | "computer"   a virtual item of the desktop
//   'M' + mount point          a volume of Computer ("/" is the file system; "C:" on Windows)
//   'N' + name                 one name of the file system

#include "platform/shell/ShellTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

enum class ItemKind : char { Virtual = 'V', Volume = 'M', Name = 'N' };

constexpr std::string_view kHomeItem = "home";
constexpr std::string_view kComputerItem = "computer";

struct ItemView {
    ItemKind Kind;
    std::string_view Text;
};

std::string MakeItemData(ItemKind kind, std::string_view text);
// The item's kind and text; nothing for data that no item of this namespace holds (unknown
// kind, an empty or unknown virtual name, a name with a "/" or a NUL, "." or "..", a volume
// that is not an absolute path).
std::optional<ItemView> ReadItemData(std::string_view data);

// `list` (freed here) with one more item; null when out of memory.
LPITEMIDLIST AppendItem(LPITEMIDLIST list, ItemKind kind, std::string_view text);
// The names of a path split at any of `separators`, without empty names and "." and with ".."
// stepping back; nothing when ".." climbs above the start.
std::optional<std::vector<std::string>> SplitNames(std::string_view path, std::string_view separators);

} // namespace shell
