#pragma once
// A fresh headless screen and application object for each test of the framework and of what is
// built on it (forms, controls, skinned windows), with input helpers that take controls.

#include "HeadlessFixture.h"

#include "framework/Forms.h"

#include <memory>

class ApplicationFixture : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        app = std::make_unique<vcl::TApplication>(nullptr);
        app->SetTitle("test");
    }
    void TearDown() override {
        app.reset();
        HeadlessFixture::TearDown();
    }

    // Handles everything the injected input caused. The window system turns some input into
    // posted messages (a mouse leaving a window) that a second pass picks up.
    void Pump() override {
        app->ProcessMessages();
        app->ProcessMessages();
    }
    void Settle() { Pump(); }

    // Screen position of a point in a control's client area.
    using HeadlessFixture::ScreenAt;
    static POINT ScreenAt(vcl::TControl* c, int x, int y) { return c->ClientToScreen(POINT{x, y}); }
    void MoveTo(vcl::TControl* c, int x, int y) {
        POINT p = ScreenAt(c, x, y);
        screen->MouseMove(p.x, p.y);
        Pump();
    }
    using HeadlessFixture::ClickAt;
    void ClickAt(vcl::TControl* c, int x, int y) {
        POINT p = ScreenAt(c, x, y);
        screen->Click(p.x, p.y);
        Pump();
    }

    std::unique_ptr<vcl::TApplication> app;
};
