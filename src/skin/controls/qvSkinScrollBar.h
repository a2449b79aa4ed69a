#pragma once
// TqvSkinScrollBar: a stand-alone scroll bar drawn from a "scrollbar" skin record (or plainly when
// none is bound). The skinned list view, list box, memo and tree view hide their native bars and
// are given two of these; they mirror their scroll state into the bar with AssignRange and scroll
// themselves from OnChange (or from OnUpButtonClick / OnDownButtonClick, which replace the
// buttons' own step).
//
// Parts: 0 the thumb, 1 the increment button (at the Max end: right or bottom), 2 the decrement
// button (at the Min end). Their hot and pressed state and the arrow repeat are kept by the shared
// TqvPushTracker; a press on the track pages with a repeat of its own, which runs only while the
// pointer stays on its side of the thumb. The arithmetic lives in qvScrollBarGeometry.

#include "skin/controls/qvPushTracker.h"
#include "skin/controls/qvScrollBarGeometry.h"
#include "skin/controls/qvSkinCustomControl.h"

#include <string>

namespace qv {

enum class TqvScrollBarKind { sbHorizontal, sbVertical };
using enum TqvScrollBarKind;

// What a held press repeats.
enum class TqvAutoRepeat { None = 0, Decrement = 1, Increment = 2, PageDecrement = 3, PageIncrement = 4 };

class TqvSkinScrollBar : public TqvSkinCustomControl {
public:
    static constexpr int kThumb = 0;
    static constexpr int kIncrement = 1;
    static constexpr int kDecrement = 2;
    // First wait and step of a held button or page press.
    static constexpr UINT kRepeatDelay = 500;
    static constexpr UINT kRepeatInterval = 50;

    explicit TqvSkinScrollBar(vcl::TComponent* owner);
    ~TqvSkinScrollBar() override;

    // --- published ---
    TqvScrollBarKind Kind() const { return kind_; }
    void SetKind(TqvScrollBarKind kind);
    bool Vertical() const { return kind_ == sbVertical; }
    int Min() const { return range_.Min; }
    void SetMin(int value);
    int Max() const { return range_.Max; }
    void SetMax(int value);
    int Position() const { return range_.Position; }
    // Clamped to the range (the last page when PageSize is set); OnChange follows a change.
    void SetPosition(int value);
    int PageSize() const { return range_.PageSize; }
    // Refused when the page would reach past the range from the current position.
    void SetPageSize(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value);
    // The host's scroll state in one step, without OnChange.
    void AssignRange(int min, int max, int position, int pageSize);
    const TqvScrollRange& Range() const { return range_; }

    // A horizontal bar beside a vertical one: it switches to BothSkinDataName, whose picture
    // leaves the shared corner free (or, drawn plainly, keeps BothMarkerWidth pixels free).
    bool Both() const { return both_; }
    void SetBoth(bool on);
    int BothMarkerWidth() const { return bothMarkerWidth_; }
    void SetBothMarkerWidth(int value);
    const std::string& BothSkinDataName() const { return bothSkinDataName_; }
    void SetBothSkinDataName(const std::string& name) { bothSkinDataName_ = name; }
    const std::string& NormalSkinDataName() const { return normalSkinDataName_; }
    // Lets the bar take the focus and answer arrow keys and the wheel.
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool on);

    vcl::TNotifyEvent OnChange;
    vcl::TNotifyEvent OnLastChange; // a thumb drag ended
    vcl::TNotifyEvent OnUpButtonClick;
    vcl::TNotifyEvent OnDownButtonClick;
    vcl::TNotifyEvent OnPageUp;
    vcl::TNotifyEvent OnPageDown;

    // --- state ---
    // Where the parts lie at the current size and range (recomputed on each call).
    const TqvScrollBarLayout& CalcGeometry();
    const TqvScrollBarLayout& Layout() const { return layout_; }
    int HotPart() const { return tracker_.HotPart(); }
    int CapturedPart() const { return tracker_.PressedPart(); }
    bool Dragging() const { return dragging_; }
    bool ButtonHeld() const { return buttonHeld_; }
    TqvAutoRepeat AutoRepeatKind() const { return autoRepeat_; }
    // The first part (thumb, increment, decrement) containing the point, or -1.
    int PartAt(int x, int y) const;

    void ReadSkinRecord() override;
    // The bound record's values (rectangles of the buttons and track relative to skinrect).
    RECT trackarea{};
    RECT upbuttonrect{};
    RECT activeupbuttonrect{};
    RECT downupbuttonrect{};
    RECT downbuttonrect{};
    RECT activedownbuttonrect{};
    RECT downdownbuttonrect{};
    RECT thumbrect{};
    RECT activethumbrect{};
    RECT downthumbrect{};
    int thumboffset1 = 0;
    int thumboffset2 = 0;
    bool thumbtransparent = false;
    TColor thumbtransparentcolor = 0;
    bool thumbstretcheffect = false;
    int thumbminsize = 0;
    int thumbminpagesize = 0;
    RECT glyphrect{};
    RECT activeglyphrect{};
    RECT downglyphrect{};
    bool glyphtransparent = false;
    TColor glyphtransparentcolor = 0;

protected:
    void DrawDefaultImage(vcl::TBitmap& bitmap) override;
    void DrawSkinImage(vcl::TBitmap& bitmap) override;
    void MouseDown(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void MouseMove(vcl::TShiftState shift, int x, int y) override;
    void MouseUp(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, vcl::TShiftState shift) override;
    void WndProc(vcl::TMessage& message) override;

private:
    bool SkinBound() const;
    TqvScrollBarSkinMetrics SkinMetrics() const;
    void Changed();
    void ButtonStep(int part);
    bool PageStep(TqvAutoRepeat kind, bool repeating);
    void PageRepeatTick();
    void StopRepeat();
    void CancelPress();
    void MoveHot(int x, int y);
    void DragTo(int x, int y);
    void MouseLeft();
    void PaintIntoDC(HDC dc);
    bool TakeFocusForClick();
    void DrawThumb(vcl::TCanvas* canvas);
    void DrawDefaultPart(HDC dc, int part);

    TqvScrollBarKind kind_ = sbHorizontal;
    TqvScrollRange range_;
    int smallChange_ = 1;
    int largeChange_ = 1;
    bool both_ = false;
    int bothMarkerWidth_ = 19;
    std::string bothSkinDataName_ = "bothhscrollbar";
    std::string normalSkinDataName_;
    bool canFocused_ = false;

    TqvScrollBarLayout layout_;
    TqvPushTracker tracker_{3};
    TqvRepeatTimer pageRepeat_;
    TqvAutoRepeat autoRepeat_ = TqvAutoRepeat::None;
    bool dragging_ = false;
    bool buttonHeld_ = false;
    bool suppressClicks_ = false;
    int dragStartCoordinate_ = 0;
    int dragStartOffset_ = 0;
    int dragStartPosition_ = 0;
    POINT lastMouse_{};
};

} // namespace qv
