#include "framework/GraphicsObjects.h"

#include <cmath>

namespace vcl {

COLORREF ColorToRGB(TColor color) {
    auto value = std::uint32_t(color);
    if ((value & 0xFF000000u) == 0xFF000000u) {
        return GetSysColor(int(value & 0xFF));
    }
    if (color == clNone || color == clDefault) {
        return 0;
    }
    return value & 0x00FFFFFFu;
}

// --- TFont ---

TFont::TFont() = default;

void TFont::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

void TFont::SetName(const std::string& name) {
    if (name != name_ && !name.empty()) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height) {
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

int TFont::Size() const { return int(std::lround(-double(height_) * 72.0 / ScreenPixelsPerInch)); }

void TFont::SetSize(int points) { SetHeight(-int(std::lround(double(points) * ScreenPixelsPerInch / 72.0))); }

void TFont::SetStyle(TFontStyles style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TFont::SetCharset(int charset) {
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch != pitch_) {
        pitch_ = pitch;
        Changed();
    }
}

bool TFont::SameAs(const TFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
           charset_ == o.charset_ && pitch_ == o.pitch_;
}

void TFont::Assign(const TPersistent* source) {
    if (auto* f = dynamic_cast<const TFont*>(source)) {
        if (SameAs(*f)) {
            return;
        }
        name_ = f->name_;
        height_ = f->height_;
        style_ = f->style_;
        color_ = f->color_;
        charset_ = f->charset_;
        pitch_ = f->pitch_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// --- TPen ---

void TPen::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

void TPen::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TPen::SetWidth(int width) {
    if (width < 0) {
        width = 0;
    }
    if (width != width_) {
        width_ = width;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TPen::SetMode(TPenMode mode) {
    if (mode != mode_) {
        mode_ = mode;
        Changed();
    }
}

void TPen::Assign(const TPersistent* source) {
    if (auto* p = dynamic_cast<const TPen*>(source)) {
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        mode_ = p->mode_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// --- TBrush ---

void TBrush::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

void TBrush::SetColor(TColor color) {
    if (color != color_ || style_ == bsClear) {
        color_ = color;
        if (style_ == bsClear) {
            style_ = bsSolid;
        }
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TBrush::Assign(const TPersistent* source) {
    if (auto* b = dynamic_cast<const TBrush*>(source)) {
        color_ = b->color_;
        style_ = b->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vcl
