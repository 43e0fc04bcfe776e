// The real system's services where the program hands them work of its own:
// ending a process, and a drive's picture.
#include <gtest/gtest.h>

#include <windows.h>

#include "child_processes.h"
#include "platform/system_services.h"
#include "platform/unique_resource.h"

namespace qm {
namespace {

bool Running(DWORD id)
{
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

TEST(WindowsServices, EndsAProcessOnlyWhenItIsTheOneMeant)
{
    test::SuspendedCopies children(1);
    ASSERT_EQ(children.Ids().size(), 1u);
    const DWORD child = children.Ids()[0];
    SystemServices& services = WindowsServices();

    int asked = 0;
    EXPECT_EQ(services.EndProcess(child,
                                  [&] {
                                      ++asked;
                                      return false;
                                  }),
              ProcessEnd::NotTheListed);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(Running(child));

    EXPECT_EQ(services.EndProcess(child, [] { return true; }), ProcessEnd::Ended);
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, child));
    if (process)
        WaitForSingleObject(process.Get(), 10000);
    EXPECT_FALSE(Running(child));

    // Ended, though this test still holds it open: not asked, not running.
    asked = 0;
    EXPECT_EQ(services.EndProcess(child,
                                  [&] {
                                      ++asked;
                                      return true;
                                  }),
              ProcessEnd::NotRunning);
    EXPECT_EQ(asked, 0);
}

TEST(WindowsServices, TheWindowsDriveHasAPicture)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof(windows));
    IconHandle icon(static_cast<HICON>(WindowsServices().DriveIcon(std::string(windows, 3))));
    EXPECT_TRUE(icon);
}

} // namespace
} // namespace qm
