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

// One state per input and the contact sheet for every other input: the mode byte chooses
// them, so the fuzzer reaches each renderer in each state while one input costs about a
// millisecond instead of ten.
void RenderAll(const Skin& skin, std::uint8_t mode) {
    DescribeSkin(skin, 0, true);
    const State states[] = {State::Normal, State::Active, State::Down, State::Focused, State::Disabled};
    const State s = states[(mode >> 1) % 5];
    for (const auto& record : skin.data.ControlSkins) {
        const std::string& name = record->SectionName;
        Expecting([&] { RenderSection(skin, name, 40, 30, s); });
        Expecting([&] { RenderScrollBar(skin, name, 60, 17, s); });
        if (s == State::Normal) {
            Expecting([&] { RenderGauge(skin, name, 60, 20, 0.5); });
        }
    }
    Expecting([&] { RenderFrame(skin, 120, 90, s != State::Disabled, 0); });
    if (mode & 0x80) {
        Expecting([&] {
            std::vector<SheetTile> tiles;
            RenderSheet(skin, tiles);
        });
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::span<const std::uint8_t> input(data + 1, size - 1);
    Expecting([&] {
        // The first byte chooses whether the rest is a zlib stream or the container itself (bit
        // 0), the state the sections are drawn in (bits 1-3) and the contact sheet (bit 7).
        Bytes container = (data[0] & 1) ? qv::InflateSkinStream(input) : Bytes(input.begin(), input.end());
        auto skin = std::make_unique<Skin>(container);
        RenderAll(*skin, data[0]);
    });
    return 0;
}
