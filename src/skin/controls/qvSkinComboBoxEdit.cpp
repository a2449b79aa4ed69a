// The edit style of TqvSkinCustomComboBox: the inner edit, its window procedure, the previous and
// next item keys, auto-completion and the edit's change handling.

#include "skin/controls/qvSkinComboBox.h"

#include "framework/Canvas.h"
#include "framework/Timer.h"
#include "platform/ui/User.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvUtils.h"

#include <algorithm>

namespace qv {

namespace {

bool IsModifier(WORD key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || (key >= VK_LSHIFT && key <= VK_RMENU);
}

// Sets a flag for the duration of a scope and puts the earlier value back, also when a handler
// called meanwhile throws.
class TFlagScope {
public:
    TFlagScope(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~TFlagScope() { flag_ = saved_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

// --- style ----------------------------------------------------------------------------------

void TqvSkinCustomComboBox::SetStyle(TqvComboBoxStyle style) {
    style_ = style;
    if (style == qvcbEditStyle) {
        // Switching to the edit style again keeps the edit that is there.
        if (innerEdit_ == nullptr) {
            const bool hadFocus = Focused();
            CreateEditControl();
            // The edit takes the box's place in the tab order.
            innerEdit_->SetTabStop(TabStop());
            SetTabStop(false);
            innerEdit_->SetText(GetText());
            if (hadFocus && innerEdit_->CanFocus()) {
                innerEdit_->SetFocus();
            }
        }
    } else if (innerEdit_ != nullptr) {
        const bool editWasTabStop = innerEdit_->TabStop();
        FreeEditControl();
        if (editWasTabStop) {
            SetTabStop(true);
        }
    }
    CalcRects();
    // The window keeps its children and the focus; only its clipping of the edit changes.
    if (HandleAllocated()) {
        auto bits = DWORD(GetWindowLongPtr(Handle(), GWL_STYLE));
        bits = style == qvcbEditStyle ? (bits | WS_CLIPCHILDREN) : (bits & ~DWORD(WS_CLIPCHILDREN));
        SetWindowLongPtr(Handle(), GWL_STYLE, LONG_PTR(bits));
    }
    Invalidate();
}

void TqvSkinCustomComboBox::CreateParams(vcl::TCreateParams& params) {
    TqvSkinCustomControl::CreateParams(params);
    // The edit draws its own part of the box (the skin under it, then the text), so the box's
    // paints never cover the text.
    if (style_ == qvcbEditStyle) {
        params.Style |= WS_CLIPCHILDREN;
    }
}

void TqvSkinCustomComboBox::CreateEditControl() {
    auto* edit = new TqvCustomEdit(this);
    edit->SetParent(this);
    edit->SetColor(defaultColor_);
    edit->SetHideSelection(hideSelection_);
    edit->SetVisible(true);
    edit->SetEditTransparent(false);
    edit->OnChange = [this](vcl::TObject*) { EditChange(); };
    editPrevWndProc_ = edit->WindowProc;
    edit->WindowProc = [this](vcl::TMessage& m) { EditWndProc(m); };
    edit->OnCancelMode = [this](vcl::TControl* sender) {
        Perform(vcl::CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
    };
    // The edit's keys are the box's keys to whoever listens to the box.
    edit->OnKeyDown = [this](vcl::TObject*, WORD& key, vcl::TShiftState shift) {
        if (OnKeyDown) {
            OnKeyDown(this, key, shift);
        }
    };
    edit->OnKeyPress = [this](vcl::TObject*, char32_t& key) {
        if (OnKeyPress) {
            OnKeyPress(this, key);
        }
    };
    edit->OnKeyUp = [this](vcl::TObject*, WORD& key, vcl::TShiftState shift) {
        if (OnKeyUp) {
            OnKeyUp(this, key, shift);
        }
    };
    edit->SetCharCase(charCase_);
    vcl::TFont* f = edit->Font();
    if (SkinBound()) {
        f->SetStyle(fontstyle);
        f->SetColor(fontcolor);
        f->SetHeight(fontheight);
        f->SetName(fontname);
    } else {
        f->SetName(Font()->Name());
        f->SetStyle(Font()->Style());
        f->SetColor(Font()->Color());
        f->SetHeight(Font()->Height());
    }
    edit->SetEditTransparent(SkinBound());
    innerEdit_ = edit;
    CalcRects();
}

void TqvSkinCustomComboBox::FreeEditControl() {
    CancelPendingCompletion();
    TqvCustomEdit* edit = innerEdit_;
    innerEdit_ = nullptr;
    if (edit != nullptr) {
        // The edit's last messages (focus loss, destruction) go to its own procedure, and none of
        // its events reaches this box any more.
        edit->WindowProc = editPrevWndProc_;
        edit->OnChange = nullptr;
        edit->OnCancelMode = nullptr;
        edit->OnKeyDown = nullptr;
        edit->OnKeyPress = nullptr;
        edit->OnKeyUp = nullptr;
        edit->SetVisible(false);
        delete edit;
    }
}

void TqvSkinCustomComboBox::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    TqvSkinCustomControl::Notification(component, operation);
    if (operation == vcl::opRemove && component == innerEdit_) {
        innerEdit_ = nullptr;
    }
}

void TqvSkinCustomComboBox::SetCharCase(TqvEditCharCase charCase) {
    charCase_ = charCase;
    if (innerEdit_ != nullptr) {
        innerEdit_->SetCharCase(charCase);
    }
}

// --- colours --------------------------------------------------------------------------------

int TqvSkinCustomComboBox::EditCharset() const {
    if (SkinData() != nullptr && SkinData()->ResourceStrData() != nullptr) {
        return SkinData()->ResourceStrData()->CharSet();
    }
    return DefaultFont()->Charset();
}

TColor TqvSkinCustomComboBox::DisabledTextColor() const {
    TqvSkinData* data = SkinData();
    if (SkinBound() && data != nullptr) {
        const int i = data->IndexOfControlSkin("edit");
        if (i >= 0) {
            if (const auto* edit =
                    dynamic_cast<const TqvDataSkinEditControl*>(data->ControlSkins[std::size_t(i)].get())) {
                return edit->disabledfontcolor;
            }
        }
    }
    return vcl::clGrayText;
}

void TqvSkinCustomComboBox::SetEditFontColor(TColor color) {
    if (innerEdit_ != nullptr && innerEdit_->Font()->Color() != color) {
        innerEdit_->Font()->SetColor(color);
    }
}

void TqvSkinCustomComboBox::CMEnabledChanged(vcl::TMessage& message) {
    TqvSkinCustomControl::CMEnabledChanged(message);
    if (innerEdit_ != nullptr) {
        SetEditFontColor(!Enabled() ? DisabledTextColor() : SkinBound() ? fontcolor : DefaultFont()->Color());
    }
    Invalidate();
}

// --- the edit's window procedure ------------------------------------------------------------

void TqvSkinCustomComboBox::EditWndProc(vcl::TMessage& m) {
    vcl::TControlTracker alive(this);
    const bool activeLook = SkinBound() && !RectIsEmpty(activeskinrect);
    switch (m.Msg) {
    case vcl::CM_WANTSPECIALKEY:
        // While the list is open Enter and Escape close it instead of pressing the form's buttons.
        if (droppedDown_ && (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE)) {
            m.Result = 1;
            return;
        }
        break;
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE: SetMouseInControl(m.Msg == vcl::CM_MOUSEENTER); break;
    case WM_SETFOCUS:
        if (activeLook) {
            SetEditFontColor(activefontcolor);
            Invalidate();
        }
        break;
    case WM_KILLFOCUS:
        CancelPendingCompletion();
        editKeyDown_ = false;
        if (droppedDown_) {
            CloseUp(false);
            if (!alive.Alive()) {
                return;
            }
        }
        if (activeLook) {
            SetEditFontColor(fontcolor);
            Invalidate();
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (EditKeyDown(WORD(m.WParam), m.Msg == WM_SYSKEYDOWN)) {
            m.Result = 0;
            return;
        }
        if (!alive.Alive()) {
            return;
        }
        break;
    case WM_CHAR: EditChar(m); return;
    case WM_KEYUP:
    case WM_SYSKEYUP: EditKeyUp(m); return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (droppedDown_) {
            CloseUp(false);
            if (!alive.Alive()) {
                return;
            }
        }
        break;
    case WM_MOUSEWHEEL:
        // The wheel reaches the box whenever the pointer passes over it: it moves through the
        // open list only, and never changes the text of a closed box.
        if (list_->Visible()) {
            StepItem(GET_WHEEL_DELTA_WPARAM(m.WParam) < 1 ? 1 : -1, false);
            if (!alive.Alive()) {
                return;
            }
        }
        break;
    default: break;
    }
    if (innerEdit_ != nullptr) {
        editPrevWndProc_(m);
    }
}

// Returns true when the key is used up here (the edit never sees it).
bool TqvSkinCustomComboBox::EditKeyDown(WORD key, bool alt) {
    swallowDialogChar_ = false;
    CancelPendingCompletion();
    if (!IsModifier(key)) {
        editKeyDown_ = true;
        textAtKeyDown_ = innerEdit_ != nullptr ? innerEdit_->GetText() : std::string();
    }
    if (alt) {
        // Alt+Down opens the list and Alt+Up closes it, as in the fixed style.
        if (key == VK_DOWN && !droppedDown_) {
            DropDown();
            return true;
        }
        if (key == VK_UP && droppedDown_) {
            CloseUp(false);
            return true;
        }
        return false;
    }
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
        if (droppedDown_) {
            swallowDialogChar_ = true;
            CloseUp(key == VK_RETURN);
        }
        return false;
    case VK_PRIOR:
    case VK_NEXT:
        if (droppedDown_) {
            TqvComboKeyResult r = ComboKeyAction(key, false, true, list_->ItemIndex(), list_->ItemCount(),
                                                 dropDownCount_);
            if (r.action == TqvComboKeyAction::SelectIndex) {
                list_->SetItemIndex(r.index);
            }
        }
        return false;
    case VK_UP: StepItem(-1, true); return true;
    case VK_DOWN: StepItem(1, true); return true;
    default: return false;
    }
}

void TqvSkinCustomComboBox::EditChar(vcl::TMessage& m) {
    const auto c = char32_t(m.WParam);
    if ((c == '\r' || c == 27) && swallowDialogChar_) {
        swallowDialogChar_ = false;
        m.Result = 0;
        return;
    }
    // A character that came without a key of its own (an input method's text) is its own key-up.
    const bool textOnly = !editKeyDown_ && c >= 0x20 && c != 0x7F;
    vcl::TControlTracker alive(this);
    editPrevWndProc_(m);
    if (textOnly && alive.Alive() && innerEdit_ != nullptr) {
        RunKeyUp(ComboEditKeyUp(EditCharset(), false, false, kTextOnlyKey), [] {});
    }
}

void TqvSkinCustomComboBox::EditKeyUp(vcl::TMessage& m) {
    const auto key = WORD(m.WParam);
    if (!IsModifier(key)) {
        editKeyDown_ = false;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    TqvEditKeyUpAction action = ComboEditKeyUp(EditCharset(), m.Msg == WM_SYSKEYUP, ctrl, key);
    // Completing text the key did not change would replace the user's selection with a caret.
    if (action.complete && !IsModifier(key) && innerEdit_ != nullptr &&
        innerEdit_->GetText() == textAtKeyDown_) {
        action.complete = false;
    }
    RunKeyUp(action, [&] { editPrevWndProc_(m); });
}

void TqvSkinCustomComboBox::RunKeyUp(const TqvEditKeyUpAction& action, const std::function<void()>& pass) {
    vcl::TControlTracker alive(this);
    // Only the tail that the last completion selected is removed, never a selection the user made.
    if (action.clearSelection && innerEdit_ != nullptr && !completedText_.empty() &&
        innerEdit_->GetText() == completedText_ && innerEdit_->SelStart() == completedTail_.start &&
        innerEdit_->SelLength() == completedTail_.length && completedTail_.length > 0) {
        completedText_.clear();
        innerEdit_->ClearSelection();
        if (!alive.Alive()) {
            return;
        }
    }
    if (innerEdit_ != nullptr) {
        pass();
    }
    if (alive.Alive() && action.complete && autoComplete_ && innerEdit_ != nullptr) {
        Complete();
    }
}

// --- auto-completion ------------------------------------------------------------------------

HWND TqvSkinCustomComboBox::NativeList() {
    TqvListBox* native = list_->InnerListBox();
    native->HandleNeeded();
    return native->Handle();
}

void TqvSkinCustomComboBox::Complete() {
    if (!typeAhead_.TakeCompletion(GetTickCount())) {
        ScheduleCompletion();
        return;
    }
    CompleteText();
}

// Completes Text from the items: the first item that starts with it becomes current (a single
// character searches after the current item) and the completed tail is selected, so the next
// typed character replaces it.
void TqvSkinCustomComboBox::CompleteText() {
    const std::string typed = GetText();
    if (typed.empty() || innerEdit_ == nullptr) {
        return;
    }
    const int start = TqvTypeAhead::SearchStart(typed, ItemIndex());
    const auto found =
        int(SendMessage(NativeList(), LB_FINDSTRING, WPARAM(start), reinterpret_cast<LPARAM>(typed.c_str())));
    if (found < 0) {
        return;
    }
    vcl::TControlTracker alive(this);
    SetItemIndex(found);
    if (!alive.Alive() || innerEdit_ == nullptr) {
        return;
    }
    completedText_ = innerEdit_->GetText();
    completedTail_ = CompletedTail(typed, completedText_);
    innerEdit_->SetSelStart(completedTail_.start);
    innerEdit_->SetSelLength(completedTail_.length);
}

// A key released within the gate after the last search would otherwise never complete when it
// is the last one typed: the completion runs once the gate opens, unless the text moved on.
void TqvSkinCustomComboBox::ScheduleCompletion() {
    pendingCompletionText_ = GetText();
    const std::uint32_t waited = GetTickCount() - typeAhead_.LastSearchTime();
    const std::uint32_t wait = TqvTypeAhead::kCompleteGateMs + 1 -
                               std::min(waited, TqvTypeAhead::kCompleteGateMs);
    if (completionTimer_ == nullptr) {
        completionTimer_ = std::make_unique<vcl::TTimer>(nullptr);
        completionTimer_->SetOnTimer([this](vcl::TObject*) {
            completionTimer_->SetEnabled(false);
            if (innerEdit_ != nullptr && autoComplete_ && GetText() == pendingCompletionText_ &&
                innerEdit_->GetText() == pendingCompletionText_) {
                Complete();
            }
        });
    }
    completionTimer_->SetEnabled(false);
    completionTimer_->SetInterval(wait);
    completionTimer_->SetEnabled(true);
}

void TqvSkinCustomComboBox::CancelPendingCompletion() {
    if (completionTimer_ != nullptr) {
        completionTimer_->SetEnabled(false);
    }
}

// The edit's text changed (typed, pasted or set): the matching item is marked in the list without
// choosing it, and the text becomes the box's Text, which is not written back to the edit.
void TqvSkinCustomComboBox::EditChange() {
    if (innerEdit_ == nullptr) {
        return;
    }
    vcl::TControlTracker alive(this);
    {
        TFlagScope changing(editChanging_, true);
        const std::string text = innerEdit_->GetText();
        if (!text.empty()) {
            HWND native = NativeList();
            const auto found = SendMessage(native, LB_FINDSTRING, WPARAM(-1),
                                           reinterpret_cast<LPARAM>(text.c_str()));
            if (found >= 0) {
                SendMessage(native, autoComplete_ ? LB_SETCURSEL : LB_SETTOPINDEX, WPARAM(found), 0);
            }
        }
        SetText(text);
        if (!alive.Alive()) {
            return;
        }
    }
    // A change handler that rewrote Text: the edit shows what the box holds.
    if (!editChanging_ && innerEdit_ != nullptr && innerEdit_->GetText() != GetText()) {
        innerEdit_->SetText(GetText());
    }
}

// --- previous and next item -----------------------------------------------------------------

void TqvSkinCustomComboBox::StepItem(int delta, bool withText) {
    const int target = ComboStepIndex(list_->ItemIndex(), list_->ItemCount(), delta);
    if (target < 0) {
        return;
    }
    if (!withText) {
        list_->SetItemIndex(target);
        return;
    }
    // Through ItemIndex: Text becomes the item's, OnClick runs once; then the whole text is
    // selected, so typing replaces it.
    vcl::TControlTracker alive(this);
    SetItemIndex(target);
    if (alive.Alive() && innerEdit_ != nullptr) {
        innerEdit_->SelectAll();
    }
}

} // namespace qv
