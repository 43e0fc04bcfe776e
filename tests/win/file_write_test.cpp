// Whole files: a file under its own name is always complete. Written new or
// replaced, kept when asked to, and on every failure nothing at the name
// changes and no temporary file stays behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_write.h"

namespace qm {
namespace {

// The system's own words for an error.
std::string SystemText(DWORD code)
{
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof(text),
                   nullptr);
    std::string out = text;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
        out.pop_back();
    return out;
}

class WholeFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        folder_ = std::string(temp) + "qm-whole-files\\";
        Clear();
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override { Clear(); }

    std::string Path(const char* name) const { return folder_ + name; }
    std::string Read(const char* name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The names in the folder, temporary files included.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found{};
        HANDLE find = FindFirstFileA((folder_ + "*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    void Clear()
    {
        for (const std::string& name : Names()) {
            const std::string path = folder_ + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str()))
                RemoveDirectoryA(path.c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }
    std::string folder_;
};

TEST_F(WholeFiles, WrittenNewReplacedOrKeptAsAsked)
{
    const std::string bytes("line\r\n\0binary\xFF", 14);
    FileWriteResult result = WriteWholeFile(Path("report.txt"), bytes, ExistingFile::Replace);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.reason.empty());
    EXPECT_EQ(Read("report.txt"), bytes);
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});

    EXPECT_TRUE(WriteWholeFile(Path("report.txt"), "second", ExistingFile::Replace).ok);
    EXPECT_EQ(Read("report.txt"), "second");

    // Kept: a file already there counts as written and stays as it was.
    EXPECT_TRUE(WriteWholeFile(Path("report.txt"), "third", ExistingFile::Keep).ok);
    EXPECT_EQ(Read("report.txt"), "second");
    EXPECT_TRUE(WriteWholeFile(Path("backup.reg"), "kept", ExistingFile::Keep).ok);
    EXPECT_EQ(Read("backup.reg"), "kept");

    EXPECT_TRUE(WriteWholeFile(Path("empty.txt"), "", ExistingFile::Replace).ok);
    EXPECT_EQ(Read("empty.txt"), "");
    EXPECT_EQ(Names(), (std::vector<std::string>{"backup.reg", "empty.txt", "report.txt"}));
}

TEST_F(WholeFiles, AFailureChangesNothingAndLeavesNothing)
{
    ASSERT_TRUE(WriteWholeFile(Path("locked.txt"), "protected", ExistingFile::Replace).ok);
    SetFileAttributesA(Path("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    FileWriteResult result = WriteWholeFile(Path("locked.txt"), "new", ExistingFile::Replace);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, SystemText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Read("locked.txt"), "protected");

    // A folder under the name is no file to replace, nor to keep.
    CreateDirectoryA(Path("folder").c_str(), nullptr);
    result = WriteWholeFile(Path("folder"), "x", ExistingFile::Replace);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, SystemText(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(WriteWholeFile(Path("folder"), "x", ExistingFile::Keep).ok);

    // A folder that is not there: the system's reason.
    result = WriteWholeFile(Path("absent\\report.txt"), "x", ExistingFile::Replace);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(result.reason.find('\n'), std::string::npos);

    EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "locked.txt"}));
}

} // namespace
} // namespace qm
