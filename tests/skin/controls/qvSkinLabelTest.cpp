#include "skin/controls/qvSkinCtrls.h"
#include "skin/controls/qvSkinExCtrls.h"

#include "ControlsFixture.h"
#include "framework/Canvas.h"

using namespace qv;

namespace {

using SkinLabel = ControlsFixture;

// The colours the label's pixels take on its form (the form's background excluded).
std::vector<COLORREF> Ink(ControlsFixture& t, vcl::TControl* label, COLORREF background) {
    std::vector<COLORREF> out;
    const gfx::Bitmap screen = t.ScreenShot();
    const POINT o = label->ClientToScreen(POINT{0, 0});
    for (int y = 0; y < label->Height(); ++y) {
        for (int x = 0; x < label->Width(); ++x) {
            COLORREF c = screen.GetColor(o.x + x, o.y + y);
            if (c != background) {
                out.push_back(c);
            }
        }
    }
    return out;
}

bool Contains(const std::vector<COLORREF>& v, COLORREF c) {
    return std::find(v.begin(), v.end(), c) != v.end();
}

} // namespace

TEST_F(SkinLabel, StandardLabelTakesTheRecordsFontAndColour) {
    TqvSkinData* skin = EmbeddedSkin();
    auto* label = new TqvSkinStdLabel(form);
    label->SetParent(form);
    label->DefaultFont()->SetName("DejaVu Serif");
    label->DefaultFont()->SetHeight(30);
    label->DefaultFont()->SetColor(vcl::clRed);
    label->SetSkinData(skin);
    label->SetCaption("Choose the folder of the IIS logs");
    label->SetLeft(10);
    Show();
    EXPECT_EQ(label->fontcolor, 3352351);
    EXPECT_LT(label->Height(), 20); // Arial 14, not the 30-pixel default font
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    std::vector<COLORREF> ink = Ink(*this, label, face);
    EXPECT_TRUE(Contains(ink, COLORREF(3352351)));
    EXPECT_FALSE(Contains(ink, RGB(255, 0, 0)));

    // Disabled: the text twice, one pixel apart, in the skin's highlight and shadow colours.
    label->SetEnabled(false);
    UpdateWindow(form->Handle());
    ink = Ink(*this, label, face);
    EXPECT_TRUE(Contains(ink, COLORREF(skin->Colors.cbtnshadow)));
    EXPECT_TRUE(Contains(ink, COLORREF(skin->Colors.cbtnhighlight)));
}

TEST_F(SkinLabel, EmptyLabelMeasuresOneLine) {
    auto* label = new TqvSkinStdLabel(form);
    label->SetParent(form);
    label->SetCaption("Text");
    const int oneLine = label->Height();
    label->SetCaption("");
    EXPECT_EQ(label->Height(), oneLine);
    EXPECT_GT(oneLine, 0);
}

TEST_F(SkinLabel, LinkTurnsActiveUnderTheMouseAndOpensItsUrlAfterOnClick) {
    TqvSkinData* skin = EmbeddedSkin();
    auto* link = new TqvSkinLinkLabel(form);
    link->SetParent(form);
    link->SetSkinData(skin);
    link->SetCaption("www.example.com");
    link->SetLeft(20);
    link->SetTop(40);
    link->SetURL("http://www.example.com/");
    std::vector<std::string> events;
    link->OnClick = [&](vcl::TObject*) { events.push_back("click"); };
    link->URLOpener = [&](const std::string& url) { events.push_back("open " + url); };
    Show();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    std::vector<COLORREF> ink = Ink(*this, link, face);
    EXPECT_TRUE(Contains(ink, COLORREF(3352351)));
    // The underline is a full row of the font colour under the text.
    int fullRows = 0;
    const gfx::Bitmap shot = ScreenShot();
    const POINT o = link->ClientToScreen(POINT{0, 0});
    for (int y = 0; y < link->Height(); ++y) {
        int n = 0;
        for (int x = 0; x < link->Width(); ++x) {
            n += shot.GetColor(o.x + x, o.y + y) == COLORREF(3352351);
        }
        fullRows += n >= link->Width() - 1;
    }
    EXPECT_GE(fullRows, 1);

    MoveTo(link, 5, 5);
    UpdateWindow(form->Handle());
    EXPECT_TRUE(link->MouseIn());
    ink = Ink(*this, link, face);
    EXPECT_TRUE(Contains(ink, COLORREF(13668176)));
    EXPECT_FALSE(Contains(ink, COLORREF(3352351)));

    Press(link, 5, 5);
    Release();
    EXPECT_EQ(events, (std::vector<std::string>{"click", "open http://www.example.com/"}));
    MoveTo(link, 300, 200);
    EXPECT_FALSE(link->MouseIn());

    link->SetURL("");
    Press(link, 5, 5);
    Release();
    EXPECT_EQ(events.size(), 3u); // a click, nothing opened
}
