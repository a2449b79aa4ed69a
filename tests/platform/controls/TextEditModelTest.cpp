#include "platform/controls/TextEditModel.h"

#include <gtest/gtest.h>

using namespace controls;

TEST(TextEditModel, CaretMovesByCodePointAndNeverSplitsUtf8) {
    TextEditModel m;
    m.SetText("a\xE4\xB8\xAD\xF0\x9F\x98\x80"
              "b"); // a, U+4E2D, U+1F600, b
    EXPECT_EQ(m.Length(), 4u);
    m.MoveCaret(CaretMotion::DocEnd, false);
    m.MoveCaret(CaretMotion::Left, false);
    m.MoveCaret(CaretMotion::Left, true);
    EXPECT_EQ(m.SelectedText(), U"\U0001F600");
    EXPECT_TRUE(m.Backspace());
    EXPECT_EQ(m.Text(), "a\xE4\xB8\xAD"
                        "b");
    EXPECT_EQ(m.Caret(), 2u);
}

TEST(TextEditModel, SetSelFollowsTheWindowsRules) {
    TextEditModel m;
    m.SetText("hello world");
    m.SetSelection(0, -1);
    EXPECT_EQ(m.SelEnd(), 11u);
    m.SetSelection(6, 100);
    EXPECT_EQ(m.SelectedText(), U"world");
    m.SetSelection(8, 2); // reversed: caret at 2, anchor at 8
    EXPECT_EQ(m.SelStart(), 2u);
    EXPECT_EQ(m.Caret(), 2u);
    m.SetSelection(-1, 0);
    EXPECT_FALSE(m.HasSelection());
    EXPECT_EQ(m.Caret(), 2u);
}

TEST(TextEditModel, TypingIsOneUndoStepAndUndoTwiceRedoes) {
    TextEditModel m;
    m.SetText("x");
    m.MoveCaret(CaretMotion::DocEnd, false);
    for (char32_t c : std::u32string(U"abc"))
        m.TypeChar(c);
    EXPECT_EQ(m.Text(), "xabc");
    ASSERT_TRUE(m.CanUndo());
    m.Undo();
    EXPECT_EQ(m.Text(), "x");
    m.Undo();
    EXPECT_EQ(m.Text(), "xabc");
    // A caret move ends the typing run, so the next character starts a new step.
    m.MoveCaret(CaretMotion::DocStart, false);
    m.TypeChar('>');
    m.Undo();
    EXPECT_EQ(m.Text(), "xabc");
}

TEST(TextEditModel, LimitAndSingleLineCutInsertedText) {
    TextEditModel m;
    m.SetLimit(5);
    m.ReplaceSelection(U"abcdefgh");
    EXPECT_EQ(m.Text(), "abcde");
    EXPECT_FALSE(m.TypeChar('z'));
    m.SetLimit(0);
    m.ReplaceSelection(U"12\r\n34");
    EXPECT_EQ(m.Text(), "abcde12");
    m.SetText("one\r\ntwo");
    EXPECT_EQ(m.Text(), "one");
}

TEST(TextEditModel, MultiLineLinesTreatCrLfAsOneBreak) {
    TextEditModel m(true);
    m.SetText("first\r\nsecond line\r\n\r\nlast");
    EXPECT_EQ(m.LineCount(), 4);
    EXPECT_EQ(m.LineIndex(1), 7);
    EXPECT_EQ(m.LineLength(1), 11);
    EXPECT_EQ(m.LineLength(2), 0);
    EXPECT_EQ(m.LineIndex(4), -1);
    EXPECT_EQ(m.LineFromChar(7), 1);
    EXPECT_EQ(m.LineFromChar(6), 0); // between CR and LF still belongs to the first line
    EXPECT_EQ(m.LineText(3), U"last");
    // Right from the end of line 0 crosses CR LF in one step.
    m.SetSelection(5, 5);
    m.MoveCaret(CaretMotion::Right, false);
    EXPECT_EQ(m.Caret(), 7u);
    m.MoveCaret(CaretMotion::Left, false);
    EXPECT_EQ(m.Caret(), 5u);
    // Down keeps the column, clamped to shorter lines.
    m.SetSelection(10, 10);
    m.MoveCaret(CaretMotion::LineDown, false);
    EXPECT_EQ(m.Caret(), 20u);
    m.MoveCaret(CaretMotion::LineDown, false);
    EXPECT_EQ(m.LineFromChar(m.Caret()), 3);
    m.MoveCaret(CaretMotion::LineEnd, true);
    EXPECT_EQ(m.SelectedText(), U"last");
    m.TypeChar('\n');
    EXPECT_EQ(m.LineCount(), 5);
}

TEST(TextEditModel, WordMotion) {
    TextEditModel m;
    m.SetText("alpha  beta gamma");
    m.MoveCaret(CaretMotion::WordRight, false);
    EXPECT_EQ(m.Caret(), 7u);
    m.MoveCaret(CaretMotion::WordRight, true);
    EXPECT_EQ(m.SelectedText(), U"beta ");
    m.MoveCaret(CaretMotion::DocEnd, false);
    m.MoveCaret(CaretMotion::WordLeft, false);
    EXPECT_EQ(m.Caret(), 12u);
}

// Ctrl+Backspace: blanks and punctuation end a word, so a path loses one folder name at a time.
TEST(TextEditModel, DeleteWordBackTakesTheWordBeforeTheCaret) {
    struct Case {
        const char* text;
        long caret;
        const char* after;
        size_t caretAfter;
    };
    // clang-format off
    const Case cases[] = {
        {"abc def", 7, "abc ", 4},
        {"abc def  ", 9, "abc ", 4},           // the blanks after the word go with it
        {"D:\\logs\\W3SVC1", 14, "D:\\logs\\", 8},
        {"D:\\logs\\", 8, "D:\\", 3},
        {"abc def", 6, "abc f", 4},            // from inside a word: its start
        {"\xE6\x97\xA5\xE5\xBF\x97 x", 3, "x", 0}, // CJK letters are word characters: "日志 x"
        {"a\r\nb", 3, "b", 0},                 // a line break is a blank
    };
    // clang-format on
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        TextEditModel m(true);
        m.SetText(k.text);
        m.SetSelection(k.caret, k.caret);
        EXPECT_TRUE(m.DeleteWordBack());
        EXPECT_EQ(m.Text(), k.after);
        EXPECT_EQ(m.Caret(), k.caretAfter);
        EXPECT_TRUE(m.Undo());
        EXPECT_EQ(m.Text(), k.text);
    }
    TextEditModel m;
    m.SetText("abc def");
    m.SetSelection(0, 0);
    EXPECT_FALSE(m.DeleteWordBack()); // nothing before the caret
    m.SetSelection(1, 6);
    EXPECT_TRUE(m.DeleteWordBack()); // a selection goes, and only it
    EXPECT_EQ(m.Text(), "af");
}
