// Feeds arbitrary text to the skin-text loader (inside a container without pictures). A text
// that loads must write back into a text that loads again into as many records.
#include "skin/data/qvSkinData.h"

#include <cstdlib>
#include <exception>

namespace {

qv::TqvBytes ContainerOf(std::string text) {
    qv::TqvSkinContainerParts parts;
    parts.flaggedPictures = {{}, {}, {}};
    parts.text = std::move(text);
    return qv::WriteSkinContainer(parts);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    qv::TqvSkinData skin(nullptr);
    try {
        skin.LoadFromContainer(ContainerOf(text));
    } catch (const std::exception&) {
        if (!skin.IsEmpty() || skin.IsChanging() || !skin.ControlSkins.empty()) {
            std::abort();
        }
        return 0;
    }
    qv::TqvSkinIni written;
    skin.SaveToSkinText(written);
    qv::TqvSkinData again(nullptr);
    try {
        again.LoadFromContainer(ContainerOf(written.Text()));
    } catch (const std::exception&) {
        std::abort(); // the writers' syntax must always read back
    }
    if (again.FormObjects.size() != skin.FormObjects.size() ||
        again.ControlSkins.size() != skin.ControlSkins.size()) {
        std::abort();
    }
    return 0;
}
