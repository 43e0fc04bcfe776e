#include "sysinfo/msi_devices.h"

#include <algorithm>
#include <cctype>

#include "platform/registry_key.h"
#include "platform/registry_text.h"
#include "platform/text_case.h"
#include "sysinfo/os_kind.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services\\";

std::string Text(const RegistryKey& key, const char* name)
{
    return key.ReadString(name).value_or("");
}

// A multi-string joined without separators; a plain string as it is; other
// values, and multi-strings of more than 255 bytes, as nothing.
std::string HardwareIdText(const RegistryKey& key)
{
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!key.ReadRaw("HardwareID", type, data))
        return {};
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        return key.ReadString("HardwareID").value_or("");
    if (data.size() > 255)
        return {};
    return MultiStrToStr(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

// A text value into `out`: a missing one reads as empty; one of another type fails.
bool ReadTextValue(const RegistryKey& key, const char* name, std::string& out)
{
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!key.ReadRaw(name, type, data)) {
        out.clear();
        return true;
    }
    auto text = RegistryDataToText(type, data.data(), data.size());
    if (!text)
        return false;
    out = *text;
    return true;
}

// Name, group and type of a service, read in that order: the first read that
// fails (the type is missing or any is of another type) ends the reads and
// empties the name; what was read before stays.
void ReadService(const std::string& service, TDevice& device)
{
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kServicesKey + service))
        return;
    ReadTextValue(key, "Group", device.ServiceGroup);
    bool read =
        ReadTextValue(key, "DisplayName", device.ServiceName) && ReadTextValue(key, "Group", device.ServiceGroup);
    if (read) {
        auto type = key.ReadDword("Type");
        read = type.has_value();
        if (read)
            device.ServiceType = static_cast<std::int32_t>(*type);
    }
    if (!read)
        device.ServiceName.clear();
}

void ReadClass(const StartupValues& values, TDevice& device)
{
    RegistryKey classes;
    if (!classes.Open(HKEY_LOCAL_MACHINE, values.ClassKey))
        return;
    for (const std::string& name : classes.SubkeyNames()) {
        if (!EqualIgnoringCase(name, device.GUID))
            continue;
        RegistryKey key;
        if (!key.Open(HKEY_LOCAL_MACHINE, values.ClassKey + "\\" + name))
            return;
        device.ClassName = Text(key, "Class");
        if (!values.IsNT) {
            // Windows 9x keeps the rest under the sibling the link names.
            const std::string link = Text(key, "Link");
            if (!key.Open(HKEY_LOCAL_MACHINE, values.ClassKey + "\\" + link))
                return;
        }
        device.ClassDesc = Text(key, "");
        return;
    }
}

void ReadDriver(const StartupValues& values, const RegistryKey& deviceKey, TDevice& device)
{
    const std::string driver = ReplaceTextAll(Text(deviceKey, "Driver"), "\\\\", "\\");
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, values.ClassKey + "\\" + driver))
        return;
    device.DriverDate = Text(key, "DriverDate");
    device.DriverVersion = Text(key, "DriverVersion");
    device.DriverProvider = Text(key, "ProviderName");
}

bool ReadDevice(const StartupValues& values, const std::string& enumerator, const std::string& path, TDevice& device)
{
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, path))
        return false;
    // On NT a device that is not started has no Control key.
    if (values.IsNT) {
        RegistryKey control;
        if (!control.Open(HKEY_LOCAL_MACHINE, path + "\\Control"))
            return false;
    }
    device.GUID = UpperCase(Text(key, "ClassGUID"));
    device.FriendlyName = Text(key, "FriendlyName");
    device.Description = Text(key, "DeviceDesc");
    device.Manufacturer = Text(key, "Mfg");
    device.Service = Text(key, "Service");
    device.Location = Text(key, "LocationInformation");
    if (device.Location.empty()) {
        // The bus's own service names where the device is.
        TDevice bus;
        ReadService(enumerator, bus);
        device.Location = bus.ServiceName;
        device.ServiceGroup = bus.ServiceGroup;
        device.ServiceType = bus.ServiceType;
    }
    ReadClass(values, device);
    if (device.ClassName.empty())
        device.ClassName = Text(key, "Class");
    ReadDriver(values, key, device);
    ReadService(device.Service, device);
    device.HardwareID = HardwareIdText(key);
    const bool blank = std::all_of(device.ClassName.begin(), device.ClassName.end(),
                                   [](char c) { return std::isspace(static_cast<unsigned char>(c)) || c < ' '; });
    if (blank)
        return false;
    device.DeviceClass = static_cast<std::uint8_t>(DeviceClassIndex(device.ClassName));
    return true;
}

} // namespace

void TDevices::Refresh(SystemServices&)
{
    devices_.clear();
    DeviceCount = 0;
    const StartupValues& values = TheStartupValues();
    const std::string root = values.IsNT ? "SYSTEM\\CurrentControlSet\\Enum" : "Enum";
    RegistryKey rootKey;
    if (!rootKey.Open(HKEY_LOCAL_MACHINE, root))
        return;
    std::vector<TDevice> devices;
    for (const std::string& enumerator : rootKey.SubkeyNames()) {
        if (!values.IsNT && enumerator == "Network")
            continue;
        RegistryKey enumeratorKey;
        if (!enumeratorKey.Open(HKEY_LOCAL_MACHINE, root + "\\" + enumerator))
            continue;
        for (const std::string& device : enumeratorKey.SubkeyNames()) {
            const std::string devicePath = root + "\\" + enumerator + "\\" + device;
            RegistryKey deviceKey;
            if (!deviceKey.Open(HKEY_LOCAL_MACHINE, devicePath))
                continue;
            for (const std::string& instance : deviceKey.SubkeyNames()) {
                TDevice record;
                if (ReadDevice(values, enumerator, devicePath + "\\" + instance, record))
                    devices.push_back(std::move(record));
            }
        }
    }
    SetDevices(std::move(devices));
}

} // namespace qm
