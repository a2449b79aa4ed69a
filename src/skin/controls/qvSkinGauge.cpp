#include "skin/controls/qvSkinGauge.h"

#include "framework/Timer.h"
#include "skin/data/qvRaster.h"
#include "skin/data/qvUtils.h"

#include <cstdint>

namespace qv {

namespace {

constexpr vcl::TColor kDefaultBarColour = 13811126;

// Copies src of picture onto d of dst, stretched when the sizes differ.
void Put(const gfx::Bitmap& picture, const RECT& src, gfx::Bitmap& dst, const RECT& d) {
    if (RectIsEmpty(src) || RectIsEmpty(d)) {
        return;
    }
    StretchPixels(picture, src, dst, d);
}

} // namespace

TqvSkinGauge::TqvSkinGauge(vcl::TComponent* owner) : TqvSkinCustomControl(owner) {
    SetSkinDataName("gauge");
    SetBounds(0, 0, 100, 20);
}

TqvSkinGauge::~TqvSkinGauge() { StopProgressAnimation(); }

// --- properties ---

void TqvSkinGauge::SetUseSkinSize(bool on) {
    if (on != useSkinSize_) {
        useSkinSize_ = on;
        ApplySkin();
    }
}

void TqvSkinGauge::SetMinValue(int value) {
    minValue_ = value;
    if (value_ < value) {
        value_ = value;
    }
    Invalidate();
}

void TqvSkinGauge::SetMaxValue(int value) {
    maxValue_ = value;
    if (value_ > value) {
        value_ = value;
    }
    Invalidate();
}

void TqvSkinGauge::SetValue(int value) {
    if (value > maxValue_) {
        value = maxValue_;
    } else if (value < minValue_) {
        value = minValue_;
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    if (value < steadyLow_ || value > steadyHigh_ || OnGaugePaint) {
        Invalidate();
        NoteDrawn(steadyArea_);
    }
}

bool TqvSkinGauge::DrawsLike(int v, int w, const RECT& a) const {
    return ProgressRectFor(v, a) == ProgressRectFor(w, a) &&
           (!showPercent_ || PercentFor(v) == PercentFor(w));
}

void TqvSkinGauge::NoteDrawn(const RECT& a) {
    steadyArea_ = a;
    if (OnGaugePaint) {
        NoteDrawnExactly(); // the handler may draw the value itself
        return;
    }
    // Bar and percentage grow with the value, so the values drawing alike form one run: its
    // ends are found by bisection, a few dozen steps whenever the bar or text changes.
    // (In 64 bits: the run may span the whole int range.)
    std::int64_t lo = minValue_;
    std::int64_t hi = value_;
    while (lo < hi) { // the first value in [minValue_, value_] drawing like value_
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (DrawsLike(int(mid), value_, a)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    steadyLow_ = int(lo);
    lo = value_;
    hi = maxValue_;
    while (lo < hi) { // the last value in [value_, maxValue_] drawing like value_
        const std::int64_t mid = hi - (hi - lo) / 2;
        if (DrawsLike(int(mid), value_, a)) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    steadyHigh_ = int(hi);
}

void TqvSkinGauge::NoteDrawnExactly() {
    steadyLow_ = value_;
    steadyHigh_ = value_;
}

void TqvSkinGauge::SetVertical(bool on) {
    vertical_ = on;
    NoteDrawnExactly(); // the bar may now grow the other way
}

void TqvSkinGauge::SetShowProgressText(bool on) {
    showProgressText_ = on;
    Invalidate();
}

void TqvSkinGauge::SetShowPercent(bool on) {
    showPercent_ = on;
    Invalidate();
}

void TqvSkinGauge::SetProgressText(const std::string& text) {
    progressText_ = text;
    Invalidate();
}

void TqvSkinGauge::SetProgressAnimationPause(int ms) {
    if (ms >= 0) {
        progressAnimationPause_ = ms;
    }
}

// --- record and geometry ---

void TqvSkinGauge::ReadSkinRecord() {
    TqvSkinCustomControl::ReadSkinRecord();
    if (skinRecordIndex_ == -1) {
        return;
    }
    auto* record = dynamic_cast<const TqvDataSkinGaugeControl*>(SkinRecord());
    if (record == nullptr) {
        return;
    }
    progressarea = record->progressarea;
    progressrect = record->progressrect;
    vertical = record->vertical;
    beginoffset = record->beginoffset;
    endoffset = record->endoffset;
    fontname = record->font.name;
    fontheight = record->font.height;
    fontstyle = record->font.style;
    fontcolor = record->font.color;
    progresstransparent = record->progresstransparent;
    progresstransparentcolor = record->progresstransparentcolor;
    progressstretch = record->progressstretch;
    progressanimationskinrect = record->progressanimationskinrect;
    progressanimationcountframes = record->progressanimationcountframes;
    progressanimationtimerinterval = record->progressanimationtimerinterval;
}

bool TqvSkinGauge::EffectiveVertical() const {
    return skinRecordIndex_ != -1 && dynamic_cast<const TqvDataSkinGaugeControl*>(SkinRecord()) ? vertical
                                                                                                : vertical_;
}

void TqvSkinGauge::FitSizeToSkin(int& width, int& height) {
    const int wantedWidth = width;
    const int wantedHeight = height;
    TqvSkinCustomControl::FitSizeToSkin(width, height);
    SizedProgressArea = progressarea;
    if (skinRecordIndex_ != -1 && skinLayout_ != slFixed && skinLayout_ != slNone) {
        if (EffectiveVertical()) {
            SizedProgressArea.bottom += height - HeightOfRect(skinrect);
        } else {
            SizedProgressArea.right += width - WidthOfRect(skinrect);
        }
    }
    if (!useSkinSize_) {
        width = wantedWidth;
        height = wantedHeight;
    }
}

void TqvSkinGauge::ApplySkin() {
    const bool running = animationTimer_ != nullptr;
    StopProgressAnimation();
    TqvSkinCustomControl::ApplySkin();
    if (running) {
        StartProgressAnimation();
    }
}

RECT TqvSkinGauge::ProgressRectFor(int v, const RECT& a) const {
    double f = 0;
    if (maxValue_ != minValue_) {
        // In doubles: the differences of two ints may not fit an int.
        f = (double(v) - double(minValue_)) / (double(maxValue_) - double(minValue_));
    }
    RECT r = a;
    if (EffectiveVertical()) {
        r.top = a.bottom - int(double(HeightOfRect(a)) * f);
    } else {
        r.right = a.left + int(double(WidthOfRect(a)) * f);
    }
    return r;
}

int TqvSkinGauge::Percent() const { return PercentFor(value_); }

int TqvSkinGauge::PercentFor(int v) const {
    if (maxValue_ == minValue_) {
        return 0;
    }
    return int((double(v) - double(minValue_)) / (double(maxValue_) - double(minValue_)) * 100.0);
}

std::string TqvSkinGauge::GaugeText() const {
    std::string text;
    if (showProgressText_) {
        text = progressText_;
    }
    if (showPercent_) {
        text += std::to_string(Percent()) + "%";
    }
    return text;
}

// --- animation ---

bool TqvSkinGauge::AnimationShowsFrame() const {
    return animationTimer_ != nullptr && animationTimer_->Enabled() && progressAnimationFrame_ != 0 &&
           progressanimationcountframes != 0;
}

RECT TqvSkinGauge::AnimationFrameRect(int k) const {
    const RECT& all = progressanimationskinrect;
    const int n = progressanimationcountframes;
    RECT r = all;
    if (n <= 0) {
        return RECT{};
    }
    if (WidthOfRect(all) > WidthOfRect(progressrect)) {
        const int w = WidthOfRect(all) / n;
        r.left = all.left + (k - 1) * w;
        r.right = r.left + w;
    } else {
        const int h = HeightOfRect(all) / n;
        r.top = all.top + (k - 1) * h;
        r.bottom = r.top + h;
    }
    return r;
}

void TqvSkinGauge::StartProgressAnimation() {
    ReadSkinRecord();
    if (skinRecordIndex_ == -1 || RectIsEmpty(progressanimationskinrect)) {
        return;
    }
    StopProgressAnimation();
    pauseTimer_ = std::make_unique<vcl::TTimer>(nullptr);
    pauseTimer_->SetInterval(UINT(progressAnimationPause_));
    pauseTimer_->SetOnTimer([this](vcl::TObject*) { RestartAnimation(); });
    animationTimer_ = std::make_unique<vcl::TTimer>(nullptr);
    animationTimer_->SetEnabled(false);
    animationTimer_->SetInterval(UINT(progressanimationtimerinterval));
    animationTimer_->SetOnTimer([this](vcl::TObject*) { AnimationTick(); });
    RestartAnimation();
}

void TqvSkinGauge::RestartAnimation() {
    pauseTimer_->SetEnabled(false);
    progressAnimationFrame_ = 0;
    animationTimer_->SetEnabled(true);
    Invalidate();
}

void TqvSkinGauge::AnimationTick() {
    ++progressAnimationFrame_;
    if (progressAnimationFrame_ > progressanimationcountframes) {
        progressAnimationFrame_ = 0;
        pauseTimer_->SetEnabled(true);
        animationTimer_->SetEnabled(false);
    }
    Invalidate();
}

void TqvSkinGauge::StopProgressAnimation() {
    progressAnimationFrame_ = 0;
    animationTimer_.reset();
    pauseTimer_.reset();
}

// --- painting ---

bool TqvSkinGauge::DrawBar(vcl::TCanvas* canvas, const RECT& r) {
    const gfx::Bitmap& picture = *SkinPicture();
    const int w = WidthOfRect(r);
    const int h = HeightOfRect(r);
    gfx::Bitmap bar(w, h);
    const bool vert = EffectiveVertical();
    const bool framed = AnimationShowsFrame();
    const RECT source = framed ? AnimationFrameRect(progressAnimationFrame_) : progressrect;
    const int length = vert ? h : w;
    if (length - beginoffset - endoffset > 0) {
        const RECT inner = vert ? RECT{0, beginoffset, w, h - endoffset}
                                : RECT{beginoffset, 0, w - endoffset, h};
        RECT tile = source;
        if (vert) {
            tile.top += beginoffset;
            tile.bottom -= endoffset;
        } else {
            tile.left += beginoffset;
            tile.right -= endoffset;
        }
        const int tw = WidthOfRect(tile);
        const int th = HeightOfRect(tile);
        if ((vert ? th : tw) <= 0) {
            return false;
        }
        if (progressstretch || framed) {
            Put(picture, tile, bar, inner);
        } else if (!vert) {
            const int count = WidthOfRect(inner) / tw;
            for (int k = 0; k <= count; ++k) {
                const int left = inner.left + k * tw;
                const int right = std::min(left + tw, int(inner.right));
                RECT src = tile;
                src.right = src.left + (right - left);
                Put(picture, src, bar, RECT{left, inner.top, right, inner.bottom});
            }
        } else {
            const int count = HeightOfRect(inner) / th;
            for (int k = 0; k <= count; ++k) {
                const int bottom = inner.bottom - k * th;
                const int top = std::max(bottom - th, int(inner.top));
                RECT src = tile;
                src.top = src.bottom - (bottom - top);
                Put(picture, src, bar, RECT{inner.left, top, inner.right, bottom});
            }
        }
    }
    if (vert) {
        Put(picture, RECT{source.left, source.top, source.right, source.top + beginoffset}, bar,
            RECT{0, 0, w, beginoffset});
        Put(picture, RECT{source.left, source.bottom - endoffset, source.right, source.bottom}, bar,
            RECT{0, h - endoffset, w, h});
    } else {
        Put(picture, RECT{source.left, source.top, source.left + beginoffset, source.bottom}, bar,
            RECT{0, 0, beginoffset, h});
        Put(picture, RECT{source.right - endoffset, source.top, source.right, source.bottom}, bar,
            RECT{w - endoffset, 0, w, h});
    }
    if (progresstransparent) {
        vcl::TBitmap b;
        b.SetPixels(std::move(bar));
        TransparentBlt(canvas->Handle(), r.left, r.top, w, h, b.CanvasHandle(), 0, 0, w, h,
                       UINT(vcl::ColorToRGB(progresstransparentcolor)));
    } else {
        DrawBitmapAt(canvas, bar, r.left, r.top);
    }
    return true;
}

void TqvSkinGauge::DrawText(vcl::TCanvas* canvas, int width, int height, bool fromRecord) {
    const std::string text = GaugeText();
    if (text.empty()) {
        return;
    }
    if (fromRecord) {
        ApplyFont(canvas, fontname, fontheight, fontstyle);
        canvas->Font()->SetColor(fontcolor);
    } else {
        ApplySkinFont(canvas, false, "", 0, 0, *DefaultFont(), SkinData());
    }
    canvas->Brush()->SetStyle(vcl::bsClear);
    const SIZE extent = canvas->TextExtent(text);
    if (!EffectiveVertical()) {
        canvas->TextOut(width / 2 - extent.cx / 2, height / 2 - extent.cy / 2, text);
        return;
    }
    // Rotated by 90 degrees counter-clockwise: the run goes up from its reference point.
    HDC dc = canvas->Handle();
    HFONT flat = vcl::CreateFontHandle(*canvas->Font());
    LOGFONT lf;
    GetObject(flat, sizeof lf, &lf);
    DeleteObject(flat);
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    HFONT up = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, up);
    SetTextColor(dc, vcl::ColorToRGB(canvas->Font()->Color()));
    SetBkMode(dc, TRANSPARENT);
    ::TextOut(dc, width / 2 - extent.cy / 2, extent.cx / 2 + height / 2, text.c_str(), int(text.size()));
    SelectObject(dc, old);
    DeleteObject(up);
}

void TqvSkinGauge::DrawSkinImage(vcl::TBitmap& bitmap) {
    if (SkinPicture() == nullptr) {
        NoteDrawnExactly();
        return;
    }
    BuildControlImage(bitmap, *SkinPicture(), skinrect);
    NoteDrawn(SizedProgressArea);
    const RECT r = ProgressRectFor(value_, SizedProgressArea);
    vcl::TCanvas* canvas = bitmap.Canvas();
    if (OnGaugePaint) {
        OnGaugePaint(this, canvas, SizedProgressArea, r);
        return;
    }
    if (WidthOfRect(r) != 0 && HeightOfRect(r) != 0 && !RectIsEmpty(r)) {
        if (!DrawBar(canvas, r)) {
            return; // an empty tile draws neither the bar nor the text
        }
    }
    if (useSkinSize_) {
        DrawText(canvas, bitmap.Width(), bitmap.Height(), true);
    }
}

void TqvSkinGauge::DrawDefaultImage(vcl::TBitmap& bitmap) {
    vcl::TCanvas* canvas = bitmap.Canvas();
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    canvas->Brush()->SetColor(vcl::clWindow);
    canvas->FillRect(RECT{0, 0, w, h});
    canvas->Brush()->SetColor(vcl::clBtnShadow);
    canvas->FrameRect(RECT{0, 0, w, h});
    const RECT area{1, 1, w - 1, h - 1};
    NoteDrawn(area);
    const RECT r = ProgressRectFor(value_, area);
    if (OnGaugePaint) {
        OnGaugePaint(this, canvas, area, r);
        return;
    }
    if (!RectIsEmpty(r)) {
        canvas->Brush()->SetColor(kDefaultBarColour);
        canvas->FillRect(r);
    }
    DrawText(canvas, w, h, false);
}

void TqvSkinGauge::PaintTo(vcl::TCanvas* canvas) {
    if (Width() <= 0 || Height() <= 0) {
        return;
    }
    ReadSkinRecord();
    if (useSkinSize_ || skinRecordIndex_ == -1) {
        TqvSkinCustomControl::PaintTo(canvas);
        return;
    }
    int width = Width();
    int height = Height();
    FitSizeToSkin(width, height);
    // The skin's own size, stretched to the control's.
    vcl::TBitmap skinImage(Width(), Height());
    DrawSkinImage(skinImage);
    vcl::TBitmap image(Width(), Height());
    image.Canvas()->StretchDraw(RECT{0, 0, Width(), Height()}, &skinImage);
    DrawText(image.Canvas(), Width(), Height(), true);
    canvas->Draw(0, 0, &image);
}

} // namespace qv
