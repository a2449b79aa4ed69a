#pragma once
// Skinned popup menus. The framework's menu items (vcl::TMenuItem trees) are shown in top-level
// windows of our own, drawn from the skin's [POPUPWINDOW] picture and its [menuitem] record, or in
// a plain built-in look without a skin. The windows never take the activation: the form keeps the
// keyboard focus, and while a menu is open an application-wide message filter hands the keys to
// it (and swallows the mouse wheel).
//
// - TqvSkinMenu: the menu engine. One per form skin (and one per popup-menu component that finds
//   no form skin); it owns the stack of open popup windows, one per menu level.
// - TqvSkinPopupWindow: one open level: its items, size, place, painting, scrolling and mouse.
// - TqvSkinMenuItem: one visible item of a level.
// - TqvSkinPopupMenu: a popup-menu component that shows its items through the engine of the
//   form skin on its form.
//
// A control's skinned context menu (what the combo box's edit and the memo do):
//
//     auto* menu = new qv::TqvSkinPopupMenu(this);          // owned by the control
//     menu->Items()->AddItem("Cu&t", [this](vcl::TObject*) { CutToClipboard(); },
//                            vcl::ShortCut('X', vcl::scCtrl));
//     menu->Items()->AddItem("-");                           // a separator
//     SetPopupMenu(menu);           // a right-button release calls menu->Popup(x, y), or:
//     menu->PopupFor(this, screenX, screenY);
//
// Item states (Enabled, Visible, Checked) are read when the menu opens, so set them in OnPopup.
// The chosen item's OnClick runs after the menu closed; then the asking control receives
// QVM_SKIN_MENU_COMMAND_DONE (1229). Every close sends QVM_SKIN_MENU_CLOSED (1228) to the form
// and to the asking control.

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/WinTypes.h"
#include "skin/data/qvSkinData.h"

#include <functional>
#include <memory>
#include <vector>

namespace qv {

class TqvSkinMenu;
class TqvSkinPopupWindow;
class TqvVeltrane;

// Where a popup of w x h goes for the anchor rectangle r inside the work area wa (screen
// coordinates). Submenus line their first item up with the parent item (itemsTop is the
// distance of the items from the popup's top); popups that cannot go below or above the
// anchor, scrolling popups and submenus go beside it.
POINT PlaceMenuPopup(const RECT& r, const RECT& wa, int w, int h, bool submenu, bool scrolling, bool popupUp,
                     int itemsTop);

class TqvSkinMenuItem {
public:
    TqvSkinMenuItem(TqvSkinPopupWindow* popup, vcl::TMenuItem* source);

    TqvSkinPopupWindow* Popup;
    // The item record, or nullptr for the built-in look (also when its picture is missing).
    const TqvDataSkinMenuItem* ItemSkin = nullptr;
    const gfx::Bitmap* ItemPicture = nullptr;
    vcl::TMenuItem* SourceItem;
    RECT ItemRect{};
    bool Selected = false;
    bool SubmenuOpen = false;
    bool ItemVisible = true;
    // The item was highlighted when its level opened; a first mouse move over it does not
    // select it again.
    bool OpenedHighlight = false;
    double MorphFactor = 0;
    int AnimFrame = 0;

    bool IsSeparator() const { return SourceItem->IsLine(); }
    bool Enabled() const { return SourceItem->Enabled(); }
    // A disabled item whose caption starts and ends with "-" (but is not a separator).
    bool IsHeader() const;
    bool HasChildren() const { return SourceItem->VisibleCount() > 0; }
    bool Active() const { return Selected || SubmenuOpen; }
    bool Selectable() const { return Enabled() && !IsSeparator(); }
    int Height() const;
    bool Morphs() const;
    bool Animates() const;

    // Draws the item at its ItemRect onto dc (the popup's bitmap or its window).
    void Draw(HDC dc);

private:
    void DrawBuiltIn(HDC dc, int w, int h);
    void DrawSkinned(HDC dc, int w, int h);
    void DrawSkinBackground(HDC dc, int w, int h, bool active);
    void DrawGlyphOrImage(HDC dc, int x, int y, int cx, int cy, COLORREF color, bool active);
    void DrawHeader(HDC dc, int w, int h);
};

class TqvSkinPopupWindow {
public:
    static constexpr UINT kPollTimer = 1;
    static constexpr UINT kAnimTimer = 2;
    static constexpr UINT kScrollTimer = 3;
    static constexpr UINT kFadeTimer = 4;
    static constexpr UINT kPollInterval = 50;
    static constexpr UINT kScrollInterval = 100;
    static constexpr UINT kMorphInterval = 20;
    static constexpr UINT kFadeInterval = 5;
    static constexpr int kFadeStep = 10;
    static constexpr int kMarkerHeight = 10;

    TqvSkinPopupWindow(TqvSkinMenu* menu, int level, const TqvDataSkinPopupWindow* windowSkin);
    ~TqvSkinPopupWindow();
    TqvSkinPopupWindow(const TqvSkinPopupWindow&) = delete;
    TqvSkinPopupWindow& operator=(const TqvSkinPopupWindow&) = delete;

    // Builds the items of parent's visible children from startIndex, sizes, places and shows
    // the window, and highlights the first usable item.
    void Show(vcl::TMenuItem* parent, int startIndex, const RECT& anchor, bool submenu, bool popupUp,
              bool firstLevel);
    // Hides the window and stops its timers (the window itself goes with the object).
    void Hide();

    HWND Handle() const { return handle_; }
    int Level() const { return level_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    vcl::TMenuItem* ParentItem() const { return parent_; }

    TqvSkinMenu* Menu;
    const TqvDataSkinPopupWindow* WindowSkin = nullptr;
    const gfx::Bitmap* PopupPicture = nullptr;
    const gfx::Bitmap* PopupMask = nullptr;
    const TqvDataSkinMenuItem* ItemSkin = nullptr;
    std::vector<std::unique_ptr<TqvSkinMenuItem>> Items;
    int HotIndex = -1;
    int PrevHotIndex = -1;
    int FirstShown = 0;
    int ShownCount = 0;
    bool Scrolling = false;
    // 0 none, 1 up, 2 down.
    int ScrollDirection = 0;
    POINT PopupLT{}, PopupRT{}, PopupLB{}, PopupRB{};
    RECT ItemsArea{};
    vcl::TComponent* Images = nullptr;
    int ImageColumnWidth = 19;
    // The window image without items, kept when the item record draws transparently.
    gfx::Bitmap Background;
    HRGN WindowRegion = nullptr;
    // The opacity applied to a layered popup (255 when it is not layered).
    int Alpha() const { return alpha_; }

    int IndexOf(const TqvSkinMenuItem* item) const;
    void Select(TqvSkinMenuItem* item, bool byKeyboard);
    void Deselect(TqvSkinMenuItem* item);
    void RedrawItem(TqvSkinMenuItem* item);
    void LayoutItems();
    // The whole window image: frame, visible items and scroll markers.
    void PaintTo(HDC dc);
    // A mouse move at a client point (from the poll timer or a mouse message).
    void MouseMoveAt(POINT p);
    void MouseUpAt(POINT p);
    // Keyboard selection: the previous (-1) or next (+1) usable item, wrapping and scrolling.
    void SelectNext(int delta);
    void ScrollStep();
    void StopScrolling();
    // The largest FirstShown for which the items from it to the end fit.
    int LastStart() const;
    // The scroll markers' rectangles (client coordinates).
    RECT UpperMarker() const;
    RECT LowerMarker() const;
    // The item hit at a client point among the visible ones, or -1.
    int ItemAt(POINT p) const;
    // The font items are measured and drawn with (owned by the window).
    HFONT Font() const { return font_; }
    bool SkinFont() const;

private:
    static LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void BuildItems(vcl::TMenuItem* parent, int startIndex);
    void ComputeSize();
    void UpdateGeometry();
    void UpdateRegion();
    void ComposeWindowImage(gfx::Bitmap& image);
    void DrawScrollMarkers(HDC dc);
    void DrawMarker(HDC dc, const RECT& r, bool up, bool active);
    void FillItemBackground(HDC dc, const RECT& r);
    void ShowWindowAt(POINT pos, bool firstLevel);
    void OnTimer(UINT id);
    void Poll();
    void AnimStep();
    void FadeStep();
    void StartScrolling(int direction);
    void RedrawMarkers();
    void EnsureVisible(int index);
    bool CanScrollUp() const { return FirstShown > 0; }
    bool CanScrollDown() const;

    int level_;
    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
    vcl::TMenuItem* parent_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int alpha_ = 255;
    int fadeTarget_ = 255;
    bool limited_ = false;
    POINT lastCursor_{-100000, -100000};
};

class TqvSkinMenu : public vcl::TComponent {
public:
    // form: the form told when the menu closes (may be nullptr for none).
    TqvSkinMenu(vcl::TComponent* owner, vcl::TCustomForm* form);
    ~TqvSkinMenu() override;

    // ---- settings (the form skin passes its own) ----
    bool SkinFontInItems = true;
    int ItemHeightDefault = 20;
    vcl::TFont* ItemFontDefault() const { return itemFontDefault_.get(); }
    // At most this many items in a window (0 = no limit); more scroll.
    int MaxItemsInWindow = 0;
    bool AlphaBlend = false;
    BYTE AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;

    // ---- state ----
    vcl::TCustomForm* Form() const { return form_; }
    TqvSkinData* SkinData = nullptr;
    RECT MonitorWorkArea{};
    std::vector<std::unique_ptr<TqvSkinPopupWindow>> Popups;
    bool MenuVisible = false;
    bool FirstPopup = true;
    TqvSkinMenuItem* PendingItem = nullptr;
    vcl::TTimer* SubmenuTimer() const { return submenuTimer_; }
    vcl::TControl* PopupControl() const { return popupControl_; }
    vcl::TControl* CommandControl() const { return commandControl_; }
    // Runs once when the menu closes (then cleared).
    std::function<void()> CloseNotification;
    bool MenuOpen() const { return MenuVisible; }
    // The items shown at level 0 (nullptr when closed).
    vcl::TMenuItem* RootItems() const { return root_; }

    static constexpr UINT kSubmenuDelay = 500;

    // Shows the visible children of items from startIndex, anchored at rect (screen
    // coordinates), above it first when popupUp. control is the control that asked (or nullptr);
    // skinData the skin to draw with (nullptr or an empty skin: the built-in look).
    void Popup(vcl::TControl* control, TqvSkinData* skinData, int startIndex, const RECT& rect,
               vcl::TMenuItem* items, bool popupUp);
    // Closes every level and tells the form and the asking control.
    void CloseMenu();
    // Closes the levels from level upward.
    void CloseFrom(int level);
    // A key for the open menu; false when no visible menu took it.
    bool KeyDown(WORD key);
    void ItemAction(TqvSkinPopupWindow* popup, TqvSkinMenuItem* item, bool byKeyboard, bool execute);
    // The popup at level, or nullptr.
    TqvSkinPopupWindow* PopupAt(int level) const;

    // Dispatch bookkeeping: closed popups are destroyed only when no popup message is on the
    // stack, since a click closes the menu from inside its own window procedure.
    void EnterDispatch() { ++dispatchDepth_; }
    void LeaveDispatch();
    const std::shared_ptr<bool>& AliveToken() const { return alive_; }

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    void OpenLevel(vcl::TMenuItem* items, int startIndex, const RECT& rect, bool submenu, bool popupUp);
    void SetPopupControl(vcl::TControl* control);
    void SetCommandControl(vcl::TControl* control);
    void FlushClosed();
    void SubmenuTimerFired();
    void CloseLastLevel();

    vcl::TCustomForm* form_;
    std::unique_ptr<vcl::TFont> itemFontDefault_;
    vcl::TTimer* submenuTimer_ = nullptr;
    vcl::TControl* popupControl_ = nullptr;
    vcl::TControl* commandControl_ = nullptr;
    vcl::TMenuItem* root_ = nullptr;
    std::vector<std::unique_ptr<TqvSkinPopupWindow>> closed_;
    int dispatchDepth_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A popup-menu component drawn by the skinned menu engine. It uses the engine of the form skin on
// its form (the owner, the owner's owner, or the form of the control it pops up for) and that
// form skin's menu skin unless SkinData is set; without a form skin it keeps an engine of its own.
class TqvSkinPopupMenu : public vcl::TPopupMenu {
public:
    explicit TqvSkinPopupMenu(vcl::TComponent* owner);
    ~TqvSkinPopupMenu() override;

    TqvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TqvSkinData* data);

    // Fires OnPopup and shows the items with their top-left corner at the screen point (or
    // beside it when they do not fit); PopupComponent, when a control, is the asking control.
    void Popup(int x, int y) override;
    // The same for a control (it becomes PopupComponent).
    void PopupFor(vcl::TControl* control, int x, int y);
    // Shows the items under (or above) a screen rectangle, as a button's menu does.
    void PopupUnder(vcl::TControl* control, const RECT& rect, bool upward);
    // True while this menu's items are shown.
    bool Showing() const;
    // Closes the menu when it shows this menu's items.
    void CloseMenu();
    // The engine used for the last popup (nullptr before the first).
    TqvSkinMenu* Engine() const { return engine_; }

    // Runs when the menu closed (after a command or without one).
    vcl::TNotifyEvent OnClose;

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    vcl::TCustomForm* FindForm(vcl::TControl* control) const;

    TqvSkinData* skinData_ = nullptr;
    TqvSkinMenu* engine_ = nullptr;
    TqvSkinMenu* ownEngine_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The form skin of a form (the first TqvVeltrane it owns), or nullptr.
TqvVeltrane* FindFormSkin(vcl::TCustomForm* form);

} // namespace qv
