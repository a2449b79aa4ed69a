#pragma once
// Image lists (HIMAGELIST): equally sized images, each with an optional transparency mask,
// drawn onto device contexts. An image list belongs to whoever created it and is freed with
// ImageList_Destroy; controls that are given one only borrow it.

#include "platform/controls/CommCtrlDefs.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/GdiBitmap.h"

#include <vector>

namespace controls {

class ImageList {
public:
    ImageList(int width, int height, UINT flags) : width_(width), height_(height), flags_(flags) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    bool Masked() const { return flags_ & ILC_MASK; }
    // Cuts `strip` into images of the list's width (a partial last one is dropped); `mask`
    // (same layout, non-black = transparent) may be null. Returns the first new index or -1.
    int Add(const gfx::Bitmap& strip, const gfx::Bitmap* mask);
    int AddMasked(const gfx::Bitmap& strip, COLORREF transparent);
    bool Remove(int index);
    bool Draw(int index, HDC dc, int x, int y, UINT style) const;
    const gfx::Bitmap& Image(int index) const { return images_[index]; }
    // true where the pixel is drawn.
    bool Opaque(int index, int x, int y) const;

private:
    int width_;
    int height_;
    UINT flags_;
    std::vector<gfx::Bitmap> images_;
    std::vector<std::vector<bool>> opaque_; // empty vector = every pixel drawn
};

} // namespace controls

using HIMAGELIST = controls::ImageList*;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
BOOL ImageList_Remove(HIMAGELIST list, int index);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
