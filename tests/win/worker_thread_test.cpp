#include <gtest/gtest.h>

#include <atomic>

#include "components/bmd_thread.h"
#include "optimizer/thread1_execute.h"
#include "optimizer_support.h"

namespace qm {
namespace {

class WorkerThread : public testing::Test {
protected:
    void SetUp() override { app = std::make_unique<Application>(services); }

    test::FakeServices services;
    std::unique_ptr<Application> app;
};

TEST_F(WorkerThread, TerminateArrivesOnTheUserInterfaceThreadAfterExecute)
{
    const DWORD ui = GetCurrentThreadId();
    std::vector<std::string> order;
    DWORD executeThread = 0, terminateThread = 0;
    TBMDThread thread;
    thread.SetRefreshInterval(250);
    thread.OnStart = [&](Component&, TBMDExecuteThread&, void*&) { order.push_back("start"); };
    thread.OnExecute = [&](Component&, TBMDExecuteThread&, void*&) {
        executeThread = GetCurrentThreadId();
        Sleep(50);
        order.push_back("execute");
    };
    thread.OnTerminate = [&](Component&, TBMDExecuteThread&, void*&) {
        terminateThread = GetCurrentThreadId();
        order.push_back("terminate");
    };
    thread.Start();
    EXPECT_TRUE(thread.IsRunning());
    ASSERT_TRUE(test::PumpUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(order, (std::vector<std::string>{"start", "execute", "terminate"}));
    EXPECT_NE(executeThread, ui);
    EXPECT_EQ(terminateThread, ui);
}

TEST_F(WorkerThread, AFailingExecuteStillEndsWithTerminate)
{
    bool terminated = false;
    TBMDThread thread;
    thread.OnExecute = [](Component&, TBMDExecuteThread&, void*&) { throw std::runtime_error("worker failed"); };
    thread.OnTerminate = [&](Component&, TBMDExecuteThread&, void*&) { terminated = true; };
    thread.Start();
    EXPECT_TRUE(test::PumpUntil([&] { return terminated; }));
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(WorkerThread, StartWhileRunningIsIgnoredAndAFreshRunGetsFreshData)
{
    std::atomic<int> executions{0};
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<void*> seenData;
    TBMDThread thread;
    thread.OnExecute = [&](Component&, TBMDExecuteThread&, void*& data) {
        ++executions;
        seenData.push_back(data);
        WaitForSingleObject(release, 5000);
    };
    int first = 1, second = 2;
    thread.Start(&first);
    thread.Start(&second); // running: nothing happens
    SetEvent(release);
    ASSERT_TRUE(test::PumpUntil([&] { return !thread.IsRunning(); }));
    thread.Start(&second);
    ASSERT_TRUE(test::PumpUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(executions.load(), 2);
    EXPECT_EQ(seenData, (std::vector<void*>{&first, &second}));
    CloseHandle(release);
}

TEST_F(WorkerThread, WithoutAnUpdateHandlerOnlyStartAndTerminateHappen)
{
    int updates = 0, starts = 0, terminates = 0;
    TBMDThread thread;
    thread.SetRefreshInterval(20);
    thread.OnExecute = [](Component&, TBMDExecuteThread&, void*&) { Sleep(200); };
    thread.OnStart = [&](Component&, TBMDExecuteThread&, void*&) { ++starts; };
    thread.OnTerminate = [&](Component&, TBMDExecuteThread&, void*&) { ++terminates; };
    thread.Start();
    ASSERT_TRUE(test::PumpUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(terminates, 1);
    thread.OnUpdate = [&](Component&, TBMDExecuteThread&, void*&, int percent) {
        ++updates;
        EXPECT_GE(percent, 0);
    };
    thread.OnExecute = [](Component&, TBMDExecuteThread& t, void*&) {
        for (int i = 1; i <= 10; ++i) {
            t.Percent = i * 10;
            Sleep(20);
        }
    };
    thread.Start();
    ASSERT_TRUE(test::PumpUntil([&] { return !thread.IsRunning(); }));
    EXPECT_GT(updates, 2);
}

TEST_F(WorkerThread, DestroyingARunningComponentNeitherHangsNorTerminates)
{
    bool terminated = false;
    auto thread = std::make_unique<TBMDThread>();
    thread->OnExecute = [](Component&, TBMDExecuteThread& t, void*&) {
        while (!t.Terminated())
            Sleep(5);
    };
    thread->OnTerminate = [&](Component&, TBMDExecuteThread&, void*&) { terminated = true; };
    thread->Start();
    Sleep(30);
    thread.reset();
    test::PumpFor(50);
    EXPECT_FALSE(terminated);
}

TEST_F(WorkerThread, GroupReportsItsHighestPriorityMembers)
{
    TBMDThreadGroup group;
    TBMDThread low, high;
    low.SetUpdatePriority(1);
    high.SetUpdatePriority(5);
    low.SetThreadGroup(&group);
    high.SetThreadGroup(&group);
    low.SetRefreshInterval(15);
    high.SetRefreshInterval(15);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto work = [release](Component&, TBMDExecuteThread&, void*&) { WaitForSingleObject(release, 5000); };
    low.OnExecute = work;
    high.OnExecute = work;
    std::vector<Component*> groupUpdates, threadUpdates;
    int groupStarts = 0, groupTerminates = 0;
    group.OnUpdate = [&](Component& sender, TBMDExecuteThread&, void*&, int) { groupUpdates.push_back(&sender); };
    group.OnThreadUpdate = [&](Component& sender, TBMDExecuteThread&, void*&, int) {
        threadUpdates.push_back(&sender);
    };
    group.OnStart = [&](Component&, TBMDExecuteThread&, void*&) { ++groupStarts; };
    group.OnTerminate = [&](Component&, TBMDExecuteThread&, void*&) { ++groupTerminates; };
    group.Start();
    EXPECT_EQ(group.RunningCount(), 2);
    test::PumpFor(150);
    SetEvent(release);
    ASSERT_TRUE(test::PumpUntil([&] { return !group.IsRunning(); }));
    CloseHandle(release);
    ASSERT_FALSE(groupUpdates.empty());
    for (Component* sender : groupUpdates)
        EXPECT_EQ(sender, &high);
    EXPECT_NE(std::find(threadUpdates.begin(), threadUpdates.end(), &low), threadUpdates.end());
    EXPECT_NE(std::find(threadUpdates.begin(), threadUpdates.end(), &high), threadUpdates.end());
    EXPECT_EQ(groupStarts, 1);
    EXPECT_EQ(groupTerminates, 1);
    low.SetThreadGroup(nullptr);
    high.SetThreadGroup(nullptr);
}

TEST_F(WorkerThread, AFailingTerminateHandlerReachesTheApplication)
{
    std::vector<std::string> reported;
    app->SetOnException([&](const std::exception& e) { reported.push_back(e.what()); });
    TBMDThread thread;
    thread.OnExecute = [](Component&, TBMDExecuteThread&, void*&) {};
    thread.OnTerminate = [](Component&, TBMDExecuteThread&, void*&) { throw std::runtime_error("closing failed"); };
    thread.Start();
    ASSERT_TRUE(test::PumpUntil([&] { return !reported.empty(); }));
    EXPECT_EQ(reported, std::vector<std::string>{"closing failed"});
    EXPECT_FALSE(thread.IsRunning());
}

TEST_F(WorkerThread, ARunningThreadThatLeavesItsGroupLeavesItsCount)
{
    TBMDThreadGroup outer, inner;
    inner.SetThreadGroup(&outer);
    TBMDThread thread;
    thread.SetThreadGroup(&inner);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread.OnExecute = [release](Component&, TBMDExecuteThread&, void*&) { WaitForSingleObject(release, 5000); };
    int outerTerminates = 0;
    outer.OnTerminate = [&](Component&, TBMDExecuteThread&, void*&) { ++outerTerminates; };
    thread.Start();
    EXPECT_EQ(outer.RunningCount(), 1);
    EXPECT_EQ(outer.AllThreads(), std::vector<TBMDThread*>{&thread});
    // Moving out of the sub-group, still running: no group counts it any more.
    thread.SetThreadGroup(nullptr);
    EXPECT_EQ(outer.RunningCount(), 0);
    EXPECT_EQ(inner.RunningCount(), 0);
    EXPECT_TRUE(outer.AllThreads().empty());
    EXPECT_EQ(outerTerminates, 1);
    SetEvent(release);
    ASSERT_TRUE(test::PumpUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(outerTerminates, 1);
    CloseHandle(release);
}

TEST_F(WorkerThread, TheOptimizationRunsOnTheWorkerAndItsEffectsOnTheUserInterface)
{
    test::ClearTweaks();
    const DWORD ui = GetCurrentThreadId();
    test::TestHost host(services);
    host.optimizeNet = true;
    bool closed = false;
    TBMDThread thread;
    thread.SetRefreshInterval(250);
    thread.OnExecute = [&](Component&, TBMDExecuteThread&, void*&) { Thread1Execute(host); };
    thread.OnTerminate = [&](Component&, TBMDExecuteThread&, void*&) { closed = true; };
    thread.Start();
    ASSERT_TRUE(test::PumpUntil([&] { return closed; }, 10000));
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "advance", "question", "fill"}));
    for (DWORD id : host.eventThreads)
        EXPECT_EQ(id, ui);
    test::ClearTweaks();
}

} // namespace
} // namespace qm
