#include "platform/ui/backend/sdl/XShape.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <vector>

#ifdef IISLOG_HAVE_XSHAPE
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#endif

namespace ui {

void ApplyX11Shape(SDL_Window* sdlWindow, const gfx::Region* shape) {
#ifdef IISLOG_HAVE_XSHAPE
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(sdlWindow, &info) || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    Display* display = info.info.x11.display;
    ::Window window = info.info.x11.window;
    if (!shape) {
        XShapeCombineMask(display, window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        // The region's rectangles are y-x banded already, the order X wants.
        std::vector<XRectangle> rects;
        rects.reserve(shape->Rects().size());
        for (const RECT& r : shape->Rects()) {
            rects.push_back(XRectangle{short(r.left), short(r.top), static_cast<unsigned short>(r.right - r.left),
                                       static_cast<unsigned short>(r.bottom - r.top)});
        }
        XShapeCombineRectangles(display, window, ShapeBounding, 0, 0, rects.data(), int(rects.size()),
                                ShapeSet, YXBanded);
    }
    XFlush(display);
#else
    (void)sdlWindow;
    (void)shape; // FIXME: built without libXext, so windows stay rectangular.
#endif
}

} // namespace ui
