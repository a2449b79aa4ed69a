// The embedded skin as the program loads it: TqvSkinData reads the inflated container, and the
// frame and control records carry the geometry the windows are laid out for.

#include "EmbeddedSkin.h"

#include "skin/data/qvSkinContainer.h"
#include "skin/data/qvSkinData.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace qv;

// The program reads its skin's pictures from the container inflated at build time, and loads
// the stream: the two must be the same skin, byte for byte.
TEST(EmbeddedSkin, TheBuiltInContainerIsWhatTheStreamInflatesTo) {
    TqvBytes inflated = InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
    ASSERT_EQ(inflated.size(), kEmbeddedSkinContainerSize);
    EXPECT_TRUE(std::equal(inflated.begin(), inflated.end(), kEmbeddedSkinContainer));
}

class LoadedSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skin_ = new TqvSkinData(nullptr);
        TqvBytes container =
            InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize));
        skin_->LoadFromContainer(container);
    }
    static void TearDownTestSuite() { delete skin_; }

    template <typename T>
    static const T& Control(const char* name) {
        int i = skin_->IndexOfControlSkin(name);
        EXPECT_GE(i, 0) << name;
        auto* record = dynamic_cast<const T*>(skin_->ControlSkins.at(std::size_t(i)).get());
        EXPECT_NE(record, nullptr) << name << " has the wrong kind";
        return *record;
    }
    template <typename T>
    static const T& Object(const char* name) {
        int i = skin_->IndexOfFormObject(name);
        EXPECT_GE(i, 0) << name;
        auto* record = dynamic_cast<const T*>(skin_->FormObjects.at(std::size_t(i)).get());
        EXPECT_NE(record, nullptr) << name << " has the wrong kind";
        return *record;
    }
    static TqvSkinData* skin_;
};
TqvSkinData* LoadedSkin::skin_ = nullptr;

TEST_F(LoadedSkin, LoadsWithEveryPicture) {
    EXPECT_FALSE(skin_->IsEmpty());
    EXPECT_EQ(skin_->MainPicture.Width(), 285);
    EXPECT_EQ(skin_->MainPicture.Height(), 210);
    EXPECT_TRUE(skin_->InactiveFormPicture.Empty());
    EXPECT_EQ(skin_->FormMaskPicture.Width(), 285);
    EXPECT_EQ(skin_->ExtraPictures.size(), 8u);
    EXPECT_EQ(skin_->FormObjects.size(), 13u);
    EXPECT_EQ(skin_->ControlSkins.size(), 64u);
    EXPECT_EQ(skin_->MaskPictureName, "framemask.bmp");
    EXPECT_FALSE(skin_->autorenderinginactiveimage);
}

TEST_F(LoadedSkin, FormInfoAfterLoading) {
    const TqvSkinFormInfo& f = *skin_;
    EXPECT_EQ(f.lefttoppoint, (POINT{9, 29}));
    EXPECT_EQ(f.righttoppoint, (POINT{274, 30}));
    EXPECT_EQ(f.leftbottompoint, (POINT{8, 200}));
    EXPECT_EQ(f.rightbottompoint, (POINT{274, 200}));
    EXPECT_EQ(f.clientrect, (RECT{4, 27, 281, 206}));
    EXPECT_EQ(f.maskrectarea, (RECT{4, 3, 282, 206}));
    EXPECT_EQ(f.hittestlefttoppoint, (POINT{7, 6}));
    EXPECT_EQ(f.hittestrighttoppoint, (POINT{279, 8}));
    EXPECT_EQ(f.hittestleftbottompoint, (POINT{9, 202}));
    EXPECT_EQ(f.hittestrightbottompoint, (POINT{276, 203}));
    EXPECT_EQ(f.captionrect, (RECT{3, 5, 282, 24}));
    EXPECT_EQ(f.buttonsrect, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(f.buttonsoffset, 2);
    EXPECT_EQ(f.borderwidth, 3);
    EXPECT_EQ(f.formminwidth, 200);
}

TEST_F(LoadedSkin, FrameObjects) {
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "traybutton"}) {
        const auto& b = Object<TqvDataSkinStdButton>(name);
        EXPECT_TRUE(b.skinrectinapicture) << name;
        EXPECT_EQ(b.activepictureindex, 0) << name;
        EXPECT_EQ(b.skinrect.right - b.skinrect.left, 21) << name;
        EXPECT_EQ(b.skinrect.bottom - b.skinrect.top, 21) << name;
    }
    EXPECT_EQ(Object<TqvDataSkinStdButton>("closebutton").command, cmClose);
    const auto& sys = Object<TqvDataSkinStdButton>("sysmenubutton");
    EXPECT_EQ(sys.skinrect.right - sys.skinrect.left, 14);
    EXPECT_EQ(sys.skinrect.bottom - sys.skinrect.top, 12);
    const auto& caption = Object<TqvDataSkinCaption>("caption");
    EXPECT_FALSE(caption.skinrectinapicture);
    EXPECT_EQ(caption.skinrect, (RECT{5, 4, 280, 24}));
    EXPECT_EQ(caption.textrect, (RECT{4, 2, 274, 20}));
    EXPECT_EQ(caption.font.height, 16);
    EXPECT_EQ(caption.alignment, taLeftJustify);
    EXPECT_TRUE(caption.shadow);
    EXPECT_EQ(caption.shadowcolor, 16777215);
}

TEST_F(LoadedSkin, ControlRecords) {
    const auto& button = Control<TqvDataSkinButtonControl>("button");
    EXPECT_EQ(button.pictureindex, 4);
    EXPECT_EQ(button.skinrect, (RECT{458, 272, 500, 294}));
    EXPECT_EQ(button.lefttoppoint, (POINT{3, 9}));
    EXPECT_EQ(button.righttoppoint, (POINT{35, 11}));
    EXPECT_EQ(button.clientrect, (RECT{2, 2, 40, 20}));
    EXPECT_EQ(button.activeskinrect, (RECT{458, 298, 500, 320}));
    EXPECT_EQ(button.downskinrect, (RECT{458, 324, 500, 346}));
    EXPECT_EQ(Control<TqvDataSkinButtonControl>("resizebutton").pictureindex, 4);
    EXPECT_EQ(Control<TqvDataSkinPanelControl>("panel").rightbottompoint, (POINT{53, 46}));
    EXPECT_EQ(Control<TqvDataSkinMemoControl>("memo").leftbottompoint, (POINT{2, 48}));
    const auto& list = Control<TqvDataSkinListBox>("listbox");
    EXPECT_EQ(list.itemrect.bottom - list.itemrect.top, 20);
    EXPECT_EQ(Control<TqvDataSkinComboBox>("combobox").listboxname, "listbox");
    EXPECT_EQ(Control<TqvDataSkinListView>("listview").bgcolor, 16777215);
    EXPECT_EQ(Control<TqvDataSkinTreeView>("treeview").bgcolor, 16777215);
    const auto& label = Control<TqvDataSkinStdLabelControl>("stdlabel");
    EXPECT_EQ(label.pictureindex, -1);
    EXPECT_EQ(label.activefontcolor, 13668176);
    Control<TqvDataSkinScrollBarControl>("bothhscrollbar");
    // Every record with a picture names one of the skin's pictures.
    for (const auto& record : skin_->ControlSkins) {
        if (record->pictureindex >= 0) {
            EXPECT_NE(skin_->ExtraPicture(record->pictureindex), nullptr) << record->SectionName;
        }
    }
}

// A key that nothing reads is a mistake of the skin's author (a misspelt key silently leaves the
// record at its default): every key of the skin text must be one the skin data writes back, and
// it writes exactly the keys its records read.
TEST_F(LoadedSkin, EveryKeyOfTheSkinTextIsRead) {
    TqvSkinContainerContent content;
    ASSERT_TRUE(ReadSkinContainer(
        InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize)), content));
    const TqvSkinIni text(content.text);
    TqvSkinIni written;
    skin_->SaveToSkinText(written);
    std::vector<std::string> unread;
    for (const std::string& section : text.SectionNames()) {
        for (const std::string& key : text.SectionKeys(section)) {
            if (written.FindValue(section, key) == nullptr) {
                unread.push_back("[" + section + "] " + key);
            }
        }
    }
    EXPECT_EQ(unread, std::vector<std::string>{});
}

} // namespace
