#include "platform/gfx/FontEngine.h"

#include "platform/gfx/GdiGlyphs.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

// The font engine of the Windows build: Windows itself chooses the faces, measures them and
// rasterises the glyphs, so text has the metrics and shapes users know from other programs.
// Missing faces fall back the way the Linux build's table does, for systems (Wine) that lack
// the Windows faces; a code point the face lacks is drawn from the first fallback that has it.

namespace gfx {

class FontFace {
public:
    explicit FontFace(const gdi::FaceSpec& spec) : face(spec) {}
    gdi::Face face;
    bool Has(char32_t cp) const { return face.Has(cp); }
};

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

// Stand-ins for the Windows faces, tried in order when the named face is not installed.
struct FamilyAlias {
    const char* windowsName; // lower case
    const char* standIns[3];
};
constexpr FamilyAlias kAliases[] = {
    {"arial", {"Liberation Sans", "Arial", nullptr}},
    {"ms sans serif", {"Microsoft Sans Serif", "Liberation Sans", nullptr}},
    {"tahoma", {"Liberation Sans", nullptr, nullptr}},
    {"times new roman", {"Liberation Serif", nullptr, nullptr}},
    {"courier new", {"Liberation Mono", nullptr, nullptr}},
    {"宋体", {"SimSun", "WenQuanYi Zen Hei", nullptr}},
    {"simsun", {"宋体", "WenQuanYi Zen Hei", nullptr}},
    {"新宋体", {"NSimSun", "SimSun", "WenQuanYi Zen Hei"}},
    {"黑体", {"SimHei", "WenQuanYi Zen Hei", nullptr}},
    {"微软雅黑", {"Microsoft YaHei", "WenQuanYi Zen Hei", nullptr}},
};
// Faces for the code points the primary face lacks: Chinese first, then wide coverage.
constexpr const char* kFallbacks[] = {"SimSun",           "Microsoft YaHei", "WenQuanYi Zen Hei",
                                      "Arial Unicode MS", "Segoe UI Symbol", "Liberation Sans"};

bool IsCjkCharSet(BYTE cs) {
    return cs == GB2312_CHARSET || cs == CHINESEBIG5_CHARSET || cs == SHIFTJIS_CHARSET ||
           cs == HANGUL_CHARSET;
}

} // namespace

struct FontEngine::Impl {
    std::map<std::string, std::unique_ptr<FontFace>> faces; // by face spec key
    std::map<std::string, bool> installed;
    std::map<std::string, std::shared_ptr<FontInstance>> instances;
    std::unordered_map<char32_t, FontFace*> codePointFaces;
    int fallbackWeight = FW_NORMAL;
};

// Windows keeps its own font tables: there is nothing to remember between runs.
void FontEngine::SetMatchCacheFile(std::string) {}

FontEngine& FontEngine::Get() {
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() : impl_(std::make_unique<Impl>()) {}

FontEngine::~FontEngine() { impl_->instances.clear(); }

// GDI keeps its own glyph cache: nothing is kept between runs here.
StartGlyphs FontEngine::Rendered() const { return {}; }

std::string FontEngine::Renderer() const { return {}; }

bool FontEngine::Adopt(FontInstance&, char32_t, const StartGlyphs::Face&, const Glyph&) { return false; }

std::string FontEngine::MappedFamily(const std::string& face, BYTE charSet) {
    std::string lower = Lower(face);
    for (const FamilyAlias& a : kAliases)
        if (lower == a.windowsName)
            for (const char* standIn : a.standIns)
                if (standIn && gdi::IsInstalled(standIn) && !gdi::IsInstalled(face)) return standIn;
    if (face.empty()) return IsCjkCharSet(charSet) ? "SimSun" : "Arial";
    return face;
}

// One GDI face per family, weight and slant at the em size of the instance that asks.
static std::unique_ptr<FontFace> OpenFace(const std::string& family, int height, int weight, bool italic,
                                          BYTE charSet) {
    gdi::FaceSpec spec;
    spec.face = family;
    spec.height = height;
    spec.weight = weight;
    spec.italic = italic;
    spec.charSet = charSet;
    return std::make_unique<FontFace>(spec);
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
    if (auto it = impl_->instances.find(key); it != impl_->instances.end()) return it->second;

    auto font = std::make_shared<FontInstance>();
    font->logFont_ = lf;
    std::string family = MappedFamily(face, lf.lfCharSet);
    auto opened = OpenFace(family, lf.lfHeight, weight, italic, lf.lfCharSet);
    const gdi::FaceMetrics& m = opened->face.Metrics();
    if (m.height <= 0) throw std::runtime_error("No font is installed");
    font->primary_ = opened.get();
    impl_->faces.emplace(key + "\nprimary", std::move(opened));

    // The fallbacks at the same em size, so mixed runs share one baseline scale.
    int emHeight = -std::max(1, m.height - m.internalLeading);
    for (const char* name : kFallbacks) {
        if (Lower(name) == Lower(font->primary_->face.Family()) || !gdi::IsInstalled(name)) continue;
        std::string fallbackKey = Lower(name) + '\n' + std::to_string(emHeight) + ',' +
                                  std::to_string(weight) + ',' + std::to_string(italic);
        auto it = impl_->faces.find(fallbackKey);
        if (it == impl_->faces.end())
            it = impl_->faces.emplace(fallbackKey, OpenFace(name, emHeight, weight, italic, DEFAULT_CHARSET))
                     .first;
        font->fallbacks_.push_back(it->second.get());
    }

    // Windows draws bold and italic itself (real faces or its own emboldening).
    font->synthBold_ = false;
    font->synthItalic_ = false;
    font->underline_ = lf.lfUnderline != 0;
    font->strikeOut_ = lf.lfStrikeOut != 0;
    font->em_ = double(m.height - m.internalLeading);

    TEXTMETRIC& tm = font->metrics_;
    tm.tmHeight = m.height;
    tm.tmAscent = m.ascent;
    tm.tmDescent = m.descent;
    tm.tmInternalLeading = m.internalLeading;
    tm.tmExternalLeading = m.externalLeading;
    tm.tmAveCharWidth = m.aveCharWidth;
    tm.tmMaxCharWidth = m.maxCharWidth > 0 ? m.maxCharWidth : m.aveCharWidth;
    tm.tmWeight = m.weight;
    tm.tmOverhang = m.overhang;
    tm.tmItalic = italic;
    tm.tmUnderlined = lf.lfUnderline != 0;
    tm.tmStruckOut = lf.lfStrikeOut != 0;
    tm.tmCharSet = lf.lfCharSet;
    tm.tmPitchAndFamily = m.variablePitch ? 1 : 0;

    int ulSize = m.underlineSize > 0 ? m.underlineSize : std::max(1, int(std::lround(font->em_ / 20)));
    int ulPos = m.underlineSize > 0 ? m.underlinePosition : -int(std::lround(font->em_ / 10));
    font->underlineThickness_ = std::max(1, ulSize);
    font->underlineOffset_ = std::clamp(-ulPos - ulSize / 2, 0,
                                        std::max(0, int(tm.tmDescent) - font->underlineThickness_));
    int stSize = m.strikeoutSize > 0 ? m.strikeoutSize : ulSize;
    int stPos = m.strikeoutPosition > 0 ? m.strikeoutPosition : int(std::lround(font->em_ * 0.26));
    font->strikeThickness_ = std::max(1, stSize);
    font->strikeOffset_ = -stPos;

    impl_->instances.emplace(key, font);
    return font;
}

void FontEngine::Render(FontInstance& font, char32_t cp, Glyph& out) {
    out = Glyph{};
    if (cp < 0x20 || cp == 0x7F) return; // control characters take no space and draw nothing
    FontFace* face = font.primary_;
    if (!face->Has(cp)) {
        for (FontFace* f : font.fallbacks_) {
            if (f->Has(cp)) {
                face = f;
                break;
            }
        }
    }
    gdi::GlyphImage image;
    if (!face->face.Render(cp, image)) return;
    ++rasterised_;
    out.left = image.left;
    out.top = image.top;
    out.width = image.width;
    out.height = image.height;
    out.advance = image.advance;
    out.coverage = std::move(image.coverage);
}

const Glyph& FontInstance::GlyphFor(char32_t cp) {
    auto it = glyphs_.find(cp);
    if (it != glyphs_.end()) return it->second;
    Glyph& g = glyphs_[cp];
    FontEngine::Get().Render(*this, cp, g);
    return g;
}

const std::string& FontInstance::FamilyName() const { return primary_->face.Family(); }

} // namespace gfx
