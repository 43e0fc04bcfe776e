#include <gtest/gtest.h>

#include <chrono>

#include "optimizer/thread1_execute.h"
#include "optimizer_support.h"
#include "platform/touched_block.h"

namespace qm {
namespace {

using test::Dw;
using test::Sz;

class Optimizer : public testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        test::ClearTweaks();
    }
    void TearDown() override { test::ClearTweaks(); }

    void RunAs(unsigned platform, unsigned major)
    {
        services.version = {platform, major, 0, 1000, ""};
        Thread1Execute(host);
    }

    // What was written, in order; each check also reads the registry back.
    std::vector<test::StoredValue> Machine9x()
    {
        auto written = test::ValuesIn(host.writes, "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
        EXPECT_EQ(test::Sorted(written), test::ValuesOf(HKEY_LOCAL_MACHINE, test::kMstcpKey));
        return written;
    }
    std::vector<test::StoredValue> MachineNT()
    {
        auto written = test::ValuesIn(host.writes, "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters");
        EXPECT_EQ(test::Sorted(written), test::ValuesOf(HKEY_LOCAL_MACHINE, test::kTcpipKey));
        return written;
    }
    std::vector<test::StoredValue> Limits()
    {
        auto written =
            test::ValuesIn(host.writes, "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings");
        EXPECT_EQ(test::Sorted(written), test::ValuesOf(HKEY_CURRENT_USER, test::kInternetKey));
        return written;
    }

    test::FakeServices services;
    std::unique_ptr<Application> app;
    test::TestHost host{services};
};

TEST_F(Optimizer, NothingTickedOnlyFillsTheBarAfterTheirPauses)
{
    auto start = std::chrono::steady_clock::now();
    RunAs(2, 5);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(host.events, (std::vector<std::string>{"fill"}));
    EXPECT_GE(seconds, 0.95);
    EXPECT_TRUE(MachineNT().empty());
    EXPECT_TRUE(Limits().empty());
}

TEST_F(Optimizer, Windows9xWritesFiveStringsOneDwordAndTheLimits)
{
    host.optimizeNet = true;
    host.lineSpeed = 1;
    RunAs(1, 4);
    EXPECT_EQ(Machine9x(),
              (std::vector<test::StoredValue>{Sz("DefaultTTL", "128"), Sz("DefaultRcvWindow", "372300"),
                                              Sz("PMTUBlackHoleDetect", "0"), Sz("PMTUDiscovery", "1"),
                                              Sz("SackOpts", "1"), Dw("Tcp1323Opts", 3)}));
    EXPECT_TRUE(MachineNT().empty());
    EXPECT_EQ(Limits(),
              (std::vector<test::StoredValue>{Dw("MaxConnectionsPerServer", 5), Dw("MaxConnectionsPer1_0Server", 5)}));
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "advance", "question", "fill"}));
    EXPECT_EQ(host.question,
              "Your system needs to be restarted for the changes to take effect. Would you like to restart it now?");
}

TEST_F(Optimizer, NT4WithXdslWritesItsFourValuesAndLimitsOfSeven)
{
    host.optimizeNet = true;
    host.lineSpeed = 3;
    RunAs(2, 4);
    EXPECT_EQ(MachineNT(),
              (std::vector<test::StoredValue>{Dw("DefaultTTL", 128), Dw("TcpWindowSize", 0xFAF0),
                                              Dw("EnablePMTUBHDetect", 0), Dw("EnablePMTUDiscovery", 1)}));
    EXPECT_EQ(Limits(),
              (std::vector<test::StoredValue>{Dw("MaxConnectionsPerServer", 7), Dw("MaxConnectionsPer1_0Server", 7)}));
}

TEST_F(Optimizer, NT5WritesSevenDwordsInOrder)
{
    host.optimizeNet = true;
    host.lineSpeed = 4;
    RunAs(2, 5);
    EXPECT_EQ(MachineNT(),
              (std::vector<test::StoredValue>{Dw("DefaultTTL", 128), Dw("TcpWindowSize", 372300),
                                              Dw("GlobalMaxTcpWindowSize", 372300), Dw("EnablePMTUBHDetect", 0),
                                              Dw("EnablePMTUDiscovery", 1), Dw("SackOpts", 1), Dw("Tcp1323Opts", 3)}));
    EXPECT_EQ(Limits()[0], Dw("MaxConnectionsPerServer", 8));
}

TEST_F(Optimizer, LaterWindowsWritesNothingButStillAsks)
{
    host.optimizeNet = true;
    RunAs(2, 6);
    EXPECT_TRUE(MachineNT().empty());
    EXPECT_TRUE(Limits().empty());
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "advance", "question", "fill"}));
}

TEST_F(Optimizer, ALineSpeedOutsideTheScaleWritesNoLimits)
{
    host.optimizeNet = true;
    for (int speed : {0, 5}) {
        host.lineSpeed = speed;
        host.writes.clear();
        RunAs(2, 5);
        EXPECT_TRUE(Limits().empty()) << speed;
        EXPECT_EQ(MachineNT().size(), 7u);
    }
}

TEST_F(Optimizer, WithoutRightsOnTheMachineTheUserLimitsAreStillWritten)
{
    host.optimizeNet = true;
    host.refuseMachine = true;
    RunAs(2, 5);
    EXPECT_TRUE(MachineNT().empty());
    EXPECT_EQ(Limits().size(), 2u);
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "advance", "question", "fill"}));
}

TEST_F(Optimizer, AFailingWriteSkipsTheRestButStillAsks)
{
    host.optimizeNet = true;
    host.failingValue = "EnablePMTUBHDetect";
    services.version = {2, 5, 0, 2195, ""};
    EXPECT_THROW(Thread1Execute(host), std::runtime_error);
    EXPECT_EQ(MachineNT(),
              (std::vector<test::StoredValue>{Dw("DefaultTTL", 128), Dw("TcpWindowSize", 372300),
                                              Dw("GlobalMaxTcpWindowSize", 372300)}));
    EXPECT_TRUE(Limits().empty());
    // Steps after the registry step do not run: the bar is not filled.
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "advance", "question"}));
}

TEST_F(Optimizer, MemoryStepTwoStepsOrOneWhenTheBlockCannotBeHad)
{
    host.optimizeRam = true;
    host.ramMiB = 16;
    RunAs(2, 5);
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "advance", "fill"}));
    EXPECT_EQ(services.touched, (std::vector<std::uint64_t>{16ull << 20}));
    host.events.clear();
    services.failAllocation = true;
    RunAs(2, 5);
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "fill"}));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(Optimizer, AfterTheUserQuitNothingIsWrittenOrAsked)
{
    host.optimizeRam = true;
    host.optimizeNet = true;
    host.ramMiB = 16;
    services.whileTouching = [&] { host.stopRequested = true; };
    RunAs(2, 5);
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(test::ValuesOf(HKEY_LOCAL_MACHINE, test::kTcpipKey).empty());
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "question"), 0);
}

TEST(TouchedBlock, WrittenPieceByPieceAndGivenUpWhenAsked)
{
    int asked = 0;
    {
        TouchedBlock whole(64u << 20, [&] { return ++asked < 0; });
    }
    EXPECT_EQ(asked, 4); // 16 MiB pieces
    asked = 0;
    {
        TouchedBlock stopped(64u << 20, [&] { return ++asked >= 2; });
    }
    EXPECT_EQ(asked, 2);
    EXPECT_THROW(TouchedBlock(~0ull >> 1), std::bad_alloc);
}

TEST_F(Optimizer, BothOptionsCountFiveSteps)
{
    host.optimizeRam = true;
    host.optimizeNet = true;
    host.ramMiB = 8;
    RunAs(2, 5);
    EXPECT_EQ(host.events, (std::vector<std::string>{"advance", "advance", "advance", "advance", "question", "fill"}));
    EXPECT_TRUE(services.exitRequests.empty()); // "No" restarts nothing
}

TEST_F(Optimizer, YesRestartsWithTheShutdownPrivilegeOnNT)
{
    host.optimizeNet = true;
    host.answerYes = true;
    RunAs(2, 5);
    EXPECT_EQ(services.privilegeRequests, 1);
    EXPECT_EQ(services.exitRequests, (std::vector<unsigned>{2}));
}

} // namespace
} // namespace qm
