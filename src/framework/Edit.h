#pragma once
// TCustomEdit / TEdit and TCustomMemo / TMemo: the wrappers of the native edit, single- and
// multi-line. The text lives in the window once there is one (Text reads it back), and in
// the control before that. Lines is a TStrings over the memo's lines as the edit reports them.

#include "framework/Label.h"
#include "framework/NativeControl.h"
#include "framework/StringList.h"

namespace vcl {

class TCustomMemo;

// The edit's border: bsSingle is the sunken client edge.
enum class TBorderStyle { bsNone, bsSingle };

class TCustomEdit : public TNativeControl {
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    char32_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char32_t c);
    bool Modified();
    void SetModified(bool on);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // Selection in code points.
    int SelStart();
    void SetSelStart(int start);
    int SelLength();
    void SetSelLength(int length);
    std::string SelText();
    void SetSelText(const std::string& text);
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo();
    void Undo();
    void ClearUndo();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWindow() override;
    void Dispatch(TMessage& message) override;
    virtual void Change();

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
    char32_t passwordChar_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    int selStart_ = 0;
    int selLength_ = 0;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    friend class TCustomMemo;
    std::vector<std::string> Split() const;
    void Join(const std::vector<std::string>& lines);
    TCustomMemo* memo_;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);

    TStrings* Lines() { return &lines_; }
    // Every line in one pass: Lines reads the whole text again on each call, so copying a long
    // memo line by line through it costs the square of its length.
    std::vector<std::string> LineTexts() const { return lines_.Split(); }
    void SetLines(const TStrings* lines);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool on) { wantReturns_ = on; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    // On: the window is made without ES_AUTOHSCROLL, which asks the native edit to wrap long
    // lines. The native edit of this platform keeps every line whole and scrolls sideways, as a
    // memo with a horizontal scroll bar does on any platform, so Lines always match the text's
    // own lines.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TMemoStrings lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wordWrap_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

} // namespace vcl
