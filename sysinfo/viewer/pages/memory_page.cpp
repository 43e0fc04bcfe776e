#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/progress_bar.h"
#include "sysinfo/msi_memory.h"
#include "sysinfo/report_locale.h"

namespace qm {

void FillMemoryPage(TForm& form, const TMemory& memory)
{
    const char separator = UserReportLocale().thousandsSeparator;
    auto asDouble = [](std::int64_t value) { return static_cast<double>(value); };
    Put(form, "ePT", GroupedOrBlank(asDouble(memory.PhysicalTotal), separator));
    Put(form, "ePF", Grouped(asDouble(memory.PhysicalFree), separator));
    Put(form, "eFT", GroupedOrBlank(asDouble(memory.PageFileTotal), separator));
    Put(form, "eFF", Grouped(asDouble(memory.PageFileFree), separator));
    Put(form, "eVT", GroupedOrBlank(asDouble(memory.VirtualTotal), separator));
    Put(form, "eVF", Grouped(asDouble(memory.VirtualFree), separator));
    form.Find<TProgressBar>("gMemoryLED").SetPosition(memory.MemoryLoad);
    Put(form, "eAG", GroupedOrBlank(memory.AllocGranularity, separator));
    Put(form, "eAppAddr", AddressRangeText(memory.MinAppAddress, memory.MaxAppAddress));
    Put(form, "ePS", GroupedOrBlank(memory.PageSize, separator));
}

} // namespace qm
