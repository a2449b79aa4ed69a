#pragma once
// The drawing primitives of the skin generator: anti-aliased shapes by coverage over a gfx::Bitmap.
//
// Coordinates are in pixels with pixel (x, y) covering [x, x+1) x [y, y+1), so a shape whose edges
// lie on whole numbers fills whole pixels and its one-pixel outline stays crisp; only the curved
// parts get partial coverage. Coverage is measured by 8 x 8 supersampling, which is exact enough
// for pictures this small and keeps every result deterministic.

#include "platform/gfx/Bitmap.h"

#include <functional>

namespace skingen {

using gfx::Pixel;

constexpr Pixel Rgb(int r, int g, int b) {
    return (Pixel(r & 0xFF) << 16) | (Pixel(g & 0xFF) << 8) | Pixel(b & 0xFF);
}
// COLORREF value (low byte red) as the skin text writes colours.
constexpr long ColorRef(Pixel p) {
    return long((p >> 16) & 0xFF) | (long((p >> 8) & 0xFF) << 8) | (long(p & 0xFF) << 16);
}
Pixel Mix(Pixel a, Pixel b, double t); // t = 0 gives a, 1 gives b

struct Box { // a rectangle with fractional edges
    double left, top, right, bottom;
};

// Radii of the four corners, clockwise from the top left.
struct Radii {
    double lt = 0, rt = 0, rb = 0, lb = 0;
    static Radii All(double r) { return {r, r, r, r}; }
};

// A colour source: the colour of the pixel at (x, y).
using Fill = std::function<Pixel(int x, int y)>;
inline Fill Solid(Pixel p) {
    return [p](int, int) { return p; };
}
// Vertical gradient from top colour at row y0 to bottom colour at row y1 (rows outside clamp).
Fill VGradient(int y0, int y1, Pixel top, Pixel bottom);

class Painter {
public:
    explicit Painter(gfx::Bitmap& target) : bmp_(target) {}

    // Blends colour over the pixel by alpha (0..1); outside the bitmap nothing happens.
    void Blend(int x, int y, Pixel colour, double alpha);
    void FillRect(int left, int top, int right, int bottom, const Fill& fill);
    void FillRect(int left, int top, int right, int bottom, Pixel p) {
        FillRect(left, top, right, bottom, Solid(p));
    }
    void HLine(int x0, int x1, int y, Pixel p) { FillRect(x0, y, x1, y + 1, p); }
    void VLine(int x, int y0, int y1, Pixel p) { FillRect(x, y0, x + 1, y1, p); }

    void FillRoundRect(const Box& b, const Radii& r, const Fill& fill);
    void FillRoundRect(const Box& b, double r, Pixel p) { FillRoundRect(b, Radii::All(r), Solid(p)); }
    // A line of width w just inside the outline of the rounded rectangle.
    void StrokeRoundRect(const Box& b, const Radii& r, Pixel p, double w = 1.0);
    void StrokeRoundRect(const Box& b, double r, Pixel p) { StrokeRoundRect(b, Radii::All(r), p); }
    // A round-capped line segment of width w between two points.
    void Line(double x0, double y0, double x1, double y1, double w, Pixel p);
    void FillCircle(double cx, double cy, double radius, Pixel p);
    // A filled triangle.
    void Triangle(double x0, double y0, double x1, double y1, double x2, double y2, Pixel p);

    gfx::Bitmap& Target() { return bmp_; }

private:
    template <typename Inside>
    void Cover(int left, int top, int right, int bottom, const Inside& inside, const Fill& fill);

    gfx::Bitmap& bmp_;
};

// True when (x, y) lies inside the rounded rectangle.
bool InsideRoundRect(const Box& b, const Radii& r, double x, double y);

} // namespace skingen
