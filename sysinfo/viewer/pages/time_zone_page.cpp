#include "sysinfo/viewer/pages/overview_pages.h"

#include "sysinfo/msi_os.h"
#include "sysinfo/report_locale.h"

namespace qm {

void FillTimeZonePage(TForm& form, const TTimeZone& zone)
{
    const ReportLocale locale = UserReportLocale();
    Put(form, "eTZ", zone.DisplayName);
    form.Find<TControl>("gbStd").SetCaption(" " + zone.StandardName + " ");
    form.Find<TControl>("gbDay").SetCaption(" " + zone.DaylightName + " ");
    Put(form, "eStdStart", locale.dateTimeText(zone.StandardStart));
    Put(form, "edayStart", locale.dateTimeText(zone.DaylightStart));
    Put(form, "eStdBias", IntText(zone.StandardBias));
    Put(form, "eDayBias", IntText(zone.DaylightBias));
}

} // namespace qm
