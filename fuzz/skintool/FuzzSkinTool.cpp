// Fuzzes what skintool does with a stored skin: inflating, the container walk, the skin data
// load, inspect's inventory and every renderer (sections in each state, scroll bars, gauges, the
// frame and the contact sheet). Anything malformed must end in the tool's or the skin data's
// error, never a crash, a hang or a bitmap sized by a hostile rectangle.

#include "Inspect.h"
#include "Render.h"
#include "Sheet.h"
#include "StoredSkin.h"

#include "framework/Exceptions.h"
#include "platform/gfx/BmpCodec.h"
#include "skin/data/qvSkinContainer.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace skintool;

// A renderer's refusal of a section is the expected outcome for most mutated inputs.
template <typename F>
void Expecting(F&& f) {
    try {
        f();
    } catch (const SkinError&) {
    } catch (const vcl::Exception&) {
    } catch (const gfx::EInvalidGraphic&) {
    }
}

void RenderAll(const Skin& skin) {
    DescribeSkin(skin, 0, true);
    const State states[] = {State::Normal, State::Active, State::Down, State::Focused,
                            State::Disabled};
    for (const auto& record : skin.data.ControlSkins) {
        const std::string& name = record->SectionName;
        for (State s : states) {
            Expecting([&] { RenderSection(skin, name, 40, 30, s); });
            Expecting([&] { RenderScrollBar(skin, name, 60, 17, s); });
        }
        Expecting([&] { RenderGauge(skin, name, 60, 20, 0.5); });
    }
    Expecting([&] { RenderFrame(skin, 120, 90, true, 0); });
    Expecting([&] {
        std::vector<SheetTile> tiles;
        RenderSheet(skin, tiles);
    });
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::span<const std::uint8_t> input(data + 1, size - 1);
    Expecting([&] {
        // The first byte chooses whether the rest is a zlib stream or the container itself.
        Bytes container = (data[0] & 1) ? qv::InflateSkinStream(input)
                                        : Bytes(input.begin(), input.end());
        auto skin = std::make_unique<Skin>(container);
        RenderAll(*skin);
    });
    return 0;
}
