#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "test_support.h"
#include "widgets/vr_timer.h"
#include "widgets/widget_classes.h"

namespace qm {
namespace {

class Timer : public testing::Test {
protected:
    void SetUp() override { app = std::make_unique<Application>(services); }

    test::FakeServices services;
    std::unique_ptr<Application> app;
};

TEST_F(Timer, ThreadTicksRunOnTheUserInterfaceThread)
{
    const DWORD uiThread = GetCurrentThreadId();
    std::vector<DWORD> threads;
    TVrTimer timer;
    timer.SetInterval(20);
    timer.SetOnTimer([&](Component&) { threads.push_back(GetCurrentThreadId()); });
    ASSERT_TRUE(test::PumpUntil([&] { return threads.size() >= 3; }));
    for (DWORD id : threads)
        EXPECT_EQ(id, uiThread);
}

TEST_F(Timer, WithoutSynchronisationTicksRunOnTheTimerThread)
{
    std::atomic<DWORD> tickThread{0};
    TVrTimer timer;
    timer.SetSyncEvent(false);
    timer.SetInterval(10);
    timer.SetOnTimer([&](Component&) { tickThread = GetCurrentThreadId(); });
    ASSERT_TRUE(test::PumpUntil([&] { return tickThread != 0; }));
    EXPECT_NE(tickThread.load(), GetCurrentThreadId());
}

TEST_F(Timer, WindowTimerTicksToo)
{
    int ticks = 0;
    TVrTimer timer;
    timer.SetTimerType(TimerType::ttSystem);
    timer.SetInterval(15);
    timer.SetOnTimer([&](Component&) { ++ticks; });
    EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 2; }));
}

TEST_F(Timer, IntervalZeroStopsTheTicks)
{
    int ticks = 0;
    TVrTimer timer;
    timer.SetInterval(10);
    timer.SetOnTimer([&](Component&) { ++ticks; });
    ASSERT_TRUE(test::PumpUntil([&] { return ticks > 0; }));
    timer.SetInterval(0);
    test::PumpFor(30); // a tick already handed over may still land
    int stoppedAt = ticks;
    test::PumpFor(150);
    EXPECT_EQ(ticks, stoppedAt);
    timer.SetInterval(10);
    EXPECT_TRUE(test::PumpUntil([&] { return ticks > stoppedAt; }));
}

TEST_F(Timer, DisabledTicksDoNothing)
{
    int ticks = 0;
    TVrTimer timer;
    timer.SetInterval(10);
    timer.SetOnTimer([&](Component&) { ++ticks; });
    ASSERT_TRUE(test::PumpUntil([&] { return ticks > 0; }));
    timer.SetEnabled(false);
    int stoppedAt = ticks;
    test::PumpFor(150);
    EXPECT_EQ(ticks, stoppedAt);
    timer.SetEnabled(true);
    EXPECT_TRUE(test::PumpUntil([&] { return ticks > stoppedAt; }));
}

TEST_F(Timer, AFailingTickIsReportedAndTheTimerGoesOn)
{
    int reported = 0;
    app->SetOnException([&](const std::exception& e) {
        EXPECT_STREQ(e.what(), "tick failed");
        ++reported;
    });
    TVrTimer timer;
    timer.SetInterval(10);
    timer.SetOnTimer([&](Component&) { throw std::runtime_error("tick failed"); });
    EXPECT_TRUE(test::PumpUntil([&] { return reported >= 3; }));
}

TEST_F(Timer, DestroyingARunningTimerNeitherHangsNorTicksAgain)
{
    for (int round = 0; round < 20; ++round) {
        int ticks = 0;
        auto timer = std::make_unique<TVrTimer>();
        timer->SetInterval(1);
        timer->SetOnTimer([&](Component&) { ++ticks; });
        // Leave the timer thread blocked on a tick the user-interface thread has not run.
        Sleep(15);
        auto start = std::chrono::steady_clock::now();
        timer.reset();
        auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, std::chrono::milliseconds(1000));
        EXPECT_EQ(ticks, 0);
        test::PumpFor(5);
        EXPECT_EQ(ticks, 0);
    }
}

TEST_F(Timer, TicksStopOnceTheApplicationTerminates)
{
    int ticks = 0;
    TVrTimer timer;
    timer.SetInterval(5);
    timer.SetOnTimer([&](Component&) { ++ticks; });
    app->Terminate();
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    test::PumpFor(100);
    EXPECT_EQ(ticks, 0);
}

} // namespace
} // namespace qm

namespace qm {
namespace {

struct Sentinel {
    bool formGone = false;
    int ticks = 0;
    int late = 0;
};

// Two thread timers on one form, as the main window has (sampling and the
// trace): a tick handed over after the form's own part is gone must not run.
class SentinelForm : public test::TextForm {
public:
    SentinelForm(Application& application, Sentinel& sentinel)
        : TextForm(application,
                   "object F: TQuarrimondTestForm\n"
                   "  object A: TVrTimer\n    Interval = 5\n    OnTimer = Tick\n  end\n"
                   "  object B: TVrTimer\n    Interval = 5\n    OnTimer = Tick\n  end\n"
                   "end\n"),
          sentinel_(sentinel)
    {
        Handler("Tick", &SentinelForm::Tick);
    }
    ~SentinelForm() override { sentinel_.formGone = true; }

    void Tick(Component&)
    {
        if (sentinel_.formGone)
            ++sentinel_.late;
        else
            ++sentinel_.ticks;
    }

private:
    Sentinel& sentinel_;
};

TEST(TimerShutdown, NoTickReachesAFormWhoseOwnPartIsDestroyed)
{
    test::FakeServices services;
    Sentinel sentinel;
    for (int round = 0; round < 5; ++round) {
        auto app = std::make_unique<Application>(services);
        RegisterWidgetClasses(app->Classes());
        app->CreateForm<test::TextForm>("object MainForm: TQuarrimondTestForm\nend\n");
        app->CreateForm<SentinelForm>(sentinel);
        ASSERT_TRUE(test::PumpUntil([&] { return sentinel.ticks >= 4; }));
        // Both threads now wait in their hand-overs, which nobody serves
        // until the forms are being destroyed.
        Sleep(60);
        app->Terminate();
        app.reset();
        EXPECT_EQ(sentinel.late, 0) << "round " << round;
        sentinel = Sentinel{};
    }
}

} // namespace
} // namespace qm
