#pragma once
// The skin description text: an ini text of sections and keys, and the typed readers and writers
// every skin record uses for its values.
//
// Parsing: lines end at CR, LF or CR LF and are trimmed of spaces and control characters; empty
// lines and lines starting with ";" are skipped; "[name]" opens a section; inside a section the
// text before the first "=" is the key and the rest the value (both trimmed). Sections and keys
// match without regard to ASCII letter case; a section that occurs again replaces the earlier one
// and a key that occurs again replaces the earlier value.
//
// The same class collects what the records write back (SaveToSkinText), so a skin written by the
// records can be parsed again by this reader.

#include "framework/GraphicsObjects.h"
#include "platform/gfx/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

using TColor = vcl::TColor;
using TFontStyles = vcl::TFontStyles;

// Text alignment of captions and panels, in the framework's order.
enum TAlignment : int { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
// How the centre of a composed image (or a background picture) is stretched.
enum TqvStretchType : int { stFull = 0, stHorz = 1, stVert = 2 };
// The filter that derives an inactive frame image from the active one.
enum TqvInactiveEffect : int {
    ieBrightness = 0,
    ieDarkness = 1,
    ieGrayscale = 2,
    ieNoise = 3,
    ieSplitBlur = 4,
    ieInvert = 5
};
// The animated transition between a skin object's normal and active image.
enum TqvMorphKind : int {
    mkDefault = 0,
    mkGradient = 1,
    mkLeftGradient = 2,
    mkRightGradient = 3,
    mkLeftSlide = 4,
    mkRightSlide = 5,
    mkPush = 6
};
// What a caption button does.
enum TqvStdCommand : int {
    cmClose = 0,
    cmMaximize = 1,
    cmMinimize = 2,
    cmSysMenu = 3,
    cmDefault = 4,
    cmRollUp = 5,
    cmMinimizeToTray = 6
};

class TqvSkinIni {
public:
    TqvSkinIni() = default;
    explicit TqvSkinIni(std::string_view text) { SetText(text); }

    // Replaces the content with the parsed text.
    void SetText(std::string_view text);
    void Clear();

    bool SectionExists(std::string_view section) const;
    // The value of the key, or nullptr when the key or its section is absent.
    const std::string* FindValue(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
    // Decimal with optional sign, or hexadecimal after "$", "0x" or "0X"; anything else, and an
    // absent key, gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;

    // Sets the value (replacing an existing key of that name, else appending to the section,
    // which is created at the end when it does not exist).
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);

    // Section names in text order, and the keys of one section in the order they were written.
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> SectionKeys(std::string_view section) const;

    // The whole content as ini text, every line ended by CR LF.
    std::string Text() const;

private:
    // Positions of named items by the hash of their name folded to lower case: open addressing
    // over (hash, position) slots, so a lookup allocates nothing and a long list is no slower
    // than a short one. The caller's predicate settles which of the equal hashes is the name.
    class NameIndex {
    public:
        static constexpr std::size_t npos = std::size_t(-1);
        template <class Matches>
        std::size_t Find(std::uint32_t hash, const Matches& matches) const;
        void Add(std::uint32_t hash, std::size_t position);
        // Room for count names in all without regrowing.
        void Reserve(std::size_t count);
        void Clear();

    private:
        struct Slot {
            std::uint32_t hash;
            std::uint32_t position; // position + 1; 0 is a free slot
        };
        void Place(Slot slot);
        void Regrow(std::size_t slots);
        std::vector<Slot> slots_;
        std::size_t used_ = 0;
    };
    // The entries of all sections live in one list, each section chaining its own in text order,
    // so parsing a whole skin text allocates a handful of times rather than per section.
    struct Entry {
        std::string name;
        std::string value;
        std::uint32_t section; // the id of the section it belongs to
        std::size_t next;      // the section's next entry, or npos
    };
    struct Section {
        std::string name;
        std::uint32_t id; // new when the section is replaced, so its old entries no longer match
        std::size_t first;
        std::size_t last;
    };
    const Section* FindSection(std::string_view name) const;
    Section& OpenSection(std::string_view name, bool replace);
    std::size_t FindEntry(const Section& section, std::string_view key) const;
    void SetEntry(Section& section, std::string_view key, std::string_view value);

    std::vector<Section> sections_;
    std::vector<Entry> entries_;
    NameIndex sectionIndex_;
    NameIndex entryIndex_; // by the key's hash mixed with the section id
    std::uint32_t nextSectionId_ = 0;
};

// The indexes 0 <= i < count whose decimal key "i" is present in section, ascending. Lists of
// records walk these instead of every index, so a hostile count costs nothing.
std::vector<int> IniPresentIndexes(const TqvSkinIni& ini, std::string_view section, int count);

// Number parsing shared by the readers: true and the value when text is a valid integer.
bool TryParseSkinInteger(std::string_view text, int& value);

// Typed readers. Rectangles and points that are present but malformed raise EConvertError
// "'<part>' is not a valid integer value"; every other reader falls back as documented.
RECT IniReadRect(const TqvSkinIni& ini, std::string_view section, std::string_view key);
POINT IniReadPoint(const TqvSkinIni& ini, std::string_view section, std::string_view key);
bool IniReadFlag(const TqvSkinIni& ini, std::string_view section, std::string_view key);
TFontStyles IniReadFontStyle(const TqvSkinIni& ini, std::string_view section, std::string_view key);
TAlignment IniReadAlignment(const TqvSkinIni& ini, std::string_view section, std::string_view key);
TqvStretchType IniReadStretchType(const TqvSkinIni& ini, std::string_view section, std::string_view key);
TqvInactiveEffect IniReadInactiveEffect(const TqvSkinIni& ini, std::string_view section,
                                        std::string_view key);
TqvMorphKind IniReadMorphKind(const TqvSkinIni& ini, std::string_view section, std::string_view key);
TqvStdCommand IniReadCommand(const TqvSkinIni& ini, std::string_view section, std::string_view key);
// The list "<name>count" plus keys "0" .. "count-1" of one section.
std::vector<std::string> IniReadNumberedList(const TqvSkinIni& ini, std::string_view section,
                                             std::string_view name);

// Writers, in the syntax the readers accept.
void IniWriteRect(TqvSkinIni& ini, std::string_view section, std::string_view key, const RECT& r);
void IniWritePoint(TqvSkinIni& ini, std::string_view section, std::string_view key, const POINT& p);
void IniWriteFlag(TqvSkinIni& ini, std::string_view section, std::string_view key, bool value);
void IniWriteFontStyle(TqvSkinIni& ini, std::string_view section, std::string_view key, TFontStyles style);
void IniWriteAlignment(TqvSkinIni& ini, std::string_view section, std::string_view key, TAlignment alignment);
void IniWriteStretchType(TqvSkinIni& ini, std::string_view section, std::string_view key,
                         TqvStretchType type);
void IniWriteInactiveEffect(TqvSkinIni& ini, std::string_view section, std::string_view key,
                            TqvInactiveEffect effect);
void IniWriteMorphKind(TqvSkinIni& ini, std::string_view section, std::string_view key, TqvMorphKind kind);
void IniWriteCommand(TqvSkinIni& ini, std::string_view section, std::string_view key, TqvStdCommand command);
void IniWriteNumberedList(TqvSkinIni& ini, std::string_view section, std::string_view name,
                          const std::vector<std::string>& items);

// The words of the enumerations as the text spells them.
std::string_view StretchTypeWord(TqvStretchType type);
std::string_view InactiveEffectWord(TqvInactiveEffect effect);
std::string_view MorphKindWord(TqvMorphKind kind);
std::string_view CommandWord(TqvStdCommand command);
std::string_view AlignmentWord(TAlignment alignment);
std::string FontStyleText(TFontStyles style);

} // namespace qv
