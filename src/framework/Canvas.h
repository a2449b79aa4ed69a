#pragma once
// TCanvas: drawing on a device context with the framework's pen, brush and font objects. The
// canvas turns its attribute objects into the device context's pen, brush and font the moment an
// operation needs them, so changing Font, Pen or Brush in place takes effect at the next call.
// The canvas does not own its DC: a control canvas borrows the paint DC, a bitmap canvas the
// bitmap's memory DC.

#include "framework/GraphicsObjects.h"
#include "framework/WinApi.h"

#include <memory>
#include <string>

namespace vcl {

class TGraphic;
class TBitmap;

enum class TCopyMode : DWORD {};

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() const { return font_.get(); }
    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    void SetFont(const TFont* f) { font_->Assign(f); }

    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos();
    void Polyline(const POINT* points, int count);

    // Draws a picture at (x, y); a transparent bitmap leaves its transparent colour out.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const RECT& r, TGraphic* graphic);
    // Copies source's rectangle sr onto dr of this canvas (stretched when the sizes differ).
    void CopyRect(const RECT& dr, TCanvas* source, const RECT& sr);
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD rop) { copyMode_ = rop; }

    void TextOut(int x, int y, const std::string& text);
    void TextRect(const RECT& r, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // DrawText with the canvas's font and colours; returns the text height.
    int DrawText(const std::string& text, RECT& r, UINT format);

    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    RECT ClipRect();

    // Kept for code that serialises canvas use between threads; this program has one.
    void Lock() { ++lockCount_; }
    void Unlock() { --lockCount_; }
    bool TryLock() {
        Lock();
        return true;
    }
    int LockCount() const { return lockCount_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // A canvas that makes its DC on demand (a control's) overrides this.
    virtual void CreateHandle() {}
    void Changing();
    void Changed();

private:
    enum StateBit : unsigned { HandleValid = 1, FontValid = 2, PenValid = 4, BrushValid = 8 };
    void RequireHandle();
    void RequireFont();
    void RequirePen();
    void RequireBrush();
    void DeselectHandles();

    HDC dc_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    HGDIOBJ fontHandle_ = nullptr;
    HPEN penHandle_ = nullptr;
    HBRUSH brushHandle_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    unsigned state_ = 0;
    POINT penPos_{};
    DWORD copyMode_ = SRCCOPY;
    int lockCount_ = 0;
};

// Builds the platform font for a framework font (the caller deletes it).
HFONT CreateFontHandle(const TFont& font);

} // namespace vcl
