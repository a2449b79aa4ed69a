#include "platform/gfx/StartGlyphs.h"

#include "platform/gfx/FontEngine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace gfx {
namespace {

constexpr std::string_view kMagic = "iislog-start-glyphs 2\n";

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}
void PutI64(std::string& out, std::int64_t v) {
    PutU32(out, std::uint32_t(std::uint64_t(v) & 0xFFFFFFFF));
    PutU32(out, std::uint32_t(std::uint64_t(v) >> 32));
}
void PutString(std::string& out, std::string_view s) {
    PutU32(out, std::uint32_t(s.size()));
    out += s;
}

// A cursor over the file's bytes: every read checks that the bytes are there, and after the
// first failure every read fails.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    bool Ok() const { return ok_; }
    bool AtEnd() const { return ok_ && rest_.empty(); }
    std::string_view Take(std::size_t n) {
        if (!ok_ || rest_.size() < n) {
            ok_ = false;
            return {};
        }
        std::string_view taken = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return taken;
    }
    std::uint32_t U32() {
        std::string_view b = Take(4);
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < b.size(); ++i)
            v |= std::uint32_t(std::uint8_t(b[i])) << (8 * i);
        return v;
    }
    std::int32_t I32() { return std::int32_t(U32()); }
    std::int64_t I64() {
        std::uint64_t low = U32();
        std::uint64_t high = U32();
        return std::int64_t(low | (high << 32));
    }
    std::uint8_t Byte() {
        std::string_view b = Take(1);
        return b.empty() ? 0 : std::uint8_t(b[0]);
    }
    // A count or length no greater than `max`.
    std::uint32_t Count(std::size_t max) {
        std::uint32_t n = U32();
        if (n > max) ok_ = false;
        return ok_ ? n : 0;
    }
    std::string String() { return std::string(Take(Count(StartGlyphs::kMaxString))); }
    bool Flag() {
        std::uint8_t b = Byte();
        if (b > 1) ok_ = false;
        return b == 1;
    }
    void Require(bool condition) {
        if (!condition) ok_ = false;
    }

private:
    std::string_view rest_;
    bool ok_ = true;
};

bool ReadGlyph(Reader& in, std::size_t faces, char32_t previous, bool first, StartGlyphs::DrawnGlyph& g) {
    g.codePoint = char32_t(in.U32());
    g.face = in.U32();
    g.glyph.left = in.I32();
    g.glyph.top = in.I32();
    g.glyph.advance = in.I32();
    g.glyph.width = int(in.Count(StartGlyphs::kMaxGlyphSide));
    g.glyph.height = int(in.Count(StartGlyphs::kMaxGlyphSide));
    // Code points ascend, so that equal lists are equal files.
    in.Require(g.codePoint <= 0x10FFFF && (first || g.codePoint > previous) && g.face < faces);
    in.Require(std::abs(std::int64_t(g.glyph.left)) <= 4 * StartGlyphs::kMaxGlyphSide &&
               std::abs(std::int64_t(g.glyph.top)) <= 4 * StartGlyphs::kMaxGlyphSide &&
               std::abs(std::int64_t(g.glyph.advance)) <= 4 * StartGlyphs::kMaxGlyphSide);
    std::string_view coverage = in.Take(std::size_t(g.glyph.width) * std::size_t(g.glyph.height));
    g.glyph.coverage.assign(coverage.begin(), coverage.end());
    return in.Ok();
}

bool ReadFont(Reader& in, std::size_t faces, StartGlyphs::Font& font) {
    font.face = in.String();
    in.Require(!font.face.empty() && font.face.size() < LF_FACESIZE &&
               font.face.find('\0') == std::string::npos);
    font.height = in.I32();
    font.weight = in.I32();
    in.Require(font.height >= -1000 && font.height <= 1000 && font.weight >= 0 && font.weight <= 1000);
    font.italic = in.Flag();
    font.underline = in.Flag();
    font.strikeOut = in.Flag();
    font.charSet = in.Byte();
    std::uint32_t count = in.Count(StartGlyphs::kMaxGlyphs);
    for (std::uint32_t i = 0; i < count && in.Ok(); ++i) {
        StartGlyphs::DrawnGlyph g;
        if (ReadGlyph(in, faces, i ? font.glyphs.back().codePoint : 0, i == 0, g))
            font.glyphs.push_back(std::move(g));
    }
    return in.Ok();
}

} // namespace

LOGFONT StartGlyphs::Font::LogFont() const {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = BYTE(italic);
    lf.lfUnderline = BYTE(underline);
    lf.lfStrikeOut = BYTE(strikeOut);
    lf.lfCharSet = BYTE(charSet);
    std::memcpy(lf.lfFaceName, face.data(), std::min(face.size(), std::size_t(LF_FACESIZE - 1)));
    return lf;
}

bool StartGlyphs::Parse(std::string_view bytes) {
    *this = StartGlyphs();
    Reader in(bytes);
    in.Require(bytes.size() <= kMaxFile && in.Take(kMagic.size()) == kMagic);
    StartGlyphs list;
    list.renderer = in.String();
    std::uint32_t faceCount = in.Count(kMaxFaces);
    for (std::uint32_t i = 0; i < faceCount && in.Ok(); ++i) {
        Face f;
        f.file = in.String();
        f.index = in.I32();
        f.mtimeNs = in.I64();
        f.size = in.I64();
        list.faces.push_back(std::move(f));
    }
    std::uint32_t fontCount = in.Count(kMaxFonts);
    for (std::uint32_t i = 0; i < fontCount && in.Ok(); ++i) {
        Font font;
        if (ReadFont(in, list.faces.size(), font)) list.fonts.push_back(std::move(font));
    }
    if (!in.AtEnd()) return false;
    *this = std::move(list);
    return true;
}

std::string StartGlyphs::Serialize() const {
    std::string out(kMagic);
    PutString(out, renderer);
    PutU32(out, std::uint32_t(faces.size()));
    for (const Face& f : faces) {
        PutString(out, f.file);
        PutU32(out, std::uint32_t(f.index));
        PutI64(out, f.mtimeNs);
        PutI64(out, f.size);
    }
    PutU32(out, std::uint32_t(fonts.size()));
    for (const Font& f : fonts) {
        PutString(out, f.face);
        PutU32(out, std::uint32_t(f.height));
        PutU32(out, std::uint32_t(f.weight));
        out += char(f.italic);
        out += char(f.underline);
        out += char(f.strikeOut);
        out += char(std::uint8_t(f.charSet));
        PutU32(out, std::uint32_t(f.glyphs.size()));
        for (const DrawnGlyph& g : f.glyphs) {
            PutU32(out, std::uint32_t(g.codePoint));
            PutU32(out, g.face);
            PutU32(out, std::uint32_t(g.glyph.left));
            PutU32(out, std::uint32_t(g.glyph.top));
            PutU32(out, std::uint32_t(g.glyph.advance));
            PutU32(out, std::uint32_t(g.glyph.width));
            PutU32(out, std::uint32_t(g.glyph.height));
            out.append(g.glyph.coverage.begin(), g.glyph.coverage.end());
        }
    }
    return out;
}

StartGlyphs ReadStartGlyphs(const std::string& path) {
    StartGlyphs glyphs;
    if (path.empty()) {
        return glyphs;
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::streamoff size = in ? std::streamoff(in.tellg()) : -1;
    if (size <= 0 || size > std::streamoff(StartGlyphs::kMaxFile)) { // tens of kilobytes when it is ours
        return glyphs;
    }
    std::string text(std::size_t(size), '\0');
    in.seekg(0);
    in.read(text.data(), size);
    text.resize(std::size_t(in.gcount()));
    glyphs.Parse(text);
    return glyphs;
}

void WriteStartGlyphs(const std::string& path, const StartGlyphs& glyphs) {
    if (path.empty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::path file(path);
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    std::string temp = path + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << glyphs.Serialize();
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            return;
        }
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
    }
}

void WarmGlyphs(FontEngine& engine, const StartGlyphs& glyphs) {
    const std::string renderer = engine.Renderer();
    if (renderer.empty() || glyphs.renderer != renderer)
        return; // other pixels: the first paint draws its own
    try {
        for (const StartGlyphs::Font& f : glyphs.fonts) {
            std::shared_ptr<FontInstance> font = engine.Resolve(f.LogFont());
            for (const StartGlyphs::DrawnGlyph& g : f.glyphs)
                engine.Adopt(*font, g.codePoint, glyphs.faces[g.face], g.glyph);
        }
    } catch (const std::exception&) {
    }
}

} // namespace gfx
