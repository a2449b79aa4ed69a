#include "framework/Graphic.h"

#include "framework/Stream.h"

#include <algorithm>

namespace vcl {

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TGraphic::SetTransparent(bool on) {
    if (on != transparent_) {
        transparent_ = on;
        Changed();
    }
}

void TGraphic::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

// The bitmap's canvas draws into a memory DC with the pixels selected; the DC is made on first
// use and let go whenever the pixel store is replaced.
class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap* owner) : owner_(owner) {}
    ~BitmapCanvas() override { Free(); }

    void Free() {
        if (dc_ == nullptr) {
            return;
        }
        SetHandle(nullptr);
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(wrap_);
        dc_ = nullptr;
        wrap_ = nullptr;
        old_ = nullptr;
    }

protected:
    void CreateHandle() override {
        dc_ = CreateCompatibleDC(nullptr);
        wrap_ = gfx::WrapBitmap(&owner_->pixels_);
        old_ = SelectObject(dc_, wrap_);
        SetHandle(dc_);
    }

private:
    TBitmap* owner_;
    HDC dc_ = nullptr;
    HBITMAP wrap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) : pixels_(width, height, 0) {}

TBitmap::~TBitmap() { canvas_.reset(); }

void TBitmap::ReleaseCanvasHandle() {
    if (canvas_) {
        canvas_->Free();
    }
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<BitmapCanvas>(this);
    }
    return canvas_.get();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height()) {
        return;
    }
    ReleaseCanvasHandle();
    gfx::Bitmap resized(width, height, 0);
    int w = std::min(width, Width());
    int h = std::min(height, Height());
    for (int y = 0; y < h; ++y) {
        std::copy_n(pixels_.Row(y), w, resized.Row(y));
    }
    pixels_ = std::move(resized);
    Changed();
}

void TBitmap::SetPixels(gfx::Bitmap pixels) {
    ReleaseCanvasHandle();
    pixels_ = std::move(pixels);
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) {
        return transparentColor_;
    }
    if (Empty()) {
        return clDefault;
    }
    return TColor(pixels_.GetColor(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::Draw(TCanvas* canvas, const RECT& r) {
    if (Empty()) {
        return;
    }
    HDC src = CanvasHandle();
    HDC dst = canvas->Handle();
    if (Transparent()) {
        TransparentBlt(dst, r.left, r.top, RectWidth(r), RectHeight(r), src, 0, 0, Width(), Height(),
                       ColorToRGB(TransparentColor()));
    } else if (RectWidth(r) == Width() && RectHeight(r) == Height()) {
        BitBlt(dst, r.left, r.top, Width(), Height(), src, 0, 0, canvas->CopyMode());
    } else {
        StretchBlt(dst, r.left, r.top, RectWidth(r), RectHeight(r), src, 0, 0, Width(), Height(),
                   canvas->CopyMode());
    }
}

namespace {

TPixelFormat FormatForBits(int bits) {
    switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 32: return pf32bit;
    default: return pf24bit;
    }
}

int BitsForFormat(TPixelFormat f) {
    switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf32bit: return 32;
    default: return 24;
    }
}

} // namespace

std::size_t TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
    std::size_t consumed = 0;
    gfx::BmpImage image = gfx::ReadBmp(std::span<const std::uint8_t>(data, size), &consumed);
    ReleaseCanvasHandle();
    pixels_ = std::move(image.bitmap);
    palette_ = std::move(image.palette);
    pixelFormat_ = FormatForBits(image.bitCount);
    Changed();
    return consumed;
}

void TBitmap::LoadFromStream(TStream& stream) {
    std::int64_t start = stream.Position();
    std::int64_t available = stream.Size() - start;
    std::vector<std::uint8_t> bytes(std::size_t(std::max<std::int64_t>(0, available)));
    if (!bytes.empty()) {
        stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    }
    std::size_t consumed = LoadFromBytes(bytes.data(), bytes.size());
    stream.SetPosition(start + std::int64_t(consumed));
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty()) {
        return; // an empty bitmap writes nothing, as the framework does
    }
    int bits = BitsForFormat(pixelFormat_);
    std::span<const gfx::Pixel> palette;
    if (bits <= 8 && !palette_.empty()) {
        palette = palette_;
    }
    std::vector<std::uint8_t> bytes = gfx::WriteBmp(pixels_, bits, palette);
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TBitmap::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TBitmap*>(source)) {
        if (other == this) {
            return;
        }
        ReleaseCanvasHandle();
        pixels_ = other->pixels_;
        palette_ = other->palette_;
        pixelFormat_ = other->pixelFormat_;
        transparentColor_ = other->transparentColor_;
        transparentMode_ = other->transparentMode_;
        SetTransparent(other->Transparent());
        Changed();
        return;
    }
    if (source == nullptr) {
        Clear();
        return;
    }
    TGraphic::Assign(source);
}

} // namespace vcl
