#include "skin/form/qvSkinHint.h"

#include "framework/Canvas.h"
#include "skin/data/qvHintSource.h"
#include "skin/data/qvMaskRegion.h"
#include "skin/data/qvPlatformUtils.h"
#include "skin/data/qvResourceStr.h"

#include <algorithm>

namespace qv {

namespace {

// The hint component that holds the application's show-hint handler, so the one that goes away
// while holding it can take it back.
TqvSkinHint* g_showHintOwner = nullptr;

// A hint shows its text as written: "&" is not an accelerator prefix there.
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOPREFIX;
constexpr UINT kDrawFlags = DT_NOPREFIX;

SIZE MeasureText(vcl::TCanvas* canvas, const std::string& text) {
    if (text.empty()) {
        return SIZE{0, 0};
    }
    RECT r{0, 0, 0, 0};
    canvas->DrawText(text, r, kMeasureFlags);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// A memory DC for measuring, released with the scope.
class MeasureDC {
public:
    explicit MeasureDC(vcl::TCanvas* canvas) : canvas_(canvas), dc_(CreateCompatibleDC(nullptr)) {
        canvas_->SetHandle(dc_);
    }
    ~MeasureDC() {
        canvas_->SetHandle(nullptr);
        DeleteDC(dc_);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;

private:
    vcl::TCanvas* canvas_;
    HDC dc_;
};

RECT MonitorWorkArea(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || !GetMonitorInfo(monitor, &info)) {
        return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return info.rcWork;
}

const gfx::Bitmap* ExtraPicture(const TqvSkinData& data, int index) {
    if (index < 0 || index >= int(data.ExtraPictures.size())) {
        return nullptr;
    }
    const gfx::Bitmap& picture = data.ExtraPictures[std::size_t(index)];
    return picture.Empty() ? nullptr : &picture;
}

} // namespace

// ---- geometry ----

TqvHintLayout LayoutSkinnedHint(SIZE content, SIZE picture, const TqvDataSkinHintWindow& skin,
                                int extraWidth) {
    const RECT& cr = skin.clientrect;
    int w = content.cx + cr.left + picture.cx - cr.right + extraWidth;
    int h = content.cy + cr.top + picture.cy - cr.bottom;
    // The corner points move with the size; a size that would carry a right point left of its
    // left partner (or a bottom point above its top partner) grows until they meet.
    auto grow = [](int& size, int moving, int fixed, int delta) {
        if (moving + delta < fixed) {
            size += fixed - (moving + delta);
        }
    };
    grow(w, skin.righttoppoint.x, skin.lefttoppoint.x, w - picture.cx);
    grow(w, skin.rightbottompoint.x, skin.leftbottompoint.x, w - picture.cx);
    grow(h, skin.leftbottompoint.y, skin.lefttoppoint.y, h - picture.cy);
    grow(h, skin.rightbottompoint.y, skin.righttoppoint.y, h - picture.cy);
    const int dx = w - picture.cx;
    const int dy = h - picture.cy;

    TqvHintLayout layout;
    layout.Width = w;
    layout.Height = h;
    layout.ClientArea = RECT{cr.left, cr.top, cr.right + dx, cr.bottom + dy};
    layout.Geometry = TqvSkinGeometry{skin.lefttoppoint, skin.righttoppoint, skin.leftbottompoint,
                                      skin.rightbottompoint, cr};
    layout.Scaled = AnchorSkinGeometry(layout.Geometry, picture.cx, picture.cy, w, h);
    return layout;
}

RECT PlaceHint(POINT at, int w, int h, const RECT& limit) {
    RECT r{at.x, at.y, at.x + w, at.y + h};
    if (r.right > limit.right) {
        r = OffsetRect(r, -(w + 2), 0);
    }
    if (r.bottom > limit.bottom) {
        r = OffsetRect(r, 0, -(h + 2));
    }
    // Still crossing an edge (a start point already near it), or wider or taller than the room
    // beside the pointer: the hint is pulled inside, even if it then covers the pointer.
    if (r.right > limit.right) {
        r = OffsetRect(r, limit.right - r.right, 0);
    }
    if (r.bottom > limit.bottom) {
        r = OffsetRect(r, 0, limit.bottom - r.bottom);
    }
    if (r.left < limit.left) {
        r = OffsetRect(r, limit.left - r.left, 0);
    }
    if (r.top < limit.top) {
        r = OffsetRect(r, 0, limit.top - r.top);
    }
    return r;
}

std::string HintDisplayText(const std::string& text, const std::string& separator) {
    if (separator.empty()) {
        return text;
    }
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
        out.append(text, from, at - from);
        // One break: the text drawing counts a lone line feed followed by a carriage return
        // as two.
        out += "\r\n";
        from = at + separator.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

// ---- the hint window ----

TqvSkinHintWindow::TqvSkinHintWindow(vcl::TComponent* owner)
    : vcl::THintWindow(owner), font_(std::make_unique<vcl::TFont>()) {}

TqvSkinHintWindow::~TqvSkinHintWindow() = default;

void TqvSkinHintWindow::CreateParams(vcl::TCreateParams& params) {
    vcl::THintWindow::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.ClassStyle |= IsWindowsXPOrLater() ? CS_DROPSHADOW : 0u;
    params.WinClassName = "TqvSkinHintWindow";
}

void TqvSkinHintWindow::WndProc(vcl::TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1; // the paint covers every pixel
        return;
    case WM_NCPAINT: return; // no frame: the picture is the frame
    case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
    default: vcl::THintWindow::WndProc(message);
    }
}

TqvSkinHint* TqvSkinHintWindow::FindSkinHint() {
    vcl::TCustomForm* main = vcl::Application != nullptr ? vcl::Application->MainForm() : nullptr;
    if (main == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < main->ComponentCount(); ++i) {
        auto* hint = dynamic_cast<TqvSkinHint*>(main->Components(i));
        if (hint != nullptr && hint->Active()) {
            return hint;
        }
    }
    return nullptr;
}

TqvSkinData* TqvSkinHintWindow::HintSkinOf(const TqvSkinHint* hint) {
    TqvSkinData* data = hint != nullptr ? hint->SkinData() : nullptr;
    if (data == nullptr || data->IsEmpty() || data->HintWindowSkin.windowpictureindex == -1) {
        return nullptr;
    }
    return ExtraPicture(*data, data->HintWindowSkin.windowpictureindex) != nullptr ? data : nullptr;
}

RECT TqvSkinHintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    // ActivateHint sizes the window itself; the framework needs only a start point.
    (void)maxWidth;
    (void)text;
    return RECT{0, 0, 0, 0};
}

bool TqvSkinHintWindow::Fading() const { return fadeTimer_ != nullptr && fadeTimer_->Enabled(); }

void TqvSkinHintWindow::ApplyFont(vcl::TCanvas* canvas, const TqvSkinHint* hint, bool bold) const {
    vcl::TFont* font = canvas->Font();
    const TqvSkinData* skin = HintSkinOf(hint);
    if (skin != nullptr && hint->UseSkinFont) {
        const TqvDataSkinHintWindow& s = skin->HintWindowSkin;
        font->SetName(s.font.name);
        font->SetHeight(s.font.height);
        font->SetStyle(s.font.style);
        font->SetColor(s.font.color);
    } else {
        font->Assign(hint->DefaultFont());
    }
    const TqvSkinData* data = hint->SkinData();
    if (data != nullptr && data->ResourceStrData() != nullptr) {
        font->SetCharset(data->ResourceStrData()->CharSet());
    } else {
        font->SetCharset(hint->DefaultFont()->Charset());
    }
    if (bold) {
        font->SetStyle(font->Style() | vcl::fsBold);
    }
}

SIZE TqvSkinHintWindow::MeasureContent(const TqvSkinHint* hint) {
    vcl::TCanvas* canvas = Canvas();
    MeasureDC measure(canvas);
    ApplyFont(canvas, hint, false);
    font_->Assign(canvas->Font());
    textSize_ = MeasureText(canvas, text_);
    if (!titled_) {
        titleSize_ = SIZE{0, 0};
        return textSize_;
    }
    ApplyFont(canvas, hint, true);
    titleSize_ = MeasureText(canvas, title_);
    SIZE size{std::max(textSize_.cx, titleSize_.cx), textSize_.cy + titleSize_.cy + 10};
    if (images_ != nullptr && imageIndex_ >= 0 && imageIndex_ < images_->Count()) {
        size.cx += images_->Width() + 10;
        size.cy = std::max<int>(size.cy, images_->Height() + titleSize_.cy + 5);
    }
    return size;
}

RECT TqvSkinHintWindow::WorkLimit() const {
    vcl::TCustomForm* active = vcl::Screen != nullptr ? vcl::Screen->ActiveForm() : nullptr;
    if (active != nullptr && active->HandleAllocated()) {
        return MonitorWorkArea(active->Handle());
    }
    vcl::TCustomForm* main = vcl::Application != nullptr ? vcl::Application->MainForm() : nullptr;
    if (main != nullptr && main->HandleAllocated() && IsWindowVisible(main->Handle())) {
        return MonitorWorkArea(main->Handle());
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void TqvSkinHintWindow::ActivateHint(const RECT& rect, const std::string& text) {
    TqvSkinHint* hint = FindSkinHint();
    if (hint == nullptr) {
        return;
    }
    text_ = HintDisplayText(text, hint->LineSeparator);
    title_ = hint->HintTitle;
    images_ = hint->HintImages;
    imageIndex_ = hint->HintImageIndex;
    titled_ = !title_.empty() || (images_ != nullptr && imageIndex_ >= 0);
    SetCaption(text_);

    TqvSkinData* skin = HintSkinOf(hint);
    skinned_ = skin != nullptr;
    const SIZE content = MeasureContent(hint);
    if (skinned_) {
        const TqvDataSkinHintWindow& s = skin->HintWindowSkin;
        const gfx::Bitmap& picture = *ExtraPicture(*skin, s.windowpictureindex);
        layout_ = LayoutSkinnedHint(content, SIZE{picture.Width(), picture.Height()}, s, titled_ ? 10 : 5);
        textColor_ = s.font.color;
    } else {
        layout_ = TqvHintLayout{};
        layout_.Width = content.cx + 4;
        layout_.Height = content.cy + 4;
        layout_.ClientArea = RECT{2, 2, layout_.Width - 2, layout_.Height - 2};
        textColor_ = vcl::clInfoText;
    }

    const RECT r = PlaceHint(POINT{rect.left, rect.top}, layout_.Width, layout_.Height, WorkLimit());
    HWND h = Handle();
    ApplyOpacity(hint);
    SetBounds(r.left, r.top, layout_.Width, layout_.Height);
    ApplyRegion(hint);
    SetWindowPos(h, HWND_TOPMOST, r.left, r.top, layout_.Width, layout_.Height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetVisible(true);
    Invalidate();
    if (hint->AlphaBlend && hint->AlphaBlendAnimation && IsWindows2000OrLater()) {
        fadeTarget_ = hint->AlphaBlendValue;
        if (fadeTimer_ == nullptr) {
            fadeTimer_ = std::make_unique<vcl::TTimer>(nullptr);
            fadeTimer_->SetInterval(kFadePeriodMs);
            fadeTimer_->SetOnTimer([this](vcl::TObject*) { FadeStep(); });
        }
        fadeTimer_->SetEnabled(appliedAlpha_ < fadeTarget_);
    }
}

void TqvSkinHintWindow::ApplyOpacity(const TqvSkinHint* hint) {
    if (!IsWindows2000OrLater()) {
        return;
    }
    if (fadeTimer_ != nullptr) {
        fadeTimer_->SetEnabled(false);
    }
    HWND h = Handle();
    if (hint->AlphaBlend != layeredApplied_) {
        const LONG_PTR ex = GetWindowLongPtr(h, GWL_EXSTYLE);
        SetWindowLongPtr(h, GWL_EXSTYLE,
                         hint->AlphaBlend ? ex | LONG_PTR(WS_EX_LAYERED) : ex & ~LONG_PTR(WS_EX_LAYERED));
        layeredApplied_ = hint->AlphaBlend;
        appliedAlpha_ = -1;
    }
    if (!hint->AlphaBlend) {
        return;
    }
    const int wanted = hint->AlphaBlendAnimation ? 0 : hint->AlphaBlendValue;
    if (wanted != appliedAlpha_) {
        appliedAlpha_ = wanted;
        SetWindowAlpha(h, BYTE(wanted));
    }
}

void TqvSkinHintWindow::FadeStep() {
    if (!HandleAllocated() || !IsWindowVisible(Handle())) {
        fadeTimer_->SetEnabled(false);
        return;
    }
    appliedAlpha_ = std::min<int>(fadeTarget_, std::max(0, appliedAlpha_) + kFadeStep);
    SetWindowAlpha(Handle(), BYTE(appliedAlpha_));
    InvalidateRect(Handle(), nullptr, FALSE);
    if (appliedAlpha_ >= fadeTarget_) {
        fadeTimer_->SetEnabled(false);
    }
}

void TqvSkinHintWindow::ApplyRegion(const TqvSkinHint* hint) {
    HRGN region = nullptr;
    const TqvSkinData* skin = HintSkinOf(hint);
    if (skin != nullptr) {
        const gfx::Bitmap* mask = ExtraPicture(*skin, skin->HintWindowSkin.maskpictureindex);
        if (mask != nullptr) {
            region = RegionFromSkinMask(*mask, layout_.Geometry, layout_.Scaled, layout_.Width);
        }
    }
    // The window owns the region from here on and deletes the one it held before.
    if (region == nullptr && windowRegion_ == nullptr) {
        return;
    }
    SetWindowRgn(Handle(), region, FALSE);
    windowRegion_ = region;
}

void TqvSkinHintWindow::DrawContent(vcl::TCanvas* canvas, const RECT& area, bool skinnedLook) {
    canvas->Brush()->SetStyle(vcl::bsClear);
    canvas->SetFont(font_.get());
    canvas->Font()->SetColor(textColor_);
    if (!titled_) {
        // Centred in the client area as the text measures.
        RECT r{0, 0, textSize_.cx, textSize_.cy};
        if (skinnedLook) {
            const int x = area.left + (RectWidth(area) - textSize_.cx) / 2;
            const int y = area.top + (RectHeight(area) - textSize_.cy) / 2;
            r = OffsetRect(r, x, y);
        } else {
            r = area;
        }
        canvas->DrawText(text_, r, kDrawFlags);
        return;
    }
    const int left = area.left + (skinnedLook ? 5 : 0);
    RECT title{left, area.top, area.right, area.top + titleSize_.cy};
    canvas->Font()->SetStyle(font_->Style() | vcl::fsBold);
    canvas->DrawText(title_, title, kDrawFlags);
    canvas->Font()->SetStyle(font_->Style());
    const int textTop = area.top + titleSize_.cy + 5;
    int textLeft = left;
    if (images_ != nullptr && imageIndex_ >= 0 && imageIndex_ < images_->Count()) {
        images_->Draw(canvas, left, textTop, imageIndex_);
        textLeft += images_->Width() + 10;
    }
    RECT text{textLeft, textTop, area.right, area.bottom};
    canvas->DrawText(text_, text, kDrawFlags);
}

void TqvSkinHintWindow::PaintTo(vcl::TCanvas* canvas) {
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    vcl::TBitmap image(w, h);
    vcl::TCanvas* c = image.Canvas();
    const TqvSkinData* skin = skinned_ ? HintSkinOf(FindSkinHint()) : nullptr;
    const gfx::Bitmap* picture =
        skin != nullptr ? ExtraPicture(*skin, skin->HintWindowSkin.windowpictureindex) : nullptr;
    const bool skinnedLook = picture != nullptr && w == layout_.Width && h == layout_.Height;
    if (skinnedLook) {
        const TqvDataSkinHintWindow& s = skin->HintWindowSkin;
        TqvComposeFlags flags;
        flags.StretchLeft = s.leftstretch;
        flags.StretchRight = s.rightstretch;
        flags.StretchTop = s.topstretch;
        flags.StretchBottom = s.bottomstretch;
        flags.DrawCentre = true;
        flags.StretchCentre = s.stretcheffect;
        flags.StretchType = int(s.stretchtype);
        ComposeSkinImage(*picture, RECT{0, 0, picture->Width(), picture->Height()}, layout_.Geometry,
                         layout_.Scaled, w, h, flags, image.Pixels());
        DrawContent(c, layout_.ClientArea, true);
    } else {
        c->Brush()->SetStyle(vcl::bsSolid);
        c->Brush()->SetColor(vcl::clInfoBk);
        c->FillRect(RECT{0, 0, w, h});
        c->Brush()->SetColor(vcl::clBtnShadow);
        c->FrameRect(RECT{0, 0, w, h});
        DrawContent(c, RECT{2, 2, w - 2, h - 2}, false);
    }
    canvas->Draw(0, 0, &image);
}

void TqvSkinHintWindow::Paint() { PaintTo(Canvas()); }

// ---- the hint component ----

TqvSkinHint::TqvSkinHint(vcl::TComponent* owner)
    : vcl::TComponent(owner), defaultFont_(std::make_unique<vcl::TFont>()) {
    hintWindow_ = new TqvSkinHintWindow(this);
    if (IsDesigning() || vcl::Application == nullptr) {
        return;
    }
    vcl::Application->HintWindowClass = [](vcl::TComponent* o) -> vcl::THintWindow* {
        return new TqvSkinHintWindow(o);
    };
    // Switching hints off and on drops the hint window made so far: the next one is skinned.
    vcl::Application->SetShowHint(false);
    vcl::Application->SetShowHint(true);
    InstallShowHintHandler();
    vcl::Application->SetHintShortPause(100);
}

TqvSkinHint::~TqvSkinHint() {
    hintTimer_.reset();
    if (g_showHintOwner == this) {
        g_showHintOwner = nullptr;
        if (vcl::Application != nullptr) {
            vcl::Application->OnShowHint = nullptr;
        }
    }
    if (skinData_ != nullptr) {
        skinData_->RemoveFreeNotification(this);
    }
    if (HintImages != nullptr) {
        HintImages->RemoveFreeNotification(this);
    }
}

void TqvSkinHint::InstallShowHintHandler() {
    if (vcl::Application == nullptr) {
        return;
    }
    vcl::Application->OnShowHint = [this](std::string& s, bool& can, vcl::THintInfo& info) {
        ShowHintHandler(s, can, info);
    };
    g_showHintOwner = this;
}

void TqvSkinHint::SetActive(bool on) {
    if (on == active_) {
        return;
    }
    active_ = on;
    if (!on) {
        return;
    }
    vcl::TCustomForm* main = vcl::Application != nullptr ? vcl::Application->MainForm() : nullptr;
    if (main != nullptr) {
        for (int i = 0; i < main->ComponentCount(); ++i) {
            auto* other = dynamic_cast<TqvSkinHint*>(main->Components(i));
            if (other != nullptr && other != this) {
                other->active_ = false;
            }
        }
    }
    if (!IsDesigning()) {
        InstallShowHintHandler();
    }
}

void TqvSkinHint::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) {
        skinData_->RemoveFreeNotification(this);
    }
    skinData_ = data;
    if (data != nullptr) {
        data->FreeNotification(this);
    }
}

void TqvSkinHint::SetDefaultFont(const vcl::TFont* font) { defaultFont_->Assign(font); }

void TqvSkinHint::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) {
        return;
    }
    if (component == skinData_) {
        skinData_ = nullptr;
    }
    if (component == HintImages) {
        HintImages = nullptr;
    }
    if (component == hintWindow_) {
        hintWindow_ = nullptr;
    }
}

void TqvSkinHint::ClearTitle() {
    HintTitle.clear();
    HintImageIndex = -1;
    if (HintImages != nullptr) {
        HintImages->RemoveFreeNotification(this);
        HintImages = nullptr;
    }
}

void TqvSkinHint::ShowHintHandler(std::string& hintStr, bool& canShow, vcl::THintInfo& info) {
    ClearTitle();
    if (const auto* source = dynamic_cast<const IqvHintSource*>(info.HintControl)) {
        HintTitle = source->HintTitle();
        HintImageIndex = source->HintImageIndex();
        HintImages = source->HintImageList();
        if (HintImages != nullptr) {
            HintImages->FreeNotification(this);
        }
    }
    if (OnShowHint) {
        OnShowHint(hintStr, canShow, info);
    }
}

bool TqvSkinHint::HintPending() const {
    return hintTimer_ != nullptr && hintTimer_->Enabled() && !hideStage_;
}

void TqvSkinHint::ArmHintTimer(int ms) {
    // One timer serves both stages; it is stopped rather than freed, since the hide stage ends
    // inside its own tick.
    if (hintTimer_ == nullptr) {
        hintTimer_ = std::make_unique<vcl::TTimer>(nullptr);
        hintTimer_->SetOnTimer([this](vcl::TObject*) { HintTimerTick(); });
    }
    hintTimer_->SetEnabled(false);
    hintTimer_->SetInterval(UINT(std::max(1, ms)));
    hintTimer_->SetEnabled(true);
}

void TqvSkinHint::ShowHintText(const std::string& text) {
    pendingText_ = text;
    ClearTitle();
    if (vcl::Application == nullptr) {
        return;
    }
    hideStage_ = false;
    ArmHintTimer(vcl::Application->HintPause());
}

void TqvSkinHint::HintTimerTick() {
    if (hideStage_) {
        HideHintText();
        return;
    }
    if (hintWindow_ != nullptr) {
        POINT p{};
        GetCursorPos(&p);
        // Below the pointer's picture. The cursor's mask is not readable here, so its full cell
        // height stands for the visible part.
        p.y += GetSystemMetrics(SM_CYCURSOR);
        hintWindow_->ActivateHint(RECT{p.x, p.y, p.x, p.y}, pendingText_);
    }
    hideStage_ = true;
    ArmHintTimer(vcl::Application->HintHidePause());
}

void TqvSkinHint::HideHintText() {
    if (hintTimer_ != nullptr) {
        hintTimer_->SetEnabled(false);
    }
    hideStage_ = false;
    if (hintWindow_ != nullptr && hintWindow_->HintVisible()) {
        SetWindowPos(hintWindow_->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        hintWindow_->SetVisible(false);
    }
    ClearTitle();
}

} // namespace qv
