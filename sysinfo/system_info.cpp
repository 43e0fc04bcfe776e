#include "sysinfo/system_info.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/system_services.h"
#include "sysinfo/shared_routines.h"

namespace qm {

void* CollectorIn(void* info, const CollectorKind& kind)
{
    return static_cast<SystemInfo*>(info)->Object(kind);
}

SystemInfo::SystemInfo()
{
    for (const TopicRow& row : TopicRows())
        owned_.push_back(row.collector.make ? row.collector.make() : nullptr);
}

SystemInfo::~SystemInfo()
{
    const auto rows = TopicRows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (owned_[i])
            rows[i].collector.free(owned_[i]);
}

void* SystemInfo::Object(const CollectorKind& kind) const
{
    for (const TopicRow& row : TopicRows())
        if (row.collector.kind == &kind)
            return Collector(row).Object();
    throw std::logic_error(std::string("no topic has the collector ") + kind.className);
}

CollectorRef SystemInfo::Collector(const TopicRow& row) const
{
    const TopicCollector& collector = row.collector;
    if (collector.owner)
        return CollectorRef(*collector.kind, collector.inOwner(Object(*collector.owner)));
    return CollectorRef(*collector.kind, owned_[static_cast<size_t>(&row - TopicRows().data())]);
}

std::vector<CollectorRef> SystemInfo::InRefreshOrder() const
{
    std::vector<CollectorRef> collectors;
    for (const TopicRow* row : RowsInRefreshOrder())
        collectors.push_back(Collector(*row));
    return collectors;
}

std::vector<CollectorRef> SystemInfo::InReportOrder() const
{
    std::vector<CollectorRef> collectors;
    for (const TopicRow* row : RowsInReportOrder())
        collectors.push_back(Collector(*row));
    return collectors;
}

std::vector<Topic> SystemInfo::Topics() const
{
    std::vector<Topic> topics;
    for (const TopicRow& row : TopicRows())
        if (!row.sheet.empty())
            topics.push_back({row.name, row.sheet, Collector(row)});
    return topics;
}

void SystemInfo::RefreshData(SystemServices& services, const std::function<void(const CollectorRef&)>& starting)
{
    TDisk& disk = Get<TDisk>();
    disk.SetServices(services);
    for (const CollectorRef& collector : InRefreshOrder()) {
        if (starting)
            starting(collector);
        collector.GetInfo(services);
        // The per-drive figures describe the system drive.
        if (collector.Object() == &disk)
            disk.SetDisk(SystemDriveOf(Get<TOperatingSystem>().Folders->Lines()));
    }
}

void SystemInfo::RefreshOnly(SystemServices& services, const std::vector<CollectorRef>& chosen,
                             const std::function<void(const CollectorRef&)>& starting)
{
    auto isChosen = [&](const CollectorRef& collector) {
        return std::find(chosen.begin(), chosen.end(), collector) != chosen.end();
    };
    TDisk& disk = Get<TDisk>();
    const CollectorRef os(Get<TOperatingSystem>());
    disk.SetServices(services);
    std::vector<CollectorRef> order;
    for (const CollectorRef& collector : InRefreshOrder())
        if (isChosen(collector))
            order.push_back(collector);
    // A part is read with its owner when that is chosen too.
    auto readWithOwner = [&](const CollectorRef& collector) {
        for (const TopicRow& row : TopicRows())
            if (row.collector.owner && Collector(row) == collector)
                return isChosen(CollectorRef(*row.collector.owner, Object(*row.collector.owner)));
        return false;
    };
    for (const CollectorRef& collector : chosen)
        if (std::find(order.begin(), order.end(), collector) == order.end() && !readWithOwner(collector))
            order.push_back(collector);
    for (const CollectorRef& collector : order) {
        if (starting)
            starting(collector);
        collector.GetInfo(services);
        if (collector.Object() == &disk)
            disk.SetDisk(isChosen(os) ? SystemDriveOf(Get<TOperatingSystem>().Folders->Lines())
                                      : SystemDriveOf({"Windows=" + WindowsDirectoryText()}));
    }
}

void SystemInfo::ReportOne(const CollectorRef& collector, StringList& lines, const ReportLocale& locale)
{
    TDisk& disk = Get<TDisk>();
    if (collector.Object() != &disk) {
        collector.Report(lines, locale);
        return;
    }
    const TDisk selected = disk;
    try {
        collector.Report(lines, locale);
    } catch (...) {
        disk = selected;
        throw;
    }
    disk = selected;
}

void SystemInfo::Report(StringList& lines, const ReportLocale& locale)
{
    for (const CollectorRef& collector : InReportOrder())
        collector.Report(lines, locale);
}

ReportLocale UserReportLocale()
{
    ReportLocale locale;
    char separator[8] = {};
    locale.thousandsSeparator =
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator)) > 1 ? separator[0] : 0;
    locale.dateTimeText = [](double dateTime) {
        const CivilDateTime c = DecodeDateTime(dateTime);
        SYSTEMTIME t{};
        t.wYear = static_cast<WORD>(c.year);
        t.wMonth = static_cast<WORD>(c.month);
        t.wDay = static_cast<WORD>(c.day);
        t.wHour = static_cast<WORD>(c.hour);
        t.wMinute = static_cast<WORD>(c.minute);
        t.wSecond = static_cast<WORD>(c.second);
        char date[128] = {}, time[128] = {};
        if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof(date)))
            return PlainDateTimeText(dateTime);
        std::string text = date;
        if ((c.hour || c.minute || c.second || c.milliseconds) &&
            GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, sizeof(time))) {
            text += ' ';
            text += time;
        }
        return text;
    };
    return locale;
}

} // namespace qm
