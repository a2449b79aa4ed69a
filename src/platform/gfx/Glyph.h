#pragma once
// One rendered character: its coverage bitmap and where it sits against the pen.

#include <cstdint>
#include <vector>

namespace gfx {

struct Glyph {
    int left = 0; // bitmap offset from the pen position
    int top = 0;  // rows above the baseline
    int width = 0;
    int height = 0;
    int advance = 0;                    // whole pixels, as Windows lays text out
    std::vector<std::uint8_t> coverage; // width x height, 0 .. 255
    bool operator==(const Glyph&) const = default;
};

} // namespace gfx
