#pragma once
// Menu data: items with captions, shortcuts, check and radio state and sub-items, and the popup
// menu component that holds a tree of them. Nothing here draws: the skinned menus read these
// items and show them in windows of their own, then run Click on the chosen one.

#include "framework/Component.h"
#include "framework/Events.h"
#include "platform/gfx/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vcl {

class TBitmap;

// A key with modifiers: the virtual-key code in the low byte, scShift / scCtrl / scAlt above.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(std::uint16_t key, unsigned shiftState);
// "Ctrl+S", "Shift+Alt+F4", "Del"; empty for scNone.
std::string ShortCutToText(TShortCut shortCut);
// The inverse of ShortCutToText (modifier names without regard to case); scNone when unknown.
TShortCut TextToShortCut(const std::string& text);

// The "&x" accelerator letter of a caption, lower-cased; 0 when it has none ("&&" is a literal &).
char32_t GetHotkey(const std::string& caption);
// The caption without accelerator marks ("&&" becomes "&").
std::string StripHotkey(const std::string& caption);
// True when the character (any letter case) is the caption's accelerator, the one after "&".
bool IsAccel(char32_t charCode, const std::string& caption);

class TMenuItem;
using TMenuItemNotify = std::function<void(TMenuItem* item)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // A caption of "-" makes a separator.
    bool IsLine() const { return caption_ == "-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Checking a radio item unchecks the other radio items of its group among its siblings.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Default() const { return default_; }
    void SetDefault(bool on);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    // An optional glyph shown instead of an image-list image; not owned by the item.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* bitmap);

    // Sub-items, owned by this item.
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(std::size_t(index)); }
    TMenuItem* operator[](int index) const { return Items(index); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Detaches without freeing; the caller owns the item afterwards.
    void Remove(TMenuItem* item);
    // Frees the sub-item at index.
    void Delete(int index);
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Find(const std::string& caption) const;
    // Number of visible sub-items.
    int VisibleCount() const;

    // Runs OnClick (when enabled). The handler may free the item's menu.
    virtual void Click();

    // Convenience for building menus in code.
    TMenuItem* AddItem(const std::string& caption, TNotifyEvent onClick = {}, TShortCut shortCut = scNone);

    TNotifyEvent OnClick;
    // Told whenever the item or a sub-item changes, so an open menu can refresh.
    TMenuItemNotify OnChange;

protected:
    void Changed();

private:
    void TurnSiblingsOff();

    std::string caption_;
    std::string hint_;
    TShortCut shortCut_ = scNone;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool radioItem_ = false;
    bool default_ = false;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    TBitmap* bitmap_ = nullptr;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };
using enum TPopupAlignment;

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_; }
    // The image list of the items (a TCustomImageList; held as a component so this unit does
    // not depend on the image-list unit). Not owned; cleared when it is freed.
    TComponent* Images() const { return images_; }
    void SetImages(TComponent* images);

    // The item (at any depth) whose shortcut is shortCut and that is enabled and visible.
    TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
    // Runs the click of the item with that shortcut; true when one ran.
    bool IsShortCut(TShortCut shortCut);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* items_;
    TComponent* images_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool on) { autoPopup_ = on; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment a) { alignment_ = a; }
    // The component that asked for the menu last (a control's context menu sets it).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* c) { popupComponent_ = c; }
    POINT PopupPoint() const { return popupPoint_; }

    // Fires OnPopup and then shows the menu at the screen point through the presenter the skin
    // layer installs (PopupPresenter); without one nothing is shown.
    virtual void Popup(int x, int y);

    TNotifyEvent OnPopup;

    // Shows a popup menu at a screen point; set by whatever draws menus.
    using Presenter = std::function<void(TPopupMenu* menu, POINT at)>;
    Presenter PopupPresenter;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
    TComponent* popupComponent_ = nullptr;
    POINT popupPoint_{};
};

} // namespace vcl
