// Fuzzes the stored-skin reading of skintool: the inflater, the container walk and the skin text
// reader with the lists and geometry that inspect and render read.

#include "Render.h"
#include "SkinIni.h"
#include "StoredSkin.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::span<const std::uint8_t> input(data + 1, size - 1);
    try {
        // The first byte chooses whether the rest is a zlib stream or the container itself.
        skintool::Bytes container = (data[0] & 1)
            ? skintool::Inflate(input)
            : skintool::Bytes(input.begin(), input.end());
        skintool::Skin skin(skintool::ReadContainer(container));
        for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"}) {
            for (const auto& e : skintool::ReadSectionList(skin.ini, list)) {
                try {
                    auto g = skintool::ReadGeometry(skin, e.name);
                    if (g.layout != skintool::Layout::None) {
                        skintool::RenderSection(skin, e.name, 40, 30, skintool::State::Normal);
                    }
                } catch (const skintool::SkinError&) {
                }
            }
        }
    } catch (const skintool::SkinError&) {
    } catch (const gfx::EInvalidGraphic&) {
    }
    return 0;
}
