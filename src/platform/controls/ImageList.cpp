#include "platform/controls/ImageList.h"

#include <memory>

namespace controls {

int ImageList::Add(const gfx::Bitmap& strip, const gfx::Bitmap* mask) {
    if (width_ <= 0 || height_ <= 0 || strip.Width() < width_) return -1;
    int first = Count();
    int n = strip.Width() / width_;
    for (int k = 0; k < n; ++k) {
        gfx::Bitmap image(width_, height_, 0);
        std::vector<bool> opaque;
        bool anyClear = false;
        if (mask && Masked()) opaque.assign(static_cast<size_t>(width_) * height_, true);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                image.SetPixel(x, y, strip.GetPixel(k * width_ + x, y));
                if (!opaque.empty() && (mask->GetPixel(k * width_ + x, y) & 0xFFFFFF) != 0) {
                    opaque[static_cast<size_t>(y) * width_ + x] = false;
                    anyClear = true;
                }
            }
        if (!anyClear) opaque.clear();
        images_.push_back(std::move(image));
        opaque_.push_back(std::move(opaque));
    }
    return first;
}

int ImageList::AddMasked(const gfx::Bitmap& strip, COLORREF transparent) {
    if (!Masked()) return Add(strip, nullptr);
    gfx::Bitmap mask(strip.Width(), strip.Height(), 0);
    gfx::Pixel key = gfx::ColorToPixel(transparent);
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < strip.Width(); ++x)
            if ((strip.GetPixel(x, y) & 0xFFFFFF) == key) mask.SetPixel(x, y, 0xFFFFFF);
    return Add(strip, &mask);
}

bool ImageList::Remove(int index) {
    if (index == -1) {
        images_.clear();
        opaque_.clear();
        return true;
    }
    if (index < 0 || index >= Count()) return false;
    images_.erase(images_.begin() + index);
    opaque_.erase(opaque_.begin() + index);
    return true;
}

bool ImageList::Opaque(int index, int x, int y) const {
    const auto& o = opaque_[index];
    return o.empty() || o[static_cast<size_t>(y) * width_ + x];
}

bool ImageList::Draw(int index, HDC dc, int x, int y, UINT) const {
    if (index < 0 || index >= Count() || !dc) return false;
    // Copy through a memory DC so the target's origin and clip apply; masked images go in
    // runs of opaque pixels.
    HBITMAP bitmap = gfx::CreateBitmapFrom(images_[index]);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    if (opaque_[index].empty()) {
        BitBlt(dc, x, y, width_, height_, mem, 0, 0, SRCCOPY);
    } else {
        for (int row = 0; row < height_; ++row) {
            int col = 0;
            while (col < width_) {
                while (col < width_ && !Opaque(index, col, row))
                    ++col;
                int start = col;
                while (col < width_ && Opaque(index, col, row))
                    ++col;
                if (col > start) BitBlt(dc, x + start, y + row, col - start, 1, mem, start, row, SRCCOPY);
            }
        }
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bitmap);
    return true;
}

} // namespace controls

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
    if (cx <= 0 || cy <= 0) return nullptr;
    return new controls::ImageList(cx, cy, flags);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    if (!list) return FALSE;
    delete list;
    return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    if (!list || !image) return -1;
    return list->Add(image->Pixels(), mask ? &mask->Pixels() : nullptr);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
    if (!list || !image) return -1;
    return list->AddMasked(image->Pixels(), mask);
}

BOOL ImageList_Remove(HIMAGELIST list, int index) { return list && list->Remove(index) ? TRUE : FALSE; }

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    return list && list->Draw(index, dc, x, y, style) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? list->Count() : 0; }

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    if (!list) return FALSE;
    if (cx) *cx = list->Width();
    if (cy) *cy = list->Height();
    return TRUE;
}
