#include <gtest/gtest.h>

#include "sysinfo/msi_devices.h"
#include "sysinfo/msi_disk.h"
#include "sysinfo/msi_memory.h"
#include "sysinfo/viewer/overview_texts.h"

using namespace qm;

TEST(OverviewTexts, FiguresFollowTheirPatterns)
{
    // "#,##" writes nothing for zero, "#,#0" a single digit.
    EXPECT_EQ(GroupedOrBlank(0, ','), "");
    EXPECT_EQ(Grouped(0, ','), "0");
    EXPECT_EQ(GroupedOrBlank(25769803776.0, ','), "25,769,803,776");
    EXPECT_EQ(Grouped(1234567, '.'), "1.234.567");
    EXPECT_EQ(Grouped(999, ','), "999");
}

TEST(OverviewTexts, AddressRangesAsWideAsTheSystemsAddresses)
{
    EXPECT_EQ(AddressRangeText(0x10000, 0x7FFEFFFF), "00010000 - 7FFEFFFF");
    EXPECT_EQ(AddressRangeText(0x10000, 0xFFFEFFFF), "00010000 - FFFEFFFF"); // 32-bit, 4 GB aware
    // 64-bit Windows: the whole 47-bit range, not its low 32 bits.
    EXPECT_EQ(AddressRangeText(0x10000, 0x7FFFFFFEFFFFull), "000000010000 - 7FFFFFFEFFFF");
    EXPECT_EQ(AddressRangeText(0x10000, 0x7FFFFFFFFFFull), "000000010000 - 07FFFFFFFFFF"); // 8 TB, before 8.1
    EXPECT_EQ(AddressRangeText(0x10000, 0x100000000ull), "000000010000 - 000100000000");
    EXPECT_EQ(AddressRangeText(0x10000, 0xFFFFFFFFFFFFFFull), "0000000000010000 - 00FFFFFFFFFFFFFF");
    EXPECT_EQ(AddressRangeText(0, 0xFFFFFFFFFFFFFFFFull), "0000000000000000 - FFFFFFFFFFFFFFFF");
}

TEST(OverviewTexts, TheAddressRangeShowsTheFiguresOfTheReport)
{
    TMemory memory;
    memory.MinAppAddress = 0x10000;
    memory.MaxAppAddress = 0x7FFFFFFEFFFFull;
    StringList lines;
    memory.Report(lines, ',');
    const std::string shown = AddressRangeText(memory.MinAppAddress, memory.MaxAppAddress);
    const std::string low = shown.substr(0, shown.find(' ')), high = shown.substr(shown.rfind(' ') + 1);
    EXPECT_EQ("MinAppAddress=" + low.substr(low.find_first_not_of('0')), lines[8]);
    EXPECT_EQ("MaxAppAddress=" + high, lines[9]);
}

TEST(OverviewTexts, ProcessorLines)
{
    EXPECT_EQ(ProcessorLine(2, " Intel ", "Pentium III  ", 733), "2 x Intel Pentium III - 733 MHz");
    EXPECT_EQ(ModelLine(6, 8, 3), "Family 6  Model 8  Stepping 3");
}

TEST(OverviewTexts, CheckItemsSkipTheHeaderAndTickNonZeroValues)
{
    StringList lines;
    SetLines(lines, {"[CPU Features]", "MMX=1", "SSE=0", "Count=12", "Broken=x", "NoValue"});
    const std::vector<CheckItem> items = CheckItemsAfterHeader(lines);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].name, "MMX");
    EXPECT_TRUE(items[0].checked);
    EXPECT_FALSE(items[1].checked);
    EXPECT_TRUE(items[2].checked);
    EXPECT_FALSE(items[3].checked);
    EXPECT_EQ(items[4].name, "NoValue");
    EXPECT_FALSE(items[4].checked);
}

TEST(OverviewTexts, FileSystemFlagsGiveTwelveItems)
{
    StringList lines;
    AddFileFlagLines(lines, FileFlagsFrom(0x3 | 0x4, 255)); // case preserved, sensitive, unicode; long names
    const std::vector<CheckItem> items = FlagItems(lines);
    ASSERT_EQ(items.size(), 12u);
    EXPECT_EQ(items[0].name, "Case Is Preserved");
    EXPECT_TRUE(items[0].checked);
    EXPECT_TRUE(items[1].checked);
    EXPECT_TRUE(items[2].checked);
    EXPECT_FALSE(items[3].checked);
    EXPECT_TRUE(items[6].checked); // Long Filenames
    EXPECT_EQ(items[11].name, "Disk Quotas Support");
}

TEST(OverviewTexts, ProcessIdentifiersBothWays)
{
    EXPECT_EQ(ProcessIdText(1234, true), "1234");
    EXPECT_EQ(ProcessIdText(0xFFF3A4C1u, false), "0xfff3a4c1");
    EXPECT_EQ(ParseProcessIdText("1234", true), 1234u);
    EXPECT_EQ(ParseProcessIdText("0xfff3a4c1", false), 0xFFF3A4C1u);
    EXPECT_EQ(ParseProcessIdText("0x1A", false), 0x1Au);
    // What cannot be read is no identifier, never 0 (the idle process).
    EXPECT_EQ(ParseProcessIdText("", true), std::nullopt);
    EXPECT_EQ(ParseProcessIdText("12ab", true), std::nullopt);
    EXPECT_EQ(ParseProcessIdText("0x", false), std::nullopt);
    EXPECT_EQ(ParseProcessIdText("99999999999", true), std::nullopt);
}

TEST(OverviewTexts, PathsSplitAfterTheLastBackslash)
{
    EXPECT_EQ(SplitPath("C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL").folder, "C:\\WINDOWS\\SYSTEM\\");
    EXPECT_EQ(SplitPath("C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL").name, "KERNEL32.DLL");
    EXPECT_EQ(SplitPath("winlogon.exe").folder, "");
    EXPECT_EQ(SplitPath("winlogon.exe").name, "winlogon.exe");
}

TEST(OverviewTexts, TerminateQuestionKeepsTheWarningAndNamesTheProcess)
{
    const std::string warning = "WARNING: Terminating a process can cause undesired \r\nresults including loss of "
                                "data and system instability. The \r\nprocess will not be given the chance to save "
                                "its state or \r\ndata before it is terminated. Are you sure you want to \r\n"
                                "terminate the process?";
    EXPECT_EQ(TerminateQuestion("notepad.exe", false), "notepad.exe\r\n\r\n" + warning);
    const std::string own = TerminateQuestion("quarrimond.exe", true);
    EXPECT_EQ(own.rfind("quarrimond.exe\r\n\r\n", 0), 0u);
    EXPECT_NE(own.find("Quarrimond itself"), std::string::npos);
    EXPECT_TRUE(own.ends_with(warning));
    const std::string critical = TerminateQuestion("CSRSS.EXE", false);
    EXPECT_NE(critical.find("Windows needs this process"), std::string::npos);
    EXPECT_TRUE(critical.ends_with(warning));
}

TEST(OverviewTexts, AProcessNotTheListedOneIsNamedInTheRefusal)
{
    EXPECT_EQ(NotTheListedProcessText(1204, "run.exe", "other.exe"),
              "Cannot terminate this process: run.exe has ended, and its identifier 1204 now belongs to another "
              "process, other.exe.\r\n\r\nClick Refresh to list the processes running now.");
    EXPECT_EQ(NotTheListedProcessText(8, "run.exe", ""),
              "Cannot terminate this process: run.exe has ended, and its identifier 8 now belongs to another "
              "process.\r\n\r\nClick Refresh to list the processes running now.");
}

TEST(OverviewTexts, DrivesAreLabelledOnce)
{
    EXPECT_EQ(DriveItemWithLabel("C:", "SYSTEM"), "C: [SYSTEM]");
    EXPECT_EQ(DriveItemWithLabel("C: [SYSTEM]", "OTHER"), "C: [SYSTEM]");
    EXPECT_EQ(DriveItemWithLabel("A:", ""), "A: []");
    EXPECT_EQ(FreeSpacePercent(1, 3), 33);
    EXPECT_EQ(FreeSpacePercent(2, 3), 67);
    EXPECT_EQ(FreeSpacePercent(5, 0), 0);
    // Terabyte disks do not overflow the percentage.
    EXPECT_EQ(FreeSpacePercent(4'000'000'000'000LL, 8'000'000'000'000LL), 50);
}

TEST(OverviewTexts, TopicFileNamesComeFromTrimmedCaptions)
{
    EXPECT_EQ(TopicReportFileName(" CPU "), "CPU.txt");
    EXPECT_EQ(TopicReportFileName(" Processess "), "Processess.txt");
    EXPECT_EQ(TopicReportFileName("Windows NT"), "Windows NT.txt");
}

TEST(OverviewTexts, IconsOfClassesAndPrinters)
{
    // The class table's own order gives the documented pictures.
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("Battery")), 9);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("Display")), 2);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("HID")), 26);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("Monitor")), 3);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("Net")), 15);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("Printer")), 35);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("System")), 1);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("USB")), 20);
    EXPECT_EQ(DeviceClassIcon(DeviceClassIndex("Volume")), 6);
    EXPECT_EQ(DeviceClassIcon(-1), 18);
    EXPECT_EQ(PrinterIcon("LPT1:", false), 35);
    EXPECT_EQ(PrinterIcon("LPT1:", true), 36);
    EXPECT_EQ(PrinterIcon("\\\\server\\laser", false), 37);
    EXPECT_EQ(PrinterIcon("\\\\server\\laser", true), 38);
}

TEST(OverviewTexts, DeviceTreeGroupsRunsOfOneClass)
{
    const std::vector<DeviceTreeInput> devices = {{2, "Disk drives", "QEMU HARDDISK"},
                                                  {2, "Disk drives", "QEMU DVD"},
                                                  {3, "Display adapters", "VGA"},
                                                  {2, "Disk drives", "USB stick"},
                                                  {21, "Net", ""}};
    const std::vector<DeviceTreeClass> classes = DeviceTreeClasses(devices);
    ASSERT_EQ(classes.size(), 4u);
    EXPECT_EQ(classes[0].caption, "Disk drives");
    EXPECT_EQ(classes[0].icon, 4);
    ASSERT_EQ(classes[0].devices.size(), 2u);
    EXPECT_EQ(classes[0].devices[1].index, 1);
    EXPECT_EQ(classes[1].devices[0].caption, "VGA");
    // The same class after another one starts a node of its own.
    EXPECT_EQ(classes[2].devices[0].index, 3);
    // A device with neither name keeps an empty caption.
    EXPECT_EQ(classes[3].devices[0].caption, "");
    EXPECT_TRUE(DeviceTreeClasses({}).empty());
}
