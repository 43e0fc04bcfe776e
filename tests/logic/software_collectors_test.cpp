// The rules and report sections of the network, DirectX, engine, process,
// printer, software and start-up collectors, from values the tests choose.
#include <gtest/gtest.h>

#include "platform/text_case.h"
#include "sysinfo/msi_directx.h"
#include "sysinfo/msi_network.h"
#include "sysinfo/msi_processes.h"

namespace qm {
namespace {

TEST(Network, HardwareAddressTexts)
{
    const std::uint8_t address[] = {0x02, 0xFC, 0x00, 0x0A, 0xBC, 0x01};
    EXPECT_EQ(MacAddressText(address), "02:fc:00:0a:bc:01");
    EXPECT_EQ(MacAddressText(nullptr), "??:??:??:??:??:??");
}

TEST(Network, AdaptersAreTheNetClassDevicesAndTheCardIsTheFirstWithAPlace)
{
    auto device = [](std::string className, std::string friendly, std::string description, std::string location) {
        TDevice d;
        d.ClassName = className;
        d.FriendlyName = std::move(friendly);
        d.Description = std::move(description);
        d.Location = std::move(location);
        d.DeviceClass = static_cast<std::uint8_t>(DeviceClassIndex(className));
        return d;
    };
    NetworkAdapters adapters =
        FindNetworkAdapters({device("Net", "", "Loopback", ""), device("Display", "Video", "", "PCI"),
                             device("Net", "Card A", "a", "PCI 3"), device("NetTrans", "", "TCP/IP", "PCI 4")});
    EXPECT_EQ(adapters.names, (std::vector<std::string>{"Loopback", "Card A", "TCP/IP"}));
    EXPECT_EQ(adapters.cardIndex, 1);
    adapters = FindNetworkAdapters({device("Net", "Virtual", "", "")});
    EXPECT_EQ(adapters.cardIndex, -1);
}

TEST(Network, TheReportListsEachKindThenWinsock)
{
    TNetwork network;
    SetLines(network.Adapters, {"Card"});
    SetLines(network.IPAddresses, {"10.0.0.1", "10.0.0.2", "192.168.1.9"});
    network.WinSock->Description = "WinSock 2.0";
    network.WinSock->MajorVersion = 2;
    network.WinSock->MinorVersion = 2;
    network.WinSock->Status = "Running";
    StringList lines;
    network.Report(lines);
    const std::vector<std::string> expected{
        "[Network]",     "Count=1",   "Adapter1=Card",           "ProtoCount=0",        "ServiceCount=0",
        "ClientCount=0", "IPCount=3", "IPAddress1=10.0.0.1",     "IPAddress2=10.0.0.2", "IPAddress3=192.168.1.9",
        "MACCount=0",    "[Winsock]", "Description=WinSock 2.0", "Version=2.2",         "Status=Running"};
    EXPECT_EQ(lines.Lines(), expected);
}

TEST(DirectX, WithoutAVersionOnlyTheHeader)
{
    TDirectX directX;
    SetLines(directX.Direct3D, {"not written"});
    StringList lines;
    directX.Report(lines);
    EXPECT_EQ(lines.Lines(), std::vector<std::string>{"[DirectX]"});
    directX.Version = "4.07.00.0700";
    directX.Direct3D.Clear();
    SetLines(directX.DirectMusic, {"Synth", "Synth"});
    lines.Clear();
    directX.Report(lines);
    EXPECT_EQ(lines.Lines(),
              (std::vector<std::string>{"[DirectX]", "Version=4.07.00.0700", "[Direct3D]", "Count=0", "[DirectPlay]",
                                        "Count=0", "[DirectMusic]", "Count=2", "Device1=Synth", "Device2=Synth"}));
    EXPECT_EQ(InstalledVersionText(6), "6.0");
}

TEST(Engines, HeadersAlwaysVersionsWhenFound)
{
    TEngines engines;
    StringList lines;
    engines.Report(lines);
    EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"[ODBC]", "[BDE]", "[DAO]", "[ADO]"}));
    engines.DAO = "3.5";
    engines.ODBC = "3.520.7713.0";
    lines.Clear();
    engines.Report(lines);
    EXPECT_EQ(lines.Lines(),
              (std::vector<std::string>{"[ODBC]", "Version=3.520.7713.0", "[BDE]", "[DAO]", "Version=3.5", "[ADO]"}));
}

TEST(Processes, TwoCopiesOfOneProgramAreTwoRows)
{
    TProcesses processes;
    processes.SetEntries({{"System Idle Process", 0}, {"C:\\Tools\\run.exe", 1204}, {"C:\\Tools\\RUN.exe", 1300}});
    StringList lines;
    processes.Report(lines);
    EXPECT_EQ(lines.Lines(),
              (std::vector<std::string>{"[Processes]", "Count=3", "0=System Idle Process", "1204=C:\\Tools\\run.exe",
                                        "1300=C:\\Tools\\RUN.exe"}));
    EXPECT_EQ(processes.IdentifierOf("c:\\tools\\run.exe"), 1204);
    EXPECT_EQ(processes.IdentifierOf("missing.exe"), -1);
    EXPECT_EQ(processes.Name(2), "C:\\Tools\\RUN.exe");
    EXPECT_EQ(processes.Name(3), "");
    EXPECT_EQ(processes.Identifier(-1), 0u);
}

TEST(Processes, AnIdentifierHeldByAnotherProcessIsNotTheListedOne)
{
    const TProcessEntry listed{"C:\\Tools\\run.exe", 1204, 133'000'000'000'000'000};
    EXPECT_TRUE(IsSameProcess(listed, {"c:\\tools\\RUN.EXE", 1204, 133'000'000'000'000'000}));
    // Started later with the identifier the listed one had.
    EXPECT_FALSE(IsSameProcess(listed, {"C:\\Tools\\run.exe", 1204, 133'000'000'000'000'001}));
    EXPECT_FALSE(IsSameProcess(listed, {"C:\\Other\\run.exe", 1204, 133'000'000'000'000'000}));
    EXPECT_FALSE(IsSameProcess(listed, {"C:\\Tools\\run.exe", 1208, 133'000'000'000'000'000}));
    // Where the system gives no start times, the name decides.
    EXPECT_TRUE(IsSameProcess({"C:\\WINDOWS\\RUN.EXE", 0xFFF3A1, 0}, {"C:\\WINDOWS\\RUN.EXE", 0xFFF3A1, 0}));
}

TEST(Printers, TheDefaultIsMarkedAndFoundWithoutRegardToCase)
{
    TPrinters printers;
    SetLines(printers.Names, {"Office", "Lab Printer"});
    SetLines(printers.Ports, {"LPT1:", "\\\\server\\lab"});
    printers.DefaultIndex =
        IndexIgnoringCase(printers.Names.Lines(), DeviceNameOfProfileEntry("LAB PRINTER,winspool,\\\\server\\lab"));
    EXPECT_EQ(printers.DefaultIndex, 1);
    StringList lines;
    printers.Report(lines);
    EXPECT_EQ(
        lines.Lines(),
        (std::vector<std::string>{"[Printers]", "Count=2", "Office on LPT1:=0", "Lab Printer on \\\\server\\lab=1"}));
    EXPECT_EQ(IndexIgnoringCase(printers.Names.Lines(), DeviceNameOfProfileEntry("")), -1);
}

TEST(Software, ListedInRegistryOrderWithDuplicates)
{
    TSoftware software;
    SetLines(software.Installed, {"Tool", "Tool"});
    StringList lines;
    software.Report(lines);
    EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"[Installed Software]", "Count=2", "Item1=Tool", "Item2=Tool"}));
}

TEST(Startup, WinIniRunAndLoadLinesLoseTheirBlanks)
{
    const auto entries =
        WinIniStartupEntries({"load=", "Run=  a.exe   b.exe ", "device=x,y,z", "LOAD=c.exe", "noequals"});
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "Run");
    EXPECT_EQ(entries[0].CommandLine, "a.exeb.exe");
    EXPECT_EQ(entries[1].Name, "LOAD");
    EXPECT_EQ(ShortcutEntryName("Tool.lnk"), "Tool");
    EXPECT_EQ(ShortcutEntryName(".lnk"), "");
}

TEST(Startup, TheReportHasFiveGroupsAndNotWinIni)
{
    TStartup startup;
    startup.SetEntries(StartupKind::UserFolder, {{"Tool", "C:\\tool.exe "}});
    startup.SetEntries(StartupKind::UserRun, {{"Clock", "clock.exe -q"}});
    startup.SetEntries(StartupKind::RunOnce, {{"Setup", "setup.exe"}, {"Fix", "fix.exe"}});
    startup.SetEntries(StartupKind::WinIni, {{"run", "old.exe"}});
    EXPECT_EQ(startup.RunsCount(), 5);
    EXPECT_EQ(startup.Count(StartupKind::RunOnce), 2);
    EXPECT_EQ(startup.CommandLine(StartupKind::RunOnce, 1), "fix.exe");
    EXPECT_EQ(startup.Name(StartupKind::MachineRun, 0), "");
    StringList lines;
    startup.Report(lines);
    EXPECT_EQ(
        lines.Lines(),
        (std::vector<std::string>{"[User Startup]", "Count=1", "Tool=C:\\tool.exe ", "[Common Startup]", "Count=0",
                                  "[HKLM Run]", "Count=0", "[HKCU Run]", "Count=1", "Clock=clock.exe -q", "[Run Once]",
                                  "Count=2", "Setup=setup.exe", "Fix=fix.exe"}));
}

} // namespace
} // namespace qm
