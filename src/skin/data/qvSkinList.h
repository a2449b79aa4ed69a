#pragma once
// A list of stored skins a skin data can switch between by index (TqvSkinData::SkinList and
// SkinIndex). Each item owns its stored skin, persisted in the compressed-file format.

#include "framework/Component.h"
#include "framework/Stream.h"
#include "skin/data/qvSkinData.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

class TqvCompressedSkinList;

class TqvSkinListItem {
public:
    TqvSkinListItem(TqvCompressedSkinList& list, int index);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& Description() const { return storedSkin_->Description(); }
    void SetDescription(const std::string& text) { storedSkin_->SetDescription(text); }
    const std::string& FileName() const { return storedSkin_->FileName(); }
    void SetFileName(const std::string& name) { storedSkin_->SetFileName(name); }
    const std::string& CompressedFileName() const { return storedSkin_->CompressedFileName(); }
    void SetCompressedFileName(const std::string& name) { storedSkin_->SetCompressedFileName(name); }

    TqvCompressedStoredSkin& StoredSkin() { return *storedSkin_; }
    const TqvCompressedStoredSkin& StoredSkin() const { return *storedSkin_; }

    // The data property "Skin".
    void ReadSkinData(vcl::TStream& stream) { storedSkin_->ReadCompressedStream(stream); }
    void WriteSkinData(vcl::TStream& stream) const { storedSkin_->WriteCompressedStream(stream); }

private:
    std::string name_;
    std::unique_ptr<TqvCompressedStoredSkin> storedSkin_;
};

class TqvCompressedSkinList : public vcl::TComponent {
public:
    explicit TqvCompressedSkinList(vcl::TComponent* owner);
    ~TqvCompressedSkinList() override;

    int Count() const { return int(skins_.size()); }
    TqvSkinListItem& Items(int index) { return *skins_.at(std::size_t(index)); }
    // Appends an item named "qvSkin<index>".
    TqvSkinListItem& Add();
    void Delete(int index);
    void Clear() { skins_.clear(); }

private:
    std::vector<std::unique_ptr<TqvSkinListItem>> skins_;
};

} // namespace qv
