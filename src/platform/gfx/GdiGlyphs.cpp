#include "platform/gfx/GdiGlyphs.h"

#include <windows.h>

#include <algorithm>

namespace gfx::gdi {
namespace {

std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring out(std::size_t(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), out.data(), n);
    return out;
}

std::string Narrow(const wchar_t* s) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(std::size_t(n - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
    return out;
}

HDC AsDC(void* p) { return static_cast<HDC>(p); }

// A glyph outside the basic plane has no UTF-16 unit of its own; the faces used here draw none.
bool InBasicPlane(char32_t cp) { return cp < 0x10000 && (cp < 0xD800 || cp > 0xDFFF); }

} // namespace

Face::Face(const FaceSpec& spec) {
    LOGFONTW lf{};
    lf.lfHeight = spec.height;
    lf.lfWeight = spec.weight;
    lf.lfItalic = spec.italic ? 1 : 0;
    lf.lfCharSet = BYTE(spec.charSet);
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    std::wstring face = Widen(spec.face);
    face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    face.copy(lf.lfFaceName, face.size());
    HFONT font = ::CreateFontIndirectW(&lf);
    HDC dc = ::CreateCompatibleDC(nullptr);
    font_ = font;
    dc_ = dc;
    previous_ = ::SelectObject(dc, font);

    wchar_t actual[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, actual);
    family_ = Narrow(actual);

    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    metrics_.height = tm.tmHeight;
    metrics_.ascent = tm.tmAscent;
    metrics_.descent = tm.tmDescent;
    metrics_.internalLeading = tm.tmInternalLeading;
    metrics_.externalLeading = tm.tmExternalLeading;
    metrics_.aveCharWidth = tm.tmAveCharWidth;
    metrics_.maxCharWidth = tm.tmMaxCharWidth;
    metrics_.weight = tm.tmWeight;
    metrics_.overhang = tm.tmOverhang;
    metrics_.variablePitch = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0; // the bit means variable
    OUTLINETEXTMETRICW otm{};
    otm.otmSize = sizeof otm;
    if (::GetOutlineTextMetricsW(dc, sizeof otm, &otm) != 0) {
        metrics_.underlinePosition = otm.otmsUnderscorePosition;
        metrics_.underlineSize = int(otm.otmsUnderscoreSize);
        metrics_.strikeoutPosition = otm.otmsStrikeoutPosition;
        metrics_.strikeoutSize = int(otm.otmsStrikeoutSize);
    }
}

Face::~Face() {
    ::SelectObject(AsDC(dc_), static_cast<HGDIOBJ>(previous_));
    ::DeleteObject(static_cast<HGDIOBJ>(font_));
    ::DeleteDC(AsDC(dc_));
}

bool Face::Has(char32_t cp) const {
    if (!InBasicPlane(cp)) return false;
    wchar_t c = wchar_t(cp);
    WORD index = 0xFFFF;
    return ::GetGlyphIndicesW(AsDC(dc_), &c, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

bool Face::Render(char32_t cp, GlyphImage& out) const {
    out = GlyphImage{};
    if (!InBasicPlane(cp)) return false;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS gm{};
    DWORD size = ::GetGlyphOutlineW(AsDC(dc_), UINT(cp), GGO_GRAY8_BITMAP, &gm, 0, nullptr, &identity);
    if (size == GDI_ERROR) return false;
    out.advance = gm.gmCellIncX;
    if (size == 0) return true; // a blank: advance only
    std::vector<BYTE> bits(size);
    if (::GetGlyphOutlineW(AsDC(dc_), UINT(cp), GGO_GRAY8_BITMAP, &gm, size, bits.data(), &identity) ==
        GDI_ERROR)
        return false;
    out.left = gm.gmptGlyphOrigin.x;
    out.top = gm.gmptGlyphOrigin.y;
    out.width = int(gm.gmBlackBoxX);
    out.height = int(gm.gmBlackBoxY);
    const std::size_t pitch = (std::size_t(out.width) + 3) & ~std::size_t(3); // rows are DWORD aligned
    if (pitch * std::size_t(out.height) > bits.size()) return false;
    out.coverage.resize(std::size_t(out.width) * std::size_t(out.height));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            unsigned level = bits[std::size_t(y) * pitch + std::size_t(x)]; // 0 .. 64
            out.coverage[std::size_t(y) * std::size_t(out.width) + std::size_t(x)] =
                std::uint8_t(level >= 64 ? 255 : (level * 255 + 32) / 64);
        }
    return true;
}

bool IsInstalled(const std::string& family) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring name = Widen(family);
    if (name.empty() || name.size() >= LF_FACESIZE) return false;
    name.copy(lf.lfFaceName, name.size());
    bool found = false;
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::EnumFontFamiliesExW(
        dc, &lf,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ::DeleteDC(dc);
    return found;
}

} // namespace gfx::gdi
