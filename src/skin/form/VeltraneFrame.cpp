// The frame of the form skin: geometry for any window size, the non-client insets, the skinned
// and the built-in frame painting, the window region from the mask picture and the client
// background. The frame is composed into four strips and copied with the client area clipped
// out, so the client never flickers while the frame repaints.
#include "skin/form/Veltrane.h"

#include "framework/Canvas.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/GdiBitmap.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/User.h"
#include "skin/data/qvEffects.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvUtils.h"

namespace qv {

namespace {

POINT Moved(POINT p, int dx, int dy) { return POINT{p.x + dx, p.y + dy}; }

// Copies a bitmap onto dc at (x, y).
void BlitBitmap(HDC dc, int x, int y, const gfx::Bitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    HBITMAP handle = gfx::WrapBitmap(const_cast<gfx::Bitmap*>(&bitmap));
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, handle);
    BitBlt(dc, x, y, bitmap.Width(), bitmap.Height(), mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(handle);
}

void StretchBitmap(HDC dc, const RECT& dst, const gfx::Bitmap& bitmap) {
    if (bitmap.Empty() || RectIsEmpty(dst)) {
        return;
    }
    HBITMAP handle = gfx::WrapBitmap(const_cast<gfx::Bitmap*>(&bitmap));
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, handle);
    StretchBlt(dc, dst.left, dst.top, WidthOfRect(dst), HeightOfRect(dst), mem, 0, 0, bitmap.Width(),
               bitmap.Height(), SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(handle);
}

// The part r of picture as a bitmap of its own (pixels outside the picture stay black).
gfx::Bitmap CutPicture(const gfx::Bitmap& picture, const RECT& r) {
    gfx::Bitmap out(WidthOfRect(r), HeightOfRect(r));
    FitSkinImageToSize(picture, r, RECT{0, 0, WidthOfRect(r), HeightOfRect(r)}, true, out);
    return out;
}

void FillSys(HDC dc, const RECT& r, int index) { FillRect(dc, &r, GetSysColorBrush(index)); }

void HLine(HDC dc, int x1, int x2, int y, COLORREF color) {
    for (int x = x1; x < x2; ++x) {
        SetPixelV(dc, x, y, color);
    }
}

// A one-pixel ring: top and left in light, bottom and right in dark.
void Ring(HDC dc, const RECT& r, int light, int dark) {
    FillSys(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, light);
    FillSys(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, light);
    FillSys(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
    FillSys(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
}

} // namespace

// ---- geometry ----

void TqvVeltrane::UpdateGeometry() {
    if (!skinInUse_ || skinData_ == nullptr) {
        return;
    }
    const TqvSkinData& s = *skinData_;
    if (WindowWidth == 0 || WindowHeight == 0) {
        WindowWidth = form_->Width();
        WindowHeight = form_->Height();
    }
    const int pw = s.MainPicture.Width();
    const int ph = s.MainPicture.Height();
    const int dx = WindowWidth - pw;
    const int dy = WindowHeight - ph;
    FrameLT = s.lefttoppoint;
    FrameRT = Moved(s.righttoppoint, dx, 0);
    FrameLB = Moved(s.leftbottompoint, 0, dy);
    FrameRB = Moved(s.rightbottompoint, dx, dy);
    const RECT& cr = s.clientrect;
    ClientArea = RECT{cr.left, cr.top, cr.right + dx, cr.bottom + dy};
    CaptionArea = s.captionrect;
    if (!RectIsEmpty(CaptionArea)) {
        CaptionArea.right += dx;
    }
    ButtonsArea = s.buttonsrect;
    if (!RectIsEmpty(ButtonsArea) && ButtonsArea.left > pw / 2) {
        ButtonsArea = OffsetRect(ButtonsArea, dx, 0);
    }
    ButtonsInLeft = s.buttonsinleft;
    ButtonsOffset = s.buttonsoffset;
    HitLT = s.hittestlefttoppoint;
    HitRT = Moved(s.hittestrighttoppoint, dx, 0);
    HitLB = Moved(s.hittestleftbottompoint, 0, dy);
    HitRB = Moved(s.hittestrightbottompoint, dx, dy);
    const RECT& m = s.maskrectarea;
    MaskArea = RECT{m.left, m.top, m.right + dx, m.bottom + dy};
}

int TqvVeltrane::DefaultCaptionHeight() const {
    auto style = form_->BorderStyle();
    return (style == vcl::bsToolWindow || style == vcl::bsSizeToolWin) ? 15 : 19;
}

RECT TqvVeltrane::FrameInsets() const {
    if (!formSkinnable_ || !Framed()) {
        return RECT{};
    }
    if (skinInUse_ && skinData_ != nullptr) {
        const TqvSkinData& s = *skinData_;
        return RECT{s.clientrect.left, s.clientrect.top, s.MainPicture.Width() - s.clientrect.right,
                    s.MainPicture.Height() - s.clientrect.bottom};
    }
    return RECT{3, DefaultCaptionHeight() + 3, 3, 3};
}

// ---- skinned frame ----

void TqvVeltrane::PaintFrame(HDC dc) {
    if (!skinInUse_ || skinData_ == nullptr || !form_->HandleAllocated()) {
        return;
    }
    if (WindowWidth == 0 || WindowHeight == 0) {
        WindowWidth = form_->Width();
        WindowHeight = form_->Height();
    }
    if (WindowWidth < MinFormWidth() || WindowHeight < MinFormHeight()) {
        return;
    }
    UpdateGeometry();
    LayoutObjects();
    const TqvSkinData& s = *skinData_;
    const bool active = IsFormActive();
    const gfx::Bitmap& source = (active || s.InactiveFormPicture.Empty()) ? s.MainPicture
                                                                          : s.InactiveFormPicture;
    ComposeStrips(source);
    DrawObjectsIntoStrips();

    HWND h = form_->Handle();
    HDC target = dc != nullptr ? dc : GetWindowDC(h);
    if (target == nullptr) {
        return;
    }
    int saved = SaveDC(target);
    if (!RectIsEmpty(ClientArea)) {
        ExcludeClipRect(target, ClientArea.left, ClientArea.top, ClientArea.right, ClientArea.bottom);
    }
    if (!active && s.autorenderinginactiveimage) {
        ApplyInactiveEffect(strips_.Top);
        ApplyInactiveEffect(strips_.Left);
        ApplyInactiveEffect(strips_.Right);
        ApplyInactiveEffect(strips_.Bottom);
    }
    const int topH = strips_.Top.Height();
    BlitBitmap(target, 0, 0, strips_.Top);
    BlitBitmap(target, 0, topH, strips_.Left);
    BlitBitmap(target, WindowWidth - strips_.Right.Width(), topH, strips_.Right);
    BlitBitmap(target, 0, WindowHeight - strips_.Bottom.Height(), strips_.Bottom);
    RestoreDC(target, saved);
    if (dc == nullptr) {
        ReleaseDC(h, target);
    }
}

void TqvVeltrane::ComposeStrips(const gfx::Bitmap& source) {
    const TqvSkinData& s = *skinData_;
    const int pw = s.MainPicture.Width();
    const int ph = s.MainPicture.Height();
    TqvSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.clientrect};
    TqvSkinGeometry ng = AnchorSkinGeometry(g, pw, ph, WindowWidth, WindowHeight);
    TqvComposeFlags flags;
    flags.StretchLeft = s.leftstretch;
    flags.StretchTop = s.topstretch;
    flags.StretchRight = s.rightstretch;
    flags.StretchBottom = s.bottomstretch;
    // The strips are made afresh for each paint: a strip of the previous size must not survive
    // into a size where that strip comes out empty.
    strips_ = TqvBorderStrips{};
    ComposeBorderStrips(source, RECT{0, 0, pw, ph}, g, ng, WindowWidth, WindowHeight, flags, strips_);
}

void TqvVeltrane::DrawObjectsIntoStrips() {
    gfx::DC top(&strips_.Top);
    gfx::DC bottom(&strips_.Bottom);
    for (auto& o : SkinObjects) {
        if (!o->Shown) {
            continue;
        }
        if (o->ObjectRect.bottom > ClientArea.top && !strips_.Bottom.Empty()) {
            RECT keep = o->ObjectRect;
            o->ObjectRect = OffsetRect(o->ObjectRect, 0, -ClientArea.bottom);
            o->Draw(&bottom, false);
            o->ObjectRect = keep;
        } else if (!strips_.Top.Empty()) {
            o->Draw(&top, false);
        }
    }
}

void TqvVeltrane::ApplyInactiveEffect(gfx::Bitmap& strip) const {
    if (strip.Empty()) {
        return;
    }
    TqvEffectBmp e(strip);
    switch (skinData_->inactiveeffect) {
    case ieBrightness: e.Lighten(0.5); break;
    case ieDarkness: e.Darken(0.3); break;
    case ieGrayscale: e.ToGray(); break;
    case ieNoise: e.AddNoise(50); break;
    case ieSplitBlur: e.SplitBlur(1); break;
    case ieInvert: e.Invert(); break;
    }
    strip = e.ToBitmap();
}

// ---- default look ----

void TqvVeltrane::PaintDefaultFrame(HDC dc) {
    if (skinData_ != nullptr && skinData_->IsChanging()) {
        return;
    }
    if (!form_->HandleAllocated()) {
        return;
    }
    if (WindowWidth == 0 || WindowHeight == 0) {
        WindowWidth = form_->Width();
        WindowHeight = form_->Height();
    }
    const int W = WindowWidth;
    const int H = WindowHeight;
    const int hc = DefaultCaptionHeight();
    if (SkinObjects.empty()) {
        CreateDefaultObjects();
    }
    LayoutDefaultButtons();
    if (W - 6 <= 0) {
        return;
    }
    gfx::Bitmap caption(W - 6, hc);
    gfx::DC cdc(&caption);
    HDC b = &cdc;
    FillSys(b, RECT{0, 0, W - 6, hc}, COLOR_BTNFACE);
    const int lc = DefaultCaptionArea.left - 3;
    const int rc = DefaultCaptionArea.right - 3;
    if (hc - 4 > 1) {
        for (int y = 2; y <= hc - 4; ++y) {
            int index = ((y - 2) % 2 == 0) ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
            HLine(b, lc + 2, rc - 3, y, GetSysColor(index));
        }
    }
    const bool active = IsFormActive();
    vcl::TFont font;
    font.Assign(active ? defCaptionFont_.get() : defInActiveCaptionFont_.get());
    if (skinData_ != nullptr && skinData_->ResourceStrData() != nullptr) {
        font.SetCharset(skinData_->ResourceStrData()->CharSet());
    }
    if (OnCaptionPaint) {
        vcl::TCanvas canvas;
        canvas.SetHandle(b);
        canvas.SetFont(&font);
        OnCaptionPaint(&canvas, RECT{lc, 0, rc, hc}, active);
        canvas.SetHandle(nullptr);
    } else if (!form_->Caption().empty()) {
        HFONT hf = vcl::CreateFontHandle(font);
        HGDIOBJ oldFont = SelectObject(b, hf);
        SetTextColor(b, vcl::ColorToRGB(font.Color()));
        SetBkMode(b, TRANSPARENT);
        std::string text = form_->Caption();
        const int a = rc + 3 - lc;
        FitWideTextToWidth(b, text, a);
        const int tw = WideTextWidth(b, text);
        const int th = WideTextHeight(b, text);
        const int x = lc + a / 2 - (tw + 5) / 2;
        const int y = hc / 2 - th / 2;
        RECT r{x, y, x, y};
        DrawWideText(b, text, r, DT_CALCRECT);
        RECT patch{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
        FillSys(b, patch, COLOR_BTNFACE);
        DrawWideText(b, text, r, DT_VCENTER);
        SelectObject(b, oldFont);
        DeleteObject(hf);
    }
    for (auto& o : SkinObjects) {
        if (!o->Shown) {
            continue;
        }
        RECT keep = o->ObjectRect;
        o->ObjectRect = OffsetRect(o->ObjectRect, -3, -3);
        o->Draw(b, false);
        o->ObjectRect = keep;
    }

    HWND h = form_->Handle();
    HDC target = dc != nullptr ? dc : GetWindowDC(h);
    if (target == nullptr) {
        return;
    }
    int saved = SaveDC(target);
    ExcludeClipRect(target, 3, hc + 3, W - 3, H - 3);
    BlitBitmap(target, 3, 3, caption);
    RECT r{0, 0, W, H};
    Ring(target, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    r = InflateRect(r, -1, -1);
    Ring(target, r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    r = InflateRect(r, -1, -1);
    Ring(target, r, COLOR_BTNFACE, COLOR_BTNFACE);
    RestoreDC(target, saved);
    if (dc == nullptr) {
        ReleaseDC(h, target);
    }
}

// ---- region ----

void TqvVeltrane::SetRegion(HRGN region) {
    if (!form_->HandleAllocated()) {
        if (region != nullptr) {
            DeleteObject(region);
        }
        return;
    }
    // The window owns a region once it is set and deletes the one it replaces.
    SetWindowRgn(form_->Handle(), region, TRUE);
    windowRegion_ = region;
}

void TqvVeltrane::UpdateRegion(bool rescale) {
    if (WindowWidth == 0 || WindowHeight == 0) {
        WindowWidth = form_->Width();
        WindowHeight = form_->Height();
    }
    const int W = WindowWidth;
    const int H = WindowHeight;
    if (!(formSkinnable_ && Framed())) {
        if (windowRegion_ != nullptr) {
            if (form_->HandleAllocated()) {
                SetWindowRgn(form_->Handle(), nullptr, TRUE);
            }
            windowRegion_ = nullptr;
        }
        return;
    }
    if (!skinInUse_ || skinData_ == nullptr) {
        Mask = TqvBorderStrips{};
        SetRegion(CreateRectRgn(0, 0, W, H));
        return;
    }
    const TqvSkinData& s = *skinData_;
    if (s.FormMaskPicture.Empty()) {
        Mask = TqvBorderStrips{};
        SetRegion(CreateRectRgn(0, 0, W, H));
        return;
    }
    if (!rescale) {
        HRGN whole = RegionFromMask(s.FormMaskPicture);
        RECT box{};
        if (whole == nullptr || GetRgnBox(whole, &box) == NULLREGION) {
            if (whole != nullptr) {
                DeleteObject(whole);
            }
            return;
        }
        SetRegion(whole);
        return;
    }
    UpdateGeometry();
    const int pw = s.MainPicture.Width();
    const int ph = s.MainPicture.Height();
    TqvSkinGeometry g{s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.maskrectarea};
    TqvSkinGeometry ng = AnchorSkinGeometry(g, pw, ph, W, H);
    Mask = TqvBorderStrips{};
    ComposeMaskStrips(s.FormMaskPicture, g, ng, W, Mask);
    if (!form_->HandleAllocated()) {
        return; // the strips are kept for painting; a region needs a window to take it
    }
    std::vector<RECT> runs;
    if (!RectIsEmpty(MaskArea)) {
        runs.push_back(MaskArea);
    }
    if (Mask.Top.Height() > 0) AppendMaskRuns(Mask.Top, 0, 0, runs);
    if (Mask.Bottom.Height() > 0) AppendMaskRuns(Mask.Bottom, 0, MaskArea.bottom, runs);
    if (Mask.Left.Width() > 0) AppendMaskRuns(Mask.Left, 0, MaskArea.top, runs);
    if (Mask.Right.Width() > 0) AppendMaskRuns(Mask.Right, MaskArea.right, MaskArea.top, runs);
    if (runs != builtRegions_[0].runs) {
        std::swap(builtRegions_[0], builtRegions_[1]);
        if (runs != builtRegions_[0].runs) {
            builtRegions_[0].region = gfx::Region::FromRects(runs);
            builtRegions_[0].runs = std::move(runs);
        }
    }
    SetRegion(new gfx::GdiRegion(builtRegions_[0].region));
}

// ---- background ----

void TqvVeltrane::PaintBackground(HDC dc) {
    if (dc == nullptr) {
        return;
    }
    const RECT client = form_->ClientRect();
    const int cw = WidthOfRect(client);
    const int ch = HeightOfRect(client);
    auto drawLogo = [&] {
        if (logo_.Empty()) {
            return;
        }
        const int x = cw - logo_.Width();
        const int y = ch - logo_.Height();
        if (LogoBitMapTransparent) {
            HBITMAP handle = gfx::WrapBitmap(&logo_);
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, handle);
            // The bottom-left pixel names the transparent colour, as for transparent bitmaps.
            COLORREF key = gfx::PixelToColor(logo_.GetPixel(0, logo_.Height() - 1));
            TransparentBlt(dc, x, y, logo_.Width(), logo_.Height(), mem, 0, 0, logo_.Width(), logo_.Height(),
                           key);
            SelectObject(mem, old);
            DeleteDC(mem);
            DeleteObject(handle);
        } else {
            BlitBitmap(dc, x, y, logo_);
        }
    };
    if (!skinInUse_ || skinData_ == nullptr) {
        FillSys(dc, client, COLOR_BTNFACE);
        drawLogo();
        return;
    }
    const TqvSkinData& s = *skinData_;
    gfx::Bitmap tile;
    if (s.bgpictureindex == -1) {
        if (RectIsEmpty(s.clientrect)) {
            FillSys(dc, client, COLOR_BTNFACE);
            return;
        }
        tile = CutPicture(s.MainPicture, s.clientrect);
    } else if (const gfx::Bitmap* extra = s.ExtraPicture(s.bgpictureindex)) {
        tile = *extra;
    }
    if (cw > 0 && ch > 0 && !tile.Empty()) {
        const int tw = tile.Width();
        const int th = tile.Height();
        if (s.stretcheffect) {
            switch (s.stretchtype) {
            case stFull: StretchBitmap(dc, RECT{0, 0, cw, ch}, tile); break;
            case stHorz: {
                gfx::Bitmap column(tw, ch);
                FitSkinImageToSize(tile, RECT{0, 0, tw, th}, RECT{0, 0, tw, th}, true, column);
                for (int i = 0; i <= cw / tw; ++i) {
                    BlitBitmap(dc, i * tw, 0, column);
                }
                break;
            }
            case stVert: {
                gfx::Bitmap row(cw, th);
                FitSkinImageToSize(tile, RECT{0, 0, tw, th}, RECT{0, 0, tw, th}, true, row);
                for (int i = 0; i <= ch / th; ++i) {
                    BlitBitmap(dc, 0, i * th, row);
                }
                break;
            }
            }
        } else {
            for (int j = 0; j <= ch / th; ++j) {
                for (int i = 0; i <= cw / tw; ++i) {
                    BlitBitmap(dc, i * tw, j * th, tile);
                }
            }
        }
    }
    drawLogo();
}

// ---- refresh ----

void TqvVeltrane::RefreshFrame(bool rescale) {
    if (!skinInUse_ || skinData_ == nullptr) {
        return;
    }
    if (formSkinnable_) {
        UpdateGeometry();
        if (rescale) {
            LayoutObjects();
        }
    }
    UpdateRegion(rescale);
    if (windowRegion_ == nullptr && formSkinnable_ && Framed()) {
        SendNcPaint();
    }
    if (skinData_->stretcheffect && form_->HandleAllocated()) {
        InvalidateForm();
        form_->NotifyControls(WM_PARENTBGCHANGED);
    }
}

} // namespace qv
