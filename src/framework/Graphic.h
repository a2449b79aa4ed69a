#pragma once
// Pictures: TGraphic is anything a canvas can draw; TBitmap is a 32-bit picture over gfx::Bitmap
// with a canvas of its own (a memory DC on the pixels), read and written as BMP files.
//
// A TBitmap remembers the bit depth it was read with (PixelFormat) and writes that depth back;
// its pixels are always held at 32 bits. A transparent bitmap leaves out its TransparentColor
// when drawn (by default the colour of the bottom-left pixel, as the framework does).

#include "framework/Canvas.h"
#include "platform/gfx/Bitmap.h"

#include <memory>
#include <vector>

namespace vcl {

class TStream;

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
using enum TPixelFormat;

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int w) = 0;
    virtual void SetHeight(int h) = 0;
    // Draws the picture into r of canvas (stretched when the sizes differ).
    virtual void Draw(TCanvas* canvas, const RECT& r) = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool on);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool transparent_ = false;
};

enum class TTransparentMode { tmAuto, tmFixed };
using enum TTransparentMode;

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    bool Empty() const override { return pixels_.Empty(); }
    int Width() const override { return pixels_.Width(); }
    int Height() const override { return pixels_.Height(); }
    void SetWidth(int w) override { SetSize(w, Height()); }
    void SetHeight(int h) override { SetSize(Width(), h); }
    // Keeps the part of the picture that fits; new pixels are black.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format) { pixelFormat_ = format; }

    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }

    // The drawing surface over the pixels; valid while the bitmap lives.
    TCanvas* Canvas();
    // The memory DC the canvas draws into.
    HDC CanvasHandle() { return Canvas()->Handle(); }
    gfx::Bitmap& Pixels() { return pixels_; }
    const gfx::Bitmap& Pixels() const { return pixels_; }
    // Replaces the pixels (the canvas keeps working on the new ones).
    void SetPixels(gfx::Bitmap pixels);

    void Draw(TCanvas* canvas, const RECT& r) override;
    // Reads one complete BMP file at the stream's position (the position ends right after it);
    // a truncated or invalid file raises EInvalidGraphic "Bitmap image is not valid".
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // Decodes a BMP held in memory; returns the bytes it occupied.
    std::size_t LoadFromBytes(const std::uint8_t* data, std::size_t size);

    void Assign(const TPersistent* source) override;
    void Clear() { SetSize(0, 0); }

private:
    class BitmapCanvas;
    void ReleaseCanvasHandle();

    gfx::Bitmap pixels_;
    std::vector<gfx::Pixel> palette_;
    TPixelFormat pixelFormat_ = pf24bit;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    std::unique_ptr<BitmapCanvas> canvas_;
};

} // namespace vcl
