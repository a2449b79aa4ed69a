#pragma once
// Image effects of the form skin: the transitions between an object's normal and mouse-over
// images (morphing) and the filters that derive an inactive frame from the active one. They work
// on plain 24-bit copies of bitmaps (rows from the top, each pixel blue, green, red, rows padded to
// a multiple of 4 bytes), so their arithmetic is independent of the display's pixel format.
//
// Every computed channel is rounded to the nearest integer (a half goes to the even neighbour) and
// clamped to 0..255. A transition changes this image (A) in place towards a second image B of the
// same size; with images of different sizes it does nothing. Factors are clamped to 0..1.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DCApi.h"

#include <cstdint>
#include <random>
#include <vector>

namespace qv {

// A 24-bit top-down pixel copy; the storage shared by TqvEffectBmp and TqvFBitmap.
class TqvBitmap24 {
public:
    TqvBitmap24() = default;
    // A black image of width x height (negative sizes give an empty image).
    TqvBitmap24(int width, int height);
    // Reads the pixels of source; the source is not changed.
    explicit TqvBitmap24(const gfx::Bitmap& source);
    // Reads the pixels of a bitmap handle (an empty copy for a null handle).
    explicit TqvBitmap24(HBITMAP source);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes per row: 3 * width padded to a multiple of 4.
    int Stride() const { return stride_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    std::uint8_t* ScanLine(int y) { return bits_.data() + std::size_t(y) * std::size_t(stride_); }
    const std::uint8_t* ScanLine(int y) const { return bits_.data() + std::size_t(y) * std::size_t(stride_); }
    const std::uint8_t* Bits() const { return bits_.data(); }
    // Copies row y out to / in from a buffer of 3 * width bytes.
    void ReadRow(int y, std::uint8_t* buffer) const;
    void WriteRow(int y, const std::uint8_t* buffer);

    gfx::Pixel GetPixel(int x, int y) const;
    void SetPixel(int x, int y, gfx::Pixel p);

    // The copy as a 32-bit bitmap, and drawn 1:1 into one at (x, y), clipped to it.
    gfx::Bitmap ToBitmap() const;
    void DrawTo(gfx::Bitmap& target, int x, int y) const;
    // Sets the copy into a device context at (x, y), 1:1, within the context's clip.
    void DrawTo(HDC dc, int x, int y) const;

protected:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<std::uint8_t> bits_;
};

class TqvEffectBmp : public TqvBitmap24 {
public:
    using TqvBitmap24::TqvBitmap24;

    // Transitions, A = this image, x = progress 0..1 (0 keeps A for the mixing kinds).
    void MixWith(const TqvEffectBmp& b, double x);
    void CentreWipe(const TqvEffectBmp& b, double x);
    void CentreWipeHorz(const TqvEffectBmp& b, double x);
    void CentreWipeVert(const TqvEffectBmp& b, double x);
    void LeftWipe(const TqvEffectBmp& b, double x);
    void RightWipe(const TqvEffectBmp& b, double x);
    void SlideFromLeft(const TqvEffectBmp& b, double x);
    void SlideFromRight(const TqvEffectBmp& b, double x);
    void PushFromLeft(const TqvEffectBmp& b, double x);

    // Filters, in place.
    void Lighten(double x);
    void Darken(double x);
    void ToGray();
    void Invert();
    // Adds one uniformly random offset in -(s / 2) .. s - 1 - s / 2 per pixel to all three
    // channels; any uniform random bit generator will do.
    template <class Generator>
    void AddNoise(int s, Generator& generator);
    // The same with a generator seeded from the system's entropy source.
    void AddNoise(int s);
    void SplitBlur(int s);

private:
    void AddToPixel(std::uint8_t* px, int delta);
};

// A 24-bit top-down copy with a table of row pointers, for scanning a picture row by row.
class TqvFBitmap : public TqvBitmap24 {
public:
    TqvFBitmap() = default;
    TqvFBitmap(int width, int height);
    explicit TqvFBitmap(const gfx::Bitmap& source);
    explicit TqvFBitmap(HBITMAP source);
    TqvFBitmap(const TqvFBitmap& other);
    TqvFBitmap& operator=(const TqvFBitmap& other);

    std::uint8_t* const* Rows() { return rows_.data(); }
    const std::uint8_t* const* Rows() const { return rows_.data(); }

private:
    void BuildRows();
    std::vector<std::uint8_t*> rows_;
};

template <class Generator>
void TqvEffectBmp::AddNoise(int s, Generator& generator) {
    if (s <= 0) {
        return;
    }
    std::uniform_int_distribution<int> pick(0, s - 1);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            AddToPixel(row + 3 * x, pick(generator) - s / 2);
        }
    }
}

} // namespace qv
