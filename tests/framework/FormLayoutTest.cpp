#include "ApplicationFixture.h"
#include "framework/Forms.h"
#include "framework/Label.h"

#include <gtest/gtest.h>

using namespace vcl;

class FormLayoutTest : public ApplicationFixture {};

namespace {

// The main window's layout: a top panel, the report list filling the rest, a horizontal bar and
// the gauge at the bottom, a vertical bar at the right; each created with its design bounds and
// in the order of the window's description.
struct MainLayout {
    TForm* form;
    TPanel* panel;
    TCustomControl* list;
    TCustomControl* hbar;
    TCustomControl* vbar;
    TCustomControl* gauge;

    explicit MainLayout(TComponent* owner) {
        form = new TForm(owner);
        TFormLoader load(form);
        form->SetClientSize(754, 573);
        panel = load.Create<TPanel>("qvpanel1");
        panel->SetParent(form);
        panel->SetBounds(0, 0, 754, 57);
        panel->SetAlign(alTop);
        list = Make(load, "lv1", 0, 57, 735, 477, alClient);
        hbar = Make(load, "qvknscrlbr1", 0, 534, 754, 19, alBottom);
        vbar = Make(load, "qvknscrlbr2", 735, 57, 19, 477, alRight);
        gauge = Make(load, "qvkng1", 0, 553, 754, 20, alBottom);
        load.Finish();
    }

    TCustomControl* Make(TFormLoader& load, const char* name, int l, int t, int w, int h, TAlign align) {
        auto* c = load.Create<TCustomControl>(name);
        c->SetParent(form);
        c->SetBounds(l, t, w, h);
        c->SetAlign(align);
        return c;
    }
};

} // namespace

TEST_F(FormLayoutTest, MainWindowLayoutAlignsInTheFrameworksOrder) {
    MainLayout m(app.get());
    EXPECT_EQ(m.form->ClientRect(), (RECT{0, 0, 754, 573}));
    EXPECT_EQ(m.panel->BoundsRect(), (RECT{0, 0, 754, 57}));
    EXPECT_EQ(m.gauge->BoundsRect(), (RECT{0, 553, 754, 573}));
    EXPECT_EQ(m.hbar->BoundsRect(), (RECT{0, 534, 754, 553}));
    EXPECT_EQ(m.vbar->BoundsRect(), (RECT{735, 57, 754, 534}));
    EXPECT_EQ(m.list->BoundsRect(), (RECT{0, 57, 735, 534}));
}

TEST_F(FormLayoutTest, HidingABarRealignsAndShowingItRestoresTheLayout) {
    MainLayout m(app.get());
    m.hbar->Hide();
    EXPECT_EQ(m.gauge->BoundsRect(), (RECT{0, 553, 754, 573}));
    EXPECT_EQ(m.vbar->BoundsRect(), (RECT{735, 57, 754, 553}));
    EXPECT_EQ(m.list->BoundsRect(), (RECT{0, 57, 735, 553}));
    m.vbar->Hide();
    EXPECT_EQ(m.list->BoundsRect(), (RECT{0, 57, 754, 553}));
    m.hbar->Show();
    m.vbar->Show();
    EXPECT_EQ(m.hbar->BoundsRect(), (RECT{0, 534, 754, 553})); // above the gauge again
    EXPECT_EQ(m.vbar->BoundsRect(), (RECT{735, 57, 754, 534}));
    EXPECT_EQ(m.list->BoundsRect(), (RECT{0, 57, 735, 534}));
}

// The bars stay hidden while the window shrinks and come back later: the horizontal bar must
// return above the gauge and the vertical bar beside the list, not where they were left.
TEST_F(FormLayoutTest, BarsHiddenWhileTheFormShrinksComeBackInTheirOrder) {
    MainLayout m(app.get());
    m.hbar->Hide();
    m.vbar->Hide();
    m.form->SetClientSize(400, 300);
    m.hbar->Show();
    m.vbar->Show();
    EXPECT_EQ(m.gauge->BoundsRect(), (RECT{0, 280, 400, 300}));
    EXPECT_EQ(m.hbar->BoundsRect(), (RECT{0, 261, 400, 280}));
    EXPECT_EQ(m.vbar->BoundsRect(), (RECT{381, 57, 400, 261}));
    EXPECT_EQ(m.list->BoundsRect(), (RECT{0, 57, 381, 261}));
    m.hbar->Hide();
    m.form->SetClientSize(754, 573); // and when it grows again
    m.hbar->Show();
    EXPECT_EQ(m.gauge->BoundsRect(), (RECT{0, 553, 754, 573}));
    EXPECT_EQ(m.hbar->BoundsRect(), (RECT{0, 534, 754, 553}));
}

TEST_F(FormLayoutTest, ResizingTheFormRealignsAndKeepsAnchoredDistances) {
    MainLayout m(app.get());
    // A right-anchored button inside the top panel keeps its gap to the panel's right edge.
    auto* button = new TCustomControl(m.form);
    button->SetParent(m.panel);
    button->SetBounds(608, 11, 121, 22);
    button->SetAnchors(akTop | akRight);
    int gap = m.panel->AlignRect().right - button->BoundsRect().right;
    m.form->SetClientSize(900, 600);
    EXPECT_EQ(m.panel->BoundsRect(), (RECT{0, 0, 900, 57}));
    EXPECT_EQ(m.gauge->BoundsRect(), (RECT{0, 580, 900, 600}));
    EXPECT_EQ(m.list->BoundsRect(), (RECT{0, 57, 881, 561}));
    EXPECT_EQ(m.panel->AlignRect().right - button->BoundsRect().right, gap);
    EXPECT_EQ(button->Width(), 121);
}

TEST_F(FormLayoutTest, LoadingRunsReferencesThenLoadedInCreationOrderThenOnCreate) {
    std::vector<std::string> log;
    struct Recorder : TComponent {
        Recorder(TComponent* o, std::vector<std::string>& l) : TComponent(o), log(l) {}
        std::vector<std::string>& log;
        void Loaded() override {
            log.push_back("loaded " + Name() + (IsLoading() ? " (loading)" : ""));
            TComponent::Loaded();
        }
    };
    auto* form = new TForm(app.get());
    {
        TFormLoader load(form);
        auto* a = load.Create<Recorder>("a", log);
        auto* b = load.Create<Recorder>("b", log);
        load.Reference(
            [&] { log.push_back(std::string("fixup, a loading: ") + (a->IsLoading() ? "yes" : "no")); });
        form->OnCreate = [&](TObject*) {
            log.push_back(std::string("create, b loading: ") + (b->IsLoading() ? "yes" : "no"));
        };
        load.Finish();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"fixup, a loading: yes", "loaded a (loading)",
                                             "loaded b (loading)", "create, b loading: no"}));
    EXPECT_FALSE(form->IsLoading());
}

TEST_F(FormLayoutTest, AFailingOnCreateIsReportedAndTheFormStillExists) {
    std::vector<std::string> reported;
    app->OnException = [&](TObject* sender, const std::exception& e) {
        reported.push_back(std::string(e.what()) + (sender != nullptr ? " from the form" : ""));
    };
    struct FailingForm : TForm {
        explicit FailingForm(TComponent* owner) : TForm(owner) {
            TFormLoader load(this);
            OnCreate = [](TObject*) {
                throw std::runtime_error("Cannot create file \"/x\". Permission denied");
            };
            load.Finish();
        }
    };
    FailingForm* form = nullptr;
    ASSERT_NO_THROW(app->CreateForm(form));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(app->MainForm(), form);
    EXPECT_EQ(reported,
              std::vector<std::string>{"Cannot create file \"/x\". Permission denied from the form"});
}

TEST_F(FormLayoutTest, ScreenKnowsItsMonitorAndCentresForms) {
    ASSERT_EQ(Screen->MonitorCount(), 1);
    TMonitor m = Screen->Monitors(0);
    EXPECT_TRUE(m.Primary);
    EXPECT_EQ(m.BoundsRect, (RECT{0, 0, 1280, 1024}));
    EXPECT_EQ(Screen->WorkAreaRect(), (RECT{0, 0, 1280, 984}));
    EXPECT_EQ(Screen->Width(), 1280);
    EXPECT_THROW(Screen->Monitors(1), EListError);

    auto* first = new TForm(app.get());
    auto* second = new TForm(app.get());
    EXPECT_EQ(Screen->FormCount(), 2);
    EXPECT_EQ(Screen->Forms(0), first);
    second->SetBounds(0, 0, 401, 300);
    second->SetPosition(poScreenCenter);
    second->Show();
    app->ProcessMessages();
    EXPECT_EQ(second->BoundsRect(), (RECT{439, 362, 840, 662})); // halves truncate
    EXPECT_EQ(Screen->ActiveForm(), second);
    delete first;
    EXPECT_EQ(Screen->FormCount(), 1);
}

namespace {

// A windowed control whose window is a popup (a drop-down list, a menu window): it has a parent
// control but lies on the screen, outside the parent's client area.
class PopupControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        p.Style = WS_POPUP;
        p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    }
};

} // namespace

TEST_F(FormLayoutTest, PopupControlsKeepScreenCoordinates) {
    auto* form = new TForm(app.get());
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 80, 400, 300);
    auto* popup = new PopupControl(form);
    popup->SetParent(form);
    popup->SetBounds(600, 500, 120, 90); // before the window exists
    form->Show();
    Settle();
    ASSERT_TRUE(popup->HandleAllocated());
    RECT r{};
    GetWindowRect(popup->Handle(), &r);
    EXPECT_EQ(r.left, 600) << "created where its bounds say, on the screen";
    EXPECT_EQ(r.top, 500);
    EXPECT_EQ(popup->Left(), 600);
    EXPECT_EQ(popup->Top(), 500);

    popup->SetBounds(700, 40, 150, 60); // with a window
    GetWindowRect(popup->Handle(), &r);
    EXPECT_EQ(r.left, 700);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(popup->Left(), 700);
    EXPECT_EQ(popup->Width(), 150);

    // Moved and sized behind the framework's back: WM_MOVE and WM_SIZE bring the bounds along.
    SetWindowPos(popup->Handle(), nullptr, 20, 900, 80, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(popup->Left(), 20);
    EXPECT_EQ(popup->Top(), 900);
    EXPECT_EQ(popup->Height(), 50);
    POINT origin = popup->ClientOrigin();
    EXPECT_EQ(origin.x, 20);
    EXPECT_EQ(origin.y, 900);
    // Resizing the form moves nothing on the screen.
    form->SetBounds(150, 80, 500, 320);
    GetWindowRect(popup->Handle(), &r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(popup->Left(), 20);
}
