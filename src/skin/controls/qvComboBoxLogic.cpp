#include "skin/controls/qvComboBoxLogic.h"

#include "platform/gfx/Utf8.h"
#include "platform/ui/UserTypes.h"

#include <algorithm>

namespace qv {
namespace {

int W(const RECT& r) { return r.right - r.left; }
int H(const RECT& r) { return r.bottom - r.top; }

} // namespace

TqvComboRects ComboCalcRects(const TqvComboSkinMetrics& skin, int width, int height, bool toolButtonStyle,
                             bool useSkinSize) {
    TqvComboRects r;
    if (!skin.bound || toolButtonStyle) {
        r.dropButton = RECT{width - 19, 2, width - 2, height - 2};
        r.itemArea = RECT{2, 2, r.dropButton.left - 1, height - 2};
        return r;
    }
    const int dw = width - W(skin.skinrect);
    r.dropButton = skin.buttonrect;
    // A button in the right-hand fixed part stays at the right edge as the box grows.
    if (r.dropButton.left >= W(skin.skinrect) - skin.righttoppoint.x) {
        r.dropButton = OffsetRect(r.dropButton, dw, 0);
    }
    r.itemArea = skin.clientrect;
    r.itemArea.right += dw;
    if (!useSkinSize) {
        const int dh = height - H(skin.skinrect);
        r.dropButton.bottom += dh;
        r.itemArea.bottom += dh;
    }
    return r;
}

RECT ComboEditBounds(const RECT& itemArea, int textHeight) {
    int top = itemArea.top + H(itemArea) / 2 - textHeight / 2;
    return RECT{itemArea.left, top, itemArea.right, top + textHeight};
}

TqvComboKeyResult ComboKeyAction(WORD key, bool alt, bool droppedDown, int index, int count,
                                 int dropDownCount) {
    using enum TqvComboKeyAction;
    auto select = [](int i) { return TqvComboKeyResult{SelectIndex, i}; };
    switch (key) {
    case VK_RETURN: return droppedDown ? TqvComboKeyResult{CloseAccept} : TqvComboKeyResult{};
    case VK_ESCAPE: return droppedDown ? TqvComboKeyResult{CloseCancel} : TqvComboKeyResult{};
    case VK_PRIOR:
        // The two page keys keep their established, unequal steps: DropDownCount + 1 rows up,
        // DropDownCount - 1 rows down.
        return count > 0 ? select(std::max(0, index - dropDownCount - 1)) : TqvComboKeyResult{};
    case VK_NEXT:
        return count > 0 ? select(std::min(count - 1, index + dropDownCount - 1)) : TqvComboKeyResult{};
    case VK_LEFT:
    case VK_UP:
        if (alt) {
            return droppedDown ? TqvComboKeyResult{CloseCancel} : TqvComboKeyResult{};
        }
        return index > 0 ? select(index - 1) : TqvComboKeyResult{};
    case VK_RIGHT:
    case VK_DOWN:
        if (alt) {
            return droppedDown ? TqvComboKeyResult{} : TqvComboKeyResult{DropDown};
        }
        return index < count - 1 ? select(index + 1) : TqvComboKeyResult{};
    default: return {};
    }
}

std::string TqvTypeAhead::Type(const std::string& ch, std::uint32_t now, bool autoComplete) {
    if (!autoComplete) {
        return ch;
    }
    // Unsigned subtraction stays right across the wrap of the tick counter.
    if (now - last_ >= kResetMs) {
        prefix_.clear();
    }
    last_ = now;
    prefix_ += ch;
    return prefix_;
}

bool TqvTypeAhead::TakeCompletion(std::uint32_t now) {
    if (!CompletionDue(now)) {
        return false;
    }
    last_ = now;
    return true;
}

int TqvTypeAhead::SearchStart(const std::string& text, int current) {
    return CodePointLength(text) == 1 ? current : -1;
}

bool IsInputMethodCharset(int charset) { return charset == 128 || charset == 134 || charset == 136; }

TqvEditKeyUpAction ComboEditKeyUp(int charset, bool sysKey, bool ctrlHeld, WORD key) {
    if (ctrlHeld) {
        return {};
    }
    if (IsInputMethodCharset(charset)) {
        // Releasing a modifier after a character would otherwise remove the tail that the
        // character's own completion just selected.
        const bool modifier = key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU ||
                              (key >= VK_LSHIFT && key <= VK_RMENU);
        if (key == VK_DELETE || key == VK_BACK || modifier) {
            return {};
        }
        return TqvEditKeyUpAction{true, true};
    }
    if (sysKey || key <= 0x2F) {
        return {};
    }
    return TqvEditKeyUpAction{false, true};
}

TqvCompletedTail CompletedTail(const std::string& typed, const std::string& completed) {
    const int start = CodePointLength(typed);
    return TqvCompletedTail{start, std::max(CodePointLength(completed) - start, 0)};
}

int ComboStepIndex(int index, int count, int delta) {
    if (delta < 0) {
        return index > 0 && index - 1 < count ? index - 1 : -1;
    }
    return index < count - 1 ? index + 1 : -1;
}

int CodePointLength(const std::string& text) { return int(gfx::ToCodePoints(text).size()); }

POINT ComboListPosition(const RECT& boxOnScreen, int listHeight, const RECT& workArea) {
    POINT p{boxOnScreen.left, boxOnScreen.bottom};
    if (p.y + listHeight > workArea.bottom) {
        p.y -= H(boxOnScreen) + listHeight;
    }
    return p;
}

} // namespace qv
