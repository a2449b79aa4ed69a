// The shell's readers of outside text and bytes: mountinfo, user-dirs.dirs, udev label escapes
// and identifier lists. None may read past the input; what they accept must be usable.

#include "platform/shell/IdList.h"
#include "platform/shell/Mounts.h"
#include "platform/shell/ShellItem.h"
#include "platform/shell/ShellNames.h"
#include "platform/shell/UserFolders.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    std::vector<shell::Volume> volumes = shell::ParseMountInfo(text);
    if (volumes.empty() || volumes.front().MountPoint.empty()) std::abort();
    for (const shell::Volume& v : volumes)
        if (v.MountPoint[0] != '/') std::abort();

    std::string value = shell::ParseUserDirsValue(text, "XDG_DESKTOP_DIR", "/home/u");
    if (!value.empty() && value[0] != '/') std::abort();
    shell::UnescapeMountField(text);
    shell::LexicalPath(text);

    // The bytes as an identifier list: walking a well-formed one stays inside it.
    if (ILIsWellFormed(data, size)) {
        std::vector<std::uint8_t> copy(data, data + size);
        auto* list = reinterpret_cast<LPCITEMIDLIST>(copy.data());
        if (ILGetSize(list) > size) std::abort();
        for (LPCITEMIDLIST item = list; !ILIsEmpty(item); item = ILGetNext(item))
            shell::ReadItemData(ILItemData(item));
        LPITEMIDLIST clone = ILClone(list);
        if (std::memcmp(clone, list, ILGetSize(list)) != 0) std::abort();
        ILFree(clone);
    }

    size_t half = size / 2;
    int order = shell::CompareNatural(text.substr(0, half), text.substr(half));
    if (order != -shell::CompareNatural(text.substr(half), text.substr(0, half))) std::abort();
    return 0;
}
