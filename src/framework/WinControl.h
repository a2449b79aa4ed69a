#pragma once
// TWinControl: a control that owns a window. The window is made on demand (HandleNeeded) from
// CreateParams, and can be destroyed and made again (RecreateWnd) without losing the control's
// state; its children are created with it.
//
// The window-procedure chain: every window of a windowed control has the framework's static
// window procedure, which finds the control and hands the message to its WindowProc (by default
// the virtual WndProc, which dispatches). What nobody handles goes to DefaultHandler, which calls
// the procedure that was in place before the framework took the window: DefWindowProc for the
// framework's own window classes, the native class's procedure for a wrapped native control.
// Another component may replace the window procedure itself with SetWindowLongPtr(GWL_WNDPROC)
// and chain to the old one with CallWindowProc; the control keeps working because the static
// procedure finds the control from the window, not from the procedure.

#include "framework/Control.h"

#include <vector>

namespace vcl {

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    // Window class name; a native class name ("SysListView32") makes the control wrap it.
    std::string WinClassName;
    UINT ClassStyle = 0;
    // Set by CreateSubClass: the window is made from this native class and then subclassed.
    std::string NativeClassName;
};

// Makes a control wrap the native window class nativeClass (as the list view wraps
// "SysListView32"): messages nobody handles go to that class's own procedure.
inline void CreateSubClass(TCreateParams& params, const std::string& nativeClass) {
    params.NativeClassName = nativeClass;
}

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // --- the window ---
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Destroys the window (and the children's); the next Handle makes a new one. A showing control
    // gets its new window at once.
    void RecreateWnd();
    // Made by a parent that is not a framework control (a window of another component).
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND parent);
    // Finds the framework control that owns a window, or nullptr.
    static TWinControl* FindControl(HWND window);

    // --- children ---
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }
    // Windowed children only, in z-order (first is the bottom).
    int WinControlCount() const;
    bool ContainsControl(const TControl* control) const;
    // The visible enabled child at a client point (graphic children only unless allowWindowed).
    TControl* ControlAtPos(POINT p, bool allowDisabled = false, bool allowWindowed = false) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // --- alignment ---
    // Lays out the aligned and anchored children in the client area (skipped while disabled).
    void Realign();
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return alignLevel_ > 0; }
    // The rectangle children are aligned in; padding and borders shrink it.
    virtual RECT AlignRect();

    // --- focus and tabbing ---
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool on);
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;
    // The windowed children in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next control after current in tab order that can take the focus.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() override;
    POINT ClientOrigin() override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    bool Showing() const override;
    void SetParent(TWinControl* parent) override;
    std::string GetText() const override;

    // Broadcasts a message to every child control (stops at the first non-zero result).
    void Broadcast(TMessage& message);
    // Sends the message to the child controls that are windowed, through their windows.
    void NotifyControls(UINT msg);

    // Paints the graphic children that intersect the DC's clip onto dc (which maps this control's
    // client coordinates); first limits it to children above that control in z-order.
    void PaintControls(HDC dc, TControl* first);

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Makes the window itself from the parameters (override to make it differently).
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // Runs right after the window exists and before the children's windows are made.
    virtual void CreateComplete() {}

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Paints this control's own surface (TCustomControl paints its canvas here).
    virtual void PaintWindow(HDC dc);
    // True for controls that paint themselves (a native window without graphic children paints
    // through its own procedure instead).
    virtual bool CustomPaint() const { return false; }
    void PaintHandler(TMessage& message);

    virtual void AlignControls(TControl* control, RECT& rect);
    virtual void ControlsAligned() {}

    // Keys: return true when the key was consumed.
    virtual bool DoKeyDown(WORD& key, TShiftState shift);
    virtual bool DoKeyPress(char32_t& key);
    virtual bool DoKeyUp(WORD& key, TShiftState shift);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void KeyUp(WORD& key, TShiftState shift);
    // The DLGC_ code of the window (from WM_GETDLGCODE).
    virtual UINT DialogCode(WORD key);
    virtual void DoEnter();
    virtual void DoExit();

    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    virtual void CMShowingChanged(TMessage& message);
    virtual void CMDialogKey(TMessage& message);
    virtual void CMFocusChanged(TMessage& message);

    void Loaded() override;

    // The procedure messages go to when nobody handles them.
    WNDPROC DefWndProc() const { return defWndProc_; }

    // Brush of the window background (WM_ERASEBKGND fills the client with Color unless csOpaque).
    bool eraseBackground_ = true;

private:
    friend class TControl;
    static LRESULT StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void MainWndProc(TMessage& message);
    bool IsControlMouseMsg(TMessage& message);
    void TrackMouse(TControl* target);
    RECT WindowBoundsRect() const;
    void UpdateShowing();
    void ReflectToChild(TMessage& message, HWND child);
    void AlignChildren(TControl* control);
    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMSizeOrMove(TMessage& message);
    void WMSetFocus(TMessage& message);
    void WMKey(TMessage& message);
    void WMChar(TMessage& message);
    void WMMouseLeave(TMessage& message);
    void WMSetCursor(TMessage& message);
    void ReflectNotification(TMessage& message);
    void HandleKeyMessage(TMessage& message);
    void HandleCharMessage(TMessage& message);
    void HandleSysCharMessage(TMessage& message);
    void UpdateTabOrderAfterInsert(TControl* control);

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;   // every child, z-order (bottom first)
    std::vector<TWinControl*> tabList_; // windowed children in tab order
    bool tabStop_ = false;
    int alignLevel_ = 0;
    bool alignPending_ = false;
    bool showing_ = false;
    TControl* mouseCaptureChild_ = nullptr; // graphic child that holds the mouse while pressed
    bool trackingMouse_ = false;
};

// Paints and is painted: a windowed control with its own canvas and a virtual Paint.
class TCanvas;
class TControlCanvas;

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() const;

protected:
    virtual void Paint();
    void PaintWindow(HDC dc) override;
    bool CustomPaint() const override { return true; }

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// A control without a window, drawn on its parent's surface.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const;

protected:
    virtual void Paint();
    void Dispatch(TMessage& message) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

} // namespace vcl
