#pragma once
// Keyed replacement texts for what the skin engine shows (menu captions, button hints, dialog
// texts). When a skin data carries one of these, controls and the form skin take their texts from
// it by key; otherwise they use their built-in texts.

#include "framework/Component.h"
#include "framework/StringList.h"

#include <string>

namespace qv {

class TqvResourceStrData : public vcl::TComponent {
public:
    explicit TqvResourceStrData(vcl::TComponent* owner);

    // Lines "KEY=text", preset with the built-in texts.
    vcl::TStringList& ResStrings() { return resStrings_; }
    const vcl::TStringList& ResStrings() const { return resStrings_; }
    void SetResStrings(const vcl::TStrings& lines) { resStrings_.Assign(&lines); }

    int CharSet() const { return charSet_; }
    void SetCharSet(int charSet) { charSet_ = charSet; }

    // The text after the first "=" of the first line whose key matches (ignoring ASCII case), or
    // the empty string.
    std::string GetResStr(const std::string& key) const;

private:
    vcl::TStringList resStrings_;
    int charSet_ = 1;
};

} // namespace qv
