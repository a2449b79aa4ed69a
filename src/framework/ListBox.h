#pragma once
// TListBox: the wrapper of the native list box. Items live in the wrapper (a TStrings that
// forwards each change to the window), so they exist before the window and survive its
// re-creation.

#include "framework/NativeControl.h"
#include "framework/StringList.h"

#include <vector>

namespace vcl {

class TCustomListBox;

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };
using enum TListBoxStyle;

class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox* owner) : owner_(owner) {}
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    friend class TCustomListBox;
    struct Entry {
        std::string text;
        TObject* object = nullptr;
    };
    TCustomListBox* owner_;
    std::vector<Entry> items_;
};

class TCustomListBox : public TNativeControl {
public:
    explicit TCustomListBox(TComponent* owner);

    TStrings* Items() { return &items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool on);
    RECT ItemRect(int index) const;
    int ItemAtPos(POINT pt, bool existing) const;

    TNotifyEvent OnDblClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWindow() override;
    void Dispatch(TMessage& message) override;

private:
    friend class TListBoxStrings;
    LRESULT SendConst(UINT msg, WPARAM w = 0, LPARAM l = 0) const {
        return const_cast<TCustomListBox*>(this)->Send(msg, w, l);
    }

    TListBoxStrings items_;
    int itemIndex_ = -1; // kept while there is no window
    int topIndex_ = 0;
    int itemHeight_ = 16;
    TListBoxStyle style_ = lbStandard;
    bool sorted_ = false;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};

} // namespace vcl
