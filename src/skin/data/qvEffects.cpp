#include "skin/data/qvEffects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv {

namespace {

int PaddedStride(int width) { return (3 * width + 3) & ~3; }

// The nearest integer, a half going to the even neighbour, clamped to a channel's range.
std::uint8_t Channel(double v) {
    if (!(v > 0.0)) {
        return 0; // also NaN
    }
    if (v >= 255.0) {
        return 255;
    }
    const double f = std::floor(v);
    const double rest = v - f;
    int i = int(f);
    if (rest > 0.5 || (rest == 0.5 && (i & 1) != 0)) {
        ++i;
    }
    return std::uint8_t(i);
}

// Nearest integer with halves to even, for counts derived from a factor already in 0..1.
int NearestInt(double v) {
    const double f = std::floor(v);
    const double rest = v - f;
    long long i = (long long)f;
    if (rest > 0.5 || (rest == 0.5 && (i & 1) != 0)) {
        ++i;
    }
    return int(i);
}

double ClampFactor(double x) {
    if (!(x >= 0.0)) {
        return 0.0;
    }
    return std::min(x, 1.0);
}

// pixel = nearest(w * a + (1 - w) * b) for its three channels.
void Blend(std::uint8_t* a, const std::uint8_t* b, double w) {
    for (int c = 0; c < 3; ++c) {
        a[c] = Channel(w * a[c] + (1.0 - w) * b[c]);
    }
}

void CopyPixel(std::uint8_t* to, const std::uint8_t* from) { std::memcpy(to, from, 3); }

} // namespace

TqvBitmap24::TqvBitmap24(int width, int height) {
    if (width > 0 && height > 0) {
        width_ = width;
        height_ = height;
        stride_ = PaddedStride(width);
        bits_.assign(std::size_t(stride_) * std::size_t(height_), 0);
    }
}

TqvBitmap24::TqvBitmap24(const gfx::Bitmap& source) : TqvBitmap24(source.Width(), source.Height()) {
    for (int y = 0; y < height_; ++y) {
        const gfx::Pixel* in = source.Row(y);
        std::uint8_t* out = ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            out[3 * x] = std::uint8_t(in[x]);
            out[3 * x + 1] = std::uint8_t(in[x] >> 8);
            out[3 * x + 2] = std::uint8_t(in[x] >> 16);
        }
    }
}

TqvBitmap24::TqvBitmap24(HBITMAP source)
    : TqvBitmap24(source != nullptr ? TqvBitmap24(source->Pixels()) : TqvBitmap24()) {}

void TqvBitmap24::ReadRow(int y, std::uint8_t* buffer) const {
    std::memcpy(buffer, ScanLine(y), std::size_t(3 * width_));
}

void TqvBitmap24::WriteRow(int y, const std::uint8_t* buffer) {
    std::memcpy(ScanLine(y), buffer, std::size_t(3 * width_));
}

gfx::Pixel TqvBitmap24::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    const std::uint8_t* p = ScanLine(y) + 3 * x;
    return gfx::Pixel(p[0]) | (gfx::Pixel(p[1]) << 8) | (gfx::Pixel(p[2]) << 16);
}

void TqvBitmap24::SetPixel(int x, int y, gfx::Pixel v) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    std::uint8_t* p = ScanLine(y) + 3 * x;
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
}

gfx::Bitmap TqvBitmap24::ToBitmap() const {
    gfx::Bitmap out(width_, height_);
    DrawTo(out, 0, 0);
    return out;
}

void TqvBitmap24::DrawTo(gfx::Bitmap& target, int x, int y) const {
    const int x0 = std::max(0, x);
    const int x1 = std::min(target.Width(), x + width_);
    const int y0 = std::max(0, y);
    const int y1 = std::min(target.Height(), y + height_);
    for (int ty = y0; ty < y1; ++ty) {
        const std::uint8_t* in = ScanLine(ty - y);
        gfx::Pixel* out = target.Row(ty);
        for (int tx = x0; tx < x1; ++tx) {
            const std::uint8_t* p = in + 3 * (tx - x);
            out[tx] = gfx::Pixel(p[0]) | (gfx::Pixel(p[1]) << 8) | (gfx::Pixel(p[2]) << 16);
        }
    }
}

void TqvBitmap24::DrawTo(HDC dc, int x, int y) const {
    if (dc == nullptr || Empty()) {
        return;
    }
    gfx::Bitmap pixels = ToBitmap();
    HBITMAP bmp = gfx::WrapBitmap(&pixels);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(dc, x, y, width_, height_, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
}

// ---- transitions ----

void TqvEffectBmp::MixWith(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_) {
        return;
    }
    x = ClampFactor(x);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* a = ScanLine(y);
        const std::uint8_t* bb = b.ScanLine(y);
        for (int i = 0; i < 3 * width_; ++i) {
            a[i] = Channel((1.0 - x) * a[i] + x * bb[i]);
        }
    }
}

void TqvEffectBmp::CentreWipe(const TqvEffectBmp& b, double x) {
    if (width_ < height_) {
        CentreWipeVert(b, x);
    } else {
        CentreWipeHorz(b, x);
    }
}

void TqvEffectBmp::CentreWipeHorz(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_ || Empty()) {
        return;
    }
    const int W = width_;
    const int n = NearestInt(W * ClampFactor(x));
    const int d = (W - n) / 2;
    const double step = d != 0 ? 1.0 / d : 1.0;
    const int c = n / 2;
    const int m = W / 2;
    const int first = std::max(0, m - c);
    const int last = std::min(W - 1, m + c);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* a = ScanLine(y);
        const std::uint8_t* bb = b.ScanLine(y);
        for (int j = first; j <= last; ++j) {
            CopyPixel(a + 3 * j, bb + 3 * j);
        }
        // Fade back to A outwards from both edges of the B band; the band's edge columns get
        // weight 0 and so stay B.
        double w = 0.0;
        for (int j = first; j >= 0; --j) {
            Blend(a + 3 * j, bb + 3 * j, w);
            w = std::min(1.0, w + step);
        }
        w = 0.0;
        for (int j = last; j < W; ++j) {
            Blend(a + 3 * j, bb + 3 * j, w);
            w = std::min(1.0, w + step);
        }
    }
}

void TqvEffectBmp::CentreWipeVert(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_ || Empty()) {
        return;
    }
    const int H = height_;
    const int n = NearestInt(H * ClampFactor(x));
    const int d = (H - 1 - n) / 2;
    const double step = d != 0 ? 1.0 / d : 0.0;
    const int c = n / 2;
    const int m = H / 2;
    const int first = std::max(0, m - c);
    const int last = std::min(H - 1, m + c);
    const std::size_t rowBytes = std::size_t(3 * width_);
    for (int i = first; i <= last; ++i) {
        std::memcpy(ScanLine(i), b.ScanLine(i), rowBytes);
    }
    auto blendRow = [&](int i, double w) {
        std::uint8_t* a = ScanLine(i);
        const std::uint8_t* bb = b.ScanLine(i);
        for (std::size_t k = 0; k < rowBytes; k += 3) {
            Blend(a + k, bb + k, w);
        }
    };
    double w = 0.0;
    for (int i = first; i >= 0; --i) {
        blendRow(i, w);
        w = std::min(1.0, w + step);
    }
    w = 0.0;
    for (int i = last; i < H; ++i) {
        blendRow(i, w);
        w = std::min(1.0, w + step);
    }
}

void TqvEffectBmp::LeftWipe(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_ || Empty()) {
        return;
    }
    const int W = width_;
    const int n = std::min(std::max(NearestInt(W * ClampFactor(x)), 1), W - 1);
    const double step = n > 0 ? 1.0 / n : 1.0;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* a = ScanLine(y);
        const std::uint8_t* bb = b.ScanLine(y);
        double w = 0.0;
        for (int j = 0; j <= n; ++j) {
            Blend(a + 3 * j, bb + 3 * j, w);
            w = std::min(1.0, w + step);
        }
    }
}

void TqvEffectBmp::RightWipe(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_ || Empty()) {
        return;
    }
    const int W = width_;
    const int s = std::min(std::max(W - NearestInt(W * ClampFactor(x)), 0), W - 1);
    const double step = W - s > 0 ? 1.0 / (W - s) : 1.0;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* a = ScanLine(y);
        const std::uint8_t* bb = b.ScanLine(y);
        double w = 0.0;
        for (int j = W - 1; j >= s; --j) {
            Blend(a + 3 * j, bb + 3 * j, w);
            w = std::min(1.0, w + step);
        }
    }
}

void TqvEffectBmp::SlideFromLeft(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_ || Empty()) {
        return;
    }
    const int W = width_;
    const int n = std::min(std::max(NearestInt(W * ClampFactor(x)), 1), W - 1);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* a = ScanLine(y);
        const std::uint8_t* bb = b.ScanLine(y);
        for (int k = 0; k < n; ++k) {
            CopyPixel(a + 3 * k, bb + 3 * std::min(W - n + k, W - 1));
        }
    }
}

void TqvEffectBmp::SlideFromRight(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_ || Empty()) {
        return;
    }
    const int W = width_;
    const int n = std::min(std::max(NearestInt(W * ClampFactor(x)), 1), W - 1);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* a = ScanLine(y);
        const std::uint8_t* bb = b.ScanLine(y);
        for (int k = 0; k < n; ++k) {
            CopyPixel(a + 3 * std::min(W - n + k, W - 1), bb + 3 * k);
        }
    }
}

void TqvEffectBmp::PushFromLeft(const TqvEffectBmp& b, double x) {
    if (b.Width() != width_ || b.Height() != height_ || Empty()) {
        return;
    }
    const int W = width_;
    const int n = std::min(std::max(NearestInt(W * ClampFactor(x)), 0), W - 1);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* a = ScanLine(y);
        const std::uint8_t* bb = b.ScanLine(y);
        // A moves right by n + 1 columns (walking from the right so nothing is read after it
        // was overwritten); column n repeats A's column 0.
        for (int j = W - 1; j >= n; --j) {
            CopyPixel(a + 3 * j, a + 3 * std::max(j - n - 1, 0));
        }
        for (int j = 0; j <= n; ++j) {
            CopyPixel(a + 3 * j, bb + 3 * std::min(W - n - 1 + j, W - 1));
        }
    }
}

// ---- filters ----

void TqvEffectBmp::Lighten(double x) {
    x = ClampFactor(x);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = ScanLine(y);
        for (int i = 0; i < 3 * width_; ++i) {
            row[i] = Channel((1.0 - x) * row[i] + 255.0 * x);
        }
    }
}

void TqvEffectBmp::Darken(double x) {
    x = ClampFactor(x);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = ScanLine(y);
        for (int i = 0; i < 3 * width_; ++i) {
            row[i] = Channel((1.0 - x) * row[i]);
        }
    }
}

void TqvEffectBmp::ToGray() {
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = ScanLine(y);
        for (int i = 0; i < 3 * width_; i += 3) {
            const std::uint8_t g = Channel(0.3 * row[i + 2] + 0.59 * row[i + 1] + 0.11 * row[i]);
            row[i] = row[i + 1] = row[i + 2] = g;
        }
    }
}

void TqvEffectBmp::Invert() {
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = ScanLine(y);
        for (int i = 0; i < 3 * width_; ++i) {
            row[i] = std::uint8_t(255 - row[i]);
        }
    }
}

void TqvEffectBmp::AddToPixel(std::uint8_t* px, int delta) {
    for (int c = 0; c < 3; ++c) {
        px[c] = std::uint8_t(std::clamp(px[c] + delta, 0, 255));
    }
}

void TqvEffectBmp::AddNoise(int s) {
    std::random_device seed;
    std::minstd_rand generator(seed());
    AddNoise(s, generator);
}

void TqvEffectBmp::SplitBlur(int s) {
    if (s <= 0 || s >= width_ || s >= height_) {
        return;
    }
    const int W = width_;
    const int H = height_;
    // In place, top to bottom and left to right: the rows above and the pixels to the left are
    // already blurred when read. Near an edge the sample falls back to the pixel's own row or
    // column on that side.
    for (int i = 0; i < H; ++i) {
        const int up = i - s >= 0 ? i - s : i;
        const int down = i + s < H ? i + s : i;
        const std::uint8_t* rowUp = ScanLine(up);
        const std::uint8_t* rowDown = ScanLine(down);
        std::uint8_t* row = ScanLine(i);
        for (int j = 0; j < W; ++j) {
            const int left = 3 * (j - s >= 0 ? j - s : j);
            const int right = 3 * (j + s < W ? j + s : j);
            for (int c = 0; c < 3; ++c) {
                const int sum = rowUp[left + c] + rowDown[left + c] + rowUp[right + c] + rowDown[right + c];
                row[3 * j + c] = std::uint8_t(sum >> 2);
            }
        }
    }
}

// ---- TqvFBitmap ----

TqvFBitmap::TqvFBitmap(int width, int height) : TqvBitmap24(width, height) { BuildRows(); }

TqvFBitmap::TqvFBitmap(const gfx::Bitmap& source) : TqvBitmap24(source) { BuildRows(); }

TqvFBitmap::TqvFBitmap(HBITMAP source) : TqvBitmap24(source) { BuildRows(); }

TqvFBitmap::TqvFBitmap(const TqvFBitmap& other) : TqvBitmap24(other) { BuildRows(); }

TqvFBitmap& TqvFBitmap::operator=(const TqvFBitmap& other) {
    if (this != &other) {
        TqvBitmap24::operator=(other);
        BuildRows();
    }
    return *this;
}

void TqvFBitmap::BuildRows() {
    rows_.resize(std::size_t(height_));
    for (int y = 0; y < height_; ++y) {
        rows_[std::size_t(y)] = ScanLine(y);
    }
}

} // namespace qv
