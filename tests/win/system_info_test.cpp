#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "framework/handle.h"
#include "sysinfo/system_info.h"
#include "test_support.h"

namespace qm {
namespace {

TEST(SystemInfo, AFreshContainerReportsAllSixteenSectionsInOrder)
{
    SystemInfo info; // reads nothing from the system until refreshed
    StringList lines;
    info.Report(lines, ',');
    std::vector<std::string> headers;
    for (const std::string& line : lines.Lines())
        if (line.starts_with("["))
            headers.push_back(line);
    EXPECT_EQ(headers, (std::vector<std::string>{"[Machine]", "[Operating System]", "[CPU]", "[Memory]", "[Display]",
                                                 "[Advanced Power Management]", "[Media]", "[Network]", "[Devices]",
                                                 "[ODBC]", "[DirectX]", "[Disks]", "[Processes]", "[Printers]",
                                                 "[Installed Software]", "[User Startup]"}));
    EXPECT_NE(lines.IndexOf("PhysMemTotal=0"), -1);
}

TEST(SystemInfo, RefreshFillsWhatIsBuilt)
{
    test::FakeServices services;
    services.SetMemory(40ull << 20, 256ull << 20);
    services.version = {1, 4, 10, (4u << 24) | (10u << 16) | 2222u, " A "};
    SystemInfo info;
    info.RefreshData(services);
    EXPECT_EQ(info.Memory->PhysicalTotal, 268435456);
    EXPECT_EQ(info.OS->Platform(), "Windows 9x");
    EXPECT_EQ(info.OS->BuildNumber(), 2222); // the low word only
    StringList lines;
    info.Report(lines, ',');
    EXPECT_NE(lines.IndexOf("PhysMemTotal=268,435,456"), -1);
    EXPECT_NE(lines.IndexOf("Version=4.10"), -1);
    EXPECT_TRUE(services.messages.empty());
}

std::string ExecutableFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string full = path;
    return full.substr(0, full.find_last_of("\\/") + 1);
}

DWORD RunReportTool(const std::string& arguments)
{
    std::string line = "\"";
    line += ExecutableFolder();
    line += "..\\..\\app\\quarrimond-report.exe\" ";
    line += arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 999;
    UniqueHandle process(info.hProcess), thread(info.hThread);
    WaitForSingleObject(process.Get(), 30000);
    DWORD code = 998;
    GetExitCodeProcess(process.Get(), &code);
    return code;
}

TEST(ReportTool, WritesTheAllTopicsReportWithCrLf)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string file = std::string(temp) + "quarrimond-report-test.txt";
    DeleteFileA(file.c_str());
    EXPECT_EQ(RunReportTool("\"" + file + "\""), 0u);
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string report = text.str();
    EXPECT_TRUE(report.starts_with("[Machine]\r\n[Operating System]\r\nPlatform=Windows NT\r\n")) << report.substr(0, 80);
    EXPECT_NE(report.find("\r\n[Memory]\r\nPhysMemTotal="), std::string::npos);
    EXPECT_TRUE(report.ends_with("[User Startup]\r\n"));
    EXPECT_EQ(report.find("\n\n"), std::string::npos);
    in.close();
    DeleteFileA(file.c_str());
}

TEST(ReportTool, HelpAndBadArguments)
{
    EXPECT_EQ(RunReportTool("--help"), 0u);
    EXPECT_EQ(RunReportTool("one two"), 2u);
    EXPECT_EQ(RunReportTool("Z:\\no\\such\\folder\\report.txt"), 2u);
}

} // namespace
} // namespace qm
