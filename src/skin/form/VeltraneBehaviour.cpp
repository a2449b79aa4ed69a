// Window behaviour of the form skin: what each frame point means (hit testing), the size limits,
// minimize / maximize / restore / roll-up in the form skin's own window state, the first placement,
// magnetic snapping while moving, the system menu and its keyboard access, and the frame's mouse
// messages (stage 3 of the hook).
#include "skin/form/Veltrane.h"

#include "platform/ui/User.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvUtils.h"
#include "skin/form/qvSkinMenus.h"

#include <cstdlib>

namespace qv {

namespace {

bool InRect(const RECT& r, int x, int y) { return PtInRect(r, POINT{x, y}) != 0; }

bool Black(const gfx::Bitmap& strip, int x, int y) {
    if (!strip.Contains(x, y)) {
        return false;
    }
    return (strip.GetPixel(x, y) & 0xFFFFFFu) == 0;
}

} // namespace

RECT TqvVeltrane::ClientAreaForHover() const {
    if (skinInUse_) {
        return ClientArea;
    }
    const int W = WindowWidth != 0 ? WindowWidth : form_->Width();
    const int H = WindowHeight != 0 ? WindowHeight : form_->Height();
    return RECT{3, DefaultCaptionHeight() + 3, W - 3, H - 3};
}

// ---- hit testing ----

bool TqvVeltrane::MaskInside(int x, int y) const {
    if (InRect(MaskArea, x, y)) {
        return true;
    }
    if (y <= MaskArea.top) {
        return Black(Mask.Top, x, y);
    }
    if (y < MaskArea.bottom) {
        if (x > MaskArea.left) {
            return Black(Mask.Right, x - MaskArea.right, y - MaskArea.top);
        }
        return Black(Mask.Left, x, y - MaskArea.top);
    }
    return Black(Mask.Bottom, x, y - MaskArea.bottom);
}

int TqvVeltrane::HitTest(int x, int y) {
    if (!skinInUse_ || skinData_ == nullptr) {
        return DefaultHitTest(x, y);
    }
    const int W = form_->Width();
    const int H = form_->Height();
    bool inCaption = false;
    for (const auto& o : SkinObjects) {
        if (dynamic_cast<TqvSkinCaptionObject*>(o.get()) && InRect(o->ObjectRect, x, y)) {
            inCaption = true;
            break;
        }
    }
    const int inner = InRect(ClientArea, x, y) ? HTCLIENT : inCaption ? HTCAPTION : HTOBJECT;
    if (rolledUp_ || skinWindowState_ == vcl::wsMinimized) {
        return inCaption ? HTCAPTION : HTOBJECT;
    }
    if (HoverIndex != -1 && !inCaption && !InRect(ClientArea, x, y) && !InSizeMove) {
        return HTOBJECT;
    }
    if (skinWindowState_ == vcl::wsMaximized || !CanResize()) {
        return inner;
    }
    const int b = skinData_->borderwidth;
    const POINT probes[] = {{x - b, y}, {x, y - b}, {x + b, y}, {x, y + b}};
    bool nearEdge = false;
    if (skinData_->FormMaskPicture.Empty()) {
        const RECT all{0, 0, W, H};
        for (POINT p : probes) {
            nearEdge = nearEdge || !InRect(all, p.x, p.y);
        }
    } else if (!InRect(MaskArea, x, y)) {
        for (POINT p : probes) {
            nearEdge = nearEdge || !MaskInside(p.x, p.y);
        }
    }
    if (!nearEdge) {
        return inner;
    }
    if (x <= HitLT.x && y <= HitLT.y) return HTTOPLEFT;
    if (x >= HitRT.x && y <= HitRT.y) return HTTOPRIGHT;
    if (x <= HitLB.x && y >= HitLB.y) return HTBOTTOMLEFT;
    if (x >= HitRB.x && y >= HitRB.y) return HTBOTTOMRIGHT;
    if (InRect(RECT{HitLT.x, 0, HitRT.x, ClientArea.top}, x, y)) return HTTOP;
    if (InRect(RECT{HitLB.x, ClientArea.bottom, HitRB.x, H}, x, y)) return HTBOTTOM;
    if (InRect(RECT{0, HitLT.y, ClientArea.left, HitLB.y}, x, y)) return HTLEFT;
    if (InRect(RECT{ClientArea.right, HitRT.y, W, HitRB.y}, x, y)) return HTRIGHT;
    return inner;
}

int TqvVeltrane::DefaultHitTest(int x, int y) {
    const int W = form_->Width();
    const int H = form_->Height();
    if (!(skinWindowState_ != vcl::wsNormal || rolledUp_ || !CanResize())) {
        if (HoverIndex != -1) return HTOBJECT;
        if (x <= 2 && y <= 2) return HTTOPLEFT;
        if (x >= W - 2 && y <= 2) return HTTOPRIGHT;
        if (x <= 2 && y >= H - 2) return HTBOTTOMLEFT;
        if (x >= W - 2 && y >= H - 2) return HTBOTTOMRIGHT;
        if (x <= 2) return HTLEFT;
        if (y <= 2) return HTTOP;
        if (x >= W - 2) return HTRIGHT;
        if (y >= H - 2) return HTBOTTOM;
    }
    WindowWidth = W;
    LayoutDefaultButtons();
    if (InRect(DefaultCaptionArea, x, y)) {
        return HTCAPTION;
    }
    if (InRect(RECT{3, DefaultCaptionHeight() + 3, W - 3, H - 3}, x, y)) {
        return HTCLIENT;
    }
    return HTOBJECT;
}

// ---- size limits ----

bool TqvVeltrane::CanResize() const {
    auto style = form_->BorderStyle();
    return AlwaysResize || style == vcl::bsSizeable || style == vcl::bsSizeToolWin;
}

int TqvVeltrane::MinFormWidth() const {
    if (!skinInUse_ || skinData_ == nullptr) {
        return MinWidth > 0 ? MinWidth : 120;
    }
    const int pw = skinData_->MainPicture.Width();
    if (pw < MinWidth && skinWindowState_ != vcl::wsMinimized) {
        return MinWidth;
    }
    if (skinData_->formminwidth > 0) {
        return skinData_->formminwidth;
    }
    return pw;
}

int TqvVeltrane::MinFormHeight() const {
    int f;
    if (skinInUse_ && skinData_ != nullptr) {
        f = skinData_->MainPicture.Height() - HeightOfRect(skinData_->clientrect);
    } else {
        f = DefaultCaptionHeight() + 6;
    }
    if (f >= MinHeight || rolledUp_ || skinWindowState_ == vcl::wsMinimized) {
        return f;
    }
    return MinHeight;
}

int TqvVeltrane::MaxFormWidth() const {
    RECT r = GetMonitorArea(form_->HandleAllocated() ? form_->Handle() : nullptr, !MaximizeOnFullScreen);
    int w = WidthOfRect(r);
    return (MaxWidth != 0 && MaxWidth < w) ? MaxWidth : w;
}

int TqvVeltrane::MaxFormHeight() const {
    RECT r = GetMonitorArea(form_->HandleAllocated() ? form_->Handle() : nullptr, !MaximizeOnFullScreen);
    int h = HeightOfRect(r);
    return (MaxHeight != 0 && MaxHeight < h) ? MaxHeight : h;
}

// ---- window state ----

void TqvVeltrane::SetSkinWindowState(vcl::TWindowState state) {
    if (!formSkinnable_) {
        form_->SetWindowState(state);
        return;
    }
    if (state == skinWindowState_) {
        return;
    }
    const vcl::TWindowState old = skinWindowState_;
    const bool mainForm = vcl::Application != nullptr && vcl::Application->MainForm() == form_;
    if (!(state == vcl::wsMinimized && mainForm)) {
        skinWindowState_ = state;
    }
    switch (state) {
    case vcl::wsMinimized: Minimize(); break;
    case vcl::wsMaximized:
        wasRolledUpBeforeMaximize_ = rolledUp_;
        Maximize();
        break;
    case vcl::wsNormal:
        if (old == vcl::wsMaximized && rolledUp_ && !wasRolledUpBeforeMaximize_) {
            SetRolledUp(false);
        }
        wasRolledUpBeforeMaximize_ = false;
        Restore();
        break;
    }
    SendNcPaint();
}

void TqvVeltrane::Minimize() {
    if (vcl::Application != nullptr && vcl::Application->MainForm() == form_) {
        vcl::Application->Minimize();
    } else {
        if (RectIsEmpty(RestoreBounds)) {
            RestoreBounds = form_->BoundsRect();
        }
        POINT p = MinimizedPosition();
        form_->SetBounds(p.x, p.y, MinFormWidth(), MinFormHeight());
    }
    if (OnMinimize) {
        OnMinimize(this);
    }
}

POINT TqvVeltrane::MinimizedPosition() const {
    RECT r = GetMonitorArea(form_->HandleAllocated() ? form_->Handle() : nullptr, true);
    const int w = MinFormWidth();
    const int h = MinFormHeight();
    POINT p{r.left, r.bottom - h};
    auto taken = [&](POINT at) {
        if (vcl::Screen == nullptr) {
            return false;
        }
        for (int i = 0; i < vcl::Screen->FormCount(); ++i) {
            vcl::TCustomForm* f = vcl::Screen->Forms(i);
            if (f == form_ || !f->Visible() ||
                (vcl::Application != nullptr && f == vcl::Application->MainForm())) {
                continue;
            }
            for (int j = 0; j < f->ComponentCount(); ++j) {
                auto* skin = dynamic_cast<TqvVeltrane*>(f->Components(j));
                if (skin != nullptr && skin->SkinWindowState() == vcl::wsMinimized && f->Left() == at.x &&
                    f->Top() == at.y) {
                    return true;
                }
            }
        }
        return false;
    };
    // Bounded by the number of forms: each step passes one minimized form.
    for (int guard = 0; guard < 10000 && taken(p); ++guard) {
        p.x += w;
        if (p.x + w > r.right) {
            p.x = r.left;
            p.y -= h;
            if (p.y < r.top) {
                return POINT{r.left, r.bottom - h};
            }
        }
    }
    return p;
}

void TqvVeltrane::Maximize() {
    if (RectIsEmpty(RestoreBounds)) {
        RestoreBounds = form_->BoundsRect();
    }
    HWND h = form_->HandleAllocated() ? form_->Handle() : nullptr;
    RECT monitor = GetMonitorArea(h, false);
    RECT target = MaximizeOnFullScreen ? monitor : GetMonitorArea(h, true);
    if (!MaximizeOnFullScreen && WidthOfRect(target) == WidthOfRect(monitor) &&
        HeightOfRect(target) == HeightOfRect(monitor)) {
        RECT primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (monitor == primary) {
            // Nothing reserved at the screen's edges: leave a pixel so the desktop can still
            // reveal an auto-hidden panel.
            target = InflateRect(target, -1, -1);
        }
    }
    form_->SetBoundsRect(target);
    if (OnMaximize) {
        OnMaximize(this);
    }
}

void TqvVeltrane::Restore() {
    rolledUpWhileMaximized_ = false;
    const int oldW = form_->Width();
    const int oldH = form_->Height();
    if (vcl::Application != nullptr && vcl::Application->MainForm() == form_ && form_->HandleAllocated() &&
        IsIconic(form_->Handle())) {
        vcl::Application->Restore();
    }
    if (!RectIsEmpty(RestoreBounds)) {
        form_->SetBoundsRect(RestoreBounds);
    }
    if (firstShow_) {
        firstShow_ = false;
        CenterInMonitor();
    }
    hoverTimer_->SetEnabled(true);
    if (form_->Width() == oldW && form_->Height() == oldH) {
        NudgeWidth();
    }
    InvalidateForm();
    RestoreBounds = RECT{};
    if (OnRestore) {
        OnRestore(this);
    }
}

void TqvVeltrane::SetRolledUp(bool value) {
    if (!(borderIcons_ & biRollUp) || skinWindowState_ == vcl::wsMinimized) {
        return;
    }
    if (rolledUp_ && skinWindowState_ == vcl::wsMaximized && !rolledUpWhileMaximized_) {
        return;
    }
    if (value == rolledUp_) {
        return;
    }
    if (skinWindowState_ == vcl::wsMaximized) {
        rolledUpWhileMaximized_ = value;
    }
    rolledUp_ = value;
    if (value) {
        heightBeforeRollUp_ = form_->Height();
        form_->SetHeight(MinFormHeight());
    } else if (ClientHeight != 0) {
        form_->SetClientHeight(ClientHeight);
    } else {
        form_->SetHeight(heightBeforeRollUp_);
    }
    SendNcPaint();
    if (OnChangeRollUpState) {
        OnChangeRollUpState(this);
    }
}

// This system assigns no tray icon, so the tray commands have nothing to act on.
void TqvVeltrane::MinimizeToTray() {}
void TqvVeltrane::RestoreFromTray() {}

void TqvVeltrane::CenterInMonitor() {
    HWND h = form_->HandleAllocated() ? form_->Handle() : nullptr;
    RECT r = GetMonitorArea(h, PositionInMonitor == qvpDesktopCenter);
    form_->SetBounds(r.left + WidthOfRect(r) / 2 - form_->Width() / 2,
                     r.top + HeightOfRect(r) / 2 - form_->Height() / 2, form_->Width(), form_->Height());
}

void TqvVeltrane::CaptionDoubleClick() {
    const bool resize = CanResize();
    if (resize && skinWindowState_ == vcl::wsMinimized) {
        SetSkinWindowState(vcl::wsNormal);
    } else if (resize && skinWindowState_ != vcl::wsMaximized && !rolledUp_ && (borderIcons_ & biMaximize)) {
        SetSkinWindowState(vcl::wsMaximized);
    } else if (resize && skinWindowState_ == vcl::wsMaximized && !rolledUpWhileMaximized_) {
        SetSkinWindowState(vcl::wsNormal);
    } else {
        SetRolledUp(!rolledUp_);
    }
    ClearPress();
}

// ---- moving ----

namespace {

// One edge of the magnetic snap. pos is the proposed position of the edge's side of the form,
// target where it snaps to, cursor and anchor the cursor now and when it snapped. The snap holds
// while the cursor stays within the snap distance of where it snapped, then the form follows the
// cursor from there.
void SnapEdge(int& pos, int target, int m, int cursor, int& anchor, bool& snapped) {
    const bool nearEdge = std::abs(pos - target) < m;
    bool brokeFree = false;
    if (nearEdge && !snapped) {
        pos = target;
        anchor = cursor;
    } else if (snapped) {
        brokeFree = std::abs(cursor - anchor) > m;
        pos = brokeFree ? cursor + target - anchor : target;
    }
    snapped = nearEdge || (snapped && !brokeFree);
}

} // namespace

void TqvVeltrane::SnapToEdges(int& left, int& top, int height, int width) {
    const int m = MagneticSize;
    RECT r = GetMonitorArea(form_->HandleAllocated() ? form_->Handle() : nullptr, true);
    POINT cur{};
    GetCursorPos(&cur);
    SnapEdge(left, r.left, m, cur.x, snapAnchorX_, snappedLeft_);
    SnapEdge(top, r.top, m, cur.y, snapAnchorY_, snappedTop_);
    int right = left + width;
    SnapEdge(right, r.right, m, cur.x, snapAnchorX_, snappedRight_);
    left = right - width;
    int bottom = top + height;
    SnapEdge(bottom, r.bottom, m, cur.y, snapAnchorY_, snappedBottom_);
    top = bottom - height;
}

void TqvVeltrane::OnMoving(vcl::TMessage& m) {
    RECT* r = reinterpret_cast<RECT*>(m.LParam);
    if (r == nullptr) {
        return;
    }
    if (skinWindowState_ == vcl::wsMaximized) {
        *r = form_->BoundsRect();
        return;
    }
    if (Magnetic) {
        int left = r->left;
        int top = r->top;
        const int w = r->right - r->left;
        const int h = r->bottom - r->top;
        SnapToEdges(left, top, h, w);
        *r = RECT{left, top, left + w, top + h};
    }
}

void TqvVeltrane::OnEnterSizeMove() {
    POINT cur{};
    GetCursorPos(&cur);
    snapAnchorX_ = cur.x;
    snapAnchorY_ = cur.y;
    ResetObjectStates();
    hoverTimer_->SetEnabled(false);
    ResetMouseState();
    InSizeMove = true;
    BOOL full = TRUE;
    SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    FullDragging = full != FALSE;
}

void TqvVeltrane::OnExitSizeMove() {
    hoverTimer_->SetEnabled(false);
    ResetMouseState();
    if (skinInUse_) {
        SendNcPaint();
    }
}

// ---- system menu ----

vcl::TMenu* TqvVeltrane::SystemMenuItems() {
    const bool minimized = skinWindowState_ == vcl::wsMinimized;
    const bool maximized = skinWindowState_ == vcl::wsMaximized;
    const bool canRollUp = (borderIcons_ & biRollUp) && !rolledUp_ && !minimized;
    const bool canRestore = skinWindowState_ != vcl::wsNormal || rolledUp_;
    const vcl::TShortCut altF4 = vcl::ShortCut(VK_F4, vcl::scAlt);
    auto make = [this](vcl::TMenuItem* parent, int index, const char* name, const char* key, const char* text,
                       vcl::TShortCut sc, std::function<void()> action) {
        auto* item = new vcl::TMenuItem(nullptr);
        item->SetName(name);
        item->SetCaption(ResourceString(key, text));
        item->SetShortCut(sc);
        item->OnClick = [action](vcl::TObject*) { action(); };
        parent->Insert(index < 0 ? parent->Count() : index, item);
    };
    auto minimize = [this] {
        if (AlwaysMinimizeToTray) {
            MinimizeToTray();
        } else {
            SetSkinWindowState(vcl::wsMinimized);
        }
    };
    auto restore = [this] {
        if (rolledUp_ && (rolledUpWhileMaximized_ || skinWindowState_ == vcl::wsNormal)) {
            SetRolledUp(false);
        } else {
            SetSkinWindowState(vcl::wsNormal);
        }
    };
    if (systemMenu_ != nullptr) {
        vcl::TMenuItem* items = systemMenu_->Items();
        if (UseDefaultSysMenu) {
            static const char* const names[] = {"VLT_MINITEM",   "VLT_MAXITEM", "VLT_CLOSE",
                                                "VLT_MINTOTRAY", "VLT_ROLLUP",  "VLT_RESTORE"};
            for (int i = items->Count() - 1; i >= 0; --i) {
                for (const char* n : names) {
                    if (items->Items(i)->Name() == n) {
                        items->Delete(i);
                        break;
                    }
                }
            }
            if (borderIcons_ & biMinimizeToTray) {
                make(items, 0, "VLT_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray", 0,
                     [this] { MinimizeToTray(); });
            }
            if (canRollUp) {
                make(items, 0, "VLT_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp", 0, [this] { SetRolledUp(true); });
            }
            if ((borderIcons_ & biMaximize) && !maximized) {
                make(items, 0, "VLT_MAXITEM", "MI_MAXCAPTION", "Ma&ximize", 0,
                     [this] { SetSkinWindowState(vcl::wsMaximized); });
            }
            if (canRestore) {
                make(items, 0, "VLT_RESTORE", "MI_RESTORECAPTION", "&Restore", 0, restore);
            }
            if ((borderIcons_ & biMinimize) && !minimized) {
                make(items, 0, "VLT_MINITEM", "MI_MINCAPTION", "Mi&nimize", 0, minimize);
            }
            make(items, -1, "VLT_CLOSE", "MI_CLOSECAPTION", "&Close", altF4, [this] { form_->Close(); });
        }
        return systemMenu_;
    }
    vcl::TMenuItem* items = builtInSystemMenu_->Items();
    items->Clear();
    if (!minimized && (borderIcons_ & biMinimize)) {
        make(items, -1, "VLT_MINITEM", "MI_MINCAPTION", "Mi&nimize", 0, minimize);
    }
    if (!maximized && (borderIcons_ & biMaximize)) {
        make(items, -1, "VLT_MAXITEM", "MI_MAXCAPTION", "Ma&ximize", 0,
             [this] { SetSkinWindowState(vcl::wsMaximized); });
    }
    if (canRestore) {
        make(items, -1, "VLT_RESTORE", "MI_RESTORECAPTION", "&Restore", 0, restore);
    }
    if (canRollUp) {
        make(items, -1, "VLT_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp", 0, [this] { SetRolledUp(true); });
    }
    if (borderIcons_ & biMinimizeToTray) {
        make(items, -1, "VLT_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray", 0,
             [this] { MinimizeToTray(); });
    }
    if (items->Count() > 0) {
        items->AddItem("-");
    }
    make(items, -1, "VLT_CLOSE", "MI_CLOSECAPTION", "&Close", altF4, [this] { form_->Close(); });
    return builtInSystemMenu_;
}

void TqvVeltrane::ShowSystemMenuUnder(const RECT& rect) {
    // An open menu may show the system menu's items, which are rebuilt now.
    CloseOpenMenu();
    PopupMenuItems(SystemMenuItems(), rect, false);
}

void TqvVeltrane::SyncMenuSettings() {
    skinMenu_->SkinFontInItems = UseSkinFontInMenu;
    skinMenu_->ItemHeightDefault = defMenuItemHeight_;
    skinMenu_->ItemFontDefault()->Assign(defMenuItemFont_.get());
    skinMenu_->MaxItemsInWindow = maxMenuItemsInWindow_;
    skinMenu_->AlphaBlend = MenusAlphaBlend;
    skinMenu_->AlphaBlendAnimation = MenusAlphaBlendAnimation;
    skinMenu_->AlphaBlendValue = MenusAlphaBlendValue;
}

void TqvVeltrane::PopupMenuItems(vcl::TMenu* menu, const RECT& rect, bool upward) {
    if (menu == nullptr) {
        return;
    }
    SyncMenuSettings();
    OpenSkinMenu();
    skinMenu_->Popup(nullptr, MenuSkin(), 0, rect, menu->Items(), upward);
    if (!skinMenu_->MenuOpen() && skinMenuOpen_) {
        // Nothing to show: no open-menu state stays behind.
        CloseSkinMenu();
    }
}

void TqvVeltrane::ShowSystemMenuAt(int x, int y) { ShowSystemMenuUnder(RECT{x, y, x, y}); }

void TqvVeltrane::ShowSystemMenuFromKeyboard() {
    for (auto& o : SkinObjects) {
        TqvStdCommand command = cmDefault;
        if (auto* s = dynamic_cast<TqvSkinStdButtonObject*>(o.get())) {
            command = s->command;
        } else if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            command = a->command;
        }
        if (command == cmSysMenu && o->Usable) {
            RECT r = o->ObjectRect;
            r = OffsetRect(r, form_->Left(), form_->Top());
            ShowSystemMenuUnder(r);
            return;
        }
    }
}

void TqvVeltrane::OpenSkinMenu() {
    if (!skinMenuOpen_) {
        skinMenuOpen_ = true;
        if (OnSkinMenuOpen) {
            OnSkinMenuOpen(this);
        }
    }
}

void TqvVeltrane::CloseSkinMenu() {
    skinMenuOpen_ = false;
    ObjectPopupClosed();
    if (OnSkinMenuClose) {
        OnSkinMenuClose(this);
    }
}

// ---- stage 3: the mouse in the frame ----

void TqvVeltrane::FrameMouse(vcl::TMessage& m) {
    RECT wr{};
    if (form_->HandleAllocated()) {
        GetWindowRect(form_->Handle(), &wr);
    }
    const int x = GET_X_LPARAM(m.LParam) - wr.left;
    const int y = GET_Y_LPARAM(m.LParam) - wr.top;
    const bool onCaption = m.WParam == WPARAM(HTCAPTION);
    switch (m.Msg) {
    case WM_NCMOUSEMOVE: ObjectMouseMove(x, y); break;
    case WM_NCLBUTTONDOWN:
        if (InSizeMove) {
            InSizeMove = false;
            break;
        }
        UpdateHover(x, y, true);
        PressObject(vcl::TMouseButton::mbLeft, x, y);
        if (onCaption) {
            ClearPress();
        }
        break;
    case WM_NCLBUTTONUP: ReleaseObject(vcl::TMouseButton::mbLeft, x, y); break;
    case WM_NCLBUTTONDBLCLK: {
        std::shared_ptr<bool> alive = alive_;
        UpdateHover(x, y, true);
        PressObject(vcl::TMouseButton::mbLeft, x, y);
        ObjectDblClick();
        if (*alive && onCaption) {
            CaptionDoubleClick();
        }
        break;
    }
    case WM_NCRBUTTONDOWN:
        UpdateHover(x, y, true);
        PressObject(vcl::TMouseButton::mbRight, x, y);
        if (onCaption) {
            ClearPress();
            if (!DisableSystemMenu) {
                POINT cur{};
                GetCursorPos(&cur);
                ShowSystemMenuAt(cur.x, cur.y);
            }
        }
        break;
    case WM_NCRBUTTONUP: ReleaseObject(vcl::TMouseButton::mbRight, x, y); break;
    case WM_NCRBUTTONDBLCLK:
        UpdateHover(x, y, true);
        PressObject(vcl::TMouseButton::mbRight, x, y);
        if (onCaption) {
            ClearPress();
        }
        break;
    case WM_LBUTTONUP: ReleaseObject(vcl::TMouseButton::mbLeft, -1, -1); break;
    case WM_RBUTTONUP: ReleaseObject(vcl::TMouseButton::mbRight, -1, -1); break;
    default: break;
    }
}

} // namespace qv
