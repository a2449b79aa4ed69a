#include "app/Program.h"

#include "analysis/ReportCommand.h"
#include "app/SampleReport.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/WindowIcon.h"

#include "framework/Forms.h"
#include "platform/gfx/FontEngine.h"
#include "platform/ui/WindowSystem.h"
#include "skin/data/qvSkinPrefetch.h"

#include "EmbeddedSkin.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <ostream>
#include <string>

namespace app {
namespace {

// Benchmark and trace hooks, read from the environment:
//   IISLOG_TRACE=1          start-up stages on stderr, in milliseconds since main began
//   IISLOG_BENCH=present    leave once the window is first on screen (start-up benchmark)
//   IISLOG_BENCH=analyse    then also press "分析" once and leave when it is done
class StartupTrace {
public:
    StartupTrace() : on_(Flag("IISLOG_TRACE") == "1"), start_(std::chrono::steady_clock::now()) {}
    void Stage(const char* name) const {
        if (!on_) return;
        auto ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
        std::fprintf(stderr, "iislog: %s %.1f ms\n", name, ms);
    }
    static std::string Flag(const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr ? value : "";
    }

private:
    bool on_;
    std::chrono::steady_clock::time_point start_;
};

// $XDG_CACHE_HOME/iislog/font-matches (by default ~/.cache/iislog/): what the font engine keeps
// between runs so that a start-up need not load fontconfig's whole configuration.
// A file of the program's cache folder, $XDG_CACHE_HOME/iislog/ (by default ~/.cache/iislog/);
// empty when neither names an absolute folder.
std::string CacheFile(const char* name) {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return std::string(cache) + "/iislog/" + name;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache/iislog/" + name;
    return "";
}

int PrintReportInstead(const ProgramArgs& args, std::ostream& out, std::ostream& err) {
    err << "No display found; printing the report of " << (args.Folder ? "the folder" : "the sample logs")
        << " instead.\n";
    if (args.Folder) return analysis::PrintReport(*args.Folder, analysis::ReportStyle::Tab, true, out, err);
    return PrintSampleReport(out, err);
}

} // namespace

int RunProgram(const ProgramArgs& args, std::ostream& out, std::ostream& err) {
    StartupTrace trace;
    gfx::FontEngine::SetMatchCacheFile(CacheFile("font-matches"));
    // The window system opens the display when first used; without one it throws, and the
    // program does what it can without a window.
    try {
        ui::WS();
    } catch (const std::exception&) {
        return PrintReportInstead(args, out, err);
    }
    trace.Stage("display open");
    // Then the skin's pictures decode on a thread of its own, while this one takes back the
    // glyphs the last start drew. Not while the display opens: that may fork a helper (D-Bus's
    // autolaunch), and a child forked while another thread holds a lock can hang in it; and
    // with a second thread, every getc in Xlib's reading of the compose table locks.
    qv::PrefetchSkinStream({kEmbeddedSkin, kEmbeddedSkinSize},
                           {kEmbeddedSkinContainer, kEmbeddedSkinContainerSize});
    const std::string glyphsFile = CacheFile("start-glyphs");
    const gfx::StartGlyphs warmed = gfx::ReadStartGlyphs(glyphsFile);
    gfx::WarmGlyphs(gfx::FontEngine::Get(), warmed);
    MainWindowOptions options = DefaultMainWindowOptions();
    options.Folder = args.Folder;
    SetMainWindowOptions(options);
    trace.Stage("glyphs ready");

    // Declared before the application, so its stage comes once every window is gone.
    struct ExitStage {
        const StartupTrace& trace;
        ~ExitStage() { trace.Stage("windows closed"); }
    } exitStage{trace};
    vcl::TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(kApplicationTitle);
    TForm1* form1 = nullptr;
    application.CreateForm(form1);
    SetProgramIcon(form1->Handle());
    trace.Stage("window created");
    // The history editor exists, hidden, from here to the end; Ctrl+E shows it.
    TForm2* form2 = nullptr;
    application.CreateForm(form2);
    SetProgramIcon(form2->Handle());
    trace.Stage("history editor created");

    // The loop is idle for the first time once the shown window has been painted and presented.
    const std::string bench = StartupTrace::Flag("IISLOG_BENCH");
    bool presented = false;
    application.OnIdle = [&](vcl::TObject*, bool&) {
        if (presented) return;
        presented = true;
        // What the first paint drew is what the next start rasterises ahead.
        if (gfx::StartGlyphs drawn = gfx::FontEngine::Get().Rendered(); !(drawn == warmed))
            gfx::WriteStartGlyphs(glyphsFile, drawn);
        if (form1->HandleAllocated()) {
            RECT r{};
            GetWindowRect(form1->Handle(), &r);
            trace.Stage(("first present " + std::to_string(r.right - r.left) + "x" +
                         std::to_string(r.bottom - r.top) + ", " +
                         std::to_string(gfx::FontEngine::Get().RasterisedGlyphs()) + " glyphs rasterised")
                            .c_str());
        }
        if (bench == "analyse") {
            form1->qvSkinXFormButton1Click(form1);
            trace.Stage("analysis done");
        }
        if (bench == "present" || bench == "analyse") application.Terminate();
    };
    application.Run();
    trace.Stage("loop left");
    return 0;
}

} // namespace app
