#include "framework/WinControl.h"

#include "framework/Forms.h"

#include <algorithm>

namespace vcl {

// --- focus ---

int TWinControl::TabOrder() const {
    if (Parent() == nullptr) {
        return -1;
    }
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (Parent() == nullptr) {
        return;
    }
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) {
        return;
    }
    list.erase(it);
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool on) {
    tabStop_ = on;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c != nullptr; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) {
            return false;
        }
    }
    return true;
}

void TWinControl::SetFocus() {
    if (auto* form = GetParentForm()) {
        form->FocusControl(this);
    } else if (HandleAllocated() && IsWindowVisible(handle_)) {
        ::SetFocus(handle_);
    }
}

bool TWinControl::Focused() const { return handle_ != nullptr && GetFocus() == handle_; }

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) {
        return nullptr;
    }
    int n = int(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i) {
        if (list[std::size_t(i)] == current) {
            start = i;
        }
    }
    if (start < 0) {
        start = goForward ? n - 1 : 0;
    }
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[std::size_t(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) &&
            (!checkParent || c->Parent() == this || true) && c != current) {
            return c;
        }
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false)) {
        next->SetFocus();
    }
}

void TWinControl::DoEnter() {
    if (OnEnter) {
        OnEnter(this);
    }
}

void TWinControl::DoExit() {
    if (OnExit) {
        OnExit(this);
    }
}

void TWinControl::CMFocusChanged(TMessage& m) {
    Broadcast(m);
    m.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }

// --- keys ---

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
    }
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) {
        OnKeyPress(this, key);
    }
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) {
        OnKeyUp(this, key, shift);
    }
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview()) {
        if (form->DoKeyDown(key, shift)) {
            return true;
        }
    }
    if (key != 0) {
        KeyDown(key, shift);
    }
    return key == 0;
}

bool TWinControl::DoKeyPress(char32_t& key) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview()) {
        if (form->DoKeyPress(key)) {
            return true;
        }
    }
    if (key != 0) {
        KeyPress(key);
    }
    return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift) {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview()) {
        if (form->DoKeyUp(key, shift)) {
            return true;
        }
    }
    if (key != 0) {
        KeyUp(key, shift);
    }
    return key == 0;
}

UINT TWinControl::DialogCode(WORD key) {
    TMessage m{WM_GETDLGCODE, key, 0, 0};
    WindowProc(m);
    return UINT(m.Result);
}

// CN_KEYDOWN, sent by the application before the key message is translated and dispatched:
// the form's shortcuts first, then the dialog keys (Tab, arrows, Enter, Escape) unless the
// control wants them itself. A non-zero result means the key was used up.
void TWinControl::HandleKeyMessage(TMessage& m) {
    m.Result = 1;
    WORD key = WORD(m.WParam);
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form->IsShortCut(key, KeyboardShiftState())) {
        return;
    }
    UINT mask = 0;
    switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case 0x2B: // VK_EXECUTE
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, key, 0) == 0 && (DialogCode(key) & mask) == 0 &&
        form != nullptr && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) {
        return;
    }
    m.Result = 0;
}

// CN_CHAR: a character typed into a control that does not take characters itself is offered
// to the form as CM_DIALOGCHAR first (accelerators of buttons and labels); a control that
// answers it uses the character up.
void TWinControl::HandleCharMessage(TMessage& m) {
    m.Result = 1;
    TCustomForm* form = GetParentForm();
    if ((DialogCode(0) & DLGC_WANTCHARS) == 0 && form != nullptr &&
        form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
        return;
    }
    m.Result = 0;
}

// CN_SYSCHAR: Alt with a character always goes to the form's accelerators (except Alt+Space,
// the system menu's key).
void TWinControl::HandleSysCharMessage(TMessage& m) {
    m.Result = 0;
    TCustomForm* form = GetParentForm();
    if (m.WParam != ' ' && form != nullptr) {
        m.Result = form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    }
}

} // namespace vcl
