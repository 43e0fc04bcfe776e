// The console report tool run as a person runs it, with wrong arguments, a
// file it cannot replace, a topic whose reading fails and topics that do not,
// and the JSON fields of the drives.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "automation_server/automation_server.h"
#include "child_processes.h"
#include "registry_fixture.h"

namespace qm {
namespace {

std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    const std::string folder = std::string(temp) + "qm-report-tool\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int FilesIn(const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

void Remove(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// The part of a JSON report about one topic: from its name to the next topic's.
std::string TopicPart(const std::string& json, const std::string& name)
{
    const size_t start = json.find("{\"name\":\"" + name + "\"");
    if (start == std::string::npos)
        return {};
    const size_t end = json.find("{\"name\":\"", start + 1);
    return json.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(ReportTool, ArgumentsItDoesNotUnderstandAreUsageErrors)
{
    const std::string folder = TempFolder();
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(current), current);
    SetCurrentDirectoryA(folder.c_str());
    Remove(folder + "-v");
    const std::string file = folder + "args.txt";
    Remove(file);
    for (const char* arguments : {"-v", "--format", "--format \"\"", "--format xml", "--topic",
                                  "--format json --format text args.txt", "a.txt b.txt"})
        EXPECT_EQ(test::RunReportTool(arguments), 2u) << arguments;
    EXPECT_FALSE(Exists(folder + "-v"));
    EXPECT_FALSE(Exists(file));
    SetCurrentDirectoryA(current);
}

TEST(ReportTool, TheFileIsWrittenWholeOrNotAtAll)
{
    const std::string folder = TempFolder() + "whole\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "report.txt";
    Remove(file);
    ASSERT_EQ(test::RunReportTool("--topic memory \"" + file + "\""), 0u);
    const std::string first = Read(file);
    EXPECT_TRUE(first.starts_with("[Memory]\r\n")) << first.substr(0, 40);
    EXPECT_EQ(FilesIn(folder), 1);

    // A file that may not be replaced stays as it was; nothing else is left.
    {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << "kept";
    }
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(test::RunReportTool("--topic memory \"" + file + "\""), 2u);
    EXPECT_EQ(Read(file), "kept");
    EXPECT_EQ(FilesIn(folder), 1);
    Remove(file);
    // A folder that does not exist.
    EXPECT_EQ(test::RunReportTool("--topic memory \"" + folder + "missing\\report.txt\""), 2u);
    RemoveDirectoryA(folder.c_str());
}

// A data engine whose version cannot be read, as the engine tests register it.
class FailingEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof(path));
        std::string folder = path;
        folder.erase(folder.find_last_of('\\') + 1);
        const std::string classes = "SOFTWARE\\Classes\\";
        registry.Text(HKEY_LOCAL_MACHINE, classes + "DAO.DBEngine.36\\CLSID", "", test::kFailingEngineText);
        const std::string server = classes + "CLSID\\" + test::kFailingEngineText + "\\InprocServer32";
        registry.Text(HKEY_LOCAL_MACHINE, server, "", folder + test::kServerFile);
        registry.Text(HKEY_LOCAL_MACHINE, server, "ThreadingModel", "Apartment");
    }
    test::RegistryFixture registry;
};

TEST_F(FailingEngine, OnlyTheTopicsAskedForAreReadAndTheirFailuresFiledUnderThem)
{
    const std::string file = TempFolder() + "topics.json";
    Remove(file);
    // The engines are not read for the processor alone.
    EXPECT_EQ(test::RunReportTool("--topic cpu \"" + file + "\""), 0u);
    EXPECT_EQ(test::RunReportTool("--topic engines \"" + file + "\""), 1u);

    ASSERT_EQ(test::RunReportTool("--format json --topic engines --topic cpu \"" + file + "\""), 1u);
    const std::string json = Read(file);
    EXPECT_NE(TopicPart(json, "Engines").find("\"failures\":[\"TEngines.GetInfo: "), std::string::npos) << json;
    EXPECT_NE(TopicPart(json, "CPU").find("\"failures\":[]"), std::string::npos);

    // All topics: the failure is the engines' alone.
    ASSERT_EQ(test::RunReportTool("--format json \"" + file + "\""), 1u);
    const std::string all = Read(file);
    EXPECT_NE(TopicPart(all, "Engines").find("\"failures\":[\"TEngines.GetInfo: "), std::string::npos);
    for (const char* other : {"Machine", "Operating System", "Drives", "Startup", "Software"})
        EXPECT_NE(TopicPart(all, other).find("\"failures\":[]"), std::string::npos) << other;
    Remove(file);
}

// The report selects every drive in turn; the fields describe the system drive.
TEST(ReportTool, TheDriveFieldsDescribeTheSystemDrive)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof(windows));
    DWORD drives = GetLogicalDrives();
    ASSERT_GT(__builtin_popcount(drives), 1) << "needs a second drive";
    const std::string file = TempFolder() + "drives.json";
    Remove(file);
    ASSERT_EQ(test::RunReportTool("--format json --topic drives \"" + file + "\""), 0u);
    const std::string json = Read(file);
    EXPECT_NE(json.find("\"Drive\":\"" + std::string(windows, 2) + "\""), std::string::npos) << json.substr(0, 300);
    char label[MAX_PATH] = {}, fileSystem[MAX_PATH] = {};
    DWORD serial = 0, longest = 0, flags = 0;
    ASSERT_TRUE(GetVolumeInformationA((std::string(windows, 2) + "\\").c_str(), label, MAX_PATH, &serial, &longest,
                                      &flags, fileSystem, MAX_PATH));
    EXPECT_NE(json.find("\"FileSystem\":\"" + std::string(fileSystem) + "\""), std::string::npos);
    Remove(file);
}

} // namespace
} // namespace qm
