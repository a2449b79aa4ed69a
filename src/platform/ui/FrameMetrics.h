#pragma once
// The sizes of the standard window frame, kept in one table: DefWindowProc lays out, hit-tests
// and paints the plain frame from it, GetSystemMetrics reports it, and tests compute the
// rectangles they expect from GetSystemMetrics, so the three never disagree.

namespace ui {

struct FrameMetrics {
    int caption;            // SM_CYCAPTION: the caption band of a normal window
    int smallCaption;       // SM_CYSMCAPTION: of a tool window (WS_EX_TOOLWINDOW)
    int captionButton;      // SM_CXSIZE, SM_CYSIZE
    int smallCaptionButton; // SM_CXSMSIZE, SM_CYSMSIZE
    int border;             // SM_CXBORDER: WS_BORDER
    int dialogFrame;        // SM_CXDLGFRAME: WS_DLGFRAME, WS_EX_DLGMODALFRAME
    int sizingFrame;        // SM_CXFRAME: WS_THICKFRAME
    int clientEdge;         // SM_CXEDGE: WS_EX_CLIENTEDGE
    int staticEdge;         // WS_EX_STATICEDGE (no metric of its own)
    int scrollBar;          // SM_CXVSCROLL, SM_CYHSCROLL and the thumbs
    int menu;               // SM_CYMENU
    int minTrackWidth;      // SM_CXMINTRACK, SM_CXMIN
    int minTrackHeight;     // SM_CYMINTRACK, SM_CYMIN
};

inline constexpr FrameMetrics kFrameMetrics{
    .caption = 18,
    .smallCaption = 15,
    .captionButton = 18,
    .smallCaptionButton = 15,
    .border = 1,
    .dialogFrame = 3,
    .sizingFrame = 4,
    .clientEdge = 2,
    .staticEdge = 1,
    .scrollBar = 16,
    .menu = 19,
    .minTrackWidth = 112,
    .minTrackHeight = 27,
};

} // namespace ui
