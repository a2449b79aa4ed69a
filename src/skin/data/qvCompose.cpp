#include "skin/data/qvCompose.h"

#include "skin/data/qvRaster.h"

#include <initializer_list>

namespace qv {

namespace {

// Geometry comes from skin texts. Coordinates beyond a million pixels cannot describe a real
// element, and rejecting them keeps every sum below (a few million) far from overflowing.
constexpr int kCoordinateLimit = 1 << 20;

bool Sane(std::initializer_list<int> values) {
    for (int v : values) {
        if (v < -kCoordinateLimit || v > kCoordinateLimit) {
            return false;
        }
    }
    return true;
}
bool Sane(const RECT& r) { return Sane({r.left, r.top, r.right, r.bottom}); }
bool Sane(const TqvSkinGeometry& g) {
    return Sane({g.LT.x, g.LT.y, g.RT.x, g.RT.y, g.LB.x, g.LB.y, g.RB.x, g.RB.y}) && Sane(g.Cl);
}
bool Sane(const RECT& S, const TqvSkinGeometry& g, const TqvSkinGeometry& ng, int W, int H) {
    return Sane(S) && Sane(g) && Sane(ng) && Sane({W, H});
}

// Sizes the destination as the routines do: a bitmap that already has the size keeps its pixels,
// so callers can compose over a background they drew before (FitSkinImageToSize relies on it).
void SizeTo(gfx::Bitmap& D, int W, int H) {
    if (D.Width() != W || D.Height() != H) {
        D.Resize(W, H);
    }
}

// The pieces of an element are addressed relative to its skin rectangle S.
struct Source {
    const RECT& S;
    RECT operator()(int x0, int x1, int y0, int y1) const {
        return RECT{S.left + x0, S.top + y0, S.left + x1, S.top + y1};
    }
};

void EdgeHorz(const gfx::Bitmap& P, const RECT& s, gfx::Bitmap& D, const RECT& d, bool stretch) {
    if (stretch) {
        BlitPixels(P, s, D, d);
    } else {
        TileHorz(P, s, D, d.left, d.right, d.top, d.bottom);
    }
}

void EdgeVert(const gfx::Bitmap& P, const RECT& s, gfx::Bitmap& D, const RECT& d, bool stretch) {
    if (stretch) {
        BlitPixels(P, s, D, d);
    } else {
        TileVert(P, s, D, d.top, d.bottom, d.left, d.right);
    }
}

// The centre of ComposeSkinImage: source Cl (absolute in P) into the destination rectangle nc.
void ComposeCentre(const gfx::Bitmap& P, const RECT& cl, gfx::Bitmap& D, const RECT& nc,
                   const TqvComposeFlags& flags) {
    const int cw = cl.right - cl.left;
    const int ch = cl.bottom - cl.top;
    if (!flags.StretchCentre) {
        TileBoth(P, cl, D, nc);
        return;
    }
    if (IsRectEmpty(nc) || cw <= 0 || ch <= 0) {
        return;
    }
    const int nw = nc.right - nc.left;
    const int nh = nc.bottom - nc.top;
    switch (flags.StretchType) {
    case 0: StretchPixels(P, cl, D, nc); break;
    case 1: {
        // One column of tiles scaled to the new height, repeated across.
        gfx::Bitmap T(cw, nh);
        StretchPixels(P, cl, T, T.Bounds());
        TileHorz(T, T.Bounds(), D, nc.left, nc.right, nc.top, nc.bottom);
        break;
    }
    case 2: {
        gfx::Bitmap T(nw, ch);
        StretchPixels(P, cl, T, T.Bounds());
        TileVert(T, T.Bounds(), D, nc.top, nc.bottom, nc.left, nc.right);
        break;
    }
    default: break;
    }
}

} // namespace

TqvSkinGeometry AnchorSkinGeometry(const TqvSkinGeometry& g, int sw, int sh, int W, int H) {
    const int dW = W - sw;
    const int dH = H - sh;
    TqvSkinGeometry n;
    n.LT = g.LT;
    n.RT = POINT{g.RT.x + dW, g.RT.y};
    n.LB = POINT{g.LB.x, g.LB.y + dH};
    n.RB = POINT{g.RB.x + dW, g.RB.y + dH};
    n.Cl = RECT{g.Cl.left, g.Cl.top, g.Cl.right + dW, g.Cl.bottom + dH};
    return n;
}

void ComposeSkinImage(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g,
                      const TqvSkinGeometry& ng, int W, int H, const TqvComposeFlags& flags, gfx::Bitmap& D) {
    SizeTo(D, W, H);
    if (g.RB.x == g.LT.x || g.RB.y == g.LT.y || P.Empty() || !Sane(S, g, ng, W, H)) {
        return;
    }
    const Source src{S};
    const int sw = RectWidth(S);
    const int sh = RectHeight(S);
    const RECT& c = g.Cl;
    const RECT& nc = ng.Cl;

    EdgeHorz(P, src(g.LT.x, g.RT.x, 0, c.top), D, RECT{ng.LT.x, 0, ng.RT.x, nc.top}, flags.StretchTop);
    EdgeHorz(P, src(g.LB.x, g.RB.x, c.bottom, sh), D, RECT{ng.LB.x, nc.bottom, ng.RB.x, H},
             flags.StretchBottom);
    EdgeVert(P, src(0, c.left, g.LT.y, g.LB.y), D, RECT{0, ng.LT.y, nc.left, ng.LB.y}, flags.StretchLeft);
    EdgeVert(P, src(c.right, sw, g.RT.y, g.RB.y), D, RECT{nc.right, ng.RT.y, W, ng.RB.y}, flags.StretchRight);

    // Each corner is an L of two pieces: beyond the client edge up to the corner point's x, and
    // beside the client rectangle up to the corner point's y.
    BlitPixels(P, src(0, g.LT.x, 0, c.top), D, RECT{0, 0, ng.LT.x, nc.top});
    BlitPixels(P, src(0, c.left, c.top, g.LT.y), D, RECT{0, nc.top, nc.left, ng.LT.y});
    BlitPixels(P, src(g.RT.x, sw, 0, c.top), D, RECT{ng.RT.x, 0, W, nc.top});
    BlitPixels(P, src(c.right, sw, c.top, g.RT.y), D, RECT{nc.right, nc.top, W, ng.RT.y});
    BlitPixels(P, src(0, c.left, g.LB.y, sh), D, RECT{0, ng.LB.y, nc.left, H});
    BlitPixels(P, src(c.left, g.LB.x, c.bottom, sh), D, RECT{nc.left, nc.bottom, ng.LB.x, H});
    BlitPixels(P, src(g.RB.x, sw, c.bottom, sh), D, RECT{ng.RB.x, nc.bottom, W, H});
    BlitPixels(P, src(c.right, sw, g.RB.y, c.bottom), D, RECT{nc.right, ng.RB.y, W, nc.bottom});

    if (flags.DrawCentre) {
        ComposeCentre(P, src(c.left, c.right, c.top, c.bottom), D, nc, flags);
    }
}

void ComposeSkinImage(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g, int W, int H,
                      const TqvComposeFlags& flags, gfx::Bitmap& D) {
    if (!Sane(S) || !Sane(g) || !Sane({W, H})) {
        SizeTo(D, W, H);
        return;
    }
    ComposeSkinImage(P, S, g, AnchorSkinGeometry(g, RectWidth(S), RectHeight(S), W, H), W, H, flags, D);
}

void ComposeSkinImageOpenRight(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g,
                               const TqvSkinGeometry& ng, int W, int H, const TqvComposeFlags& flags,
                               gfx::Bitmap& D) {
    SizeTo(D, W, H);
    if (g.RB.x == g.LT.x || g.RB.y == g.LT.y || P.Empty() || !Sane(S, g, ng, W, H)) {
        return;
    }
    const Source src{S};
    const int sh = RectHeight(S);
    const RECT& c = g.Cl;
    const RECT& nc = ng.Cl;

    EdgeHorz(P, src(g.LT.x, g.RT.x, 0, c.top), D, RECT{ng.LT.x, 0, W, nc.top}, flags.StretchTop);
    EdgeHorz(P, src(g.LB.x, g.RB.x, c.bottom, sh), D, RECT{ng.LB.x, nc.bottom, W, H}, flags.StretchBottom);
    EdgeVert(P, src(0, c.left, g.LT.y, g.LB.y), D, RECT{0, ng.LT.y, nc.left, ng.LB.y}, flags.StretchLeft);

    BlitPixels(P, src(0, g.LT.x, 0, c.top), D, RECT{0, 0, ng.LT.x, nc.top});
    BlitPixels(P, src(0, c.left, c.top, g.LT.y), D, RECT{0, nc.top, nc.left, ng.LT.y});
    BlitPixels(P, src(0, c.left, g.LB.y, sh), D, RECT{0, ng.LB.y, nc.left, H});
    BlitPixels(P, src(c.left, g.LB.x, c.bottom, sh), D, RECT{nc.left, nc.bottom, ng.LB.x, H});

    if (flags.DrawCentre) {
        ComposeCentre(P, src(c.left, c.right, c.top, c.bottom), D, RECT{nc.left, nc.top, W, nc.bottom},
                      flags);
    }
}

namespace {

void ComposeHorz(const gfx::Bitmap& P, const RECT& S, int l, int r, int W, bool stretch, bool drawRight,
                 gfx::Bitmap& D) {
    if (!Sane(S) || !Sane({l, r, W})) {
        SizeTo(D, Sane(S) ? W : 0, Sane(S) ? RectHeight(S) : 0);
        return;
    }
    const int sw = RectWidth(S);
    const int sh = RectHeight(S);
    SizeTo(D, W, sh);
    const Source src{S};
    if (l != 0) {
        BlitPixels(P, src(0, l, 0, sh), D, RECT{0, 0, l, sh});
    }
    if (drawRight && r != 0) {
        BlitPixels(P, src(sw - r, sw, 0, sh), D, RECT{W - r, 0, W, sh});
    }
    // An empty middle piece has nothing to lay; the tile helpers draw nothing for it.
    const RECT middle = src(l, sw - r, 0, sh);
    const int end = drawRight ? W - r : W;
    EdgeHorz(P, middle, D, RECT{l, 0, end, sh}, stretch);
}

} // namespace

void ComposeHorzImage(const gfx::Bitmap& P, const RECT& S, int leftWidth, int rightWidth, int W, bool stretch,
                      gfx::Bitmap& D) {
    ComposeHorz(P, S, leftWidth, rightWidth, W, stretch, true, D);
}

void ComposeHorzImageNoRight(const gfx::Bitmap& P, const RECT& S, int leftWidth, int rightWidth, int W,
                             bool stretch, gfx::Bitmap& D) {
    ComposeHorz(P, S, leftWidth, rightWidth, W, stretch, false, D);
}

void ComposeVertImage(const gfx::Bitmap& P, const RECT& S, int t, int b, int H, bool stretch,
                      gfx::Bitmap& D) {
    if (!Sane(S) || !Sane({t, b, H})) {
        SizeTo(D, Sane(S) ? RectWidth(S) : 0, H);
        return;
    }
    const int sw = RectWidth(S);
    const int sh = RectHeight(S);
    SizeTo(D, sw, H);
    const Source src{S};
    if (t != 0) {
        BlitPixels(P, src(0, sw, 0, t), D, RECT{0, 0, sw, t});
    }
    if (b != 0) {
        BlitPixels(P, src(0, sw, sh - b, sh), D, RECT{0, H - b, sw, H});
    }
    EdgeVert(P, src(0, sw, t, sh - b), D, RECT{0, t, sw, H - b}, stretch);
}

void FillFromSkinRect(const gfx::Bitmap& P, const RECT& O, const RECT& R, const RECT& Dr, int W, int H,
                      bool stretch, int stretchType, gfx::Bitmap& D) {
    SizeTo(D, W, H);
    if (IsRectEmpty(Dr) || !Sane(O) || !Sane(R) || !Sane(Dr)) {
        return;
    }
    const RECT s = OffsetRect(R, O.left, O.top);
    const int tw = RectWidth(s);
    const int th = RectHeight(s);
    const int dw = RectWidth(Dr);
    const int dh = RectHeight(Dr);
    if (!stretch) {
        // Tiles are anchored at D's origin over Dr's size; callers pass Dr at (0, 0).
        TileBoth(P, s, D, RECT{0, 0, dw, dh});
        return;
    }
    if (tw <= 0 || th <= 0) {
        return;
    }
    switch (stretchType) {
    case 0: StretchPixels(P, s, D, Dr); break;
    case 1: {
        // Whole copies, not clipped to Dr: the last one may run past its right edge.
        gfx::Bitmap T(tw, dh);
        StretchPixels(P, s, T, T.Bounds());
        for (int k = 0; k <= dw / tw; ++k) {
            CopyPixels(T, 0, 0, tw, dh, D, Dr.left + k * tw, Dr.top);
        }
        break;
    }
    case 2: {
        gfx::Bitmap T(dw, th);
        StretchPixels(P, s, T, T.Bounds());
        for (int k = 0; k <= dh / th; ++k) {
            CopyPixels(T, 0, 0, dw, th, D, Dr.left, Dr.top + k * th);
        }
        break;
    }
    default: break;
    }
}

void FitSkinImageToSize(const gfx::Bitmap& P, const RECT& S, const RECT& I, bool drawCentre, gfx::Bitmap& D) {
    TqvSkinGeometry g;
    g.LT = POINT{I.left, I.top};
    g.RT = POINT{I.right, I.top};
    g.LB = POINT{I.left, I.bottom};
    g.RB = POINT{I.right, I.bottom};
    g.Cl = I;
    TqvComposeFlags flags;
    flags.StretchTop = flags.StretchBottom = flags.StretchLeft = flags.StretchRight = true;
    flags.DrawCentre = drawCentre;
    flags.StretchCentre = true;
    flags.StretchType = 0;
    const int W = D.Width();
    const int H = D.Height();
    if (!Sane(S) || !Sane(g) || !Sane({W, H})) {
        SizeTo(D, W, H);
        return;
    }
    ComposeSkinImage(P, S, g, AnchorSkinGeometry(g, RectWidth(S), RectHeight(S), W, H), W, H, flags, D);
}

void ComposeBorderStrips(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g,
                         const TqvSkinGeometry& ng, int W, int H, const TqvComposeFlags& flags,
                         TqvBorderStrips& strips) {
    if (!Sane(S, g, ng, W, H)) {
        return;
    }
    const Source src{S};
    const int sw = RectWidth(S);
    const int sh = RectHeight(S);
    const RECT& c = g.Cl;
    const RECT& nc = ng.Cl;

    if (W > 0 && nc.top > 0 && g.RT.x - g.LT.x > 0) {
        gfx::Bitmap& T = strips.Top;
        const int th = nc.top;
        SizeTo(T, W, th);
        // Tiling starts at the strip's left end; the corners are laid over it afterwards.
        EdgeHorz(P, src(g.LT.x, g.RT.x, 0, th), T,
                 flags.StretchTop ? RECT{ng.LT.x, 0, ng.RT.x, th} : RECT{0, 0, W, th}, flags.StretchTop);
        BlitPixels(P, src(0, g.LT.x, 0, th), T, RECT{0, 0, ng.LT.x, th});
        BlitPixels(P, src(g.RT.x, sw, 0, th), T, RECT{ng.RT.x, 0, W, th});
    }

    const int bh = H - nc.bottom;
    if (W > 0 && bh > 0 && g.RB.x - g.LB.x > 0) {
        gfx::Bitmap& B = strips.Bottom;
        SizeTo(B, W, bh);
        const int y0 = sh - bh;
        EdgeHorz(P, src(g.LB.x, g.RB.x, y0, sh), B,
                 flags.StretchBottom ? RECT{ng.LB.x, 0, ng.RB.x, bh} : RECT{0, 0, W, bh},
                 flags.StretchBottom);
        BlitPixels(P, src(0, g.LB.x, y0, sh), B, RECT{0, 0, ng.LB.x, bh});
        BlitPixels(P, src(g.RB.x, sw, y0, sh), B, RECT{ng.RB.x, 0, W, bh});
    }

    // A strip not built this time counts with the height it already has.
    const int lh = H - strips.Bottom.Height() - strips.Top.Height();

    // The side strips span the client height; their end pieces are the rows between the client
    // rectangle's edge and the corner point. Source columns [x0, x1) go into a strip w wide.
    auto side = [&](gfx::Bitmap& strip, int w, int x0, int x1, int topY, int bottomY, bool stretch) {
        SizeTo(strip, w, lh);
        const int head = topY - c.top;
        const int tail = c.bottom - bottomY;
        EdgeVert(P, src(x0, x1, topY, bottomY), strip,
                 stretch ? RECT{0, head, w, lh - tail} : RECT{0, 0, w, lh}, stretch);
        if (head > 0) {
            BlitPixels(P, src(x0, x1, c.top, topY), strip, RECT{0, 0, w, head});
        }
        if (tail > 0) {
            BlitPixels(P, src(x0, x1, bottomY, c.bottom), strip, RECT{0, lh - tail, w, lh});
        }
    };
    if (nc.left > 0 && lh > 0 && g.LB.y - g.LT.y > 0) {
        side(strips.Left, nc.left, 0, nc.left, g.LT.y, g.LB.y, flags.StretchLeft);
    }
    const int rw = W - nc.right;
    if (rw >= 1 && lh >= 1 && g.RB.y - g.RT.y >= 1) {
        side(strips.Right, rw, c.right, sw, g.RT.y, g.RB.y, flags.StretchRight);
    }
}

void ComposeMaskStrips(const gfx::Bitmap& Mk, const TqvSkinGeometry& g, const TqvSkinGeometry& ng, int W,
                       TqvBorderStrips& strips) {
    if (!Sane(g) || !Sane(ng) || !Sane({W})) {
        return;
    }
    const RECT& m = g.Cl;
    const RECT& nm = ng.Cl;
    const int mw = Mk.Width();
    const int mh = Mk.Height();
    const int lw = m.left;
    const int th = m.top;
    const int rw = mw - m.right;
    const int bh = mh - m.bottom;
    const int nmh = RectHeight(nm);

    // Mask strips are rebuilt from scratch: a pixel no piece covers is black, inside the window,
    // so an odd geometry never punches holes into the frame.
    auto side = [&](gfx::Bitmap& strip, int x0, int x1, int topY, int bottomY) {
        strip.Resize(x1 - x0, nmh);
        const int h = strip.Height();
        if (bottomY != topY) {
            TileVert(Mk, RECT{x0, topY, x1, bottomY}, strip, 0, h, 0, x1 - x0);
        }
        if (topY - m.top > 0) {
            CopyPixels(Mk, x0, m.top, x1 - x0, topY - m.top, strip, 0, 0);
        }
        if (m.bottom - bottomY > 0) {
            CopyPixels(Mk, x0, bottomY, x1 - x0, m.bottom - bottomY, strip, 0, h - (m.bottom - bottomY));
        }
    };
    if (lw > 0 && nmh > 0) {
        side(strips.Left, 0, lw, g.LT.y, g.LB.y);
    }
    if (rw > 0 && nmh > 0) {
        side(strips.Right, m.right, mw, g.RT.y, g.RB.y);
    }

    auto band = [&](gfx::Bitmap& strip, int y0, int h, int leftX, int rightX, int newLeftX, int newRightX) {
        strip.Resize(W, h);
        if (leftX != rightX) {
            TileHorz(Mk, RECT{leftX, y0, rightX, y0 + h}, strip, newLeftX, newRightX, 0, h);
        }
        CopyPixels(Mk, 0, y0, leftX, h, strip, 0, 0);
        CopyPixels(Mk, rightX, y0, mw - rightX, h, strip, newRightX, 0);
    };
    if (W > 0 && th > 0) {
        band(strips.Top, 0, th, g.LT.x, g.RT.x, ng.LT.x, ng.RT.x);
    }
    if (W > 0 && bh > 0) {
        band(strips.Bottom, m.bottom, bh, g.LB.x, g.RB.x, ng.LB.x, ng.RB.x);
    }
}

} // namespace qv
