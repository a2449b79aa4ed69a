#pragma once
// TqvSkinStdLabel: the framework's text label with its font and colour from a "stdlabel" record,
// an optional ellipsis, and a two-pass engraved look when disabled.

#include "skin/controls/qvSkinLabelBase.h"

namespace qv {

enum class TqvEllipsType { qvetNone, qvetEndEllips, qvetPathEllips };
using enum TqvEllipsType;

class TqvSkinStdLabel : public TqvSkinLabelBase {
public:
    explicit TqvSkinStdLabel(vcl::TComponent* owner);

    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool on);
    TqvEllipsType EllipsType() const { return ellipsType_; }
    void SetEllipsType(TqvEllipsType type);

    void DoDrawText(RECT& rect, UINT flags) override;

private:
    bool useSkinColor_ = true;
    TqvEllipsType ellipsType_ = qvetNone;
};

} // namespace qv
