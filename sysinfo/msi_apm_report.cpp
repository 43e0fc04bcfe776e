#include "sysinfo/msi_apm.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

constexpr std::string_view kPowerStatusNames[] = {"psUnknown", "psOffline", "psOnline"};
constexpr std::string_view kBatteryStatusNames[] = {"bsUnknown",  "bsHigh",     "bsLow",
                                                    "bsCritical", "bsCharging", "bsNoBattery"};

} // namespace

TPowerStatus PowerStatusFrom(std::uint8_t acLineStatus)
{
    switch (acLineStatus) {
    case 0:
        return TPowerStatus::psOffline;
    case 1:
        return TPowerStatus::psOnline;
    default:
        return TPowerStatus::psUnknown;
    }
}

TBatteryStatus BatteryStatusFrom(std::uint8_t batteryFlag)
{
    // One flag at a time: combinations (high and charging is 9) say nothing.
    switch (batteryFlag) {
    case 0:
    case 1:
        return TBatteryStatus::bsHigh;
    case 2:
        return TBatteryStatus::bsLow;
    case 4:
        return TBatteryStatus::bsCritical;
    case 8:
        return TBatteryStatus::bsCharging;
    case 128:
        return TBatteryStatus::bsNoBattery;
    default:
        return TBatteryStatus::bsUnknown;
    }
}

const TypeInfo& TAPM::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<TAPM, &TAPM::ACPowerStatus>("ACPowerStatus", kPowerStatusNames),
        EnumProperty<TAPM, &TAPM::BatteryChargeStatus>("BatteryChargeStatus", kBatteryStatusNames),
        IntProperty<TAPM, &TAPM::BatteryLifePercent>("BatteryLifePercent"),
        IntProperty<TAPM, &TAPM::BatteryLifeTime>("BatteryLifeTime"),
        IntProperty<TAPM, &TAPM::BatteryLifeFullTime>("BatteryLifeFullTime"),
    };
    static constexpr TypeInfo kType = RecordType("TAPM", kProperties);
    return kType;
}

void TAPM::Report(StringList& lines, const ReportLocale&)
{
    static constexpr const char* kPower[] = {"Unknown", "Offline", "Online"};
    static constexpr const char* kBattery[] = {"Unknown", "High", "Low", "Critical", "Charging", "No Battery"};
    AddSection(lines, "Advanced Power Management");
    AddText(lines, "ACPowerStatus", kPower[static_cast<int>(ACPowerStatus)]);
    AddText(lines, "BatteryChargeStatus", kBattery[static_cast<int>(BatteryChargeStatus)]);
    if (BatteryLifePercent <= 100) {
        AddText(lines, "BattreyLifeFullTime", FormatSeconds(BatteryLifeFullTime));
        AddText(lines, "BatteryLifeTime", FormatSeconds(BatteryLifeTime));
    }
}

} // namespace qm
