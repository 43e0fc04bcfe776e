#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "app/main_form.h"
#include "app/one_instance.h"
#include "app/quarrimond.h"
#include "platform/unique_resource.h"
#include "test_support.h"

namespace qm {
namespace {

std::string ExecutableFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string full = path;
    return full.substr(0, full.find_last_of("\\/") + 1);
}

struct Child {
    UniqueHandle process;
    UniqueHandle thread;
    DWORD id = 0;
};

Child Start(const std::string& commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot start " + commandLine);
    return {UniqueHandle(info.hProcess), UniqueHandle(info.hThread), info.dwProcessId};
}

struct VisibleWindowSearch {
    DWORD process;
    bool found = false;
};

bool HasVisibleWindow(DWORD process)
{
    VisibleWindowSearch search{process};
    EnumWindows(
        [](HWND window, LPARAM context) WINAPI -> BOOL {
            auto* s = reinterpret_cast<VisibleWindowSearch*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window))
                s->found = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(OneInstance, ASecondCopyShowsNothingBringsTheFirstForwardAndEnds)
{
    test::FakeServices services;
    Application app(services);
    CreateQuarrimondWindows(app);
    auto* main = app.FindForm<TMainForm>();
    main->Show();
    ShowWindow(main->Handle(), SW_MINIMIZE); // into the tray
    ASSERT_FALSE(IsWindowVisible(main->Handle()));

    std::string program = "\"";
    program += ExecutableFolder();
    program += "..\\..\\app\\quarrimond.exe\"";
    Child second = Start(program);
    bool sawWindow = false;
    bool ended = test::PumpUntil(
        [&] {
            sawWindow = sawWindow || HasVisibleWindow(second.id);
            return WaitForSingleObject(second.process.Get(), 0) == WAIT_OBJECT_0;
        },
        20000);
    ASSERT_TRUE(ended);
    DWORD code = 1;
    GetExitCodeProcess(second.process.Get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(sawWindow);
    test::PumpUntil([&] { return IsWindowVisible(main->Handle()) != FALSE; }, 2000);
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(IsIconic(main->Handle()));
}

// Run in a child process: takes the instance and waits to be killed.
TEST(OneInstanceHelper, HoldTheInstance)
{
    const char* title = std::getenv("QUARRIMOND_HOLD_INSTANCE");
    if (!title)
        GTEST_SKIP() << "run by OneInstance.AnAbandonedInstanceIsTakenOver";
    ASSERT_TRUE(TabfOneInstance::ClaimInstance(title));
    UniqueHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, "QuarrimondTestInstanceHeld"));
    SetEvent(ready.Get());
    Sleep(INFINITE);
}

TEST(OneInstance, AnAbandonedInstanceIsTakenOver)
{
    const std::string title = "QuarrimondAbandonTest";
    UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, "QuarrimondTestInstanceHeld"));
    SetEnvironmentVariableA("QUARRIMOND_HOLD_INSTANCE", title.c_str());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    Child holder = Start(std::string("\"") + self + "\" --gtest_filter=OneInstanceHelper.HoldTheInstance");
    SetEnvironmentVariableA("QUARRIMOND_HOLD_INSTANCE", nullptr);
    ASSERT_EQ(WaitForSingleObject(ready.Get(), 20000), WAIT_OBJECT_0);
    EXPECT_FALSE(TabfOneInstance::ClaimInstance(title));
    TerminateProcess(holder.process.Get(), 9);
    WaitForSingleObject(holder.process.Get(), 5000);
    EXPECT_TRUE(TabfOneInstance::ClaimInstance(title));
}

} // namespace
} // namespace qm
