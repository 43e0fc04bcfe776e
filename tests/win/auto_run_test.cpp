#include <gtest/gtest.h>

#include "components/auto_run.h"
#include "components/shutdown.h"
#include "platform/registry_key.h"
#include "test_support.h"

namespace qm {
namespace {

constexpr char kUserRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::string> UserRunValue(const std::string& name)
{
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, kUserRun))
        return std::nullopt;
    return key.ReadString(name);
}

class AutoRun : public testing::Test {
protected:
    void SetUp() override { app = std::make_unique<Application>(services); }
    void TearDown() override
    {
        RegistryKey key;
        if (key.Open(HKEY_CURRENT_USER, kUserRun, KEY_ALL_ACCESS))
            for (const char* name : {"quarrimond.exe", "other.exe", "plain"})
                key.DeleteValue(name);
    }
    test::FakeServices services;
    std::unique_ptr<Application> app;
};

TEST_F(AutoRun, TickingWritesTheFullPathUntickingRemovesIt)
{
    TabfAutoRun run;
    run.SetKind(AutoExecKind::aekUserRun);
    run.SetFileName("C:\\Program Files\\Quarrimond\\quarrimond.exe");
    EXPECT_FALSE(UserRunValue("quarrimond.exe"));
    run.SetAutoRun(true);
    run.SetAutoRun(true);
    EXPECT_EQ(UserRunValue("quarrimond.exe"), "C:\\Program Files\\Quarrimond\\quarrimond.exe");
    run.SetAutoRun(false);
    EXPECT_FALSE(UserRunValue("quarrimond.exe"));
    RegistryKey key;
    EXPECT_TRUE(key.Open(HKEY_CURRENT_USER, kUserRun)); // the key stays
}

TEST_F(AutoRun, ChangingTheFileNameMovesTheEntry)
{
    TabfAutoRun run;
    run.SetKind(AutoExecKind::aekUserRun);
    run.SetFileName("C:\\a\\quarrimond.exe");
    run.SetAutoRun(true);
    run.SetFileName("D:/b/other.exe");
    EXPECT_FALSE(UserRunValue("quarrimond.exe"));
    EXPECT_EQ(UserRunValue("other.exe"), "D:/b/other.exe");
    run.SetFileName("plain");
    EXPECT_EQ(UserRunValue("plain"), "plain");
}

TEST_F(AutoRun, TheRunningExecutableIsTheDefault)
{
    TabfAutoRun run;
    EXPECT_EQ(TabfAutoRun::ValueName(run.FileName()), "win_tests.exe");
    EXPECT_EQ(TabfAutoRun::ValueName("C:stray"), "stray");
}

TEST_F(AutoRun, ServiceListsAreLeftAloneOnWindowsNT)
{
    services.version.platform = 2;
    TabfAutoRun run;
    run.SetFileName("C:\\x\\quarrimond.exe");
    run.SetKind(AutoExecKind::aekServiceRun);
    run.SetAutoRun(true);
    RegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices") &&
                 key.ValueExists("quarrimond.exe"));
    EXPECT_FALSE(run.ApplyAutoRun());
}

TEST_F(AutoRun, ShutdownVetoTouchesNothing)
{
    TabfShutdown shutdown;
    shutdown.SetActionType(ShutdownAction::aatReboot);
    shutdown.OnQueryShutdown = [](Component&, bool& can) { can = false; };
    EXPECT_FALSE(shutdown.Execute(services));
    EXPECT_TRUE(services.exitRequests.empty());
}

TEST_F(AutoRun, ShutdownActionsAndFlags)
{
    TabfShutdown shutdown;
    shutdown.SetActionType(ShutdownAction::aatReboot);
    EXPECT_TRUE(shutdown.Execute(services));
    shutdown.SetForce(true);
    shutdown.SetActionType(ShutdownAction::aatPowerOff);
    shutdown.Execute(services);
    shutdown.SetActionType(ShutdownAction::aatLogOff);
    shutdown.Execute(services);
    shutdown.SetActionType(ShutdownAction::aatHibernate);
    shutdown.Execute(services);
    EXPECT_EQ(services.exitRequests, (std::vector<unsigned>{2, 12, 4}));
    EXPECT_EQ(services.powerRequests, (std::vector<std::pair<bool, bool>>{{false, true}}));
    EXPECT_EQ(services.privilegeRequests, 4); // Windows NT asks every time
    services.privilegeGranted = false;
    EXPECT_FALSE(shutdown.Execute(services));
    services.version.platform = 1; // no privileges on Windows 9x
    EXPECT_TRUE(shutdown.Execute(services));
}

} // namespace
} // namespace qm
