#include "framework/StringList.h"
#include "framework/Stream.h"
#include "framework/TextUtils.h"
#include "platform/fs/FileError.h"

#include "SystemFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace vcl;

TEST(StringList, LoadFollowsTheTextFileRules) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}}, // LF then CR is two breaks
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\r\nb\0c\r\nd", {"a", "b"}}, // the text ends at the first NUL
        {std::string("x\0y", 3), {"x"}},
        {"C:\\logs\\W3SVC1\xE6\x97\xA5\r\n", {"C:\\logs\\W3SVC1\xE6\x97\xA5"}},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        TStringList list;
        list.Add("stale");
        list.LoadFromFile(dir.Write("in.txt", c.bytes));
        ASSERT_EQ(list.Count(), int(c.lines.size()));
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_EQ(list[i], c.lines[std::size_t(i)]);
        }
    }
}

TEST(StringList, SaveWritesCrLfAfterEveryLine) {
    TempFolder dir;
    TStringList list;
    list.Add("D:\\a");
    list.Add("");
    list.Add("b");
    list.SaveToFile(dir / "out.txt");
    EXPECT_EQ(dir.Read("out.txt"), "D:\\a\r\n\r\nb\r\n");
    list.Clear();
    list.SaveToFile(dir / "out.txt");
    EXPECT_EQ(dir.Read("out.txt"), "");
}

TEST(StringList, FileErrorsQuoteTheFullPathAndTheSystemText) {
    TempFolder temp;
    std::filesystem::path dir = temp.Path();
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    TStringList list;
    try {
        list.LoadFromFile("missing.txt");
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + NativePath(temp / "missing.txt") + "\". " +
                                             fs::SystemErrorText(SystemError::kNoFile));
    }
    try {
        list.SaveToFile("no/such/dir/out.txt");
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + NativePath(temp / "no/such/dir/out.txt") +
                                             "\". " + fs::SystemErrorText(SystemError::kNoFolder));
    }
    // A folder cannot be opened as a text file either.
    EXPECT_THROW(list.LoadFromFile(dir.string()), EFOpenError);
    std::filesystem::current_path(cwd);
}

TEST(StringList, IndexOfIgnoresCaseIncludingBeyondAscii) {
    TStringList list;
    list.Add("C:\\Logs");
    list.Add("d:\\ÄÖ\\Лог");
    EXPECT_EQ(list.IndexOf("c:\\LOGS"), 0);
    EXPECT_EQ(list.IndexOf("D:\\äö\\лОГ"), 1);
    EXPECT_EQ(list.IndexOf("C:\\Logs2"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
}

TEST(StringList, EditingAndBounds) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("b");
    list.Insert(0, "a");
    list.Add("c");
    list.Delete(1);
    EXPECT_EQ(list.Text(), "a\r\nc\r\n");
    EXPECT_EQ(changes, 4);
    EXPECT_THROW(list.Delete(2), EStringListError);
    EXPECT_THROW(list.Insert(3, "x"), EStringListError);
    EXPECT_THROW(list.Get(-1), EStringListError);
    list.BeginUpdate();
    list.SetText("k=v\r\nname=a=b");
    list.EndUpdate();
    EXPECT_EQ(changes, 5); // one change for the whole update
    EXPECT_EQ(list.Values("NAME"), "a=b");
    EXPECT_EQ(list.Names(0), "k");
    list.SetSorted(true);
    list.Add("a");
    EXPECT_EQ(list[0], "a");
}

TEST(TextUtils, PathPartsAndConversions) {
    EXPECT_EQ(ExtractFilePath("/opt/iislog/iislog"), "/opt/iislog/");
    EXPECT_EQ(ExtractFileName("/opt/iislog/DefaultDir.txt"), "DefaultDir.txt");
    EXPECT_EQ(ExtractFilePath("name"), "");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/logs"), "/logs/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/logs/"), "/logs/");
    EXPECT_EQ(StrToInt(" -42 "), -42);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_THROW(StrToInt("12a"), EConvertError);
    EXPECT_EQ(StrToIntDef("", 7), 7);
    EXPECT_EQ(UpperCase("abc\xc3\xa4"), "ABC\xc3\x84");
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    // A malformed byte compares as itself instead of swallowing what follows.
    EXPECT_FALSE(SameText("a\xff", "a\xfe"));
    // An overlong form of "A" is not "a": lookups must not match disguised text.
    EXPECT_FALSE(SameText("\xE0\x81\x81", "a"));
}
