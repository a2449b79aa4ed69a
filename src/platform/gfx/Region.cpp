#include "platform/gfx/Region.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gfx {
namespace {

struct Span {
    LONG left;
    LONG right;
    friend bool operator==(const Span&, const Span&) = default;
};

// A band view into a canonical rectangle list: [begin, end) share top and bottom.
struct Band {
    LONG top;
    LONG bottom;
    std::size_t begin;
    std::size_t end;
};

std::vector<Band> BandsOf(const std::vector<RECT>& rects) {
    std::vector<Band> bands;
    for (std::size_t i = 0; i < rects.size();) {
        std::size_t j = i;
        while (j < rects.size() && rects[j].top == rects[i].top) {
            ++j;
        }
        bands.push_back(Band{rects[i].top, rects[i].bottom, i, j});
        i = j;
    }
    return bands;
}

// Sorts and merges spans into disjoint, non-touching ones.
void Normalise(std::vector<Span>& spans) {
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    std::size_t n = 0;
    for (const Span& s : spans) {
        if (n > 0 && s.left <= spans[n - 1].right) {
            spans[n - 1].right = std::max(spans[n - 1].right, s.right);
        } else {
            spans[n++] = s;
        }
    }
    spans.resize(n);
}

// Combines two normalised span lists by sweeping over their edges.
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, Region::Op op,
                  std::vector<Span>& out) {
    out.clear();
    auto inside = [op](bool ia, bool ib) {
        switch (op) {
        case Region::Op::And: return ia && ib;
        case Region::Op::Or: return ia || ib;
        case Region::Op::Diff: return ia && !ib;
        case Region::Op::Xor: return ia != ib;
        }
        return false;
    };
    std::size_t i = 0, j = 0;
    bool ia = false, ib = false;
    bool on = false;
    LONG start = 0;
    // Each span contributes an entering and a leaving edge; walk them in x order.
    auto nextEdge = [](const std::vector<Span>& s, std::size_t k, bool in) {
        return in ? s[k].right : s[k].left;
    };
    while (i < a.size() || j < b.size()) {
        LONG xa = i < a.size() ? nextEdge(a, i, ia) : LONG(0x7FFFFFFF);
        LONG xb = j < b.size() ? nextEdge(b, j, ib) : LONG(0x7FFFFFFF);
        LONG x = std::min(xa, xb);
        if (xa == x) {
            if (ia) {
                ++i;
            }
            ia = !ia;
        }
        if (xb == x) {
            if (ib) {
                ++j;
            }
            ib = !ib;
        }
        bool now = inside(ia, ib);
        if (now && !on) {
            start = x;
        } else if (!now && on && x > start) {
            if (!out.empty() && out.back().right == start) {
                out.back().right = x;
            } else {
                out.push_back(Span{start, x});
            }
        }
        on = now;
    }
}

// Appends a band, merging it into the previous one when it continues it with the same spans.
class Builder {
public:
    void Add(LONG top, LONG bottom, const std::vector<Span>& spans) {
        if (spans.empty() || bottom <= top) {
            return;
        }
        if (lastTop_ != kNone && lastBottom_ == top && lastSpans_ == spans) {
            for (std::size_t k = lastBegin_; k < rects_.size(); ++k) {
                rects_[k].bottom = bottom;
            }
            lastBottom_ = bottom;
            return;
        }
        lastBegin_ = rects_.size();
        lastTop_ = top;
        lastBottom_ = bottom;
        lastSpans_ = spans;
        for (const Span& s : spans) {
            rects_.push_back(RECT{s.left, top, s.right, bottom});
        }
    }
    std::vector<RECT> Take() { return std::move(rects_); }

private:
    static constexpr LONG kNone = LONG(0x80000000);
    std::vector<RECT> rects_;
    std::vector<Span> lastSpans_;
    std::size_t lastBegin_ = 0;
    LONG lastTop_ = kNone;
    LONG lastBottom_ = 0;
};

void SpansOf(const std::vector<RECT>& rects, const Band& band, std::vector<Span>& out) {
    out.clear();
    for (std::size_t k = band.begin; k < band.end; ++k) {
        out.push_back(Span{rects[k].left, rects[k].right});
    }
}

LONG ReadLong(const std::uint8_t* p) {
    std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                      (std::uint32_t(p[3]) << 24);
    return LONG(v);
}
void WriteLong(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(std::uint8_t(v >> (8 * i)));
    }
}

// Sorts rectangles by their top edge (keeping the order of equal tops) and lists the distinct
// tops and bottoms in ascending order: the band edges of the sweep. Rectangles within a few
// thousand rows, as from a window's mask, are bucketed by row instead of compared.
void OrderByTop(std::vector<RECT>& rects, std::vector<LONG>& ys) {
    LONG low = rects[0].top, high = rects[0].bottom;
    for (const RECT& r : rects) {
        low = std::min(low, r.top);
        high = std::max(high, r.bottom);
    }
    const std::int64_t span = std::int64_t(high) - low + 1;
    if (span > std::int64_t(8 * rects.size() + 4096)) {
        std::stable_sort(rects.begin(), rects.end(),
                         [](const RECT& a, const RECT& b) { return a.top < b.top; });
        for (const RECT& r : rects) {
            ys.push_back(r.top);
            ys.push_back(r.bottom);
        }
        std::sort(ys.begin(), ys.end());
        ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
        return;
    }
    std::vector<std::uint32_t> start(std::size_t(span) + 1, 0);
    std::vector<bool> edge(std::size_t(span), false);
    for (const RECT& r : rects) {
        ++start[std::size_t(r.top - low) + 1];
        edge[std::size_t(r.top - low)] = true;
        edge[std::size_t(r.bottom - low)] = true;
    }
    for (std::size_t i = 1; i < start.size(); ++i) {
        start[i] += start[i - 1];
    }
    std::vector<RECT> sorted(rects.size());
    for (const RECT& r : rects) {
        sorted[start[std::size_t(r.top - low)]++] = r;
    }
    rects.swap(sorted);
    for (std::size_t i = 0; i < edge.size(); ++i) {
        if (edge[i]) {
            ys.push_back(LONG(low + std::int64_t(i)));
        }
    }
}

} // namespace

Region::Region(const RECT& r) {
    if (!IsRectEmpty(r)) {
        rects_.push_back(r);
        bounds_ = r;
    }
}

Region Region::FromRects(std::span<const RECT> input) {
    std::vector<RECT> rects;
    for (const RECT& r : input) {
        if (!IsRectEmpty(r)) {
            rects.push_back(r);
        }
    }
    Region result;
    if (rects.empty()) {
        return result;
    }
    std::vector<LONG> ys;
    OrderByTop(rects, ys);
    Builder builder;
    std::vector<const RECT*> active;
    std::vector<Span> spans;
    std::size_t next = 0;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        LONG y0 = ys[k], y1 = ys[k + 1];
        while (next < rects.size() && rects[next].top <= y0) {
            active.push_back(&rects[next++]);
        }
        std::erase_if(active, [y0](const RECT* r) { return r->bottom <= y0; });
        spans.clear();
        for (const RECT* r : active) {
            spans.push_back(Span{r->left, r->right});
        }
        Normalise(spans);
        builder.Add(y0, y1, spans);
    }
    result.rects_ = builder.Take();
    result.UpdateBounds();
    return result;
}

Region Region::Combine(const Region& a, const Region& b, Op op) {
    std::vector<Band> ba = BandsOf(a.rects_), bb = BandsOf(b.rects_);
    std::vector<LONG> ys;
    for (const Band& band : ba) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const Band& band : bb) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Builder builder;
    std::vector<Span> sa, sb, out;
    std::size_t i = 0, j = 0;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        LONG y0 = ys[k], y1 = ys[k + 1];
        while (i < ba.size() && ba[i].bottom <= y0) {
            ++i;
        }
        while (j < bb.size() && bb[j].bottom <= y0) {
            ++j;
        }
        sa.clear();
        sb.clear();
        if (i < ba.size() && ba[i].top <= y0) {
            SpansOf(a.rects_, ba[i], sa);
        }
        if (j < bb.size() && bb[j].top <= y0) {
            SpansOf(b.rects_, bb[j], sb);
        }
        if (sa.empty() && sb.empty()) {
            continue;
        }
        CombineSpans(sa, sb, op, out);
        builder.Add(y0, y1, out);
    }
    Region result;
    result.rects_ = builder.Take();
    result.UpdateBounds();
    return result;
}

void Region::UpdateBounds() {
    if (rects_.empty()) {
        bounds_ = RECT{};
        return;
    }
    bounds_ = RECT{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
    for (const RECT& r : rects_) {
        bounds_.left = std::min(bounds_.left, r.left);
        bounds_.right = std::max(bounds_.right, r.right);
    }
}

bool Region::Contains(int x, int y) const {
    if (!PtInRect(bounds_, POINT{x, y})) {
        return false;
    }
    for (const RECT& r : rects_) {
        if (r.top > y) {
            break;
        }
        if (PtInRect(r, POINT{x, y})) {
            return true;
        }
    }
    return false;
}

bool Region::Intersects(const RECT& rc) const {
    if (IsRectEmpty(IntersectRect(bounds_, rc))) {
        return false;
    }
    for (const RECT& r : rects_) {
        if (r.top >= rc.bottom) {
            break;
        }
        if (!IsRectEmpty(IntersectRect(r, rc))) {
            return true;
        }
    }
    return false;
}

void Region::Offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r = OffsetRect(r, dx, dy);
    }
    if (!rects_.empty()) {
        bounds_ = OffsetRect(bounds_, dx, dy);
    }
}

std::vector<std::uint8_t> Region::ToRegionData() const {
    std::vector<std::uint8_t> out;
    out.reserve(32 + 16 * rects_.size());
    WriteLong(out, 32);
    WriteLong(out, 1); // RDH_RECTANGLES
    WriteLong(out, std::uint32_t(rects_.size()));
    WriteLong(out, std::uint32_t(16 * rects_.size()));
    for (LONG v : {bounds_.left, bounds_.top, bounds_.right, bounds_.bottom}) {
        WriteLong(out, std::uint32_t(v));
    }
    for (const RECT& r : rects_) {
        for (LONG v : {r.left, r.top, r.right, r.bottom}) {
            WriteLong(out, std::uint32_t(v));
        }
    }
    return out;
}

bool Region::FromRegionData(std::span<const std::uint8_t> data, Region& out) {
    if (data.size() < 32) {
        return false;
    }
    std::uint32_t headerSize = std::uint32_t(ReadLong(&data[0]));
    std::uint32_t type = std::uint32_t(ReadLong(&data[4]));
    std::uint32_t count = std::uint32_t(ReadLong(&data[8]));
    if (headerSize != 32 || type != 1 || count > (data.size() - 32) / 16) {
        return false;
    }
    std::vector<RECT> rects(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint8_t* p = &data[32 + 16 * std::size_t(k)];
        rects[k] = RECT{ReadLong(p), ReadLong(p + 4), ReadLong(p + 8), ReadLong(p + 12)};
    }
    out = FromRects(rects);
    return true;
}

} // namespace gfx
