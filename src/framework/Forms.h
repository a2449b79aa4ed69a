#pragma once
// Forms, the application object and the screen.
//
// A form is a top-level window with a caption, a border style, a position rule, a window state,
// an active control, key preview, default and cancel buttons (through CM_DIALOGKEY), and a modal
// loop. Building a form in code follows the order of a stored form description:
//
//     class TForm1 : public TForm {
//     public:
//         explicit TForm1(TComponent* owner) : TForm(owner) {
//             TFormLoader load(this);           // the form and all it creates are csLoading
//             SetCaption("...");  SetClientSize(754, 573);
//             panel1 = load.Create<TPanel>("panel1");  panel1->SetParent(this); ...
//             load.Reference([this] { data1->SetStoredSkin(stored1); }); // resolved after all exist
//             OnCreate = [this](TObject*) { FormCreate(); };
//             load.Finish();   // references, then Loaded in creation order, then OnCreate
//         }
//     };
//
// The application object runs the message loop and reports every std::exception that reaches it;
// the screen lists the forms in creation order and knows the monitors and the cursor.

#include "framework/Menus.h"
#include "framework/WinControl.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vcl {

class TCustomForm;
class TApplication;
class TScreen;
class THintWindow;

// The two global objects of the framework (created by TApplication's and TScreen's constructors).
extern TApplication* Application;
extern TScreen* Screen;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using enum TFormBorderStyle;
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
using enum TPosition;
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
using enum TWindowState;
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
using enum TFormStyle;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
// A key about to be handled anywhere on the form; set handled to use it up.
using TShortCutEvent = std::function<void(WORD key, TShiftState shift, bool& handled)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool on) { autoScroll_ = on; }
    // Forms never size themselves to their content here; kept for components that switch it off.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on) { autoSize_ = on; }

    TWinControl* ActiveControl() const { return activeControl_; }
    // Focuses the control when the form is active; otherwise it gets the focus on activation.
    void SetActiveControl(TWinControl* control);
    // Gives the focus to control, showing the form's choice even while the form is inactive.
    void FocusControl(TWinControl* control);
    // Called by a control that received the focus.
    bool SetFocusedControl(TWinControl* control);
    bool Active() const { return active_; }

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Shows the form, disables the other forms, and runs messages until ModalResult is set (or
    // the application terminates, which gives mrCancel). Returns the result; the form is hidden.
    virtual TModalResult ShowModal();
    bool Modal() const { return modal_; }

    // OnCloseQuery, then OnClose with an action: caHide hides (ends the program for the main
    // form), caFree frees the form after the current message, caMinimize minimises.
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the message that asked for it is done.
    void Release();
    void Show();
    void Hide() { SetVisible(false); }
    void BringToFront();

    // Fires OnCreate once; TFormLoader::Finish calls it.
    void DoCreate();
    bool Created() const { return created_; }

    // Keys as the whole form sees them.
    bool DoKeyDown(WORD& key, TShiftState shift) override;
    bool DoKeyPress(char32_t& key) override;
    bool DoKeyUp(WORD& key, TShiftState shift) override;
    // OnShortCut and the popup menu's shortcuts; true when the key was used.
    virtual bool IsShortCut(WORD key, TShiftState shift);

    void SetClientSize(int width, int height) override;
    RECT ClientRect() override;
    // Applies a client size asked for while the form was loading.
    void ApplyPendingClientSize();

    // A windowed control leaving the form: it can no longer be the active one.
    void ControlRemoved(TWinControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;
    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;
    void CMShowingChanged(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    bool CustomPaint() const override { return true; }
    virtual void Paint();
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    void PlaceOnFirstShow();

private:
    void ApplyWindowState();
    void CloseModal();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    bool keyPreview_ = false;
    bool autoScroll_ = false;
    bool autoSize_ = false;
    TWindowState windowState_ = wsNormal;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool active_ = false;
    bool created_ = false;
    bool placed_ = false;
    bool destroyFired_ = false;
    // Client size asked for before the window existed.
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
    std::unique_ptr<TControlCanvas> canvas_;

public:
    TCanvas* Canvas() const;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// Builds a form in the order of a stored description (see the unit comment).
class TFormLoader {
public:
    explicit TFormLoader(TCustomForm* form);
    ~TFormLoader();
    TFormLoader(const TFormLoader&) = delete;
    TFormLoader& operator=(const TFormLoader&) = delete;

    // Creates a component owned by the form, names it and marks it as loading.
    template <class T, class... Args>
    T* Create(const std::string& name, Args&&... args) {
        T* c = new T(form_, std::forward<Args>(args)...);
        Add(c, name);
        return c;
    }
    // Registers a component created another way (owned by the form or by one of its components).
    void Add(TComponent* component, const std::string& name);
    // A reference to resolve once every component exists.
    void Reference(std::function<void()> fixup);
    // Resolves the references, runs Loaded on the form and then on every component in creation
    // order, re-aligns, and fires OnCreate.
    void Finish();

private:
    TCustomForm* form_;
    std::vector<TComponent*> loaded_;
    std::vector<std::function<void()>> fixups_;
    bool finished_ = false;
};

struct TMonitor {
    int MonitorNum = 0;
    RECT BoundsRect{};
    RECT WorkareaRect{};
    bool Primary = false;
    HMONITOR Handle = nullptr;
    int Width() const { return RectWidth(BoundsRect); }
    int Height() const { return RectHeight(BoundsRect); }
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(std::size_t(index)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const;

    int MonitorCount();
    TMonitor Monitors(int index);
    TMonitor MonitorFromWindow(HWND window);
    TMonitor PrimaryMonitor();
    RECT WorkAreaRect();
    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return ScreenPixelsPerInch; }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    HCURSOR CursorHandle(TCursor cursor) const;

    TNotifyEvent OnActiveFormChange;

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);

    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TCursor cursor_ = crDefault;
};

struct THintInfo {
    TControl* HintControl = nullptr;
    POINT HintPos{};
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    RECT CursorRect{};
    POINT CursorPos{};
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    std::string HintStr;
};
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& info)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
// Sees every message taken from the queue before anything else does; setting handled keeps it
// from going further.
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& ExeName() const { return exeName_; }
    void SetExeName(const std::string& path) { exeName_ = path; }

    // Creates a form owned by the application; ref is set before the constructor runs, as the
    // framework does, so handlers that run during creation can use it. The first form made is
    // the main form.
    template <class T>
    T* CreateForm(T*& ref) {
        void* memory = ::operator new(sizeof(T));
        ref = static_cast<T*>(memory);
        T* form = nullptr;
        try {
            form = new (memory) T(this);
        } catch (...) {
            ::operator delete(memory);
            ref = nullptr;
            throw;
        }
        if (mainForm_ == nullptr) {
            mainForm_ = form;
        }
        return form;
    }
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool on) { showMainForm_ = on; }

    // Shows the main form and runs the message loop until Terminate (the main form's closing).
    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Waits for one message and handles it (or runs idle handling when there is none).
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    void Minimize();
    void Restore();
    bool Active() const { return active_; }

    // Reports an exception: OnException when assigned, otherwise ShowException.
    void HandleException(const std::exception& e, TObject* sender = nullptr);
    // The standard error report: a message box with the error icon, the title as caption and the
    // message text (see ErrorReportText).
    void ShowException(const std::exception& e);
    // MessageBox owned by the active form.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    // Hints.
    bool ShowHint() const { return showHint_; }
    // Switching hints off and on again makes the next hint use the current HintWindowClass.
    void SetShowHint(bool on);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int ms) { hintShortPause_ = ms; }
    const std::string& Hint() const { return hint_; }
    void CancelHint();
    // Makes the window hints are shown in (a skinned hint installs its own).
    std::function<THintWindow*(TComponent* owner)> HintWindowClass;
    THintWindow* HintWindow() const { return hintWindow_; }

    // The control under the mouse; CM_MOUSELEAVE and CM_MOUSEENTER go out as it changes.
    TControl* MouseControl() const { return mouseControl_; }
    void SetMouseControl(TControl* control);
    void MouseLeftWindow(TWinControl* window);
    void ControlDestroyed(TControl* control);

    TExceptionEvent OnException;
    TShowHintEvent OnShowHint;
    TNotifyEvent OnHint;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // The framework control that owns a window (see TWinControl::FindControl).
    void RegisterWindow(HWND hwnd, TWinControl* control);
    void UnregisterWindow(HWND hwnd);
    TWinControl* WindowControl(HWND hwnd) const;

    // Frees forms whose Release or caFree was asked for; runs between messages.
    void FreeReleasedForms();
    void QueueRelease(TCustomForm* form);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    void Idle();
    void ActivateHint(TControl* control);
    void ShowHintNow();
    HWND UtilityWindow();
    static LRESULT UtilityProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::string title_;
    std::string exeName_;
    TCustomForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    bool active_ = true;
    bool running_ = false;
    TControl* mouseControl_ = nullptr;
    std::vector<TCustomForm*> released_;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    std::string hint_;
    TControl* hintControl_ = nullptr;
    int hintShortPause_ = 50;
    bool hintShown_ = false;
    THintWindow* hintWindow_ = nullptr;
    HWND utilityWindow_ = nullptr;
    std::unordered_map<HWND, TWinControl*> windows_;
};

// The standard error report's text: the message with a full stop appended when its last
// character sorts after "." (an empty message stays empty).
std::string ErrorReportText(const std::string& message);

} // namespace vcl
