#include "sysinfo/msi_apm.h"

#include <windows.h>

namespace qm {

void TAPM::Refresh(SystemServices&)
{
    ACPowerStatus = TPowerStatus::psUnknown;
    BatteryChargeStatus = TBatteryStatus::bsUnknown;
    BatteryLifePercent = 0;
    BatteryLifeTime = BatteryLifeFullTime = 0;
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status))
        return;
    ACPowerStatus = PowerStatusFrom(status.ACLineStatus);
    BatteryChargeStatus = BatteryStatusFrom(status.BatteryFlag);
    BatteryLifePercent = status.BatteryLifePercent;
    BatteryLifeTime = status.BatteryLifeTime;
    BatteryLifeFullTime = status.BatteryFullLifeTime;
}

} // namespace qm
