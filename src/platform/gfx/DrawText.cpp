#include "platform/gfx/DrawText.h"

#include "platform/gfx/TextOut.h"

#include <algorithm>
#include <cstring>

namespace gfx {
namespace {

struct Item {
    char32_t cp;
    bool marked; // the prefixed character: underlined
};
using Line = std::vector<Item>;

bool IsSpace(char32_t c) { return c == ' ' || c == 0x3000; }

// Ideographs and kana may break anywhere, as in the platform's line breaking for CJK text.
bool IsCjk(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

class Layout {
public:
    Layout(FontInstance& font, UINT format) : font_(font), format_(format) {
        tabWidth_ = std::max<LONG>(1, 8 * font.Metrics().tmAveCharWidth);
    }

    // Advance of each item of a line; tabs go to the next tab stop when expanded.
    std::vector<int> Advances(const Line& line) {
        std::vector<int> dx(line.size());
        int x = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            int a = 0;
            if (line[i].cp == '\t' && (format_ & DT_EXPANDTABS)) {
                a = (x / tabWidth_ + 1) * tabWidth_ - x;
            } else {
                a = font_.Advance(line[i].cp);
            }
            dx[i] = a;
            x += a;
        }
        return dx;
    }

    int Width(const Line& line) {
        int w = 0;
        for (int a : Advances(line)) {
            w += a;
        }
        return w;
    }

    std::vector<Line> Wrap(const Line& para, int maxWidth) {
        std::vector<Line> lines;
        std::size_t start = 0;
        const std::size_t n = para.size();
        while (true) {
            Line rest(para.begin() + std::ptrdiff_t(start), para.end());
            if (rest.empty() || Width(rest) <= maxWidth) {
                lines.push_back(std::move(rest));
                return lines;
            }
            std::vector<int> dx = Advances(rest);
            int x = 0;
            std::size_t lastBreak = 0, firstBreakAfter = 0;
            for (std::size_t i = 1; i <= rest.size(); ++i) {
                x += dx[i - 1];
                bool canBreak = i == rest.size() || BreakBetween(rest[i - 1].cp, rest[i].cp);
                if (!canBreak) {
                    continue;
                }
                int visible = x;
                for (std::size_t k = i; k > 0 && IsSpace(rest[k - 1].cp); --k) {
                    visible -= dx[k - 1]; // trailing spaces may hang past the edge
                }
                if (visible <= maxWidth) {
                    lastBreak = i;
                } else {
                    if (lastBreak == 0) {
                        firstBreakAfter = i; // a word too wide for the line keeps its own line
                    }
                    break;
                }
            }
            std::size_t cut = lastBreak ? lastBreak : (firstBreakAfter ? firstBreakAfter : rest.size());
            Line line(rest.begin(), rest.begin() + std::ptrdiff_t(cut));
            while (!line.empty() && IsSpace(line.back().cp)) {
                line.pop_back();
            }
            lines.push_back(std::move(line));
            start += cut;
            while (start < n && IsSpace(para[start].cp)) {
                ++start;
            }
            if (start >= n) {
                return lines;
            }
        }
    }

    // Cuts the line and appends "..." so that it fits maxWidth.
    void Ellipsize(Line& line, int maxWidth) {
        if (Width(line) <= maxWidth) {
            return;
        }
        const int dots = 3 * font_.Advance('.');
        while (!line.empty() && Width(line) + dots > maxWidth) {
            line.pop_back();
        }
        for (int i = 0; i < 3; ++i) {
            line.push_back(Item{'.', false});
        }
    }

private:
    static bool BreakBetween(char32_t a, char32_t b) {
        if (IsSpace(b)) {
            return false;
        }
        return IsSpace(a) || IsCjk(a) || IsCjk(b);
    }

    FontInstance& font_;
    UINT format_;
    int tabWidth_;
};

// Applies the prefix rules and splits into paragraphs.
std::vector<Line> Paragraphs(std::string_view text, UINT format) {
    std::vector<char32_t> cps = CodePoints(text);
    std::vector<Line> paras(1);
    bool prefix = !(format & DT_NOPREFIX);
    bool showMark = !(format & DT_HIDEPREFIX);
    for (std::size_t i = 0; i < cps.size(); ++i) {
        char32_t c = cps[i];
        if (c == '\r' || c == '\n') {
            if (format & DT_SINGLELINE) {
                continue;
            }
            if (c == '\r' && i + 1 < cps.size() && cps[i + 1] == '\n') {
                ++i;
            }
            paras.emplace_back();
            continue;
        }
        if (prefix && c == '&') {
            if (i + 1 >= cps.size()) {
                break; // a lone "&" at the end shows nothing
            }
            char32_t next = cps[++i];
            if (next == '&') {
                paras.back().push_back(Item{'&', false});
            } else if (next == '\r' || next == '\n') {
                --i; // the break is handled on the next round
            } else {
                paras.back().push_back(Item{next, showMark});
            }
            continue;
        }
        paras.back().push_back(Item{c, false});
    }
    return paras;
}

} // namespace
} // namespace gfx

int DrawText(HDC dc, const char* text, int count, RECT* rect, UINT format) {
    using namespace gfx;
    if (!dc || !rect || !text) {
        return 0;
    }
    std::string_view s = count < 0 ? std::string_view(text) : std::string_view(text, std::size_t(count));
    FontInstance& font = CurrentFont(*dc);
    const TEXTMETRIC& tm = font.Metrics();
    const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    const int boxWidth = RectWidth(*rect);
    Layout layout(font, format);

    std::vector<Line> lines;
    for (Line& para : Paragraphs(s, format)) {
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            for (Line& l : layout.Wrap(para, boxWidth)) {
                lines.push_back(std::move(l));
            }
        } else {
            lines.push_back(std::move(para));
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (Line& l : lines) {
            layout.Ellipsize(l, boxWidth);
        }
    }
    if (s.empty()) {
        lines.clear();
    }
    const int total = int(lines.size()) * lineHeight;
    int maxWidth = 0;
    for (const Line& l : lines) {
        maxWidth = std::max(maxWidth, layout.Width(l));
    }
    if (format & DT_CALCRECT) {
        rect->right = rect->left + maxWidth;
        rect->bottom = rect->top + total;
        return total;
    }
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            y = rect->top + (RectHeight(*rect) - lineHeight) / 2;
        } else if (format & DT_BOTTOM) {
            y = rect->bottom - lineHeight;
        }
    }
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
    for (const Line& line : lines) {
        std::vector<int> dx = layout.Advances(line);
        int width = 0;
        for (int a : dx) {
            width += a;
        }
        int x = rect->left;
        if (format & DT_CENTER) {
            x = rect->left + (boxWidth - width) / 2;
        } else if (format & DT_RIGHT) {
            x = rect->right - width;
        }
        if (dc->BkMode() == 2 /* OPAQUE */) {
            RECT cell{x, y, x + width, y + lineHeight};
            dc->FillSolid(clip ? IntersectRect(cell, *clip) : cell, dc->BkColor());
        }
        std::vector<char32_t> cps(line.size());
        TextRunStyle style;
        for (std::size_t i = 0; i < line.size(); ++i) {
            cps[i] = line[i].cp == '\t' ? U' ' : line[i].cp;
            if (line[i].marked && style.underlineFrom < 0) {
                style.underlineFrom = int(i);
            }
        }
        DrawTextRun(*dc, font, x, y, cps, dx.data(), clip, style);
        y += lineHeight;
    }
    return y - rect->top;
}
