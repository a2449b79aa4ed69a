#pragma once
// The skin data: the one loaded skin (pictures, form-skin records, control records, popup and
// hint skins, colours) and the stored skin it is loaded from.
//
// TqvCompressedStoredSkin holds a skin as a zlib stream (see qvSkinContainer for the layout) and
// builds one from a skin folder. TqvSkinData inflates it, reads the pictures and the description
// text, builds the records and tells every form about the change with the QVM_SKIN_* messages.
// The skin data owns every picture and record; controls look records up by name on demand, so a
// change of skin never leaves them holding freed records.
//
// Usable without forms: a stored skin owned by nullptr can be built and loaded by tools.

#include "framework/Component.h"
#include "framework/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/WinTypes.h"
#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvFormSkinRecords.h"
#include "skin/data/qvSkinContainer.h"
#include "skin/data/qvSkinIni.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

class TqvResourceStrData;
class TqvCompressedSkinList;

// The skin engine's messages; wParam is the skin data, lParam 1000.
inline constexpr UINT QVM_SKIN_CHANGING = 1225;
inline constexpr UINT QVM_SKIN_CHANGE = 1226;
inline constexpr UINT QVM_SKIN_CHANGED = 1227;
inline constexpr UINT QVM_STRINGS_CHANGED = 1274;
inline constexpr UINT QVM_SKINNABLE_CHANGED = 1294;
inline constexpr LPARAM kSkinMessageLParam = 1000;

// The skin engine's other private messages, defined here once for the form skin, its menus and
// the skinned controls.
// The form's menu engine closed its menu (to the form, and to the control that asked for it).
inline constexpr UINT QVM_SKIN_MENU_CLOSED = 1228; // WM_USER + 204
// The command chosen in a skinned menu has run (to the control that opened the menu).
inline constexpr UINT QVM_SKIN_MENU_COMMAND_DONE = 1229; // WM_USER + 205
// Sent by a skinned parent to its children when what lies behind them changed (no parameters).
inline constexpr UINT WM_PARENTBGCHANGED = 1284; // WM_USER + 260

// Where the skin data's broadcasts go: the application's forms and the synchronous send. By
// default the screen's forms get the messages through SendMessage; tests record the deliveries.
class IqvSkinMessageRoute {
public:
    virtual ~IqvSkinMessageRoute() = default;
    // True when component is a form (a receiver of skin messages).
    virtual bool IsForm(vcl::TComponent* component) = 0;
    // The forms of the application's screen, in list order.
    virtual std::vector<vcl::TComponent*> Forms() = 0;
    virtual void Send(vcl::TComponent* form, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

class TqvCompressedStoredSkin : public vcl::TComponent {
public:
    explicit TqvCompressedStoredSkin(vcl::TComponent* owner);

    // The zlib stream, nothing before or after it; empty means no skin.
    vcl::TMemoryStream& CompressedStream() { return compressed_; }
    const vcl::TMemoryStream& CompressedStream() const { return compressed_; }
    bool IsEmpty() const { return compressed_.Bytes().empty(); }

    // Informational at run time; in design mode setting them builds or loads the skin.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName);
    const std::string& CompressedFileName() const { return compressedFileName_; }
    void SetCompressedFileName(const std::string& fileName);
    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& text) { description_ = text; }

    // Builds the stored skin from a skin description file and the BMP files beside it. A text
    // without [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS] or [SKINCONTROLS] leaves the
    // stream unchanged; so does any error (missing or invalid picture files raise their error).
    void BuildFromSkinFolder(const std::string& skinIniPath);
    // Reads a compressed skin file (int32 version, int32 length, the zlib stream).
    void LoadCompressedFile(const std::string& path);
    // The compressed-file format from position 0 of stream (nothing is read past a version
    // above 3), and its writer.
    void ReadCompressedStream(vcl::TStream& stream);
    void WriteCompressedStream(vcl::TStream& stream) const;

    // The data property "CompressedData" of the form description: the zlib stream verbatim.
    void ReadCompressedData(vcl::TStream& stream);
    void WriteCompressedData(vcl::TStream& stream) const;

private:
    vcl::TMemoryStream compressed_;
    std::string fileName_;
    std::string compressedFileName_;
    std::string description_;
};

class TqvSkinData : public vcl::TComponent, public TqvSkinFormInfo {
public:
    explicit TqvSkinData(vcl::TComponent* owner);
    ~TqvSkinData() override;

    // ---- published ----
    bool SkinnableForm() const { return skinnableForm_; }
    void SetSkinnableForm(bool value);
    bool EnableSkinEffects() const { return enableSkinEffects_; }
    void SetEnableSkinEffects(bool value) { enableSkinEffects_ = value; }
    TqvCompressedStoredSkin* CompressedStoredSkin() const { return storedSkin_; }
    void SetCompressedStoredSkin(TqvCompressedStoredSkin* storedSkin);
    TqvResourceStrData* ResourceStrData() const { return resourceStrData_; }
    void SetResourceStrData(TqvResourceStrData* data);
    TqvCompressedSkinList* SkinList() const { return skinList_; }
    void SetSkinList(TqvCompressedSkinList* list);
    int SkinIndex() const { return skinIndex_; }
    void SetSkinIndex(int index);

    // ---- state ----
    bool IsEmpty() const { return isEmpty_; }
    bool IsChanging() const { return isChanging_; }

    // Loads a stored skin (an empty one changes nothing). On any error the skin data ends empty
    // and cleared, the change is closed with QVM_SKIN_CHANGE and QVM_SKIN_CHANGED (receivers
    // re-bind to "no skin"), and the error is passed on.
    void LoadFromStoredSkin(const TqvCompressedStoredSkin& storedSkin);
    // Loads an inflated container (the part of LoadFromStoredSkin after inflating); for tools.
    void LoadFromContainer(std::span<const std::uint8_t> container);
    void ClearRecords();
    void ClearSkin();

    // First record whose section name equals name byte for byte, or -1.
    int IndexOfFormObject(const std::string& name) const;
    int IndexOfControlSkin(const std::string& name) const;
    // The extra picture of a record's picture index, or nullptr when the index names none.
    const gfx::Bitmap* ExtraPicture(int index) const;

    void BroadcastSkinMessage(UINT message);
    // Not owned; the route must outlive the skin data. nullptr restores the screen's route.
    void SetMessageRoute(IqvSkinMessageRoute* route) { route_ = route; }

    // Writes the loaded skin's text back: the global sections, the object and control lists and
    // every record.
    void SaveToSkinText(TqvSkinIni& ini);

    // ---- the loaded skin ----
    gfx::Bitmap MainPicture;
    gfx::Bitmap InactiveFormPicture;
    gfx::Bitmap FormMaskPicture;
    std::vector<gfx::Bitmap> ExtraPictures;

    std::string MainPictureName;
    std::string InactivePictureName;
    std::string MaskPictureName;
    std::vector<std::string> ExtraPictureNames;

    std::string skinname;
    std::string skinauthor;
    std::string authoremail;
    std::string authorurl;
    std::string skincomments;

    TqvDataSkinPopupWindow PopupWindowSkin;
    TqvDataSkinHintWindow HintWindowSkin;
    TqvSkinColors Colors;
    std::vector<std::unique_ptr<TqvDataSkinObject>> FormObjects;
    std::vector<std::unique_ptr<TqvDataSkinControl>> ControlSkins;

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    // The part of a load after the container is read: pictures, records, the closing messages.
    void LoadFromContent(TqvSkinContainerContent content);
    void LoadSkinText(const std::string& text);
    void LoadListItem(int index);
    // Ends a change that brought no skin: receivers see the same sequence as after a load, with
    // IsEmpty set.
    void EndChangeEmpty();

    bool skinnableForm_ = true;
    bool enableSkinEffects_ = true;
    TqvCompressedStoredSkin* storedSkin_ = nullptr;
    TqvResourceStrData* resourceStrData_ = nullptr;
    TqvCompressedSkinList* skinList_ = nullptr;
    int skinIndex_ = 0;
    bool isEmpty_ = true;
    bool isChanging_ = false;
    IqvSkinMessageRoute* route_ = nullptr;
};

} // namespace qv
