#include "skin/controls/qvSkinCustomControl.h"

#include "skin/data/qvRaster.h"
#include "skin/data/qvUtils.h"

namespace qv {

namespace {

// A memory DC over a picture owned elsewhere, for blitting from it.
class TPictureDC {
public:
    explicit TPictureDC(const gfx::Bitmap& picture)
        : bitmap_(gfx::WrapBitmap(const_cast<gfx::Bitmap*>(&picture))), dc_(CreateCompatibleDC(nullptr)),
          old_(SelectObject(dc_, bitmap_)) {}
    ~TPictureDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    TPictureDC(const TPictureDC&) = delete;
    TPictureDC& operator=(const TPictureDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_;
};

POINT Moved(POINT p, int dx, int dy) { return POINT{p.x + dx, p.y + dy}; }

} // namespace

void DrawPicturePart(vcl::TCanvas* canvas, const gfx::Bitmap& picture, const RECT& src, int x, int y, int w,
                     int h) {
    if (RectIsEmpty(src)) {
        return;
    }
    TPictureDC source(picture);
    int sw = WidthOfRect(src);
    int sh = HeightOfRect(src);
    if (w < 0) {
        w = sw;
    }
    if (h < 0) {
        h = sh;
    }
    if (w == sw && h == sh) {
        BitBlt(canvas->Handle(), x, y, w, h, source.Handle(), src.left, src.top, SRCCOPY);
    } else {
        StretchBlt(canvas->Handle(), x, y, w, h, source.Handle(), src.left, src.top, sw, sh, SRCCOPY);
    }
}

void DrawBitmapAt(vcl::TCanvas* canvas, const gfx::Bitmap& bitmap, int x, int y) {
    if (bitmap.Empty()) {
        return;
    }
    DrawPicturePart(canvas, bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()}, x, y);
}

TqvSkinCustomControl::TqvSkinCustomControl(vcl::TComponent* owner)
    : TqvSkinControl(owner), defaultFont_(std::make_unique<vcl::TFont>()) {
    defaultFont_->SetName("Arial");
    defaultFont_->SetHeight(14);
    defaultFont_->SetStyle(0);
    defaultFont_->OnChange = [this](vcl::TObject*) {
        DefaultFontChanged();
        if (skinRecordIndex_ == -1) {
            Invalidate();
        }
    };
}

TqvSkinCustomControl::~TqvSkinCustomControl() { defaultFont_->OnChange = nullptr; }

void TqvSkinCustomControl::SetDefaultWidth(int value) {
    defaultWidth_ = value;
    if (skinRecordIndex_ == -1 && value > 0) {
        SetWidth(value);
    }
}

void TqvSkinCustomControl::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    if (skinRecordIndex_ == -1 && value > 0) {
        SetHeight(value);
    }
}

void TqvSkinCustomControl::SetUseSkinFont(bool on) {
    if (on != useSkinFont_) {
        useSkinFont_ = on;
        Invalidate();
    }
}

void TqvSkinCustomControl::ReadSkinRecord() {
    TqvSkinControl::ReadSkinRecord();
    if (skinRecordIndex_ == -1) {
        return; // the copies keep their values and are not used
    }
    auto* record = dynamic_cast<const TqvDataSkinCustomControl*>(SkinRecord());
    hasGeometry_ = record != nullptr;
    if (record == nullptr) {
        skinLayout_ = slFixed;
        skinPicture_ = nullptr;
        skinMaskPicture_ = nullptr;
        return;
    }
    lefttoppoint = record->lefttoppoint;
    righttoppoint = record->righttoppoint;
    leftbottompoint = record->leftbottompoint;
    rightbottompoint = record->rightbottompoint;
    skinrect = record->skinrect;
    leftstretch = record->leftstretch;
    topstretch = record->topstretch;
    rightstretch = record->rightstretch;
    bottomstretch = record->bottomstretch;
    stretcheffect = record->stretcheffect;
    stretchtype = record->stretchtype;
    clientrect = record->clientrect;
    skinPicture_ = SkinData()->ExtraPicture(record->pictureindex);
    skinMaskPicture_ = SkinData()->ExtraPicture(record->maskpictureindex);
    if (RectIsEmpty(skinrect)) {
        skinLayout_ = slNone;
    } else if (rightbottompoint.x != 0 && rightbottompoint.y != 0) {
        skinLayout_ = slCorners;
    } else if (righttoppoint.x != 0 || righttoppoint.y != 0) {
        skinLayout_ = slHorizontal;
    } else if (leftbottompoint.x != 0 || leftbottompoint.y != 0) {
        skinLayout_ = slVertical;
    } else {
        skinLayout_ = slFixed;
    }
}

void TqvSkinCustomControl::FitSizeToSkin(int& width, int& height) {
    // A record without geometry (a font-only kind) leaves the size alone.
    if (skinRecordIndex_ == -1 || skinLayout_ == slNone || !hasGeometry_) {
        return;
    }
    const int dw = width - WidthOfRect(skinrect);
    const int dh = height - HeightOfRect(skinrect);
    switch (skinLayout_) {
    case slFixed:
        width = WidthOfRect(skinrect);
        height = HeightOfRect(skinrect);
        SizedClientRect = clientrect;
        break;
    case slCorners:
        SizedLeftTopPoint = lefttoppoint;
        SizedRightTopPoint = Moved(righttoppoint, dw, 0);
        SizedLeftBottomPoint = Moved(leftbottompoint, 0, dh);
        SizedRightBottomPoint = Moved(rightbottompoint, dw, dh);
        SizedClientRect = RECT{clientrect.left, clientrect.top, clientrect.right + dw,
                               clientrect.bottom + dh};
        break;
    case slHorizontal:
        height = HeightOfRect(skinrect);
        SizedLeftTopPoint = lefttoppoint;
        SizedRightTopPoint = Moved(righttoppoint, dw, 0);
        SizedClientRect = RECT{clientrect.left, clientrect.top, clientrect.right + dw, clientrect.bottom};
        break;
    case slVertical:
        width = WidthOfRect(skinrect);
        SizedLeftTopPoint = lefttoppoint;
        SizedLeftBottomPoint = Moved(leftbottompoint, 0, dh);
        SizedClientRect = RECT{clientrect.left, clientrect.top, clientrect.right, clientrect.bottom + dh};
        break;
    default: break;
    }
}

void TqvSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    ReadSkinRecord();
    const bool bound = skinRecordIndex_ != -1;
    const bool changed = (width != Width() || height != Height()) && bound;
    if (changed) {
        FitSizeToSkin(width, height);
        if (skinLayout_ == slFixed) {
            SizedClientRect = clientrect;
        }
    }
    TqvSkinControl::SetBounds(left, top, width, height);
    if (changed) {
        UpdateSkinRegion();
        Invalidate();
    }
    if (bound && stretcheffect) {
        NotifyChildrenBackground();
    }
}

void TqvSkinCustomControl::ApplySkin() {
    ReadSkinRecord();
    const int oldWidth = Width();
    const int oldHeight = Height();
    int width = oldWidth;
    int height = oldHeight;
    const bool bound = skinRecordIndex_ != -1;
    if (!bound) {
        if (defaultWidth_ > 0) {
            width = defaultWidth_;
        }
        if (defaultHeight_ > 0) {
            height = defaultHeight_;
        }
    } else {
        FitSizeToSkin(width, height);
    }
    if (width != oldWidth || height != oldHeight) {
        SetBounds(Left(), Top(), width, height);
    }
    const bool sizeChanged = Width() != oldWidth || Height() != oldHeight;
    if (!sizeChanged || !bound) {
        UpdateSkinRegion();
        Invalidate();
    }
}

TqvSkinGeometry TqvSkinCustomControl::RecordGeometry() const {
    return TqvSkinGeometry{lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
}

TqvSkinGeometry TqvSkinCustomControl::SizedGeometry() const {
    return TqvSkinGeometry{SizedLeftTopPoint, SizedRightTopPoint, SizedLeftBottomPoint, SizedRightBottomPoint,
                           SizedClientRect};
}

TqvComposeFlags TqvSkinCustomControl::ComposeFlags(bool drawCentre) const {
    TqvComposeFlags flags;
    flags.StretchTop = topstretch;
    flags.StretchBottom = bottomstretch;
    flags.StretchLeft = leftstretch;
    flags.StretchRight = rightstretch;
    flags.DrawCentre = drawCentre;
    flags.StretchCentre = stretcheffect;
    flags.StretchType = stretchtype;
    return flags;
}

void TqvSkinCustomControl::SetSkinRegion(HRGN region) {
    HRGN old = windowRegion_;
    if (region == nullptr && old == nullptr) {
        return;
    }
    windowRegion_ = region;
    // The window owns the region it is given; ours is a copy so we can free it ourselves.
    HRGN copy = nullptr;
    if (region != nullptr) {
        copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, region, nullptr, RGN_COPY);
    }
    SetWindowRgn(Handle(), copy, TRUE);
    if (old != nullptr) {
        DeleteObject(old);
    }
}

void TqvSkinCustomControl::UpdateSkinRegion() {
    if (Parent() == nullptr || !HandleAllocated()) {
        return; // the window gets its region when it is made
    }
    if (skinMaskPicture_ == nullptr || skinRecordIndex_ == -1) {
        SetSkinRegion(nullptr);
        return;
    }
    int width = Width();
    int height = Height();
    FitSizeToSkin(width, height);
    const gfx::Bitmap& mask = *skinMaskPicture_;
    TqvSkinGeometry g = RecordGeometry();
    TqvSkinGeometry ng = SizedGeometry();
    HRGN region = nullptr;
    switch (skinLayout_) {
    case slCorners: region = RegionFromSkinMask(mask, g, ng, Width()); break;
    case slHorizontal:
        g.LB = g.LT;
        g.RB = g.RT;
        ng.RT = Moved(righttoppoint, Width() - WidthOfRect(skinrect), 0);
        ng.LB = ng.LT;
        ng.RB = ng.RT;
        region = RegionFromSkinMask(mask, g, ng, Width());
        break;
    case slVertical:
        g.RT = g.LT;
        g.RB = g.LB;
        ng.LB = Moved(leftbottompoint, 0, Height() - HeightOfRect(skinrect));
        ng.RT = ng.LT;
        ng.RB = ng.LB;
        region = RegionFromSkinMask(mask, g, ng, Width());
        break;
    case slFixed: region = RegionFromMask(mask); break;
    default: break;
    }
    SetSkinRegion(region);
}

void TqvSkinCustomControl::CreateWnd() {
    TqvSkinControl::CreateWnd();
    if (windowRegion_ != nullptr) {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, windowRegion_, nullptr, RGN_COPY);
        SetWindowRgn(Handle(), copy, FALSE);
    } else {
        ReadSkinRecord();
        UpdateSkinRegion();
    }
}

RECT TqvSkinCustomControl::SkinToControlRect(const RECT& r) const {
    const int sw = WidthOfRect(skinrect);
    const int sh = HeightOfRect(skinrect);
    const int dw = Width() - sw;
    const int dh = Height() - sh;
    RECT out = r;
    switch (skinLayout_) {
    case slCorners: {
        const RECT lt{0, 0, lefttoppoint.x, lefttoppoint.y};
        const RECT lb{0, leftbottompoint.y, leftbottompoint.x, sh};
        const RECT rt{righttoppoint.x, 0, sw, righttoppoint.y};
        const RECT rb{rightbottompoint.x, rightbottompoint.y, sw, sh};
        if (RectInsideRect(r, lt)) {
            return r;
        }
        if (RectInsideRect(r, rt)) {
            out = OffsetRect(out, dw, 0);
            return out;
        }
        if (RectInsideRect(r, lb)) {
            out = OffsetRect(out, 0, dh);
            return out;
        }
        if (RectInsideRect(r, rb)) {
            out = OffsetRect(out, dw, dh);
            return out;
        }
        const POINT p1{r.left, r.top};
        const POINT p2{r.right, r.bottom};
        auto in = [](POINT p, const RECT& zone) { return PointInRectInclusive(p, zone); };
        if (in(p1, lt) && in(p2, rb)) {
            out.right += dw;
            out.bottom += dh;
        } else if (in(p1, lt) && in(p2, rt)) {
            out.right += dw;
        } else if (in(p1, lb) && in(p2, rb)) {
            out.right += dw;
            out = OffsetRect(out, 0, dh);
        } else if (in(p1, lt) && in(p2, lb)) {
            out.bottom += dh;
        } else if (in(p1, rt) && in(p2, rb)) {
            out = OffsetRect(out, dw, 0);
            out.bottom += dh;
        }
        return out;
    }
    case slHorizontal:
        if (r.left <= lefttoppoint.x && r.right >= righttoppoint.x) {
            out.right += dw;
        } else if (r.left >= righttoppoint.x && r.right > righttoppoint.x) {
            out = OffsetRect(out, dw, 0);
        }
        return out;
    case slVertical:
        if (r.top <= lefttoppoint.y && r.bottom >= leftbottompoint.y) {
            out.bottom += dh;
        } else if (r.top >= leftbottompoint.y && r.bottom > leftbottompoint.y) {
            out = OffsetRect(out, 0, dh);
        }
        return out;
    default: return out;
    }
}

void TqvSkinCustomControl::NotifyChildrenBackground() {
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* child = Controls(i);
        if (auto* windowed = dynamic_cast<vcl::TWinControl*>(child)) {
            if (windowed->HandleAllocated()) {
                SendMessage(windowed->Handle(), WM_PARENTBGCHANGED, 0, 0);
            }
        } else {
            child->Perform(WM_PARENTBGCHANGED, 0, 0);
        }
    }
}

void TqvSkinCustomControl::BuildControlImage(vcl::TBitmap& bitmap, const gfx::Bitmap& picture,
                                             const RECT& source) {
    gfx::Bitmap image = std::move(bitmap.Pixels());
    const int W = Width();
    const int H = Height();
    switch (skinLayout_) {
    case slFixed: {
        gfx::Bitmap fixed(MaxOf(WidthOfRect(source), 0), MaxOf(HeightOfRect(source), 0));
        CopyPixels(picture, source.left, source.top, fixed.Width(), fixed.Height(), fixed, 0, 0);
        image = std::move(fixed);
        break;
    }
    case slCorners:
        if (!directFramePaint_) {
            ComposeSkinImage(picture, source, RecordGeometry(), SizedGeometry(), W, H, ComposeFlags(true),
                             image);
        }
        break;
    case slHorizontal:
        ComposeHorzImage(picture, source, lefttoppoint.x, WidthOfRect(skinrect) - righttoppoint.x, W,
                         stretcheffect, image);
        break;
    case slVertical:
        ComposeVertImage(picture, source, lefttoppoint.y, HeightOfRect(skinrect) - leftbottompoint.y, H,
                         stretcheffect, image);
        break;
    default: break;
    }
    bitmap.SetPixels(std::move(image));
}

void TqvSkinCustomControl::DrawDefaultImage(vcl::TBitmap& bitmap) {
    vcl::TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(vcl::clBtnFace);
    canvas->FillRect(RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

void TqvSkinCustomControl::DrawSkinImage(vcl::TBitmap& bitmap) {
    if (skinPicture_ != nullptr) {
        BuildControlImage(bitmap, *skinPicture_, skinrect);
    }
}

RECT TqvSkinCustomControl::ClientTileRect() const {
    RECT tile = clientrect;
    tile = OffsetRect(tile, skinrect.left, skinrect.top);
    return tile;
}

void TqvSkinCustomControl::FillWithClientTile(vcl::TCanvas* canvas, const RECT& dest) {
    const RECT tile = ClientTileRect();
    const int cw = WidthOfRect(tile);
    const int ch = HeightOfRect(tile);
    if (skinPicture_ == nullptr || cw <= 0 || ch <= 0) {
        return; // an empty client rectangle leaves the background unfilled
    }
    const int dwid = WidthOfRect(dest);
    const int dhei = HeightOfRect(dest);
    if (!stretcheffect) {
        for (int i = 0; i <= dwid / cw; ++i) {
            for (int j = 0; j <= dhei / ch; ++j) {
                DrawPicturePart(canvas, *skinPicture_, tile, dest.left + i * cw, dest.top + j * ch);
            }
        }
        return;
    }
    if (dwid <= 0 || dhei <= 0) {
        return;
    }
    switch (stretchtype) {
    case stFull: DrawPicturePart(canvas, *skinPicture_, tile, dest.left, dest.top, dwid, dhei); break;
    case stHorz:
        for (int i = 0; i <= dwid / cw; ++i) {
            DrawPicturePart(canvas, *skinPicture_, tile, dest.left + i * cw, dest.top, cw, dhei);
        }
        break;
    case stVert:
        for (int j = 0; j <= dhei / ch; ++j) {
            DrawPicturePart(canvas, *skinPicture_, tile, dest.left, dest.top + j * ch, dwid, ch);
        }
        break;
    default: break;
    }
}

void TqvSkinCustomControl::PaintDirectFrame(vcl::TCanvas* canvas) {
    const int W = Width();
    const int H = Height();
    TqvBorderStrips strips;
    ComposeBorderStrips(*skinPicture_, skinrect, RecordGeometry(), SizedGeometry(), W, H, ComposeFlags(false),
                        strips);
    vcl::TBitmap top;
    top.SetPixels(std::move(strips.Top));
    DrawSkinImage(top); // a descendant may draw its caption into the top strip
    if (fillClientFromSkin_) {
        HDC dc = canvas->Handle();
        int saved = SaveDC(dc);
        IntersectClipRect(dc, SizedClientRect.left, SizedClientRect.top, SizedClientRect.right,
                          SizedClientRect.bottom);
        FillWithClientTile(canvas, SizedClientRect);
        RestoreDC(dc, saved);
    }
    const int topHeight = top.Height();
    DrawBitmapAt(canvas, top.Pixels(), 0, 0);
    DrawBitmapAt(canvas, strips.Left, 0, topHeight);
    DrawBitmapAt(canvas, strips.Right, W - strips.Right.Width(), topHeight);
    DrawBitmapAt(canvas, strips.Bottom, 0, H - strips.Bottom.Height());
}

void TqvSkinCustomControl::PaintTo(vcl::TCanvas* canvas) {
    if (Width() <= 0 || Height() <= 0) {
        return;
    }
    ReadSkinRecord();
    int width = Width();
    int height = Height();
    FitSizeToSkin(width, height); // refreshes the Sized values only
    if (skinRecordIndex_ != -1 && directFramePaint_ && skinLayout_ == slCorners && skinPicture_ != nullptr) {
        PaintDirectFrame(canvas);
        return;
    }
    TqvSkinControl::PaintTo(canvas);
}

void TqvSkinCustomControl::ApplyFont(vcl::TCanvas* canvas, const std::string& name, int height,
                                     unsigned style) const {
    ApplySkinFont(canvas, useSkinFont_, name, height, style, *defaultFont_, SkinData());
}

} // namespace qv
