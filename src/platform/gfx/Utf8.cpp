#include "platform/gfx/Utf8.h"

namespace gfx {

std::vector<CodePoint> DecodeUtf8(std::string_view s) {
    std::vector<CodePoint> out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        char32_t cp = 0xFFFD;
        if (len == 1) {
            cp = b;
        } else if (len > 1 && i + len <= s.size()) {
            cp = b & (0xFF >> (len + 1));
            bool ok = true;
            for (std::size_t k = 1; k < len; ++k) {
                auto c = static_cast<unsigned char>(s[i + k]);
                if ((c & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (c & 0x3F);
            }
            // Overlong forms, surrogates and values past U+10FFFF are malformed too.
            static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
            if (!ok || cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
                cp = 0xFFFD;
                len = 0;
            }
        } else {
            len = 0;
        }
        if (len == 0) {
            out.push_back(CodePoint{0xFFFD, i, 1});
            ++i;
            continue;
        }
        out.push_back(CodePoint{cp, i, len});
        i += len;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

} // namespace gfx
