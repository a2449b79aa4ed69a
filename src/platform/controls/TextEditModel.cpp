#include "platform/controls/TextEditModel.h"

#include "platform/controls/CodePoints.h"

#include <algorithm>

namespace controls {

namespace {

constexpr size_t kDefaultLimit = 30000;
constexpr size_t kLargestLimit = 0x7FFFFFFE;

bool IsSpace(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// What ends a word for Ctrl+Backspace: blanks and ASCII punctuation, so that in a path only the
// last folder name goes ("D:\logs\W3SVC1" loses "W3SVC1"). Letters of other scripts are word
// characters.
bool IsWordBreak(char32_t c) {
    return IsSpace(c) || (c < 0x80 && !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                                        (c >= 'a' && c <= 'z') || c == '_'));
}

} // namespace

TextEditModel::TextEditModel(bool multiLine) : multiLine_(multiLine), limit_(kDefaultLimit) {}

void TextEditModel::SetText(std::string_view utf8) {
    text_ = DecodeUtf8(utf8);
    if (!multiLine_) {
        auto br = text_.find_first_of(U"\r\n");
        if (br != std::u32string::npos) text_.resize(br);
    }
    anchor_ = caret_ = 0;
    modified_ = false;
    EmptyUndo();
    RebuildLines();
}

std::string TextEditModel::Text() const { return EncodeUtf8(text_); }

void TextEditModel::SetSelection(long start, long end) {
    typingRun_ = false;
    if (start < 0) {
        anchor_ = caret_;
        return;
    }
    size_t len = text_.size();
    size_t s = std::min(static_cast<size_t>(start), len);
    size_t e = end < 0 ? len : std::min(static_cast<size_t>(end), len);
    anchor_ = s;
    caret_ = e;
}

std::u32string TextEditModel::SelectedText() const { return text_.substr(SelStart(), SelEnd() - SelStart()); }

void TextEditModel::SaveUndo() {
    undoText_ = text_;
    undoAnchor_ = anchor_;
    undoCaret_ = caret_;
    hasUndo_ = true;
}

bool TextEditModel::ReplaceSelection(std::u32string_view text, bool canUndo) {
    std::u32string insert(text);
    if (!multiLine_) {
        auto br = insert.find_first_of(U"\r\n");
        if (br != std::u32string::npos) insert.resize(br);
    }
    size_t s = SelStart(), e = SelEnd();
    size_t kept = text_.size() - (e - s);
    size_t room = kept < limit_ ? limit_ - kept : 0;
    if (insert.size() > room) insert.resize(room);
    if (insert.empty() && s == e) return false;
    if (canUndo) SaveUndo();
    typingRun_ = false;
    text_.replace(s, e - s, insert);
    anchor_ = caret_ = s + insert.size();
    modified_ = true;
    RebuildLines();
    return true;
}

bool TextEditModel::TypeChar(char32_t c) {
    bool continuing = typingRun_ && !HasSelection();
    std::u32string_view one(&c, 1);
    if (c == '\n' && multiLine_) one = U"\r\n";
    if (continuing) {
        // The run's undo snapshot already holds the text before the first character.
        bool had = hasUndo_;
        auto savedText = std::move(undoText_);
        size_t sa = undoAnchor_, sc = undoCaret_;
        bool changed = ReplaceSelection(one, false);
        undoText_ = std::move(savedText);
        undoAnchor_ = sa;
        undoCaret_ = sc;
        hasUndo_ = had;
        typingRun_ = changed;
        return changed;
    }
    bool changed = ReplaceSelection(one, true);
    typingRun_ = changed;
    return changed;
}

bool TextEditModel::Backspace() {
    if (!HasSelection()) {
        if (caret_ == 0) return false;
        anchor_ = StepLeft(caret_);
    }
    return ReplaceSelection(U"", true);
}

bool TextEditModel::DeleteForward() {
    if (!HasSelection()) {
        if (caret_ >= text_.size()) return false;
        anchor_ = StepRight(caret_);
    }
    return ReplaceSelection(U"", true);
}

bool TextEditModel::DeleteWordBack() {
    if (!HasSelection()) {
        size_t pos = caret_;
        while (pos > 0 && IsWordBreak(text_[pos - 1]))
            --pos;
        while (pos > 0 && !IsWordBreak(text_[pos - 1]))
            --pos;
        if (pos == caret_) return false;
        anchor_ = pos;
    }
    return ReplaceSelection(U"", true);
}

size_t TextEditModel::StepLeft(size_t pos) const {
    if (pos == 0) return 0;
    // A CR LF pair is one step, so the caret never stands between its two halves.
    if (pos >= 2 && text_[pos - 1] == '\n' && text_[pos - 2] == '\r') return pos - 2;
    return pos - 1;
}

size_t TextEditModel::StepRight(size_t pos) const {
    if (pos >= text_.size()) return text_.size();
    if (text_[pos] == '\r' && pos + 1 < text_.size() && text_[pos + 1] == '\n') return pos + 2;
    return pos + 1;
}

void TextEditModel::MoveCaret(CaretMotion motion, bool extend) {
    typingRun_ = false;
    size_t pos = caret_;
    int line = LineFromChar(caret_);
    switch (motion) {
    case CaretMotion::Left: pos = (!extend && HasSelection()) ? SelStart() : StepLeft(caret_); break;
    case CaretMotion::Right: pos = (!extend && HasSelection()) ? SelEnd() : StepRight(caret_); break;
    case CaretMotion::WordLeft:
        while (pos > 0 && IsSpace(text_[pos - 1]))
            --pos;
        while (pos > 0 && !IsSpace(text_[pos - 1]))
            --pos;
        break;
    case CaretMotion::WordRight:
        while (pos < text_.size() && !IsSpace(text_[pos]))
            ++pos;
        while (pos < text_.size() && IsSpace(text_[pos]) && text_[pos] != '\r' && text_[pos] != '\n')
            ++pos;
        if (pos == caret_) pos = StepRight(pos);
        break;
    case CaretMotion::LineStart: pos = lineStarts_[line]; break;
    case CaretMotion::LineEnd: pos = LineEnd(line); break;
    case CaretMotion::LineUp:
    case CaretMotion::LineDown: {
        int target = line + (motion == CaretMotion::LineUp ? -1 : 1);
        if (target < 0 || target >= LineCount()) break;
        size_t column = caret_ - lineStarts_[line];
        pos = std::min(lineStarts_[target] + column, LineEnd(target));
        break;
    }
    case CaretMotion::DocStart: pos = 0; break;
    case CaretMotion::DocEnd: pos = text_.size(); break;
    }
    caret_ = pos;
    if (!extend) anchor_ = pos;
}

bool TextEditModel::Undo() {
    if (!hasUndo_) return false;
    std::swap(text_, undoText_);
    std::swap(anchor_, undoAnchor_);
    std::swap(caret_, undoCaret_);
    typingRun_ = false;
    modified_ = true;
    // The Windows edit selects what the undo put back; keeping the saved selection is
    // enough for every caller and keeps the caret where the user last saw it.
    anchor_ = std::min(anchor_, text_.size());
    caret_ = std::min(caret_, text_.size());
    RebuildLines();
    return true;
}

void TextEditModel::EmptyUndo() {
    hasUndo_ = false;
    typingRun_ = false;
    undoText_.clear();
    undoAnchor_ = undoCaret_ = 0;
}

void TextEditModel::SetLimit(size_t limit) {
    limit_ = limit == 0 ? kLargestLimit : std::min(limit, kLargestLimit);
}

void TextEditModel::RebuildLines() {
    lineStarts_.assign(1, 0);
    if (!multiLine_) return;
    for (size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\n') lineStarts_.push_back(i + 1);
}

size_t TextEditModel::LineEnd(int line) const {
    if (line + 1 >= LineCount()) return text_.size();
    size_t end = lineStarts_[line + 1] - 1; // at the LF
    if (end > lineStarts_[line] && text_[end - 1] == '\r') --end;
    return end;
}

long TextEditModel::LineIndex(int line) const {
    if (line < 0 || line >= LineCount()) return -1;
    return static_cast<long>(lineStarts_[line]);
}

int TextEditModel::LineLength(int line) const {
    if (line < 0 || line >= LineCount()) return 0;
    return static_cast<int>(LineEnd(line) - lineStarts_[line]);
}

int TextEditModel::LineFromChar(size_t pos) const {
    pos = std::min(pos, text_.size());
    auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), pos);
    return static_cast<int>(it - lineStarts_.begin()) - 1;
}

std::u32string TextEditModel::LineText(int line) const {
    if (line < 0 || line >= LineCount()) return {};
    return text_.substr(lineStarts_[line], LineEnd(line) - lineStarts_[line]);
}

} // namespace controls
