// The rules and report sections of the machine, display, power, device,
// multimedia and disk collectors, from values the tests choose.
#include <gtest/gtest.h>

#include "sysinfo/msi_apm.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/msi_disk.h"
#include "sysinfo/msi_display.h"
#include "sysinfo/msi_machine.h"
#include "sysinfo/msi_media.h"
#include "sysinfo/time_zone_rules.h"

namespace qm {
namespace {

std::vector<std::string> LinesOf(const StringList& lines)
{
    return lines.Lines();
}

TEST(DeviceClasses, AClassNameTakesTheFirstEntryItBeginsWith)
{
    EXPECT_EQ(DeviceClassIndex("Ports"), 26);
    EXPECT_EQ(DeviceClassIndex("ports"), 26);
    EXPECT_EQ(DeviceClassIndex("NetTrans"), 21);
    EXPECT_EQ(DeviceClassIndex("NetClient"), 21);
    EXPECT_EQ(DeviceClassIndex("HIDClass"), 8);
    EXPECT_EQ(DeviceClassIndex("Display"), 3);
    EXPECT_EQ(DeviceClassIndex("MEDIA"), 30);
    EXPECT_EQ(DeviceClassIndex("Monitor"), 18);
    EXPECT_EQ(DeviceClassIndex("Processor"), 24);
    EXPECT_EQ(DeviceClassIndex(""), 24);
    EXPECT_EQ(std::size(kDeviceClassNames), 35u);
}

TEST(Devices, TheListIsSortedByClassAndReportedUnderFriendlyOrPlainNames)
{
    TDevice port;
    port.ClassName = "Ports";
    port.ClassDesc = "Ports (COM & LPT)";
    port.FriendlyName = "Communications Port (COM1)";
    port.Description = "Communications Port";
    port.GUID = "{4D36E978-E325-11CE-BFC1-08002BE10318}";
    TDevice display;
    display.ClassName = "display";
    display.Description = "Test Adapter";
    display.FriendlyName = "  ";
    TDevices devices;
    devices.SetDevices({port, display});
    EXPECT_EQ(devices.DeviceCount, 2);
    StringList lines;
    devices.Report(lines);
    const std::vector<std::string> expected{"[Devices]",
                                            "Count=2",
                                            "[Test Adapter]",
                                            "Class Name=",
                                            "Class GUID=",
                                            "Manufacturer=",
                                            "Location=",
                                            "Hardware ID=",
                                            "Driver Date=",
                                            "Driver Version=",
                                            "Driver Provider=",
                                            "Service Name=",
                                            "Service Group=",
                                            "[Communications Port (COM1)]",
                                            "Class Name=Ports (COM & LPT)",
                                            "Class GUID={4D36E978-E325-11CE-BFC1-08002BE10318}",
                                            "Manufacturer=",
                                            "Location=",
                                            "Hardware ID=",
                                            "Driver Date=",
                                            "Driver Version=",
                                            "Driver Provider=",
                                            "Service Name=",
                                            "Service Group="};
    EXPECT_EQ(LinesOf(lines), expected);
    // An index out of range leaves the caller's record as it was.
    TDevice record;
    record.Description = "kept";
    devices.GetDevice(2, record);
    EXPECT_EQ(record.Description, "kept");
    devices.GetDevice(-1, record);
    EXPECT_EQ(record.Description, "kept");
    devices.GetDevice(1, record);
    EXPECT_EQ(record.ClassName, "Ports");
}

TEST(Media, DriverTextsAreNameAndVersionAndListedOnce)
{
    EXPECT_EQ(MediaDriverText("Wave Out", 0x050A), "Wave Out v5.10");
    EXPECT_EQ(MediaDriverText("Mixer", 0x0100), "Mixer v1.0");
    StringList list;
    AddUniqueIgnoringCase(list, "Wave Out v5.10");
    AddUniqueIgnoringCase(list, "WAVE OUT v5.10");
    AddUniqueIgnoringCase(list, "Wave Out v5.11");
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"Wave Out v5.10", "Wave Out v5.11"}));
}

TEST(Media, AGamePortIsNeverTheSoundCard)
{
    StringList devices;
    SetLines(devices, {"Creative Sound Card", "Gameport Joystick", "Other Card"});
    auto device = [](std::string name, std::string location, int deviceClass = kMediaDeviceClass) {
        TDevice d;
        d.FriendlyName = std::move(name);
        d.Location = std::move(location);
        d.DeviceClass = static_cast<std::uint8_t>(deviceClass);
        return d;
    };
    // Listed in this order: the game port has a location too; a device of
    // another class with a listed name does not count.
    MediaIndexes indexes =
        FindMediaIndexes(devices,
                         {device("Gameport Joystick", "ISA"), device("other card", "PCI"),
                          device("Creative Sound Card", "PCI"), device("Creative Sound Card", "PCI", 21)});
    EXPECT_EQ(indexes.gamePort, 1);
    EXPECT_EQ(indexes.soundCard, 2);
    // Without a location a card is not the sound card.
    indexes = FindMediaIndexes(devices, {device("Creative Sound Card", "")});
    EXPECT_EQ(indexes.soundCard, -1);
    EXPECT_EQ(indexes.gamePort, -1);
}

TEST(Media, TheReportListsDevicesAndEachDriverKind)
{
    TMedia media;
    SetLines(media.Devices, {"Card"});
    SetLines(media.WAVEOut, {"Out v1.0", "Out2 v1.0"});
    StringList lines;
    media.Report(lines);
    const std::vector<std::string> expected{
        "[Media]",       "Count=1",        "Device1=Card",      "[Sound]",
        "WaveInCount=0", "WaveOutCount=2", "WaveOut1=Out v1.0", "WaveOut2=Out2 v1.0",
        "MIDIInCount=0", "MIDIOutCount=0", "AUXCount=0",        "MixerCount=0"};
    EXPECT_EQ(LinesOf(lines), expected);
}

TEST(Machine, UpTimeAndBootMomentFromTheTickCount)
{
    const double now = EncodeDateTime(2026, 12, 9, 12, 0, 0);
    const BootTimes times = BootTimesFrom(3725400, now);
    EXPECT_DOUBLE_EQ(times.upTimeSeconds, 3725.4);
    EXPECT_NEAR(times.lastBoot, EncodeDateTime(2026, 12, 9, 10, 57, 54, 600), 1e-9);
    TMachine machine;
    machine.Name = "VM";
    machine.User = "root";
    machine.SystemUpTime = times.upTimeSeconds;
    machine.LastBoot = EncodeDateTime(2026, 12, 9);
    machine.CapsLock = true;
    StringList lines;
    machine.Report(lines);
    const std::vector<std::string> expected{"[Machine]",
                                            "Name=VM",
                                            "User=root",
                                            "BIOS name=",
                                            "BIOS Copyright=",
                                            "BIOS Date=",
                                            "BIOS Extended info=",
                                            "Last Boot=" + PlainDateTimeText(EncodeDateTime(2026, 12, 9)),
                                            "System Up Time=1 Hour, 2 Minutes, 5 Seconds.",
                                            "Computer="};
    EXPECT_EQ(LinesOf(lines), expected);
}

TEST(Machine, UpTimeRoundsHalvesToEven)
{
    EXPECT_EQ(UpTimeText(3725.4), "1 Hour, 2 Minutes, 5 Seconds.");
    EXPECT_EQ(UpTimeText(3725.6), "1 Hour, 2 Minutes, 6 Seconds.");
    EXPECT_EQ(UpTimeText(3725.5), "1 Hour, 2 Minutes, 6 Seconds.");
    EXPECT_EQ(UpTimeText(3726.5), "1 Hour, 2 Minutes, 6 Seconds."); // not 7: the tie goes to even
    // The Machine tab shows this text; the report writes the same.
    TMachine machine;
    machine.SystemUpTime = 3726.5;
    StringList lines;
    machine.Report(lines);
    EXPECT_EQ(lines[8], "System Up Time=1 Hour, 2 Minutes, 6 Seconds.");
}

TEST(Display, CapabilitySetsFollowTheirElementOrder)
{
    // Raster flags in the order of the set, not of their values.
    EXPECT_EQ(CapabilitySet(CapabilityKind::Raster, 0x2), 0x1);
    EXPECT_EQ(CapabilitySet(CapabilityKind::Raster, 0x1), 0x2);
    EXPECT_EQ(CapabilitySet(CapabilityKind::Raster, 0x2000), 0x400);
    // Lines start at 0x2; text skips 0x8000 and takes 0x10000 last.
    EXPECT_EQ(CapabilitySet(CapabilityKind::Line, 0x1), 0);
    EXPECT_EQ(CapabilitySet(CapabilityKind::Line, 0xFE), 0x7F);
    EXPECT_EQ(CapabilitySet(CapabilityKind::Text, 0x8000), 0);
    EXPECT_EQ(CapabilitySet(CapabilityKind::Text, 0x10000), 0x8000);
    EXPECT_EQ(CapabilitySet(CapabilityKind::Curve, 0x1FF), 0x1FF);
    StringList lines;
    AddCapabilityLines(lines, CapabilityKind::Raster, CapabilitySet(CapabilityKind::Raster, 0x2 | 0x800));
    EXPECT_EQ(lines[0], "[Raster Capabilities]");
    EXPECT_EQ(lines[1], "Requires Banding=1");
    EXPECT_EQ(lines[2], "Can Transer Bitmaps=0");
    EXPECT_EQ(lines[10], "Supports StretchBlt=1");
    EXPECT_EQ(lines.Count(), 12u);
}

TEST(Display, TheReportHasTheModesAndFiveCapabilitySections)
{
    EXPECT_EQ(TechnologyText(1), "Raster Display");
    EXPECT_EQ(TechnologyText(6), "Display File");
    EXPECT_EQ(TechnologyText(7), "");
    TDisplay display;
    for (auto [w, h] : {std::pair{640, 480}, std::pair{800, 600}, std::pair{1024, 768}})
        display.Modes.Add(DisplayModeText(w, h, 16));
    display.FontResolution = 96;
    StringList lines;
    display.Report(lines);
    const auto& all = lines.Lines();
    auto at = std::find(all.begin(), all.end(), "[Video Modes]");
    ASSERT_NE(at, all.end());
    EXPECT_EQ(*(at + 1), "Count=3");
    EXPECT_EQ(*(at + 2), "Mode1=640 x 480 - 16 bit");
    EXPECT_EQ(*(at + 4), "Mode3=1024 x 768 - 16 bit");
    EXPECT_NE(std::find(all.begin(), all.end(), "FontRes=96"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "PixelDiag=0"), all.end());
    int sections = 0;
    for (const std::string& line : all)
        sections += line.find("Capabilities]") != std::string::npos;
    EXPECT_EQ(sections, 5);
    EXPECT_EQ(all.back(), "Cannot Scroll Using Blts=0");
}

TEST(Power, StatusesMapOneFlagAtATime)
{
    EXPECT_EQ(PowerStatusFrom(0), TPowerStatus::psOffline);
    EXPECT_EQ(PowerStatusFrom(1), TPowerStatus::psOnline);
    EXPECT_EQ(PowerStatusFrom(255), TPowerStatus::psUnknown);
    EXPECT_EQ(BatteryStatusFrom(0), TBatteryStatus::bsHigh);
    EXPECT_EQ(BatteryStatusFrom(1), TBatteryStatus::bsHigh);
    EXPECT_EQ(BatteryStatusFrom(2), TBatteryStatus::bsLow);
    EXPECT_EQ(BatteryStatusFrom(4), TBatteryStatus::bsCritical);
    EXPECT_EQ(BatteryStatusFrom(8), TBatteryStatus::bsCharging);
    EXPECT_EQ(BatteryStatusFrom(128), TBatteryStatus::bsNoBattery);
    EXPECT_EQ(BatteryStatusFrom(9), TBatteryStatus::bsUnknown);
    EXPECT_EQ(BatteryStatusFrom(255), TBatteryStatus::bsUnknown);
}

TEST(Power, BatteryTimesAreReportedOnlyWithAKnownPercentage)
{
    TAPM apm;
    apm.BatteryChargeStatus = TBatteryStatus::bsUnknown;
    apm.BatteryLifePercent = 255;
    StringList lines;
    apm.Report(lines);
    EXPECT_EQ(LinesOf(lines),
              (std::vector<std::string>{"[Advanced Power Management]", "ACPowerStatus=Unknown",
                                        "BatteryChargeStatus=Unknown"}));
    apm.ACPowerStatus = TPowerStatus::psOffline;
    apm.BatteryChargeStatus = TBatteryStatus::bsNoBattery;
    apm.BatteryLifePercent = 100;
    apm.BatteryLifeFullTime = 7200;
    apm.BatteryLifeTime = 59;
    lines.Clear();
    apm.Report(lines);
    EXPECT_EQ(LinesOf(lines),
              (std::vector<std::string>{
                  "[Advanced Power Management]", "ACPowerStatus=Offline", "BatteryChargeStatus=No Battery",
                  "BattreyLifeFullTime=2 Hours, 0 Minutes, 0 Seconds.", "BatteryLifeTime=59 Seconds."}));
}

TEST(Disk, SerialTextsFlagsAndLetters)
{
    EXPECT_EQ(DiskSerialText(0x0000ABCD), "0000-ABCD");
    EXPECT_EQ(DiskSerialText(0x1C2B3A4D), "1C2B-3A4D");
    EXPECT_EQ(DiskSerialText(0xFFFFFFFF), "FFFF-FFFF");
    // Long names only at exactly 255.
    EXPECT_EQ(FileFlagsFrom(0, 255), 1 << 6);
    EXPECT_EQ(FileFlagsFrom(0, 254), 0);
    EXPECT_EQ(FileFlagsFrom(0, 256), 0);
    EXPECT_EQ(FileFlagsFrom(0x2 | 0x1, 0), 0x3);
    EXPECT_EQ(FileFlagsFrom(0x20, 0), 1 << 11);
    EXPECT_EQ(FileFlagsFrom(0x8000 | 0x20000 | 0x10000, 0), (1 << 5) | (1 << 7) | (1 << 8));
    using namespace std::string_view_literals;
    EXPECT_EQ(AvailableDisksFrom("A:\\\0c:\\\0D:\\\0\0garbage"sv), "ACD");
    EXPECT_EQ(AvailableDisksFrom(""sv), "");
    EXPECT_EQ(GetMediaTypeStr(TMediaType::dtCDROM), "CDROM");
    EXPECT_EQ(GetMediaTypeStr(static_cast<TMediaType>(0x83)), "Fixed");
    StringList lines;
    AddFileFlagLines(lines, 0);
    ASSERT_EQ(lines.Count(), 12u);
    EXPECT_EQ(lines[6], "Long Filenames=0");
    EXPECT_EQ(lines[11], "Disk Quotas Support=0");
}

} // namespace
} // namespace qm
