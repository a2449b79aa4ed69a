#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {
constexpr int kSamples = 8;

int Channel(Pixel p, int shift) { return int((p >> shift) & 0xFF); }

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    double dx = x1 - x0, dy = y1 - y0;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0) : 0.0;
    double ex = x0 + t * dx - px, ey = y0 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

double Cross(double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}
} // namespace

Pixel Mix(Pixel a, Pixel b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [&](int shift) {
        double v = Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * t;
        return int(std::lround(v));
    };
    return Rgb(ch(16), ch(8), ch(0));
}

Fill VGradient(int y0, int y1, Pixel top, Pixel bottom) {
    return [=](int, int y) {
        double t = y1 > y0 ? double(y - y0) / double(y1 - y0) : 0.0;
        return Mix(top, bottom, t);
    };
}

bool InsideRoundRect(const Box& b, const Radii& r, double x, double y) {
    if (x < b.left || x >= b.right || y < b.top || y >= b.bottom) {
        return false;
    }
    auto corner = [&](double cx, double cy, double radius) {
        double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
    if (x < b.left + r.lt && y < b.top + r.lt) {
        return corner(b.left + r.lt, b.top + r.lt, r.lt);
    }
    if (x > b.right - r.rt && y < b.top + r.rt) {
        return corner(b.right - r.rt, b.top + r.rt, r.rt);
    }
    if (x > b.right - r.rb && y > b.bottom - r.rb) {
        return corner(b.right - r.rb, b.bottom - r.rb, r.rb);
    }
    if (x < b.left + r.lb && y > b.bottom - r.lb) {
        return corner(b.left + r.lb, b.bottom - r.lb, r.lb);
    }
    return true;
}

void Painter::Blend(int x, int y, Pixel colour, double alpha) {
    if (!bmp_.Contains(x, y) || alpha <= 0) {
        return;
    }
    bmp_.SetPixel(x, y, alpha >= 1 ? colour : Mix(bmp_.GetPixel(x, y), colour, alpha));
}

void Painter::FillRect(int left, int top, int right, int bottom, const Fill& fill) {
    for (int y = std::max(top, 0); y < std::min(bottom, bmp_.Height()); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, bmp_.Width()); ++x) {
            bmp_.SetPixel(x, y, fill(x, y));
        }
    }
}

template <typename Inside>
void Painter::Cover(int left, int top, int right, int bottom, const Inside& inside, const Fill& fill) {
    for (int y = std::max(top, 0); y < std::min(bottom, bmp_.Height()); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, bmp_.Width()); ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) / kSamples, py = y + (sy + 0.5) / kSamples;
                    hits += inside(px, py) ? 1 : 0;
                }
            }
            Blend(x, y, fill(x, y), double(hits) / (kSamples * kSamples));
        }
    }
}

void Painter::FillRoundRect(const Box& b, const Radii& r, const Fill& fill) {
    Cover(
        int(std::floor(b.left)), int(std::floor(b.top)), int(std::ceil(b.right)), int(std::ceil(b.bottom)),
        [&](double x, double y) { return InsideRoundRect(b, r, x, y); }, fill);
}

void Painter::StrokeRoundRect(const Box& b, const Radii& r, Pixel p, double w) {
    Box in{b.left + w, b.top + w, b.right - w, b.bottom - w};
    auto shrink = [w](double v) { return std::max(0.0, v - w); };
    Radii ri{shrink(r.lt), shrink(r.rt), shrink(r.rb), shrink(r.lb)};
    Cover(
        int(std::floor(b.left)), int(std::floor(b.top)), int(std::ceil(b.right)), int(std::ceil(b.bottom)),
        [&](double x, double y) { return InsideRoundRect(b, r, x, y) && !InsideRoundRect(in, ri, x, y); },
        Solid(p));
}

void Painter::Line(double x0, double y0, double x1, double y1, double w, Pixel p) {
    double h = w / 2;
    Cover(
        int(std::floor(std::min(x0, x1) - h)), int(std::floor(std::min(y0, y1) - h)),
        int(std::ceil(std::max(x0, x1) + h)), int(std::ceil(std::max(y0, y1) + h)),
        [&](double x, double y) { return SegmentDistance(x, y, x0, y0, x1, y1) <= h; }, Solid(p));
}

void Painter::FillCircle(double cx, double cy, double radius, Pixel p) {
    Cover(
        int(std::floor(cx - radius)), int(std::floor(cy - radius)), int(std::ceil(cx + radius)),
        int(std::ceil(cy + radius)),
        [&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; },
        Solid(p));
}

void Painter::Triangle(double x0, double y0, double x1, double y1, double x2, double y2, Pixel p) {
    double area = Cross(x0, y0, x1, y1, x2, y2);
    Cover(
        int(std::floor(std::min({x0, x1, x2}))), int(std::floor(std::min({y0, y1, y2}))),
        int(std::ceil(std::max({x0, x1, x2}))), int(std::ceil(std::max({y0, y1, y2}))),
        [&](double x, double y) {
            double a = Cross(x0, y0, x1, y1, x, y), b = Cross(x1, y1, x2, y2, x, y),
                   c = Cross(x2, y2, x0, y0, x, y);
            return area >= 0 ? (a >= 0 && b >= 0 && c >= 0) : (a <= 0 && b <= 0 && c <= 0);
        },
        Solid(p));
}

} // namespace skingen
