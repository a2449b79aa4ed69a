#include "skin/data/qvSkinIni.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

TEST(SkinIniTest, LinesSectionsAndKeys) {
    TqvSkinIni ini("ignored=before any section\r\n"
                   "  [ Button ]  \n"
                   "; a comment\r"
                   "\t skinrect = 1,2,3,4 \r\n"
                   "no equals sign here\n"
                   "hint=a=b\n"
                   "Hint=second\n"
                   "[other]\n"
                   "x=1\n"
                   "[BUTTON]\n"
                   "fresh=yes");
    // The later [BUTTON] replaces the first section entirely.
    EXPECT_EQ(ini.FindValue("button", "skinrect"), nullptr);
    EXPECT_EQ(ini.ReadString("Button", "FRESH", ""), "yes");
    EXPECT_TRUE(ini.SectionExists("OTHER"));
    EXPECT_FALSE(ini.SectionExists("ignored"));

    TqvSkinIni keys("[s]\nhint=a=b\nHint=second\n = empty key\nk=\n");
    EXPECT_EQ(keys.ReadString("s", "hint", "d"), "second");
    EXPECT_EQ(keys.ReadString("s", "", "d"), "empty key");
    EXPECT_EQ(keys.ReadString("s", "k", "d"), "");
    EXPECT_EQ(keys.ReadString("s", "absent", "d"), "d");
    EXPECT_EQ(keys.SectionKeys("s").size(), 3u);
}

TEST(SkinIniTest, NamesMatchWithoutRegardToAsciiCaseOnly) {
    struct Case {
        const char* written;
        const char* asked;
        bool found;
    } cases[] = {
        {"a", "A", true},
        {"SkinRect", "skinrect", true},                       // under one eight-byte step
        {"activepicturescount", "ACTIVEpicturesCOUNT", true}, // across steps and a tail
        {"abcdefgh", "ABCDEFGH", true},                       // exactly one step
        {"abcdefgh", "abcdefg", false},
        {"key@", "key`", false}, // '@' and '`' differ only in the case bit
        {"key[", "key{", false},
        {"key^", "key~", false},
        {"\xC3\x84", "\xC3\xA4", false}, // folding is ASCII only
        {"\xC4x", "\xE4X", false},
        {"1_2", "1_2", true},
    };
    for (const Case& c : cases) {
        TqvSkinIni ini(std::string("[Sec]\n") + c.written + "=v\n");
        EXPECT_EQ(ini.FindValue("sEC", c.asked) != nullptr, c.found) << c.written << " / " << c.asked;
    }
}

TEST(SkinIniTest, ManyKeysKeepTheirValuesAndOrder) {
    // Enough sections and keys that the index regrows several times while both are read and
    // rewritten, and a replaced section whose old keys must stay gone.
    std::string text;
    for (int s = 0; s < 40; ++s) {
        text += "[section" + std::to_string(s) + "]\n";
        for (int k = 0; k < 50; ++k) {
            text += "Key" + std::to_string(k) + "=" + std::to_string(s * 100 + k) + "\n";
        }
    }
    text += "[SECTION7]\nonly=1\n";
    TqvSkinIni ini(text);
    for (int s = 0; s < 40; ++s) {
        const std::string section = "Section" + std::to_string(s);
        for (int k = 0; k < 50; ++k) {
            int expected = s == 7 ? -1 : s * 100 + k;
            ASSERT_EQ(ini.ReadInteger(section, "KEY" + std::to_string(k), -1), expected) << section << k;
        }
    }
    EXPECT_EQ(ini.SectionKeys("section7"), (std::vector<std::string>{"only"}));
    EXPECT_EQ(ini.SectionNames().size(), 40u);
    EXPECT_EQ(ini.SectionNames()[7], "SECTION7");

    ini.WriteInteger("section3", "KEY49", -5); // rewritten in place, keeping its spelling
    ini.WriteInteger("section3", "new", 6);    // appended after the last key
    ini.WriteInteger("section7", "added", 1);
    std::vector<std::string> keys = ini.SectionKeys("section3");
    ASSERT_EQ(keys.size(), 51u);
    EXPECT_EQ(keys[49], "Key49");
    EXPECT_EQ(keys[50], "new");
    EXPECT_EQ(ini.ReadInteger("section3", "key49", 0), -5);
    EXPECT_EQ(ini.SectionKeys("section7"), (std::vector<std::string>{"only", "added"}));

    TqvSkinIni again(ini.Text());
    EXPECT_EQ(again.Text(), ini.Text());
    EXPECT_EQ(again.ReadInteger("section39", "key0", 0), 3900);
}

TEST(SkinIniTest, Integers) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"42", 42},
        {"-7", -7},
        {"+3", 3},
        {"0x10", 16},
        {"0X1f", 31},
        {"$FF", 255},
        {"$FF00000F", -16777201},
        {"-2147483648", -2147483648},
        {"2147483648", 99},
        {"", 99},
        {"abc", 99},
        {"12a", 99},
        {"0x", 99},
        {"- 5", 99},
        {"$100000000", 99},
    };
    for (const Case& c : cases) {
        TqvSkinIni ini(std::string("[s]\nv=") + c.text + "\n");
        EXPECT_EQ(ini.ReadInteger("s", "v", 99), c.expected) << c.text;
    }
    EXPECT_EQ(TqvSkinIni("[s]\n").ReadInteger("s", "v", -1), -1);
}

TEST(SkinIniTest, RectanglesAndPoints) {
    struct Case {
        const char* value;
        RECT expected;
    } cases[] = {
        {"50,2,71,23", {50, 2, 71, 23}}, {"50, 2, 71, 23", {50, 2, 71, 23}}, {"-5,1,2,3", {5, 1, 2, 3}},
        {"1,2,3,4,5", {1, 2, 3, 4}},     {"1,2,3,4,", {1, 2, 3, 4}},         {"a1b,2x,3,4", {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        TqvSkinIni ini(std::string("[s]\nr=") + c.value + "\n");
        EXPECT_EQ(IniReadRect(ini, "s", "r"), c.expected) << c.value;
    }
    TqvSkinIni ini("[s]\np=9, 29, 77\n");
    EXPECT_EQ(IniReadPoint(ini, "s", "p"), (POINT{9, 29}));
    EXPECT_EQ(IniReadPoint(ini, "s", "absent"), (POINT{0, 0}));
    EXPECT_EQ(IniReadRect(ini, "nosection", "r"), (RECT{0, 0, 0, 0}));
}

TEST(SkinIniTest, MalformedRectanglesRaiseTheIntegerError) {
    struct Case {
        const char* value;
        const char* message;
    } cases[] = {
        {"", "'' is not a valid integer value"},
        {"1,,3,4", "'' is not a valid integer value"},
        {"1,2,3", "'' is not a valid integer value"},
        {"1,-,3,4", "'' is not a valid integer value"},
        {"1,2,3,99999999999", "'99999999999' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        TqvSkinIni ini(std::string("[s]\nr=") + c.value + "\n");
        try {
            IniReadRect(ini, "s", "r");
            ADD_FAILURE() << "no error for '" << c.value << "'";
        } catch (const vcl::EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.value;
        }
    }
    TqvSkinIni point("[s]\np=7\n");
    EXPECT_THROW(IniReadPoint(point, "s", "p"), vcl::EConvertError);
}

TEST(SkinIniTest, FlagsStylesAndWords) {
    TqvSkinIni ini("[s]\n"
                   "f1=1\nf2=2\nf3=\nf4=$1\n"
                   "st1=fsbold,fsunderline\nst2=FSBOLD\nst3=xfsitalicfsstrikeout\n"
                   "al1=tacenter\nal2=taleftjustify\nal3=tarightjustify\nal4=TACENTER\n"
                   "sk1=stfull\nsk2=stvert\nsk3=sthorz\nsk4=stFull\n"
                   "ie1=ienoise\nie2=weird\nie3=\n"
                   "mk1=mkpush\nmk2=MKPUSH\n"
                   "cm1=cmclose\ncm2=Cmclose\ncm3=cmrollup\n");
    EXPECT_TRUE(IniReadFlag(ini, "s", "f1"));
    EXPECT_FALSE(IniReadFlag(ini, "s", "f2"));
    EXPECT_FALSE(IniReadFlag(ini, "s", "f3"));
    EXPECT_TRUE(IniReadFlag(ini, "s", "f4"));
    EXPECT_FALSE(IniReadFlag(ini, "s", "absent"));

    EXPECT_EQ(IniReadFontStyle(ini, "s", "st1"), vcl::fsBold | vcl::fsUnderline);
    EXPECT_EQ(IniReadFontStyle(ini, "s", "st2"), 0u);
    EXPECT_EQ(IniReadFontStyle(ini, "s", "st3"), vcl::fsItalic | vcl::fsStrikeOut);

    EXPECT_EQ(IniReadAlignment(ini, "s", "al1"), taCenter);
    EXPECT_EQ(IniReadAlignment(ini, "s", "al2"), taLeftJustify);
    EXPECT_EQ(IniReadAlignment(ini, "s", "al3"), taRightJustify);
    EXPECT_EQ(IniReadAlignment(ini, "s", "al4"), taRightJustify);
    EXPECT_EQ(IniReadAlignment(ini, "s", "absent"), taCenter);

    EXPECT_EQ(IniReadStretchType(ini, "s", "sk1"), stFull);
    EXPECT_EQ(IniReadStretchType(ini, "s", "sk2"), stVert);
    EXPECT_EQ(IniReadStretchType(ini, "s", "sk3"), stHorz);
    EXPECT_EQ(IniReadStretchType(ini, "s", "sk4"), stHorz);
    EXPECT_EQ(IniReadStretchType(ini, "s", "absent"), stFull);

    EXPECT_EQ(IniReadInactiveEffect(ini, "s", "ie1"), ieNoise);
    EXPECT_EQ(IniReadInactiveEffect(ini, "s", "ie2"), ieGrayscale);
    EXPECT_EQ(IniReadInactiveEffect(ini, "s", "ie3"), ieGrayscale);
    EXPECT_EQ(IniReadInactiveEffect(ini, "s", "absent"), ieBrightness);

    EXPECT_EQ(IniReadMorphKind(ini, "s", "mk1"), mkPush);
    EXPECT_EQ(IniReadMorphKind(ini, "s", "mk2"), mkDefault);

    EXPECT_EQ(IniReadCommand(ini, "s", "cm1"), cmClose);
    EXPECT_EQ(IniReadCommand(ini, "s", "cm2"), cmMinimizeToTray);
    EXPECT_EQ(IniReadCommand(ini, "s", "cm3"), cmRollUp);
    EXPECT_EQ(IniReadCommand(ini, "s", "absent"), cmDefault);
}

TEST(SkinIniTest, WritersProduceWhatTheReadersRead) {
    TqvSkinIni out;
    IniWriteRect(out, "S", "r", RECT{1, 2, 30, 40});
    IniWritePoint(out, "S", "p", POINT{5, 6});
    IniWriteFlag(out, "S", "f", true);
    IniWriteFontStyle(out, "S", "fs", vcl::fsBold | vcl::fsItalic | vcl::fsStrikeOut);
    IniWriteAlignment(out, "S", "a", taRightJustify);
    IniWriteStretchType(out, "S", "st", stHorz);
    IniWriteInactiveEffect(out, "S", "ie", ieSplitBlur);
    IniWriteMorphKind(out, "S", "mk", mkLeftSlide);
    IniWriteCommand(out, "S", "cm", cmMinimizeToTray);
    IniWriteNumberedList(out, "S", "activepictures", {"a.bmp", "b.bmp"});
    EXPECT_EQ(out.Text(), "[S]\r\nr=1,2,30,40\r\np=5,6\r\nf=1\r\nfs=fsbold,fsitalic,fsstrikeout\r\n"
                          "a=tarightjustify\r\nst=sthorz\r\nie=iesplitblur\r\nmk=mkleftslide\r\n"
                          "cm=cmminimizetotray\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n");

    TqvSkinIni in(out.Text());
    EXPECT_EQ(IniReadRect(in, "S", "r"), (RECT{1, 2, 30, 40}));
    EXPECT_EQ(IniReadFontStyle(in, "S", "fs"), vcl::fsBold | vcl::fsItalic | vcl::fsStrikeOut);
    EXPECT_EQ(IniReadAlignment(in, "S", "a"), taRightJustify);
    EXPECT_EQ(IniReadInactiveEffect(in, "S", "ie"), ieSplitBlur);
    EXPECT_EQ(IniReadMorphKind(in, "S", "mk"), mkLeftSlide);
    EXPECT_EQ(IniReadCommand(in, "S", "cm"), cmMinimizeToTray);
    EXPECT_EQ(IniReadNumberedList(in, "S", "activepictures"), (std::vector<std::string>{"a.bmp", "b.bmp"}));
}

TEST(SkinIniTest, NumberedListsAndPresentIndexes) {
    TqvSkinIni ini("[l]\ncount=4000000000\nitemscount=3\n0=a\n2=c\n07=x\n5=late\n");
    // Missing items read as empty text.
    EXPECT_EQ(IniReadNumberedList(ini, "l", "items"), (std::vector<std::string>{"a", "", "c"}));
    // An out-of-range count reads as 0: no index is present.
    EXPECT_TRUE(IniPresentIndexes(ini, "l", ini.ReadInteger("l", "count", 0)).empty());
    EXPECT_EQ(IniPresentIndexes(ini, "l", 2147483647), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(IniPresentIndexes(ini, "l", 5), (std::vector<int>{0, 2}));
}

TEST(SkinIniTest, AHugeListCountReadsAtMost256Items) {
    TqvSkinIni ini("[l]\nitemscount=2000000000\n0=first\n255=last\n256=beyond\n");
    const std::vector<std::string> items = IniReadNumberedList(ini, "l", "items");
    ASSERT_EQ(items.size(), 256u);
    EXPECT_EQ(items.front(), "first");
    EXPECT_EQ(items.back(), "last");
}
