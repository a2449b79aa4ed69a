#include "skin/controls/qvSkinLinkLabel.h"

#include "framework/Canvas.h"
#include "platform/shell/ShellApi.h"

namespace qv {

TqvSkinLinkLabel::TqvSkinLinkLabel(vcl::TComponent* owner) : TqvSkinLabelBase(owner) {
    SetCursor(vcl::crHandPoint);
    DefaultFont()->SetName("Arial");
    DefaultFont()->SetHeight(14);
    DefaultFont()->SetStyle(vcl::fsUnderline);
    SetFont(DefaultFont());
    URLOpener = [](const std::string& url) {
        ShellExecute(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
}

void TqvSkinLinkLabel::SetUseUnderLine(bool on) {
    if (on != useUnderLine_) {
        useUnderLine_ = on;
        Invalidate();
    }
}

void TqvSkinLinkLabel::SetDefaultActiveFontColor(vcl::TColor c) {
    defaultActiveFontColor_ = c;
    Invalidate();
}

void TqvSkinLinkLabel::CMMouseEnter(vcl::TMessage& message) {
    vcl::TControlTracker alive(this);
    TqvSkinLabelBase::CMMouseEnter(message);
    if (alive.Alive() && !IsDesigning()) {
        mouseIn_ = true;
        Invalidate();
    }
}

void TqvSkinLinkLabel::CMMouseLeave(vcl::TMessage& message) {
    vcl::TControlTracker alive(this);
    TqvSkinLabelBase::CMMouseLeave(message);
    if (alive.Alive() && !IsDesigning()) {
        mouseIn_ = false;
        Invalidate();
    }
}

void TqvSkinLinkLabel::Click() {
    const std::string url = url_; // OnClick may free the label
    auto opener = URLOpener;
    TqvSkinLabelBase::Click();
    if (!url.empty() && opener) {
        opener(url);
    }
}

void TqvSkinLinkLabel::DoDrawText(RECT& rect, UINT flags) {
    Rebind();
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&"))) {
        text = " ";
    }
    if (!ShowAccelChar()) {
        flags |= DT_NOPREFIX;
    }
    vcl::TFont* font = Canvas()->Font();
    if (skinRecordIndex_ == -1) {
        font->Assign(UseSkinFont() ? DefaultFont() : Font());
        ApplyCharset(font);
        if (mouseIn_) {
            font->SetColor(defaultActiveFontColor_);
        }
        font->SetStyle(font->Style() | vcl::fsUnderline);
    } else {
        if (UseSkinFont()) {
            font->SetName(fontname);
            font->SetStyle(fontstyle);
            font->SetHeight(fontheight);
        } else {
            font->Assign(Font());
        }
        ApplyCharset(font);
        font->SetColor(mouseIn_ ? activefontcolor : fontcolor);
    }
    if ((flags & DT_CALCRECT) || Enabled()) {
        font->SetStyle(useUnderLine_ ? font->Style() | vcl::fsUnderline
                                     : font->Style() & ~unsigned(vcl::fsUnderline));
        Canvas()->DrawText(text, rect, flags);
    } else {
        DrawDisabled(text, rect, flags);
    }
}

} // namespace qv
