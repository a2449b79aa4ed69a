// The skinned menu engine: opening and closing levels, the submenu delay, the item logic, the
// keyboard, the application-wide key filter, and the popup-menu component.
#include "skin/form/qvSkinMenus.h"

#include "platform/ui/User.h"
#include "skin/data/qvUtils.h"
#include "skin/form/Veltrane.h"

#include <algorithm>
#include <cctype>

namespace qv {

// ---- placement ----

POINT PlaceMenuPopup(const RECT& r, const RECT& wa, int w, int h, bool submenu, bool scrolling, bool popupUp,
                     int itemsTop) {
    const bool upperHalf = r.top < wa.top + (wa.bottom - wa.top) / 2;
    bool overlapping = false;
    int y = 0;
    if (scrolling) {
        y = wa.top;
    } else if (submenu) {
        y = r.top - itemsTop;
        if (y + h > wa.bottom) {
            if (upperHalf) {
                y = wa.bottom - h;
            } else {
                y = std::max<int>(r.bottom - h + itemsTop, wa.top);
            }
        }
    } else if (popupUp) {
        if (r.top - h >= wa.top) {
            y = r.top - h;
        } else if (upperHalf) {
            y = r.bottom;
            if (y + h > wa.bottom) {
                y = wa.bottom - h;
                overlapping = true;
            }
        } else {
            y = wa.top;
            overlapping = true;
        }
    } else if (r.bottom + h <= wa.bottom) {
        y = r.bottom;
    } else if (upperHalf) {
        y = wa.bottom - h;
        overlapping = true;
    } else {
        y = r.top - h;
        if (y < wa.top) {
            y = wa.top;
            overlapping = true;
        }
    }
    int x = 0;
    if (submenu || scrolling || overlapping) {
        x = r.right + 1;
        if (r.right + w + 1 > wa.right) {
            // Left of the anchor; never off the work area's left edge.
            x = std::max<int>(r.left - w - 1, wa.left);
        }
    } else {
        x = r.left;
        if (x + w > wa.right) {
            x = wa.right - w;
        }
        if (x < wa.left) {
            x = wa.left;
        }
    }
    return POINT{x, y};
}

// ---- the application-wide key filter ----
//
// While any engine shows a menu, the application's message filter hands key-down messages to the
// engine that opened last, swallows the other key messages (so no character reaches the focused
// control) and the mouse wheel. The form keeps the focus all along.

namespace {

struct MenuFilter {
    std::vector<TqvSkinMenu*> engines;
    vcl::TMessageEvent previous;
    bool installed = false;
    int running = 0;
    // The key the menu took last, until it is released: the characters typed with it are the
    // menu's too, also when the window system reports them apart from the key (text input)
    // and the menu has closed meanwhile.
    WPARAM heldKey = 0;
};

MenuFilter& Filter() {
    static MenuFilter filter;
    return filter;
}

void FilterMessage(MSG& msg, bool& handled) {
    MenuFilter& f = Filter();
    if (f.heldKey != 0) {
        switch (msg.message) {
        case WM_CHAR:
        case WM_SYSCHAR: handled = true; return;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (msg.wParam == f.heldKey) {
                f.heldKey = 0;
                handled = true;
                return;
            }
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam != f.heldKey) {
                f.heldKey = 0;
            }
            break;
        default: break;
        }
    }
    if (!f.engines.empty()) {
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            TqvSkinMenu* engine = f.engines.back();
            handled = true;
            f.heldKey = msg.wParam;
            ++f.running;
            engine->KeyDown(WORD(msg.wParam));
            --f.running;
            return;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: handled = true; return;
        default: break;
        }
    }
    if (f.previous) {
        // Copied: the previous filter may replace the application's filter while it runs.
        vcl::TMessageEvent previous = f.previous;
        previous(msg, handled);
    }
}

bool OurFilterInstalled() {
    if (vcl::Application == nullptr) {
        return false;
    }
    using Fn = void (*)(MSG&, bool&);
    const Fn* target = vcl::Application->OnMessage.target<Fn>();
    return target != nullptr && *target == &FilterMessage;
}

void AddToFilter(TqvSkinMenu* engine) {
    MenuFilter& f = Filter();
    f.engines.erase(std::remove(f.engines.begin(), f.engines.end(), engine), f.engines.end());
    f.engines.push_back(engine);
    if (vcl::Application != nullptr && !OurFilterInstalled()) {
        f.previous = vcl::Application->OnMessage;
        vcl::Application->OnMessage = &FilterMessage;
        f.installed = true;
    }
}

void RemoveFromFilter(TqvSkinMenu* engine) {
    MenuFilter& f = Filter();
    f.engines.erase(std::remove(f.engines.begin(), f.engines.end(), engine), f.engines.end());
    // The filter gives the application's filter back when no menu is left, unless it is running
    // (replacing a std::function while it runs is not allowed; it then stays and passes every
    // message on) or someone installed a filter after it.
    if (f.engines.empty() && f.running == 0 && f.heldKey == 0 && OurFilterInstalled()) {
        vcl::Application->OnMessage = f.previous;
        f.previous = nullptr;
        f.installed = false;
    }
}

bool IsAcceleratorKey(WORD key, char32_t hotkey) {
    if (hotkey == 0) {
        return false;
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return char32_t(std::tolower(int(key))) == hotkey;
    }
    return false;
}

} // namespace

// ---- TqvSkinMenu ----

TqvSkinMenu::TqvSkinMenu(vcl::TComponent* owner, vcl::TCustomForm* form)
    : vcl::TComponent(owner), form_(form), itemFontDefault_(std::make_unique<vcl::TFont>()) {
    itemFontDefault_->SetName("Arial");
    itemFontDefault_->SetHeight(14);
    submenuTimer_ = new vcl::TTimer(this);
    submenuTimer_->SetEnabled(false);
    submenuTimer_->SetInterval(kSubmenuDelay);
    submenuTimer_->SetOnTimer([this](vcl::TObject*) { SubmenuTimerFired(); });
}

TqvSkinMenu::~TqvSkinMenu() {
    *alive_ = false;
    RemoveFromFilter(this);
    PendingItem = nullptr;
    // Quietly: the form and the controls may be going too.
    Popups.clear();
    closed_.clear();
    if (popupControl_ != nullptr) {
        popupControl_->RemoveFreeNotification(this);
    }
    if (commandControl_ != nullptr && commandControl_ != popupControl_) {
        commandControl_->RemoveFreeNotification(this);
    }
    if (root_ != nullptr) {
        root_->RemoveFreeNotification(this);
    }
}

void TqvSkinMenu::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::opRemove) {
        return;
    }
    if (component == popupControl_) {
        popupControl_ = nullptr;
    }
    if (component == commandControl_) {
        commandControl_ = nullptr;
    }
    if (component == root_) {
        // The items shown are going: close at once, without running anything.
        root_ = nullptr;
        PendingItem = nullptr;
        submenuTimer_->SetEnabled(false);
        CloseFrom(0);
        if (form_ != nullptr && form_->HandleAllocated()) {
            SendMessage(form_->Handle(), QVM_SKIN_MENU_CLOSED, 0, 0);
        }
    }
}

void TqvSkinMenu::SetPopupControl(vcl::TControl* control) {
    if (popupControl_ == control) {
        return;
    }
    if (popupControl_ != nullptr && popupControl_ != commandControl_) {
        popupControl_->RemoveFreeNotification(this);
    }
    popupControl_ = control;
    if (control != nullptr) {
        control->FreeNotification(this);
    }
}

void TqvSkinMenu::SetCommandControl(vcl::TControl* control) {
    if (commandControl_ == control) {
        return;
    }
    if (commandControl_ != nullptr && commandControl_ != popupControl_) {
        commandControl_->RemoveFreeNotification(this);
    }
    commandControl_ = control;
    if (control != nullptr) {
        control->FreeNotification(this);
    }
}

TqvSkinPopupWindow* TqvSkinMenu::PopupAt(int level) const {
    return level >= 0 && level < int(Popups.size()) ? Popups[std::size_t(level)].get() : nullptr;
}

void TqvSkinMenu::LeaveDispatch() {
    if (--dispatchDepth_ == 0) {
        FlushClosed();
    }
}

void TqvSkinMenu::FlushClosed() {
    if (dispatchDepth_ == 0) {
        closed_.clear();
    }
}

void TqvSkinMenu::Popup(vcl::TControl* control, TqvSkinData* skinData, int startIndex, const RECT& rect,
                        vcl::TMenuItem* items, bool popupUp) {
    FirstPopup = !MenuVisible;
    // The menu still open ends first, so its own control hears of the close.
    if (!Popups.empty()) {
        CloseFrom(0);
    }
    SetPopupControl(control);
    FlushClosed();
    HWND anchor = form_ != nullptr && form_->HandleAllocated() ? form_->Handle() : nullptr;
    MonitorWorkArea = GetMonitorArea(anchor, true);
    SkinData = skinData;
    if (items == nullptr || startIndex < 0) {
        return;
    }
    int visible = 0;
    for (int i = startIndex; i < items->Count(); ++i) {
        visible += items->Items(i)->Visible() ? 1 : 0;
    }
    if (visible == 0) {
        return;
    }
    if (root_ != nullptr && root_ != items) {
        root_->RemoveFreeNotification(this);
    }
    root_ = items;
    items->FreeNotification(this);
    MenuVisible = true;
    AddToFilter(this);
    OpenLevel(items, startIndex, rect, false, popupUp);
    FirstPopup = false;
}

void TqvSkinMenu::OpenLevel(vcl::TMenuItem* items, int startIndex, const RECT& rect, bool submenu,
                            bool popupUp) {
    const bool skinned = SkinData != nullptr && !SkinData->IsEmpty();
    auto popup = std::make_unique<TqvSkinPopupWindow>(this, int(Popups.size()),
                                                      skinned ? &SkinData->PopupWindowSkin : nullptr);
    TqvSkinPopupWindow* p = popup.get();
    Popups.push_back(std::move(popup));
    p->Show(items, startIndex, rect, submenu, popupUp, FirstPopup && Popups.size() == 1);
}

void TqvSkinMenu::CloseFrom(int level) {
    level = std::max(level, 0);
    while (int(Popups.size()) > level) {
        std::unique_ptr<TqvSkinPopupWindow> p = std::move(Popups.back());
        Popups.pop_back();
        if (PendingItem != nullptr && PendingItem->Popup == p.get()) {
            PendingItem = nullptr;
            submenuTimer_->SetEnabled(false);
        }
        p->Hide();
        closed_.push_back(std::move(p));
    }
    FlushClosed();
    if (level != 0) {
        return;
    }
    const bool wasVisible = MenuVisible;
    MenuVisible = false;
    submenuTimer_->SetEnabled(false);
    RemoveFromFilter(this);
    if (root_ != nullptr) {
        root_->RemoveFreeNotification(this);
        root_ = nullptr;
    }
    if (!wasVisible) {
        return;
    }
    SetCommandControl(popupControl_);
    if (popupControl_ != nullptr) {
        popupControl_->Perform(QVM_SKIN_MENU_CLOSED, 0, 0);
    }
    if (CloseNotification) {
        std::function<void()> notify = std::move(CloseNotification);
        CloseNotification = nullptr;
        notify();
    }
}

void TqvSkinMenu::CloseMenu() {
    std::shared_ptr<bool> alive = alive_;
    submenuTimer_->SetEnabled(false);
    PendingItem = nullptr;
    const bool wasVisible = MenuVisible;
    // A form that asked for the menu itself hears of the close once.
    const bool formAsked = popupControl_ != nullptr && popupControl_ == form_;
    CloseFrom(0);
    if (!*alive) {
        return;
    }
    if (wasVisible && !formAsked && form_ != nullptr && form_->HandleAllocated()) {
        SendMessage(form_->Handle(), QVM_SKIN_MENU_CLOSED, 0, 0);
    }
    if (!*alive) {
        return;
    }
    SetPopupControl(nullptr);
}

void TqvSkinMenu::SubmenuTimerFired() {
    submenuTimer_->SetEnabled(false);
    TqvSkinMenuItem* item = PendingItem;
    PendingItem = nullptr;
    if (item != nullptr) {
        ItemAction(item->Popup, item, false, true);
    }
}

void TqvSkinMenu::ItemAction(TqvSkinPopupWindow* popup, TqvSkinMenuItem* item, bool byKeyboard,
                             bool execute) {
    if (popup == nullptr || item == nullptr) {
        return;
    }
    if (!item->HasChildren()) {
        submenuTimer_->SetEnabled(false);
        PendingItem = nullptr;
        if (!execute) {
            CloseFrom(popup->Level() + 1);
            return;
        }
        if (!item->Selectable()) {
            return;
        }
        // The menu closes before the command runs; the command may free the menu, the form
        // and this engine.
        vcl::TMenuItem* source = item->SourceItem;
        std::shared_ptr<bool> alive = alive_;
        CloseMenu();
        if (!*alive) {
            return;
        }
        source->Click();
        if (!*alive) {
            return;
        }
        if (vcl::TControl* c = commandControl_) {
            SetCommandControl(nullptr);
            c->Perform(QVM_SKIN_MENU_COMMAND_DONE, 0, 0);
        }
        return;
    }
    if (!execute) {
        if (!byKeyboard) {
            CloseFrom(popup->Level() + 1);
            PendingItem = item;
            submenuTimer_->SetEnabled(false);
            submenuTimer_->SetEnabled(true);
        }
        return;
    }
    // Open the item's submenu beside it.
    std::shared_ptr<bool> alive = alive_;
    if (item->Enabled() && item->SourceItem->OnClick) {
        item->SourceItem->Click();
        if (!*alive) {
            return;
        }
    }
    submenuTimer_->SetEnabled(false);
    if (PendingItem == item) {
        PendingItem = nullptr;
    }
    // The command may have closed the menu.
    if (PopupAt(popup->Level()) != popup || !item->Enabled()) {
        return;
    }
    CloseFrom(popup->Level() + 1);
    item->SubmenuOpen = true;
    popup->RedrawItem(item);
    RECT r = item->ItemRect;
    POINT tl{r.left, r.top};
    POINT br{r.right, r.bottom};
    ClientToScreen(popup->Handle(), &tl);
    ClientToScreen(popup->Handle(), &br);
    OpenLevel(item->SourceItem, 0, RECT{tl.x, tl.y, br.x, br.y}, true, false);
}

void TqvSkinMenu::CloseLastLevel() {
    if (Popups.size() > 1) {
        const int last = int(Popups.size()) - 1;
        TqvSkinPopupWindow* parent = PopupAt(last - 1);
        CloseFrom(last);
        for (auto& i : parent->Items) {
            if (i->SubmenuOpen) {
                i->SubmenuOpen = false;
                parent->RedrawItem(i.get());
            }
        }
    } else {
        CloseMenu();
    }
}

bool TqvSkinMenu::KeyDown(WORD key) {
    if (Popups.empty()) {
        return false;
    }
    TqvSkinPopupWindow* popup = Popups.back().get();
    if (popup->Handle() == nullptr || !IsWindowVisible(popup->Handle())) {
        return false;
    }
    // Accelerators first: the letter after "&" runs its item at once.
    for (int i = 0; i < int(popup->Items.size()); ++i) {
        TqvSkinMenuItem* item = popup->Items[std::size_t(i)].get();
        if (item->IsSeparator() || !item->Enabled() ||
            !IsAcceleratorKey(key, vcl::GetHotkey(item->SourceItem->Caption()))) {
            continue;
        }
        if (popup->HotIndex >= 0 && popup->HotIndex != i) {
            popup->Deselect(popup->Items[std::size_t(popup->HotIndex)].get());
        }
        popup->PrevHotIndex = popup->HotIndex;
        popup->HotIndex = i;
        item->Selected = true;
        popup->RedrawItem(item);
        ItemAction(popup, item, true, true);
        return true;
    }
    TqvSkinMenuItem* hot = popup->HotIndex >= 0 && popup->HotIndex < int(popup->Items.size())
                               ? popup->Items[std::size_t(popup->HotIndex)].get()
                               : nullptr;
    switch (key) {
    case VK_RETURN:
        if (hot != nullptr && hot->Selectable() && !hot->SubmenuOpen) {
            ItemAction(popup, hot, true, true);
        }
        break;
    case VK_ESCAPE: CloseLastLevel(); break;
    case VK_LEFT:
        if (Popups.size() > 1) {
            CloseLastLevel();
        }
        break;
    case VK_UP: popup->SelectNext(-1); break;
    case VK_DOWN: popup->SelectNext(1); break;
    case VK_RIGHT:
        if (hot != nullptr && hot->HasChildren() && hot->Selectable() && !hot->SubmenuOpen) {
            ItemAction(popup, hot, true, true);
        }
        break;
    default: break;
    }
    return true;
}

// ---- form skin lookup ----

TqvVeltrane* FindFormSkin(vcl::TCustomForm* form) {
    if (form == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < form->ComponentCount(); ++i) {
        if (auto* skin = dynamic_cast<TqvVeltrane*>(form->Components(i))) {
            return skin;
        }
    }
    return nullptr;
}

// ---- TqvSkinPopupMenu ----

TqvSkinPopupMenu::TqvSkinPopupMenu(vcl::TComponent* owner) : vcl::TPopupMenu(owner) {}

TqvSkinPopupMenu::~TqvSkinPopupMenu() {
    *alive_ = false;
    // Our items are going: an engine still showing them closes through its free notification.
    if (skinData_ != nullptr) {
        skinData_->RemoveFreeNotification(this);
    }
    if (engine_ != nullptr && engine_ != ownEngine_) {
        engine_->RemoveFreeNotification(this);
    }
}

void TqvSkinPopupMenu::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TPopupMenu::Notification(component, operation);
    if (operation != vcl::opRemove) {
        return;
    }
    if (component == skinData_) {
        skinData_ = nullptr;
    }
    if (component == engine_) {
        engine_ = nullptr;
    }
    if (component == ownEngine_) {
        ownEngine_ = nullptr;
    }
}

void TqvSkinPopupMenu::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) {
        skinData_->RemoveFreeNotification(this);
    }
    skinData_ = data;
    if (data != nullptr) {
        data->FreeNotification(this);
    }
}

vcl::TCustomForm* TqvSkinPopupMenu::FindForm(vcl::TControl* control) const {
    if (auto* f = dynamic_cast<vcl::TCustomForm*>(Owner())) {
        return f;
    }
    if (Owner() != nullptr) {
        if (auto* f = dynamic_cast<vcl::TCustomForm*>(Owner()->Owner())) {
            return f;
        }
    }
    if (control != nullptr) {
        return control->GetParentForm();
    }
    if (auto* c = dynamic_cast<vcl::TControl*>(Owner())) {
        return c->GetParentForm();
    }
    return nullptr;
}

void TqvSkinPopupMenu::Popup(int x, int y) { PopupFor(dynamic_cast<vcl::TControl*>(PopupComponent()), x, y); }

void TqvSkinPopupMenu::PopupFor(vcl::TControl* control, int x, int y) {
    if (control != nullptr) {
        SetPopupComponent(control);
    }
    std::shared_ptr<bool> alive = alive_;
    if (OnPopup) {
        OnPopup(this);
        if (!*alive) {
            return;
        }
    }
    PopupUnder(control, RECT{x, y, x, y}, false);
}

void TqvSkinPopupMenu::PopupUnder(vcl::TControl* control, const RECT& rect, bool upward) {
    vcl::TCustomForm* form = FindForm(control);
    TqvVeltrane* formSkin = FindFormSkin(form);
    TqvSkinMenu* engine = nullptr;
    TqvSkinData* data = skinData_;
    if (formSkin != nullptr) {
        engine = formSkin->SkinMenu();
        if (data == nullptr) {
            data = formSkin->MenusSkinData() != nullptr ? formSkin->MenusSkinData() : formSkin->SkinData();
        }
        // A menu already open ends first (and tells its form and control).
        if (engine->MenuOpen()) {
            engine->CloseMenu();
        }
        formSkin->SyncMenuSettings();
        formSkin->OpenSkinMenu();
    } else {
        if (ownEngine_ == nullptr) {
            ownEngine_ = new TqvSkinMenu(this, form);
        }
        engine = ownEngine_;
        if (engine->MenuOpen()) {
            engine->CloseMenu();
        }
    }
    if (engine_ != nullptr && engine_ != engine && engine_ != ownEngine_) {
        engine_->RemoveFreeNotification(this);
    }
    engine_ = engine;
    if (engine != ownEngine_) {
        engine->FreeNotification(this);
    }
    std::shared_ptr<bool> alive = alive_;
    engine->CloseNotification = [this, alive] {
        if (*alive && OnClose) {
            OnClose(this);
        }
    };
    engine->Popup(control, data, 0, rect, Items(), upward);
    if (*alive && !engine->MenuOpen()) {
        // Nothing to show: the open-menu state must not stay behind.
        engine->CloseNotification = nullptr;
        if (formSkin != nullptr && formSkin->SkinMenuOpen()) {
            formSkin->CloseSkinMenu();
        }
    }
}

bool TqvSkinPopupMenu::Showing() const {
    return engine_ != nullptr && engine_->MenuOpen() && engine_->RootItems() == Items();
}

void TqvSkinPopupMenu::CloseMenu() {
    if (Showing()) {
        engine_->CloseMenu();
    }
}

} // namespace qv
