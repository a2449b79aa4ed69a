#include "skin/form/qvPictureBlit.h"

#include "platform/gfx/DCApi.h"
#include "platform/gfx/GdiBitmap.h"
#include "skin/data/qvUtils.h"

namespace qv {

void CopyPicture(HDC dc, const RECT& dst, const gfx::Bitmap& picture, const RECT& src) {
    if (RectIsEmpty(dst) || RectIsEmpty(src)) {
        return;
    }
    HBITMAP handle = gfx::WrapBitmap(const_cast<gfx::Bitmap*>(&picture));
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, handle);
    if (WidthOfRect(dst) == WidthOfRect(src) && HeightOfRect(dst) == HeightOfRect(src)) {
        BitBlt(dc, dst.left, dst.top, WidthOfRect(dst), HeightOfRect(dst), mem, src.left, src.top, SRCCOPY);
    } else {
        StretchBlt(dc, dst.left, dst.top, WidthOfRect(dst), HeightOfRect(dst), mem, src.left, src.top,
                   WidthOfRect(src), HeightOfRect(src), SRCCOPY);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(handle);
}

void BlitWhole(HDC dc, int x, int y, const gfx::Bitmap& b) {
    CopyPicture(dc, RECT{x, y, x + b.Width(), y + b.Height()}, b, RECT{0, 0, b.Width(), b.Height()});
}

} // namespace qv
