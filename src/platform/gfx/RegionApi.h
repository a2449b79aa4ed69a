#pragma once
// Regions through the Windows interface: HRGN handles over gfx::Region, with the Windows names,
// constants and return values. Free a region with DeleteObject.

#include "platform/gfx/GdiObject.h"
#include "platform/gfx/Region.h"

namespace gfx {

class GdiRegion : public GdiObject {
public:
    GdiRegion() : GdiObject(ObjectKind::Region) {}
    explicit GdiRegion(Region r) : GdiObject(ObjectKind::Region), region(std::move(r)) {}
    Region region;
};

} // namespace gfx

using HRGN = gfx::GdiRegion*;

// Region complexity, as returned by CombineRgn, OffsetRgn, GetRgnBox and the clip functions.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_ERROR = ERROR;

// CombineRgn modes.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

constexpr DWORD RDH_RECTANGLES = 1;

struct RGNDATAHEADER {
    DWORD dwSize = 32;
    DWORD iType = RDH_RECTANGLES;
    DWORD nCount = 0;   // rectangles that follow
    DWORD nRgnSize = 0; // bytes of rectangles (may be 0)
    RECT rcBound{};
};
static_assert(sizeof(RGNDATAHEADER) == 32);

// The header followed by nCount RECTs; allocate 32 + 16 * n bytes and address Buffer.
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

// The complexity code of a region.
int RegionComplexity(const gfx::Region& r);

// Corners in either order are accepted, as on Windows.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
// data points at size bytes of region data; the transform must be null (no transforms here).
// Returns null for malformed data.
HRGN ExtCreateRegion(const void* transform, DWORD size, const RGNDATA* data);
// Writes the region data into buffer when it holds size bytes; returns the bytes needed
// (buffer null or too small: only the needed size, 0 on error as Windows does when too small).
DWORD GetRegionData(HRGN rgn, DWORD size, RGNDATA* buffer);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rect);
int GetRgnBox(HRGN rgn, RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);
