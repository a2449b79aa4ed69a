#include "framework/ImageList.h"

#include "framework/Canvas.h"

namespace vcl {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
    if (handle_) ImageList_Destroy(handle_);
}

HIMAGELIST TImageList::Handle() const {
    if (!handle_) handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), 4, 4);
    return handle_;
}

void TImageList::Rebuild() {
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
    Changed();
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TImageList::SetSize(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Rebuild();
}

void TImageList::SetWidth(int width) { SetSize(width, height_); }
void TImageList::SetHeight(int height) { SetSize(width_, height); }

void TImageList::SetMasked(bool masked) {
    if (masked == masked_) return;
    masked_ = masked;
    Rebuild();
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image) return -1;
    int index = Handle()->Add(image->Pixels(), mask ? &mask->Pixels() : nullptr);
    if (index >= 0) Changed();
    return index;
}

int TImageList::AddMasked(TBitmap* image, TColor transparent) {
    if (!image) return -1;
    int index = Handle()->AddMasked(image->Pixels(), ColorToRGB(transparent));
    if (index >= 0) Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (handle_ && ImageList_Remove(handle_, index)) Changed();
}

void TImageList::Clear() { Delete(-1); }

void TImageList::Draw(TCanvas* canvas, int x, int y, int index) const {
    if (!canvas || !handle_) return;
    ImageList_Draw(handle_, index, canvas->Handle(), x, y, ILD_NORMAL);
}

} // namespace vcl
