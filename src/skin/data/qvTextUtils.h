#pragma once
// Text helpers of the skin engine: shortening a caption with "..." to fit a width, measuring and
// drawing text centred vertically in a rectangle. Text is UTF-8; the "wide" forms take the same
// strings (the platform's text is Unicode throughout) and exist because the form skin and the
// menus name them.

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

} // namespace qv
