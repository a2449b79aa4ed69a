// The form skin component: attachment, the window hook and its message order, applying a skin
// and the skin-change protocol, caption activation, the fade-in, and object redraws.
#include "skin/form/Veltrane.h"

#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "platform/gfx/DCApi.h"
#include "platform/ui/User.h"
#include "skin/data/qvSkinClient.h"
#include "skin/data/qvUtils.h"
#include "skin/form/qvSkinMenus.h"

namespace qv {

namespace {

constexpr UINT_PTR kFadeTimerId = 1;

void SetupCaptionFont(vcl::TFont& font, TColor color) {
    font.SetName("Arial");
    font.SetStyle(vcl::fsBold);
    font.SetHeight(14);
    font.SetColor(color);
}

vcl::TCustomForm* OwnerAsForm(vcl::TComponent* owner) {
    auto* form = dynamic_cast<vcl::TCustomForm*>(owner);
    if (form == nullptr) {
        throw vcl::EInvalidCast();
    }
    return form;
}

bool IsFrameMouseMessage(UINT msg) {
    switch (msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: return true;
    default: return false;
    }
}

} // namespace

// ---- attachment ----

TqvVeltrane::TqvVeltrane(vcl::TComponent* owner)
    : vcl::TComponent(owner), defMenuItemFont_(std::make_unique<vcl::TFont>()),
      defCaptionFont_(std::make_unique<vcl::TFont>()),
      defInActiveCaptionFont_(std::make_unique<vcl::TFont>()) {
    windows6_ = IsWindows6OrLater();
    defMenuItemFont_->SetName("Arial");
    defMenuItemFont_->SetHeight(14);
    SetupCaptionFont(*defCaptionFont_, vcl::clBtnText);
    SetupCaptionFont(*defInActiveCaptionFont_, vcl::clBtnShadow);

    form_ = OwnerAsForm(owner);

    hoverTimer_ = new vcl::TTimer(this);
    hoverTimer_->SetEnabled(false);
    hoverTimer_->SetInterval(50);
    hoverTimer_->SetOnTimer([this](vcl::TObject*) { HoverTimerTick(); });
    morphStepTimer_ = new vcl::TTimer(this);
    morphStepTimer_->SetEnabled(false);
    morphStepTimer_->SetInterval(25);
    morphStepTimer_->SetOnTimer([this](vcl::TObject*) { MorphTimerTick(); });
    animationTimer_ = new vcl::TTimer(this);
    animationTimer_->SetEnabled(false);
    animationTimer_->SetInterval(25);
    animationTimer_->SetOnTimer([this](vcl::TObject*) { AnimationTimerTick(); });

    if (form_->BorderIcons() != 0) {
        form_->SetBorderIcons(0);
    }
    form_->OnShortCut = [this](WORD key, vcl::TShiftState shift, bool& handled) {
        if (OnShortCut) {
            OnShortCut(key, shift, handled);
            if (handled) {
                return;
            }
        }
        if (key == VK_SPACE && shift == vcl::ssAlt) {
            ShowSystemMenuFromKeyboard();
            handled = true;
        }
    };
    form_->SetAutoSize(false);
    form_->SetAutoScroll(false);

    builtInSystemMenu_ = new vcl::TPopupMenu(this);
    skinMenu_ = new TqvSkinMenu(this, form_);
    trayMenu_ = new TqvSkinPopupMenu(this);
    auto addTrayItem = [this](const char* name, const std::string& caption, vcl::TShortCut sc,
                              std::function<void()> action) {
        auto* item = new vcl::TMenuItem(trayMenu_);
        item->SetName(name);
        item->SetCaption(caption);
        item->SetShortCut(sc);
        if (action) {
            item->OnClick = [action](vcl::TObject*) { action(); };
        }
        trayMenu_->Items()->Add(item);
    };
    addTrayItem("TRAY_VLT_RESTORE", "&Restore", 0, [this] { RestoreFromTray(); });
    addTrayItem("", "-", 0, nullptr);
    addTrayItem("TRAY_VLT_CLOSE", "&Close", vcl::ShortCut(VK_F4, vcl::scAlt), [this] { form_->Close(); });

    InstallHook();
}

TqvVeltrane::~TqvVeltrane() {
    *alive_ = false;
    StopTimers();
    if (form_ != nullptr && form_->HandleAllocated()) {
        KillTimer(form_->Handle(), kFadeTimerId);
    }
    SkinObjects.clear();
    if (hookInstalled_ && form_ != nullptr) {
        form_->WindowProc = savedWindowProc_;
        form_->OnShortCut = nullptr;
    }
}

void TqvVeltrane::InstallHook() {
    savedWindowProc_ = form_->WindowProc;
    form_->WindowProc = [this](vcl::TMessage& m) { HookWindowProc(m); };
    hookInstalled_ = true;
    if (form_->HandleAllocated()) {
        form_->RecreateWnd();
    }
}

void TqvVeltrane::CallSaved(vcl::TMessage& message) {
    if (savedWindowProc_) {
        savedWindowProc_(message);
    }
}

void TqvVeltrane::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::opRemove) {
        return;
    }
    if (component == skinData_) {
        skinData_ = nullptr;
    }
    if (component == menusSkinData_) {
        menusSkinData_ = nullptr;
    }
    if (component == systemMenu_) {
        systemMenu_ = nullptr;
    }
}

// ---- published setters ----

void TqvVeltrane::SetSkinData(TqvSkinData* data) {
    if (skinData_ != nullptr && skinData_ != data) {
        skinData_->RemoveFreeNotification(this);
    }
    skinData_ = data;
    if (data != nullptr) {
        data->FreeNotification(this);
        formSkinnable_ = data->SkinnableForm();
    }
    ApplyFormSkin();
}

void TqvVeltrane::SetMenusSkinData(TqvSkinData* data) {
    if (menusSkinData_ != nullptr && menusSkinData_ != data) {
        menusSkinData_->RemoveFreeNotification(this);
    }
    menusSkinData_ = data;
    if (data != nullptr) {
        data->FreeNotification(this);
    }
}

void TqvVeltrane::SetSystemMenu(vcl::TPopupMenu* menu) {
    if (systemMenu_ != nullptr && systemMenu_ != menu) {
        systemMenu_->RemoveFreeNotification(this);
    }
    systemMenu_ = menu;
    if (menu != nullptr) {
        menu->FreeNotification(this);
    }
}

void TqvVeltrane::SetBorderIcons(TqvBorderIcons icons) {
    borderIcons_ = icons;
    if (ComponentState() & vcl::csLoading) {
        return;
    }
    EvaluateBorderIcons();
    SendNcPaint();
}

void TqvVeltrane::SetMaxMenuItemsInWindow(int value) {
    if (value >= 0) {
        maxMenuItemsInWindow_ = value;
    }
}

void TqvVeltrane::SetDefMenuItemHeight(int value) {
    if (value > 0) {
        defMenuItemHeight_ = value;
    }
}

void TqvVeltrane::SetHideCaptionButtons(bool on) {
    hideCaptionButtons_ = on;
    if (!(ComponentState() & vcl::csLoading)) {
        EvaluateBorderIcons();
        SendNcPaint();
    }
}

void TqvVeltrane::SetLogoBitMap(const gfx::Bitmap& picture) { logo_ = picture; }

void TqvVeltrane::SetShowIcon(bool on) {
    showIcon_ = on;
    if (!(ComponentState() & vcl::csLoading)) {
        SendNcPaint();
    }
}

void TqvVeltrane::SetDefCaptionFont(const vcl::TFont* font) {
    defCaptionFont_->Assign(font);
    if (!skinInUse_) {
        SendNcPaint();
    }
}

void TqvVeltrane::SetDefInActiveCaptionFont(const vcl::TFont* font) {
    defInActiveCaptionFont_->Assign(font);
    if (!skinInUse_) {
        SendNcPaint();
    }
}

void TqvVeltrane::SetAlphaBlend(bool on) {
    alphaBlend_ = on;
    if ((ComponentState() & vcl::csLoading) || !IsWindows2000OrLater() || !form_->HandleAllocated()) {
        return;
    }
    ApplyLayeredStyle();
}

void TqvVeltrane::SetAlphaBlendValue(BYTE value) {
    alphaBlendValue_ = value;
    if (alphaBlend_ && !(ComponentState() & vcl::csLoading) && form_->HandleAllocated()) {
        SetWindowAlpha(form_->Handle(), value);
    }
}

void TqvVeltrane::ApplyLayeredStyle() {
    HWND h = form_->Handle();
    LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    if (alphaBlend_) {
        SetWindowLong(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetWindowAlpha(h, alphaBlendValue_);
    } else {
        SetWindowLong(h, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    }
}

// ---- small helpers ----

bool TqvVeltrane::Framed() const { return form_->BorderStyle() != vcl::bsNone; }

bool TqvVeltrane::FormIsMinimized() const {
    return skinWindowState_ == vcl::wsMinimized || (form_->HandleAllocated() && IsIconic(form_->Handle()));
}

// A hidden window's frame is not painted: nothing would show it, and showing the window paints
// its frame (a form is sized and skinned several times on its way to the screen).
void TqvVeltrane::SendNcPaint() {
    if (form_->HandleAllocated() && Framed() && IsWindowVisible(form_->Handle())) {
        SendMessage(form_->Handle(), WM_NCPAINT, 1, 0);
    }
}

void TqvVeltrane::InvalidateForm() {
    if (form_->HandleAllocated()) {
        form_->Invalidate();
    }
}

void TqvVeltrane::StopTimers() {
    hoverTimer_->SetEnabled(false);
    morphStepTimer_->SetEnabled(false);
    animationTimer_->SetEnabled(false);
}

void TqvVeltrane::ClearSnapFlags() { snappedLeft_ = snappedTop_ = snappedRight_ = snappedBottom_ = false; }

bool TqvVeltrane::IsFormActive() const {
    if (ForceActive) {
        return true;
    }
    return form_->Active();
}

void TqvVeltrane::NudgeWidth() {
    if (!form_->HandleAllocated()) {
        return;
    }
    int w = form_->Width();
    if (w - 1 < MinFormWidth()) {
        form_->SetWidth(w + 1);
        form_->SetWidth(w);
    } else {
        form_->SetWidth(w - 1);
        form_->SetWidth(w);
    }
}

void TqvVeltrane::ForEachSkinClient(TqvSkinData* data, const std::function<void(IqvSkinClient*)>& f) {
    std::vector<IqvSkinClient*> clients;
    auto bound = [data](IqvSkinClient* c) { return data == nullptr || c->SkinData() == data; };
    std::function<void(vcl::TWinControl*)> walk = [&](vcl::TWinControl* parent) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            vcl::TControl* c = parent->Controls(i);
            if (auto* client = dynamic_cast<IqvSkinClient*>(c); client && bound(client)) {
                clients.push_back(client);
            }
            if (auto* w = dynamic_cast<vcl::TWinControl*>(c)) {
                walk(w);
            }
        }
    };
    walk(form_);
    for (int i = 0; i < form_->ComponentCount(); ++i) {
        vcl::TComponent* c = form_->Components(i);
        if (dynamic_cast<vcl::TControl*>(c) != nullptr) {
            continue; // reached through the control tree
        }
        if (auto* client = dynamic_cast<IqvSkinClient*>(c); client && bound(client)) {
            clients.push_back(client);
        }
    }
    for (IqvSkinClient* c : clients) {
        f(c);
    }
}

// ---- the hook ----

void TqvVeltrane::HookWindowProc(vcl::TMessage& message) {
    std::shared_ptr<bool> alive = alive_;
    CloseMenusAndHints(message);
    if (!HandleMessage(message)) {
        CallSaved(message);
    }
    if (!*alive) {
        return;
    }
    if (formSkinnable_ && IsFrameMouseMessage(message.Msg)) {
        FrameMouse(message);
    }
}

void TqvVeltrane::CloseMenusAndHints(const vcl::TMessage& m) {
    switch (m.Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY: break;
    default: return;
    }
    if (ShowObjectHint && SkinHint != nullptr) {
        SkinHint->HideObjectHint();
    }
    CloseOpenMenu();
}

void TqvVeltrane::CloseOpenMenu() {
    if (skinMenu_ != nullptr && skinMenu_->MenuOpen()) {
        // The engine tells the form (QVM_SKIN_MENU_CLOSED), which finishes the open-menu state.
        skinMenu_->CloseMenu();
    } else if (skinMenuOpen_) {
        CloseSkinMenu();
    }
}

bool TqvVeltrane::HandleMessage(vcl::TMessage& m) {
    const bool skinnable = formSkinnable_;
    switch (m.Msg) {
    case WM_DESTROY: StopTimers(); return false;
    case WM_SIZE: OnSize(m); return false;
    case WM_ACTIVATE:
        if (!skinnable) {
            return false;
        }
        CallSaved(m);
        SendNcPaint();
        ResetObjectStates();
        SetCaptionActive(true);
        return true;
    case WM_SETTEXT:
        if (!skinnable) {
            return false;
        }
        CallSaved(m);
        SendNcPaint();
        return true;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return true;
    case WM_SHOWWINDOW: OnShowWindow(m); return false;
    case WM_SETCURSOR:
        if (skinnable && UseFormCursorInNCArea) {
            int code = int(LOWORD(m.LParam));
            if (code != HTCLIENT && (code == HTCAPTION || code < HTLEFT || code > HTBOTTOMRIGHT)) {
                m.LParam = LPARAM((m.LParam & ~LPARAM(0xFFFF)) | HTCLIENT);
            }
        }
        return false;
    case WM_GETMINMAXINFO:
        if (skinnable) {
            auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
            info->ptMinTrackSize = POINT{MinFormWidth(), MinFormHeight()};
            info->ptMaxTrackSize = POINT{MaxFormWidth(), MaxFormHeight()};
        }
        return false;
    case WM_DISPLAYCHANGE:
        if (Framed() && (form_->Width() > MaxFormWidth() || form_->Height() > MaxFormHeight())) {
            NudgeWidth();
        }
        return false;
    case WM_NCCALCSIZE:
        if (!skinnable) {
            return false;
        }
        OnNcCalcSize(m);
        return true;
    case WM_NCHITTEST: {
        if (!skinnable) {
            return false;
        }
        RECT wr{};
        GetWindowRect(form_->Handle(), &wr);
        int x = GET_X_LPARAM(m.LParam) - wr.left;
        int y = GET_Y_LPARAM(m.LParam) - wr.top;
        m.Result = HitTest(x, y);
        if (m.Result == HTOBJECT && !hoverTimer_->Enabled()) {
            UpdateHover(x, y, true);
            hoverTimer_->SetEnabled(true);
        }
        return true;
    }
    case WM_NCPAINT:
        if (!skinnable) {
            return false;
        }
        if (Framed()) {
            if (skinInUse_) {
                PaintFrame(nullptr);
            } else if (!skinChanging_) {
                PaintDefaultFrame(nullptr);
            }
        }
        m.Result = 0;
        return true;
    case WM_NCACTIVATE:
        if (!skinnable) {
            return false;
        }
        OnNcActivate(m);
        return true;
    case WM_SYNCPAINT:
        if (skinnable && rolledUp_) {
            SendNcPaint();
            m.Result = 0;
            return true;
        }
        return false;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_RESTORE && OnRestore) {
            OnRestore(this);
        }
        if ((m.WParam & 0xFFF0) == SC_KEYMENU) {
            CloseOpenMenu();
            return true;
        }
        return false;
    case WM_TIMER:
        if (m.WParam == kFadeTimerId && IsWindows2000OrLater() && (alphaBlend_ || AlphaBlendAnimation)) {
            OnFadeTimer();
        }
        return false;
    case WM_SIZING: OnSizing(m); return false;
    case WM_MOVING:
        if (skinnable) {
            OnMoving(m);
        }
        return false;
    case WM_ENTERSIZEMOVE:
        if (skinnable) {
            OnEnterSizeMove();
        }
        return false;
    case WM_EXITSIZEMOVE:
        if (skinnable) {
            OnExitSizeMove();
        }
        return false;
    case QVM_SKIN_CHANGING:
        if (reinterpret_cast<TqvSkinData*>(m.WParam) == skinData_ && skinData_ != nullptr) {
            OnSkinChanging(skinData_);
        }
        return false;
    case QVM_SKIN_CHANGE: OnSkinChange(reinterpret_cast<TqvSkinData*>(m.WParam)); return false;
    case QVM_SKIN_CHANGED:
        if (OnAfterChangeSkinData) {
            OnAfterChangeSkinData(this);
        }
        return false;
    case QVM_STRINGS_CHANGED: AssignDefaultHints(); return false;
    case QVM_SKIN_MENU_CLOSED: CloseSkinMenu(); return false;
    case QVM_SKINNABLE_CHANGED:
        if (reinterpret_cast<TqvSkinData*>(m.WParam) == skinData_ && skinData_ != nullptr) {
            OnSkinnableChanged();
        }
        return false;
    case kSkinQueryMessage: m.Result = (!skinnable && windows6_) ? 0x3234 : 0x3235; return true;
    case kFramePrintMessage:
    case kFramePrintMessage2:
        if (!skinnable || (m.Msg == kFramePrintMessage2 && m.LParam != kFramePrintLParam2)) {
            return false;
        }
        if (m.WParam != 0 && Framed()) {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            if (skinInUse_) {
                PaintFrame(dc);
            } else {
                PaintDefaultFrame(dc);
            }
        }
        m.Result = m.Msg == kFramePrintMessage ? 0x3233 : kFramePrintLParam2;
        return true;
    default: return false;
    }
}

void TqvVeltrane::OnSize(vcl::TMessage& m) {
    if (!(InSizeMove && FullDragging)) {
        CallSaved(m);
        ClearSnapFlags();
        WindowWidth = form_->Width();
        WindowHeight = form_->Height();
        if (formSkinnable_ && !skinInUse_) {
            UpdateRegion(true);
            SendNcPaint();
        }
        if (formSkinnable_ && skinInUse_ && WindowWidth >= MinFormWidth() &&
            WindowHeight >= MinFormHeight()) {
            RefreshFrame(true);
        }
        if (alphaBlend_ && alphaBlendValue_ < 255 && IsWindows2000OrLater()) {
            SendNcPaint();
            InvalidateForm();
        }
    }
    if (!logo_.Empty()) {
        InvalidateForm();
    }
}

void TqvVeltrane::OnSizing(vcl::TMessage& m) {
    if (!(InSizeMove && FullDragging)) {
        return;
    }
    ClearSnapFlags();
    CallSaved(m);
    const RECT* r = reinterpret_cast<const RECT*>(m.LParam);
    WindowWidth = r->right - r->left;
    WindowHeight = r->bottom - r->top;
    if (!skinInUse_) {
        UpdateRegion(true);
    } else if (formSkinnable_ && WindowWidth >= MinFormWidth() && WindowHeight >= MinFormHeight() &&
               (WindowWidth != form_->Width() || WindowHeight != form_->Height())) {
        RefreshFrame(true);
    }
}

void TqvVeltrane::OnNcCalcSize(vcl::TMessage& m) {
    m.Result = 0;
    if (!Framed()) {
        return;
    }
    RECT* r = reinterpret_cast<RECT*>(m.LParam);
    if (r == nullptr) {
        return;
    }
    if (skinInUse_) {
        UpdateGeometry();
    }
    RECT in = FrameInsets();
    r->left += in.left;
    r->top += in.top;
    r->right -= in.right;
    r->bottom -= in.bottom;
    r->right = std::max(r->right, r->left);
    r->bottom = std::max(r->bottom, r->top);
}

void TqvVeltrane::OnNcActivate(vcl::TMessage& m) {
    if (skinMenu_ != nullptr && skinMenu_->MenuOpen()) {
        skinMenu_->CloseMenu();
    }
    IsActiveFlag = m.WParam != 0;
    m.Result = 1;
    if (!Framed()) {
        SetCaptionActive(false);
        return;
    }
    SendNcPaint();
    SetCaptionActive(true);
}

void TqvVeltrane::OnShowWindow(vcl::TMessage& m) {
    HWND h = form_->Handle();
    if (m.WParam >= 1) {
        if (firstShow_) {
            if (PositionInMonitor == qvpDefault) {
                firstShow_ = false;
            } else if (skinWindowState_ == vcl::wsNormal) {
                firstShow_ = false;
                CenterInMonitor();
            }
        }
        if (IsWindows2000OrLater() && (alphaBlend_ || AlphaBlendAnimation)) {
            SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
            SetWindowAlpha(h, 0);
            fadeAlpha_ = -1;
            SetTimer(h, kFadeTimerId, 1, nullptr);
        }
        if (formSkinnable_) {
            NudgeWidth();
        }
    } else if (formSkinnable_ && alphaBlend_ && IsWindows2000OrLater()) {
        SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    }
}

void TqvVeltrane::OnFadeTimer() {
    HWND h = form_->Handle();
    const BYTE target = (alphaBlend_ || !AlphaBlendAnimation) ? alphaBlendValue_ : BYTE(255);
    if (AlphaBlendAnimation && fadeAlpha_ < int(target)) {
        // The fade climbs by 10 every 5 ms on the window's own timer, so the message loop (and
        // the window's first paint) keeps running while it fades in.
        if (fadeAlpha_ < 0) {
            fadeAlpha_ = 0;
            SetTimer(h, kFadeTimerId, 5, nullptr);
            return;
        }
        fadeAlpha_ = std::min(fadeAlpha_ + 10, int(target));
        SetWindowAlpha(h, BYTE(fadeAlpha_));
        if (fadeAlpha_ < int(target)) {
            return;
        }
    }
    KillTimer(h, kFadeTimerId);
    fadeAlpha_ = -1;
    if (!AlphaBlendAnimation && target != 255) {
        SetWindowAlpha(h, target);
    }
    if (target == 255) {
        SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    }
}

// ---- skin changes ----

void TqvVeltrane::OnSkinChanging(TqvSkinData* data) {
    skinChanging_ = true;
    skinInUse_ = false;
    StopTimers();
    FreeObjects();
    ForEachSkinClient(data, [](IqvSkinClient* c) { c->ReleaseSkinRecord(); });
    if (OnBeforeChangeSkinData) {
        OnBeforeChangeSkinData(this);
    }
}

void TqvVeltrane::OnSkinChange(TqvSkinData* data) {
    skinChanging_ = false;
    if (data != nullptr && data == skinData_) {
        ApplyFormSkin();
    }
    ForEachSkinClient(data, [](IqvSkinClient* c) { c->ApplySkin(); });
}

void TqvVeltrane::OnSkinnableChanged() {
    IsActiveFlag = IsFormActive();
    remaximize_ = false;
    const bool value = skinData_->SkinnableForm();
    if (skinWindowState_ == vcl::wsMaximized && formSkinnable_) {
        form_->Hide();
        skinWindowState_ = vcl::wsNormal;
        remaximize_ = true;
    } else if (form_->WindowState() == vcl::wsMaximized && !formSkinnable_) {
        form_->SetWindowState(vcl::wsNormal);
        form_->Hide();
        remaximize_ = true;
    }
    formSkinnable_ = value;
    ApplyFormSkin();
    ForEachSkinClient(nullptr, [](IqvSkinClient* c) { c->ApplySkin(); });
    if (form_->HandleAllocated()) {
        form_->RecreateWnd();
    }
    InvalidateForm();
    if (remaximize_) {
        remaximize_ = false;
        if (formSkinnable_) {
            RestoreBounds = RECT{};
            SetSkinWindowState(vcl::wsMaximized);
        } else {
            form_->SetWindowState(vcl::wsMaximized);
        }
        form_->Show();
    }
}

void TqvVeltrane::ApplyFormSkin() {
    ResetMouseState();
    skinInUse_ = skinData_ != nullptr && !skinData_->IsEmpty();
    if (skinInUse_ && formSkinnable_) {
        CreateObjects();
    } else {
        FreeObjects();
        WindowWidth = form_->Width();
        WindowHeight = form_->Height();
        UpdateRegion(true);
    }
    if (formSkinnable_) {
        if (form_->BorderIcons() != 0) {
            form_->SetBorderIcons(0);
        }
    } else {
        vcl::TBorderIcons icons = 0;
        if (!hideCaptionButtons_) {
            icons |= vcl::biSystemMenu;
        }
        if (borderIcons_ & biMinimize) icons |= vcl::biMinimize;
        if (borderIcons_ & biMaximize) icons |= vcl::biMaximize;
        form_->SetBorderIcons(icons);
    }
    applying_ = true;
    FixFormSize();
    WindowWidth = form_->Width();
    WindowHeight = form_->Height();
    if (skinInUse_) {
        RefreshFrame(true);
    }
    InvalidateForm();
    SetCaptionActive(true);
    hoverTimer_->SetEnabled(true);
    if (OnChangeSkinData) {
        OnChangeSkinData(this);
    }
    applying_ = false;
    if (!rolledUp_) {
        if (ClientWidth > 0) {
            form_->SetClientWidth(ClientWidth);
        }
        if (ClientHeight > 0) {
            form_->SetClientHeight(ClientHeight);
        }
    }
}

void TqvVeltrane::FixFormSize() {
    const int mw = MinFormWidth();
    const int mh = MinFormHeight();
    if (form_->Width() < mw && form_->Height() < mh) {
        form_->SetBounds(form_->Left(), form_->Top(), mw, mh);
    } else if (form_->Height() < mh) {
        form_->SetHeight(mh);
    } else if (form_->Width() < mw) {
        form_->SetWidth(mw);
    } else {
        NudgeWidth();
    }
    const bool minimized = FormIsMinimized();
    if (rolledUp_ || minimized) {
        if (form_->Height() != mh) {
            form_->SetHeight(mh);
        }
        if (minimized && form_->Width() != mw) {
            form_->SetWidth(mw);
        }
    }
}

// ---- activation and redraw ----

void TqvVeltrane::SetCaptionActive(bool animate) {
    const bool active = IsFormActive();
    for (auto& o : SkinObjects) {
        auto* caption = dynamic_cast<TqvSkinCaptionObject*>(o.get());
        if (caption == nullptr || caption->ObjectActive == active) {
            continue;
        }
        caption->ObjectActive = active;
        if (animate) {
            if (caption->HasAnimation()) {
                caption->FrameTicks = 25;
                caption->AnimFrame = active ? 1 : (caption->inactiveanimation ? caption->framecount : 0);
                animationTimer_->SetEnabled(true);
            }
            SendNcPaint();
            if (caption->CanMorph()) {
                morphStepTimer_->SetEnabled(true);
            }
        } else {
            caption->MorphFactor = active ? 1 : 0;
        }
        break;
    }
    if (active) {
        if (OnActivate) {
            OnActivate(this);
        }
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

void TqvVeltrane::RedrawObject(TqvActiveSkinObject* object) {
    if (object == nullptr || !Framed() || !form_->HandleAllocated()) {
        return;
    }
    HDC dc = GetWindowDC(form_->Handle());
    if (dc == nullptr) {
        return;
    }
    object->Draw(dc, true);
    ReleaseDC(form_->Handle(), dc);
}

} // namespace qv
