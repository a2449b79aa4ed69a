#pragma once
// TqvExternalScrollBars: the two external TqvSkinScrollBar controls that a skinned scrolling
// control (the list view, the tree view) shows in place of its native bars. It keeps the control's
// references to them (with free notifications, so a bar that goes is forgotten), attaches a bar
// (enabled, hidden until the next synchronisation, its OnChange calling back into the control),
// shows and hides them with the control, reads the native scroll state they mirror and ends a
// synchronisation: the horizontal bar leaves the corner to a shown vertical one, and the
// control's parent realigns when a bar came or went. What each bar shows stays the control's
// own business: the native state means different things in each control and view style.

#include "skin/controls/qvSkinScrollBar.h"

#include <functional>

namespace qv {

// One axis (SB_VERT or SB_HORZ) of a window's native scroll state.
struct TqvNativeScroll {
    int min = 0;
    int max = 0;
    int pos = 0;
};
TqvNativeScroll ReadNativeScroll(HWND window, int bar);

class TqvExternalScrollBars {
public:
    // owner is the control the bars scroll; it owns this object.
    explicit TqvExternalScrollBars(vcl::TWinControl& owner) : owner_(owner) {}
    ~TqvExternalScrollBars();
    TqvExternalScrollBars(const TqvExternalScrollBars&) = delete;
    TqvExternalScrollBars& operator=(const TqvExternalScrollBars&) = delete;

    TqvSkinScrollBar* Vert() const { return vert_; }
    TqvSkinScrollBar* Horz() const { return horz_; }
    // A bar replaces the one before (nullptr: none); changed runs when the user moves it.
    void AttachVert(TqvSkinScrollBar* bar, std::function<void()> changed);
    void AttachHorz(TqvSkinScrollBar* bar, std::function<void()> changed);
    // From the owner's Notification on opRemove: a bar that goes is forgotten.
    void Removed(vcl::TComponent* component);
    // From the owner's CMVisibleChanged: the next synchronisation hides a bar not needed.
    void SetVisible(bool visible);
    // After a skin change: the owner's parent realigns when a bar is aligned.
    void RealignAlignedBars();

    // Which bars show: taken before a synchronisation and handed to Finish after it.
    struct Shown {
        bool vert = false;
        bool horz = false;
    };
    Shown Showing() const;
    // Ends a synchronisation. The parent's realignment runs with busy set, so that the resizing
    // it causes does not start another synchronisation; busy is then as it was.
    void Finish(Shown before, bool& busy);

private:
    void Attach(TqvSkinScrollBar*& slot, TqvSkinScrollBar* bar, std::function<void()> changed);

    vcl::TWinControl& owner_;
    TqvSkinScrollBar* vert_ = nullptr;
    TqvSkinScrollBar* horz_ = nullptr;
};

} // namespace qv
