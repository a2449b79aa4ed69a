#include "framework/Edit.h"
#include "ApplicationFixture.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

using namespace vcl;

class EditTest : public ApplicationFixture {};

TEST_F(EditTest, EditTextSelectionAndChangeEvent) {
    auto* form = new TForm(app.get());
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetText("C:/logs");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    EXPECT_EQ(edit->GetText(), "C:/logs");
    edit->SetFocus();
    screen->Key(VK_END);
    screen->Text("/w3svc");
    app->ProcessMessages();
    EXPECT_EQ(edit->GetText(), "C:/logs/w3svc");
    EXPECT_EQ(changes, 6);
    edit->SetSelStart(0);
    edit->SetSelLength(2);
    EXPECT_EQ(edit->SelText(), "C:");
    edit->SetSelText("D:");
    EXPECT_EQ(edit->GetText(), "D:/logs/w3svc");
    EXPECT_TRUE(edit->CanUndo());
    edit->Undo();
    EXPECT_EQ(edit->GetText(), "C:/logs/w3svc");
    edit->SetReadOnly(true);
    screen->Text("x");
    app->ProcessMessages();
    EXPECT_EQ(edit->GetText(), "C:/logs/w3svc");
}

TEST_F(EditTest, MemoLinesBeforeAndAfterTheWindow) {
    auto* form = new TForm(app.get());
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 200, 60);
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    form->Show();
    HWND h = memo->Handle();
    EXPECT_EQ(SendMessage(h, EM_GETLINECOUNT, 0, 0), 2);
    memo->Lines()->Insert(1, "middle");
    EXPECT_EQ(memo->Lines()->Get(1), "middle");
    EXPECT_EQ(memo->GetText(), "first\r\nmiddle\r\nsecond");
    for (int i = 0; i < 10; ++i)
        memo->Lines()->Add("more " + std::to_string(i));
    int min = 0, max = 0;
    GetScrollRange(h, SB_VERT, &min, &max);
    EXPECT_EQ(max, 12);
    SendMessage(h, WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, 4), 0);
    EXPECT_EQ(SendMessage(h, EM_GETFIRSTVISIBLELINE, 0, 0), 4);
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(EditTest, MemoLinesKeepAnEmptyLastLine) {
    auto* form = new TForm(app.get());
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    struct Case {
        std::vector<std::string> Lines;
        std::string Text;
    } cases[] = {
        {{"a", ""}, "a\r\n\r\n"},
        {{""}, "\r\n"},
        {{"a", "", "b"}, "a\r\n\r\nb"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        TStringList source;
        for (const std::string& line : c.Lines)
            source.Add(line);
        memo->SetLines(&source);
        EXPECT_EQ(memo->GetText(), c.Text);
        std::vector<std::string> back;
        for (int i = 0; i < memo->Lines()->Count(); ++i)
            back.push_back(memo->Lines()->Get(i));
        EXPECT_EQ(back, c.Lines) << c.Text;
        EXPECT_EQ(memo->LineTexts(), c.Lines) << c.Text;
        // Line by line gives the same text.
        memo->Lines()->Clear();
        for (const std::string& line : c.Lines)
            memo->Lines()->Add(line);
        EXPECT_EQ(memo->GetText(), c.Text);
    }
}

TEST_F(EditTest, BorderStyleNoneDropsTheClientEdge) {
    auto* form = new TForm(app.get());
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    form->Show();
    EXPECT_TRUE(GetWindowLongPtr(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    edit->SetText("kept");
    edit->SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_FALSE(GetWindowLongPtr(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(edit->GetText(), "kept");
}
