// Linked into the programs that open real windows: makes the SDL2 backend the window system's
// display backend before main runs.
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/sdl/SdlBackend.h"

namespace ui {
namespace {

std::unique_ptr<Backend> MakeSdlBackend() { return std::make_unique<SdlBackend>(); }

struct Installer {
    Installer() { SetDisplayBackendMaker(&MakeSdlBackend); }
} const g_installer;

} // namespace
} // namespace ui
