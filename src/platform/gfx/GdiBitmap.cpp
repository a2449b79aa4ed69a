#include "platform/gfx/GdiBitmap.h"

#include <cstring>

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes != 1) {
        return nullptr;
    }
    gfx::Bitmap b(width, height);
    if (bits != nullptr && !b.Empty()) {
        auto src = static_cast<const std::uint8_t*>(bits);
        if (bitsPerPixel == 32) {
            for (int y = 0; y < height; ++y) {
                std::memcpy(b.Row(y), src + std::size_t(y) * std::size_t(width) * 4, std::size_t(width) * 4);
                for (int x = 0; x < width; ++x) {
                    b.Row(y)[x] &= 0xFFFFFF;
                }
            }
        } else if (bitsPerPixel == 1) {
            std::size_t stride = ((std::size_t(width) + 15) / 16) * 2;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    bool set = (src[std::size_t(y) * stride + std::size_t(x / 8)] >> (7 - x % 8)) & 1;
                    b.Row(y)[x] = set ? 0xFFFFFF : 0;
                }
            }
        }
    }
    return new gfx::GdiBitmap(std::move(b));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width < 0 || height < 0) {
        return nullptr;
    }
    return new gfx::GdiBitmap(gfx::Bitmap(width, height));
}

namespace gfx {

HBITMAP CreateBitmapFrom(Bitmap bitmap) { return new GdiBitmap(std::move(bitmap)); }
HBITMAP WrapBitmap(Bitmap* bitmap) { return bitmap ? new GdiBitmap(bitmap) : nullptr; }

} // namespace gfx
