#include "platform/ui/backend/BackendFactory.h"

#include "platform/ui/backend/headless/HeadlessBackend.h"
#include "platform/ui/backend/sdl/SdlBackend.h"

#include <cstdlib>
#include <string>

namespace ui {

std::unique_ptr<Backend> CreateDefaultBackend() {
    const char* choice = std::getenv("IISLOG_BACKEND");
    if (choice && std::string(choice) == "headless") {
        return std::make_unique<HeadlessBackend>();
    }
    return std::make_unique<SdlBackend>();
}

} // namespace ui
