#include <gtest/gtest.h>

#include "sysinfo/msi_memory.h"
#include "test_support.h"

namespace qm {
namespace {

TEST(MemoryCollector, AgreesWithTheSystemsMemoryStatus)
{
    TMemory memory;
    memory.GetInfo(WindowsServices());
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    EXPECT_EQ(memory.PhysicalTotal, static_cast<std::int64_t>(status.ullTotalPhys));
    EXPECT_GT(memory.PhysicalTotal, 0);
    EXPECT_GT(memory.PageSize, 0);
    EXPECT_GT(memory.AllocGranularity, 0);
    EXPECT_LT(memory.MinAppAddress, memory.MaxAppAddress);
    StringList lines;
    memory.Report(lines, 0);
    EXPECT_EQ(lines[1], "PhysMemTotal=" + std::to_string(status.ullTotalPhys));
}

TEST(MemoryCollector, AFailureIsReportedUnderItsTitleAndTheFiguresStay)
{
    struct Failing : test::FakeServices {
        MemoryStatus ReadMemoryStatus() override { throw std::runtime_error("no status"); }
    } services;
    TMemory memory;
    memory.PhysicalTotal = 7;
    memory.GetInfo(services);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].caption, "TMemory.GetInfo");
    EXPECT_EQ(services.messages[0].text, "no status");
    EXPECT_FALSE(services.messages[0].hasOwner);
    EXPECT_EQ(memory.PhysicalTotal, 7);
}

} // namespace
} // namespace qm
