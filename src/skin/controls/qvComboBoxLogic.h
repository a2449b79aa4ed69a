#pragma once
// The parts of the skinned combo box that need no window: where the text area and the drop
// button go, what a navigation key does to the current item, the type-ahead search text, and
// where the drop-down list opens.

#include "platform/gfx/WinTypes.h"

#include <cstdint>
#include <string>

namespace qv {

// What CalcRects knows about the bound skin record.
struct TqvComboSkinMetrics {
    bool bound = false;
    RECT skinrect{};
    RECT clientrect{};
    POINT righttoppoint{};
    RECT buttonrect{};
};

struct TqvComboRects {
    RECT dropButton{};
    RECT itemArea{};
};

TqvComboRects ComboCalcRects(const TqvComboSkinMetrics& skin, int width, int height,
                             bool toolButtonStyle, bool useSkinSize);

// The edit of the edit style, centred vertically in the text area at the font's height.
RECT ComboEditBounds(const RECT& itemArea, int textHeight);

// What a key pressed in the box asks for.
enum class TqvComboKeyAction { None, SelectIndex, DropDown, CloseAccept, CloseCancel };

struct TqvComboKeyResult {
    TqvComboKeyAction action = TqvComboKeyAction::None;
    int index = -1; // for SelectIndex
};

// key: a virtual-key code; alt: the Alt key is held; index: the current item (-1 for none).
TqvComboKeyResult ComboKeyAction(WORD key, bool alt, bool droppedDown, int index, int count,
                                 int dropDownCount);

// The characters typed for type-ahead and the tick of the last search. The prefix is kept while
// keys follow each other within kResetMs; a search text of one code point searches from the item
// after the current one, a longer one from the first item.
class TqvTypeAhead {
public:
    static constexpr std::uint32_t kResetMs = 500;
    // The text to search for after typing `ch` (UTF-8 of one code point) at tick `now`.
    std::string Type(const std::string& ch, std::uint32_t now, bool autoComplete);
    // The item after which the search starts (-1: from the first item).
    static int SearchStart(const std::string& text, int current);
    const std::string& TypedPrefix() const { return prefix_; }
    std::uint32_t LastSearchTime() const { return last_; }
    void SetLastSearchTime(std::uint32_t t) { last_ = t; }

private:
    std::string prefix_;
    std::uint32_t last_ = 0;
};

// Number of code points in UTF-8 text (selection starts and lengths count them).
int CodePointLength(const std::string& text);

// Top-left of the drop-down list in screen coordinates: under the box, or above it when the list
// would cross the bottom of the work area. The horizontal position is never changed.
POINT ComboListPosition(const RECT& boxOnScreen, int listHeight, const RECT& workArea);

} // namespace qv
