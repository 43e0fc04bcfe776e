// Built once per emulated Windows version: the optimization writes exactly
// the table for the version Wine reports, read back from the real registry.
#include <gtest/gtest.h>

#include "../optimizer_support.h"
#include "expected_version.h"
#include "optimizer/thread1_execute.h"

namespace qm {
namespace {

// The real version as Wine reports it; everything else as in the other tests.
class VersionedServices : public test::FakeServices {
public:
    OsVersionInfo OsVersion() override { return WindowsServices().OsVersion(); }
};

void Print(const char* title, const std::vector<test::StoredValue>& values)
{
    std::printf("%s\n", title);
    for (const auto& v : values) {
        if (v.type == REG_SZ)
            std::printf("    %-28s REG_SZ     %s\n", v.name.c_str(), v.text.c_str());
        else
            std::printf("    %-28s REG_DWORD  0x%x\n", v.name.c_str(), v.number);
    }
}

TEST(OptimizerOnThisWindows, WritesTheTableForThisVersionAndNothingElse)
{
    VersionedServices services;
    Application app(services);
    OsVersionInfo version = services.OsVersion();
    ASSERT_EQ(version.platform, static_cast<unsigned>(test::ExpectedPlatform()));
    ASSERT_EQ(version.major, static_cast<unsigned>(test::ExpectedMajor()));
    test::ClearTweaks();

    test::TestHost host(services);
    host.optimizeNet = true;
    host.lineSpeed = 3;
    Thread1Execute(host);

    auto mstcp = test::ValuesOf(HKEY_LOCAL_MACHINE, test::kMstcpKey);
    auto tcpip = test::ValuesOf(HKEY_LOCAL_MACHINE, test::kTcpipKey);
    auto limits = test::ValuesOf(HKEY_CURRENT_USER, test::kInternetKey);
    std::printf("Windows %u.%u (platform %u):\n", version.major, version.minor, version.platform);
    Print("  HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP", mstcp);
    Print("  HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", tcpip);
    Print("  HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", limits);

    const TweakTable* table =
        ChooseTweakTable(test::ExpectedPlatform() == 1 ? "Windows 9x" : "Windows NT", test::ExpectedMajor());
    std::vector<test::StoredValue> expected = test::ValuesOfTable(table);
    EXPECT_EQ(test::ExpectedPlatform() == 1 ? mstcp : tcpip, test::Sorted(expected));
    EXPECT_TRUE((test::ExpectedPlatform() == 1 ? tcpip : mstcp).empty());
    if (table)
        EXPECT_EQ(limits,
                  test::Sorted({test::Dw("MaxConnectionsPerServer", 7), test::Dw("MaxConnectionsPer1_0Server", 7)}));
    else
        EXPECT_TRUE(limits.empty());
    // Asked once, whether or not anything was written.
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "question"), 1);
    test::ClearTweaks();
}

} // namespace
} // namespace qm
