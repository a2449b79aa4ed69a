#include "skin/data/qvMaskRegion.h"

#include <cstring>

namespace qv {

namespace {

constexpr std::uint32_t kRegionHeaderSize = 32;
constexpr std::uint32_t kRdhRectangles = 1;

void PutDword(std::uint8_t* at, std::uint32_t v) {
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
    at[2] = std::uint8_t(v >> 16);
    at[3] = std::uint8_t(v >> 24);
}

void PutRect(std::uint8_t* at, const RECT& r) {
    PutDword(at, std::uint32_t(r.left));
    PutDword(at + 4, std::uint32_t(r.top));
    PutDword(at + 8, std::uint32_t(r.right));
    PutDword(at + 12, std::uint32_t(r.bottom));
}

bool IsBlack(gfx::Pixel p) { return (p & 0x00FFFFFFu) == 0; }

} // namespace

std::vector<RECT> MaskToRuns(const gfx::Bitmap& mask, int dx, int dy) {
    std::vector<RECT> runs;
    AppendMaskRuns(mask, dx, dy, runs);
    return runs;
}

void AppendMaskRuns(const gfx::Bitmap& mask, int dx, int dy, std::vector<RECT>& runs) {
    const int w = mask.Width();
    for (int y = 0; y < mask.Height(); ++y) {
        const gfx::Pixel* row = mask.Row(y);
        int x = 0;
        while (x < w) {
            while (x < w && !IsBlack(row[x])) {
                ++x;
            }
            if (x == w) {
                break;
            }
            const int start = x;
            while (x < w && IsBlack(row[x])) {
                ++x;
            }
            runs.push_back(RECT{start + dx, y + dy, x + dx, y + dy + 1});
        }
    }
}

std::vector<std::uint8_t> MaskToRegionData(const gfx::Bitmap& mask, int dx, int dy) {
    // The runs are collected first so the block is allocated once at its final size; there is no
    // fixed run table to overflow.
    const std::vector<RECT> runs = MaskToRuns(mask, dx, dy);
    std::vector<std::uint8_t> block(kRegionHeaderSize + 16 * runs.size());
    std::uint8_t* p = block.data();
    PutDword(p, kRegionHeaderSize);
    PutDword(p + 4, kRdhRectangles);
    PutDword(p + 8, std::uint32_t(runs.size()));
    PutDword(p + 12, 0);
    PutRect(p + 16, RECT{dx, dy, dx + mask.Width(), dy + mask.Height()});
    p += kRegionHeaderSize;
    for (const RECT& r : runs) {
        PutRect(p, r);
        p += 16;
    }
    return block;
}

HRGN RegionFromMask(const gfx::Bitmap& mask) {
    const std::vector<std::uint8_t> block = MaskToRegionData(mask, 0, 0);
    return ExtCreateRegion(nullptr, DWORD(block.size()), reinterpret_cast<const RGNDATA*>(block.data()));
}

bool BuildSkinMaskRegion(const gfx::Bitmap& Mk, const TqvSkinGeometry& g, const TqvSkinGeometry& ng, int W,
                         gfx::Region& region) {
    const RECT& nm = ng.Cl;
    if (ng.RT.x < ng.LT.x || ng.LB.y < ng.LT.y || IsRectEmpty(nm)) {
        return false;
    }
    TqvBorderStrips strips;
    ComposeMaskStrips(Mk, g, ng, W, strips);
    // One pass over all runs: the union is built once rather than strip by strip.
    std::vector<RECT> rects{nm};
    AppendMaskRuns(strips.Top, 0, 0, rects);
    AppendMaskRuns(strips.Bottom, 0, nm.bottom, rects);
    AppendMaskRuns(strips.Left, 0, nm.top, rects);
    AppendMaskRuns(strips.Right, nm.right, nm.top, rects);
    region = gfx::Region::FromRects(rects);
    return true;
}

HRGN RegionFromSkinMask(const gfx::Bitmap& Mk, const TqvSkinGeometry& g, const TqvSkinGeometry& ng, int W) {
    gfx::Region region;
    if (!BuildSkinMaskRegion(Mk, g, ng, W, region)) {
        return nullptr;
    }
    return new gfx::GdiRegion(std::move(region));
}

} // namespace qv
