#include "platform/ui/backend/BackendFactory.h"

#include "platform/ui/backend/headless/HeadlessBackend.h"
#ifdef _WIN32
#include "platform/ui/backend/win32/Win32Backend.h"
#endif

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace ui {

namespace {
// Constant-initialized, so a backend library may set it from its own static initializer.
BackendMaker g_displayMaker = nullptr;
} // namespace

void SetDisplayBackendMaker(BackendMaker maker) { g_displayMaker = maker; }

std::unique_ptr<Backend> CreateDefaultBackend() {
    const char* choice = std::getenv("IISLOG_BACKEND");
    if (choice && std::string(choice) == "headless") {
        return std::make_unique<HeadlessBackend>();
    }
    if (g_displayMaker == nullptr) {
#ifdef _WIN32
        // Every program may open real windows on Windows: USER and GDI are always there.
        return std::make_unique<Win32Backend>();
#else
        throw std::runtime_error("This program opens no windows: it has no display backend.");
#endif
    }
    return g_displayMaker();
}

} // namespace ui
