#pragma once
// Text helpers of the skin engine: shortening a caption with "..." to fit a width, measuring and
// drawing text centred vertically in a rectangle. Text is UTF-8; the "wide" forms take the same
// strings (the platform's text is Unicode throughout) and exist because the form skin and the
// menus name them: they measure with DrawText where the plain forms use the text extent.

#include "platform/gfx/DCApi.h"
#include "platform/gfx/DrawText.h"

#include <functional>
#include <string>
#include <string_view>

namespace qv {

// Width in pixels of a text as some font draws it.
using TqvTextMeasure = std::function<int(std::string_view)>;

// Leaves text alone when it fits within limit; otherwise removes code points from its end until
// the rest followed by "..." fits (or nothing is left) and appends "...". So a limit narrower than
// "..." itself gives "...".
void FitTextToWidth(std::string& text, int limit, const TqvTextMeasure& width);
// The same measured in the DC's font (its text extent).
void FitTextToWidth(HDC dc, std::string& text, int limit);
// The same measured with WideTextWidth.
void FitWideTextToWidth(HDC dc, std::string& text, int limit);

// Size of a text laid out by DrawText with DT_CALCRECT from an empty rectangle (line breaks
// count, words are not wrapped).
int WideTextWidth(HDC dc, std::string_view text);
int WideTextHeight(HDC dc, std::string_view text);
// DrawText with the rectangle and flags as given (DT_CALCRECT updates rect); returns its result.
int DrawWideText(HDC dc, std::string_view text, RECT& rect, UINT flags);

// A non-empty text on one line, centred vertically in rect (DT_SINGLELINE | DT_VCENTER).
void DrawTextVCentered(HDC dc, std::string_view text, const RECT& rect);
// A non-empty text clipped to rect at x = left + 2, vertically centred by its extent.
void DrawTextLeftVCentered(HDC dc, std::string_view text, const RECT& rect);
// The same at x = left + indent + 2.
void DrawTextIndentVCentered(HDC dc, std::string_view text, const RECT& rect, int indent);

} // namespace qv
