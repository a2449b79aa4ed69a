#include "skin/data/qvTextUtils.h"

#include "platform/gfx/DrawText.h"
#include "platform/gfx/TextOut.h"
#include "platform/gfx/Utf8.h"

namespace qv {

namespace {

constexpr std::string_view kEllipsis = "...";

// Removes the last code point of a UTF-8 text (a stray continuation byte counts as one).
void PopCodePoint(std::string& text) {
    if (!text.empty()) {
        text.erase(gfx::PreviousCodePointStart(text, text.size()));
    }
}

int ExtentWidth(HDC dc, std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32(dc, text.data(), int(text.size()), &size);
    return size.cx;
}

int ExtentHeight(HDC dc, std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32(dc, text.data(), int(text.size()), &size);
    return size.cy;
}

RECT Measure(HDC dc, std::string_view text) {
    RECT r{0, 0, 0, 0};
    DrawText(dc, text.data(), int(text.size()), &r, DT_CALCRECT);
    return r;
}

void DrawClippedAt(HDC dc, std::string_view text, const RECT& rect, int x) {
    if (text.empty()) {
        return;
    }
    const int h = rect.bottom - rect.top;
    const int y = rect.top + h / 2 - ExtentHeight(dc, text) / 2;
    ExtTextOut(dc, x, y, ETO_CLIPPED, &rect, text.data(), UINT(text.size()), nullptr);
}

} // namespace

void FitTextToWidth(std::string& text, int limit, const TqvTextMeasure& width) {
    if (width(text) <= limit) {
        return;
    }
    std::string candidate;
    while (!text.empty()) {
        PopCodePoint(text);
        candidate.assign(text).append(kEllipsis);
        if (width(candidate) <= limit) {
            break;
        }
    }
    text.append(kEllipsis);
}

void FitTextToWidth(HDC dc, std::string& text, int limit) {
    FitTextToWidth(text, limit, [dc](std::string_view s) { return ExtentWidth(dc, s); });
}

void FitWideTextToWidth(HDC dc, std::string& text, int limit) {
    FitTextToWidth(text, limit, [dc](std::string_view s) { return WideTextWidth(dc, s); });
}

int WideTextWidth(HDC dc, std::string_view text) {
    const RECT r = Measure(dc, text);
    return r.right - r.left;
}

int WideTextHeight(HDC dc, std::string_view text) {
    const RECT r = Measure(dc, text);
    return r.bottom - r.top;
}

int DrawWideText(HDC dc, std::string_view text, RECT& rect, UINT flags) {
    return DrawText(dc, text.data(), int(text.size()), &rect, flags);
}

void DrawTextVCentered(HDC dc, std::string_view text, const RECT& rect) {
    if (text.empty()) {
        return;
    }
    RECT r = rect;
    DrawText(dc, text.data(), int(text.size()), &r, DT_SINGLELINE | DT_VCENTER);
}

void DrawTextLeftVCentered(HDC dc, std::string_view text, const RECT& rect) {
    DrawClippedAt(dc, text, rect, rect.left + 2);
}

void DrawTextIndentVCentered(HDC dc, std::string_view text, const RECT& rect, int indent) {
    DrawClippedAt(dc, text, rect, rect.left + indent + 2);
}

} // namespace qv
