#include "platform/gfx/Font.h"

#include "platform/gfx/FontEngine.h"
#include "platform/gfx/StockObjects.h"
#include "platform/gfx/Utf8.h"

#include <cstring>

namespace gfx {

FontInstance& GdiFont::Instance() const {
    if (!instance_) {
        instance_ = FontEngine::Get().Resolve(logFont);
    }
    return *instance_;
}

void SetFaceName(LOGFONT& lf, const char* name) {
    std::size_t n = name ? gfx::Utf8Boundary(name, LF_FACESIZE - 1) : 0;
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    if (n) {
        std::memcpy(lf.lfFaceName, name, n);
    }
}

namespace {

LOGFONT Stock(LONG height, LONG weight, const char* face) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    SetFaceName(lf, face);
    return lf;
}

} // namespace

HGDIOBJ StockFont(int index) {
    // Built once and never changed afterwards.
    static GdiFont* const system = new GdiFont(Stock(16, FW_BOLD, "System"), true);
    static GdiFont* const gui = new GdiFont(Stock(-11, FW_NORMAL, "MS Shell Dlg"), true);
    static GdiFont* const ansiVar = new GdiFont(Stock(-11, FW_NORMAL, "MS Sans Serif"), true);
    static GdiFont* const fixed = new GdiFont(Stock(-13, FW_NORMAL, "Courier New"), true);
    switch (index) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return system;
    case DEFAULT_GUI_FONT: return gui;
    case ANSI_VAR_FONT: return ansiVar;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return fixed;
    default: return nullptr;
    }
}

} // namespace gfx

HFONT CreateFontIndirect(const LOGFONT* lf) {
    if (lf == nullptr) {
        return nullptr;
    }
    LOGFONT copy = *lf;
    copy.lfFaceName[LF_FACESIZE - 1] = 0;
    return new gfx::GdiFont(copy);
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, const char* face) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = BYTE(italic != 0);
    lf.lfUnderline = BYTE(underline != 0);
    lf.lfStrikeOut = BYTE(strikeOut != 0);
    lf.lfCharSet = BYTE(charSet);
    lf.lfOutPrecision = BYTE(outPrecision);
    lf.lfClipPrecision = BYTE(clipPrecision);
    lf.lfQuality = BYTE(quality);
    lf.lfPitchAndFamily = BYTE(pitchAndFamily);
    gfx::SetFaceName(lf, face);
    return new gfx::GdiFont(lf);
}
