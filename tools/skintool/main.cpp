// skintool: the skin author's tool.
//
//   skintool build SKIN.INI OUT                 the stored skin (zlib level 9) of a skin folder
//   skintool inspect FILE [--json]              what a stored skin holds
//   skintool render FILE SECTION W H [--state normal|active|down|focused|disabled] OUT.bmp
//   skintool sheet FILE OUT.bmp                 contact sheet of the sections the windows use
//   skintool embed IN OUT.cpp SYMBOL [--inflate]
//                                               IN's bytes as C++ source (SYMBOL, SYMBOLSize);
//                                               with --inflate, what IN (a zlib stream) inflates to
//
// FILE is a stored skin (zlib stream), a compressed skin file, or a skin.ini. Errors go to
// stderr and the exit status is 1 (2 for a wrong command line).

#include "Inspect.h"
#include "Sheet.h"
#ifdef SKINTOOL_FRAME
#include "Frame.h"
#endif
#ifdef SKINTOOL_CONTROL
#include "Control.h"
#endif

#include "platform/gfx/BmpCodec.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace skintool {

namespace {

constexpr const char* kUsage =
    "usage: skintool build SKIN.INI OUT\n"
    "       skintool inspect FILE [--json]\n"
    "       skintool render FILE SECTION WIDTH HEIGHT [--state normal|active|down|focused|disabled] OUT.bmp\n"
    "       skintool sheet FILE OUT.bmp\n"
    "       skintool embed IN OUT.cpp SYMBOL [--inflate]\n"
    "       skintool frame SKIN --size WxH [--icons LIST] [--inactive] [--maximized] [--rolled-up]\n"
    "                      [--hit X,Y]... [--json] [--out FILE.bmp]\n"
    "       skintool control SKIN CLASS [--section NAME] [--size WxH] [--set PROP=VALUE]...\n"
    "                      [--state normal|hot|down|focused|disabled] [--json] [--out FILE.bmp]\n";

// The usage lines of one command: its line of kUsage and the indented lines that continue it.
std::string CommandUsage(const std::string& cmd) {
    std::string text = kUsage, out;
    bool inside = false;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        std::string line = text.substr(at, end - at + 1);
        at = end + 1;
        std::size_t name = line.find("skintool ");
        if (name != std::string::npos && name < 8) {
            inside = line.compare(name + 9, cmd.size() + 1, cmd + " ") == 0;
        }
        if (inside) {
            // "usage: " and the indent of the following lines are both seven columns wide.
            out += out.empty() ? "usage: " + line.substr(name) : line;
        }
    }
    return out;
}

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int ParseSize(const std::string& s) {
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || v <= 0 || v > 16384) {
        throw SkinError("invalid size \"" + s + "\" (1 to 16384)");
    }
    return int(v);
}

std::unique_ptr<Skin> LoadSkin(const std::string& path, std::size_t* inflated = nullptr) {
    Bytes data = LoadContainer(path);
    if (inflated) {
        *inflated = data.size();
    }
    return std::make_unique<Skin>(data);
}

bool IsScrollBar(const Skin& skin, const std::string& section) {
    int i = skin.data.IndexOfControlSkin(section);
    return i >= 0 && qv::ControlSkinKind(*skin.data.ControlSkins[std::size_t(i)]) == "scrollbar";
}

int Build(const std::vector<std::string>& a) {
    if (a.size() != 2) {
        throw UsageError("build takes SKIN.INI and OUT");
    }
    Bytes stored = BuildStoredSkin(a[0]);
    WriteFileBytes(a[1], stored);
    return 0;
}

int Inspect(const std::vector<std::string>& a) {
    if (a.empty() || a.size() > 2 || (a.size() == 2 && a[1] != "--json")) {
        throw UsageError("inspect takes FILE and an optional --json");
    }
    std::size_t inflated = 0;
    auto skin = LoadSkin(a[0], &inflated);
    std::fputs(DescribeSkin(*skin, inflated, a.size() == 2).c_str(), stdout);
    return 0;
}

int Render(std::vector<std::string> a) {
    State state = State::Normal;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--state") {
            if (i + 1 >= a.size()) {
                throw UsageError("--state needs a value");
            }
            state = ParseState(a[i + 1]);
            a.erase(a.begin() + std::ptrdiff_t(i), a.begin() + std::ptrdiff_t(i) + 2);
            break;
        }
    }
    if (a.size() != 5) {
        throw UsageError("render takes FILE SECTION WIDTH HEIGHT [--state S] OUT.bmp");
    }
    auto skin = LoadSkin(a[0]);
    int w = ParseSize(a[2]), h = ParseSize(a[3]);
    gfx::Bitmap image;
    if (a[1] == "FORMINFO") { // the window frame; disabled shows the inactive window
        image = RenderFrame(*skin, w, h, state != State::Disabled, 0x000000);
    } else if (IsScrollBar(*skin, a[1])) {
        image = RenderScrollBar(*skin, a[1], w, h, state);
    } else {
        image = RenderSection(*skin, a[1], w, h, state);
    }
    gfx::SaveBmpFile(a[4], image, 24);
    return 0;
}

int Sheet(const std::vector<std::string>& a) {
    if (a.size() != 2) {
        throw UsageError("sheet takes FILE and OUT.bmp");
    }
    auto skin = LoadSkin(a[0]);
    std::vector<SheetTile> tiles;
    gfx::Bitmap sheet = RenderSheet(*skin, tiles);
    gfx::SaveBmpFile(a[1], sheet, 24);
    for (const auto& t : tiles) {
        std::printf("%-16s %-8s at %d,%d size %d x %d\n", t.section.c_str(), StateName(t.state), t.place.left,
                    t.place.top, t.place.right - t.place.left, t.place.bottom - t.place.top);
    }
    return 0;
}

int Embed(const std::vector<std::string>& a) {
    const bool inflate = a.size() == 4 && a[3] == "--inflate";
    if (a.size() != 3 && !inflate) {
        throw UsageError("embed takes IN, OUT.cpp, SYMBOL and perhaps --inflate");
    }
    Bytes data = ReadFileBytes(a[0]);
    if (inflate) {
        data = qv::InflateSkinStream(data);
    }
    std::string out = "// Generated by skintool embed; do not edit.\n#include <cstddef>\n\n";
    out += "extern const unsigned char " + a[2] + "[];\nextern const std::size_t " + a[2] +
           "Size;\n\nconst unsigned char " + a[2] + "[] = {";
    char buf[16];
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%s%u,", i % 20 == 0 ? "\n    " : "", unsigned(data[i]));
        out += buf;
    }
    out += "\n};\nconst std::size_t " + a[2] + "Size = " + std::to_string(data.size()) + ";\n";
    WriteFileBytes(a[1], Bytes(out.begin(), out.end()));
    return 0;
}
} // namespace

int Run(int argc, char** argv) {
    if (argc < 2) {
        throw UsageError("no command");
    }
    std::string cmd = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (cmd == "--help" || cmd == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (cmd == "--version") {
        std::puts("skintool " IISLOG_VERSION);
        return 0;
    }
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::string usage = CommandUsage(cmd);
        if (usage.empty()) {
            throw UsageError("unknown command \"" + cmd + "\"");
        }
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    if (cmd == "build") return Build(args);
    if (cmd == "inspect") return Inspect(args);
    if (cmd == "render") return Render(args);
    if (cmd == "sheet") return Sheet(args);
    if (cmd == "embed") return Embed(args);
#ifdef SKINTOOL_FRAME
    if (cmd == "frame") {
        std::string out, err;
        int rc = FrameCommand(args, out, err);
        std::fputs(out.c_str(), stdout);
        std::fputs(err.c_str(), stderr);
        return rc;
    }
#endif
#ifdef SKINTOOL_CONTROL
    if (cmd == "control") {
        std::string out, err;
        int rc = ControlCommand(args, out, err);
        std::fputs(out.c_str(), stdout);
        std::fputs(err.c_str(), stderr);
        return rc;
    }
#endif
    throw UsageError("unknown command \"" + cmd + "\"");
}

} // namespace skintool

int main(int argc, char** argv) {
    try {
        return skintool::Run(argc, argv);
    } catch (const skintool::UsageError& e) {
        std::fprintf(stderr, "skintool: %s\n%s", e.what(), skintool::kUsage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skintool: %s\n", e.what());
        return 1;
    }
}
