#include "framework/Menus.h"

#include "framework/TextUtils.h"

#include <algorithm>

namespace vcl {

namespace {

struct KeyName {
    std::uint16_t key;
    const char* name;
};

// Names of the keys a shortcut can carry, by virtual-key code.
constexpr KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

std::string KeyToText(std::uint16_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::string(1, char(key));
    }
    if (key >= 0x70 && key <= 0x87) { // VK_F1 .. VK_F24
        return "F" + std::to_string(key - 0x70 + 1);
    }
    for (const auto& k : kKeyNames) {
        if (k.key == key) {
            return k.name;
        }
    }
    return {};
}

std::uint16_t TextToKey(const std::string& text) {
    if (text.size() == 1) {
        char c = char(ToUpperCodePoint(char32_t(static_cast<unsigned char>(text[0]))));
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
            return std::uint16_t(c);
        }
    }
    for (std::uint16_t key = 0x70; key <= 0x87; ++key) {
        if (SameText(KeyToText(key), text)) {
            return key;
        }
    }
    for (const auto& k : kKeyNames) {
        if (SameText(k.name, text)) {
            return k.key;
        }
    }
    return 0;
}

} // namespace

TShortCut ShortCut(std::uint16_t key, unsigned shiftState) {
    return TShortCut((key & 0xFF) | (shiftState & (scShift | scCtrl | scAlt)));
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string key = KeyToText(std::uint16_t(shortCut & 0xFF));
    if (key.empty()) {
        return {};
    }
    std::string text;
    if (shortCut & scShift) {
        text += "Shift+";
    }
    if (shortCut & scCtrl) {
        text += "Ctrl+";
    }
    if (shortCut & scAlt) {
        text += "Alt+";
    }
    return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
    unsigned shift = 0;
    std::string_view rest = text;
    for (;;) {
        auto plus = rest.find('+');
        if (plus == std::string_view::npos || plus + 1 >= rest.size()) {
            break;
        }
        std::string_view mod = rest.substr(0, plus);
        if (SameText(mod, "Shift")) {
            shift |= scShift;
        } else if (SameText(mod, "Ctrl")) {
            shift |= scCtrl;
        } else if (SameText(mod, "Alt")) {
            shift |= scAlt;
        } else {
            return scNone;
        }
        rest.remove_prefix(plus + 1);
    }
    std::uint16_t key = TextToKey(std::string(rest));
    return key == 0 ? scNone : ShortCut(key, shift);
}

char32_t GetHotkey(const std::string& caption) {
    std::size_t pos = 0;
    while (pos < caption.size()) {
        char32_t cp = NextCodePoint(caption, pos);
        if (cp != '&' || pos >= caption.size()) {
            continue;
        }
        std::size_t next = pos;
        char32_t key = NextCodePoint(caption, next);
        if (key == '&') {
            pos = next; // a literal ampersand
            continue;
        }
        return ToLowerCodePoint(key);
    }
    return 0;
}

bool IsAccel(char32_t charCode, const std::string& caption) {
    char32_t hotkey = GetHotkey(caption);
    return hotkey != 0 && hotkey == ToLowerCodePoint(charCode);
}

std::string StripHotkey(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

// --- TMenuItem ---

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    OnChange = nullptr;
    Clear();
    if (parent_ != nullptr) {
        parent_->Remove(this);
    }
}

void TMenuItem::Changed() {
    for (TMenuItem* item = this; item != nullptr; item = item->parent_) {
        if (item->OnChange) {
            item->OnChange(this);
            break;
        }
    }
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption != caption_) {
        caption_ = caption;
        Changed();
    }
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut != shortCut_) {
        shortCut_ = shortCut;
        Changed();
    }
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Changed();
    }
}

void TMenuItem::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        Changed();
    }
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    if (checked && radioItem_) {
        TurnSiblingsOff();
    }
    Changed();
}

void TMenuItem::TurnSiblingsOff() {
    if (parent_ == nullptr) {
        return;
    }
    for (TMenuItem* sibling : parent_->items_) {
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ &&
            sibling->checked_) {
            sibling->checked_ = false;
            sibling->Changed();
        }
    }
}

void TMenuItem::SetRadioItem(bool radio) {
    if (radio != radioItem_) {
        radioItem_ = radio;
        if (radio && checked_) {
            TurnSiblingsOff();
        }
        Changed();
    }
}

void TMenuItem::SetGroupIndex(int index) {
    if (index != groupIndex_) {
        groupIndex_ = index;
        if (radioItem_ && checked_) {
            TurnSiblingsOff();
        }
        Changed();
    }
}

void TMenuItem::SetDefault(bool on) {
    if (on == default_) {
        return;
    }
    if (on && parent_ != nullptr) {
        for (TMenuItem* sibling : parent_->items_) {
            sibling->default_ = false;
        }
    }
    default_ = on;
    Changed();
}

void TMenuItem::SetImageIndex(int index) {
    if (index != imageIndex_) {
        imageIndex_ = index;
        Changed();
    }
}

void TMenuItem::SetBitmap(TBitmap* bitmap) {
    bitmap_ = bitmap;
    Changed();
}

int TMenuItem::MenuIndex() const { return parent_ == nullptr ? -1 : parent_->IndexOf(this); }

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr) {
        return;
    }
    if (item->parent_ != nullptr) {
        throw EInvalidOperation("Menu inserted twice");
    }
    if (index < 0 || index > Count()) {
        throw EListError("Menu index out of range");
    }
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->radioItem_ && item->checked_) {
        item->TurnSiblingsOff();
    }
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) {
        throw EInvalidOperation("Sub-menu is not in menu");
    }
    items_.erase(it);
    item->parent_ = nullptr;
    Changed();
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) {
        throw EListError("Menu index out of range");
    }
    delete items_[std::size_t(index)]; // its destructor detaches it
}

void TMenuItem::Clear() {
    while (!items_.empty()) {
        delete items_.back();
    }
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_) {
        if (SameText(StripHotkey(item->caption_), wanted)) {
            return item;
        }
    }
    return nullptr;
}

int TMenuItem::VisibleCount() const {
    return int(std::count_if(items_.begin(), items_.end(), [](const TMenuItem* i) { return i->visible_; }));
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) {
        // Copy first: the handler may free this item together with its menu.
        TNotifyEvent handler = OnClick;
        handler(this);
    }
}

TMenuItem* TMenuItem::AddItem(const std::string& caption, TNotifyEvent onClick, TShortCut shortCut) {
    auto* item = new TMenuItem(Owner());
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    item->SetShortCut(shortCut);
    Add(item);
    return item;
}

// --- TMenu ---

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {}

TMenu::~TMenu() { delete items_; }

void TMenu::SetImages(TComponent* images) {
    images_ = images;
    if (images != nullptr) {
        FreeNotification(images);
    }
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && images_ == component) {
        images_ = nullptr;
    }
}

namespace {

TMenuItem* FindByShortCut(TMenuItem* item, TShortCut shortCut) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (!child->Visible() || !child->Enabled()) {
            continue;
        }
        if (child->ShortCut() == shortCut && shortCut != scNone) {
            return child;
        }
        if (TMenuItem* found = FindByShortCut(child, shortCut)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const { return FindByShortCut(items_, shortCut); }

bool TMenu::IsShortCut(TShortCut shortCut) {
    TMenuItem* item = FindItemByShortCut(shortCut);
    if (item == nullptr) {
        return false;
    }
    item->Click();
    return true;
}

// --- TPopupMenu ---

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
    popupPoint_ = POINT{x, y};
    if (OnPopup) {
        OnPopup(this);
    }
    if (PopupPresenter) {
        PopupPresenter(this, popupPoint_);
    }
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_) {
        popupComponent_ = nullptr;
    }
}

} // namespace vcl
