// skintool frame: loads a stored skin on a headless screen, makes a sizeable form of the asked
// window size with a form skin, puts it in the asked state, paints it and reports what it shows.
#include "Frame.h"

#include "StoredSkin.h"

#include "framework/Forms.h"
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/GdiObject.h"
#include "platform/ui/User.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "skin/data/qvSkinData.h"
#include "skin/form/Veltrane.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace skintool {

namespace {

struct FrameError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct FrameArgs {
    std::string skin;
    int width = 0, height = 0;
    qv::TqvBorderIcons icons = qv::biMinimize | qv::biMaximize; // the main window's
    bool inactive = false, maximized = false, rolledUp = false, json = false;
    std::vector<POINT> hits;
    std::string out;
};

int ParseNumber(const std::string& s, int lo, int hi, const std::string& what) {
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || v < lo || v > hi) {
        throw FrameError("invalid " + what + " \"" + s + "\"");
    }
    return int(v);
}

std::pair<std::string, std::string> Split(const std::string& s, char sep) {
    auto at = s.find(sep);
    if (at == std::string::npos) {
        return {s, ""};
    }
    return {s.substr(0, at), s.substr(at + 1)};
}

qv::TqvBorderIcons ParseIcons(const std::string& list) {
    qv::TqvBorderIcons icons = 0;
    std::stringstream in(list);
    std::string word;
    while (std::getline(in, word, ',')) {
        if (word == "biSystemMenu") icons |= qv::biSystemMenu;
        else if (word == "biMinimize") icons |= qv::biMinimize;
        else if (word == "biMaximize") icons |= qv::biMaximize;
        else if (word == "biRollUp") icons |= qv::biRollUp;
        else if (!word.empty()) throw FrameError("unknown border icon \"" + word + "\"");
    }
    return icons;
}

FrameArgs Parse(const std::vector<std::string>& a) {
    FrameArgs f;
    bool sized = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::string& arg = a[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= a.size()) {
                throw FrameError(arg + " needs a value");
            }
            return a[++i];
        };
        if (arg == "--size") {
            auto [w, h] = Split(value(), 'x');
            f.width = ParseNumber(w, 1, 16384, "width");
            f.height = ParseNumber(h, 1, 16384, "height");
            sized = true;
        } else if (arg == "--icons") {
            f.icons = ParseIcons(value());
        } else if (arg == "--inactive") {
            f.inactive = true;
        } else if (arg == "--maximized") {
            f.maximized = true;
        } else if (arg == "--rolled-up") {
            f.rolledUp = true;
        } else if (arg == "--hit") {
            auto [x, y] = Split(value(), ',');
            f.hits.push_back(POINT{ParseNumber(x, -100000, 100000, "hit point"),
                                   ParseNumber(y, -100000, 100000, "hit point")});
        } else if (arg == "--json") {
            f.json = true;
        } else if (arg == "--out") {
            f.out = value();
        } else if (arg.rfind("--", 0) == 0) {
            throw FrameError("unknown option " + arg);
        } else if (f.skin.empty()) {
            f.skin = arg;
        } else {
            throw FrameError("unexpected argument \"" + arg + "\"");
        }
    }
    if (f.skin.empty()) {
        throw FrameError("frame takes SKIN --size WxH");
    }
    if (!sized) {
        throw FrameError("frame needs --size WxH");
    }
    if (f.rolledUp && !(f.icons & qv::biRollUp)) {
        throw FrameError("--rolled-up needs biRollUp in --icons");
    }
    return f;
}

const char* KindOf(const qv::TqvActiveSkinObject& o) {
    if (dynamic_cast<const qv::TqvSkinCaptionObject*>(&o)) {
        return "caption";
    }
    qv::TqvStdCommand command = qv::cmDefault;
    if (auto* s = dynamic_cast<const qv::TqvSkinStdButtonObject*>(&o)) {
        command = s->command;
    } else if (auto* a = dynamic_cast<const qv::TqvSkinAnimateObject*>(&o)) {
        command = a->command;
    }
    switch (command) {
    case qv::cmClose: return "close";
    case qv::cmMaximize: return "maximize";
    case qv::cmMinimize: return "minimize";
    case qv::cmRollUp: return "rollup";
    case qv::cmSysMenu: return "sysmenu";
    case qv::cmMinimizeToTray: return "tray";
    default: return "custom";
    }
}

std::string Rect(const RECT& r) {
    std::ostringstream s;
    s << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "]";
    return s.str();
}

// The frame preview on its own headless screen; the window system is shut down afterwards.
class Preview {
public:
    explicit Preview(const FrameArgs& f) : f_(f) {
        ui::HeadlessConfig config;
        // Room for the window with a taskbar's 40 rows reserved at the bottom, as on a desktop.
        const int sw = std::max(1280, f.width + 200);
        const int sh = std::max(1024, f.height + 200);
        config.monitors = {ui::MonitorDesc{{0, 0, sw, sh}, {0, 0, sw, sh - 40}, true}};
        screenWidth_ = sw;
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
        Bytes container = LoadContainer(f_.skin);
        form_ = new vcl::TForm(app_.get());
        form_->SetCaption("Skin preview");
        form_->SetBounds(60, 60, f_.width, f_.height);
        skin_ = new qv::TqvVeltrane(form_);
        skin_->SetBorderIcons(f_.icons);
        auto* data = new qv::TqvSkinData(form_);
        skin_->SetSkinData(data);
        data->LoadFromContainer(container);
        if (data->IsEmpty()) {
            throw FrameError("the skin is empty");
        }
        form_->Show();
        // The size asked is the whole window's, frame included.
        form_->SetBounds(60, 60, f_.width, f_.height);
        Settle();
        if (f_.maximized) {
            skin_->SetSkinWindowState(vcl::wsMaximized);
        }
        if (f_.rolledUp) {
            skin_->SetRolledUp(true);
        }
        if (f_.inactive) {
            auto* other = new vcl::TForm(app_.get());
            // Beside the preview (which the screen always leaves 140 columns for), not over it.
            other->SetBounds(screenWidth_ - 110, 0, 100, 100);
            other->Show();
        }
        Settle();
        RedrawWindow(form_->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Settle();
        if (!f_.out.empty()) {
            WritePixels();
        }
        if (f_.json) {
            out = Json();
        }
    }

private:
    void Settle() {
        app_->ProcessMessages();
        app_->ProcessMessages();
    }

    void WritePixels() {
        RECT wr{};
        GetWindowRect(form_->Handle(), &wr);
        gfx::Bitmap all = screen_->ReadScreen();
        gfx::Bitmap window(wr.right - wr.left, wr.bottom - wr.top);
        for (int y = 0; y < window.Height(); ++y) {
            for (int x = 0; x < window.Width(); ++x) {
                window.SetPixel(x, y, all.GetPixel(wr.left + x, wr.top + y));
            }
        }
        std::vector<std::uint8_t> bytes = gfx::WriteBmp(window);
        WriteFileBytes(f_.out, bytes);
    }

    std::string Json() {
        HWND h = form_->Handle();
        RECT wr{};
        GetWindowRect(h, &wr);
        RECT client{};
        GetClientRect(h, &client);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        const int cl = origin.x - wr.left, ct = origin.y - wr.top;
        RECT in = skin_->FrameInsets();
        std::ostringstream s;
        s << "{\n  \"size\": [" << wr.right - wr.left << ", " << wr.bottom - wr.top << "],\n";
        s << "  \"insets\": {\"left\": " << in.left << ", \"top\": " << in.top << ", \"right\": " << in.right
          << ", \"bottom\": " << in.bottom << "},\n";
        s << "  \"clientRect\": " << Rect(RECT{cl, ct, cl + client.right, ct + client.bottom}) << ",\n";
        s << "  \"region\": ";
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(h, region) == ERROR) {
            s << "null";
        } else {
            s << "[";
            const auto& rects = region->region.Rects();
            for (std::size_t i = 0; i < rects.size(); ++i) {
                s << (i ? ", " : "") << Rect(rects[i]);
            }
            s << "]";
        }
        DeleteObject(region);
        s << ",\n  \"objects\": [";
        bool first = true;
        for (const auto& o : skin_->SkinObjects) {
            s << (first ? "\n    " : ",\n    ") << "{\"kind\": \"" << KindOf(*o)
              << "\", \"rect\": " << Rect(o->ObjectRect) << ", \"visible\": " << (o->Shown ? "true" : "false")
              << "}";
            first = false;
        }
        s << (first ? "]" : "\n  ]") << ",\n  \"hits\": [";
        for (std::size_t i = 0; i < f_.hits.size(); ++i) {
            POINT p = f_.hits[i];
            LRESULT code = SendMessage(h, WM_NCHITTEST, 0,
                                       MAKELPARAM(WORD(wr.left + p.x), WORD(wr.top + p.y)));
            s << (i ? ", " : "") << "{\"point\": [" << p.x << ", " << p.y << "], \"code\": " << code << "}";
        }
        s << "]\n}\n";
        return s.str();
    }

    FrameArgs f_;
    ui::HeadlessBackend* screen_ = nullptr;
    int screenWidth_ = 0;
    std::unique_ptr<vcl::TApplication> app_;
    vcl::TForm* form_ = nullptr;
    qv::TqvVeltrane* skin_ = nullptr;
};

} // namespace

int FrameCommand(const std::vector<std::string>& args, std::string& out, std::string& err) {
    try {
        FrameArgs f = Parse(args);
        Preview preview(f);
        preview.Run(out);
        return 0;
    } catch (const std::exception& e) {
        err = std::string("skintool: ") + e.what() + "\n";
        return 2;
    }
}

} // namespace skintool
