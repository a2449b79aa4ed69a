#pragma once
// The base of every test that opens windows: a fresh window system on the headless backend for
// each test (so no window, capture, timer or queued message leaks from one test into the next),
// the screen to inject input into and read pixels from, and the message pump a program's idle
// loop would run.

#include "platform/ui/User.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class HeadlessFixture : public ::testing::Test {
protected:
    // The screen's monitors; a test fixture may change it before SetUp.
    ui::HeadlessConfig config;

    void SetUp() override {
        auto backend = std::make_unique<ui::HeadlessBackend>(config);
        screen = backend.get();
        ui::ResetWindowSystem(std::move(backend));
    }
    void TearDown() override {
        ui::ShutdownWindowSystem();
        screen = nullptr;
    }

    // Dispatches everything pending, as the idle loop of a program would.
    virtual void Pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }

    // Screen point of a client point of hwnd.
    static POINT ScreenAt(HWND hwnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return p;
    }
    gfx::Pixel ScreenPixel(int x, int y) const { return screen->ReadScreen().GetPixel(x, y); }

    // Input, each followed by a pump so that the test sees its whole effect.
    void ClickAt(HWND hwnd, int x, int y) {
        POINT p = ScreenAt(hwnd, x, y);
        screen->Click(p.x, p.y);
        Pump();
    }
    void Key(int vk) {
        screen->Key(vk);
        Pump();
    }
    void ShiftKey(int vk) {
        screen->KeyDown(VK_SHIFT);
        screen->Key(vk);
        screen->KeyUp(VK_SHIFT);
        Pump();
    }
    void Type(const std::string& text) {
        screen->Text(text);
        Pump();
    }

    ui::HeadlessBackend* screen = nullptr;
};
