#pragma once
// Composition of skin pictures: the routines that cut an element's pieces out of a skin picture
// and lay them into a bitmap of the element's current size. Every skinned element (window frames,
// popup menus, hints, controls) draws through them, so they hold the one definition of how corners
// stay fixed and edges and centres are stretched or tiled.
//
// Geometry is relative to the element's skin rectangle S in its picture P: the four corner points
// and the client rectangle divide S into the nine parts. A piece whose source lies outside P, or
// whose rectangle is empty or inverted, draws nothing.

#include "platform/gfx/Bitmap.h"

namespace qv {

// Corner points and client rectangle of an element, relative to its skin rectangle. For mask
// pictures Cl is the mask's inner rectangle (maskrectarea / M).
struct TqvSkinGeometry {
    POINT LT;
    POINT RT;
    POINT LB;
    POINT RB;
    RECT Cl;
    friend bool operator==(const TqvSkinGeometry&, const TqvSkinGeometry&) = default;
};

// How the pieces between the corners are laid: each edge flag stretches its edge when set and
// tiles it otherwise; the centre is drawn only with DrawCentre, stretched (by StretchType: 0 full,
// 1 horizontal, 2 vertical, as the records' stretch type) with StretchCentre, else tiled.
struct TqvComposeFlags {
    bool StretchTop = false;
    bool StretchBottom = false;
    bool StretchLeft = false;
    bool StretchRight = false;
    bool DrawCentre = true;
    bool StretchCentre = false;
    int StretchType = 0;
};

// Geometry for a target size W x H of an element designed at sw x sh: left and top distances
// stay, right and bottom distances to the border stay.
TqvSkinGeometry AnchorSkinGeometry(const TqvSkinGeometry& g, int sw, int sh, int W, int H);

// The nine-part composition of S in P into D, which is sized to W x H (its pixels are kept when it
// already has that size; pixels no piece covers are not touched). ng is g anchored to W x H.
void ComposeSkinImage(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g,
                      const TqvSkinGeometry& ng, int W, int H, const TqvComposeFlags& flags, gfx::Bitmap& D);
// The same, anchoring g itself.
void ComposeSkinImage(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g, int W, int H,
                      const TqvComposeFlags& flags, gfx::Bitmap& D);

// As ComposeSkinImage for an element without a right border (the report list's header sections):
// top, bottom and centre run on to W; the right edge and corners are not drawn.
void ComposeSkinImageOpenRight(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g,
                               const TqvSkinGeometry& ng, int W, int H, const TqvComposeFlags& flags,
                               gfx::Bitmap& D);

// Three-part horizontal composition of S to W x sh: fixed left and right parts of the given widths
// and the middle stretched or tiled. The NoRight form leaves the right part out and runs the middle
// on to W.
void ComposeHorzImage(const gfx::Bitmap& P, const RECT& S, int leftWidth, int rightWidth, int W, bool stretch,
                      gfx::Bitmap& D);
void ComposeHorzImageNoRight(const gfx::Bitmap& P, const RECT& S, int leftWidth, int rightWidth, int W,
                             bool stretch, gfx::Bitmap& D);

// Three-part vertical composition of S to sw x H.
void ComposeVertImage(const gfx::Bitmap& P, const RECT& S, int topHeight, int bottomHeight, int H,
                      bool stretch, gfx::Bitmap& D);

// Fills Dr of D (sized to W x H) from the source R moved by (O.left, O.top) in P: stretched by
// stretchType, or tiled from D's origin over Dr's size.
void FillFromSkinRect(const gfx::Bitmap& P, const RECT& O, const RECT& R, const RECT& Dr, int W, int H,
                      bool stretch, int stretchType, gfx::Bitmap& D);

// Composes S to D's present size with the inner rectangle I (relative to S) as client rectangle
// and corner points: corners fixed, edges and centre stretched.
void FitSkinImageToSize(const gfx::Bitmap& P, const RECT& S, const RECT& I, bool drawCentre, gfx::Bitmap& D);

// A frame as four separate bitmaps. The caller draws Top at (0, 0), Left at (0, Top.height),
// Right at (W - Right.width, Top.height) and Bottom at (0, H - Bottom.height). A strip whose size
// comes out empty is not rebuilt and keeps what it held.
struct TqvBorderStrips {
    gfx::Bitmap Top;
    gfx::Bitmap Bottom;
    gfx::Bitmap Left;
    gfx::Bitmap Right;
};

// The frame of ComposeSkinImage (without the centre) as border strips; flags.DrawCentre and the
// centre flags are ignored.
void ComposeBorderStrips(const gfx::Bitmap& P, const RECT& S, const TqvSkinGeometry& g,
                         const TqvSkinGeometry& ng, int W, int H, const TqvComposeFlags& flags,
                         TqvBorderStrips& strips);

// The mask picture Mk of a window (at the element's designed size) as four strips for width W:
// g.Cl is the mask's inner rectangle M and ng.Cl its new form; pieces are tiled, never stretched.
void ComposeMaskStrips(const gfx::Bitmap& Mk, const TqvSkinGeometry& g, const TqvSkinGeometry& ng, int W,
                       TqvBorderStrips& strips);

} // namespace qv
