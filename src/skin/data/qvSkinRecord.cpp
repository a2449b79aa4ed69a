#include "skin/data/qvSkinRecord.h"

namespace qv {

void TqvSkinRecord::LoadFromSkinText(const TqvSkinIni& ini) {
    TqvSkinFieldReader reader(ini, SectionName);
    DescribeFields(reader);
}

void TqvSkinRecord::SaveToSkinText(TqvSkinIni& ini) {
    TqvSkinFieldWriter writer(ini, SectionName);
    DescribeFields(writer);
}

void TqvSkinFieldReader::Integer(std::string_view key, int& value, int def) {
    value = ini_.ReadInteger(section_, key, def);
}
void TqvSkinFieldReader::Color(std::string_view key, TColor& value, TColor def) {
    value = ini_.ReadInteger(section_, key, def);
}
void TqvSkinFieldReader::Flag(std::string_view key, bool& value) {
    value = IniReadFlag(ini_, section_, key);
}
void TqvSkinFieldReader::String(std::string_view key, std::string& value, const std::string& def) {
    value = ini_.ReadString(section_, key, def);
}
void TqvSkinFieldReader::Rect(std::string_view key, RECT& value) {
    value = IniReadRect(ini_, section_, key);
}
void TqvSkinFieldReader::Point(std::string_view key, POINT& value) {
    value = IniReadPoint(ini_, section_, key);
}
void TqvSkinFieldReader::FontStyle(std::string_view key, TFontStyles& value) {
    value = IniReadFontStyle(ini_, section_, key);
}
void TqvSkinFieldReader::Alignment(std::string_view key, TAlignment& value) {
    value = IniReadAlignment(ini_, section_, key);
}
void TqvSkinFieldReader::StretchType(std::string_view key, TqvStretchType& value) {
    value = IniReadStretchType(ini_, section_, key);
}
void TqvSkinFieldReader::InactiveEffect(std::string_view key, TqvInactiveEffect& value) {
    value = IniReadInactiveEffect(ini_, section_, key);
}
void TqvSkinFieldReader::MorphKind(std::string_view key, TqvMorphKind& value) {
    value = IniReadMorphKind(ini_, section_, key);
}
void TqvSkinFieldReader::Command(std::string_view key, TqvStdCommand& value) {
    value = IniReadCommand(ini_, section_, key);
}

void TqvSkinFieldWriter::Integer(std::string_view key, int& value, int) {
    ini_.WriteInteger(section_, key, value);
}
void TqvSkinFieldWriter::Color(std::string_view key, TColor& value, TColor) {
    ini_.WriteInteger(section_, key, value);
}
void TqvSkinFieldWriter::Flag(std::string_view key, bool& value) {
    IniWriteFlag(ini_, section_, key, value);
}
void TqvSkinFieldWriter::String(std::string_view key, std::string& value, const std::string&) {
    ini_.WriteString(section_, key, value);
}
void TqvSkinFieldWriter::Rect(std::string_view key, RECT& value) {
    IniWriteRect(ini_, section_, key, value);
}
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
