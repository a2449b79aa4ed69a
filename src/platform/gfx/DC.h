#pragma once
// A device context: the drawing state over a target bitmap (HDC is a pointer to one).
//
// Coordinates: logical coordinates (what drawing calls take) plus the viewport origin give
// device coordinates; device coordinates plus the device origin give target-bitmap pixels.
// The window system makes window DCs over a top-level window's backing bitmap and sets the
// device origin (where the window's area starts in that bitmap) and the system clip (the
// visible part of the window, in bitmap pixels). Applications set the application clip
// (SelectClipRgn and friends, in device coordinates). Drawing is limited to the bitmap, the
// system clip and the application clip together.
//
// A memory DC (CreateCompatibleDC) draws into the HBITMAP selected into it; before one is
// selected it holds a 1 x 1 bitmap of its own, as on Windows.
//
// The DC does not own the objects selected into it, but keeps them alive while selected
// (see GdiObject). Saved states (SaveDC) count as selections.

#include "platform/gfx/GdiBitmap.h"
#include "platform/gfx/PenBrush.h"
#include "platform/gfx/Region.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace gfx {

class DC {
public:
    // A memory DC.
    DC();
    // A DC drawing straight into target (not owned), e.g. a window's backing bitmap.
    explicit DC(Bitmap* target);
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;
    ~DC();

    bool IsMemoryDC() const { return memory_; }

    // --- Set by the window system (bitmap pixel coordinates) ---
    void SetDeviceOrigin(POINT origin);
    POINT DeviceOrigin() const { return deviceOrigin_; }
    // The visible area in bitmap pixels; nullopt means the whole bitmap.
    void SetSystemClip(std::optional<Region> clip);
    const std::optional<Region>& SystemClip() const { return systemClip_; }
    // Retargets a window DC (the backing bitmap was reallocated).
    void SetTarget(Bitmap* target);

    // --- Where drawing lands ---
    Bitmap* Target() const { return target_; }
    // Everything drawing may touch, in bitmap pixels (already within the bitmap).
    const Region& Clip();
    // Logical to bitmap pixel coordinates: add Offset().
    POINT ToBitmap(POINT logical) const;
    RECT ToBitmap(const RECT& logical) const;
    POINT Offset() const;
    // Logical to device coordinates (what clip regions use): add this.
    POINT LogicalToDevice() const;

    // --- Origin ---
    POINT ViewportOrg() const { return state_.viewportOrg; }
    void SetViewportOrg(POINT org) { state_.viewportOrg = org; }
    // The window origin is subtracted: device = logical - windowOrg + viewportOrg.
    POINT WindowOrg() const { return state_.windowOrg; }
    void SetWindowOrg(POINT org) { state_.windowOrg = org; }

    // --- Application clip (device coordinates); results are region complexity codes ---
    int SelectClip(const Region* region, int mode); // region null with RGN_COPY: no clip
    int IntersectClip(const RECT& logical);
    int ExcludeClip(const RECT& logical);
    // The bounds of the drawable area in logical coordinates, with its complexity.
    int ClipBox(RECT& logical);
    const std::optional<Region>& AppClip() const { return state_.appClip; }

    // --- Saved states ---
    int Save();              // returns the new depth (>= 1)
    bool Restore(int level); // negative: relative to the current depth

    // --- Objects: Select returns the previous object of that kind (null on failure) ---
    GdiObject* Select(GdiObject* object);
    GdiPen* Pen() const { return state_.pen; }
    GdiBrush* Brush() const { return state_.brush; }
    GdiObject* Font() const { return state_.font; }
    GdiBitmap* SelectedBitmap() const { return state_.bitmap; }

    // --- Attributes ---
    COLORREF TextColor() const { return state_.textColor; }
    COLORREF BkColor() const { return state_.bkColor; }
    int BkMode() const { return state_.bkMode; }
    int Rop2() const { return state_.rop2; }
    UINT TextAlign() const { return state_.textAlign; }
    int StretchMode() const { return state_.stretchMode; }
    POINT CurrentPosition() const { return state_.position; }
    COLORREF SetTextColor(COLORREF c) { return std::exchange(state_.textColor, c); }
    COLORREF SetBkColor(COLORREF c) { return std::exchange(state_.bkColor, c); }
    int SetBkMode(int m) { return std::exchange(state_.bkMode, m); }
    int SetRop2(int m) { return std::exchange(state_.rop2, m); }
    UINT SetTextAlign(UINT a) { return std::exchange(state_.textAlign, a); }
    int SetStretchMode(int m) { return std::exchange(state_.stretchMode, m); }
    // Also restarts the dash pattern of styled pens.
    void MoveTo(POINT p) {
        state_.position = p;
        dashPhase_ = 0;
    }

    // --- Drawing (logical coordinates) ---
    void FillRect(const RECT& r, GdiBrush* brush);
    void FillSolid(const RECT& r, COLORREF color);
    void FrameRect(const RECT& r, GdiBrush* brush);
    void InvertRect(const RECT& r);
    void DrawFocusRect(const RECT& r);
    void PatBlt(const RECT& r, DWORD rop);
    void Rectangle(const RECT& r);
    void Ellipse(const RECT& r);
    void LineTo(POINT p);
    void Polyline(const POINT* points, int count);
    COLORREF SetPixel(POINT p, COLORREF color);
    COLORREF GetPixel(POINT p);
    bool BitBlt(const RECT& dst, DC* src, POINT srcOrigin, DWORD rop);
    bool StretchBlt(int x, int y, int w, int h, DC* src, int sx, int sy, int sw, int sh, DWORD rop);
    bool TransparentBlt(int x, int y, int w, int h, DC* src, int sx, int sy, int sw, int sh, COLORREF key);

private:
    struct State {
        POINT viewportOrg{};
        POINT windowOrg{};
        std::optional<Region> appClip;
        GdiPen* pen = nullptr;
        GdiBrush* brush = nullptr;
        GdiObject* font = nullptr;
        GdiBitmap* bitmap = nullptr;
        COLORREF textColor = 0;
        COLORREF bkColor = 0xFFFFFF;
        int bkMode = 2; // OPAQUE
        int rop2 = 13;  // R2_COPYPEN
        UINT textAlign = 0;
        int stretchMode = 1; // BLACKONWHITE
        POINT position{};
    };

    void InitDefaults();
    static void AddUses(const State& s);
    static void ReleaseUses(const State& s);
    void ClipChanged() { clipValid_ = false; }
    Region DeviceSurface() const;
    void Outline(const RECT& r);
    void DrawSegment(POINT a, POINT b);

    bool memory_ = false;
    Bitmap* target_ = nullptr;
    POINT deviceOrigin_{};
    std::optional<Region> systemClip_;
    State state_;
    std::vector<State> saved_;
    std::unique_ptr<GdiBitmap> defaultBitmap_;
    Region clip_;
    bool clipValid_ = false;
    SIZE clipForSize_{};
    int dashPhase_ = 0;
};

} // namespace gfx
