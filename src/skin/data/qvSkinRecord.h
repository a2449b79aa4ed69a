#pragma once
// The base of every skin record and the one description of a record's keys that both its reading
// and its writing use.
//
// A record lists its keys once, in DescribeFields, as calls on a TqvSkinFields visitor (parent's
// keys first). Reading visits with a reader over the parsed text, writing with a writer, so the
// two can never disagree on a key's name, order or syntax. Each key is stored in the field that
// carries its name.
//
// What an absent key means is said once too: by the field's initialiser. Reading first puts every
// field back to its initial value and then reads only the keys that are present, so a record read
// from an empty section equals a new one.

#include "skin/data/qvSkinIni.h"

#include <string>
#include <string_view>

namespace qv {

inline const std::string kDefaultSkinFontName = "Arial";

// The font of a record's text. A record keeps one for each text it draws (a list box has one for
// its items and one for its caption), each under the keys "<prefix>fontname", "<prefix>fontheight",
// "<prefix>fontstyle" and "<prefix>fontcolor". Colours of further states stay fields of the
// record, since each record names its own.
struct TqvSkinFont {
    std::string name = kDefaultSkinFontName;
    int height = 14;
    TFontStyles style = 0;
    TColor color = 0;

    bool operator==(const TqvSkinFont&) const = default;
};

class TqvSkinFields {
public:
    virtual ~TqvSkinFields() = default;
    virtual void Integer(std::string_view key, int& value) = 0;
    virtual void Color(std::string_view key, TColor& value) = 0;
    virtual void Flag(std::string_view key, bool& value) = 0;
    virtual void String(std::string_view key, std::string& value) = 0;
    virtual void Rect(std::string_view key, RECT& value) = 0;
    virtual void Point(std::string_view key, POINT& value) = 0;
    virtual void FontStyle(std::string_view key, TFontStyles& value) = 0;
    virtual void Alignment(std::string_view key, TAlignment& value) = 0;
    virtual void StretchType(std::string_view key, TqvStretchType& value) = 0;
    virtual void InactiveEffect(std::string_view key, TqvInactiveEffect& value) = 0;
    virtual void MorphKind(std::string_view key, TqvMorphKind& value) = 0;
    virtual void Command(std::string_view key, TqvStdCommand& value) = 0;

    // The four keys of a font, in the order name, height, style, colour.
    void Font(std::string_view prefix, TqvSkinFont& font);
};

// Reads the described keys that one section holds; absent keys leave their fields as they are.
class TqvSkinFieldReader final : public TqvSkinFields {
public:
    TqvSkinFieldReader(const TqvSkinIni& ini, std::string_view section) : ini_(ini), section_(section) {}
    void Integer(std::string_view key, int& value) override;
    void Color(std::string_view key, TColor& value) override;
    void Flag(std::string_view key, bool& value) override;
    void String(std::string_view key, std::string& value) override;
    void Rect(std::string_view key, RECT& value) override;
    void Point(std::string_view key, POINT& value) override;
    void FontStyle(std::string_view key, TFontStyles& value) override;
    void Alignment(std::string_view key, TAlignment& value) override;
    void StretchType(std::string_view key, TqvStretchType& value) override;
    void InactiveEffect(std::string_view key, TqvInactiveEffect& value) override;
    void MorphKind(std::string_view key, TqvMorphKind& value) override;
    void Command(std::string_view key, TqvStdCommand& value) override;

private:
    bool Present(std::string_view key) const { return ini_.FindValue(section_, key) != nullptr; }

    const TqvSkinIni& ini_;
    std::string section_;
};

// Writes each described key into one section, in the readers' syntax.
class TqvSkinFieldWriter final : public TqvSkinFields {
public:
    TqvSkinFieldWriter(TqvSkinIni& ini, std::string_view section) : ini_(ini), section_(section) {}
    void Integer(std::string_view key, int& value) override;
    void Color(std::string_view key, TColor& value) override;
    void Flag(std::string_view key, bool& value) override;
    void String(std::string_view key, std::string& value) override;
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

// A section of the skin text read into typed fields. Records are owned by the skin data; every
// class derives through TqvSkinRecordOf, which gives it its reset.
class TqvSkinRecord {
public:
    explicit TqvSkinRecord(std::string sectionName) : SectionName(std::move(sectionName)) {}
    virtual ~TqvSkinRecord() = default;

    // Reads the record's section (the section named SectionName): every field starts from its
    // initial value and takes the value of its key when the section holds one.
    virtual void LoadFromSkinText(const TqvSkinIni& ini);
    // Writes the record's keys back into its section, in reading order and syntax.
    virtual void SaveToSkinText(TqvSkinIni& ini);
    // Puts every field back to its initial value; the section name stays.
    void Reset() { ResetFields(); }

    std::string SectionName;

protected:
    // Copying is for the reset of TqvSkinRecordOf, which assigns a new record of the same class.
    TqvSkinRecord(const TqvSkinRecord&) = default;
    TqvSkinRecord& operator=(const TqvSkinRecord&) = default;

    // Lists the record's keys; overrides describe the parent's keys first.
    virtual void DescribeFields(TqvSkinFields& fields) = 0;
    virtual void ResetFields() = 0;
};

// The link of each record class into the tree: Self derives from Base through it, and its reset
// assigns a new Self, so the field initialisers are the only place a default is written.
template <class Self, class Base>
class TqvSkinRecordOf : public Base {
public:
    using Base::Base;

protected:
    void ResetFields() override {
        Self fresh(this->SectionName);
        static_cast<Self&>(*this) = fresh;
    }
};

} // namespace qv

// Helpers for DescribeFields bodies: the key is the field's own name.
#define QV_INT(name) fields.Integer(#name, name)
#define QV_COLOR(name) fields.Color(#name, name)
#define QV_FLAG(name) fields.Flag(#name, name)
#define QV_STR(name) fields.String(#name, name)
#define QV_RECT(name) fields.Rect(#name, name)
#define QV_POINT(name) fields.Point(#name, name)
#define QV_FONTSTYLE(name) fields.FontStyle(#name, name)
#define QV_ALIGN(name) fields.Alignment(#name, name)
#define QV_STRETCHTYPE(name) fields.StretchType(#name, name)
#define QV_EFFECT(name) fields.InactiveEffect(#name, name)
#define QV_MORPH(name) fields.MorphKind(#name, name)
#define QV_COMMAND(name) fields.Command(#name, name)
