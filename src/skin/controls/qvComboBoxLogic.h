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

TqvComboRects ComboCalcRects(const TqvComboSkinMetrics& skin, int width, int height, bool toolButtonStyle,
                             bool useSkinSize);

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

    // Auto-completion in the edit of the edit style shares the tick of the last search: it runs
    // only when more than kCompleteGateMs passed since then, and then takes the tick.
    static constexpr std::uint32_t kCompleteGateMs = 200;
    bool CompletionDue(std::uint32_t now) const { return now - last_ > kCompleteGateMs; }
    bool TakeCompletion(std::uint32_t now);

private:
    std::string prefix_;
    std::uint32_t last_ = 0;
};

// What a key released in the edit of the edit style asks of auto-completion. Input method
// charsets (SHIFTJIS, GB2312, CHINESEBIG5) complete after every key but Delete, Backspace and the
// modifiers, first removing the tail the last completion selected; other charsets complete after
// keys above 0x2F (characters, not control or navigation keys) and never after a system key.
// A key released while Ctrl is held was a command (Ctrl+A, Ctrl+C), not typing: it never
// completes, which would replace the selection it just made.
struct TqvEditKeyUpAction {
    bool clearSelection = false;
    bool complete = false;
};
bool IsInputMethodCharset(int charset);
TqvEditKeyUpAction ComboEditKeyUp(int charset, bool sysKey, bool ctrlHeld, WORD key);

// The virtual key that stands for a character which arrived without a key of its own (text
// committed by an input method, or a synthetic key): VK_PACKET.
constexpr WORD kTextOnlyKey = 0xE7;

// The part of `completed` that a completion of `typed` selects, in code points.
struct TqvCompletedTail {
    int start = 0;
    int length = 0;
};
TqvCompletedTail CompletedTail(const std::string& typed, const std::string& completed);

// The item the previous (delta -1) or next (delta +1) key moves to, or -1 when it stays.
int ComboStepIndex(int index, int count, int delta);

// Number of code points in UTF-8 text (selection starts and lengths count them).
int CodePointLength(const std::string& text);

// Top-left of the drop-down list in screen coordinates: under the box, or above it when the list
// would cross the bottom of the work area. The horizontal position is never changed.
POINT ComboListPosition(const RECT& boxOnScreen, int listHeight, const RECT& workArea);

} // namespace qv
