#pragma once
// TqvSkinLinkLabel: a text label that opens its URL in the user's browser when clicked, drawn in the
// "stdlabel" record's font, underlined, and in the record's "activefontcolor" while the mouse is
// over it.

#include "skin/controls/qvSkinLabelBase.h"

#include <functional>

namespace qv {

class TqvSkinLinkLabel : public TqvSkinLabelBase {
public:
    explicit TqvSkinLinkLabel(vcl::TComponent* owner);

    bool UseUnderLine() const { return useUnderLine_; }
    void SetUseUnderLine(bool on);
    vcl::TColor DefaultActiveFontColor() const { return defaultActiveFontColor_; }
    void SetDefaultActiveFontColor(vcl::TColor c);
    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url) { url_ = url; }
    bool MouseIn() const { return mouseIn_; }

    // How the URL is opened; by default the shell's "open" verb. Its result is not reported.
    std::function<void(const std::string& url)> URLOpener;

    void DoDrawText(RECT& rect, UINT flags) override;
    void Click() override;

protected:
    void CMMouseEnter(vcl::TMessage& message) override;
    void CMMouseLeave(vcl::TMessage& message) override;

private:
    bool useUnderLine_ = true;
    vcl::TColor defaultActiveFontColor_ = 16711680;
    std::string url_;
    bool mouseIn_ = false;
};

} // namespace qv
