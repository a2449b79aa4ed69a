#pragma once
// TqvVeltrane: the form skin. A non-visual component owned by a form that takes over the form's
// whole non-client area: it reserves a frame whose thickness comes from the skin, paints that
// frame, the caption and the caption buttons from the skin's form picture, gives the window the
// outline of the skin's mask picture, paints the client background, and turns mouse activity in
// the frame into caption-button presses, moving, sizing and the system menu. Without a skin it
// draws a plain built-in frame, so the form is never left without one.
//
// Attachment replaces the form's WindowProc with the hook (the saved one is called to pass
// messages on) and recreates the window. Every message then goes through three stages: closing
// menus and hints on presses and moves, the message itself (frame geometry and painting, skin
// changes, activation, sizing), and the mouse in the frame (caption objects).
//
// Seams for the companions that sit beside or above the form skin:
// - skinned controls: IqvSkinClient (skin/data/qvSkinClient.h), walked depth first on a skin change;
// - the popup menu engine: TqvSkinMenu (qvSkinMenus.h), owned by the form skin; the system menu
//   and every TqvSkinPopupMenu of the form open through it;
// - the hint window: IqvObjectHintHost for the caption buttons' hints.

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/WinTypes.h"
#include "skin/data/qvCompose.h"
#include "skin/data/qvPushTracker.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/VeltraneObjects.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The set bits of TqvBorderIcons (bit 0 = biSystemMenu ... bit 4 = biMinimizeToTray).
enum TqvBorderIcon : unsigned {
    biSystemMenu = 1,
    biMinimize = 2,
    biMaximize = 4,
    biRollUp = 8,
    biMinimizeToTray = 16,
};
using TqvBorderIcons = unsigned;

enum TqvPositionInMonitor { qvpDefault, qvpScreenCenter, qvpDesktopCenter };

// The form skin's private messages (the skin engine's numbered ones live in qvSkinData.h).
inline constexpr UINT kSkinQueryMessage = 0xB1B2;
inline constexpr UINT kFramePrintMessage = 0xB1C9;
inline constexpr UINT kFramePrintMessage2 = 0xBC4B;
inline constexpr LPARAM kFramePrintLParam2 = 0x41A2;

class TqvSkinMenu;

// Shows the caption buttons' hints.
class IqvObjectHintHost {
public:
    virtual ~IqvObjectHintHost() = default;
    virtual void ActivateObjectHint(const std::string& text) = 0;
    virtual void HideObjectHint() = 0;
};

using TqvCaptionPaintEvent = std::function<void(vcl::TCanvas* cnvs, const RECT& r, bool active)>;
using TqvPaintEvent =
    std::function<void(const std::string& idName, vcl::TCanvas* canvas, const RECT& objectRect)>;
using TqvObjectEvent = std::function<void(const std::string& idName)>;
using TqvObjectMouseEvent =
    std::function<void(const std::string& idName, int x, int y, const RECT& objectRect, TMouseButton button)>;
using TqvObjectMouseMoveEvent =
    std::function<void(const std::string& idName, int x, int y, const RECT& objectRect)>;
using TqvActivateCustomObjectEvent = std::function<void(const std::string& idName, bool& objectVisible)>;

class TqvVeltrane : public vcl::TComponent {
public:
    // The owner must be a form (vcl::EInvalidCast otherwise).
    explicit TqvVeltrane(vcl::TComponent* owner);
    ~TqvVeltrane() override;

    // ---- published ----
    TqvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TqvSkinData* data);
    TqvSkinData* MenusSkinData() const { return menusSkinData_; }
    void SetMenusSkinData(TqvSkinData* data);
    TqvBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TqvBorderIcons icons);
    bool DisableSystemMenu = false;
    bool AlwaysResize = false;
    TqvPositionInMonitor PositionInMonitor = qvpDefault;
    bool UseFormCursorInNCArea = false;
    int MaxMenuItemsInWindow() const { return maxMenuItemsInWindow_; }
    void SetMaxMenuItemsInWindow(int value);
    int ClientWidth = 0;
    int ClientHeight = 0;
    bool HideCaptionButtons() const { return hideCaptionButtons_; }
    void SetHideCaptionButtons(bool on);
    bool AlwaysShowInTray = false;
    bool AlwaysMinimizeToTray = false;
    const gfx::Bitmap& LogoBitMap() const { return logo_; }
    void SetLogoBitMap(const gfx::Bitmap& picture);
    bool LogoBitMapTransparent = false;
    bool ShowIcon() const { return showIcon_; }
    void SetShowIcon(bool on);
    bool MaximizeOnFullScreen = false;
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool on);
    bool AlphaBlendAnimation = false;
    BYTE AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(BYTE value);
    IqvObjectHintHost* SkinHint = nullptr;
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    bool MenusAlphaBlend = false;
    bool MenusAlphaBlendAnimation = false;
    BYTE MenusAlphaBlendValue = 200;
    bool UseSkinFontInMenu = true;
    int DefMenuItemHeight() const { return defMenuItemHeight_; }
    void SetDefMenuItemHeight(int value);
    vcl::TFont* DefMenuItemFont() const { return defMenuItemFont_.get(); }
    vcl::TFont* DefCaptionFont() const { return defCaptionFont_.get(); }
    void SetDefCaptionFont(const vcl::TFont* font);
    vcl::TFont* DefInActiveCaptionFont() const { return defInActiveCaptionFont_.get(); }
    void SetDefInActiveCaptionFont(const vcl::TFont* font);
    bool UseDefaultSysMenu = true;
    vcl::TPopupMenu* SystemMenu() const { return systemMenu_; }
    void SetSystemMenu(vcl::TPopupMenu* menu);
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool Magnetic = false;
    BYTE MagneticSize = 5;
    // The form's menu engine (owned). The form skin closes its menu on presses, moves, sizes and
    // activation changes.
    TqvSkinMenu* SkinMenu() const { return skinMenu_; }
    // Passes the menu settings above (font, item height, item limit, opacity) to the engine.
    void SyncMenuSettings();
    // The skin the form's menus are drawn with: MenusSkinData, else SkinData.
    TqvSkinData* MenuSkin() const { return menusSkinData_ != nullptr ? menusSkinData_ : skinData_; }

    // ---- events ----
    TqvCaptionPaintEvent OnCaptionPaint;
    TqvPaintEvent OnPaintEvent;
    TqvObjectEvent OnMouseEnterEvent;
    TqvObjectEvent OnMouseLeaveEvent;
    TqvObjectMouseEvent OnMouseDownEvent;
    TqvObjectMouseEvent OnMouseUpEvent;
    TqvObjectMouseMoveEvent OnMouseMoveEvent;
    TqvActivateCustomObjectEvent OnActivateCustomObject;
    vcl::TNotifyEvent OnChangeSkinData;
    vcl::TNotifyEvent OnBeforeChangeSkinData;
    vcl::TNotifyEvent OnAfterChangeSkinData;
    vcl::TNotifyEvent OnActivate;
    vcl::TNotifyEvent OnDeActivate;
    vcl::TNotifyEvent OnSkinMenuOpen;
    vcl::TNotifyEvent OnSkinMenuClose;
    vcl::TNotifyEvent OnChangeRollUpState;
    vcl::TNotifyEvent OnMinimize;
    vcl::TNotifyEvent OnRestore;
    vcl::TNotifyEvent OnMaximize;
    vcl::TNotifyEvent OnMinimizeToTray;
    vcl::TNotifyEvent OnRestoreFromTray;
    vcl::TShortCutEvent OnShortCut;

    // ---- engine ----
    vcl::TCustomForm* Form() const { return form_; }
    void ApplyFormSkin();
    void RedrawObject(TqvActiveSkinObject* object);
    bool IsFormActive() const;
    void SetCaptionActive(bool animate);
    void NudgeWidth();
    bool FormSkinnable() const { return formSkinnable_; }
    bool SkinInUse() const { return skinInUse_; }
    bool SkinChanging() const { return skinChanging_; }
    bool ForceActive = false;

    // ---- frame geometry and painting ----
    void UpdateGeometry();
    void RefreshFrame(bool rescale);
    void UpdateRegion(bool rescale);
    void PaintFrame(HDC dc);
    void PaintDefaultFrame(HDC dc);
    void PaintBackground(HDC dc);
    // The non-client border for the current skin and border style (left, top, right, bottom).
    RECT FrameInsets() const;
    // The default look's caption height: 15 for tool-window border styles, 19 otherwise.
    int DefaultCaptionHeight() const;
    // The window region now held (nullptr when none); owned by the window.
    HRGN WindowRegion() const { return windowRegion_; }

    int WindowWidth = 0;
    int WindowHeight = 0;
    POINT FrameLT{}, FrameRT{}, FrameLB{}, FrameRB{};
    RECT ClientArea{}, CaptionArea{}, ButtonsArea{}, MaskArea{};
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    POINT HitLT{}, HitRT{}, HitLB{}, HitRB{};
    RECT DefaultCaptionArea{};
    TqvBorderStrips Mask;

    // ---- objects ----
    std::vector<std::unique_ptr<TqvActiveSkinObject>> SkinObjects;
    // The object under the mouse, the one before, and the one that received a button press. The
    // left button's hover and press follow the shared press tracker (one part per object).
    int HoverIndex = -1;
    int PreviousHoverIndex = -1;
    int PressedIndex = -1;
    const TqvPushTracker& Tracker() const { return *tracker_; }
    // Ends any press and forgets the hovered object (skin change, size/move).
    void ResetMouseState();
    // Ends a press without a click (the press began a move, or a menu took over).
    void ClearPress();
    void CreateObjects();
    void CreateDefaultObjects();
    void FreeObjects();
    void EvaluateBorderIcons();
    void AssignDefaultHints();
    void LayoutObjects();
    void LayoutDefaultButtons();
    void UpdateHover(int x, int y, bool track);
    void ObjectMouseMove(int x, int y);
    void ObjectDblClick();
    void PressObject(TMouseButton button, int x, int y);
    void ReleaseObject(TMouseButton button, int x, int y);
    void ResetObjectStates();
    void RedrawOrMorph(TqvActiveSkinObject* object);
    // The first caption object, or nullptr.
    TqvSkinCaptionObject* CaptionObject() const;
    bool IsActiveFlag = false;
    // Strings the objects show: the resource string under key, else the built-in text.
    std::string ResourceString(const std::string& key, const std::string& builtIn) const;
    // The small icon size (SM_CXSMICON x SM_CYSMICON, or the caption button size).
    static SIZE SmallIconSize();
    // Draws the form's small icon with its top-left at (x, y).
    void DrawSmallIcon(HDC dc, int x, int y);
    void ShowObjectPopup(TqvActiveSkinObject* object, bool upward);
    void ObjectPopupClosed();

    // ---- window behaviour ----
    int HitTest(int x, int y);
    int DefaultHitTest(int x, int y);
    bool MaskInside(int x, int y) const;
    vcl::TWindowState SkinWindowState() const { return skinWindowState_; }
    void SetSkinWindowState(vcl::TWindowState state);
    void Minimize();
    void Maximize();
    void Restore();
    bool RolledUp() const { return rolledUp_; }
    void SetRolledUp(bool value);
    void MinimizeToTray();
    void RestoreFromTray();
    int MinFormWidth() const;
    int MinFormHeight() const;
    int MaxFormWidth() const;
    int MaxFormHeight() const;
    bool CanResize() const;
    void CenterInMonitor();
    POINT MinimizedPosition() const;
    void SnapToEdges(int& left, int& top, int height, int width);
    vcl::TMenu* SystemMenuItems();
    void ShowSystemMenuAt(int x, int y);
    void ShowSystemMenuUnder(const RECT& rect);
    void ShowSystemMenuFromKeyboard();
    void OpenSkinMenu();
    void CloseSkinMenu();
    void CaptionDoubleClick();
    bool SkinMenuOpen() const { return skinMenuOpen_; }
    RECT RestoreBounds{};
    bool InSizeMove = false;
    bool FullDragging = false;

    // The hook installed as the form's WindowProc; public for tests that feed it messages.
    void HookWindowProc(vcl::TMessage& message);

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    // Attachment and the hook's stages.
    void InstallHook();
    void CallSaved(vcl::TMessage& message);
    void CloseMenusAndHints(const vcl::TMessage& m);
    void CloseOpenMenu();
    // Shows the items of menu through the engine under (or above) a screen rectangle.
    void PopupMenuItems(vcl::TMenu* menu, const RECT& rect, bool upward);
    // True when the message was handled (not passed on).
    bool HandleMessage(vcl::TMessage& message);
    void FrameMouse(vcl::TMessage& message);
    void OnSize(vcl::TMessage& message);
    void OnSizing(vcl::TMessage& message);
    void OnShowWindow(vcl::TMessage& message);
    void OnNcActivate(vcl::TMessage& message);
    void OnNcCalcSize(vcl::TMessage& message);
    void OnSkinChanging(TqvSkinData* data);
    void OnSkinChange(TqvSkinData* data);
    void OnSkinnableChanged();
    void OnMoving(vcl::TMessage& message);
    void OnEnterSizeMove();
    void OnExitSizeMove();
    void OnFadeTimer();
    void StopTimers();
    void SendNcPaint();
    void InvalidateForm();
    // Calls f on every IqvSkinClient of the form bound to data (all when data is nullptr):
    // the control tree depth first, then the other components the form owns.
    void ForEachSkinClient(TqvSkinData* data, const std::function<void(class IqvSkinClient*)>& f);
    bool Framed() const;
    bool FormIsMinimized() const;
    void FixFormSize();
    void ApplyLayeredStyle();
    void ClearSnapFlags();
    // The client area in window coordinates (of the skin or of the default look).
    RECT ClientAreaForHover() const;

    // Timers.
    void HoverTimerTick();
    void MorphTimerTick();
    void AnimationTimerTick();

    // Painting helpers.
    void ComposeStrips(const gfx::Bitmap& source);
    void DrawObjectsIntoStrips();
    void ApplyInactiveEffect(gfx::Bitmap& strip) const;
    void SetRegion(HRGN region);

    vcl::TCustomForm* form_ = nullptr;
    vcl::TWndMethod savedWindowProc_;
    TqvSkinData* skinData_ = nullptr;
    TqvSkinData* menusSkinData_ = nullptr;
    TqvBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize | biRollUp;
    int maxMenuItemsInWindow_ = 0;
    bool hideCaptionButtons_ = false;
    gfx::Bitmap logo_;
    bool showIcon_ = false;
    bool alphaBlend_ = false;
    BYTE alphaBlendValue_ = 200;
    int defMenuItemHeight_ = 20;
    std::unique_ptr<vcl::TFont> defMenuItemFont_;
    std::unique_ptr<vcl::TFont> defCaptionFont_;
    std::unique_ptr<vcl::TFont> defInActiveCaptionFont_;
    vcl::TPopupMenu* systemMenu_ = nullptr;

    bool formSkinnable_ = true;
    bool skinInUse_ = false;
    bool skinChanging_ = false;
    bool applying_ = false;
    bool windows6_ = true;
    bool hookInstalled_ = false;

    vcl::TTimer* hoverTimer_ = nullptr;
    vcl::TTimer* morphStepTimer_ = nullptr;
    vcl::TTimer* animationTimer_ = nullptr;
    vcl::TPopupMenu* builtInSystemMenu_ = nullptr;
    vcl::TPopupMenu* trayMenu_ = nullptr;

    HRGN windowRegion_ = nullptr;
    // The last two skinned regions with the runs they were built from: a form is sized several
    // times on its way to the screen, nudged a pixel narrower and back (NudgeWidth), and
    // building a region is most of the cost of a resize.
    struct BuiltRegion {
        std::vector<RECT> runs;
        gfx::Region region;
    };
    BuiltRegion builtRegions_[2];
    TqvBorderStrips strips_;
    gfx::Bitmap cachedIcon_;

    vcl::TWindowState skinWindowState_ = vcl::wsNormal;
    bool rolledUp_ = false;
    bool rolledUpWhileMaximized_ = false;
    bool wasRolledUpBeforeMaximize_ = false;
    int heightBeforeRollUp_ = 0;
    bool firstShow_ = true;
    int snapAnchorX_ = -1;
    int snapAnchorY_ = -1;
    bool snappedLeft_ = false, snappedTop_ = false, snappedRight_ = false, snappedBottom_ = false;
    bool skinMenuOpen_ = false;
    bool remaximize_ = false;
    // The opacity reached by a running fade-in, -1 before its first step.
    int fadeAlpha_ = -1;
    TqvSkinMenu* skinMenu_ = nullptr;
    std::unique_ptr<TqvPushTracker> tracker_ = std::make_unique<TqvPushTracker>(1);
    // Cleared when the component goes, so a hook whose handler freed the form stops touching it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace qv
