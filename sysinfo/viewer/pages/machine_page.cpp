#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/tab_control.h"
#include "sysinfo/msi_machine.h"
#include "sysinfo/report_format.h"
#include "sysinfo/report_locale.h"

namespace qm {

namespace {

constexpr Color kLockOn = clLime, kLockOff = clSilver;

} // namespace

void FillMachinePage(TForm& form, const TMachine& machine)
{
    const ReportLocale locale = UserReportLocale();
    if (machine.Computer.find_first_not_of(" \t") != std::string::npos)
        form.Find<TTabSheet>("tsWksta").SetCaption(" " + machine.Computer + " ");
    Put(form, "eWksta", machine.Name);
    Put(form, "eUser", machine.User);
    Put(form, "eBIOSName", machine.BIOSName);
    Put(form, "eBIOSCopy", machine.BIOSCopyright);
    Put(form, "eBIOSDate", machine.BIOSDate);
    Put(form, "eBIOSExt", machine.BIOSExtendedInfo);
    Put(form, "eLastBoot", locale.dateTimeText(machine.LastBoot));
    Put(form, "eSysTime", UpTimeText(machine.SystemUpTime));
    form.Find<TControl>("pNumLock").SetColor(machine.NumLock ? kLockOn : kLockOff);
    form.Find<TControl>("pCapsLock").SetColor(machine.CapsLock ? kLockOn : kLockOff);
    form.Find<TControl>("pScrollLock").SetColor(machine.ScrollLock ? kLockOn : kLockOff);
}

} // namespace qm
