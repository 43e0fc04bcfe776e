// What the running program has loaded: the common controls come in only with
// the first window or hint that needs them, not with the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

#include <string>

#include "platform/unique_resource.h"
#include "test_support.h"
#include "x_input.h"

namespace qm {
namespace {

std::string ProgramPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string full = path;
    return full.substr(0, full.find_last_of("\\/") + 1) + "..\\..\\app\\quarrimond.exe";
}

bool HasModule(DWORD process, const char* name)
{
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process));
    if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 module{};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32First(snapshot.Get(), &module); more; more = Module32Next(snapshot.Get(), &module))
        if (lstrcmpiA(module.szModule, name) == 0)
            return true;
    return false;
}

// A visible top-level window of `process` of class `className` (null: any)
// and title `title` (null: any).
HWND FindProcessWindow(DWORD process, const char* className, const char* title)
{
    struct Search {
        DWORD process;
        const char* className;
        const char* title;
        HWND found = nullptr;
    } search{process, className, title};
    EnumWindows(
        [](HWND window, LPARAM context) WINAPI -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char text[128] = {};
            if (owner != s.process || !IsWindowVisible(window))
                return TRUE;
            if (s.className && (!GetClassNameA(window, text, sizeof(text)) || lstrcmpiA(text, s.className) != 0))
                return TRUE;
            if (s.title && (GetWindowTextA(window, text, sizeof(text)), std::string(text) != s.title))
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(ProgramLibraries, TheCommonControlsComeInWithTheFirstHint)
{
    test::XDoTool("mousemove 0 0");
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = "\"" + ProgramPath() + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    UniqueHandle process(info.hProcess), thread(info.hThread);
    HWND main = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] { return (main = FindProcessWindow(info.dwProcessId, nullptr, "Quarrimond v4.8")); }, 20000));
    // A few ticks of the shown window: the figures, the trace, the tray hint.
    test::PumpFor(2500);
    EXPECT_FALSE(HasModule(info.dwProcessId, "comctl32.dll"));

    // Onto "System info...", which has a hint.
    const POINT onButton = test::ScreenPoint(main, 48, 40);
    test::XDoTool("mousemove " + std::to_string(onButton.x) + " " + std::to_string(onButton.y));
    EXPECT_TRUE(
        test::PumpUntil([&] { return FindProcessWindow(info.dwProcessId, "tooltips_class32", nullptr); }, 10000));
    EXPECT_TRUE(HasModule(info.dwProcessId, "comctl32.dll"));

    test::XDoTool("mousemove 0 0");
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (!test::PumpUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, 20000))
        TerminateProcess(process.Get(), 1);
}

} // namespace
} // namespace qm
