#include "skin/controls/qvSkinStdLabel.h"

#include "framework/Canvas.h"

namespace qv {

TqvSkinStdLabel::TqvSkinStdLabel(vcl::TComponent* owner) : TqvSkinLabelBase(owner) {
    DefaultFont()->Assign(Font()); // the framework's default font
}

void TqvSkinStdLabel::SetUseSkinColor(bool on) {
    if (on != useSkinColor_) {
        useSkinColor_ = on;
        Invalidate();
    }
}

void TqvSkinStdLabel::SetEllipsType(TqvEllipsType type) {
    if (type != ellipsType_) {
        ellipsType_ = type;
        Invalidate();
    }
}

void TqvSkinStdLabel::DoDrawText(RECT& rect, UINT flags) {
    Rebind();
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&"))) {
        text = " "; // an empty label keeps the height of one line
    }
    if (!ShowAccelChar()) {
        flags |= DT_NOPREFIX;
    }
    if (ellipsType_ == qvetEndEllips) {
        flags |= DT_END_ELLIPSIS;
    } else if (ellipsType_ == qvetPathEllips) {
        flags |= DT_PATH_ELLIPSIS;
    }
    vcl::TFont* font = Canvas()->Font();
    if (skinRecordIndex_ == -1) {
        font->Assign(UseSkinFont() ? DefaultFont() : Font());
    } else {
        if (UseSkinFont()) {
            font->SetName(fontname);
            font->SetStyle(fontstyle);
            font->SetHeight(fontheight);
        } else {
            font->Assign(Font());
        }
        font->SetColor(useSkinColor_ ? fontcolor : Font()->Color());
    }
    ApplyCharset(font);
    if (Enabled() || (flags & DT_CALCRECT)) {
        Canvas()->DrawText(text, rect, flags);
    } else {
        DrawDisabled(text, rect, flags);
    }
}

} // namespace qv
