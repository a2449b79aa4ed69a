#include "skin/controls/qvCustomEdit.h"

#include "framework/Forms.h"
#include "framework/Messages.h"
#include "platform/controls/CodePoints.h"
#include "platform/gfx/StockObjects.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/User.h"
#include "skin/data/qvParentBackground.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"
#include "skin/form/qvSkinMenus.h"

namespace qv {

namespace {

// Frees the context menu after its command ran, once the menu engine's call has returned.
constexpr UINT kFreeContextMenu = WM_APP + 0xE1;

// A caption of the context menu: the form skin's resource string when its skin data carries
// them, else the built-in text.
std::string MenuCaption(vcl::TCustomForm* form, const char* key, const char* builtIn) {
    TqvVeltrane* formSkin = form != nullptr ? FindFormSkin(form) : nullptr;
    if (formSkin != nullptr && formSkin->SkinData() != nullptr &&
        formSkin->SkinData()->ResourceStrData() != nullptr) {
        std::string text = formSkin->SkinData()->ResourceStrData()->GetResStr(key);
        if (!text.empty()) {
            return text;
        }
    }
    return builtIn;
}

char32_t ApplyCharCase(TqvEditCharCase charCase, char32_t c) {
    switch (charCase) {
    case TqvEditCharCase::ecUpperCase: return c >= 'a' && c <= 'z' ? c - 32 : c;
    case TqvEditCharCase::ecLowerCase: return gfx::ToLowerCodePoint(c);
    case TqvEditCharCase::ecNormal: break;
    }
    return c;
}

} // namespace

TqvCustomEdit::TqvCustomEdit(vcl::TComponent* owner) : vcl::TCustomEdit(owner) {}

void TqvCustomEdit::CreateParams(vcl::TCreateParams& params) {
    vcl::TCustomEdit::CreateParams(params);
    params.Style &= ~DWORD(WS_BORDER);
    params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    if (editTransparent_) {
        params.ExStyle |= WS_EX_TRANSPARENT;
    }
    if (!hideSelection_) {
        params.Style |= ES_NOHIDESEL;
    }
}

void TqvCustomEdit::SetEditTransparent(bool on) {
    if (on == editTransparent_) {
        return;
    }
    editTransparent_ = on;
    if (HandleAllocated()) {
        auto ex = DWORD(GetWindowLongPtr(Handle(), GWL_EXSTYLE));
        ex = on ? (ex | WS_EX_TRANSPARENT) : (ex & ~DWORD(WS_EX_TRANSPARENT));
        SetWindowLongPtr(Handle(), GWL_EXSTYLE, LONG_PTR(ex));
    }
    Invalidate();
}

void TqvCustomEdit::SetHideSelection(bool on) {
    if (on == hideSelection_) {
        return;
    }
    hideSelection_ = on;
    if (HandleAllocated()) {
        RecreateWnd();
    }
}

// Enter and Escape go to the form as dialog keys after the key-press event saw them; other
// characters take the edit's letter case and are typed.
bool TqvCustomEdit::TypeChar(vcl::TMessage& m) {
    const auto c = char32_t(m.WParam);
    if (c == '\r' || c == 27) {
        vcl::TControlTracker alive(this);
        char32_t key = c;
        DoKeyPress(key);
        if (alive.Alive()) {
            if (vcl::TCustomForm* form = GetParentForm()) {
                form->Perform(vcl::CM_DIALOGKEY, WPARAM(c), m.LParam);
            }
        }
        m.Result = 0;
        return false;
    }
    if (c >= 0x20) {
        m.WParam = WPARAM(ApplyCharCase(charCase_, c));
    }
    return true;
}

// The parent's picture under the edit first, then the native edit draws the text over it with a
// transparent background. The caret is inverted on the window, so it stays hidden meanwhile.
void TqvCustomEdit::PaintTransparent() {
    HWND h = Handle();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(h, &ps);
    if (dc != nullptr) {
        HideCaret(h);
        PaintParentBackground(this, dc);
        vcl::TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        DefaultHandler(paint);
        ShowCaret(h);
    }
    EndPaint(h, &ps);
}

void TqvCustomEdit::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomEdit::Notification(component, operation);
    if (operation == vcl::opRemove && component == contextMenu_) {
        contextMenu_ = nullptr;
    }
}

void TqvCustomEdit::ShowContextMenu(POINT at) {
    delete contextMenu_;
    auto* menu = new TqvSkinPopupMenu(this);
    contextMenu_ = menu;
    vcl::TCustomForm* form = GetParentForm();
    const int length = int(controls::DecodeUtf8(GetText()).size());
    const int selStart = SelStart();
    const int selLength = SelLength();
    const bool selected = selLength > 0;
    auto add = [&](const char* key, const char* caption, bool enabled, void (TqvCustomEdit::*action)()) {
        vcl::TMenuItem* item = menu->Items()->AddItem(MenuCaption(form, key, caption),
                                                      [this, action](vcl::TObject*) { (this->*action)(); });
        item->SetEnabled(enabled);
    };
    add("EDIT_UNDO", "Undo", CanUndo(), &TqvCustomEdit::Undo);
    menu->Items()->AddItem("-");
    add("EDIT_CUT", "Cut", selected && !ReadOnly(), &TqvCustomEdit::CutToClipboard);
    add("EDIT_COPY", "Copy", selected, &TqvCustomEdit::CopyToClipboard);
    add("EDIT_PASTE", "Paste", IsClipboardFormatAvailable(CF_TEXT) && !ReadOnly(),
        &TqvCustomEdit::PasteFromClipboard);
    add("EDIT_DELETE", "Delete", selected && !ReadOnly(), &TqvCustomEdit::ClearSelection);
    menu->Items()->AddItem("-");
    add("EDIT_SELECTALL", "Select All", !(selStart == 0 && selLength == length), &TqvCustomEdit::SelectAll);
    if (at.x < 0 || at.y < 0) {
        at = ClientToScreen(POINT{Width() / 2, Height() / 2});
    }
    menu->PopupFor(this, at.x, at.y);
}

void TqvCustomEdit::WndProc(vcl::TMessage& m) {
    switch (m.Msg) {
    case WM_CONTEXTMENU:
        if (PopupMenu() == nullptr) {
            ShowContextMenu(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            m.Result = 0;
            return;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // The menu key and Shift+F10 open the context menu at the edit's centre.
        if (PopupMenu() == nullptr &&
            (m.WParam == VK_APPS || (m.WParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))) {
            ShowContextMenu(POINT{-1, -1});
            m.Result = 0;
            return;
        }
        break;
    case QVM_SKIN_MENU_COMMAND_DONE:
        if (HandleAllocated()) {
            PostMessage(Handle(), kFreeContextMenu, 0, 0);
        }
        return;
    case kFreeContextMenu:
        if (contextMenu_ != nullptr && !contextMenu_->Showing()) {
            delete contextMenu_;
        }
        return;
    case WM_SETFONT:
        vcl::TCustomEdit::WndProc(m);
        if (HandleAllocated()) {
            SendMessage(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 0));
        }
        return;
    case WM_CHAR:
        if (!TypeChar(m)) {
            return;
        }
        break;
    case WM_SETFOCUS: {
        vcl::TControlTracker alive(this);
        vcl::TCustomEdit::WndProc(m);
        if (alive.Alive() && autoSelect_ && HandleAllocated()) {
            SelectAll();
        }
        return;
    }
    case WM_ERASEBKGND:
        if (editTransparent_) {
            m.Result = 1;
            return;
        }
        break;
    case WM_PAINT:
        if (editTransparent_ && m.WParam == 0 && HandleAllocated()) {
            PaintTransparent();
            m.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: leftButtonDown_ = true; break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: leftButtonDown_ = false; break;
    case vcl::CM_CANCELMODE:
        if (OnCancelMode) {
            OnCancelMode(reinterpret_cast<vcl::TControl*>(m.LParam));
        }
        return;
    default: break;
    }
    vcl::TCustomEdit::WndProc(m);
}

// A transparent edit answers the colour request with a hollow brush and a transparent text
// background, so the native edit fills nothing under its text.
void TqvCustomEdit::Dispatch(vcl::TMessage& m) {
    if (editTransparent_ &&
        (m.Msg == vcl::CN_BASE + WM_CTLCOLOREDIT || m.Msg == vcl::CN_BASE + WM_CTLCOLORSTATIC)) {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, vcl::ColorToRGB(Font()->Color()));
        m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return;
    }
    vcl::TCustomEdit::Dispatch(m);
}

} // namespace qv
