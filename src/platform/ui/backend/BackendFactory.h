#pragma once
// The backend chosen at start-up: IISLOG_BACKEND=headless gives the virtual screen, anything
// else (or nothing) the SDL2 backend, which throws std::runtime_error with one clear sentence
// when no display is available.
#include "platform/ui/backend/Backend.h"

#include <memory>

namespace ui {
std::unique_ptr<Backend> CreateDefaultBackend();
} // namespace ui
