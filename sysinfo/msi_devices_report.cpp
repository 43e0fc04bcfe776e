#include <algorithm>

#include "platform/text_case.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

} // namespace

int DeviceClassIndex(std::string_view className)
{
    for (size_t i = 0; i < std::size(kDeviceClassNames); ++i)
        if (StartsWithIgnoringCase(className, kDeviceClassNames[i]))
            return static_cast<int>(i);
    return kUnknownDeviceClass;
}

const std::string& TDevice::DisplayName() const
{
    const bool blank = std::all_of(FriendlyName.begin(), FriendlyName.end(),
                                   [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
    return blank ? Description : FriendlyName;
}

const TypeInfo& TDevice::StaticType()
{
    using D = TDevice;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<D, &D::ClassName>("ClassName"),
        StringProperty<D, &D::ClassDesc>("ClassDesc"),
        StringProperty<D, &D::FriendlyName>("FriendlyName"),
        StringProperty<D, &D::Description>("Description"),
        StringProperty<D, &D::GUID>("GUID"),
        StringProperty<D, &D::Manufacturer>("Manufacturer"),
        StringProperty<D, &D::Location>("Location"),
        StringProperty<D, &D::HardwareID>("HardwareID"),
        StringProperty<D, &D::DriverDate>("DriverDate"),
        StringProperty<D, &D::DriverVersion>("DriverVersion"),
        StringProperty<D, &D::DriverProvider>("DriverProvider"),
        StringProperty<D, &D::Service>("Service"),
        StringProperty<D, &D::ServiceName>("ServiceName"),
        StringProperty<D, &D::ServiceGroup>("ServiceGroup"),
        IntProperty<D, &D::ServiceType>("ServiceType"),
        IntProperty<D, &D::DeviceClass>("DeviceClass"),
    };
    static constexpr TypeInfo kType = RecordType("TDevice", kProperties);
    return kType;
}

const TypeInfo& TDevices::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TDevices, &TDevices::DeviceCount>("DeviceCount"),
        CollectionProperty<TDevices, TDevice, [](TDevices& d) -> std::vector<TDevice>& { return d.devices_; }>(
            "Devices"),
    };
    static constexpr TypeInfo kType = RecordType("TDevices", kProperties);
    return kType;
}

void TDevices::SetDevices(std::vector<TDevice> devices)
{
    // As a string list sorts: by class name without regard to case.
    std::stable_sort(devices.begin(), devices.end(), [](const TDevice& a, const TDevice& b) {
        return CompareIgnoringCase(a.ClassName, b.ClassName) < 0;
    });
    devices_ = std::move(devices);
    DeviceCount = static_cast<std::int32_t>(devices_.size());
}

void TDevices::GetDevice(int index, TDevice& device) const
{
    if (index >= 0 && static_cast<size_t>(index) < devices_.size())
        device = devices_[static_cast<size_t>(index)];
}

void TDevices::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "Devices");
    AddInteger(lines, "Count", DeviceCount);
    for (const TDevice& device : devices_) {
        AddSection(lines, device.DisplayName());
        AddText(lines, "Class Name", device.ClassDesc);
        AddText(lines, "Class GUID", device.GUID);
        AddText(lines, "Manufacturer", device.Manufacturer);
        AddText(lines, "Location", device.Location);
        AddText(lines, "Hardware ID", device.HardwareID);
        AddText(lines, "Driver Date", device.DriverDate);
        AddText(lines, "Driver Version", device.DriverVersion);
        AddText(lines, "Driver Provider", device.DriverProvider);
        AddText(lines, "Service Name", device.ServiceName);
        AddText(lines, "Service Group", device.ServiceGroup);
    }
}

} // namespace qm
