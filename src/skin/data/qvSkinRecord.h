#pragma once
// The base of every skin record and the one description of a record's keys that both its reading
// and its writing use.
//
// A record lists its keys once, in DescribeFields, as calls on a TqvSkinFields visitor (parent's
// keys first). Reading visits with a reader over the parsed text, writing with a writer, so the
// two can never disagree on a key's name, order or syntax. Each key is stored in the field that
// carries its name.

#include "skin/data/qvSkinIni.h"

#include <string>
#include <string_view>

namespace qv {

class TqvSkinFields {
public:
    virtual ~TqvSkinFields() = default;
    virtual void Integer(std::string_view key, int& value, int def) = 0;
    virtual void Color(std::string_view key, TColor& value, TColor def) = 0;
    virtual void Flag(std::string_view key, bool& value) = 0;
    virtual void String(std::string_view key, std::string& value, const std::string& def) = 0;
    virtual void Rect(std::string_view key, RECT& value) = 0;
    virtual void Point(std::string_view key, POINT& value) = 0;
    virtual void FontStyle(std::string_view key, TFontStyles& value) = 0;
    virtual void Alignment(std::string_view key, TAlignment& value) = 0;
    virtual void StretchType(std::string_view key, TqvStretchType& value) = 0;
    virtual void InactiveEffect(std::string_view key, TqvInactiveEffect& value) = 0;
    virtual void MorphKind(std::string_view key, TqvMorphKind& value) = 0;
    virtual void Command(std::string_view key, TqvStdCommand& value) = 0;
};

// Reads each described key of one section (absent keys take the given defaults).
class TqvSkinFieldReader final : public TqvSkinFields {
public:
    TqvSkinFieldReader(const TqvSkinIni& ini, std::string_view section) : ini_(ini), section_(section) {}
    void Integer(std::string_view key, int& value, int def) override;
    void Color(std::string_view key, TColor& value, TColor def) override;
    void Flag(std::string_view key, bool& value) override;
    void String(std::string_view key, std::string& value, const std::string& def) override;
    void Rect(std::string_view key, RECT& value) override;
    void Point(std::string_view key, POINT& value) override;
    void FontStyle(std::string_view key, TFontStyles& value) override;
    void Alignment(std::string_view key, TAlignment& value) override;
    void StretchType(std::string_view key, TqvStretchType& value) override;
    void InactiveEffect(std::string_view key, TqvInactiveEffect& value) override;
    void MorphKind(std::string_view key, TqvMorphKind& value) override;
    void Command(std::string_view key, TqvStdCommand& value) override;

private:
    const TqvSkinIni& ini_;
    std::string section_;
};

// Writes each described key into one section, in the readers' syntax.
class TqvSkinFieldWriter final : public TqvSkinFields {
public:
    TqvSkinFieldWriter(TqvSkinIni& ini, std::string_view section) : ini_(ini), section_(section) {}
    void Integer(std::string_view key, int& value, int def) override;
    void Color(std::string_view key, TColor& value, TColor def) override;
    void Flag(std::string_view key, bool& value) override;
    void String(std::string_view key, std::string& value, const std::string& def) override;
    void Rect(std::string_view key, RECT& value) override;
    void Point(std::string_view key, POINT& value) override;
    void FontStyle(std::string_view key, TFontStyles& value) override;
    void Alignment(std::string_view key, TAlignment& value) override;
    void StretchType(std::string_view key, TqvStretchType& value) override;
    void InactiveEffect(std::string_view key, TqvInactiveEffect& value) override;
    void MorphKind(std::string_view key, TqvMorphKind& value) override;
    void Command(std::string_view key, TqvStdCommand& value) override;

private:
    TqvSkinIni& ini_;
    std::string section_;
};

// A section of the skin text read into typed fields. Records are owned by the skin data.
class TqvSkinRecord {
public:
    explicit TqvSkinRecord(std::string sectionName) : SectionName(std::move(sectionName)) {}
    TqvSkinRecord(const TqvSkinRecord&) = delete;
    TqvSkinRecord& operator=(const TqvSkinRecord&) = delete;
    virtual ~TqvSkinRecord() = default;

    // Reads the record's section (the section named SectionName).
    virtual void LoadFromSkinText(const TqvSkinIni& ini);
    // Writes the record's keys back into its section, in reading order and syntax.
    virtual void SaveToSkinText(TqvSkinIni& ini);

    std::string SectionName;

protected:
    // Lists the record's keys; overrides describe the parent's keys first.
    virtual void DescribeFields(TqvSkinFields& fields) = 0;
};

} // namespace qv

// Helpers for DescribeFields bodies: the key is the field's own name.
#define QV_INT(name, def) fields.Integer(#name, name, def)
#define QV_COLOR(name, def) fields.Color(#name, name, def)
#define QV_FLAG(name) fields.Flag(#name, name)
#define QV_STR(name, def) fields.String(#name, name, def)
#define QV_RECT(name) fields.Rect(#name, name)
#define QV_POINT(name) fields.Point(#name, name)
#define QV_FONTSTYLE(name) fields.FontStyle(#name, name)
#define QV_ALIGN(name) fields.Alignment(#name, name)
#define QV_STRETCHTYPE(name) fields.StretchType(#name, name)
#define QV_EFFECT(name) fields.InactiveEffect(#name, name)
#define QV_MORPH(name) fields.MorphKind(#name, name)
#define QV_COMMAND(name) fields.Command(#name, name)
