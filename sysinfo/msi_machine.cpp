#include "sysinfo/msi_machine.h"

#include <windows.h>

#include "platform/registry_key.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/time_zone_rules.h"

namespace qm {

namespace {

constexpr char kSystemDescription[] = "HARDWARE\\DESCRIPTION\\System";

double LocalNow()
{
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return EncodeDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

// A NUL-terminated text at a fixed linear address of the BIOS area, as
// Windows 9x maps it into every process; empty where nothing readable is
// there (any other system).
std::string BiosText(std::uintptr_t address)
{
    MEMORY_BASIC_INFORMATION region{};
    const auto* start = reinterpret_cast<const char*>(address);
    if (!VirtualQuery(start, &region, sizeof(region)) || region.State != MEM_COMMIT ||
        !(region.Protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE)) ||
        (region.Protect & PAGE_GUARD))
        return {};
    const auto* end = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    std::string text;
    for (const char* p = start; p < end && *p && text.size() < 255; ++p)
        text += *p;
    return text;
}

} // namespace

void TMachine::Refresh(SystemServices&)
{
    const BootTimes boot = BootTimesFrom(GetTickCount(), LocalNow());
    LastBoot = boot.lastBoot;
    SystemUpTime = boot.upTimeSeconds;
    Name = GetComputerNameText();
    User = GetUserNameText();
    const StartupValues& values = TheStartupValues();
    if (values.IsNT) {
        RegistryKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, kSystemDescription)) {
            BIOSName = key.ReadString("Identifier").value_or("");
            if (auto version = key.ReadBytes("SystemBiosVersion", 255))
                BIOSCopyright = version->substr(0, version->find('\0'));
            BIOSDate = key.ReadString("SystemBiosDate").value_or("");
        }
    } else {
        BIOSName = BiosText(0xFE061);
        BIOSDate = BiosText(0xFFFF5);
        BIOSCopyright = BiosText(0xFE091);
        BIOSExtendedInfo = BiosText(0xFEC71);
    }
    BYTE keys[256] = {};
    if (GetKeyboardState(keys)) {
        // 1: toggled on and not held down.
        CapsLock = keys[VK_CAPITAL] == 1;
        NumLock = keys[VK_NUMLOCK] == 1;
        ScrollLock = keys[VK_SCROLL] == 1;
    }
    std::vector<std::string> computers;
    std::string classSubkey;
    GetClassDevices(values.ClassKey, "Computer", "DriverDesc", classSubkey, computers);
    Computer = computers.empty() ? std::string() : computers.front();
}

} // namespace qm
