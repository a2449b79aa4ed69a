#pragma once
// Fonts: HFONT handles made from a LOGFONT, as on Windows. The face name is UTF-8.
// lfHeight < 0 asks for a character (em) height of -lfHeight pixels, lfHeight > 0 for a cell
// height (ascent + descent) of lfHeight pixels, 0 for the default size. A font is resolved to
// installed faces (FontEngine) when it is first drawn or measured.

#include "platform/gfx/GdiObject.h"

#include <memory>

constexpr int LF_FACESIZE = 32;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_REGULAR = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE SHIFTJIS_CHARSET = 128;
constexpr BYTE HANGUL_CHARSET = 129;
constexpr BYTE GB2312_CHARSET = 134;
constexpr BYTE CHINESEBIG5_CHARSET = 136;
constexpr BYTE OEM_CHARSET = 255;

constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {}; // UTF-8, NUL-terminated
};
using LOGFONTA = LOGFONT;

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    char tmFirstChar = 0x20;
    char tmLastChar = char(0xFF);
    char tmDefaultChar = 0x1F;
    char tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
using TEXTMETRICA = TEXTMETRIC;

namespace gfx {

class FontInstance;

class GdiFont : public GdiObject {
public:
    explicit GdiFont(const LOGFONT& lf, bool stock = false)
        : GdiObject(ObjectKind::Font, stock), logFont(lf) {}
    const LOGFONT logFont;
    // The faces and size this font draws with; resolved once, shared with equal fonts.
    FontInstance& Instance() const;

private:
    mutable std::shared_ptr<FontInstance> instance_;
};

// Copies a UTF-8 name into lfFaceName, cut at a code point boundary when too long.
void SetFaceName(LOGFONT& lf, const char* name);

} // namespace gfx

using HFONT = gfx::GdiFont*;

HFONT CreateFontIndirect(const LOGFONT* lf);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, const char* face);
