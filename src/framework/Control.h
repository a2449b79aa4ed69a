#pragma once
// TControl: anything that sits in a window and takes part in layout and input. A control has a
// parent windowed control, bounds in its parent's client coordinates, alignment and anchors,
// visibility, enabled state, a caption, a font and a colour (each possibly taken from the parent),
// a cursor, a hint and the mouse and click events.
//
// Messages reach a control through WindowProc, a replaceable handler that defaults to the virtual
// WndProc. A control that wants to see a message first overrides WndProc and calls the inherited
// one; a component that hooks a control from outside saves WindowProc and installs its own,
// calling the saved one to pass messages on.

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/GraphicsObjects.h"
#include "framework/Messages.h"

#include <memory>
#include <string>

namespace vcl {

class TWinControl;
class TPopupMenu;
class TCustomForm;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using enum TAlign;

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
constexpr TAnchors AnchorsTopLeft = akLeft | akTop;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

enum TShiftStateFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = unsigned;

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
// The character is a code point; setting it to 0 swallows the key.
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;

// Behaviour flags of a control class.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1 << 0,
    csCaptureMouse = 1 << 1,
    csDesignInteractive = 1 << 2,
    csClickEvents = 1 << 3,
    csFramed = 1 << 4,
    csSetCaption = 1 << 5,
    csOpaque = 1 << 6,
    csDoubleClicks = 1 << 7,
    csFixedWidth = 1 << 8,
    csFixedHeight = 1 << 9,
    csNoDesignVisible = 1 << 10,
    csReplicatable = 1 << 11,
    csNoStdEvents = 1 << 12,
    csDisplayDragImage = 1 << 13,
    csReflector = 1 << 14,
    csActionClient = 1 << 15,
    csMenuEvents = 1 << 16,
    csParentBackground = 1 << 17,
};
using TControlStyle = unsigned;

// Transient state of a control.
enum TControlStateFlag : unsigned {
    csLButtonDown = 1 << 0,
    csClicked = 1 << 1,
    csPalette = 1 << 2,
    csReadingState = 1 << 3,
    csAlignmentNeeded = 1 << 4,
    csFocusing = 1 << 5,
    csCreating = 1 << 6,
    csPaintCopy = 1 << 7,
    csCustomPaint = 1 << 8,
    csDestroyingHandle = 1 << 9,
    csDocking = 1 << 10,
};
using TControlState = unsigned;

// Tells a caller whether the object it called out of is still alive (handlers may free it).
class TControlTracker;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // --- parent and geometry ---
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, RectWidth(r), RectHeight(r)); }
    // Every move and resize goes through here.
    virtual void SetBounds(int left, int top, int width, int height);
    // The area children are placed in, in this control's coordinates.
    virtual RECT ClientRect();
    int ClientWidth() { return RectWidth(ClientRect()); }
    int ClientHeight() { return RectHeight(ClientRect()); }
    virtual void SetClientSize(int width, int height);
    void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
    void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
    // Screen position of the client area's origin.
    virtual POINT ClientOrigin();
    POINT ClientToScreen(POINT p);
    POINT ScreenToClient(POINT p);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);

    // --- state ---
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent up to a top-level window visible too.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // Caption and Text are the same string, as in the framework.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& text) { SetText(text); }
    virtual std::string GetText() const;
    void SetText(const std::string& text);

    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool on);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState state) { controlState_ = state; }

    // --- messages ---
    // The replaceable message handler; see the unit comment.
    TWndMethod WindowProc;
    // Sends a message straight to this control's WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // --- painting ---
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    // --- z-order ---
    void BringToFront();
    void SendToBack();

    virtual void Click();
    virtual void DblClick();

    // The form this control sits on (its top-level parent when that is a form), or nullptr.
    TCustomForm* GetParentForm() const;
    bool HasParent() const { return parent_ != nullptr; }
    // True when the control is under the mouse (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool MouseInClient() const { return mouseInside_; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // For TControlTracker.
    std::shared_ptr<bool> AliveFlag() const { return alive_; }

protected:
    friend class TWinControl;

    virtual void WndProc(TMessage& message);
    // Routes the message to the handler for its number, else DefaultHandler.
    virtual void Dispatch(TMessage& message);
    // What happens to a message nobody handled: nothing for a plain control.
    virtual void DefaultHandler(TMessage& message);

    // Tells the focused control of every form this control sits in that a press happened here
    // (CM_CANCELMODE with this control in lParam).
    void SendCancelMode();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();

    // Notifications, each reached through its CM_ message.
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);

    // Applies the bounds without alignment (used by the parent's alignment).
    void UpdateBoundsRect(const RECT& r);
    void RequestAlign();
    // Remembers the distances that the anchors keep.
    void UpdateAnchorRules();
    void ApplyAnchorRules(int parentWidth, int parentHeight);

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Text of a control without a window, or of a windowed one before its window exists.
    std::string text_;

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;

private:
    void FontChanged(TObject* sender);
    void HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool dbl);

    TWinControl* parent_ = nullptr;
    TAlign align_ = alNone;
    TAnchors anchors_ = AnchorsTopLeft;
    // Distances kept by the anchors: right and bottom gaps to the parent's client edges.
    int anchorRight_ = 0;
    int anchorBottom_ = 0;
    int anchorParentWidth_ = -1;
    int anchorParentHeight_ = -1;
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TCursor cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TPopupMenu* popupMenu_ = nullptr;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState controlState_ = 0;
    bool mouseInside_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Lets code that calls a handler find out whether the control survived it.
class TControlTracker {
public:
    explicit TControlTracker(const TControl* control) : alive_(control->AliveFlag()) {}
    bool Alive() const { return *alive_; }

private:
    std::shared_ptr<bool> alive_;
};

// Mouse message helpers.
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

} // namespace vcl
