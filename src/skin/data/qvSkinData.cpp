#include "skin/data/qvSkinData.h"
#include "skin/data/qvSkinPrefetch.h"

#include "framework/Forms.h"
#include "framework/StringList.h"
#include "platform/gfx/BmpCodec.h"
#include "platform/ui/User.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvSkinList.h"

#include <utility>

namespace qv {

namespace {

constexpr const char* kRequiredSections[] = {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS",
                                             "SKINCONTROLS"};

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNamePart(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A picture file of the skin folder, checked by decoding it and cut to the bytes it declares.
TqvBytes ReadPictureFile(const std::string& path) {
    vcl::TMemoryStream file;
    file.LoadFromFile(path);
    std::span<const std::uint8_t> bytes(file.Bytes());
    std::size_t consumed = 0;
    (void)gfx::ReadBmp(bytes, &consumed);
    if (consumed == 0 || consumed > bytes.size()) {
        throw gfx::EInvalidGraphic();
    }
    return TqvBytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(consumed));
}

std::int32_t ReadInt32(vcl::TStream& stream) { return stream.ReadValue<std::int32_t>(); }

// The application's route: the screen's forms, each sent the message through its window, so a
// form skin that has subclassed the window sees it as well as one hooked into WindowProc.
class TqvScreenSkinRoute final : public IqvSkinMessageRoute {
public:
    bool IsForm(vcl::TComponent* component) override {
        return dynamic_cast<vcl::TCustomForm*>(component) != nullptr;
    }
    std::vector<vcl::TComponent*> Forms() override {
        std::vector<vcl::TComponent*> forms;
        if (vcl::Screen != nullptr) {
            for (int i = 0; i < vcl::Screen->FormCount(); ++i) {
                forms.push_back(vcl::Screen->Forms(i));
            }
        }
        return forms;
    }
    void Send(vcl::TComponent* form, UINT message, WPARAM wParam, LPARAM lParam) override {
        // A receiver of an earlier send may have freed this form: only forms still on the
        // screen are sent to.
        for (vcl::TComponent* live : Forms()) {
            if (live == form) {
                auto* f = static_cast<vcl::TCustomForm*>(form);
                if (!f->IsDestroying()) {
                    SendMessage(f->Handle(), message, wParam, lParam);
                }
                return;
            }
        }
    }
};

IqvSkinMessageRoute& ScreenSkinRoute() {
    static TqvScreenSkinRoute route; // stateless
    return route;
}

} // namespace

// ---- TqvCompressedStoredSkin ----

TqvCompressedStoredSkin::TqvCompressedStoredSkin(vcl::TComponent* owner) : vcl::TComponent(owner) {}

void TqvCompressedStoredSkin::SetFileName(const std::string& fileName) {
    if (IsDesigning() && !IsLoading()) {
        BuildFromSkinFolder(fileName);
        fileName_ = FileNamePart(fileName);
    } else {
        fileName_ = fileName;
    }
}

void TqvCompressedStoredSkin::SetCompressedFileName(const std::string& fileName) {
    if (IsDesigning() && !IsLoading()) {
        LoadCompressedFile(fileName);
        compressedFileName_ = FileNamePart(fileName);
    } else {
        compressedFileName_ = fileName;
    }
}

void TqvCompressedStoredSkin::BuildFromSkinFolder(const std::string& skinIniPath) {
    vcl::TStringList lines;
    lines.LoadFromFile(skinIniPath);
    std::string text = lines.Text(); // every line ended by CR LF, as the container stores it
    TqvSkinIni ini(text);
    for (const char* section : kRequiredSections) {
        if (!ini.SectionExists(section)) {
            return;
        }
    }
    // Everything is gathered before the stream is touched, so a failure keeps the old skin.
    std::string folder = FolderOf(skinIniPath);
    TqvSkinContainerParts parts;
    for (const char* key : {"picture", "inactivepicture", "mask"}) {
        std::string name = ini.ReadString("PICTURES", key, "");
        parts.flaggedPictures.push_back(name.empty() ? TqvBytes() : ReadPictureFile(folder + name));
    }
    for (const std::string& name : IniReadNumberedList(ini, "PICTURES", "activepictures")) {
        parts.extraPictures.push_back(ReadPictureFile(folder + name));
    }
    parts.text = std::move(text);
    TqvBytes zlibStream = DeflateSkinStream(WriteSkinContainer(parts));
    compressed_.Clear();
    compressed_.WriteBuffer(zlibStream.data(), std::int64_t(zlibStream.size()));
    compressed_.SetPosition(0);
}

void TqvCompressedStoredSkin::LoadCompressedFile(const std::string& path) {
    compressed_.Clear();
    vcl::TFileStream file(path, vcl::fmOpenRead | vcl::fmShareDenyWrite);
    ReadCompressedStream(file);
}

void TqvCompressedStoredSkin::ReadCompressedStream(vcl::TStream& stream) {
    compressed_.Clear();
    stream.SetPosition(0);
    if (ReadInt32(stream) > kSkinContainerVersion) {
        return;
    }
    std::int32_t length = ReadInt32(stream);
    if (length < 0 || length > stream.Size() - stream.Position()) {
        throw vcl::EReadError(vcl::SReadError);
    }
    if (length > 0) {
        compressed_.CopyFrom(stream, length);
    }
    compressed_.SetPosition(0);
}

void TqvCompressedStoredSkin::WriteCompressedStream(vcl::TStream& stream) const {
    stream.WriteValue<std::int32_t>(kSkinContainerVersion);
    stream.WriteValue<std::int32_t>(std::int32_t(compressed_.Bytes().size()));
    if (!compressed_.Bytes().empty()) {
        stream.WriteBuffer(compressed_.Bytes().data(), std::int64_t(compressed_.Bytes().size()));
    }
}

void TqvCompressedStoredSkin::ReadCompressedData(vcl::TStream& stream) { compressed_.LoadFromStream(stream); }

void TqvCompressedStoredSkin::WriteCompressedData(vcl::TStream& stream) const {
    if (!compressed_.Bytes().empty()) {
        stream.WriteBuffer(compressed_.Bytes().data(), std::int64_t(compressed_.Bytes().size()));
    }
}

// ---- TqvSkinData ----

TqvSkinData::TqvSkinData(vcl::TComponent* owner) : vcl::TComponent(owner) {}

TqvSkinData::~TqvSkinData() {
    for (vcl::TComponent* c :
         {static_cast<vcl::TComponent*>(storedSkin_), static_cast<vcl::TComponent*>(resourceStrData_),
          static_cast<vcl::TComponent*>(skinList_)}) {
        if (c != nullptr) {
            RemoveFreeNotification(c);
        }
    }
    isEmpty_ = true;
    ClearSkin();
}

void TqvSkinData::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    if (operation == vcl::opRemove) {
        if (component == storedSkin_) {
            storedSkin_ = nullptr;
        }
        if (component == resourceStrData_) {
            resourceStrData_ = nullptr;
        }
        if (component == skinList_) {
            skinList_ = nullptr;
        }
    }
    vcl::TComponent::Notification(component, operation);
}

void TqvSkinData::SetSkinnableForm(bool value) {
    if (value == skinnableForm_) {
        return;
    }
    skinnableForm_ = value;
    if (!IsDesigning() && !IsLoading()) {
        BroadcastSkinMessage(QVM_SKINNABLE_CHANGED);
    }
}

void TqvSkinData::SetCompressedStoredSkin(TqvCompressedStoredSkin* storedSkin) {
    if (storedSkin_ != nullptr && storedSkin_ != storedSkin) {
        RemoveFreeNotification(storedSkin_);
    }
    storedSkin_ = storedSkin;
    if (storedSkin_ != nullptr) {
        FreeNotification(storedSkin_);
        if (!IsDesigning()) {
            LoadFromStoredSkin(*storedSkin_);
        }
    }
}

void TqvSkinData::SetResourceStrData(TqvResourceStrData* data) {
    if (resourceStrData_ != nullptr && resourceStrData_ != data) {
        RemoveFreeNotification(resourceStrData_);
    }
    resourceStrData_ = data;
    if (data != nullptr) {
        FreeNotification(data);
    }
    if (!IsDesigning()) {
        BroadcastSkinMessage(QVM_STRINGS_CHANGED);
    }
}

void TqvSkinData::SetSkinList(TqvCompressedSkinList* list) {
    if (skinList_ != nullptr && skinList_ != list) {
        RemoveFreeNotification(skinList_);
    }
    skinList_ = list;
    if (list != nullptr) {
        FreeNotification(list);
        if (!IsDesigning() && skinIndex_ >= 0 && skinIndex_ < list->Count()) {
            LoadListItem(skinIndex_);
        }
    }
}

void TqvSkinData::SetSkinIndex(int index) {
    if (index == skinIndex_) {
        return;
    }
    if (skinList_ == nullptr) {
        skinIndex_ = index;
        return;
    }
    if (index < 0 || index >= skinList_->Count()) {
        return;
    }
    skinIndex_ = index;
    if (!IsDesigning()) {
        LoadListItem(index);
    }
}

void TqvSkinData::LoadListItem(int index) { LoadFromStoredSkin(skinList_->Items(index).StoredSkin()); }

void TqvSkinData::ClearRecords() {
    FormObjects.clear();
    ControlSkins.clear();
    ExtraPictures.clear();
    PopupWindowSkin.windowpictureindex = -1;
    HintWindowSkin.windowpictureindex = -1;
    ExtraPictureNames.clear();
    Colors.Reset();
}

void TqvSkinData::ClearSkin() {
    ClearRecords();
    MainPicture = gfx::Bitmap();
    InactiveFormPicture = gfx::Bitmap();
    FormMaskPicture = gfx::Bitmap();
    MainPictureName.clear();
    // The inactive picture's name goes too, so a cleared skin names no picture at all.
    InactivePictureName.clear();
    MaskPictureName.clear();
    isEmpty_ = true;
}

void TqvSkinData::EndChangeEmpty() {
    isEmpty_ = true;
    BroadcastSkinMessage(QVM_SKIN_CHANGE);
    isChanging_ = false;
    BroadcastSkinMessage(QVM_SKIN_CHANGED);
}

void TqvSkinData::LoadFromStoredSkin(const TqvCompressedStoredSkin& storedSkin) {
    if (storedSkin.IsEmpty()) {
        return;
    }
    isEmpty_ = true;
    isChanging_ = true;
    BroadcastSkinMessage(QVM_SKIN_CHANGING);
    ClearSkin();
    if (auto decoded = TakePrefetchedSkin(storedSkin.CompressedStream().Bytes())) {
        LoadFromContent(std::move(*decoded));
        return;
    }
    TqvBytes container;
    try {
        container = InflateSkinStream(storedSkin.CompressedStream().Bytes());
    } catch (...) {
        EndChangeEmpty();
        throw;
    }
    LoadFromContainer(container);
}

void TqvSkinData::LoadFromContainer(std::span<const std::uint8_t> data) {
    if (!isChanging_) {
        isEmpty_ = true;
        isChanging_ = true;
        BroadcastSkinMessage(QVM_SKIN_CHANGING);
        ClearSkin();
    }
    TqvSkinContainerContent content;
    try {
        if (!ReadSkinContainer(data, content)) {
            // A newer container than this reader knows: no picture or record is read.
            EndChangeEmpty();
            return;
        }
    } catch (...) {
        ClearSkin();
        EndChangeEmpty();
        throw;
    }
    LoadFromContent(std::move(content));
}

void TqvSkinData::LoadFromContent(TqvSkinContainerContent content) {
    try {
        MainPicture = std::move(content.mainPicture);
        InactiveFormPicture = std::move(content.inactivePicture);
        FormMaskPicture = std::move(content.maskPicture);
        ExtraPictures = std::move(content.extraPictures);
        LoadSkinText(content.text);
    } catch (...) {
        ClearSkin();
        EndChangeEmpty();
        throw;
    }
    isEmpty_ = false;
    BroadcastSkinMessage(QVM_SKIN_CHANGE);
    isChanging_ = false;
    BroadcastSkinMessage(QVM_SKIN_CHANGED);
}

void TqvSkinData::LoadSkinText(const std::string& text) {
    TqvSkinIni ini(text);
    skinname = ini.ReadString("VERSION", "skinname", "");
    skinauthor = ini.ReadString("VERSION", "skinauthor", "");
    authoremail = ini.ReadString("VERSION", "authoremail", "");
    authorurl = ini.ReadString("VERSION", "authorurl", "");
    skincomments = ini.ReadString("VERSION", "skincomments", "");
    MainPictureName = ini.ReadString("PICTURES", "picture", "");
    InactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
    MaskPictureName = ini.ReadString("PICTURES", "mask", "");
    ExtraPictureNames = IniReadNumberedList(ini, "PICTURES", "activepictures");

    LoadFormInfo(ini, !MaskPictureName.empty());
    PopupWindowSkin.LoadFromSkinText(ini);
    HintWindowSkin.LoadFromSkinText(ini);
    Colors.LoadFromSkinText(ini);
    LoadFormObjects(ini, FormObjects);
    LoadControlSkins(ini, ControlSkins);
}

void TqvSkinData::SaveToSkinText(TqvSkinIni& ini) {
    ini.WriteString("VERSION", "skinname", skinname);
    ini.WriteString("VERSION", "skinauthor", skinauthor);
    ini.WriteString("VERSION", "authoremail", authoremail);
    ini.WriteString("VERSION", "authorurl", authorurl);
    ini.WriteString("VERSION", "skincomments", skincomments);
    ini.WriteString("PICTURES", "picture", MainPictureName);
    ini.WriteString("PICTURES", "inactivepicture", InactivePictureName);
    ini.WriteString("PICTURES", "mask", MaskPictureName);
    IniWriteNumberedList(ini, "PICTURES", "activepictures", ExtraPictureNames);
    SaveFormInfo(ini);
    PopupWindowSkin.SaveToSkinText(ini);
    HintWindowSkin.SaveToSkinText(ini);
    Colors.SaveToSkinText(ini);
    ini.WriteInteger("SKINOBJECTS", "count", int(FormObjects.size()));
    for (std::size_t i = 0; i < FormObjects.size(); ++i) {
        // The kind word is not kept by the records; the class tells it.
        ini.WriteString("SKINOBJECTS", std::to_string(i),
                        FormObjects[i]->SectionName + ":" + std::string(FormObjectKind(*FormObjects[i])));
    }
    ini.WriteInteger("SKINCONTROLS", "count", int(ControlSkins.size()));
    for (std::size_t i = 0; i < ControlSkins.size(); ++i) {
        ini.WriteString("SKINCONTROLS", std::to_string(i),
                        ControlSkins[i]->SectionName + ":" + std::string(ControlSkinKind(*ControlSkins[i])));
    }
    for (auto& record : FormObjects) {
        record->SaveToSkinText(ini);
    }
    for (auto& record : ControlSkins) {
        record->SaveToSkinText(ini);
    }
}

int TqvSkinData::IndexOfFormObject(const std::string& name) const {
    for (std::size_t i = 0; i < FormObjects.size(); ++i) {
        if (FormObjects[i]->SectionName == name) {
            return int(i);
        }
    }
    return -1;
}

int TqvSkinData::IndexOfControlSkin(const std::string& name) const {
    for (std::size_t i = 0; i < ControlSkins.size(); ++i) {
        if (ControlSkins[i]->SectionName == name) {
            return int(i);
        }
    }
    return -1;
}

const gfx::Bitmap* TqvSkinData::ExtraPicture(int index) const {
    return index >= 0 && std::size_t(index) < ExtraPictures.size() ? &ExtraPictures[std::size_t(index)]
                                                                   : nullptr;
}

void TqvSkinData::BroadcastSkinMessage(UINT message) {
    IqvSkinMessageRoute& route = route_ != nullptr ? *route_ : ScreenSkinRoute();
    auto wParam = reinterpret_cast<WPARAM>(this);
    vcl::TComponent* owner = Owner();
    bool ownerIsForm = owner != nullptr && route.IsForm(owner);
    if (ownerIsForm) {
        route.Send(owner, message, wParam, kSkinMessageLParam);
    }
    // The list is taken once: forms created by a receiver get nothing (they read the state
    // when they bind).
    for (vcl::TComponent* form : route.Forms()) {
        if (form != owner || !ownerIsForm) {
            route.Send(form, message, wParam, kSkinMessageLParam);
        }
    }
}

} // namespace qv
