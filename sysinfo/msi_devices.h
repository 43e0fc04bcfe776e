#pragma once
// The hardware devices the system's device registry lists, each with its
// class, manufacturer, location, hardware identifier, driver and service.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sysinfo/collector.h"

namespace qm {

// The 35 device classes by index; a device's class is the first whose name
// its class name begins with (without regard to case), else "Unknown" (24).
inline constexpr std::string_view kDeviceClassNames[] = {"Battery",
                                                         "Computer",
                                                         "DiskDrive",
                                                         "Display",
                                                         "CDROM",
                                                         "fdc",
                                                         "FloppyDisk",
                                                         "GPS",
                                                         "HID",
                                                         "hdc",
                                                         "1394",
                                                         "Image",
                                                         "Infrared",
                                                         "Keyboard",
                                                         "MediumChanger",
                                                         "MTD",
                                                         "Mouse",
                                                         "Modem",
                                                         "Monitor",
                                                         "MultiFunction",
                                                         "MultiPortSerial",
                                                         "Net",
                                                         "LegacyDriver",
                                                         "NtApm",
                                                         "Unknown",
                                                         "PCMCIA",
                                                         "Ports",
                                                         "Printer",
                                                         "SCSIAdapter",
                                                         "SmartCardReader",
                                                         "MEDIA",
                                                         "Volume",
                                                         "System",
                                                         "TapeDrive",
                                                         "USB"};
inline constexpr int kUnknownDeviceClass = 24, kDisplayDeviceClass = 3, kMediaDeviceClass = 30;
int DeviceClassIndex(std::string_view className);

struct TDevice {
    std::string ClassName, ClassDesc, FriendlyName, Description, GUID, Manufacturer, Location, HardwareID, DriverDate,
        DriverVersion, DriverProvider, Service, ServiceName, ServiceGroup;
    std::int32_t ServiceType = 0;
    std::uint8_t DeviceClass = 0;

    // The friendly name, or the description when there is none.
    const std::string& DisplayName() const;
    static const TypeInfo& StaticType();
};

class TDevices : public CollectorBase<TDevices> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TDevices";
    void Report(StringList& lines, const ReportLocale& locale = {});

    // A copy of the device at `index`; an index out of range leaves `device` as it was.
    void GetDevice(int index, TDevice& device) const;
    const std::vector<TDevice>& Devices() const { return devices_; }
    // Replaces the list (sorted by class name) and the count.
    void SetDevices(std::vector<TDevice> devices);

    std::int32_t DeviceCount = 0;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

private:
    std::vector<TDevice> devices_;
};

} // namespace qm
