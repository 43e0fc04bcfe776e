#include <windows.h>

#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

const StartupValues& TheStartupValues()
{
    static const StartupValues values = [] {
        const OSVERSIONINFOA record = BasicVersionRecord();
        return MakeStartupValues(OSKindOf(record), record.dwPlatformId == VER_PLATFORM_WIN32_NT, GetUserNameText(),
                                 GetComputerNameText(), GetProfilePath());
    }();
    return values;
}

} // namespace qm
