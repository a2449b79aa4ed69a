#pragma once
// The skinned list box: a skinned frame (TqvSkinCustomListBox) around a native owner-drawn list
// (TqvListBox) whose rows the frame paints from its "listbox" record. The native list keeps the
// items, the selection, the top row and the platform list's keys and mouse; the frame lays it out,
// draws every row into a bitmap of its own and mirrors the list's scroll state into two internal
// skinned scroll bars that exist only while the content overflows. In caption mode a bar with
// three small buttons (previous item, next item, check) sits on top.

#include "framework/ListBox.h"
#include "framework/StringList.h"
#include "skin/controls/qvPushTracker.h"
#include "skin/controls/qvSkinCustomControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace qv {

class TqvSkinCustomListBox;
class TqvSkinScrollBar;

// The owner-draw state of a row.
enum TqvOwnerDrawFlag : unsigned { odSelected = 1, odFocused = 2 };
using TqvOwnerDrawState = unsigned;

// Paints a row's images and text onto canvas (its background is already there).
using TqvDrawItemEvent = std::function<void(vcl::TCanvas* canvas, int index, int width, int height,
                                            RECT textRect, TqvOwnerDrawState state)>;

// The native list inside the skinned list box.
class TqvListBox : public vcl::TCustomListBox {
public:
    TqvListBox(vcl::TComponent* owner, TqvSkinCustomListBox* skinOwner);

    TqvSkinCustomListBox* OwnerSkinListBox() const { return owner_; }
    // Item images and texts are drawn this many pixels further left.
    int HorzOffset() const { return horzOffset_; }
    void SetHorzOffset(int offset);
    // The height of one row (the native list's, once it has a window).
    int RowHeight() const;
    // Number of rows that fit fully.
    int VisibleRows() const;

protected:
    friend class TqvSkinCustomListBox;

    void CreateParams(vcl::TCreateParams& params) override;
    void WndProc(vcl::TMessage& message) override;
    void MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void MouseMove(vcl::TShiftState shift, int x, int y) override;
    void MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(WORD& key, vcl::TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    void DoExit() override;

private:
    void PaintRows(HDC dc);
    void OnWheel(int delta);
    void OnResized();

    TqvSkinCustomListBox* owner_;
    int horzOffset_ = 0;
    int lastWidth_ = -1;
};

class TqvSkinCustomListBox : public TqvSkinCustomControl {
public:
    static constexpr int kPreviousButton = 0;
    static constexpr int kNextButton = 1;
    static constexpr int kCheckButton = 2;

    explicit TqvSkinCustomListBox(vcl::TComponent* owner);
    ~TqvSkinCustomListBox() override;

    // --- items (forwarded to the native list) ---
    vcl::TStrings* Items() const;
    // Assigns the lines and re-synchronises the bars.
    void SetItems(const vcl::TStrings* items);
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemCount() const;
    bool Sorted() const;
    void SetSorted(bool on);
    TqvListBox* InnerListBox() const { return list_; }

    // --- published ---
    vcl::TStrings* TabWidths() const { return tabWidths_.get(); }
    void SetTabWidths(const vcl::TStrings* lines);
    bool UseSkinItemHeight() const { return useSkinItemHeight_; }
    void SetUseSkinItemHeight(bool on);
    bool HorizontalExtent() const { return horizontalExtent_; }
    void SetHorizontalExtent(bool on);
    // Always 0: the platform list has no multi-column mode.
    int Columns() const { return columns_; }
    int RowCount() const { return rowCount_; }
    void SetRowCount(int rows);
    vcl::TImageList* Images() const { return images_; }
    void SetImages(vcl::TImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    vcl::TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const vcl::TBitmap* glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    bool CaptionMode() const { return captionMode_; }
    void SetCaptionMode(bool on);
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int h);
    vcl::TFont* DefaultCaptionFont() const { return defaultCaptionFont_.get(); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int h);

    TqvDrawItemEvent OnDrawItem;
    vcl::TNotifyEvent OnUpButtonClick;
    vcl::TNotifyEvent OnDownButtonClick;
    vcl::TNotifyEvent OnCheckButtonClick;
    vcl::TNotifyEvent OnListBoxClick;
    vcl::TNotifyEvent OnListBoxDblClick;
    vcl::TMouseEvent OnListBoxMouseDown;
    vcl::TMouseMoveEvent OnListBoxMouseMove;
    vcl::TMouseEvent OnListBoxMouseUp;
    vcl::TKeyEvent OnListBoxKeyDown;
    vcl::TKeyPressEvent OnListBoxKeyPress;
    vcl::TKeyEvent OnListBoxKeyUp;

    // --- operations ---
    int HeightForRows(int rows) const;
    // The row under a point of the native list's client area; with existingOnly, -1 below the last.
    int ItemAtPoint(POINT p, bool existingOnly) const;
    void SetListTopIndex(int index);
    void UpdateScrollBars();
    void AlignInnerControls();

    // --- state ---
    RECT ListClientRect() const { return listClientRect_; }
    RECT InnerListRect() const { return innerListRect_; }
    RECT CaptionTextRect() const { return captionTextRect_; }
    RECT CaptionButtonRect(int button) const { return buttonRects_[button]; }
    const TqvPushTracker& CaptionButtons() const { return buttons_; }
    int AutoRepeatDirection() const { return autoRepeatDirection_; }
    TqvSkinScrollBar* ListVScrollBar() const { return vbar_; }
    TqvSkinScrollBar* ListHScrollBar() const { return hbar_; }

    void ReadSkinRecord() override;
    void ApplySkin() override;
    bool SkinBound() const { return skinRecordIndex_ != -1 && boundListRecord_; }

    // Copies of the bound "listbox" record.
    RECT itemrect{}, activeitemrect{}, focusitemrect{};
    int itemleftoffset = 0, itemrightoffset = 0;
    RECT itemtextrect{};
    std::string fontname;
    int fontheight = 14;
    unsigned fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
    RECT captionrect{};
    std::string captionfontname;
    int captionfontheight = 14;
    unsigned captionfontstyle = 0;
    TColor captionfontcolor = 0;
    RECT upbuttonrect{}, activeupbuttonrect{}, downupbuttonrect{};
    RECT downbuttonrect{}, activedownbuttonrect{}, downdownbuttonrect{};
    RECT checkbuttonrect{}, activecheckbuttonrect{}, downcheckbuttonrect{};
    std::string vscrollbarname, hscrollbarname, bothhscrollbarname;
    bool showfocus = false;

protected:
    friend class TqvListBox;

    // Called by the native list (each raises the On event of the same name).
    virtual int GetItemTextWidth(int index, vcl::TCanvas* canvas);
    virtual void ListBoxMouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y);
    virtual void ListBoxMouseMove(vcl::TShiftState shift, int x, int y);
    virtual void ListBoxMouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(WORD& key, vcl::TShiftState shift);
    virtual void ListBoxKeyUp(WORD& key, vcl::TShiftState shift);
    virtual void ListBoxKeyPress(char32_t& key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    // Sees every message of the native list first; clearing cont drops it.
    virtual void ListBoxWndProc(vcl::TMessage& message, bool& cont);
    virtual void ListBoxCreateWnd() {}

    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void DrawSkinImage(vcl::TBitmap& bitmap) override;
    void DefaultFontChanged() override;
    void WndProc(vcl::TMessage& message) override;
    void MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void MouseMove(vcl::TShiftState shift, int x, int y) override;
    void MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

    // Paints row `index` (its state as given) onto dc at rect, from the record or plainly.
    void DrawItem(HDC dc, int index, const RECT& rect, TqvOwnerDrawState state);
    // Fills an area of the native list with its background (the record's client tile).
    void FillListBackground(HDC dc, const RECT& area);

private:
    const TqvDataSkinListBox* ListRecord() const;
    void DrawItemContent(vcl::TCanvas* canvas, int index, int width, int height, RECT textRect,
                         TqvOwnerDrawState state, bool skinned);
    void ApplyItemFont(vcl::TCanvas* canvas);
    void DrawCaption(vcl::TCanvas* canvas, const RECT& rect, bool skinned);
    void DrawCaptionButtons(vcl::TCanvas* canvas, bool skinned);
    void PlaceCaptionButtons(bool skinned);
    int CaptionButtonAt(int x, int y) const;
    bool CaptionInputActive() const;
    void CaptionButtonStep(int button);
    void CaptionButtonAction(int button);
    void CreateVScrollBar();
    void CreateHScrollBar();
    void RemoveVScrollBar();
    void RemoveHScrollBar();
    void TuneHScrollBar();
    void ApplyItemHeight();
    void WheelStep(int delta);
    void HScrollKey(WORD& key);

    TqvListBox* list_ = nullptr;
    std::unique_ptr<vcl::TStringList> tabWidths_;
    bool useSkinItemHeight_ = true;
    bool horizontalExtent_ = false;
    bool applyingSkin_ = false;
    int rowCount_ = 0;
    int columns_ = 0;
    std::unique_ptr<vcl::TBitmap> glyph_;
    int numGlyphs_ = 1;
    int spacing_ = 2;
    vcl::TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int defaultItemHeight_ = 20;
    int defaultCaptionHeight_ = 20;
    std::unique_ptr<vcl::TFont> defaultCaptionFont_;
    RECT listClientRect_{};
    RECT innerListRect_{};
    bool captionMode_ = false;
    TAlignment alignment_ = taLeftJustify;
    RECT buttonRects_[3]{};
    RECT captionTextRect_{};
    TqvPushTracker buttons_{3};
    int autoRepeatDirection_ = 0;
    TqvSkinScrollBar* vbar_ = nullptr;
    TqvSkinScrollBar* hbar_ = nullptr;
    bool boundListRecord_ = false;
};

class TqvSkinListBox : public TqvSkinCustomListBox {
public:
    using TqvSkinCustomListBox::TqvSkinCustomListBox;
};

} // namespace qv
