#pragma once
// TImageList: a component holding equally sized images over a platform image list. The
// platform list (Handle) is made on first use and rebuilt when Width or Height change, which
// clears the images, as in the framework it stands in for. Controls that are given the list
// (a list view's SmallImages, a tree view's Images) borrow its handle.

#include "framework/Component.h"
#include "framework/Graphic.h"
#include "framework/GraphicsObjects.h"
#include "platform/controls/ImageList.h"

namespace vcl {

class TCanvas;

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    bool Masked() const { return masked_; }
    void SetMasked(bool masked);
    int Count() const;

    // Adds the images cut from `image` (one per Width pixels); `mask` (may be null) marks
    // transparent pixels in white. Returns the index of the first, or -1.
    int Add(TBitmap* image, TBitmap* mask);
    // Pixels of `transparent` are left out when drawing.
    int AddMasked(TBitmap* image, TColor transparent);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas* canvas, int x, int y, int index) const;

    HIMAGELIST Handle() const;
    TNotifyEvent OnChange;

private:
    void Rebuild();
    void Changed();

    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    mutable HIMAGELIST handle_ = nullptr;
};

} // namespace vcl
