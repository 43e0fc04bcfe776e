#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/progress_bar.h"
#include "sysinfo/msi_apm.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

std::string PowerStatusText(TPowerStatus status)
{
    switch (status) {
    case TPowerStatus::psOffline:
        return "Offline";
    case TPowerStatus::psOnline:
        return "Online";
    default:
        return "Unknown";
    }
}

std::string BatteryStatusText(TBatteryStatus status)
{
    static constexpr const char* kTexts[] = {"Unknown", "High", "Low", "Critical", "Charging", "No Battery"};
    return kTexts[static_cast<int>(status)];
}

} // namespace

void FillApmPage(TForm& form, const TAPM& apm)
{
    Put(form, "eAC", PowerStatusText(apm.ACPowerStatus));
    Put(form, "eBat", BatteryStatusText(apm.BatteryChargeStatus));
    if (apm.BatteryLifePercent > 100) {
        Put(form, "eBatFull", "<info not available>");
        Put(form, "eBatLife", "<info not available>");
        return;
    }
    Put(form, "eBatFull", FormatSeconds(apm.BatteryLifeFullTime));
    Put(form, "eBatLife", FormatSeconds(apm.BatteryLifeTime));
    form.Find<TProgressBar>("gAPMLED").SetPosition(apm.BatteryLifePercent);
}

} // namespace qm
