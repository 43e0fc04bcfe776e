// The machine, display, power, device, multimedia and disk collectors on
// this system, checked against what Windows itself answers the test, and
// against registry contents the tests write.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include <windows.h>

#include <mmsystem.h>

#include "platform/device_context.h"
#include "registry_fixture.h"
#include "sysinfo/msi_apm.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/msi_disk.h"
#include "sysinfo/msi_display.h"
#include "sysinfo/msi_machine.h"
#include "sysinfo/msi_media.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/system_info.h"
#include "test_support.h"

namespace qm {
namespace {

using test::kEnum;
using test::StartedDevice;
constexpr char kServices[] = "SYSTEM\\CurrentControlSet\\Services\\";
constexpr char kClasses[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";
constexpr char kPortsGuid[] = "{A0A0A0A0-1111-2222-3333-444444444444}";
constexpr char kMediaGuid[] = "{B0B0B0B0-1111-2222-3333-444444444444}";
constexpr char kComputerGuid[] = "{C0C0C0C0-1111-2222-3333-444444444444}";

class HardwareFixtures : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The test enumerator's own service names where its devices are.
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kServices) + "QMTEST", "DisplayName", "Test Bus");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kServices) + "QMTEST", "Group", "Base");
        registry.Dword(HKEY_LOCAL_MACHINE, std::string(kServices) + "QMTEST", "Type", 1);
        // A class found by its key.
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kPortsGuid, "Class", "Ports");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kPortsGuid, "", "Test Ports");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kPortsGuid + "\\0007", "DriverDate", "1-2-2003");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kPortsGuid + "\\0007", "DriverVersion", "1.2.3.4");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kPortsGuid + "\\0007", "ProviderName", "Quarrimond");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kServices) + "qmtestport", "DisplayName", "Test Port Service");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kServices) + "qmtestport", "Group", "Extended base");
        registry.Dword(HKEY_LOCAL_MACHINE, std::string(kServices) + "qmtestport", "Type", 1);
        StartedDevice(registry, "PORT",
                      {{"ClassGUID", "{a0a0a0a0-1111-2222-3333-444444444444}"},
                       {"FriendlyName", "Test Port (COM9)"},
                       {"DeviceDesc", "Test Port"},
                       {"Mfg", "Quarrimond Ltd"},
                       {"LocationInformation", "Port 9"},
                       {"Service", "qmtestport"},
                       {"Driver", std::string(kPortsGuid) + "\\\\0007"}});
        registry.MultiText(HKEY_LOCAL_MACHINE, std::string(kEnum) + "\\PORT\\0000", "HardwareID",
                           {"QMTEST\\PORT", "PORT"});
        // A class known only from the device's own value; its place from the bus.
        StartedDevice(registry, "FALLBACK",
                      {{"ClassGUID", "{00000000-0000-0000-0000-000000000001}"},
                       {"Class", "Ports"},
                       {"DeviceDesc", "Fallback Port"},
                       {"HardwareID", "PLAIN\\ID"}});
        // No class at all, and a device not started: neither is listed.
        StartedDevice(registry, "NOCLASS", {{"DeviceDesc", "Classless"}});
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kEnum) + "\\STOPPED\\0000", "Class", "Ports");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kEnum) + "\\STOPPED\\0000", "DeviceDesc", "Stopped Port");
        // A display adapter and its driver's chip data (the NT service chain).
        StartedDevice(registry, "VIDEO",
                      {{"Class", "Display"}, {"DeviceDesc", "Test Adapter"}, {"Service", "qmtestvid"}});
        const std::string device0 = std::string(kServices) + "qmtestvid\\Device0";
        registry.WideBinary(HKEY_LOCAL_MACHINE, device0, "HardwareInformation.ChipType", "Test Chip");
        registry.WideBinary(HKEY_LOCAL_MACHINE, device0, "HardwareInformation.DacType", "Test DAC");
        registry.Dword(HKEY_LOCAL_MACHINE, device0, "HardwareInformation.MemorySize", 16 << 20);
        // Multimedia: the class's instances and two started devices.
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kMediaGuid, "Class", "MEDIA");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kMediaGuid + "\\0000", "DriverDesc",
                      "Test Sound Card");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kMediaGuid + "\\0001", "DriverDesc",
                      "Test Gameport Joystick");
        StartedDevice(registry, "GAME",
                      {{"Class", "MEDIA"}, {"DeviceDesc", "Test Gameport Joystick"}, {"LocationInformation", "ISA"}});
        StartedDevice(registry, "SOUND",
                      {{"Class", "MEDIA"}, {"FriendlyName", "test sound card"}, {"LocationInformation", "PCI 1"}});
        // The computer type.
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kComputerGuid, "Class", "Computer");
        registry.Text(HKEY_LOCAL_MACHINE, std::string(kClasses) + kComputerGuid + "\\0000", "DriverDesc",
                      "ACPI Uniprocessor PC");
    }

    // The fixture devices, by display name.
    const TDevice* Find(const TDevices& devices, const std::string& name)
    {
        for (const TDevice& device : devices.Devices())
            if (device.DisplayName() == name)
                return &device;
        return nullptr;
    }

    test::RegistryFixture registry;
    test::FakeServices services;
};

TEST_F(HardwareFixtures, DevicesComeWithTheirClassDriverServiceAndPlace)
{
    ASSERT_TRUE(TheStartupValues().IsNT);
    TDevices devices;
    devices.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    const TDevice* port = Find(devices, "Test Port (COM9)");
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->ClassName, "Ports");
    EXPECT_EQ(port->ClassDesc, "Test Ports");
    EXPECT_EQ(port->GUID, kPortsGuid);
    EXPECT_EQ(port->Manufacturer, "Quarrimond Ltd");
    EXPECT_EQ(port->Location, "Port 9");
    EXPECT_EQ(port->HardwareID, "QMTEST\\PORTPORT");
    EXPECT_EQ(port->DriverDate, "1-2-2003");
    EXPECT_EQ(port->DriverVersion, "1.2.3.4");
    EXPECT_EQ(port->DriverProvider, "Quarrimond");
    EXPECT_EQ(port->ServiceName, "Test Port Service");
    EXPECT_EQ(port->ServiceGroup, "Extended base");
    EXPECT_EQ(port->DeviceClass, 26);

    const TDevice* fallback = Find(devices, "Fallback Port");
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(fallback->ClassName, "Ports");
    EXPECT_EQ(fallback->DeviceClass, 26);
    EXPECT_EQ(fallback->Location, "Test Bus");
    EXPECT_EQ(fallback->HardwareID, "PLAIN\\ID");

    EXPECT_EQ(Find(devices, "Classless"), nullptr);
    EXPECT_EQ(Find(devices, "Stopped Port"), nullptr);
    // Sorted by class name.
    for (size_t i = 1; i < devices.Devices().size(); ++i)
        EXPECT_LE(lstrcmpiA(devices.Devices()[i - 1].ClassName.c_str(), devices.Devices()[i].ClassName.c_str()), 0);
    EXPECT_EQ(devices.DeviceCount, static_cast<int>(devices.Devices().size()));

    StringList lines;
    devices.Report(lines);
    const auto& all = lines.Lines();
    auto header = std::find(all.begin(), all.end(), "[Test Port (COM9)]");
    ASSERT_NE(header, all.end());
    EXPECT_EQ(*(header + 1), "Class Name=Test Ports");
    EXPECT_EQ(*(header + 9), "Service Name=Test Port Service");
}

TEST_F(HardwareFixtures, TheDisplayTakesTheAdapterAndItsChipFromTheDriver)
{
    TDisplay display;
    display.GetInfo(services);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(display.Adapter, "Test Adapter");
    EXPECT_EQ(display.Chipset, "Test Chip");
    EXPECT_EQ(display.DAC, "Test DAC");
    EXPECT_EQ(display.Memory, 16 << 20);
    // What the screen itself says.
    int raster = 0;
    {
        const WindowDC screen(nullptr);
        EXPECT_EQ(display.HorzRes, GetDeviceCaps(screen.Get(), HORZRES));
        EXPECT_EQ(display.VertRes, GetDeviceCaps(screen.Get(), VERTRES));
        EXPECT_EQ(display.ColorDepth, GetDeviceCaps(screen.Get(), BITSPIXEL));
        EXPECT_EQ(display.FontResolution, static_cast<std::uint32_t>(GetDeviceCaps(screen.Get(), LOGPIXELSY)));
        EXPECT_EQ(display.PixelDiagonal, GetDeviceCaps(screen.Get(), ASPECTXY));
        raster = GetDeviceCaps(screen.Get(), RASTERCAPS);
    }
    EXPECT_EQ((display.RasterCaps >> 9) & 1, (raster & RC_STRETCHBLT) ? 1 : 0);
    EXPECT_EQ(display.RasterCaps & 1, (raster & RC_BANDING) ? 1 : 0);
    std::vector<std::string> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i)
        modes.push_back(std::to_string(mode.dmPelsWidth) + " x " + std::to_string(mode.dmPelsHeight) + " - " +
                        std::to_string(mode.dmBitsPerPel) + " bit");
    EXPECT_EQ(display.Modes.Lines(), modes);
    EXPECT_FALSE(modes.empty());
}

TEST_F(HardwareFixtures, MultimediaFindsTheSoundCardAndTheGamePort)
{
    TMedia media;
    media.GetInfo(services);
    EXPECT_EQ(media.Devices.Lines(), (std::vector<std::string>{"Test Sound Card", "Test Gameport Joystick"}));
    EXPECT_EQ(media.SoundCardIndex, 0);
    EXPECT_EQ(media.GamePortIndex, 1);
    // The drivers as the multimedia system lists them.
    EXPECT_EQ(media.WAVEOut.Count(), waveOutGetNumDevs() > 0 ? media.WAVEOut.Count() : 0u);
    EXPECT_LE(media.WAVEOut.Count(), waveOutGetNumDevs());
}

TEST_F(HardwareFixtures, TheMachineHasItsNamesBiosTextsAndLocks)
{
    const std::string system = "HARDWARE\\DESCRIPTION\\System";
    registry.MultiText(HKEY_LOCAL_MACHINE, system, "SystemBiosVersion", {"QM BIOS 1.0", "second line"});
    registry.Text(HKEY_LOCAL_MACHINE, system, "SystemBiosDate", "01/02/03");
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE changed[256];
    std::copy(std::begin(keys), std::end(keys), changed);
    changed[VK_CAPITAL] = 1; // on, not held
    changed[VK_NUMLOCK] = 0x81; // on, but held down
    changed[VK_SCROLL] = 0;
    SetKeyboardState(changed);
    const DWORD ticksBefore = GetTickCount();
    TMachine machine;
    machine.GetInfo(services);
    SetKeyboardState(keys);
    EXPECT_TRUE(services.messages.empty());

    char name[256] = {};
    DWORD size = sizeof(name);
    GetUserNameA(name, &size);
    EXPECT_EQ(machine.User, name);
    EXPECT_EQ(machine.Name, GetComputerNameText());
    EXPECT_EQ(machine.BIOSCopyright, "QM BIOS 1.0");
    EXPECT_EQ(machine.BIOSDate, "01/02/03");
    EXPECT_TRUE(machine.CapsLock);
    EXPECT_FALSE(machine.NumLock);
    EXPECT_FALSE(machine.ScrollLock);
    EXPECT_EQ(machine.Computer, "ACPI Uniprocessor PC");
    // Whole milliseconds: the 32-bit build keeps a quotient at extended
    // precision, so seconds compared as doubles can differ in the last bit.
    const long long upTimeMs = std::llround(machine.SystemUpTime * 1000);
    EXPECT_GE(upTimeMs, static_cast<long long>(ticksBefore));
    EXPECT_LE(upTimeMs, static_cast<long long>(GetTickCount()));
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const double today = EncodeDateTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    EXPECT_NEAR(machine.LastBoot, today - machine.SystemUpTime / 86400.0, 5.0 / 86400);
}

TEST(PowerStatus, AsTheSystemReportsIt)
{
    test::FakeServices services;
    SYSTEM_POWER_STATUS status{};
    ASSERT_TRUE(GetSystemPowerStatus(&status));
    TAPM apm;
    apm.GetInfo(services);
    EXPECT_EQ(static_cast<int>(apm.ACPowerStatus), status.ACLineStatus == 1 ? 2 : status.ACLineStatus == 0 ? 1 : 0);
    EXPECT_EQ(apm.BatteryLifePercent, status.BatteryLifePercent);
    EXPECT_EQ(apm.BatteryLifeTime, status.BatteryLifeTime);
    // Here: on mains, no battery, percentage unknown (255).
    StringList lines;
    apm.Report(lines);
    EXPECT_EQ(lines.Count(), status.BatteryLifePercent > 100 ? 3u : 5u);
    if (status.BatteryFlag == 128) {
        EXPECT_EQ(lines[2], "BatteryChargeStatus=No Battery");
    }
}

TEST(Disks, TheDrivesAndTheSelectedOneAsTheSystemSaysThem)
{
    test::FakeServices services;
    TDisk disk;
    disk.GetInfo(services);
    char roots[256] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof(roots), roots);
    std::string letters;
    for (const char* root = roots; root < roots + length && *root; root += std::strlen(root) + 1)
        letters += static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    EXPECT_EQ(disk.AvailableDisks, letters);

    disk.SetServices(services);
    disk.SetDisk("C:\\Windows");
    EXPECT_EQ(disk.Drive, "C:");
    EXPECT_TRUE(disk.MediaPresent());
    EXPECT_EQ(disk.MediaType, TMediaType::dtFixed);
    char label[256] = {}, fileSystem[256] = {};
    DWORD serial = 0, maximum = 0, flags = 0;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", label, 255, &serial, &maximum, &flags, fileSystem, 255));
    EXPECT_EQ(disk.FileSystem, fileSystem);
    EXPECT_EQ(disk.VolumeLabel, label);
    char serialText[16];
    std::snprintf(serialText, sizeof(serialText), "%04lX-%04lX", serial >> 16, serial & 0xFFFF);
    EXPECT_EQ(disk.SerialNumber, serialText);
    EXPECT_EQ((disk.FileFlags >> 6) & 1, maximum == 255 ? 1 : 0);
    ULARGE_INTEGER available{}, total{}, free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    EXPECT_EQ(disk.Capacity, static_cast<std::int64_t>(total.QuadPart));
    // Free space moves while the test runs; the figure is the caller's share.
    EXPECT_NEAR(static_cast<double>(disk.FreeSpace), static_cast<double>(available.QuadPart), 64.0 * 1024 * 1024);

    // The report walks every drive and leaves the last one selected.
    StringList lines;
    disk.Report(lines, ReportLocale{0});
    EXPECT_EQ(lines[0], "[Disks]");
    EXPECT_EQ(lines[1], "Available=" + letters);
    EXPECT_EQ(lines[2], "[DiskC:]");
    EXPECT_EQ(lines[5], "UNC=" + UniversalDriveName("C:"));
    EXPECT_EQ(lines[7], "Capacity=" + std::to_string(total.QuadPart));
    EXPECT_EQ(disk.Drive, std::string(1, letters.back()) + ":");
    EXPECT_EQ(lines.Count(), 2 + letters.size() * 24);
}

// Needs the drives of drives_fixture.sh: A: without a disk, D: a labelled folder.
TEST(Drives, AnEmptyDriveAndAFolderDrive)
{
    test::FakeServices services;
    TDisk disk;
    disk.SetServices(services);
    disk.GetInfo(services);
    EXPECT_EQ(disk.AvailableDisks.substr(0, 2), "AC");
    EXPECT_NE(disk.AvailableDisks.find('D'), std::string::npos);

    // No disk in A: and no dialog asking for one.
    const UINT before = SetErrorMode(0);
    SetErrorMode(before);
    disk.SetDisk("A:");
    EXPECT_EQ(SetErrorMode(before), before);
    EXPECT_FALSE(disk.MediaPresent());
    EXPECT_EQ(disk.MediaType, TMediaType::dtRemovable);
    EXPECT_EQ(disk.Capacity, 0);
    EXPECT_EQ(disk.FreeSpace, 0);
    EXPECT_EQ(disk.VolumeLabel, "");
    EXPECT_EQ(disk.SerialNumber, "");
    EXPECT_EQ(disk.FileSystem, "");
    StringList flags;
    AddFileFlagLines(flags, disk.FileFlags);
    for (const std::string& line : flags.Lines())
        EXPECT_EQ(line.back(), '0') << line;
    EXPECT_TRUE(services.messages.empty());

    disk.SetDisk("d:\\some\\path");
    EXPECT_EQ(disk.Drive, "d:");
    EXPECT_TRUE(disk.MediaPresent());
    EXPECT_EQ(disk.VolumeLabel, "QMDATA");
    EXPECT_EQ(disk.SerialNumber, "0000-ABCD");

    StringList lines;
    disk.Report(lines, ReportLocale{0});
    const auto& all = lines.Lines();
    auto a = std::find(all.begin(), all.end(), "[DiskA:]");
    ASSERT_NE(a, all.end());
    EXPECT_EQ(*(a + 1), "VolumeLabel=");
    EXPECT_EQ(*(a + 2), "Type=Removable");
    EXPECT_EQ(*(a + 5), "Capacity=0");
    auto d = std::find(all.begin(), all.end(), "[DiskD:]");
    ASSERT_NE(d, all.end());
    EXPECT_EQ(*(d + 1), "VolumeLabel=QMDATA");
    EXPECT_EQ(*(d + 4), "SerialNumber=0000-ABCD");
}

} // namespace
} // namespace qm
