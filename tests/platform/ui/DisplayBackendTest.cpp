// A program that does not link a display backend (the tools that never open a window) is offered
// the headless screen when asked for it, and a clear error otherwise.
#include "platform/ui/backend/BackendFactory.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

TEST(DisplayBackend, AProgramWithoutOneGetsOnlyTheHeadlessScreen) {
    const char* old = std::getenv("IISLOG_BACKEND");
    const std::string keep = old ? old : "";
    setenv("IISLOG_BACKEND", "headless", 1);
    EXPECT_NE(dynamic_cast<ui::HeadlessBackend*>(ui::CreateDefaultBackend().get()), nullptr);
    unsetenv("IISLOG_BACKEND");
    try {
        ui::CreateDefaultBackend();
        ADD_FAILURE() << "a display backend was made without one linked";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "This program opens no windows: it has no display backend.");
    }
    if (old) {
        setenv("IISLOG_BACKEND", keep.c_str(), 1);
    }
}
