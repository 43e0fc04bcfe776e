#include <windows.h>

#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

const StartupValues& TheStartupValues()
{
    static const StartupValues values = [] {
        OSVERSIONINFOA record{};
        record.dwOSVersionInfoSize = sizeof(record);
        const bool ntPlatform = GetVersionExA(&record) && record.dwPlatformId == VER_PLATFORM_WIN32_NT;
        return MakeStartupValues(GetOSKind(), ntPlatform, GetUserNameText(), GetComputerNameText(), GetProfilePath());
    }();
    return values;
}

} // namespace qm
