#include "skin/controls/qvPushTracker.h"

#include "ControlsFixture.h"

#include <string>

using qv::TqvPushTracker;

namespace {

// Runs a script of mouse steps on a one-part tracker: 'p' press, 'o' move off, 'i' move back
// in, 'r' release; returns the clicked part (-1 none).
int RunScript(const std::string& script) {
    TqvPushTracker t(1);
    int clicked = -2;
    for (char c : script) {
        switch (c) {
        case 'p': t.Press(0); break;
        case 'o': t.MouseMove(-1); break;
        case 'i': t.MouseMove(0); break;
        case 'r': clicked = t.Release(); break;
        }
    }
    EXPECT_EQ(t.PressedPart(), -1);
    return clicked;
}

using PushTrackerTimers = ControlsFixture;

} // namespace

TEST(PushTracker, ClickOnlyWhenReleasedOverThePressedPart) {
    struct Case {
        const char* script;
        int clicked;
    } cases[] = {
        {"pr", 0},     // plain click
        {"por", -1},   // released outside
        {"poir", 0},   // out and back in
        {"poioir", 0}, // several trips
        {"r", -1},     // release without a press
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunScript(c.script), c.clicked) << c.script;
    }
}

TEST(PushTracker, PressedPartKeepsTheMouseFromTheOthers) {
    TqvPushTracker t(3);
    std::string changes;
    t.OnChange = [&](int part) { changes += char('0' + part); };
    t.MouseMove(1);
    EXPECT_TRUE(t.IsHot(1));
    t.Press(1);
    EXPECT_TRUE(t.IsDown(1));
    t.MouseMove(2); // over another part while part 1 is held: nothing is hot
    EXPECT_EQ(t.HotPart(), -1);
    EXPECT_TRUE(t.IsPressed(1));
    EXPECT_FALSE(t.IsDown(1));
    t.MouseMove(1);
    EXPECT_TRUE(t.IsDown(1));
    EXPECT_EQ(t.Release(), 1);
    t.MouseMove(2); // free again
    EXPECT_TRUE(t.IsHot(2));
    EXPECT_EQ(changes, "1111112"); // hot, press, off, on, release, leave 1 / enter 2
    EXPECT_FALSE(t.Press(-1));
    EXPECT_FALSE(t.Press(3));
}

TEST(PushTracker, CancelEndsAPressWithoutAClick) {
    TqvPushTracker t(1);
    t.Press(0);
    t.Cancel();
    EXPECT_FALSE(t.IsPressed(0));
    EXPECT_EQ(t.Release(), -1);
}

TEST_F(PushTrackerTimers, RepeatWaitsFiveHundredMillisecondsThenTicksAtTheInterval) {
    TqvPushTracker t(1);
    t.RepeatMode = true;
    t.RepeatInterval = 100;
    std::vector<int> at;
    int now = 0;
    t.OnRepeat = [&](int part) {
        EXPECT_EQ(part, 0);
        at.push_back(now);
    };
    t.Press(0);
    for (; now < 1000;) {
        now += 10;
        screen->AdvanceClock(10);
        Settle();
    }
    EXPECT_EQ(at, (std::vector<int>{600, 700, 800, 900, 1000}));
    EXPECT_EQ(t.Release(), 0);
    EXPECT_FALSE(t.Repeating());
    Advance(500);
    EXPECT_EQ(at.size(), 5u);
}

TEST_F(PushTrackerTimers, RepeatPausesOffThePartAndResumes) {
    struct Case {
        bool resumeAtInterval;
        int stepsAfterReturn; // within 300 ms of moving back on
    } cases[] = {{false, 0}, {true, 6}};
    for (const Case& c : cases) {
        TqvPushTracker t(1);
        t.RepeatMode = true;
        t.RepeatInterval = 50;
        t.ResumeAtInterval = c.resumeAtInterval;
        int steps = 0;
        t.OnRepeat = [&](int) { ++steps; };
        t.Press(0);
        Advance(600); // 500 ms wait, then two steps
        EXPECT_EQ(steps, 2);
        t.MouseMove(-1);
        Advance(300);
        EXPECT_EQ(steps, 2) << "paused while off the part";
        t.MouseMove(0);
        Advance(300);
        EXPECT_EQ(steps, 2 + c.stepsAfterReturn) << c.resumeAtInterval;
        t.Release();
    }
}

TEST_F(PushTrackerTimers, RepeatHandlerMayFreeTheTracker) {
    auto* t = new TqvPushTracker(1);
    t->RepeatMode = true;
    int steps = 0;
    t->OnRepeat = [&](int) {
        ++steps;
        delete t;
        t = nullptr;
    };
    t->Press(0);
    Advance(800);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(t, nullptr);
}
