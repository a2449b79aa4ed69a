#include "skin/data/qvSkinList.h"

namespace qv {

TqvSkinListItem::TqvSkinListItem(TqvCompressedSkinList&, int index)
    : name_("qvSkin" + std::to_string(index)),
      storedSkin_(std::make_unique<TqvCompressedStoredSkin>(nullptr)) {}

TqvCompressedSkinList::TqvCompressedSkinList(vcl::TComponent* owner) : vcl::TComponent(owner) {}

TqvCompressedSkinList::~TqvCompressedSkinList() = default;

TqvSkinListItem& TqvCompressedSkinList::Add() {
    skins_.push_back(std::make_unique<TqvSkinListItem>(*this, Count()));
    return *skins_.back();
}

void TqvCompressedSkinList::Delete(int index) { skins_.erase(skins_.begin() + index); }

} // namespace qv
