#include "platform/shell/ShellItem.h"

namespace shell {

std::string MakeItemData(ItemKind kind, std::string_view text) {
    std::string data(1, char(kind));
    data += text;
    return data;
}

std::optional<ItemView> ReadItemData(std::string_view data) {
    if (data.empty())
        return std::nullopt;
    ItemView view{ItemKind(data[0]), data.substr(1)};
    if (view.Text.find('\0') != std::string_view::npos)
        return std::nullopt;
    switch (view.Kind) {
    case ItemKind::Virtual:
        if (view.Text == kHomeItem || view.Text == kComputerItem)
            return view;
        return std::nullopt;
    case ItemKind::Volume:
        if (!view.Text.empty() && view.Text[0] == '/')
            return view;
        return std::nullopt;
    case ItemKind::Name:
        if (view.Text.empty() || view.Text == "." || view.Text == ".." || view.Text.find('/') != std::string_view::npos)
            return std::nullopt;
        return view;
    }
    return std::nullopt;
}

} // namespace shell
