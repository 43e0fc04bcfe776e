#include <gtest/gtest.h>

#include <string>

#include "sysinfo/msi_os.h"
#include "sysinfo/startup_values.h"

namespace qm {
namespace {

using namespace std::string_literals;

TEST(Environment, WalkStopsAtTheEmptyStringOrTheLimit)
{
    EXPECT_EQ(EnvironmentStringsFrom("A=1\0B=2\0\0C=3\0\0"s), (std::vector<std::string>{"A=1", "B=2"}));
    EXPECT_TRUE(EnvironmentStringsFrom("\0\0"s).empty());
    EXPECT_TRUE(EnvironmentStringsFrom(""s).empty());

    // A block longer than 4096 characters: only strings ending inside them count.
    std::string block;
    std::vector<std::string> expected;
    for (int i = 0; block.size() < 5000; ++i) {
        std::string entry = "VARIABLE_" + std::to_string(i) + "=" + std::string(90, 'v');
        if (block.size() + entry.size() < kEnvironmentWalkLimit) // its NUL falls inside
            expected.push_back(entry);
        block += entry;
        block += '\0';
    }
    block += '\0';
    const auto strings = EnvironmentStringsFrom(block);
    EXPECT_EQ(strings, expected);
    EXPECT_LT(strings.size(), 50u);
    // A string whose NUL is the 4096th character still counts.
    std::string exact = std::string(4095, 'x') + '\0' + "Y=1" + '\0' + '\0';
    EXPECT_EQ(EnvironmentStringsFrom(exact).size(), 1u);
    std::string over = std::string(4096, 'x') + '\0' + '\0';
    EXPECT_TRUE(EnvironmentStringsFrom(over).empty());
}

TEST(Folders, ProfileAndSystemDrive)
{
    EXPECT_EQ(ProfileFromDesktop("C:\\Documents and Settings\\User1\\Desktop"), "C:\\Documents and Settings\\User1");
    EXPECT_EQ(ProfileFromDesktop("Desktop"), "Desktop");
    EXPECT_EQ(ProfileFromDesktop(""), "");
    const std::string deep = "D:\\" + std::string(300, 'p') + "\\Desktop";
    EXPECT_EQ(ProfileFromDesktop(deep), std::string(255, 'p'));
    EXPECT_EQ(ProfilePathFrom("C:\\WINDOWS\\Desktop"), "C:\\WINDOWS");
    EXPECT_EQ(ProfilePathFrom("Desktop"), "");

    EXPECT_EQ(SystemDriveOf({"CommonFiles=C:\\x", "Windows=D:\\WINNT", "System=C:\\"}), "D:");
    EXPECT_EQ(SystemDriveOf({"WINDOWS=E:\\W"}), "E:");
    EXPECT_EQ(SystemDriveOf({"Windows="}), "");
    EXPECT_EQ(SystemDriveOf({}), "");
    ASSERT_EQ(ListedShellFolders().size(), 29u);
    EXPECT_EQ(ListedShellFolders()[10].key, "Desktop");
    EXPECT_EQ(ListedShellFolders()[10].id, 0);
    EXPECT_EQ(ListedRegistryFolders().size(), 7u);
}

TEST(ServicePack, SixBecomesSixAOnlyWithTheHotFix)
{
    EXPECT_EQ(ServicePackText(true, "Service Pack 6", 1u), "Service Pack 6a");
    EXPECT_EQ(ServicePackText(true, "Service Pack 6", 0u), "Service Pack 6");
    EXPECT_EQ(ServicePackText(true, "Service Pack 6", std::nullopt), "Service Pack 6");
    EXPECT_EQ(ServicePackText(true, "service pack 6", 1u), "service pack 6");
    EXPECT_EQ(ServicePackText(false, "Service Pack 6", 1u), "Service Pack 6");
    EXPECT_EQ(ServicePackText(true, "Service Pack 5", 1u), "Service Pack 5");
}

TEST(NTSpecific, ProductTypesSuitesAndTheirReport)
{
    EXPECT_EQ(ProductTypeFromRecord(1), TNtProductType::ptWorkStation);
    EXPECT_EQ(ProductTypeFromRecord(2), TNtProductType::ptAdvancedServer);
    EXPECT_EQ(ProductTypeFromRecord(3), TNtProductType::ptServer);
    EXPECT_FALSE(ProductTypeFromRecord(0));
    EXPECT_EQ(ProductTypeFromText("LanmanNT"), TNtProductType::ptAdvancedServer);
    EXPECT_EQ(ProductTypeFromText("ServerNT"), TNtProductType::ptServer);
    EXPECT_EQ(ProductTypeFromText("winnt"), TNtProductType::ptUnknown);

    TNTSpecific nt;
    StringList unknown;
    nt.Report(unknown);
    EXPECT_EQ(unknown.Text(),
              "[NT Specific]\r\nProductType=Unknown\r\nMicrosoft Small Business Server=0\r\n"
              "Windows 2000 Advanced Server=0\r\nMicrosoft BackOffice Components=0\r\n"
              "Communications=0\r\nTerminal Services=0\r\n"
              "Microsoft Small Business Server with the restrictive client license in force=0\r\n"
              "Embedded NT=0\r\nWindows 2000 Datacenter Server=0\r\n"
              "ServicePackMajorVersion=0\r\nServicePackMinorVersion=0\r\n");
    nt.ProductType = TNtProductType::ptWorkStation;
    nt.InstalledSuites = SuitesFromMask(0x0190); // terminal, data centre; bit 8 is not a suite here
    nt.ServicePackMajorVersion = 6;
    StringList lines;
    nt.Report(lines);
    EXPECT_EQ(lines[1], "ProductType=Pro/Wks");
    EXPECT_EQ(lines[6], "Terminal Services=1");
    EXPECT_EQ(lines[9], "Windows 2000 Datacenter Server=1");
    EXPECT_EQ(lines[2], "Microsoft Small Business Server=0");
    EXPECT_EQ(lines[10], "ServicePackMajorVersion=6");
}

TEST(OperatingSystemReport, SectionsInOrder)
{
    TOperatingSystem os;
    os.Platform = "Windows 9x";
    os.MajorVersion = 4;
    os.MinorVersion = 10;
    os.BuildNumber = 2222;
    os.CSD = " A ";
    os.Version = "Windows 98";
    os.RegisteredUser = "Ann";
    os.Environment->Add("PATH=C:\\WINDOWS");
    os.Folders->Add("Windows=C:\\WINDOWS");
    os.TimeZone->DisplayName = "(GMT) Greenwich Mean Time";
    os.TimeZone->DaylightStart = EncodeDateTime(2024, 3, 31, 1);
    os.TimeZone->DaylightBias = -60;
    StringList lines;
    ReportLocale locale;
    locale.dateTimeText = [](double d) { return d == 0 ? std::string("zero") : PlainDateTimeText(d); };
    os.Report(lines, locale);
    const std::string text = lines.Text();
    EXPECT_TRUE(text.starts_with("[Operating System]\r\nPlatform=Windows 9x\r\nVersionName=Windows 98\r\n"
                                 "Version=4.10\r\nBuildNumber=2222\r\nCSD= A \r\nProductID=\r\nProductKey=\r\n"
                                 "RegUser=Ann\r\nRegOrganization=\r\nDVDRegion=\r\n[NT Specific]\r\n"));
    EXPECT_TRUE(text.ends_with("[Environment]\r\nPATH=C:\\WINDOWS\r\n[Folders]\r\nWindows=C:\\WINDOWS\r\n"
                               "[Time Zone]\r\nTimeZone=(GMT) Greenwich Mean Time\r\nStdName=zero\r\nStdBias=0\r\n"
                               "DlghtName=3/31/2024 1:00:00 AM\r\nDlghtBias=-60\r\n"));
    os.MinorVersion = 1;
    os.MajorVersion = 5;
    StringList again;
    os.Report(again);
    EXPECT_EQ(again[3], "Version=5.1");
    EXPECT_EQ(again[again.Count() - 4], "StdName=12/30/1899");
}

TEST(StartupValues, KindsFlagsAndKeys)
{
    const StartupValues xp =
        MakeStartupValues(OSKindFromVersion(2, 5, 1, "Service Pack 2"), true, "ann", "PC", "C:\\P");
    EXPECT_EQ(xp.OSKind, TOSKind::osXP);
    EXPECT_TRUE(xp.IsNT);
    EXPECT_TRUE(xp.IsXP);
    EXPECT_FALSE(xp.Is2K);
    EXPECT_EQ(xp.OSName, "Windows XP");
    EXPECT_EQ(xp.ClassKey, "SYSTEM\\CurrentControlSet\\Control\\Class");
    EXPECT_EQ(xp.UserName, "ann");

    const StartupValues se = MakeStartupValues(OSKindFromVersion(1, 4, 10, " A "), false, "", "", "");
    EXPECT_TRUE(se.IsSE);
    EXPECT_FALSE(se.IsNT);
    EXPECT_EQ(se.OSName, "Windows 98");
    EXPECT_EQ(se.ClassKey, "SYSTEM\\CurrentControlSet\\Services\\Class");

    const StartupValues osr2 = MakeStartupValues(OSKindFromVersion(1, 4, 0, " B "), false, "", "", "");
    EXPECT_TRUE(osr2.IsOSR2);
    EXPECT_FALSE(osr2.Is95);

    // Later NT versions have no kind of their own but keep the NT keys.
    const StartupValues seven = MakeStartupValues(OSKindFromVersion(2, 6, 1, ""), true, "", "", "");
    EXPECT_EQ(seven.OSKind, TOSKind::osUnknown);
    EXPECT_EQ(seven.OSName, "");
    EXPECT_TRUE(seven.IsNT);
    EXPECT_EQ(seven.ClassKey, "SYSTEM\\CurrentControlSet\\Control\\Class");
}

} // namespace
} // namespace qm
