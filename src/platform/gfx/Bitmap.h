#pragma once
// A 32-bit top-down raster: the pixel store every drawing operation of the program writes into.
// A pixel is one 32-bit word in the byte order of a Windows 32-bit DIB (blue, green, red, unused
// from the lowest address up), i.e. 0x00RRGGBB as a value. COLORREF (0x00BBGGRR) converts with
// ColorToPixel / PixelToColor. A bitmap of 0 x 0 is empty and owns no memory.

#include "platform/gfx/WinTypes.h"

#include <cstdint>
#include <vector>

namespace gfx {

using Pixel = std::uint32_t;

constexpr Pixel ColorToPixel(COLORREF c) {
    return Pixel(GetBValue(c)) | (Pixel(GetGValue(c)) << 8) | (Pixel(GetRValue(c)) << 16);
}
constexpr COLORREF PixelToColor(Pixel p) {
    return RGB(BYTE((p >> 16) & 0xFF), BYTE((p >> 8) & 0xFF), BYTE(p & 0xFF));
}

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Pixel fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }

    // Resizes to width x height; the content is cleared to fill. Negative sizes give 0.
    void Resize(int width, int height, Pixel fill = 0);
    void Clear(Pixel fill);

    Pixel* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const Pixel* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Checked access: reading outside gives 0, writing outside does nothing.
    Pixel GetPixel(int x, int y) const { return Contains(x, y) ? Row(y)[x] : 0; }
    void SetPixel(int x, int y, Pixel p) {
        if (Contains(x, y)) {
            Row(y)[x] = p;
        }
    }
    COLORREF GetColor(int x, int y) const { return PixelToColor(GetPixel(x, y)); }
    void SetColor(int x, int y, COLORREF c) { SetPixel(x, y, ColorToPixel(c)); }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

} // namespace gfx
