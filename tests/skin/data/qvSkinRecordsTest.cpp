#include "skin/data/qvControlSkinRecords.h"
#include "skin/data/qvFormSkinRecords.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <typeinfo>

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

// Every record class, made new under the section name "x": the kinds of both lists and the
// three global records.
std::vector<std::unique_ptr<TqvSkinRecord>> EveryRecordClass() {
    std::vector<std::unique_ptr<TqvSkinRecord>> records;
    for (const char* kind : kControlKinds) {
        records.push_back(CreateControlSkin(kind, "x"));
    }
    for (const char* kind : kObjectKinds) {
        records.push_back(CreateFormObject(kind, "x"));
    }
    records.push_back(std::make_unique<TqvDataSkinPopupWindow>("x"));
    records.push_back(std::make_unique<TqvDataSkinHintWindow>("x"));
    records.push_back(std::make_unique<TqvSkinColors>("x"));
    return records;
}

// A value of the same type as `value` (as the writer spells it) that reads differently from it.
std::string OtherValue(const std::string& key, const std::string& value) {
    auto commas = std::count(value.begin(), value.end(), ',');
    if (key.ends_with("fontstyle")) {
        return "fsbold,fsitalic";
    }
    if (commas == 3) {
        return "1,2,30,40";
    }
    if (commas == 1) {
        return "5,6";
    }
    for (const char* word : {"st", "ie", "mk", "cm", "ta"}) {
        if (value.starts_with(word) && value.size() > 2 &&
            std::islower(static_cast<unsigned char>(value[2]))) {
            static const std::map<std::string, std::string> others{{"st", "stvert"},
                                                                   {"ie", "ieinvert"},
                                                                   {"mk", "mkpush"},
                                                                   {"cm", "cmclose"},
                                                                   {"ta", "taleftjustify"}};
            std::string other = others.at(word);
            return other == value ? std::string(word) + "xx" : other;
        }
    }
    int number = 0;
    if (TryParseSkinInteger(value, number)) {
        return number == 1 ? "0" : "1"; // flags as well as numbers
    }
    return value + "-other";
}

} // namespace

// The field initialisers are the one table of defaults: a record read from a section without
// keys holds exactly what a new record holds, for every class.
TEST(SkinRecordsTest, AbsentSectionsGiveTheInitialValues) {
    TqvSkinIni empty;
    auto fresh = EveryRecordClass();
    auto loaded = EveryRecordClass();
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        loaded[i]->LoadFromSkinText(empty);
        EXPECT_EQ(Saved(*loaded[i]), Saved(*fresh[i])) << typeid(*fresh[i]).name();
    }
    for (const char* kind : kControlKinds) {
        EXPECT_EQ(ControlSkinKind(*CreateControlSkin(kind, "x")), kind);
    }
    for (const char* kind : kObjectKinds) {
        EXPECT_EQ(FormObjectKind(*CreateFormObject(kind, "x")), kind);
    }
    EXPECT_EQ(CreateControlSkin("Button", "x"), nullptr);
    EXPECT_EQ(CreateFormObject("userObject", "x"), nullptr);
}

// Reading again starts from the initial values: a record that read a section where every key
// differs from its default, then an empty section, is a new record again. (A class that did not
// reset its own fields would keep the first section's values.)
TEST(SkinRecordsTest, ReadingAgainForgetsTheEarlierSection) {
    auto records = EveryRecordClass();
    auto fresh = EveryRecordClass();
    for (std::size_t i = 0; i < records.size(); ++i) {
        TqvSkinRecord& record = *records[i];
        const char* name = typeid(record).name();
        TqvSkinIni full;
        record.SaveToSkinText(full);
        for (const std::string& key : full.SectionKeys("x")) {
            full.WriteString("x", key, OtherValue(key, *full.FindValue("x", key)));
        }
        record.LoadFromSkinText(full);
        TqvSkinIni read;
        record.SaveToSkinText(read);
        // Every key took the new value (the user object reads only skinrect, and an animation
        // never morphs, by design).
        const TqvSkinIni initial(Saved(*fresh[i]));
        for (const std::string& key : read.SectionKeys("x")) {
            bool fixed = dynamic_cast<TqvDataUserObject*>(&record) != nullptr ||
                         (dynamic_cast<TqvDataSkinAnimate*>(&record) != nullptr && key == "morphing");
            if (!fixed) {
                EXPECT_NE(*read.FindValue("x", key), *initial.FindValue("x", key)) << name << " " << key;
            }
        }
        record.LoadFromSkinText(TqvSkinIni());
        EXPECT_EQ(Saved(record), Saved(*fresh[i])) << name;
        // Reset does the same without reading, and keeps the section name.
        record.LoadFromSkinText(full);
        record.Reset();
        EXPECT_EQ(Saved(record), Saved(*fresh[i])) << name;
        EXPECT_EQ(record.SectionName, "x");
    }

    TqvSkinFormInfo info;
    info.LoadFormInfo(TqvSkinIni("[FORMINFO]\nbgpictureindex=3\nclientrect=1,2,3,4\nborderwidth=5\n"
                                 "inactiveeffect=ieinvert\nbuttonsinleft=1\n"),
                      false);
    EXPECT_EQ(info.bgpictureindex, 3);
    info.LoadFormInfo(TqvSkinIni(), false);
    TqvSkinIni again, initial;
    info.SaveFormInfo(again);
    TqvSkinFormInfo().SaveFormInfo(initial);
    EXPECT_EQ(again.Text(), initial.Text());
}

// A font is four keys under one prefix, read and written together; the other fonts of the
// record and its state colours are untouched by them.
TEST(SkinRecordsTest, FontKeysUnderTheirPrefix) {
    TqvSkinIni ini("[l]\ncaptionfontname=Tahoma\ncaptionfontheight=9\ncaptionfontstyle=fsitalic\n"
                   "captionfontcolor=255\nactivefontcolor=7\n"
                   "[g]\nfixedfontname=Courier\nfontheight=20\n");
    TqvDataSkinListBox list("l");
    list.LoadFromSkinText(ini);
    EXPECT_EQ(list.captionfont, (TqvSkinFont{"Tahoma", 9, vcl::fsItalic, 255}));
    EXPECT_EQ(list.font, TqvSkinFont{});
    EXPECT_EQ(list.activefontcolor, 7);
    TqvDataSkinGridControl grid("g");
    grid.LoadFromSkinText(ini);
    EXPECT_EQ(grid.fixedfont, (TqvSkinFont{"Courier", 14, 0, 0}));
    EXPECT_EQ(grid.font.height, 20);

    TqvSkinIni written;
    list.SaveToSkinText(written);
    std::vector<std::string> keys = written.SectionKeys("l");
    auto at = std::find(keys.begin(), keys.end(), "captionfontname");
    ASSERT_NE(at, keys.end());
    EXPECT_EQ(std::vector<std::string>(at, at + 4),
              (std::vector<std::string>{"captionfontname", "captionfontheight", "captionfontstyle",
                                        "captionfontcolor"}));
    EXPECT_EQ(*written.FindValue("l", "captionfontstyle"), "fsitalic");
}

TEST(SkinRecordsTest, DefaultsThatAreNotZero) {
    auto listbox = CreateControlSkin("listbox", "l");
    auto* lb = dynamic_cast<TqvDataSkinListBox*>(listbox.get());
    ASSERT_NE(lb, nullptr);
    EXPECT_EQ(lb->vscrollbarname, "vscrollbar");
    EXPECT_EQ(lb->hscrollbarname, "hscrollbar");
    EXPECT_EQ(lb->bothhscrollbarname, "bothhscrollbar");
    EXPECT_EQ(lb->captionfont.height, 14);
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
    // A key a skin leaves out keeps the system colour of its role; the hint's font is the common
    // text font.
    TqvSkinColors colors;
    EXPECT_EQ(colors.cbtnface, -16777201);
    EXPECT_EQ(colors.cbtnshadow, -16777200);
    EXPECT_EQ(colors.chighlighttext, -16777202);
    TqvDataSkinHintWindow hint;
    EXPECT_EQ(hint.font, (TqvSkinFont{"Arial", 14, 0, 0}));
    EXPECT_EQ(hint.SectionName, "HINTWINDOW");
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
    EXPECT_EQ(b.font.style, vcl::fsBold);
    EXPECT_EQ(b.morphkind, mkGradient);
    EXPECT_EQ(b.stretchtype, stVert);
    EXPECT_EQ(b.font.name, "Arial");

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
    EXPECT_EQ(menu.font.height, 16);

    TqvDataSkinCaption cap("cap");
    cap.LoadFromSkinText(ini);
    EXPECT_EQ(cap.font.height, 14);

    TqvDataSkinCaption caption("caption");
    caption.LoadFromSkinText(ini);
    EXPECT_EQ(caption.font.color, 0);
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
