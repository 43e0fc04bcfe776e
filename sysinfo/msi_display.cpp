#include "sysinfo/msi_display.h"

#include <windows.h>

#include "platform/registry_key.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/os_kind.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

// The screen's device context for as long as the object lives.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC()
    {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    int Caps(int index) const { return dc_ ? GetDeviceCaps(dc_, index) : 0; }

private:
    HDC dc_;
};

// Raw bytes of a value of at most `limit` bytes; nothing when missing, larger or unreadable.
std::optional<std::string> RawValue(const RegistryKey& key, const char* name, size_t limit)
{
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!key.ReadRaw(name, type, data) || data.size() > limit)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(data.data()), data.size());
}

} // namespace

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
    if (auto dac = RawValue(key, "HardwareInformation.DacType", 255))
        chip.dacType = MultiStrToStr(*dac);
    if (auto type = RawValue(key, "HardwareInformation.ChipType", 255))
        chip.chipType = MultiStrToStr(*type);
    if (auto memory = RawValue(key, "HardwareInformation.MemorySize", 255); memory && memory->size() >= 4) {
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
    if (auto version = RawValue(key, "VideoBiosVersion", 151))
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

    const ScreenDC screen;
    FontResolution = static_cast<std::uint32_t>(screen.Caps(LOGPIXELSY));
    HorzRes = screen.Caps(HORZRES);
    VertRes = screen.Caps(VERTRES);
    ColorDepth = screen.Caps(BITSPIXEL);
    if (std::string technology = TechnologyText(screen.Caps(TECHNOLOGY)); !technology.empty())
        Technology = technology;
    PhysicalWidth = screen.Caps(HORZSIZE);
    PhysicalHeight = screen.Caps(VERTSIZE);
    PixelWidth = screen.Caps(ASPECTX);
    PixelHeight = screen.Caps(ASPECTY);
    PixelDiagonal = screen.Caps(ASPECTXY);
    CurveCaps = CapabilitySet(CapabilityKind::Curve, static_cast<std::uint32_t>(screen.Caps(CURVECAPS)));
    LineCaps = CapabilitySet(CapabilityKind::Line, static_cast<std::uint32_t>(screen.Caps(LINECAPS)));
    PolygonCaps = CapabilitySet(CapabilityKind::Polygon, static_cast<std::uint32_t>(screen.Caps(POLYGONALCAPS)));
    RasterCaps = CapabilitySet(CapabilityKind::Raster, static_cast<std::uint32_t>(screen.Caps(RASTERCAPS)));
    TextCaps = CapabilitySet(CapabilityKind::Text, static_cast<std::uint32_t>(screen.Caps(TEXTCAPS)));

    Modes.Clear();
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD number = 0; EnumDisplaySettingsA(nullptr, number, &mode); ++number)
        Modes.Add(DisplayModeText(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                  static_cast<int>(mode.dmBitsPerPel)));
}

} // namespace qm
