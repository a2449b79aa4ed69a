// The select-directory dialog run modally on the headless screen over a skinned main form: where
// it opens, its sizes, the ways it ends (OK, Enter, Cancel, Escape, the frame's close button),
// what survives a run, and the tool bar's path field and new-folder button.

#include "skin/shell/qvSkinShellCtrls.h"

#include "ApplicationFixture.h"
#include "EmbeddedSkin.h"
#include "TempFolder.h"
#include "platform/shell/ShellIcons.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvSkinContainer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

using namespace qv;

namespace {

class SelectDirectoryDialogTest : public ApplicationFixture {
protected:
    void SetUp() override {
        ApplicationFixture::SetUp();
        ::setenv("LANG", "C", 1);
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::setenv("HOME", (root / "home").c_str(), 1);
        for (const char* dir : {"home", "logs/W3SVC1", "logs/W3SVC2", "logs/W3SVC3/old", "logs/.hidden"})
            std::filesystem::create_directories(root / dir);

        main = new vcl::TForm(app.get());
        main->SetBounds(100, 100, 500, 400);
        skin = new TqvSkinData(main);
        skin->LoadFromContainer(
            InflateSkinStream(std::span<const std::uint8_t>(kEmbeddedSkin, kEmbeddedSkinSize)));
        dialog = new TqvSkinSelectDirectoryDialog(main);
        dialog->SetSkinData(skin);
        dialog->SetCtrlSkinData(skin);
        main->Show();
        Settle();
    }

    // Runs the dialog; `during` acts once on the shown, settled window and must end the run
    // (by input or by setting a result).
    bool Run(const std::function<void(TqvSelDirDlgForm*)>& during) {
        bool acted = false;
        int idles = 0;
        app->OnIdle = [&](vcl::TObject*, bool&) {
            TqvSelDirDlgForm* form = dialog->DialogForm();
            if (form == nullptr || !form->Visible()) return;
            if (!acted) {
                acted = true;
                during(form);
            } else if (++idles == 5000) {
                ADD_FAILURE() << "the dialog is still open";
                form->SetModalResult(vcl::mrAbort);
            }
        };
        bool result = dialog->Execute();
        app->OnIdle = nullptr;
        EXPECT_TRUE(acted) << "the dialog never showed";
        EXPECT_EQ(dialog->DialogForm(), nullptr);
        return result;
    }
    void ClickControl(vcl::TControl* control) {
        POINT p = ScreenAt(control, control->Width() / 2, control->Height() / 2);
        screen->Click(p.x, p.y);
    }
    static vcl::TTreeNode* Child(vcl::TTreeNode* node, const std::string& text) {
        for (int i = 0; node && i < node->Count(); ++i)
            if (node->Item(i)->Text() == text) return node->Item(i);
        return nullptr;
    }

    TempFolder root;
    vcl::TForm* main = nullptr;
    TqvSkinData* skin = nullptr;
    TqvSkinSelectDirectoryDialog* dialog = nullptr;
};

TEST_F(SelectDirectoryDialogTest, DefaultsAsCreated) {
    TqvSkinSelectDirectoryDialog fresh(nullptr);
    EXPECT_EQ(fresh.Title, "Select folder");
    EXPECT_EQ(fresh.Directory, "");
    EXPECT_EQ(fresh.DialogWidth, 0);
    EXPECT_EQ(fresh.DialogHeight, 0);
    EXPECT_EQ(fresh.AlphaBlendValue, 200);
    EXPECT_FALSE(fresh.ShowToolBar);
    EXPECT_EQ(fresh.DefaultFont()->Name(), "Arial");
    EXPECT_EQ(fresh.DefaultFont()->Height(), 14);
    EXPECT_EQ(fresh.DialogForm(), nullptr);
}

TEST_F(SelectDirectoryDialogTest, OpensOnTheDirectoryOrOnTheComputer) {
    struct Case {
        std::string Directory;
        std::string Selected;
        bool Expanded; // a folder without subfolders has nothing to expand
    } cases[] = {
        {root / "logs/W3SVC3", root / "logs/W3SVC3", true},
        {root / "logs/W3SVC3/", root / "logs/W3SVC3", true},   // as typed, with a separator at the end
        {root / "logs/.hidden", root / "logs/.hidden", false}, // hidden folders are listed
        {"/", "/", true},                                      // the file system's root, under the computer
        {"", "Computer", true},
        {root / "missing", "Computer", true},
        {root / "logs/W3SVC1/../W3SVC2", root / "logs/W3SVC2", false},
    };
    for (const Case& c : cases) {
        dialog->Directory = c.Directory;
        std::string selected, parent;
        bool expanded = false;
        EXPECT_FALSE(Run([&](TqvSelDirDlgForm* form) {
            selected = form->FolderTree->SelectedPath();
            if (form->FolderTree->Selected() && form->FolderTree->Selected()->Parent())
                parent = form->FolderTree->Selected()->Parent()->Text();
            expanded = form->FolderTree->Selected() && form->FolderTree->Selected()->Expanded();
            EXPECT_EQ(form->ActiveControl(), form->FolderTree);
            EXPECT_TRUE(form->FolderTree->Focused());
            screen->Key(VK_ESCAPE);
        })) << c.Directory;
        EXPECT_EQ(selected, c.Selected) << c.Directory;
        EXPECT_EQ(expanded, c.Expanded) << c.Directory;
        if (c.Directory == "/") {
            EXPECT_EQ(parent, "Computer");
        }
        EXPECT_EQ(dialog->Directory, c.Directory) << "a cancelled run keeps the folder";
    }
}

TEST_F(SelectDirectoryDialogTest, ClientSizeFromDialogSizesAndTheFrameMinimum) {
    // Only a loaded skin in SkinData raises the size to the frame's minimum.
    int minWidth = 0, minHeight = 0;
    Run([&](TqvSelDirDlgForm* form) {
        minWidth = form->FormSkin->MinFormWidth();
        minHeight = form->FormSkin->MinFormHeight();
        form->SetModalResult(vcl::mrCancel);
    });
    ASSERT_GT(minWidth, 150);
    ASSERT_LT(minWidth, 280);
    ASSERT_LT(minHeight, 100);
    struct Case {
        int Width, Height;
        bool Skinned;
        int ClientWidth, ClientHeight;
    } cases[] = {
        {0, 0, true, 280, 280},    {-5, 330, true, 280, 330},  {150, 10, true, minWidth, minHeight},
        {150, 10, false, 150, 10}, {420, 360, true, 420, 360},
    };
    for (const Case& c : cases) {
        dialog->DialogWidth = c.Width;
        dialog->DialogHeight = c.Height;
        dialog->SetSkinData(c.Skinned ? skin : nullptr);
        int w = 0, h = 0;
        Run([&](TqvSelDirDlgForm* form) {
            w = form->ClientWidth();
            h = form->ClientHeight();
            screen->Key(VK_ESCAPE);
        });
        EXPECT_EQ(w, c.ClientWidth) << c.Width << " x " << c.Height;
        EXPECT_EQ(h, c.ClientHeight) << c.Width << " x " << c.Height;
        EXPECT_EQ(dialog->DialogWidth, c.ClientWidth);
        EXPECT_EQ(dialog->DialogHeight, c.ClientHeight);
    }
}

TEST_F(SelectDirectoryDialogTest, TheWindowIsSkinnedCentredAndLaidOut) {
    dialog->Title = "选择IIS日志目录";
    dialog->DialogMinWidth = 260;
    dialog->DialogMinHeight = 240;
    dialog->AlphaBlend = true;
    dialog->AlphaBlendValue = 230;
    Run([&](TqvSelDirDlgForm* form) {
        EXPECT_EQ(form->Caption(), "选择IIS日志目录");
        EXPECT_EQ(form->FormSkin->SkinData(), skin);
        EXPECT_EQ(form->FormSkin->MenusSkinData(), skin);
        EXPECT_EQ(form->FormSkin->MinWidth, 260);
        EXPECT_EQ(form->FormSkin->MinHeight, 240);
        EXPECT_TRUE(form->FormSkin->AlphaBlend());
        EXPECT_EQ(form->FormSkin->AlphaBlendValue(), 230);
        EXPECT_TRUE(form->KeyPreview());
        EXPECT_TRUE(form->FormSkin->SkinInUse());
        // Only the close button is left on the frame.
        int visibleButtons = 0;
        for (const auto& object : form->FormSkin->SkinObjects) {
            auto* button = dynamic_cast<TqvSkinStdButtonObject*>(object.get());
            if (button && button->Shown) {
                ++visibleButtons;
                EXPECT_EQ(button->command, cmClose);
            }
        }
        EXPECT_EQ(visibleButtons, 1);
        // Centred on the screen (1280 x 1024).
        RECT r;
        GetWindowRect(form->Handle(), &r);
        EXPECT_NEAR((r.left + r.right) / 2, 640, 1);
        EXPECT_NEAR((r.top + r.bottom) / 2, 512, 1);
        // The button row below the tree; OK and Cancel at their places, skinned.
        EXPECT_EQ(form->ButtonPanel->Height(), 50);
        EXPECT_EQ(form->ButtonPanel->Top() + 50, form->ClientHeight());
        EXPECT_EQ(form->OKButton->Left(), 20);
        EXPECT_EQ(form->CancelButton->Left(), 100);
        EXPECT_EQ(form->OKButton->Caption(), "OK");
        EXPECT_EQ(form->CancelButton->Caption(), "Cancel");
        EXPECT_GE(form->OKButton->SkinRecordIndex(), 0);
        EXPECT_TRUE(form->OKButton->ActiveDefault() || form->OKButton->Default());
        EXPECT_EQ(form->MainPanel->Height(), form->ClientHeight() - 50);
        EXPECT_EQ(form->TreeVScrollBar->Kind(), sbVertical);
        EXPECT_EQ(form->FolderTree->Parent(), form->MainPanel);
        EXPECT_EQ(form->ToolPanel, nullptr);
        EXPECT_FALSE(IsWindowEnabled(main->Handle())) << "the main window waits";
        screen->Key(VK_ESCAPE);
    });
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

TEST_F(SelectDirectoryDialogTest, EachWayOfEndingTheRun) {
    enum Way { OkClick, EnterKey, CancelClick, EscapeKey, CloseButton };
    struct Case {
        Way How;
        bool Accepted;
    } cases[] = {
        {OkClick, true}, {EnterKey, true}, {CancelClick, false}, {EscapeKey, false}, {CloseButton, false}};
    for (const Case& c : cases) {
        dialog->Directory = root / "logs/W3SVC1";
        bool result = Run([&](TqvSelDirDlgForm* form) {
            // Move to the next folder with the keyboard first.
            screen->Key(VK_DOWN);
            switch (c.How) {
            case OkClick: ClickControl(form->OKButton); break;
            case EnterKey: screen->Key(VK_RETURN); break;
            case CancelClick: ClickControl(form->CancelButton); break;
            case EscapeKey: screen->Key(VK_ESCAPE); break;
            case CloseButton:
                for (const auto& object : form->FormSkin->SkinObjects)
                    if (auto* button = dynamic_cast<TqvSkinStdButtonObject*>(object.get());
                        button && button->command == cmClose) {
                        RECT w;
                        GetWindowRect(form->Handle(), &w);
                        screen->Click(w.left + (button->ObjectRect.left + button->ObjectRect.right) / 2,
                                      w.top + (button->ObjectRect.top + button->ObjectRect.bottom) / 2);
                    }
                break;
            }
        });
        EXPECT_EQ(result, c.Accepted) << int(c.How);
        EXPECT_EQ(dialog->Directory, c.Accepted ? root / "logs/W3SVC2" : root / "logs/W3SVC1") << int(c.How);
    }
}

TEST_F(SelectDirectoryDialogTest, CancelStoresTheSizeTheNextRunOpensAt) {
    dialog->Directory = root / "logs";
    EXPECT_FALSE(Run([&](TqvSelDirDlgForm* form) {
        form->FolderTree->SetPath(root / "logs/W3SVC2");
        form->SetClientSize(333, 311);
        ClickControl(form->CancelButton);
    }));
    EXPECT_EQ(dialog->Directory, root / "logs");
    EXPECT_EQ(dialog->DialogWidth, 333);
    EXPECT_EQ(dialog->DialogHeight, 311);
    int w = 0, h = 0;
    Run([&](TqvSelDirDlgForm* form) {
        w = form->ClientWidth();
        h = form->ClientHeight();
        EXPECT_EQ(form->CancelButton->Top(), 15) << "the buttons stay in their row";
        screen->Key(VK_ESCAPE);
    });
    EXPECT_EQ(w, 333);
    EXPECT_EQ(h, 311);
}

TEST_F(SelectDirectoryDialogTest, AcceptingAVirtualItemOrNothing) {
    dialog->Directory = "";
    EXPECT_TRUE(Run([&](TqvSelDirDlgForm*) { screen->Key(VK_RETURN); }));
    EXPECT_EQ(dialog->Directory, "Computer") << "the computer's display name, not a path";

    dialog->Directory = root / "logs";
    EXPECT_TRUE(Run([&](TqvSelDirDlgForm* form) {
        form->FolderTree->SetSelected(nullptr);
        ClickControl(form->OKButton);
    }));
    EXPECT_EQ(dialog->Directory, "");
}

TEST_F(SelectDirectoryDialogTest, ShowAndCloseEventsFrameEveryRunAndTheWindowIsGone) {
    std::vector<std::string> log;
    dialog->OnShow = [&](vcl::TObject* sender) {
        EXPECT_EQ(sender, dialog);
        log.push_back(dialog->DialogForm() ? "show with window" : "show");
    };
    dialog->OnClose = [&](vcl::TObject*) {
        log.push_back(dialog->DialogForm() ? "close with window" : "close");
    };
    int formsDuring = 0;
    Run([&](TqvSelDirDlgForm*) {
        formsDuring = vcl::Screen->FormCount();
        screen->Key(VK_ESCAPE);
    });
    EXPECT_EQ(log, (std::vector<std::string>{"show", "close with window"}));
    EXPECT_EQ(formsDuring, 2);
    EXPECT_EQ(vcl::Screen->FormCount(), 1);
}

TEST_F(SelectDirectoryDialogTest, ARemovedSkinIsForgotten) {
    auto* other = new TqvSkinData(main);
    dialog->SetSkinData(other);
    dialog->SetCtrlSkinData(other);
    delete other;
    EXPECT_EQ(dialog->SkinData(), nullptr);
    EXPECT_EQ(dialog->CtrlSkinData(), nullptr);
    // It still runs, in the plain look.
    dialog->Directory = root / "logs";
    EXPECT_TRUE(Run([&](TqvSelDirDlgForm* form) {
        EXPECT_EQ(form->ClientWidth(), 280);
        EXPECT_EQ(form->OKButton->SkinRecordIndex(), -1);
        screen->Key(VK_RETURN);
    }));
    EXPECT_EQ(dialog->Directory, root / "logs");
}

TEST_F(SelectDirectoryDialogTest, TextsComeFromTheSkinsResourceStrings) {
    auto* strings = new TqvResourceStrData(main);
    strings->ResStrings().Clear();
    for (const char* line : {"MSG_BTN_OK=确定", "MSG_BTN_CANCEL=取消", "MSG_BTN_NEWFOLDER_HINT=新建文件夹",
                             "MSG_NEWFOLDER=新文件夹"})
        strings->ResStrings().Add(line);
    skin->SetResourceStrData(strings);
    dialog->ShowToolBar = true;
    dialog->Directory = root / "logs";
    Run([&](TqvSelDirDlgForm* form) {
        EXPECT_EQ(form->OKButton->Caption(), "确定");
        EXPECT_EQ(form->CancelButton->Caption(), "取消");
        EXPECT_EQ(form->NewFolderButton->Hint(), "新建文件夹");
        ClickControl(form->NewFolderButton);
        screen->Key(VK_ESCAPE);
    });
    EXPECT_TRUE(std::filesystem::is_directory(root / "logs/新文件夹"));
}

TEST_F(SelectDirectoryDialogTest, ToolBarLayoutAndPathField) {
    dialog->ShowToolBar = true;
    dialog->ToolButtonsTransparent = true;
    dialog->Directory = root / "logs/W3SVC1";
    std::string shown, afterEnter;
    bool stillOpen = false;
    EXPECT_TRUE(Run([&](TqvSelDirDlgForm* form) {
        // The tool bar is at the top, the button at its right end with the spacer before it and
        // the path field filling the rest.
        EXPECT_EQ(form->ToolPanel->Top(), 0);
        EXPECT_EQ(form->MainPanel->Top(), form->ToolPanel->Height());
        EXPECT_EQ(form->NewFolderButton->Left() + form->NewFolderButton->Width(),
                  form->ToolPanel->ClientWidth());
        EXPECT_EQ(form->ToolSpacer->Left() + 5, form->NewFolderButton->Left());
        EXPECT_EQ(form->PathEdit->Left() + form->PathEdit->Width(), form->ToolSpacer->Left());
        EXPECT_TRUE(form->NewFolderButton->Flat());
        EXPECT_EQ(form->NewFolderButton->Hint(), "Create New Folder");
        EXPECT_FALSE(form->NewFolderButton->CanFocused());
        EXPECT_GE(form->PathEdit->SkinRecordIndex(), 0);
        shown = form->PathEdit->Text();
        // A typed folder and Enter select it in the tree and leave the dialog open.
        form->PathEdit->InnerEdit()->SetFocus();
        form->PathEdit->SetText(root / "logs/W3SVC3/old");
        screen->Key(VK_RETURN);
        app->ProcessMessages();
        stillOpen = form->Visible() && form->ModalResult() == vcl::mrNone;
        afterEnter = form->FolderTree->SelectedPath();
        // Text that names no folder changes nothing.
        form->PathEdit->SetText(root / "nowhere");
        screen->Key(VK_RETURN);
        app->ProcessMessages();
        EXPECT_EQ(form->FolderTree->SelectedPath(), root / "logs/W3SVC3/old");
        // Selecting a node shows its path.
        form->FolderTree->SetPath(root / "logs/W3SVC2");
        EXPECT_EQ(form->PathEdit->Text(), root / "logs/W3SVC2");
        ClickControl(form->OKButton);
    }));
    EXPECT_EQ(shown, root / "logs/W3SVC1");
    EXPECT_TRUE(stillOpen) << "Enter in the path field does not press OK";
    EXPECT_EQ(afterEnter, root / "logs/W3SVC3/old");
    EXPECT_EQ(dialog->Directory, root / "logs/W3SVC2");
}

TEST_F(SelectDirectoryDialogTest, NewFolderIsMadeOnceUnderAFileSystemFolder) {
    dialog->ShowToolBar = true;
    dialog->Directory = root / "logs/W3SVC2";
    int children = -1;
    std::string selected;
    Run([&](TqvSelDirDlgForm* form) {
        ClickControl(form->NewFolderButton);
        app->ProcessMessages();
        ClickControl(form->NewFolderButton); // already there: nothing more
        app->ProcessMessages();
        vcl::TTreeNode* node = form->FolderTree->Selected();
        selected = form->FolderTree->SelectedPath();
        children = node ? node->Count() : -1;
        EXPECT_NE(Child(node, "New Folder"), nullptr);
        EXPECT_TRUE(node && node->Expanded());
        // The computer is no folder of the file system: nothing is made under it.
        form->FolderTree->SelectMyComputer();
        ClickControl(form->NewFolderButton);
        app->ProcessMessages();
        screen->Key(VK_ESCAPE);
    });
    EXPECT_EQ(selected, root / "logs/W3SVC2");
    EXPECT_EQ(children, 1);
    EXPECT_TRUE(std::filesystem::is_directory(root / "logs/W3SVC2/New Folder"));
    std::size_t entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(root / "logs/W3SVC2"))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST_F(SelectDirectoryDialogTest, AFolderThatCannotBeMadeIsReportedAndNotShown) {
    // A file of that name is in the way (and no folder is numbered around it).
    root.Write("logs/W3SVC1/New Folder", "x");
    dialog->ShowToolBar = true;
    dialog->Directory = root / "logs/W3SVC1";
    std::string error;
    int children = -1;
    Run([&](TqvSelDirDlgForm* form) {
        try {
            form->NewFolderClick();
        } catch (const vcl::EInOutError& e) {
            error = e.what();
        }
        children = form->FolderTree->Selected()->Count();
        screen->Key(VK_ESCAPE);
    });
    EXPECT_EQ(error, "File exists");
    EXPECT_EQ(children, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(root / "logs/W3SVC1/New Folder"));
}

TEST_F(SelectDirectoryDialogTest, AFlatToolButtonShowsItsFaceOnlyUnderTheMouse) {
    dialog->ShowToolBar = true;
    dialog->ToolButtonsTransparent = true;
    dialog->Directory = root / "logs";
    Run([&](TqvSelDirDlgForm* form) {
        TqvSkinSpeedButton* button = form->NewFolderButton;
        auto at = [&](vcl::TControl* c, int x, int y) {
            POINT p = ScreenAt(c, x, y);
            return screen->ReadScreen().GetPixel(p.x, p.y);
        };
        // Resting: the tool bar shows through around the glyph, which sits centred.
        const gfx::Pixel panel = at(form->ToolSpacer, 2, 2);
        EXPECT_EQ(at(button, 1, 1), panel);
        EXPECT_EQ(at(button, button->Width() - 2, button->Height() - 2), panel);
        const int gx = (button->Width() - 16) / 2, gy = (button->Height() - 16) / 2;
        EXPECT_EQ(at(button, gx + 11, gy + 1), 0x2E9E48u) << "the plus of the glyph";
        // Under the mouse: the skin's hot face.
        MoveTo(button, button->Width() / 2, button->Height() / 2);
        EXPECT_TRUE(button->MouseInside());
        EXPECT_NE(at(button, 1, 1), panel);
        EXPECT_EQ(at(button, gx + 11, gy + 1), 0x2E9E48u);
        screen->Key(VK_ESCAPE);
    });
}

TEST(NewFolderGlyph, AFolderWithAPlusOnAKeyColour) {
    gfx::Bitmap glyph = NewFolderGlyph();
    ASSERT_EQ(glyph.Width(), 16);
    ASSERT_EQ(glyph.Height(), 16);
    const gfx::Pixel key = glyph.GetPixel(0, 15);
    int keyed = 0, plus = 0, folder = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            gfx::Pixel p = glyph.GetPixel(x, y);
            keyed += p == key;
            plus += p == 0x2E9E48;
            folder += p == (kShellIconPixels[kIconFolder][y * 16 + x] & 0xFFFFFF) && p != key;
        }
    EXPECT_EQ(glyph.GetPixel(11, 0), 0x2E9E48u);
    EXPECT_EQ(plus, 20);
    EXPECT_GT(folder, 100);
    EXPECT_GT(keyed, 30);
}

} // namespace
