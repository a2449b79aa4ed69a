// skintool control: loads a stored skin into a skin data on a headless form, makes the control of
// the asked class, binds it, sizes it through its set-bounds (so the skin's fitting applies), sets
// the properties in the order given, forces the state, paints, and reports what it shows.
#include "Control.h"

#include "ControlClasses.h"
#include "StoredSkin.h"

#include "framework/Forms.h"
#include "platform/gfx/BmpCodec.h"
#include "platform/ui/User.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/controls/qvSkinCtrls.h"
#include "skin/controls/qvSkinExCtrls.h"

#include <memory>
#include <sstream>

namespace skintool {

namespace {

struct ControlArgs {
    std::string skin;
    std::string className;
    std::string section;
    bool sectionGiven = false;
    int width = -1, height = -1;
    std::vector<std::pair<std::string, std::string>> properties;
    std::string state = "normal";
    bool json = false;
    std::string out;
};

ControlArgs Parse(const std::vector<std::string>& a) {
    ControlArgs c;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::string& arg = a[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= a.size()) {
                throw ControlError(arg + " needs a value");
            }
            return a[++i];
        };
        if (arg == "--section") {
            c.section = value();
            c.sectionGiven = true;
        } else if (arg == "--size") {
            const std::string& v = value();
            auto x = v.find('x');
            if (x == std::string::npos) {
                throw ControlError("invalid size \"" + v + "\" (WxH)");
            }
            c.width = IntValue(v.substr(0, x));
            c.height = IntValue(v.substr(x + 1));
            if (c.width < 0 || c.height < 0 || c.width > 16384 || c.height > 16384) {
                throw ControlError("invalid size \"" + v + "\" (0 to 16384)");
            }
        } else if (arg == "--set") {
            const std::string& v = value();
            auto eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                throw ControlError("invalid --set \"" + v + "\" (PROP=VALUE)");
            }
            c.properties.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (arg == "--state") {
            c.state = value();
            if (c.state != "normal" && c.state != "hot" && c.state != "down" && c.state != "focused" &&
                c.state != "disabled") {
                throw ControlError("unknown state \"" + c.state +
                                   "\" (normal, hot, down, focused or disabled)");
            }
        } else if (arg == "--json") {
            c.json = true;
        } else if (arg == "--out") {
            c.out = value();
        } else if (arg.rfind("--", 0) == 0) {
            throw ControlError("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        throw ControlError("control takes SKIN CLASS");
    }
    c.skin = positional[0];
    c.className = positional[1];
    return c;
}

const ControlClass& FindClass(const std::string& name) {
    for (const ControlClass& c : AllControlClasses()) {
        if (c.name == name) {
            return c;
        }
    }
    std::string known;
    for (const ControlClass& c : AllControlClasses()) {
        known += (known.empty() ? "" : ", ") + c.name;
    }
    throw ControlError("unknown class \"" + name + "\" (" + known + ")");
}

// The binding every skinned class shares, seen through the classes' two families.
struct Binding {
    std::string section;
    bool bound = false;
    int layout = -1;
    RECT sizedClientRect{};
};

void SetSkin(vcl::TControl* control, qv::TqvSkinData* data, const ControlArgs& a) {
    if (auto* c = dynamic_cast<qv::TqvSkinControl*>(control)) {
        if (a.sectionGiven) {
            c->SetSkinDataName(a.section);
        }
        c->SetSkinData(data);
    } else if (auto* l = dynamic_cast<qv::TqvSkinLabelBase*>(control)) {
        if (a.sectionGiven) {
            l->SetSkinDataName(a.section);
        }
        l->SetSkinData(data);
    }
}

Binding BindingOf(vcl::TControl* control) {
    Binding b;
    if (auto* c = dynamic_cast<qv::TqvSkinCustomControl*>(control)) {
        c->ReadSkinRecord();
        int w = c->Width(), h = c->Height();
        c->FitSizeToSkin(w, h);
        b.section = c->SkinDataName();
        b.bound = c->SkinRecordIndex() != -1;
        b.layout = b.bound ? c->SkinLayout() : -1;
        b.sizedClientRect = b.bound ? c->SizedClientRect : c->ClientRect();
    } else if (auto* l = dynamic_cast<qv::TqvSkinLabelBase*>(control)) {
        l->ApplySkin();
        b.section = l->SkinDataName();
        b.bound = l->SkinRecordIndex() != -1;
        b.layout = b.bound ? 0 : -1;
        b.sizedClientRect = l->ClientRect();
    }
    return b;
}

class Preview {
public:
    explicit Preview(const ControlArgs& a) : a_(a) {
        ui::HeadlessConfig config;
        const int sw = std::max(1280, a.width + 200);
        const int sh = std::max(1024, a.height + 200);
        config.monitors = {ui::MonitorDesc{{0, 0, sw, sh}, {0, 0, sw, sh}, true}};
        auto backend = std::make_unique<ui::HeadlessBackend>(config);
        screen_ = backend.get();
        ui::ResetWindowSystem(std::move(backend));
        app_ = std::make_unique<vcl::TApplication>(nullptr);
        app_->SetTitle("skintool");
    }
    ~Preview() {
        app_.reset();
        ui::ShutdownWindowSystem();
    }

    void Run(std::string& out) {
        const ControlClass& cls = FindClass(a_.className);
        Bytes container = LoadContainer(a_.skin);
        form_ = new vcl::TForm(app_.get());
        form_->SetBorderStyle(vcl::bsNone);
        form_->SetBounds(0, 0, std::max(a_.width, 16) + 40, std::max(a_.height, 16) + 40);
        auto* data = new qv::TqvSkinData(form_);
        data->LoadFromContainer(container);
        if (a_.sectionGiven && data->IndexOfControlSkin(a_.section) < 0) {
            throw ControlError("unknown section \"" + a_.section + "\"");
        }
        control_ = cls.create(form_);
        control_->SetParent(form_);
        SetSkin(control_, data, a_);
        if (a_.width >= 0) {
            control_->SetBounds(10, 10, a_.width, a_.height);
        } else {
            control_->SetBounds(10, 10, control_->Width(), control_->Height());
        }
        for (const auto& [name, value] : a_.properties) {
            auto it = cls.properties.find(name);
            if (it == cls.properties.end()) {
                throw ControlError("unknown property \"" + name + "\" of " + cls.name);
            }
            try {
                it->second(control_, value);
            } catch (const ControlError& e) {
                throw ControlError(name + ": " + e.what());
            }
        }
        if (a_.state == "disabled") {
            control_->SetEnabled(false);
        } else if (cls.state) {
            cls.state(control_, a_.state);
        }
        // Room for what the properties made of the size.
        form_->SetBounds(0, 0, control_->Left() + control_->Width() + 10,
                         control_->Top() + control_->Height() + 10);
        form_->Show();
        Settle();
        RedrawWindow(form_->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Settle();
        if (!a_.out.empty()) {
            WritePixels();
        }
        if (a_.json) {
            out = Json(cls);
        }
    }

private:
    void Settle() {
        app_->ProcessMessages();
        app_->ProcessMessages();
    }

    void WritePixels() {
        const POINT o = control_->ClientToScreen(POINT{0, 0});
        gfx::Bitmap all = screen_->ReadScreen();
        gfx::Bitmap pixels(control_->Width(), control_->Height());
        for (int y = 0; y < pixels.Height(); ++y) {
            for (int x = 0; x < pixels.Width(); ++x) {
                pixels.SetPixel(x, y, all.GetPixel(o.x + x, o.y + y));
            }
        }
        WriteFileBytes(a_.out, gfx::WriteBmp(pixels, 24));
    }

    std::string Json(const ControlClass& cls) {
        const Binding b = BindingOf(control_);
        std::ostringstream s;
        s << "{\n  \"class\": " << JsonString(cls.name);
        s << ",\n  \"section\": " << JsonString(b.section);
        s << ",\n  \"bound\": " << (b.bound ? "true" : "false");
        s << ",\n  \"layout\": " << b.layout;
        s << ",\n  \"size\": [" << control_->Width() << ", " << control_->Height() << "]";
        s << ",\n  \"sizedClientRect\": " << JsonRect(b.sizedClientRect);
        if (cls.json) {
            cls.json(control_, s);
        }
        s << "\n}\n";
        return s.str();
    }

    ControlArgs a_;
    ui::HeadlessBackend* screen_ = nullptr;
    std::unique_ptr<vcl::TApplication> app_;
    vcl::TForm* form_ = nullptr;
    vcl::TControl* control_ = nullptr;
};

} // namespace

int ControlCommand(const std::vector<std::string>& args, std::string& out, std::string& err) {
    try {
        ControlArgs a = Parse(args);
        Preview preview(a);
        preview.Run(out);
        return 0;
    } catch (const ControlError& e) {
        err = std::string("skintool: ") + e.what() + "\n";
        return 2;
    } catch (const std::exception& e) { // an unreadable or damaged skin
        err = std::string("skintool: ") + e.what() + "\n";
        return 1;
    }
}

} // namespace skintool
