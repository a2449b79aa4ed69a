#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvFormSkinRecords.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

const char* const kControlKinds[] = {
    "panel",      "expanel",   "menubutton", "button",       "checkradio", "gauge",    "splitter",
    "trackbar",   "label",     "stdlabel",   "updown",       "grid",       "tab",      "mainmenubar",
    "controlbar", "memo",      "edit",       "checklistbox", "listbox",    "combobox", "scrollbar",
    "spinedit",   "scrollbox", "treeview",   "bevel",        "slider",     "listview", "richedit"};
const char* const kObjectKinds[] = {"stdbutton", "button",          "mainmenubarbutton", "caption",
                                    "menuitem",  "mainmenubaritem", "animate",           "userobject"};

std::string Saved(TqvSkinRecord& record) {
    TqvSkinIni ini;
    record.SaveToSkinText(ini);
    return ini.Text();
}

} // namespace

// A record read from an absent section must hold exactly what a new record holds: the field
// initialisers and the reading defaults are two spellings of the same table.
TEST(SkinRecordsTest, AbsentSectionsGiveTheInitialValues) {
    TqvSkinIni empty;
    for (const char* kind : kControlKinds) {
        auto fresh = CreateControlSkin(kind, "x");
        auto loaded = CreateControlSkin(kind, "x");
        ASSERT_TRUE(fresh && loaded) << kind;
        loaded->LoadFromSkinText(empty);
        EXPECT_EQ(Saved(*loaded), Saved(*fresh)) << kind;
        EXPECT_EQ(ControlSkinKind(*loaded), kind);
    }
    for (const char* kind : kObjectKinds) {
        auto fresh = CreateFormObject(kind, "x");
        auto loaded = CreateFormObject(kind, "x");
        ASSERT_TRUE(fresh && loaded) << kind;
        loaded->LoadFromSkinText(empty);
        EXPECT_EQ(Saved(*loaded), Saved(*fresh)) << kind;
        EXPECT_EQ(FormObjectKind(*loaded), kind);
    }
    TqvDataSkinPopupWindow popup, freshPopup;
    popup.LoadFromSkinText(empty);
    EXPECT_EQ(Saved(popup), Saved(freshPopup));

    // The hint record is the one exception: it starts at height 12, reading defaults to 14.
    TqvDataSkinHintWindow hint;
    EXPECT_EQ(hint.fontheight, 12);
    hint.LoadFromSkinText(empty);
    EXPECT_EQ(hint.fontheight, 14);
    EXPECT_EQ(hint.fontname, "Arial");

    EXPECT_EQ(CreateControlSkin("Button", "x"), nullptr);
    EXPECT_EQ(CreateFormObject("userObject", "x"), nullptr);
}

TEST(SkinRecordsTest, DefaultsThatAreNotZero) {
    auto listbox = CreateControlSkin("listbox", "l");
    auto* lb = dynamic_cast<TqvDataSkinListBox*>(listbox.get());
    ASSERT_NE(lb, nullptr);
    EXPECT_EQ(lb->vscrollbarname, "vscrollbar");
    EXPECT_EQ(lb->hscrollbarname, "hscrollbar");
    EXPECT_EQ(lb->bothhscrollbarname, "bothhscrollbar");
    EXPECT_EQ(lb->captionfontheight, 14);
    EXPECT_EQ(lb->pictureindex, -1);
    EXPECT_EQ(lb->maskpictureindex, -1);

    TqvDataSkinStdLabelControl label("s");
    EXPECT_EQ(label.activefontcolor, 16711680);
    TqvDataSkinControlBar bar("c");
    EXPECT_EQ(bar.itemoffset1, 3);
    EXPECT_EQ(bar.bgpictureindex, -1);
    TqvDataSkinButtonControl button("b");
    EXPECT_EQ(button.animateinterval, 25);
    TqvDataSkinAnimate animate("a");
    EXPECT_EQ(animate.countframes, 1);
    EXPECT_EQ(animate.timerinterval, 50);
    EXPECT_EQ(animate.command, cmDefault);
    TqvDataSkinCaption caption("c");
    EXPECT_EQ(caption.alignment, taCenter);
    TqvSkinColors colors;
    EXPECT_EQ(colors.cbtnface, 0);
    colors.LoadFromSkinText(TqvSkinIni());
    EXPECT_EQ(colors.cbtnface, -16777201);
    EXPECT_EQ(colors.cbtnshadow, -16777200);
}

TEST(SkinRecordsTest, ClassTree) {
    auto is = [](const char* kind, auto probe) {
        auto record = CreateControlSkin(kind, "x");
        return dynamic_cast<decltype(probe)>(record.get()) != nullptr;
    };
    EXPECT_TRUE(is("button", (TqvDataSkinCustomControl*)nullptr));
    EXPECT_TRUE(is("menubutton", (TqvDataSkinButtonControl*)nullptr));
    EXPECT_TRUE(is("memo", (TqvDataSkinEditControl*)nullptr));
    EXPECT_TRUE(is("checklistbox", (TqvDataSkinListBox*)nullptr));
    EXPECT_TRUE(is("scrollbox", (TqvDataSkinCustomControl*)nullptr));
    for (const char* direct :
         {"stdlabel", "treeview", "listview", "richedit", "bevel", "slider", "tab", "grid", "mainmenubar"}) {
        EXPECT_FALSE(is(direct, (TqvDataSkinCustomControl*)nullptr)) << direct;
    }
    auto barButton = CreateFormObject("mainmenubarbutton", "m");
    EXPECT_NE(dynamic_cast<TqvDataSkinStdButton*>(barButton.get()), nullptr);
    auto barItem = CreateFormObject("mainmenubaritem", "m");
    EXPECT_NE(dynamic_cast<TqvDataSkinMainMenuItem*>(barItem.get()), nullptr);
}

TEST(SkinRecordsTest, ButtonRecordReadsBaseCustomAndOwnKeys) {
    TqvSkinIni ini("[button]\npictureindex=4\nskinrect=458,272,500,294\nlefttoppoint=3,9\n"
                   "righttoppoint=35,11\nclientrect=2,2,40,20\ndisabledfontcolor=15916233\n"
                   "activeskinrect=458,298,500,320\ndownskinrect=458,324,500,346\n"
                   "fontstyle=fsbold\nmorphkind=mkgradient\nstretchtype=stvert\n");
    TqvDataSkinButtonControl b("button");
    b.LoadFromSkinText(ini);
    EXPECT_EQ(b.pictureindex, 4);
    EXPECT_EQ(b.skinrect, (RECT{458, 272, 500, 294}));
    EXPECT_EQ(b.lefttoppoint, (POINT{3, 9}));
    EXPECT_EQ(b.righttoppoint, (POINT{35, 11}));
    EXPECT_EQ(b.leftbottompoint, (POINT{0, 0}));
    EXPECT_EQ(b.clientrect, (RECT{2, 2, 40, 20}));
    EXPECT_EQ(b.disabledfontcolor, 15916233);
    EXPECT_EQ(b.activeskinrect, (RECT{458, 298, 500, 320}));
    EXPECT_EQ(b.downskinrect, (RECT{458, 324, 500, 346}));
    EXPECT_EQ(b.fontstyle, vcl::fsBold);
    EXPECT_EQ(b.morphkind, mkGradient);
    EXPECT_EQ(b.stretchtype, stVert);
    EXPECT_EQ(b.fontname, "Arial");

    TqvSkinIni bad("[button]\nclientrect=2,,40,20\n");
    TqvDataSkinButtonControl b2("button");
    EXPECT_THROW(b2.LoadFromSkinText(bad), vcl::EConvertError);
}

TEST(SkinRecordsTest, FormObjectRules) {
    TqvSkinIni ini("[close]\ncommand=cmclose\nhint=Close it\nactivepictureindex=2\n"
                   "[odd]\ncommand=Cmclose\n"
                   "[anim]\nmorphing=1\ncountframes=5\nhint=h\n"
                   "[user]\nskinrect=1,2,3,4\nhint=ignored\nactivepictureindex=7\nmorphing=1\n"
                   "[menu]\ncheckimagerect=1,1,5,5\nradioimagerect=2,2,6,6\n"
                   "activeradioimagerect=9,9,12,12\narrowimagerect=3,3,3,8\nfontheight=0x10\n"
                   "[cap]\nfontheight=xyz\n"
                   "[caption]\nfontcolor=1\n[other]\n[caption]\nalignment=taleftjustify\n");
    TqvDataSkinStdButton close("close");
    close.LoadFromSkinText(ini);
    EXPECT_EQ(close.command, cmClose);
    EXPECT_EQ(close.hint, "Close it");
    EXPECT_EQ(close.activepictureindex, 2);
    TqvDataSkinStdButton odd("odd");
    odd.LoadFromSkinText(ini);
    EXPECT_EQ(odd.command, cmMinimizeToTray);

    TqvDataSkinAnimate anim("anim");
    anim.LoadFromSkinText(ini);
    EXPECT_FALSE(anim.morphing);
    EXPECT_EQ(anim.countframes, 5);

    TqvDataUserObject user("user");
    user.LoadFromSkinText(ini);
    EXPECT_EQ(user.skinrect, (RECT{1, 2, 3, 4}));
    EXPECT_EQ(user.hint, "");
    EXPECT_EQ(user.activepictureindex, -1);
    EXPECT_FALSE(user.morphing);

    TqvDataSkinMenuItem menu("menu");
    menu.LoadFromSkinText(ini);
    EXPECT_EQ(menu.activecheckimagerect, (RECT{1, 1, 5, 5}));
    EXPECT_EQ(menu.activeradioimagerect, (RECT{9, 9, 12, 12}));
    EXPECT_EQ(menu.activearrowimagerect, (RECT{3, 3, 3, 8})); // empty, so it took the empty normal
    EXPECT_EQ(menu.fontheight, 16);

    TqvDataSkinCaption cap("cap");
    cap.LoadFromSkinText(ini);
    EXPECT_EQ(cap.fontheight, 14);

    TqvDataSkinCaption caption("caption");
    caption.LoadFromSkinText(ini);
    EXPECT_EQ(caption.fontcolor, 0);
    EXPECT_EQ(caption.alignment, taLeftJustify);
}

TEST(SkinRecordsTest, ListsSkipUnknownKindsWithoutShiftingIndexes) {
    TqvSkinIni ini("[SKINCONTROLS]\ncount=8\n0=a:button\n1=b:unknown\n2=nocolon\n3=c:panel\n"
                   "5=a:label\n6=x:y:button\n7= d : panel \n"
                   "[a]\npictureindex=1\n[c]\npictureindex=3\n"
                   "[SKINOBJECTS]\ncount=3\n0=caption:caption\n1=closebutton:Stdbutton\n"
                   "2=closebutton:stdbutton\n3=beyond:stdbutton\n");
    std::vector<std::unique_ptr<TqvDataSkinControl>> controls;
    LoadControlSkins(ini, controls);
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0]->SectionName, "a");
    EXPECT_NE(dynamic_cast<TqvDataSkinButtonControl*>(controls[0].get()), nullptr);
    EXPECT_EQ(controls[0]->pictureindex, 1);
    EXPECT_EQ(controls[1]->SectionName, "c");
    EXPECT_EQ(controls[1]->pictureindex, 3);
    EXPECT_EQ(controls[2]->SectionName, "a");
    EXPECT_NE(dynamic_cast<TqvDataSkinLabelControl*>(controls[2].get()), nullptr);

    std::vector<std::unique_ptr<TqvDataSkinObject>> objects;
    LoadFormObjects(ini, objects);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->SectionName, "caption");
    EXPECT_EQ(objects[1]->SectionName, "closebutton");
}

namespace {
TqvSkinFormInfo ReadFormInfo(const std::string& keys, bool mask) {
    TqvSkinFormInfo info;
    info.LoadFormInfo(TqvSkinIni("[FORMINFO]\n" + keys), mask);
    return info;
}
} // namespace

TEST(SkinRecordsTest, FormInfoAdjustments) {
    const std::string frame = "lefttoppoint=9,29\nrighttoppoint=274,30\nleftbottompoint=8,200\n"
                              "rightbottompoint=274,200\nclientrect=4,27,281,206\n";
    // A frame as the program's skin has it: nothing moves, the mask area already holds the client.
    auto info = ReadFormInfo(frame + "maskrectarea=4,3,282,206\nhittestlefttoppoint=7,6\n"
                                     "hittestrighttoppoint=279,8\nhittestleftbottompoint=9,202\n"
                                     "hittestrightbottompoint=276,203\n",
                             true);
    EXPECT_EQ(info.lefttoppoint, (POINT{9, 29}));
    EXPECT_EQ(info.righttoppoint, (POINT{274, 30}));
    EXPECT_EQ(info.leftbottompoint, (POINT{8, 200}));
    EXPECT_EQ(info.rightbottompoint, (POINT{274, 200}));
    EXPECT_EQ(info.maskrectarea, (RECT{4, 3, 282, 206}));
    EXPECT_EQ(info.hittestlefttoppoint, (POINT{7, 6}));
    EXPECT_EQ(info.hittestrightbottompoint, (POINT{276, 203}));

    // With a mask: an empty area becomes the client rectangle, unset hit-test points the corners.
    info = ReadFormInfo(frame + "hittestlefttoppoint=0,5\nhittestrighttoppoint=3,4\n", true);
    EXPECT_EQ(info.maskrectarea, (RECT{4, 27, 281, 206}));
    EXPECT_EQ(info.hittestlefttoppoint, (POINT{9, 29}));
    EXPECT_EQ(info.hittestrighttoppoint, (POINT{3, 4}));
    EXPECT_EQ(info.hittestleftbottompoint, (POINT{8, 200}));
    info = ReadFormInfo(frame + "maskrectarea=10,1,200,300\n", true);
    EXPECT_EQ(info.maskrectarea, (RECT{4, 1, 281, 300}));

    // Without a mask neither happens.
    info = ReadFormInfo(frame + "hittestlefttoppoint=0,5\n", false);
    EXPECT_EQ(info.maskrectarea, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(info.hittestlefttoppoint, (POINT{0, 5}));

    // Corners are drawn towards the client area ...
    info = ReadFormInfo("lefttoppoint=1,2\nrighttoppoint=300,3\nleftbottompoint=2,250\n"
                        "rightbottompoint=290,260\nclientrect=4,27,281,206\n",
                        false);
    EXPECT_EQ(info.lefttoppoint, (POINT{4, 27}));
    EXPECT_EQ(info.righttoppoint, (POINT{281, 27}));
    EXPECT_EQ(info.leftbottompoint, (POINT{4, 206}));
    EXPECT_EQ(info.rightbottompoint, (POINT{281, 206}));
    // ... unless the right-bottom corner shares a row or column with the left-top one.
    info = ReadFormInfo("lefttoppoint=1,2\nrightbottompoint=1,260\nclientrect=4,27,281,206\n", false);
    EXPECT_EQ(info.lefttoppoint, (POINT{1, 2}));
    EXPECT_EQ(info.bgpictureindex, -1);
    EXPECT_EQ(info.inactiveeffect, ieBrightness);
}
