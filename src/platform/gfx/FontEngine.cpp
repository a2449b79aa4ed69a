#include "platform/gfx/FontEngine.h"

#include "platform/gfx/FontMatchCache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <unistd.h>

namespace gfx {

class FontFace {
public:
    FT_Face face = nullptr;
    std::string file;
    int index = 0;
    FontMatchCache::Stamp stamp; // the file as it was when the face was loaded
    std::string family;
    bool bold = false;
    bool italic = false;
    bool Has(char32_t cp) const { return FT_Get_Char_Index(face, FT_ULong(cp)) != 0; }
};

namespace {

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
    }
    return s;
}

constexpr const char* kSans = "Liberation Sans";
constexpr const char* kCjk = "WenQuanYi Zen Hei";

// Names of Windows families the program and its skins use, and what stands in for them.
struct FamilyAlias {
    const char* windowsName; // lower case
    const char* family;
    // The Windows face's ascent and descent as fractions of the em, where the stand-in's
    // differ enough to change layouts (SimSun's cell is exactly one em high); 0: the face's own.
    double ascent = 0;
    double descent = 0;
};
constexpr double kSimAscent = 220.0 / 256, kSimDescent = 36.0 / 256;
constexpr FamilyAlias kAliases[] = {
    {"arial", kSans},
    {"ms sans serif", kSans},
    {"microsoft sans serif", kSans},
    {"tahoma", kSans},
    {"ms shell dlg", kSans},
    {"ms shell dlg 2", kSans},
    {"system", kSans},
    {"times new roman", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},
    {"terminal", "Liberation Mono"},
    {"宋体", kCjk, kSimAscent, kSimDescent},
    {"simsun", kCjk, kSimAscent, kSimDescent},
    {"新宋体", kCjk, kSimAscent, kSimDescent},
    {"nsimsun", kCjk, kSimAscent, kSimDescent},
    {"宋体-18030", kCjk, kSimAscent, kSimDescent},
    {"黑体", kCjk, kSimAscent, kSimDescent},
    {"simhei", kCjk, kSimAscent, kSimDescent},
    {"微软雅黑", kCjk},
    {"microsoft yahei", kCjk},
};

// Faces for the code points a primary face lacks, in the order they are tried: Chinese first,
// then wide coverage.
constexpr const char* kFallbackFamilies[] = {kCjk, "DejaVu Sans"};

bool IsCjkCharSet(BYTE cs) {
    return cs == GB2312_CHARSET || cs == CHINESEBIG5_CHARSET || cs == SHIFTJIS_CHARSET ||
           cs == HANGUL_CHARSET;
}

std::string& MatchCacheFile() {
    static std::string file;
    return file;
}

// Everything outside the configuration files that steers what fontconfig matches.
std::vector<std::string> MatchEnvironment() {
    std::vector<std::string> env{"fontconfig=" + std::to_string(FcGetVersion())};
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "FC_LANG", "LC_ALL",
                             "LC_CTYPE", "LANG", "LANGUAGE", "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        const char* value = std::getenv(name);
        std::string entry(name);
        entry += value != nullptr ? '=' : '-';
        entry += value != nullptr ? value : "";
        env.push_back(std::move(entry));
    }
    return env;
}

void AppendAll(std::vector<std::string>& out, FcStrList* list) {
    if (list == nullptr) {
        return;
    }
    while (FcChar8* s = FcStrListNext(list)) {
        out.emplace_back(reinterpret_cast<const char*>(s));
    }
    FcStrListDone(list);
}

// What the loaded configuration read, and the places where a user adds fonts or configuration
// that may not exist yet: a change to any of them can change a match.
std::vector<std::string> MatchDependencies() {
    std::vector<std::string> paths;
    AppendAll(paths, FcConfigGetConfigFiles(nullptr));
    AppendAll(paths, FcConfigGetConfigDirs(nullptr));
    AppendAll(paths, FcConfigGetFontDirs(nullptr));
    const char* home = std::getenv("HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string h = home ? home : "";
    std::string c = config && *config ? config : h + "/.config";
    std::string d = data && *data ? data : h + "/.local/share";
    for (std::string p : {std::string("/etc/fonts"), std::string("/etc/fonts/fonts.conf"),
                          std::string("/etc/fonts/local.conf"), std::string("/etc/fonts/conf.d"),
                          c + "/fontconfig", c + "/fontconfig/fonts.conf", c + "/fontconfig/conf.d",
                          d + "/fonts", h + "/.fonts", h + "/.fonts.conf", h + "/.fonts.conf.d"}) {
        paths.push_back(std::move(p));
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

} // namespace

struct FontEngine::Impl {
    FT_Library library = nullptr;
    bool fontconfigLoaded = false;
    std::string cacheFile;
    FontMatchCache cache;
    bool cacheCurrent = false; // the cache answers for the configuration in force
    bool cacheChanged = false;
    std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> faces;
    std::map<std::tuple<std::string, int, bool>, FontFace*> matches;
    std::map<std::string, std::shared_ptr<FontInstance>> instances;
    std::unordered_map<char32_t, FontFace*> codePointFaces;
    std::string renderer; // see Renderer()
};

FontEngine& FontEngine::Get() {
    static FontEngine engine;
    return engine;
}

void FontEngine::SetMatchCacheFile(std::string path) { MatchCacheFile() = std::move(path); }

FontEngine::FontEngine() : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) {
        throw std::runtime_error("FreeType could not be initialised");
    }
    impl_->cacheFile = MatchCacheFile();
    if (!impl_->cacheFile.empty()) {
        std::ifstream in(impl_->cacheFile, std::ios::binary | std::ios::ate);
        std::streamoff size = in ? std::streamoff(in.tellg()) : -1;
        if (size > 0 && size <= std::streamoff(1) << 20) { // a few kilobytes when it is ours
            std::string text(std::size_t(size), '\0');
            in.seekg(0);
            in.read(text.data(), size);
            text.resize(std::size_t(in.gcount()));
            impl_->cacheCurrent = impl_->cache.Parse(text) && impl_->cache.Current(MatchEnvironment());
        }
    }
}

FontEngine::~FontEngine() {
    SaveMatchCache();
    impl_->instances.clear();
    for (auto& [key, face] : impl_->faces) {
        FT_Done_Face(face->face);
    }
    FT_Done_FreeType(impl_->library);
    if (impl_->fontconfigLoaded) {
        FcFini();
    }
}

void FontEngine::LoadFontconfig() {
    if (impl_->fontconfigLoaded) {
        return;
    }
    FcInit();
    impl_->fontconfigLoaded = true;
    if (!impl_->cacheFile.empty() && !impl_->cacheCurrent) {
        impl_->cache.Restart(MatchEnvironment(), MatchDependencies());
        impl_->cacheCurrent = true;
        impl_->cacheChanged = true;
    }
}

// Written beside itself and renamed over the old file, so that another instance never reads
// half a cache; a cache that cannot be written is simply not kept.
void FontEngine::SaveMatchCache() {
    if (!impl_->cacheChanged || impl_->cache.Empty()) {
        return;
    }
    impl_->cacheChanged = false;
    std::error_code ec;
    std::filesystem::path file(impl_->cacheFile);
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    std::string temp = impl_->cacheFile + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << impl_->cache.Serialize();
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            return;
        }
    }
    if (std::rename(temp.c_str(), impl_->cacheFile.c_str()) != 0) {
        std::remove(temp.c_str());
    }
}

static const FamilyAlias* FindAlias(const std::string& face) {
    std::string lower = Lower(face);
    for (const FamilyAlias& a : kAliases) {
        if (lower == a.windowsName) {
            return &a;
        }
    }
    return nullptr;
}

// What the file can hold as it is: a font or glyph beyond its bounds is left out (a clamped
// height would name another font, and the next start would take these pixels for it).
static bool Keepable(const LOGFONT& lf) {
    return lf.lfFaceName[0] != 0 && lf.lfHeight >= -1000 && lf.lfHeight <= 1000 && lf.lfWeight >= 0 &&
           lf.lfWeight <= 1000;
}

static bool Keepable(const Glyph& g) {
    constexpr int kMaxOffset = 4 * StartGlyphs::kMaxGlyphSide;
    return g.width <= StartGlyphs::kMaxGlyphSide && g.height <= StartGlyphs::kMaxGlyphSide &&
           std::abs(g.left) <= kMaxOffset && std::abs(g.top) <= kMaxOffset &&
           std::abs(g.advance) <= kMaxOffset;
}

StartGlyphs FontEngine::Rendered() const {
    StartGlyphs out;
    out.renderer = Renderer();
    std::map<const FontFace*, std::uint32_t> faceNumbers;
    // The face's number in the list, entered on first use; none when the list is full.
    auto faceNumber = [&](const FontFace* face) -> std::optional<std::uint32_t> {
        if (auto it = faceNumbers.find(face); it != faceNumbers.end()) {
            return it->second;
        }
        if (out.faces.size() == StartGlyphs::kMaxFaces) {
            return std::nullopt;
        }
        out.faces.push_back({face->file, face->index, face->stamp.mtimeNs, face->stamp.size});
        return faceNumbers[face] = std::uint32_t(out.faces.size() - 1);
    };
    for (const auto& [key, instance] : impl_->instances) {
        const LOGFONT& lf = instance->logFont_;
        if (instance->drawnFrom_.empty() || !Keepable(lf)) {
            continue;
        }
        StartGlyphs::Font f;
        f.face = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
        f.height = lf.lfHeight;
        f.weight = lf.lfWeight;
        f.italic = lf.lfItalic != 0;
        f.underline = lf.lfUnderline != 0;
        f.strikeOut = lf.lfStrikeOut != 0;
        f.charSet = lf.lfCharSet;
        std::vector<std::pair<char32_t, const FontFace*>> drawn(instance->drawnFrom_.begin(),
                                                                instance->drawnFrom_.end());
        std::sort(drawn.begin(), drawn.end());
        for (const auto& [cp, face] : drawn) {
            const Glyph& glyph = instance->glyphs_.at(cp);
            if (f.glyphs.size() == StartGlyphs::kMaxGlyphs || !Keepable(glyph)) {
                continue;
            }
            if (std::optional<std::uint32_t> number = faceNumber(face)) {
                f.glyphs.push_back({cp, *number, glyph});
            }
        }
        out.fonts.push_back(std::move(f));
        if (out.fonts.size() == StartGlyphs::kMaxFonts) {
            break;
        }
    }
    return out;
}

std::string FontEngine::Renderer() const {
    if (impl_->renderer.empty()) {
        FT_Int major = 0, minor = 0, patch = 0;
        FT_Library_Version(impl_->library, &major, &minor, &patch);
        char exe[4096];
        ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
        std::string program = n > 0 ? std::string(exe, std::size_t(n)) : std::string();
        FontMatchCache::Stamp stamp = FontMatchCache::StampOf("/proc/self/exe");
        if (program.empty() || !stamp.exists) {
            return {}; // a program that cannot tell what it is keeps nothing
        }
        impl_->renderer = "freetype " + std::to_string(major) + '.' + std::to_string(minor) + '.' +
                          std::to_string(patch) + "; " + program + ' ' + std::to_string(stamp.mtimeNs) + ' ' +
                          std::to_string(stamp.size);
    }
    return impl_->renderer;
}

bool FontEngine::Adopt(FontInstance& font, char32_t cp, const StartGlyphs::Face& kept, const Glyph& glyph) {
    if (cp < 0x20 || cp == 0x7F || font.glyphs_.count(cp) != 0) {
        return false;
    }
    const FontFace* face = FaceFor(font, cp);
    if (face->file != kept.file || face->index != kept.index) {
        return false;
    }
    const FontMatchCache::Stamp& stamp = face->stamp;
    if (!stamp.exists || stamp.mtimeNs != kept.mtimeNs || stamp.size != kept.size) {
        return false;
    }
    font.glyphs_.emplace(cp, glyph);
    font.drawnFrom_.emplace(cp, face);
    return true;
}

std::string FontEngine::MappedFamily(const std::string& face, BYTE charSet) {
    if (const FamilyAlias* a = FindAlias(face)) {
        return a->family;
    }
    if (face.empty()) {
        return IsCjkCharSet(charSet) ? kCjk : kSans;
    }
    return face;
}

FontFace* FontEngine::Load(const std::string& file, int index) {
    auto key = std::make_pair(file, index);
    if (auto it = impl_->faces.find(key); it != impl_->faces.end()) {
        return it->second.get();
    }
    FT_Face face = nullptr;
    if (FT_New_Face(impl_->library, file.c_str(), index, &face) != 0) {
        return nullptr;
    }
    auto f = std::make_unique<FontFace>();
    f->face = face;
    f->file = file;
    f->index = index;
    f->stamp = FontMatchCache::StampOf(file);
    f->family = face->family_name ? face->family_name : "";
    f->bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    f->italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    FontFace* raw = f.get();
    impl_->faces.emplace(key, std::move(f));
    return raw;
}

FontFace* FontEngine::Match(const std::string& family, int weight, bool italic) {
    auto key = std::make_tuple(family, weight, italic);
    if (auto it = impl_->matches.find(key); it != impl_->matches.end()) {
        return it->second;
    }
    if (impl_->cacheCurrent) {
        if (const FontMatchCache::Face* known = impl_->cache.Find(family, weight, italic)) {
            FontFace* face = known->file.empty() ? nullptr : Load(known->file, known->index);
            if (face != nullptr || known->file.empty()) {
                impl_->matches[key] = face;
                return face;
            }
        }
    }
    LoadFontconfig();
    FontMatchCache::Face found;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FontFace* face = nullptr;
    if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            face = Load(reinterpret_cast<const char*>(file), index);
            found = {reinterpret_cast<const char*>(file), index};
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    impl_->matches[key] = face;
    if (impl_->cacheCurrent && impl_->cache.Add(family, weight, italic, found)) {
        impl_->cacheChanged = true;
    }
    return face;
}

FontFace* FontEngine::FaceForCodePoint(char32_t cp) {
    if (auto it = impl_->codePointFaces.find(cp); it != impl_->codePointFaces.end()) {
        return it->second;
    }
    LoadFontconfig();
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* set = FcCharSetCreate();
    FcCharSetAddChar(set, FcChar32(cp));
    FcPatternAddCharSet(pattern, FC_CHARSET, set);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FontFace* face = nullptr;
    if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            face = Load(reinterpret_cast<const char*>(file), index);
            if (face && !face->Has(cp)) {
                face = nullptr;
            }
        }
        FcPatternDestroy(match);
    }
    FcCharSetDestroy(set);
    FcPatternDestroy(pattern);
    impl_->codePointFaces[cp] = face;
    return face;
}

// The first fallback family that has the code point, then any installed face that has it. A
// family is matched only when the ones before it lack a code point: most text never needs the
// last one, and each match costs a fontconfig search and perhaps a face to open.
FontFace* FontEngine::FallbackFor(FontInstance& font, char32_t cp) {
    for (FontFace* f : font.fallbacks_) {
        if (f->Has(cp)) {
            return f;
        }
    }
    while (font.fallbacksMatched_ < std::size(kFallbackFamilies)) {
        FontFace* f = Match(kFallbackFamilies[font.fallbacksMatched_++], font.weight_, font.italic_);
        if (!f || f == font.primary_ ||
            std::find(font.fallbacks_.begin(), font.fallbacks_.end(), f) != font.fallbacks_.end()) {
            continue;
        }
        font.fallbacks_.push_back(f);
        if (f->Has(cp)) {
            return f;
        }
    }
    return FaceForCodePoint(cp);
}

std::shared_ptr<FontInstance> FontEngine::Resolve(const LOGFONT& lfIn) {
    LOGFONT lf = lfIn;
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    std::string face = lf.lfFaceName;
    int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
    bool italic = lf.lfItalic != 0;
    std::string key = Lower(face) + '\n' + std::to_string(lf.lfHeight) + ',' + std::to_string(weight) + ',' +
                      std::to_string(italic) + ',' + std::to_string(lf.lfUnderline != 0) + ',' +
                      std::to_string(lf.lfStrikeOut != 0) + ',' + std::to_string(lf.lfCharSet);
    if (auto it = impl_->instances.find(key); it != impl_->instances.end()) {
        return it->second;
    }
    auto font = std::make_shared<FontInstance>();
    font->logFont_ = lf;
    FontFace* primary = Match(MappedFamily(face, lf.lfCharSet), weight, italic);
    if (!primary) {
        primary = Match("sans-serif", weight, italic);
    }
    if (!primary) {
        throw std::runtime_error("No font is installed");
    }
    font->primary_ = primary;
    font->weight_ = weight;
    font->italic_ = italic;
    font->synthBold_ = weight >= FW_SEMIBOLD && !primary->bold;
    font->synthItalic_ = italic && !primary->italic;
    font->underline_ = lf.lfUnderline != 0;
    font->strikeOut_ = lf.lfStrikeOut != 0;

    // Windows sizes TrueType fonts by their OS/2 "win" ascent and descent.
    FT_Face ft = primary->face;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
    double upem = ft->units_per_EM ? ft->units_per_EM : 2048;
    double winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : ft->ascender;
    double winDescent = os2 && (os2->usWinAscent || os2->usWinDescent) ? os2->usWinDescent : -ft->descender;
    const FamilyAlias* alias = FindAlias(face);
    if (!alias && face.empty() && IsCjkCharSet(lf.lfCharSet)) {
        alias = FindAlias("simsun");
    }
    const bool windowsMetrics = alias && alias->ascent > 0 && Lower(primary->family) == Lower(alias->family);
    if (windowsMetrics) {
        winAscent = alias->ascent * upem;
        winDescent = alias->descent * upem;
    }
    double cellUnits = std::max(1.0, winAscent + winDescent);
    int height = lf.lfHeight;
    if (height < 0) {
        font->em_ = -double(height);
    } else {
        font->em_ = (height == 0 ? 16.0 : double(height)) * upem / cellUnits;
    }
    const double scale = font->em_ / upem;
    TEXTMETRIC& tm = font->metrics_;
    tm.tmAscent = LONG(std::lround(winAscent * scale));
    tm.tmDescent = LONG(std::lround(winDescent * scale));
    if (height > 0) {
        tm.tmDescent = height - tm.tmAscent; // the cell is exactly what was asked for
    }
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - LONG(std::lround(font->em_)));
    if (hhea && !windowsMetrics) {
        double gap = hhea->Line_Gap + hhea->Ascender - hhea->Descender - cellUnits;
        tm.tmExternalLeading = std::max<LONG>(0, LONG(std::lround(gap * scale)));
    }
    if (hhea) {
        tm.tmMaxCharWidth = LONG(std::lround(hhea->advance_Width_Max * scale));
    }
    tm.tmWeight = weight;
    tm.tmItalic = italic;
    tm.tmUnderlined = lf.lfUnderline != 0;
    tm.tmStruckOut = lf.lfStrikeOut != 0;
    tm.tmCharSet = lf.lfCharSet;
    tm.tmPitchAndFamily = FT_IS_FIXED_WIDTH(ft) ? 0 : 1; // TMPF_FIXED_PITCH means variable
    tm.tmAveCharWidth = os2 && os2->xAvgCharWidth > 0 ? LONG(std::lround(os2->xAvgCharWidth * scale))
                                                      : font->Advance('x');
    if (font->synthBold_) {
        tm.tmAveCharWidth += 1;
        tm.tmMaxCharWidth += 1;
    }
    if (tm.tmMaxCharWidth <= 0) {
        tm.tmMaxCharWidth = tm.tmAveCharWidth;
    }

    double ulPos = ft->underline_position, ulThick = ft->underline_thickness;
    if (ulThick <= 0) {
        ulThick = upem / 20;
        ulPos = -upem / 10;
    }
    font->underlineThickness_ = std::max(1, int(std::lround(ulThick * scale)));
    font->underlineOffset_ = int(std::lround(-ulPos * scale - ulThick * scale / 2));
    font->underlineOffset_ = std::clamp(font->underlineOffset_, 0,
                                        std::max(0, int(tm.tmDescent) - font->underlineThickness_));
    double stPos = os2 && os2->yStrikeoutPosition > 0 ? os2->yStrikeoutPosition : upem * 0.26;
    double stSize = os2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : ulThick;
    font->strikeThickness_ = std::max(1, int(std::lround(stSize * scale)));
    font->strikeOffset_ = -int(std::lround(stPos * scale));

    impl_->instances.emplace(key, font);
    return font;
}

// The primary face when it has the code point, else the fallback that has it; the primary
// face's missing-glyph box when none has.
FontFace* FontEngine::FaceFor(FontInstance& font, char32_t cp) {
    if (font.primary_->Has(cp)) {
        return font.primary_;
    }
    FontFace* found = FallbackFor(font, cp);
    return found != nullptr ? found : font.primary_;
}

void FontEngine::Render(FontInstance& font, char32_t cp, Glyph& out) {
    out = Glyph{};
    if (cp < 0x20 || cp == 0x7F) {
        return; // control characters take no space and draw nothing
    }
    FontFace* face = FaceFor(font, cp);
    font.drawnFrom_[cp] = face;
    FT_Face ft = face->face;
    FT_UInt index = FT_Get_Char_Index(ft, FT_ULong(cp));
    FT_Set_Char_Size(ft, 0, FT_F26Dot6(std::lround(font.em_ * 64)), 72, 72);
    // Light hinting fits stems to the pixel grid vertically only: at 11-16 px it keeps
    // x-heights and baselines sharp without distorting the letter shapes.
    FT_Int32 flags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(ft, index, flags) != 0) {
        return;
    }
    ++rasterised_;
    FT_GlyphSlot slot = ft->glyph;
    int extraAdvance = 0;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (font.synthItalic_) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000}; // about 12 degrees
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (font.synthBold_) {
            // One whole pixel of extra stem at UI sizes, like the platform's own synthetic bold.
            FT_Pos strength = std::max<FT_Pos>(64, FT_Pos(font.em_ * 64 / 24));
            FT_Outline_EmboldenXY(&slot->outline, strength, 0);
            extraAdvance = int((strength + 32) >> 6);
        }
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
        return;
    }
    const FT_Bitmap& bm = slot->bitmap;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = int(bm.width);
    out.height = int(bm.rows);
    out.advance = int((slot->advance.x + 32) >> 6) + extraAdvance;
    out.coverage.resize(std::size_t(out.width) * std::size_t(out.height));
    // Linear coverage blended linearly leaves the unhinted vertical stems of light hinting
    // greyish at 11-13 px; a mild curve darkens partial pixels so small text reads solid.
    static const auto curve = [] {
        std::array<std::uint8_t, 256> t{};
        for (int i = 0; i < 256; ++i) {
            t[std::size_t(i)] = std::uint8_t(std::lround(255.0 * std::pow(i / 255.0, 1.0 / 1.3)));
        }
        return t;
    }();
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        std::uint8_t* dst = out.coverage.data() + std::size_t(y) * std::size_t(out.width);
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < out.width; ++x) {
                dst[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
            }
        } else {
            for (int x = 0; x < out.width; ++x) {
                dst[x] = curve[row[x]];
            }
        }
    }
}

const Glyph& FontInstance::GlyphFor(char32_t cp) {
    auto it = glyphs_.find(cp);
    if (it != glyphs_.end()) {
        return it->second;
    }
    Glyph& g = glyphs_[cp];
    FontEngine::Get().Render(*this, cp, g);
    return g;
}

const std::string& FontInstance::FamilyName() const { return primary_->family; }

} // namespace gfx
