#include <gtest/gtest.h>

#include "sysinfo/os_kind.h"
#include "sysinfo/report_format.h"

namespace qm {
namespace {

TEST(FormatSeconds, FromTheLargestNonZeroUnitDown)
{
    EXPECT_EQ(FormatSeconds(3725), "1 Hour, 2 Minutes, 5 Seconds.");
    EXPECT_EQ(FormatSeconds(90000), "1 Day, 1 Hour, 0 Minutes, 0 Seconds.");
    EXPECT_EQ(FormatSeconds(59), "59 Seconds.");
    EXPECT_EQ(FormatSeconds(1), "1 Second.");
    EXPECT_EQ(FormatSeconds(0), "0 Seconds.");
    EXPECT_EQ(FormatSeconds(3600), "1 Hour, 0 Minutes, 0 Seconds.");
    EXPECT_EQ(FormatSeconds(31579200 + 61), "1 Year, 0 Months, 0 Weeks, 0 Days, 0 Hours, 1 Minute, 1 Second.");
    EXPECT_EQ(FormatSeconds(2 * 3157920000ll),
              "2 Centuries, 0 Years, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds.");
    EXPECT_EQ(FormatSeconds(61, false), "1 Minute, 1.00 Second."); // exactly one: singular
}

TEST(ReportFormat, LinesAndLists)
{
    StringList lines;
    AddSection(lines, "Memory");
    AddInteger(lines, "MemoryLoad", -3);
    AddHex(lines, "Mask", 0xABCDEF);
    AddBool(lines, "FDIVBug", false);
    AddText(lines, "Name", "x = y");
    AddListToReport({"640x480", "800x600", "1024x768"}, "Count", "Mode", lines);
    EXPECT_EQ(lines.Text(),
              "[Memory]\r\nMemoryLoad=-3\r\nMask=ABCDEF\r\nFDIVBug=0\r\nName=x = y\r\n"
              "Count=3\r\nMode1=640x480\r\nMode2=800x600\r\nMode3=1024x768\r\n");
    StringList empty;
    AddListToReport({}, "Count", "Mode", empty);
    EXPECT_EQ(empty.Text(), "Count=0\r\n");
}

// A start-up entry named "[Updater]" and one whose command holds a line break,
// a printer named like a section: each stays one key=value line of its section.
TEST(ReportFormat, TextsFromTheSystemStayOneLineAndNoKeyReadsAsAHeader)
{
    StringList lines;
    AddSection(lines, "HKCU Run");
    AddText(lines, "[Updater]", "C:\\u\\updater.exe /x]");
    AddText(lines, "Two lines", "a.exe\r\n[Injected]\r\nInjected=1");
    AddText(lines, "Lone breaks", "a\rb\nc\td\x01");
    AddBool(lines, "[HP] on LPT1:", true);
    AddKeyValueText(lines, "=C:=C:\\Temp");
    AddKeyValueText(lines, "PATH=C:\\a;C:\\b=c\r\n[x]");
    AddKeyValueText(lines, "[lonely]");
    EXPECT_EQ(lines.Lines(),
              (std::vector<std::string>{"[HKCU Run]", "(Updater)=C:\\u\\updater.exe /x]",
                                        "Two lines=a.exe [Injected] Injected=1", "Lone breaks=a b c\td ",
                                        "(HP) on LPT1:=1", "=C:=C:\\Temp", "PATH=C:\\a;C:\\b=c [x]", "(lonely)"}));
    for (const std::string& line : lines.Lines())
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    // A bracket inside a key, or a value that looks like a header, changes nothing.
    EXPECT_EQ(ReportKeyText("Tool [beta]"), "Tool [beta]");
    EXPECT_EQ(ReportValueText("[DiskC:]"), "[DiskC:]");
}

TEST(ReportFormat, GroupedFiguresUseTheLocaleSeparator)
{
    EXPECT_EQ(GroupDigits(268435456, ','), "268,435,456");
    EXPECT_EQ(GroupDigits(268435456, '.'), "268.435.456");
    EXPECT_EQ(GroupDigits(268435456, 0), "268435456");
    EXPECT_EQ(GroupDigits(0, ','), "0");
    EXPECT_EQ(GroupDigits(999, ','), "999");
    EXPECT_EQ(GroupDigits(1000, ','), "1,000");
    EXPECT_EQ(GroupDigits(2.5, ','), "3"); // half away from zero
    EXPECT_EQ(GroupDigits(-1234567, ','), "-1,234,567");
    EXPECT_EQ(GroupDigits(25769803776.0, ','), "25,769,803,776"); // beyond 32 bits
}

TEST(OSKind, FromTheVersionRecord)
{
    EXPECT_EQ(OSKindFromVersion(2, 5, 1, "Service Pack 3"), TOSKind::osXP);
    EXPECT_EQ(OSKindFromVersion(2, 5, 0, ""), TOSKind::os2K);
    EXPECT_EQ(OSKindFromVersion(2, 4, 0, ""), TOSKind::osNT4);
    EXPECT_EQ(OSKindFromVersion(2, 3, 51, ""), TOSKind::osNT3);
    EXPECT_EQ(OSKindFromVersion(2, 6, 1, ""), TOSKind::osUnknown);
    EXPECT_EQ(OSKindFromVersion(1, 4, 0, " B "), TOSKind::os95OSR2);
    EXPECT_EQ(OSKindFromVersion(1, 4, 0, " C "), TOSKind::os95);
    EXPECT_EQ(OSKindFromVersion(1, 4, 10, " A "), TOSKind::os98SE);
    EXPECT_EQ(OSKindFromVersion(1, 4, 10, ""), TOSKind::os98);
    EXPECT_EQ(OSKindFromVersion(1, 4, 90, " "), TOSKind::osME);
    EXPECT_TRUE(IsNTKind(TOSKind::osXP));
    EXPECT_FALSE(IsNTKind(TOSKind::osME));
    EXPECT_EQ(OSNameOf(TOSKind::osXP), "Windows XP");
    EXPECT_EQ(OSNameOf(TOSKind::osME), "Windows Millenium Edition");
    EXPECT_EQ(OSNameOf(TOSKind::osUnknown), "");
    EXPECT_EQ(ClassKeyOf(TOSKind::osXP), "SYSTEM\\CurrentControlSet\\Control\\Class");
    EXPECT_EQ(ClassKeyOf(TOSKind::os98), "SYSTEM\\CurrentControlSet\\Services\\Class");
}

TEST(SharedTexts, ProfileBlanksMultiStringsAndReplacement)
{
    EXPECT_EQ(ProfilePathFrom("C:\\users\\me\\Desktop"), "C:\\users\\me");
    EXPECT_EQ(ProfilePathFrom("C:\\WINDOWS\\Desktop\\"), "C:\\WINDOWS\\Desktop");
    EXPECT_EQ(ProfilePathFrom("nowhere"), "");
    EXPECT_EQ(RemoveBlanks("  a b\r\nc \t"), "abc");
    EXPECT_EQ(ReverseText("C:\\x"), "x\\:C");
    EXPECT_EQ(ReverseText(""), "");
    EXPECT_EQ(MultiStrToStr(std::string_view("ab\0cd\0\0ef", 9)), "abcd");
    EXPECT_EQ(ReplaceTextAll("Audio AUDIO audio", "audio", "A"), "A A A");
    EXPECT_EQ(ReplaceTextAll("aaa", "a", "aa"), "aaaaaa"); // inserted text is not scanned again
}

} // namespace
} // namespace qm

#include "sysinfo/msi_memory.h"

namespace qm {
namespace {

TEST(MemoryReport, LinesInOrderWithGroupedFiguresAndHexAddresses)
{
    TMemory memory;
    memory.PhysicalTotal = 268435456;
    memory.PhysicalFree = 41943040;
    memory.PageFileTotal = 402653184;
    memory.PageFileFree = 0;
    memory.VirtualTotal = 2147352576;
    memory.VirtualFree = 2100000000;
    memory.AllocGranularity = 65536;
    memory.MinAppAddress = 65536;
    memory.MaxAppAddress = 0x7FFEFFFF;
    memory.PageSize = 4096;
    memory.MemoryLoad = 84; // not reported
    StringList lines;
    memory.Report(lines, ',');
    EXPECT_EQ(lines.Text(),
              "[Memory]\r\nPhysMemTotal=268,435,456\r\nPhysMemFree=41,943,040\r\n"
              "PageFileTotal=402,653,184\r\nPageFileFree=0\r\nVirtMemTotal=2,147,352,576\r\n"
              "VirtMemFree=2,100,000,000\r\nAllocGranularity=65,536\r\nMinAppAddress=10000\r\n"
              "MaxAppAddress=7FFEFFFF\r\nPageSize=4,096\r\n");
}

TEST(MemoryReport, FiguresBeyondFourGigabytesStayWhole)
{
    TMemory memory;
    memory.PhysicalTotal = 24ll << 30;
    StringList lines;
    memory.Report(lines, 0);
    EXPECT_EQ(lines[1], "PhysMemTotal=25769803776");
}

TEST(MemoryReport, AFreshCollectorReportsZeros)
{
    StringList lines;
    TMemory().Report(lines, '.');
    EXPECT_EQ(lines.Count(), 11u);
    EXPECT_EQ(lines[8], "MinAppAddress=0");
}

} // namespace
} // namespace qm
