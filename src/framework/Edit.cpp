#include "framework/Edit.h"

#include "framework/Exceptions.h"
#include "framework/Messages.h"
#include "platform/controls/CodePoints.h"

#include <algorithm>

namespace vcl {

// ---- single-line edit

TCustomEdit::TCustomEdit(TComponent* owner) : TNativeControl(owner, WC_EDIT) {
    SetControlStyle(ControlStyle() | csClickEvents);
    SetBounds(Left(), Top(), 121, 21);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TNativeControl::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL;
    if (readOnly_) params.Style |= ES_READONLY;
    if (passwordChar_) params.Style |= ES_PASSWORD;
    if (borderStyle_ == TBorderStyle::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::InitWindow() {
    Send(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
    if (passwordChar_) Send(EM_SETPASSWORDCHAR, passwordChar_);
    Send(EM_SETSEL, static_cast<WPARAM>(selStart_), selStart_ + selLength_);
}

void TCustomEdit::SetReadOnly(bool on) {
    readOnly_ = on;
    Send(EM_SETREADONLY, on);
}

void TCustomEdit::SetMaxLength(int length) {
    maxLength_ = std::max(length, 0);
    Send(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TCustomEdit::SetPasswordChar(char32_t c) {
    passwordChar_ = c;
    Send(EM_SETPASSWORDCHAR, c);
}

bool TCustomEdit::Modified() { return Send(EM_GETMODIFY) != 0; }
void TCustomEdit::SetModified(bool on) { Send(EM_SETMODIFY, on); }

int TCustomEdit::SelStart() {
    if (!HandleAllocated()) return selStart_;
    DWORD start = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
    if (!HandleAllocated()) return selLength_;
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int start) {
    selStart_ = std::max(start, 0);
    selLength_ = 0;
    Send(EM_SETSEL, static_cast<WPARAM>(selStart_), selStart_);
}

void TCustomEdit::SetSelLength(int length) {
    int start = SelStart();
    selStart_ = start;
    selLength_ = std::max(length, 0);
    Send(EM_SETSEL, static_cast<WPARAM>(start), start + selLength_);
}

std::string TCustomEdit::SelText() {
    auto text = controls::DecodeUtf8(GetText());
    size_t start = std::min(static_cast<size_t>(SelStart()), text.size());
    size_t length = std::min(static_cast<size_t>(SelLength()), text.size() - start);
    return controls::EncodeUtf8(text.substr(start, length));
}

void TCustomEdit::SetSelText(const std::string& text) {
    HandleNeeded();
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() { Send(EM_SETSEL, 0, -1); }
void TCustomEdit::ClearSelection() { Send(WM_CLEAR); }
void TCustomEdit::CopyToClipboard() { Send(WM_COPY); }
void TCustomEdit::CutToClipboard() { Send(WM_CUT); }
void TCustomEdit::PasteFromClipboard() { Send(WM_PASTE); }
bool TCustomEdit::CanUndo() { return Send(EM_CANUNDO) != 0; }
void TCustomEdit::Undo() { Send(WM_UNDO); }
void TCustomEdit::ClearUndo() { Send(EM_EMPTYUNDOBUFFER); }

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(static_cast<DWORD>(message.WParam)) == EN_CHANGE) Change();
        return;
    }
    TNativeControl::Dispatch(message);
}

// ---- memo lines

std::vector<std::string> TMemoStrings::Split() const {
    std::vector<std::string> lines;
    std::string text = memo_->GetText();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    // A text ending in a line break has no empty last line, as the framework counts lines.
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

namespace {

// Lines joined with CR LF. A final empty line gets its own break, or the text would end with
// the line before it and the empty line would be lost (a text ending in a break has no empty
// last line).
std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size()) text += "\r\n";
    }
    if (!lines.empty() && lines.back().empty()) text += "\r\n";
    return text;
}

} // namespace

void TMemoStrings::Join(const std::vector<std::string>& lines) { memo_->SetText(JoinLines(lines)); }

int TMemoStrings::Count() const { return static_cast<int>(Split().size()); }

std::string TMemoStrings::Get(int index) const {
    auto lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size()))
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    return lines[static_cast<size_t>(index)];
}

void TMemoStrings::Put(int index, const std::string& s) {
    auto lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size()))
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    lines[static_cast<size_t>(index)] = s;
    Join(lines);
}

void TMemoStrings::Insert(int index, const std::string& s) {
    auto lines = Split();
    if (index < 0 || index > static_cast<int>(lines.size()))
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    lines.insert(lines.begin() + index, s);
    Join(lines);
}

void TMemoStrings::Delete(int index) {
    auto lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size()))
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    lines.erase(lines.begin() + index);
    Join(lines);
}

void TMemoStrings::Clear() { memo_->SetText(""); }

// ---- memo

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(this) {
    SetBounds(Left(), Top(), 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style &= ~ES_AUTOHSCROLL;
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!wordWrap_) params.Style |= ES_AUTOHSCROLL;
    if (wantReturns_) params.Style |= ES_WANTRETURN;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
    if (alignment_ == TAlignment::taRightJustify) params.Style |= ES_RIGHT;
    if (alignment_ == TAlignment::taCenter) params.Style |= ES_CENTER;
}

void TCustomMemo::SetLines(const TStrings* lines) {
    std::vector<std::string> copy;
    for (int i = 0; lines && i < lines->Count(); ++i)
        copy.push_back(lines->Get(i));
    SetText(JoinLines(copy));
}

void TCustomMemo::SetScrollBars(TScrollStyle style) {
    if (style == scrollBars_) return;
    scrollBars_ = style;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    if (HandleAllocated()) RecreateWnd();
}

} // namespace vcl
