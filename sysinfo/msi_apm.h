#pragma once
// The power and battery status.
#include <cstdint>
#include <string>

#include "sysinfo/collector.h"

namespace qm {

enum class TPowerStatus { psUnknown, psOffline, psOnline };
enum class TBatteryStatus { bsUnknown, bsHigh, bsLow, bsCritical, bsCharging, bsNoBattery };

// The status of the mains line and of the battery as the system's power
// record gives them.
TPowerStatus PowerStatusFrom(std::uint8_t acLineStatus);
TBatteryStatus BatteryStatusFrom(std::uint8_t batteryFlag);

class TAPM : public CollectorBase<TAPM> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TAPM";
    // "[Advanced Power Management]"; the battery times only when the
    // percentage is known.
    void Report(StringList& lines, const ReportLocale& locale = {});

    TPowerStatus ACPowerStatus = TPowerStatus::psUnknown;
    TBatteryStatus BatteryChargeStatus = TBatteryStatus::bsUnknown;
    std::uint8_t BatteryLifePercent = 0;
    std::uint32_t BatteryLifeTime = 0, BatteryLifeFullTime = 0;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);
};

} // namespace qm
