#include "sysinfo/msi_display.h"

#include <windows.h>

#include "platform/device_context.h"
#include "platform/registry_key.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/os_kind.h"
#include "sysinfo/startup_values.h"

namespace qm {

void TDisplay::GetWin9xDisplayInfo(ChipData& chip)
{
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\Display\\0000\\INFO"))
        return;
    if (auto dac = key.ReadString("DacType"))
        chip.dacType = *dac;
    if (auto type = key.ReadString("ChipType"))
        chip.chipType = *type;
    if (auto memory = key.ReadDword("VideoMemory"))
        chip.memory = static_cast<std::int32_t>(*memory);
}

void TDisplay::GetWinNTDisplayInfo(const std::string& service, ChipData& chip)
{
    RegistryKey key;
    if (service.empty() ||
        !key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Device0"))
        return;
    // The driver stores wide texts: their zero bytes are dropped.
    if (auto dac = key.ReadBytes("HardwareInformation.DacType", 255))
        chip.dacType = MultiStrToStr(*dac);
    if (auto type = key.ReadBytes("HardwareInformation.ChipType", 255))
        chip.chipType = MultiStrToStr(*type);
    if (auto memory = key.ReadBytes("HardwareInformation.MemorySize", 255); memory && memory->size() >= 4) {
        std::uint32_t bytes = 0;
        for (int i = 3; i >= 0; --i)
            bytes = (bytes << 8) | static_cast<std::uint8_t>((*memory)[static_cast<size_t>(i)]);
        chip.memory = static_cast<std::int32_t>(bytes);
    }
}

void TDisplay::GetVideoBIOSInfo()
{
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System"))
        return;
    if (auto version = key.ReadBytes("VideoBiosVersion", 151))
        BIOSVersion = version->substr(0, version->find('\0'));
    if (auto date = key.ReadString("VideoBiosDate"))
        BIOSDate = *date;
}

void TDisplay::Refresh(SystemServices& services)
{
    TDevice display;
    {
        TDevices devices;
        devices.GetInfo(services);
        for (const TDevice& device : devices.Devices())
            if (device.DeviceClass == kDisplayDeviceClass) {
                display = device;
                break;
            }
    }
    Adapter = display.FriendlyName.empty() ? display.Description : display.FriendlyName;

    ChipData chip;
    if (TheStartupValues().IsNT)
        RunGuarded(services, "TDisplay.GetWinNTDisplayInfo", [&] { GetWinNTDisplayInfo(display.Service, chip); });
    else
        RunGuarded(services, "TDisplay.GetWin9xDisplayInfo", [&] { GetWin9xDisplayInfo(chip); });
    DAC = chip.dacType;
    Chipset = chip.chipType;
    Memory = chip.memory;
    RunGuarded(services, "TDisplay.GetVideoBIOSInfo", [&] { GetVideoBIOSInfo(); });

    const WindowDC screenDC(nullptr);
    auto caps = [&](int index) { return screenDC.Get() ? GetDeviceCaps(screenDC.Get(), index) : 0; };
    FontResolution = static_cast<std::uint32_t>(caps(LOGPIXELSY));
    HorzRes = caps(HORZRES);
    VertRes = caps(VERTRES);
    ColorDepth = caps(BITSPIXEL);
    if (std::string technology = TechnologyText(caps(TECHNOLOGY)); !technology.empty())
        Technology = technology;
    PhysicalWidth = caps(HORZSIZE);
    PhysicalHeight = caps(VERTSIZE);
    PixelWidth = caps(ASPECTX);
    PixelHeight = caps(ASPECTY);
    PixelDiagonal = caps(ASPECTXY);
    CurveCaps = CapabilitySet(CapabilityKind::Curve, static_cast<std::uint32_t>(caps(CURVECAPS)));
    LineCaps = CapabilitySet(CapabilityKind::Line, static_cast<std::uint32_t>(caps(LINECAPS)));
    PolygonCaps = CapabilitySet(CapabilityKind::Polygon, static_cast<std::uint32_t>(caps(POLYGONALCAPS)));
    RasterCaps = CapabilitySet(CapabilityKind::Raster, static_cast<std::uint32_t>(caps(RASTERCAPS)));
    TextCaps = CapabilitySet(CapabilityKind::Text, static_cast<std::uint32_t>(caps(TEXTCAPS)));

    Modes.Clear();
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD number = 0; EnumDisplaySettingsA(nullptr, number, &mode); ++number)
        Modes.Add(DisplayModeText(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                  static_cast<int>(mode.dmBitsPerPel)));
}

} // namespace qm
