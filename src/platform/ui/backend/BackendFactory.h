#pragma once
// The backend a program gets when it first uses the window system without choosing one:
// IISLOG_BACKEND=headless gives the virtual screen, anything else (or nothing) the display backend
// linked into the program. Only the programs that open real windows link one (the SDL2 backend,
// iis_platform_ui_sdl, installs itself when the program starts), so the tools that never show a
// window load neither SDL2 nor the libraries behind it. The display backend throws
// std::runtime_error with one clear sentence when no display is available; a program without one
// throws when asked for it.
#include "platform/ui/backend/Backend.h"

#include <memory>

namespace ui {
using BackendMaker = std::unique_ptr<Backend> (*)();
// Makes `maker` the display backend's maker; called by that backend's library before main.
void SetDisplayBackendMaker(BackendMaker maker);
std::unique_ptr<Backend> CreateDefaultBackend();
} // namespace ui
