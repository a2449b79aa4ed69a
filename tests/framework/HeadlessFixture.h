#pragma once
// A fresh headless screen and application object for each test, and small helpers to drive it.

#include "framework/Forms.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <memory>

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto backend = std::make_unique<ui::HeadlessBackend>();
        screen = backend.get();
        ui::ResetWindowSystem(std::move(backend));
        app = std::make_unique<vcl::TApplication>(nullptr);
        app->SetTitle("test");
    }
    void TearDown() override {
        app.reset();
        ui::ShutdownWindowSystem();
    }

    // Screen position of a point in a control's client area.
    static POINT At(vcl::TControl* c, int x, int y) { return c->ClientToScreen(POINT{x, y}); }
    void MoveTo(vcl::TControl* c, int x, int y) {
        POINT p = At(c, x, y);
        screen->MouseMove(p.x, p.y);
        Settle();
    }
    // Handles everything the injected input caused. The window system turns some input into
    // posted messages (a mouse leaving a window) that a second pass picks up.
    void Settle() {
        app->ProcessMessages();
        app->ProcessMessages();
    }
    void ClickAt(vcl::TControl* c, int x, int y) {
        POINT p = At(c, x, y);
        screen->Click(p.x, p.y);
        Settle();
    }

    std::unique_ptr<vcl::TApplication> app;
    ui::HeadlessBackend* screen = nullptr;
};
