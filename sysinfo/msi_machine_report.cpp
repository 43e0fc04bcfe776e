#include <cmath>

#include "sysinfo/msi_machine.h"
#include "sysinfo/report_format.h"

namespace qm {

BootTimes BootTimesFrom(std::uint32_t tickCount, double now)
{
    const double seconds = tickCount / 1000.0;
    return {seconds, now - seconds / 86400.0};
}

std::string UpTimeText(double seconds)
{
    return FormatSeconds(static_cast<std::int64_t>(std::nearbyint(seconds)));
}

const TypeInfo& TMachine::StaticType()
{
    using M = TMachine;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<M, &M::Name>("Name"),
        StringProperty<M, &M::User>("User"),
        FloatProperty<M, &M::SystemUpTime>("SystemUpTime"),
        FloatProperty<M, &M::LastBoot>("LastBoot"),
        StringProperty<M, &M::BIOSName>("BIOSName"),
        StringProperty<M, &M::BIOSCopyright>("BIOSCopyright"),
        StringProperty<M, &M::BIOSDate>("BIOSDate"),
        StringProperty<M, &M::BIOSExtendedInfo>("BIOSExtendedInfo"),
        BoolProperty<M, &M::CapsLock>("CapsLock"),
        BoolProperty<M, &M::NumLock>("NumLock"),
        BoolProperty<M, &M::ScrollLock>("ScrollLock"),
        StringProperty<M, &M::Computer>("Computer"),
    };
    static constexpr TypeInfo kType = RecordType("TMachine", kProperties);
    return kType;
}

void TMachine::Report(StringList& lines, const ReportLocale& locale)
{
    AddSection(lines, "Machine");
    AddText(lines, "Name", Name);
    AddText(lines, "User", User);
    AddText(lines, "BIOS name", BIOSName);
    AddText(lines, "BIOS Copyright", BIOSCopyright);
    AddText(lines, "BIOS Date", BIOSDate);
    AddText(lines, "BIOS Extended info", BIOSExtendedInfo);
    const auto& dateTime = locale.dateTimeText ? locale.dateTimeText : PlainDateTimeText;
    AddText(lines, "Last Boot", dateTime(LastBoot));
    AddText(lines, "System Up Time", UpTimeText(SystemUpTime));
    AddText(lines, "Computer", Computer);
}

} // namespace qm
