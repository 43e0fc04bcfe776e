#pragma once
// Child processes a test starts itself.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/unique_resource.h"

namespace qm::test {

// Copies of this program, held before their first instruction and ended with the test.
class SuspendedCopies {
public:
    explicit SuspendedCopies(int count)
    {
        for (int i = 0; i < count; ++i) {
            STARTUPINFOA startup{};
            startup.cb = sizeof(startup);
            PROCESS_INFORMATION process{};
            char path[MAX_PATH] = {};
            GetModuleFileNameA(nullptr, path, MAX_PATH);
            std::string command = path;
            command.insert(command.begin(), '"');
            command += "\" --gtest_list_tests";
            if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &process)) {
                CloseHandle(process.hThread);
                processes_.emplace_back(process.hProcess);
                ids_.push_back(process.dwProcessId);
            }
        }
    }
    ~SuspendedCopies()
    {
        for (UniqueHandle& process : processes_) {
            TerminateProcess(process.Get(), 0);
            WaitForSingleObject(process.Get(), 10000);
        }
    }
    SuspendedCopies(const SuspendedCopies&) = delete;
    SuspendedCopies& operator=(const SuspendedCopies&) = delete;
    const std::vector<DWORD>& Ids() const { return ids_; }

private:
    std::vector<UniqueHandle> processes_;
    std::vector<DWORD> ids_;
};

// Runs the console report tool built beside the tests with `arguments` and
// returns its exit code (999: it did not start, 998: no code).
inline DWORD RunReportTool(const std::string& arguments)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder = path;
    folder.erase(folder.find_last_of("\\/") + 1);
    std::string line = "\"" + folder + "..\\..\\app\\quarrimond-report.exe\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 999;
    UniqueHandle process(info.hProcess), thread(info.hThread);
    WaitForSingleObject(process.Get(), 60000);
    DWORD code = 998;
    GetExitCodeProcess(process.Get(), &code);
    return code;
}

} // namespace qm::test
