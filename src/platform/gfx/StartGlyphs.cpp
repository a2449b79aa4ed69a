#include "platform/gfx/StartGlyphs.h"

#include "platform/gfx/FontEngine.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace gfx {
namespace {

constexpr std::string_view kHeader = "iislog-start-glyphs 1";

std::vector<std::string_view> Split(std::string_view line, char sep) {
    std::vector<std::string_view> out;
    for (;;) {
        std::size_t at = line.find(sep);
        out.push_back(line.substr(0, at));
        if (at == std::string_view::npos) {
            return out;
        }
        line.remove_prefix(at + 1);
    }
}

bool Number(std::string_view s, int base, long long low, long long high, long long& out) {
    if (s.empty()) {
        return false;
    }
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out, base);
    return ec == std::errc() && end == s.data() + s.size() && out >= low && out <= high;
}

bool ParseFont(std::string_view line, StartGlyphs::Font& font) {
    std::vector<std::string_view> f = Split(line, '\t');
    if (f.size() != 9 || f[0] != "font" || f[1].empty() || f[1].size() >= LF_FACESIZE ||
        f[1].find('\0') != std::string_view::npos) {
        return false;
    }
    long long v[6];
    if (!Number(f[2], 10, -1000, 1000, v[0]) || !Number(f[3], 10, 0, 1000, v[1]) ||
        !Number(f[4], 10, 0, 1, v[2]) || !Number(f[5], 10, 0, 1, v[3]) ||
        !Number(f[6], 10, 0, 1, v[4]) || !Number(f[7], 10, 0, 255, v[5])) {
        return false;
    }
    font.face = std::string(f[1]);
    font.height = int(v[0]);
    font.weight = int(v[1]);
    font.italic = v[2] != 0;
    font.underline = v[3] != 0;
    font.strikeOut = v[4] != 0;
    font.charSet = int(v[5]);
    if (f[8].empty()) {
        return true;
    }
    std::vector<std::string_view> points = Split(f[8], ',');
    if (points.size() > StartGlyphs::kMaxCodePoints) {
        return false;
    }
    for (std::string_view p : points) {
        long long cp = 0;
        if (p.size() > 6 || !Number(p, 16, 0, 0x10FFFF, cp)) {
            return false;
        }
        font.codePoints.push_back(char32_t(cp));
    }
    return true;
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

bool StartGlyphs::Parse(std::string_view text) {
    fonts.clear();
    std::vector<std::string_view> lines = Split(text, '\n');
    if (lines.empty() || lines[0] != kHeader) {
        return false;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty() && i + 1 == lines.size()) {
            break; // the last line's break
        }
        Font font;
        if (fonts.size() == kMaxFonts || !ParseFont(lines[i], font)) {
            fonts.clear();
            return false;
        }
        fonts.push_back(std::move(font));
    }
    return true;
}

std::string StartGlyphs::Serialize() const {
    std::string out(kHeader);
    out += '\n';
    char hex[16];
    for (const Font& f : fonts) {
        out += "font\t" + f.face + '\t' + std::to_string(f.height) + '\t' + std::to_string(f.weight) + '\t' +
               (f.italic ? "1" : "0") + '\t' + (f.underline ? "1" : "0") + '\t' + (f.strikeOut ? "1" : "0") +
               '\t' + std::to_string(f.charSet) + '\t';
        for (std::size_t i = 0; i < f.codePoints.size(); ++i) {
            std::snprintf(hex, sizeof hex, i ? ",%x" : "%x", unsigned(f.codePoints[i]));
            out += hex;
        }
        out += '\n';
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
    if (size <= 0 || size > std::streamoff(1) << 20) { // a few kilobytes when it is ours
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

StartGlyphs FontEngine::RenderedGlyphsOf(const std::map<std::string, std::shared_ptr<FontInstance>>& instances) {
    StartGlyphs out;
    for (const auto& [key, instance] : instances) {
        const LOGFONT& lf = instance->logFont_;
        StartGlyphs::Font f;
        f.face = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
        if (f.face.empty() || f.face.find_first_of("\t\n") != std::string::npos || instance->glyphs_.empty()) {
            continue; // nothing drawn, or a name the file cannot hold
        }
        f.height = std::clamp<int>(lf.lfHeight, -1000, 1000);
        f.weight = std::clamp<int>(lf.lfWeight, 0, 1000);
        f.italic = lf.lfItalic != 0;
        f.underline = lf.lfUnderline != 0;
        f.strikeOut = lf.lfStrikeOut != 0;
        f.charSet = lf.lfCharSet;
        for (const auto& [cp, glyph] : instance->glyphs_) {
            f.codePoints.push_back(cp);
        }
        std::sort(f.codePoints.begin(), f.codePoints.end());
        f.codePoints.resize(std::min(f.codePoints.size(), StartGlyphs::kMaxCodePoints));
        out.fonts.push_back(std::move(f));
        if (out.fonts.size() == StartGlyphs::kMaxFonts) {
            break;
        }
    }
    return out;
}

void WarmGlyphs(FontEngine& engine, const StartGlyphs& glyphs) {
    try {
        for (const StartGlyphs::Font& f : glyphs.fonts) {
            std::shared_ptr<FontInstance> font = engine.Resolve(f.LogFont());
            for (char32_t cp : f.codePoints) {
                font->GlyphFor(cp);
            }
        }
    } catch (const std::exception&) {
    }
}

} // namespace gfx
