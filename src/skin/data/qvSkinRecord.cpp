#include "skin/data/qvSkinRecord.h"

namespace qv {

void TqvSkinRecord::LoadFromSkinText(const TqvSkinIni& ini) {
    ResetFields();
    TqvSkinFieldReader reader(ini, SectionName);
    DescribeFields(reader);
}

void TqvSkinRecord::SaveToSkinText(TqvSkinIni& ini) {
    TqvSkinFieldWriter writer(ini, SectionName);
    DescribeFields(writer);
}

void TqvSkinFields::Font(std::string_view prefix, TqvSkinFont& font) {
    std::string key(prefix);
    String(key + "fontname", font.name);
    Integer(key + "fontheight", font.height);
    FontStyle(key + "fontstyle", font.style);
    Color(key + "fontcolor", font.color);
}

// An integer key that is present but does not parse reads as the field's initial value, which
// the reset has put there: ReadInteger gives back its default for both cases.
void TqvSkinFieldReader::Integer(std::string_view key, int& value) {
    value = ini_.ReadInteger(section_, key, value);
}
void TqvSkinFieldReader::Color(std::string_view key, TColor& value) {
    value = ini_.ReadInteger(section_, key, value);
}
void TqvSkinFieldReader::Flag(std::string_view key, bool& value) {
    if (Present(key)) {
        value = IniReadFlag(ini_, section_, key);
    }
}
void TqvSkinFieldReader::String(std::string_view key, std::string& value) {
    value = ini_.ReadString(section_, key, value);
}
void TqvSkinFieldReader::Rect(std::string_view key, RECT& value) {
    if (Present(key)) {
        value = IniReadRect(ini_, section_, key);
    }
}
void TqvSkinFieldReader::Point(std::string_view key, POINT& value) {
    if (Present(key)) {
        value = IniReadPoint(ini_, section_, key);
    }
}
void TqvSkinFieldReader::FontStyle(std::string_view key, TFontStyles& value) {
    if (Present(key)) {
        value = IniReadFontStyle(ini_, section_, key);
    }
}
void TqvSkinFieldReader::Alignment(std::string_view key, TAlignment& value) {
    if (Present(key)) {
        value = IniReadAlignment(ini_, section_, key);
    }
}
void TqvSkinFieldReader::StretchType(std::string_view key, TqvStretchType& value) {
    if (Present(key)) {
        value = IniReadStretchType(ini_, section_, key);
    }
}
void TqvSkinFieldReader::InactiveEffect(std::string_view key, TqvInactiveEffect& value) {
    if (Present(key)) {
        value = IniReadInactiveEffect(ini_, section_, key);
    }
}
void TqvSkinFieldReader::MorphKind(std::string_view key, TqvMorphKind& value) {
    if (Present(key)) {
        value = IniReadMorphKind(ini_, section_, key);
    }
}
void TqvSkinFieldReader::Command(std::string_view key, TqvStdCommand& value) {
    if (Present(key)) {
        value = IniReadCommand(ini_, section_, key);
    }
}

void TqvSkinFieldWriter::Integer(std::string_view key, int& value) {
    ini_.WriteInteger(section_, key, value);
}
void TqvSkinFieldWriter::Color(std::string_view key, TColor& value) {
    ini_.WriteInteger(section_, key, value);
}
void TqvSkinFieldWriter::Flag(std::string_view key, bool& value) { IniWriteFlag(ini_, section_, key, value); }
void TqvSkinFieldWriter::String(std::string_view key, std::string& value) {
    ini_.WriteString(section_, key, value);
}
void TqvSkinFieldWriter::Rect(std::string_view key, RECT& value) { IniWriteRect(ini_, section_, key, value); }
void TqvSkinFieldWriter::Point(std::string_view key, POINT& value) {
    IniWritePoint(ini_, section_, key, value);
}
void TqvSkinFieldWriter::FontStyle(std::string_view key, TFontStyles& value) {
    IniWriteFontStyle(ini_, section_, key, value);
}
void TqvSkinFieldWriter::Alignment(std::string_view key, TAlignment& value) {
    IniWriteAlignment(ini_, section_, key, value);
}
void TqvSkinFieldWriter::StretchType(std::string_view key, TqvStretchType& value) {
    IniWriteStretchType(ini_, section_, key, value);
}
void TqvSkinFieldWriter::InactiveEffect(std::string_view key, TqvInactiveEffect& value) {
    IniWriteInactiveEffect(ini_, section_, key, value);
}
void TqvSkinFieldWriter::MorphKind(std::string_view key, TqvMorphKind& value) {
    IniWriteMorphKind(ini_, section_, key, value);
}
void TqvSkinFieldWriter::Command(std::string_view key, TqvStdCommand& value) {
    IniWriteCommand(ini_, section_, key, value);
}

} // namespace qv
