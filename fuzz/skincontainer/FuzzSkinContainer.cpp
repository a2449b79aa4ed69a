// Feeds arbitrary bytes to the skin loader, once as an inflated container and once as the zlib
// stream of a stored skin. Whatever fails must fail with an exception and leave the skin data
// empty, not changing and without records.
#include "skin/data/qvSkinData.h"

#include <cstdlib>
#include <exception>

namespace {

void CheckCleared(const qv::TqvSkinData& data) {
    if (!data.IsEmpty() || data.IsChanging() || !data.FormObjects.empty() || !data.ControlSkins.empty() ||
        !data.ExtraPictures.empty() || !data.MainPicture.Empty()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    {
        qv::TqvSkinData skin(nullptr);
        try {
            skin.LoadFromContainer(bytes);
            if (skin.IsChanging()) {
                std::abort();
            }
        } catch (const std::exception&) {
            CheckCleared(skin);
        }
    }
    {
        qv::TqvCompressedStoredSkin stored(nullptr);
        stored.CompressedStream().WriteBuffer(data, std::int64_t(size));
        qv::TqvSkinData skin(nullptr);
        try {
            skin.LoadFromStoredSkin(stored);
        } catch (const std::exception&) {
            CheckCleared(skin);
        }
    }
    return 0;
}
