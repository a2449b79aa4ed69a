// formdemo: a form with a panel, labels, buttons and a timer, built the way the program's
// windows are built (components in order, then Loaded, then OnCreate). Not part of the product.

#include "framework/Button.h"
#include "framework/Forms.h"
#include "framework/Label.h"
#include "framework/Timer.h"

#include <cstdio>
#include <ctime>
#include <exception>

using namespace vcl;

namespace {

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner) : TForm(owner) {
        TFormLoader load(this);
        SetCaption("Framework demo");
        SetPosition(poScreenCenter);
        SetClientSize(420, 220);

        top = load.Create<TPanel>("top");
        top->SetParent(this);
        top->SetBounds(0, 0, 420, 41);
        top->SetAlign(alTop);

        title = load.Create<TLabel>("title");
        title->SetParent(top);
        title->SetBounds(10, 13, 200, 16);
        title->SetCaption("Press Enter, Escape or a button");

        clock = load.Create<TLabel>("clock");
        clock->SetParent(this);
        clock->SetBounds(10, 60, 200, 16);

        hello = load.Create<TButton>("hello");
        hello->SetParent(this);
        hello->SetBounds(230, 180, 85, 25);
        hello->SetAnchors(akRight | akBottom);
        hello->SetCaption("&Hello");
        hello->SetDefault(true);
        hello->OnClick = [this](TObject*) { HelloClick(); };

        quit = load.Create<TButton>("quit");
        quit->SetParent(this);
        quit->SetBounds(325, 180, 85, 25);
        quit->SetAnchors(akRight | akBottom);
        quit->SetCaption("Close");
        quit->SetCancel(true);
        quit->OnClick = [this](TObject*) { Close(); };

        ticker = load.Create<TTimer>("ticker");
        ticker->SetInterval(1000);
        ticker->SetOnTimer([this](TObject*) { Tick(); });

        OnCreate = [this](TObject*) { Tick(); };
        load.Finish();
    }

private:
    void HelloClick() {
        ++clicks;
        Application->MessageBox("Hello number " + std::to_string(clicks), Application->Title(),
                                MB_OK | MB_ICONINFORMATION);
    }

    void Tick() {
        std::time_t now = std::time(nullptr);
        char text[64];
        std::strftime(text, sizeof(text), "It is %H:%M:%S", std::localtime(&now));
        clock->SetCaption(text);
    }

    TPanel* top = nullptr;
    TLabel* title = nullptr;
    TLabel* clock = nullptr;
    TButton* hello = nullptr;
    TButton* quit = nullptr;
    TTimer* ticker = nullptr;
    int clicks = 0;
};

} // namespace

int main() {
    try {
        TApplication app(nullptr);
        app.Initialize();
        app.SetTitle("formdemo");
        TDemoForm* form = nullptr;
        app.CreateForm(form);
        app.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formdemo: %s\n", e.what());
        return 1;
    }
    return 0;
}
