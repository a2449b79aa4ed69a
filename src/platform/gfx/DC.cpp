#include "platform/gfx/DC.h"

#include "platform/gfx/Raster.h"
#include "platform/gfx/RegionApi.h"
#include "platform/gfx/StockObjects.h"

#include <algorithm>
#include <cmath>

namespace gfx {
namespace {

constexpr int kTransparent = 1;

// Dash patterns of the cosmetic pen styles, in pixels.
constexpr std::uint8_t kDash[] = {18, 6};
constexpr std::uint8_t kDot[] = {3, 3};
constexpr std::uint8_t kDashDot[] = {9, 6, 3, 6};
constexpr std::uint8_t kDashDotDot[] = {9, 3, 3, 3, 3, 3};
constexpr std::uint8_t kAlternate[] = {1, 1};

RECT Normalised(const RECT& r) {
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

} // namespace

DC::DC() : memory_(true) {
    defaultBitmap_ = std::make_unique<GdiBitmap>(Bitmap(1, 1), true);
    InitDefaults();
    state_.bitmap = defaultBitmap_.get();
    state_.bitmap->AddUse();
    target_ = &state_.bitmap->Pixels();
}

DC::DC(Bitmap* target) : target_(target) { InitDefaults(); }

DC::~DC() {
    ReleaseUses(state_);
    for (const State& s : saved_) {
        ReleaseUses(s);
    }
}

void DC::InitDefaults() {
    state_.pen = static_cast<GdiPen*>(GetStockObject(BLACK_PEN));
    state_.brush = static_cast<GdiBrush*>(GetStockObject(WHITE_BRUSH));
    state_.font = GetStockObject(SYSTEM_FONT);
    AddUses(state_);
}

void DC::AddUses(const State& s) {
    for (GdiObject* o : {static_cast<GdiObject*>(s.pen), static_cast<GdiObject*>(s.brush), s.font,
                         static_cast<GdiObject*>(s.bitmap)}) {
        if (o) {
            o->AddUse();
        }
    }
}

void DC::ReleaseUses(const State& s) {
    for (GdiObject* o : {static_cast<GdiObject*>(s.pen), static_cast<GdiObject*>(s.brush), s.font,
                         static_cast<GdiObject*>(s.bitmap)}) {
        if (o) {
            o->ReleaseUse();
        }
    }
}

void DC::SetDeviceOrigin(POINT origin) {
    deviceOrigin_ = origin;
    ClipChanged();
}

void DC::SetSystemClip(std::optional<Region> clip) {
    systemClip_ = std::move(clip);
    ClipChanged();
}

void DC::SetTarget(Bitmap* target) {
    target_ = target;
    ClipChanged();
}

const Region& DC::Clip() {
    // A bitmap may be resized while selected (a TBitmap changing size under its canvas), so
    // the cached clip is only good for the size it was made for.
    SIZE size = target_ ? SIZE{target_->Width(), target_->Height()} : SIZE{};
    if (clipValid_ && size == clipForSize_) {
        return clip_;
    }
    clipForSize_ = size;
    clip_ = target_ ? Region(target_->Bounds()) : Region();
    if (systemClip_) {
        clip_ = clip_.Intersect(*systemClip_);
    }
    if (state_.appClip) {
        Region app = *state_.appClip;
        app.Offset(deviceOrigin_.x, deviceOrigin_.y);
        clip_ = clip_.Intersect(app);
    }
    clipValid_ = true;
    return clip_;
}

POINT DC::LogicalToDevice() const {
    return POINT{state_.viewportOrg.x - state_.windowOrg.x, state_.viewportOrg.y - state_.windowOrg.y};
}

POINT DC::Offset() const {
    POINT l = LogicalToDevice();
    return POINT{deviceOrigin_.x + l.x, deviceOrigin_.y + l.y};
}

POINT DC::ToBitmap(POINT p) const {
    POINT o = Offset();
    return POINT{p.x + o.x, p.y + o.y};
}

RECT DC::ToBitmap(const RECT& r) const {
    POINT o = Offset();
    return OffsetRect(r, o.x, o.y);
}

// The whole drawable surface in device coordinates: what "no application clip" means when a
// clip operation needs a region to start from.
Region DC::DeviceSurface() const {
    RECT r = target_ ? target_->Bounds() : RECT{};
    if (systemClip_) {
        r = IntersectRect(r, systemClip_->Bounds());
    }
    return Region(OffsetRect(r, -deviceOrigin_.x, -deviceOrigin_.y));
}

int DC::SelectClip(const Region* region, int mode) {
    if (region == nullptr) {
        if (mode != RGN_COPY) {
            return ERROR;
        }
        state_.appClip.reset();
    } else {
        Region base = state_.appClip ? *state_.appClip : DeviceSurface();
        switch (mode) {
        case RGN_COPY: state_.appClip = *region; break;
        case RGN_AND: state_.appClip = base.Intersect(*region); break;
        case RGN_OR: state_.appClip = base.Union(*region); break;
        case RGN_DIFF: state_.appClip = base.Subtract(*region); break;
        case RGN_XOR: state_.appClip = base.Xor(*region); break;
        default: return ERROR;
        }
    }
    ClipChanged();
    return RegionComplexity(Clip());
}

int DC::IntersectClip(const RECT& logical) {
    RECT r = OffsetRect(Normalised(logical), LogicalToDevice().x, LogicalToDevice().y);
    Region rr(r);
    return SelectClip(&rr, RGN_AND);
}

int DC::ExcludeClip(const RECT& logical) {
    RECT r = OffsetRect(Normalised(logical), LogicalToDevice().x, LogicalToDevice().y);
    Region rr(r);
    return SelectClip(&rr, RGN_DIFF);
}

int DC::ClipBox(RECT& logical) {
    const Region& c = Clip();
    POINT o = Offset();
    logical = c.Empty() ? RECT{} : OffsetRect(c.Bounds(), -o.x, -o.y);
    return RegionComplexity(c);
}

int DC::Save() {
    AddUses(state_);
    saved_.push_back(state_);
    return int(saved_.size());
}

bool DC::Restore(int level) {
    int depth = int(saved_.size());
    int target = level < 0 ? depth + level + 1 : level;
    if (level == 0 || target < 1 || target > depth) {
        return false;
    }
    while (int(saved_.size()) >= target) {
        ReleaseUses(state_);
        state_ = std::move(saved_.back());
        saved_.pop_back();
    }
    if (memory_) {
        target_ = &state_.bitmap->Pixels();
    }
    ClipChanged();
    return true;
}

GdiObject* DC::Select(GdiObject* object) {
    if (object == nullptr) {
        return nullptr;
    }
    GdiObject* old = nullptr;
    switch (object->Kind()) {
    case ObjectKind::Pen: old = std::exchange(state_.pen, static_cast<GdiPen*>(object)); break;
    case ObjectKind::Brush: old = std::exchange(state_.brush, static_cast<GdiBrush*>(object)); break;
    case ObjectKind::Font: old = std::exchange(state_.font, object); break;
    case ObjectKind::Bitmap:
        if (!memory_) {
            return nullptr;
        }
        old = std::exchange(state_.bitmap, static_cast<GdiBitmap*>(object));
        target_ = &state_.bitmap->Pixels();
        ClipChanged(); // the clip region stays; the drawable surface is the new bitmap
        break;
    case ObjectKind::Region: return nullptr; // SelectObject turns a region into SelectClipRgn
    }
    object->AddUse();
    // An old object whose deletion was requested while selected goes now: the caller only
    // gets its handle back to put it in again or to drop it.
    if (old) {
        old->ReleaseUse();
    }
    return old;
}

void DC::FillSolid(const RECT& r, COLORREF color) {
    if (!target_) {
        return;
    }
    raster::Fill(*target_, Clip(), ToBitmap(r), ResolvePixel(color));
}

void DC::FillRect(const RECT& r, GdiBrush* brush) {
    brush = ResolveBrush(brush);
    if (!brush || brush->IsNull()) {
        return;
    }
    FillSolid(r, brush->color);
}

void DC::FrameRect(const RECT& r, GdiBrush* brush) {
    if (IsRectEmpty(r)) {
        return;
    }
    FillRect(RECT{r.left, r.top, r.right, r.top + 1}, brush);
    FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, brush);
    FillRect(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, brush);
    FillRect(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, brush);
}

void DC::InvertRect(const RECT& r) {
    if (target_) {
        raster::PatternRop(*target_, Clip(), ToBitmap(r), 0x00550009, 0);
    }
}

void DC::PatBlt(const RECT& r, DWORD rop) {
    if (!target_) {
        return;
    }
    GdiBrush* brush = state_.brush;
    if (raster::RopUsesPattern(rop) && (!brush || brush->IsNull())) {
        return;
    }
    raster::PatternRop(*target_, Clip(), ToBitmap(Normalised(r)), rop,
                       brush ? ResolvePixel(brush->color) : 0);
}

void DC::DrawFocusRect(const RECT& r) {
    if (!target_ || IsRectEmpty(r)) {
        return;
    }
    // Every other pixel of the border inverted, on a checkerboard fixed to the bitmap so that
    // drawing the same rectangle twice removes it again.
    RECT b = ToBitmap(r);
    const Region& clip = Clip();
    auto flip = [&](int x, int y) {
        if (((x + y) & 1) == 0 && clip.Contains(x, y)) {
            Pixel& p = target_->Row(y)[x];
            p = ~p & 0xFFFFFF;
        }
    };
    for (int x = b.left; x < b.right; ++x) {
        flip(x, b.top);
        if (b.bottom - 1 > b.top) {
            flip(x, b.bottom - 1);
        }
    }
    for (int y = b.top + 1; y < b.bottom - 1; ++y) {
        flip(b.left, y);
        if (b.right - 1 > b.left) {
            flip(b.right - 1, y);
        }
    }
}

void DC::DrawSegment(POINT a, POINT b) {
    GdiPen* pen = state_.pen;
    if (!target_ || !pen || pen->style == PS_NULL) {
        return;
    }
    raster::LinePen lp;
    lp.color = ResolvePixel(pen->color);
    lp.rop2 = state_.rop2;
    // Styled pens are cosmetic: one pixel wide whatever width was asked for.
    // FIXME: wide solid pens stamp a square per step; Windows draws round caps and joins.
    // Nothing in the program draws lines wider than one pixel yet.
    lp.width = pen->style == PS_SOLID || pen->style == PS_INSIDEFRAME ? pen->width : 1;
    auto dashes = [&](const std::uint8_t* d, int n) {
        lp.dashes = d;
        lp.dashCount = n;
    };
    switch (pen->style) {
    case PS_DASH: dashes(kDash, 2); break;
    case PS_DOT: dashes(kDot, 2); break;
    case PS_DASHDOT: dashes(kDashDot, 4); break;
    case PS_DASHDOTDOT: dashes(kDashDotDot, 6); break;
    case PS_ALTERNATE: dashes(kAlternate, 2); break;
    default: break;
    }
    if (lp.dashCount > 0 && state_.bkMode != kTransparent) {
        lp.gapColor = ResolvePixel(state_.bkColor);
    }
    raster::Line(*target_, Clip(), ToBitmap(a), ToBitmap(b), lp, dashPhase_);
}

void DC::LineTo(POINT p) {
    DrawSegment(state_.position, p);
    state_.position = p;
}

void DC::Polyline(const POINT* points, int count) {
    dashPhase_ = 0;
    for (int i = 1; i < count; ++i) {
        DrawSegment(points[i - 1], points[i]);
    }
}

// The outline of a Rectangle with the current pen: the corners are l,t and r-1,b-1.
void DC::Outline(const RECT& r) {
    POINT pts[5] = {{r.left, r.top},
                    {r.right - 1, r.top},
                    {r.right - 1, r.bottom - 1},
                    {r.left, r.bottom - 1},
                    {r.left, r.top}};
    GdiPen* pen = state_.pen;
    if (pen && pen->style == PS_SOLID && pen->width == 1 && state_.rop2 == 13) {
        // The common case as four fills, which also covers the corner pixels exactly once.
        GdiBrush b(BS_SOLID, pen->color);
        FrameRect(r, &b);
        return;
    }
    Polyline(pts, 5);
    // The closing segment stops short of the start point, which the first segment drew.
}

void DC::Rectangle(const RECT& rIn) {
    RECT r = Normalised(rIn);
    GdiPen* pen = state_.pen;
    bool nullPen = !pen || pen->style == PS_NULL;
    if (nullPen) {
        // With no outline Windows fills one pixel less to the right and bottom.
        FillRect(RECT{r.left, r.top, r.right - 1, r.bottom - 1}, state_.brush);
        return;
    }
    int w = pen->width;
    if (pen->style == PS_INSIDEFRAME && w > 1) {
        // The whole outline stays inside the rectangle.
        FillRect(RECT{r.left + w, r.top + w, r.right - w, r.bottom - w}, state_.brush);
        GdiBrush b(BS_SOLID, pen->color);
        for (int i = 0; i < w; ++i) {
            FrameRect(InflateRect(r, -i, -i), &b);
        }
        return;
    }
    FillRect(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, state_.brush);
    if (RectWidth(r) >= 1 && RectHeight(r) >= 1) {
        Outline(r);
    }
}

void DC::Ellipse(const RECT& rIn) {
    RECT r = Normalised(rIn);
    if (!target_ || RectWidth(r) < 1 || RectHeight(r) < 1) {
        return;
    }
    // The ellipse inscribed in r (right and bottom excluded) as one span per row; the brush
    // fills the spans and the pen takes the pixels that have a neighbour outside the shape.
    const double cx = (r.left + r.right - 1) / 2.0, cy = (r.top + r.bottom - 1) / 2.0;
    const double ax = (RectWidth(r) - 1) / 2.0, ay = (RectHeight(r) - 1) / 2.0;
    const int rows = RectHeight(r);
    std::vector<int> lefts(static_cast<std::size_t>(rows)), rights(lefts);
    for (int i = 0; i < rows; ++i) {
        double t = ay > 0 ? (r.top + i - cy) / ay : 0;
        double half = ax * std::sqrt(std::max(0.0, 1.0 - t * t));
        lefts[std::size_t(i)] = int(std::lround(cx - half));
        rights[std::size_t(i)] = int(std::lround(cx + half));
    }
    GdiBrush* brush = ResolveBrush(state_.brush);
    GdiPen* pen = state_.pen;
    bool outline = pen && pen->style != PS_NULL;
    auto inside = [&](int i, int x) {
        return i >= 0 && i < rows && x >= lefts[std::size_t(i)] && x <= rights[std::size_t(i)];
    };
    for (int i = 0; i < rows; ++i) {
        int y = r.top + i, l = lefts[std::size_t(i)], rt = rights[std::size_t(i)];
        if (brush && !brush->IsNull()) {
            FillSolid(RECT{l, y, rt + 1, y + 1}, brush->color);
        }
        if (!outline) {
            continue;
        }
        for (int x = l; x <= rt; ++x) {
            if (x == l || x == rt || !inside(i - 1, x) || !inside(i + 1, x)) {
                FillSolid(RECT{x, y, x + 1, y + 1}, pen->color);
            }
        }
    }
}

COLORREF DC::SetPixel(POINT p, COLORREF color) {
    if (!target_) {
        return CLR_INVALID;
    }
    POINT b = ToBitmap(p);
    if (!Clip().Contains(b.x, b.y)) {
        return CLR_INVALID;
    }
    Pixel px = ResolvePixel(color);
    target_->Row(b.y)[b.x] = px;
    return PixelToColor(px);
}

COLORREF DC::GetPixel(POINT p) {
    if (!target_) {
        return CLR_INVALID;
    }
    POINT b = ToBitmap(p);
    if (!Clip().Contains(b.x, b.y)) {
        return CLR_INVALID;
    }
    return PixelToColor(target_->Row(b.y)[b.x]);
}

bool DC::BitBlt(const RECT& dst, DC* src, POINT srcOrigin, DWORD rop) {
    if (!target_) {
        return false;
    }
    if (!raster::RopUsesSource(rop)) {
        PatBlt(dst, rop);
        return true;
    }
    if (!src || !src->target_) {
        return false;
    }
    Pixel pattern = state_.brush && !state_.brush->IsNull() ? ResolvePixel(state_.brush->color) : 0;
    POINT s = src->ToBitmap(srcOrigin);
    raster::Blit(*target_, Clip(), ToBitmap(Normalised(dst)), *src->target_, s.x, s.y, rop, pattern);
    return true;
}

bool DC::StretchBlt(int x, int y, int w, int h, DC* src, int sx, int sy, int sw, int sh, DWORD rop) {
    if (!target_) {
        return false;
    }
    if (!raster::RopUsesSource(rop)) {
        PatBlt(RECT{x, y, x + w, y + h}, rop);
        return true;
    }
    if (!src || !src->target_) {
        return false;
    }
    POINT d = ToBitmap(POINT{x, y}), s = src->ToBitmap(POINT{sx, sy});
    Pixel pattern = state_.brush && !state_.brush->IsNull() ? ResolvePixel(state_.brush->color) : 0;
    raster::StretchArgs a{d.x, d.y, w, h, s.x, s.y, sw, sh, rop, pattern, std::nullopt};
    raster::Stretch(*target_, Clip(), *src->target_, a);
    return true;
}

bool DC::TransparentBlt(int x, int y, int w, int h, DC* src, int sx, int sy, int sw, int sh, COLORREF key) {
    // Windows refuses mirroring and negative extents here.
    if (!target_ || !src || !src->target_ || w < 0 || h < 0 || sw < 0 || sh < 0) {
        return false;
    }
    POINT d = ToBitmap(POINT{x, y}), s = src->ToBitmap(POINT{sx, sy});
    raster::StretchArgs a{d.x, d.y, w, h, s.x, s.y, sw, sh, 0x00CC0020, 0, ResolvePixel(key)};
    raster::Stretch(*target_, Clip(), *src->target_, a);
    return true;
}

} // namespace gfx
