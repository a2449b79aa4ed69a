#include "framework/Canvas.h"

#include <cstring>

namespace vcl {

HFONT CreateFontHandle(const TFont& font) {
    LOGFONT lf{};
    lf.lfHeight = font.Height();
    lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style() & fsItalic) ? 1 : 0;
    lf.lfUnderline = (font.Style() & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (font.Style() & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = BYTE(font.Charset());
    std::strncpy(lf.lfFaceName, font.Name().c_str(), sizeof(lf.lfFaceName) - 1);
    return CreateFontIndirect(&lf);
}

void TCanvas::RequireFont() {
    RequireHandle();
    if (state_ & FontValid) {
        return;
    }
    HFONT font = CreateFontHandle(*font_);
    HGDIOBJ old = SelectObject(dc_, font);
    if (oldFont_ == nullptr) {
        oldFont_ = old;
    }
    if (fontHandle_ != nullptr) {
        DeleteObject(fontHandle_);
    }
    fontHandle_ = font;
    SetTextColor(dc_, ColorToRGB(font_->Color()));
    state_ |= FontValid;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    RequireFont();
    RequireBrush();
    ::TextOut(dc_, x, y, text.c_str(), int(text.size()));
    penPos_ = POINT{x + TextExtent(text).cx, y};
    Changed();
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
    Changing();
    RequireFont();
    RequireBrush();
    UINT options = ETO_CLIPPED | (brush_->Style() != bsClear ? ETO_OPAQUE : 0u);
    ::ExtTextOut(dc_, x, y, options, &r, text.c_str(), UINT(text.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) {
    RequireFont();
    SIZE s{};
    ::GetTextExtentPoint32(dc_, text.c_str(), int(text.size()), &s);
    return s;
}

int TCanvas::DrawText(const std::string& text, RECT& r, UINT format) {
    Changing();
    RequireFont();
    RequireBrush();
    int h = ::DrawText(dc_, text.c_str(), int(text.size()), &r, format);
    Changed();
    return h;
}

} // namespace vcl
