#include "platform/gfx/Bitmap.h"

#include <algorithm>

namespace gfx {

Bitmap::Bitmap(int width, int height, Pixel fill) { Resize(width, height, fill); }

void Bitmap::Resize(int width, int height, Pixel fill) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    if (width_ == 0 || height_ == 0) {
        width_ = height_ = 0;
        pixels_.clear();
        pixels_.shrink_to_fit();
        return;
    }
    pixels_.assign(std::size_t(width_) * std::size_t(height_), fill);
}

void Bitmap::Clear(Pixel fill) { std::fill(pixels_.begin(), pixels_.end(), fill); }

} // namespace gfx
