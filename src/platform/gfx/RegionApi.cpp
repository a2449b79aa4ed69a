#include "platform/gfx/RegionApi.h"

#include <algorithm>
#include <cstring>

namespace {

RECT Ordered(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

} // namespace

int RegionComplexity(const gfx::Region& r) {
    if (r.Empty()) {
        return NULLREGION;
    }
    return r.IsSimple() ? SIMPLEREGION : COMPLEXREGION;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return new gfx::GdiRegion(gfx::Region(Ordered(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (rect == nullptr) {
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN ExtCreateRegion(const void* transform, DWORD size, const RGNDATA* data) {
    if (transform != nullptr || data == nullptr) {
        return nullptr;
    }
    gfx::Region r;
    auto bytes = std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data), size);
    if (!gfx::Region::FromRegionData(bytes, r)) {
        return nullptr;
    }
    return new gfx::GdiRegion(std::move(r));
}

DWORD GetRegionData(HRGN rgn, DWORD size, RGNDATA* buffer) {
    if (rgn == nullptr) {
        return 0;
    }
    std::vector<std::uint8_t> block = rgn->region.ToRegionData();
    if (buffer == nullptr) {
        return DWORD(block.size());
    }
    if (size < block.size()) {
        return 0;
    }
    std::memcpy(buffer, block.data(), block.size());
    return DWORD(block.size());
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    if (rgn == nullptr) {
        return FALSE;
    }
    rgn->region = gfx::Region(Ordered(left, top, right, bottom));
    return TRUE;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    if (dest == nullptr || src1 == nullptr) {
        return ERROR;
    }
    using Op = gfx::Region::Op;
    if (mode == RGN_COPY) {
        dest->region = src1->region;
        return RegionComplexity(dest->region);
    }
    if (src2 == nullptr) {
        return ERROR;
    }
    Op op;
    switch (mode) {
    case RGN_AND: op = Op::And; break;
    case RGN_OR: op = Op::Or; break;
    case RGN_XOR: op = Op::Xor; break;
    case RGN_DIFF: op = Op::Diff; break;
    default: return ERROR;
    }
    dest->region = gfx::Region::Combine(src1->region, src2->region, op);
    return RegionComplexity(dest->region);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    if (rgn == nullptr) {
        return ERROR;
    }
    rgn->region.Offset(dx, dy);
    return RegionComplexity(rgn->region);
}

BOOL PtInRegion(HRGN rgn, int x, int y) { return rgn && rgn->region.Contains(x, y) ? TRUE : FALSE; }

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
    if (rgn == nullptr || rect == nullptr) {
        return FALSE;
    }
    RECT r = Ordered(rect->left, rect->top, rect->right, rect->bottom);
    return rgn->region.Intersects(r) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, RECT* rect) {
    if (rgn == nullptr || rect == nullptr) {
        return ERROR;
    }
    *rect = rgn->region.Bounds();
    return RegionComplexity(rgn->region);
}

BOOL EqualRgn(HRGN a, HRGN b) {
    if (a == nullptr || b == nullptr) {
        return FALSE; // Windows reports ERROR (0) for a bad handle as well
    }
    return a->region == b->region ? TRUE : FALSE;
}
