#include "skin/data/qvSkinData.h"

#include "framework/StringList.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvSkinList.h"

#include "qvSkinDataTestSupport.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qvtest;

namespace {

// A small skin in the writers' own syntax, so the text written back can be compared key by key.
const std::string kSkinText =
    "[VERSION]\r\nskinname=Tiny\r\nskinauthor=Us\r\nver=9\r\n"
    "[PICTURES]\r\npicture=main.bmp\r\ninactivepicture=\r\nmask=mask.bmp\r\n"
    "activepicturescount=2\r\n0=one.bmp\r\n1=four.bmp\r\n"
    "[FORMINFO]\r\nlefttoppoint=2,3\r\nrighttoppoint=6,3\r\nleftbottompoint=2,5\r\n"
    "rightbottompoint=6,5\r\nclientrect=2,3,6,5\r\nstretchtype=sthorz\r\n"
    "inactiveeffect=iedarkness\r\nbuttonsoffset=2\r\n"
    "[POPUPWINDOW]\r\nwindowpictureindex=0\r\nitemsrect=1,1,3,3\r\n"
    "[HINTWINDOW]\r\nfontheight=11\r\nfontstyle=fsitalic\r\n"
    "[SKINCOLORS]\r\ncbtnface=12632256\r\n"
    "[SKINOBJECTS]\r\ncount=3\r\n0=closebutton:stdbutton\r\n1=caption:caption\r\n"
    "2=weird:nokind\r\n"
    "[closebutton]\r\nskinrect=1,1,3,3\r\ncommand=cmclose\r\nmorphkind=mkpush\r\n"
    "[caption]\r\ntextrect=0,0,8,2\r\nalignment=taleftjustify\r\nfontstyle=fsbold,fsunderline\r\n"
    "[SKINCONTROLS]\r\ncount=4\r\n0=button:button\r\n1=panel:panel\r\n2=listbox:listbox\r\n"
    "3=resizebutton:button\r\n"
    "[button]\r\npictureindex=1\r\nskinrect=0,0,4,4\r\nlefttoppoint=1,1\r\n"
    "disabledfontcolor=15916233\r\n"
    "[resizebutton]\r\npictureindex=4\r\n"
    "[listbox]\r\nvscrollbarname=myv\r\nfontname=Liberation Sans\r\n";

struct SkinFolder {
    TempFolder folder;
    std::string iniPath;
    SkinFolder() {
        folder.Write("main.bmp", MakeBmp(8, 6, 24, 0x102030));
        folder.Write("mask.bmp", MakeBmp(8, 6, 8, 0x000000));
        folder.Write("one.bmp", MakeBmp(3, 2, 1, 0xFFFFFF));
        folder.Write("four.bmp", MakeBmp(5, 3, 4, 0xFF0000));
        iniPath = folder.Write("skin.ini", kSkinText);
    }
};

TqvBytes Inflated(const TqvCompressedStoredSkin& stored) {
    return InflateSkinStream(stored.CompressedStream().Bytes());
}

std::string SavedText(TqvSkinData& data) {
    TqvSkinIni ini;
    data.SaveToSkinText(ini);
    return ini.Text();
}

// A tiny valid skin container with the given text.
TqvBytes Container(const std::string& text, int version = 3, int extraFlagged = 0) {
    TqvSkinContainerParts parts;
    parts.version = version;
    parts.flaggedPictures = {MakeBmp(4, 4, 24, 0x112233), {}, MakeBmp(4, 4, 8, 0)};
    for (int i = 0; i < extraFlagged; ++i) {
        parts.flaggedPictures.push_back(i == 0 ? MakeBmp(2, 2, 24, 0x445566) : TqvBytes());
    }
    parts.extraPictures = {MakeBmp(2, 2, 24, 0x00FF00)};
    parts.text = text;
    return WriteSkinContainer(parts);
}

} // namespace

TEST(SkinDataTest, BuiltSkinWalksAsAContainerAndLoadsBack) {
    SkinFolder skin;
    TqvCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFolder(skin.iniPath);
    ASSERT_FALSE(stored.IsEmpty());

    // The container walks exactly to the text, which is the file's lines ended by CR LF.
    TqvBytes container = Inflated(stored);
    TqvSkinContainerContent content;
    ASSERT_TRUE(ReadSkinContainer(container, content));
    EXPECT_EQ(content.version, 3);
    EXPECT_TRUE(content.inactivePicture.Empty());
    EXPECT_EQ(content.extraPictures.size(), 2u);
    EXPECT_EQ(content.text, kSkinText);
    std::size_t mainSize = MakeBmp(8, 6, 24, 0x102030).size();
    EXPECT_EQ(container[4], 0);
    EXPECT_EQ(container[5 + mainSize], 1); // the inactive picture's flag, then the mask's
    EXPECT_EQ(container[6 + mainSize], 0);

    TqvSkinData data(nullptr);
    data.LoadFromStoredSkin(stored);
    EXPECT_FALSE(data.IsEmpty());
    EXPECT_FALSE(data.IsChanging());
    EXPECT_EQ(data.MainPicture.Width(), 8);
    EXPECT_EQ(data.MainPicture.GetPixel(7, 5), 0x102030u);
    EXPECT_TRUE(data.InactiveFormPicture.Empty());
    EXPECT_EQ(data.FormMaskPicture.Height(), 6);
    ASSERT_EQ(data.ExtraPictures.size(), 2u);
    EXPECT_EQ(data.ExtraPictures[1].GetPixel(4, 2), 0xFF0000u);
    EXPECT_EQ(data.ExtraPictureNames, (std::vector<std::string>{"one.bmp", "four.bmp"}));
    EXPECT_EQ(data.MaskPictureName, "mask.bmp");
    EXPECT_EQ(data.skinname, "Tiny");
    EXPECT_EQ(data.stretchtype, stHorz);
    EXPECT_EQ(data.maskrectarea, (RECT{2, 3, 6, 5})); // grown to the client rectangle (mask set)
    EXPECT_EQ(data.HintWindowSkin.font.height, 11);
    EXPECT_EQ(data.Colors.cbtnface, 12632256);
    EXPECT_EQ(data.Colors.cwindow, -16777211);
    ASSERT_EQ(data.FormObjects.size(), 2u);
    ASSERT_EQ(data.ControlSkins.size(), 4u);
    EXPECT_EQ(data.IndexOfControlSkin("resizebutton"), 3);
    EXPECT_EQ(data.IndexOfControlSkin("Button"), -1);
    EXPECT_EQ(data.IndexOfFormObject("caption"), 1);
    EXPECT_EQ(data.IndexOfFormObject("weird"), -1);
    auto& resize = dynamic_cast<TqvDataSkinButtonControl&>(*data.ControlSkins[3]);
    EXPECT_EQ(resize.pictureindex, 4);
    EXPECT_EQ(data.ExtraPicture(resize.pictureindex), nullptr);
    EXPECT_EQ(data.ExtraPicture(1), &data.ExtraPictures[1]);
    EXPECT_EQ(data.ExtraPicture(-1), nullptr);

    // Every key the text carries is written back with the same value.
    TqvSkinIni original(kSkinText);
    TqvSkinIni written(SavedText(data));
    for (const std::string& section : original.SectionNames()) {
        if (section == "FORMINFO" || section == "SKINOBJECTS") {
            continue; // adjusted after reading, and listing an unknown kind
        }
        for (const std::string& key : original.SectionKeys(section)) {
            if (key == "ver") {
                continue; // not read
            }
            const std::string* value = written.FindValue(section, key);
            ASSERT_NE(value, nullptr) << section << "/" << key;
            EXPECT_EQ(*value, *original.FindValue(section, key)) << section << "/" << key;
        }
    }
    // And the written text loads into the same records.
    TqvSkinData again(nullptr);
    again.LoadFromContainer(Container(SavedText(data)));
    EXPECT_EQ(SavedText(again), SavedText(data));
}

TEST(SkinDataTest, BuilderLeavesTheStreamAloneOnBadFolders) {
    SkinFolder skin;
    TqvCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFolder(skin.iniPath);
    TqvBytes before = stored.CompressedStream().Bytes();

    std::string noControls = kSkinText.substr(0, kSkinText.find("[SKINCONTROLS]"));
    stored.BuildFromSkinFolder(skin.folder.Write("partial.ini", noControls));
    EXPECT_EQ(stored.CompressedStream().Bytes(), before);

    std::string missing = kSkinText;
    missing.replace(missing.find("four.bmp"), 8, "gone.bmp");
    EXPECT_THROW(stored.BuildFromSkinFolder(skin.folder.Write("missing.ini", missing)), vcl::EFOpenError);
    EXPECT_EQ(stored.CompressedStream().Bytes(), before);

    skin.folder.Write("four.bmp", std::string("BM not a picture"));
    EXPECT_THROW(stored.BuildFromSkinFolder(skin.iniPath), gfx::EInvalidGraphic);
    EXPECT_EQ(stored.CompressedStream().Bytes(), before);
}

TEST(SkinDataTest, VersionTwoSkipsItsExtraPairs) {
    TqvSkinData v3(nullptr), v2(nullptr);
    v3.LoadFromContainer(Container(kSkinText, 3));
    v2.LoadFromContainer(Container(kSkinText, 2, 2));
    EXPECT_EQ(SavedText(v2), SavedText(v3));
    EXPECT_EQ(v2.MainPicture, v3.MainPicture);
    ASSERT_EQ(v2.ExtraPictures.size(), 1u);
    EXPECT_EQ(v2.ExtraPictures[0].GetPixel(0, 0), 0x00FF00u);
    EXPECT_TRUE(v2.InactiveFormPicture.Empty());
    EXPECT_EQ(v2.FormMaskPicture.Width(), 4);
}

TEST(SkinDataTest, LoadSendsTheChangeMessagesToOwnerFirstThenTheScreen) {
    vcl::TComponent f1(nullptr), f2(nullptr), f3(nullptr);
    RecordingRoute route;
    route.forms = {&f1, &f2, &f3};
    auto* data = new TqvSkinData(&f2);
    data->SetMessageRoute(&route);
    TqvCompressedStoredSkin stored(nullptr);
    SetStoredContainer(stored, Container(kSkinText));

    data->SetCompressedStoredSkin(&stored);
    std::vector<Delivery> expected;
    for (auto [message, empty, changing] :
         {std::tuple{QVM_SKIN_CHANGING, true, true}, std::tuple{QVM_SKIN_CHANGE, false, true},
          std::tuple{QVM_SKIN_CHANGED, false, false}}) {
        for (vcl::TComponent* f : {&f2, &f1, &f3}) {
            expected.push_back({f, message, empty, changing});
        }
    }
    EXPECT_EQ(route.log, expected);

    // Assigning the same stored skin again reloads and tells everybody again.
    route.log.clear();
    data->SetCompressedStoredSkin(&stored);
    EXPECT_EQ(route.log, expected);

    // An empty stored skin changes nothing and sends nothing.
    route.log.clear();
    TqvCompressedStoredSkin empty(nullptr);
    data->SetCompressedStoredSkin(&empty);
    EXPECT_TRUE(route.log.empty());
    EXPECT_FALSE(data->IsEmpty());

    route.log.clear();
    data->SetSkinnableForm(true); // unchanged
    data->SetSkinnableForm(false);
    TqvResourceStrData strings(nullptr);
    data->SetResourceStrData(&strings);
    EXPECT_EQ(route.Messages(),
              (std::vector<UINT>{QVM_SKINNABLE_CHANGED, QVM_SKINNABLE_CHANGED, QVM_SKINNABLE_CHANGED,
                                 QVM_STRINGS_CHANGED, QVM_STRINGS_CHANGED, QVM_STRINGS_CHANGED}));
    delete data;
}

TEST(SkinDataTest, OwnerThatIsNoFormIsNotSentTo) {
    vcl::TComponent owner(nullptr), f1(nullptr);
    RecordingRoute route;
    route.forms = {&f1};
    auto* data = new TqvSkinData(&owner);
    data->SetMessageRoute(&route);
    data->BroadcastSkinMessage(QVM_SKIN_CHANGED);
    ASSERT_EQ(route.log.size(), 1u);
    EXPECT_EQ(route.log[0].form, &f1);
    delete data;
}

TEST(SkinDataTest, NewerContainerEndsTheChangeUnskinned) {
    RecordingRoute route;
    vcl::TComponent form(nullptr);
    route.forms = {&form};
    TqvSkinData data(nullptr);
    data.SetMessageRoute(&route);
    data.LoadFromContainer(Container(kSkinText));
    route.log.clear();

    TqvCompressedStoredSkin stored(nullptr);
    SetStoredContainer(stored, Container(kSkinText, 4));
    data.LoadFromStoredSkin(stored);
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_FALSE(data.IsChanging());
    EXPECT_TRUE(data.MainPicture.Empty());
    EXPECT_TRUE(data.ControlSkins.empty());
    EXPECT_EQ(route.log, (std::vector<Delivery>{{&form, QVM_SKIN_CHANGING, true, true},
                                                {&form, QVM_SKIN_CHANGE, true, true},
                                                {&form, QVM_SKIN_CHANGED, true, false}}));
}

TEST(SkinDataTest, EveryErrorLeavesTheSkinDataClearedAndReceiversUnskinned) {
    TqvBytes good = Container(kSkinText);
    std::size_t mainSize = MakeBmp(4, 4, 24, 0).size();
    TqvBytes zlibGood = DeflateSkinStream(good);

    TqvBytes corruptZlib = zlibGood;
    corruptZlib[corruptZlib.size() / 2] ^= 0xFF;
    corruptZlib[2] ^= 0x55;
    TqvBytes cutZlib(zlibGood.begin(), zlibGood.begin() + std::ptrdiff_t(zlibGood.size() / 2));
    TqvBytes cutBmp(good.begin(), good.begin() + 5 + std::ptrdiff_t(mainSize / 2));
    TqvBytes cutFlag(good.begin(), good.begin() + 5 + std::ptrdiff_t(mainSize));
    TqvBytes hugeCount = good;
    std::size_t countAt = 5 + mainSize + 1 + 1 + MakeBmp(4, 4, 8, 0).size();
    hugeCount[countAt + 3] = 0x7F;
    std::string badText = kSkinText;
    badText.replace(badText.find("skinrect=0,0,4,4"), 16, "skinrect=0,,4,4");

    struct Case {
        const char* name;
        TqvBytes zlib;
        std::string message;
    } cases[] = {
        {"corrupt zlib", corruptZlib, "compression error"},
        {"cut zlib", cutZlib, "compression error"},
        {"cut picture", DeflateSkinStream(cutBmp), "Bitmap image is not valid"},
        {"cut flag", DeflateSkinStream(cutFlag), "Stream read error"},
        {"count past the end", DeflateSkinStream(hugeCount), "Bitmap image is not valid"},
        {"bad rectangle", DeflateSkinStream(Container(badText)), "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingRoute route;
        vcl::TComponent form(nullptr);
        route.forms = {&form};
        TqvSkinData data(nullptr);
        data.SetMessageRoute(&route);
        data.LoadFromContainer(good);
        route.log.clear();

        TqvCompressedStoredSkin stored(nullptr);
        stored.CompressedStream().WriteBuffer(c.zlib.data(), std::int64_t(c.zlib.size()));
        try {
            data.LoadFromStoredSkin(stored);
            ADD_FAILURE() << "no error";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_TRUE(data.IsEmpty());
        EXPECT_FALSE(data.IsChanging());
        EXPECT_TRUE(data.MainPicture.Empty());
        EXPECT_TRUE(data.FormMaskPicture.Empty());
        EXPECT_TRUE(data.ExtraPictures.empty());
        EXPECT_TRUE(data.FormObjects.empty());
        EXPECT_TRUE(data.ControlSkins.empty());
        EXPECT_EQ(data.IndexOfControlSkin("button"), -1);
        EXPECT_EQ(route.log, (std::vector<Delivery>{{&form, QVM_SKIN_CHANGING, true, true},
                                                    {&form, QVM_SKIN_CHANGE, true, true},
                                                    {&form, QVM_SKIN_CHANGED, true, false}}));
    }
}

TEST(SkinDataTest, InflateRefusesOversizedStreams) {
    TqvBytes zeros(4096, 0);
    TqvBytes z = DeflateSkinStream(zeros);
    EXPECT_EQ(InflateSkinStream(z, 4096), zeros);
    EXPECT_THROW(InflateSkinStream(z, 4095), ECompressionError);
    EXPECT_THROW(InflateSkinStream({}), ECompressionError);
}

TEST(SkinDataTest, ClearingAndReferences) {
    TqvSkinData data(nullptr);
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_EQ(data.bgpictureindex, -1);
    EXPECT_FALSE(data.mainmenupopupup);
    data.LoadFromContainer(Container(kSkinText));
    EXPECT_EQ(data.PopupWindowSkin.windowpictureindex, 0);
    data.ClearSkin();
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_EQ(data.PopupWindowSkin.windowpictureindex, -1);
    EXPECT_TRUE(data.ExtraPictureNames.empty());
    EXPECT_TRUE(data.MainPictureName.empty());
    EXPECT_EQ(data.Colors.cbtnface, -16777201);

    auto* stored = new TqvCompressedStoredSkin(nullptr);
    auto* strings = new TqvResourceStrData(nullptr);
    auto* list = new TqvCompressedSkinList(nullptr);
    data.SetCompressedStoredSkin(stored);
    data.SetResourceStrData(strings);
    data.SetSkinList(list);
    delete stored;
    delete strings;
    delete list;
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    EXPECT_EQ(data.ResourceStrData(), nullptr);
    EXPECT_EQ(data.SkinList(), nullptr);
}

TEST(SkinDataTest, SkinListSwitchesByIndex) {
    TqvCompressedSkinList list(nullptr);
    TqvSkinListItem& first = list.Add();
    TqvSkinListItem& second = list.Add();
    EXPECT_EQ(first.Name(), "qvSkin0");
    EXPECT_EQ(second.Name(), "qvSkin1");
    SetStoredContainer(first.StoredSkin(), Container(kSkinText));
    std::string other = kSkinText;
    other.replace(other.find("skinname=Tiny"), 13, "skinname=Two!");
    SetStoredContainer(second.StoredSkin(), Container(other));

    TqvSkinData data(nullptr);
    data.SetSkinIndex(5); // no list: just stored
    EXPECT_EQ(data.SkinIndex(), 5);
    data.SetSkinIndex(1);
    data.SetSkinList(&list);
    EXPECT_EQ(data.skinname, "Two!");
    data.SetSkinIndex(7); // out of range: ignored
    EXPECT_EQ(data.SkinIndex(), 1);
    data.SetSkinIndex(0);
    EXPECT_EQ(data.skinname, "Tiny");

    // The item's data property is the compressed-file format.
    vcl::TMemoryStream property;
    second.WriteSkinData(property);
    TqvSkinListItem& third = list.Add();
    third.ReadSkinData(property);
    EXPECT_EQ(third.StoredSkin().CompressedStream().Bytes(), second.StoredSkin().CompressedStream().Bytes());
}

TEST(SkinDataTest, CompressedFiles) {
    TqvCompressedStoredSkin stored(nullptr);
    SetStoredContainer(stored, Container(kSkinText));
    vcl::TMemoryStream file;
    stored.WriteCompressedStream(file);
    TempFolder folder;
    std::string path = folder.Write("skin.qvc", file.Bytes());

    TqvCompressedStoredSkin loaded(nullptr);
    loaded.LoadCompressedFile(path);
    EXPECT_EQ(loaded.CompressedStream().Bytes(), stored.CompressedStream().Bytes());

    // A newer file is ignored; a length past the end is an error.
    TqvBytes newer = file.Bytes();
    newer[0] = 4;
    loaded.LoadCompressedFile(folder.Write("newer.qvc", newer));
    EXPECT_TRUE(loaded.IsEmpty());
    TqvBytes cut(file.Bytes().begin(), file.Bytes().end() - 1);
    EXPECT_THROW(loaded.LoadCompressedFile(folder.Write("cut.qvc", cut)), vcl::EReadError);
    EXPECT_THROW(loaded.LoadCompressedFile(folder.Path() + "/absent.qvc"), vcl::EFOpenError);

    // The form description's data property is the zlib stream verbatim.
    vcl::TMemoryStream data;
    stored.WriteCompressedData(data);
    EXPECT_EQ(data.Bytes(), stored.CompressedStream().Bytes());
    TqvCompressedStoredSkin fromData(nullptr);
    fromData.ReadCompressedData(data);
    EXPECT_EQ(fromData.CompressedStream().Bytes(), stored.CompressedStream().Bytes());
}

TEST(SkinDataTest, ResourceStrings) {
    TqvResourceStrData strings(nullptr);
    EXPECT_EQ(strings.CharSet(), 1);
    EXPECT_EQ(strings.GetResStr("CLOSEBUTTON_HINT"), "Close");
    EXPECT_EQ(strings.GetResStr("MI_CLOSECAPTION"), "&Close");
    EXPECT_EQ(strings.GetResStr("NO_SUCH_KEY"), "");
    vcl::TStringList lines;
    lines.Add("A=x=y");
    lines.Add("B");
    strings.SetResStrings(lines);
    EXPECT_EQ(strings.GetResStr("a"), "x=y");
    EXPECT_EQ(strings.GetResStr("B"), "");
    EXPECT_EQ(strings.GetResStr("CLOSEBUTTON_HINT"), "");
}
