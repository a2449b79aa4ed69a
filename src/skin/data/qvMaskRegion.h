#pragma once
// Window regions from mask pictures. A mask is an ordinary skin picture in which black pixels
// (red, green and blue all 0) are inside the window and every other colour is outside.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/RegionApi.h"
#include "skin/data/qvCompose.h"

#include <cstdint>
#include <vector>

namespace qv {

// The mask as a Windows RGNDATA block for offset (dx, dy): a 32-byte header (dwSize 32, iType
// RDH_RECTANGLES, nCount, nRgnSize 0, rcBound = the mask's rectangle at the offset) followed by
// one 16-byte rectangle per maximal horizontal run of black pixels, row by row from the top and
// left to right in a row. The block's size is 32 + 16 * nCount bytes; it holds every run however
// many there are. A mask without black pixels (or an empty mask) gives a header with no rectangles.
std::vector<std::uint8_t> MaskToRegionData(const gfx::Bitmap& mask, int dx, int dy);

// The runs of MaskToRegionData as rectangles, for callers that build a region directly.
std::vector<RECT> MaskToRuns(const gfx::Bitmap& mask, int dx, int dy);
void AppendMaskRuns(const gfx::Bitmap& mask, int dx, int dy, std::vector<RECT>& runs);

// The region of a whole mask at offset (0, 0); the caller owns it (DeleteObject). Null only when
// the platform cannot make a region.
HRGN RegionFromMask(const gfx::Bitmap& mask);

// The window region of an element of width W from its mask picture Mk: the rectangle ng.Cl (the
// new inner rectangle) united with the black pixels of the four mask strips of ComposeMaskStrips,
// placed around it. No region (false / null) when the new corner points are inverted or ng.Cl is
// empty. The HRGN form is owned by the caller.
bool BuildSkinMaskRegion(const gfx::Bitmap& Mk, const TqvSkinGeometry& g, const TqvSkinGeometry& ng, int W,
                         gfx::Region& region);
HRGN RegionFromSkinMask(const gfx::Bitmap& Mk, const TqvSkinGeometry& g, const TqvSkinGeometry& ng, int W);

} // namespace qv
