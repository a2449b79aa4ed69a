#pragma once
// The text of an edit control: code points with a caret, an anchored selection, a text limit
// and the one-step undo of the Windows edit (undoing twice restores the change). Line breaks
// are CR LF (a lone LF also ends a line); a single-line model keeps only the first line of
// text it is given. Positions are code-point indexes, which is what the EM_ messages use here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

enum class CaretMotion {
    Left,
    Right,
    WordLeft,
    WordRight,
    LineStart,
    LineEnd,
    LineUp,
    LineDown,
    DocStart,
    DocEnd
};

class TextEditModel {
public:
    explicit TextEditModel(bool multiLine = false);

    bool MultiLine() const { return multiLine_; }

    // Replaces the whole text (WM_SETTEXT): caret at 0, undo emptied, not modified.
    void SetText(std::string_view utf8);
    std::string Text() const;
    const std::u32string& Chars() const { return text_; }
    size_t Length() const { return text_.size(); }

    // EM_SETSEL: start -1 removes the selection keeping the caret; end -1 (or past the end)
    // selects to the end; the caret goes to `end`.
    void SetSelection(long start, long end);
    size_t SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    size_t SelEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    size_t Caret() const { return caret_; }
    bool HasSelection() const { return caret_ != anchor_; }
    std::u32string SelectedText() const;
    void SelectAll() {
        anchor_ = 0;
        caret_ = text_.size();
    }

    // Replaces the selection; the inserted text is cut to the limit (and to its first line in
    // a single-line model). Returns false when nothing changed.
    bool ReplaceSelection(std::u32string_view text, bool canUndo = true);
    // A typed character; consecutive characters form one undo step.
    bool TypeChar(char32_t c);
    bool Backspace();
    bool DeleteForward();
    // Ctrl+Backspace: the selection, or the word before the caret with the breaks after it.
    bool DeleteWordBack();
    void MoveCaret(CaretMotion motion, bool extend);

    bool CanUndo() const { return hasUndo_; }
    bool Undo();
    void EmptyUndo();

    // EM_LIMITTEXT: 0 means the largest limit.
    void SetLimit(size_t limit);
    size_t Limit() const { return limit_; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    int LineCount() const { return static_cast<int>(lineStarts_.size()); }
    // Index of the first code point of `line`, or -1 past the last line.
    long LineIndex(int line) const;
    int LineLength(int line) const;
    int LineFromChar(size_t pos) const;
    std::u32string LineText(int line) const;

private:
    void RebuildLines();
    size_t LineEnd(int line) const;
    size_t StepLeft(size_t pos) const;
    size_t StepRight(size_t pos) const;
    void SaveUndo();

    bool multiLine_;
    std::u32string text_;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    size_t limit_;
    bool modified_ = false;
    std::vector<size_t> lineStarts_{0};

    bool hasUndo_ = false;
    bool typingRun_ = false;
    std::u32string undoText_;
    size_t undoAnchor_ = 0;
    size_t undoCaret_ = 0;
};

} // namespace controls
