#pragma once
// The memory collector: the memory status and the address-space figures of
// the process. Figures are 64-bit: the 32-bit record overflows at 2 GiB.
#include <cstdint>

#include "sysinfo/collector.h"

namespace qm {

class TMemory : public CollectorBase<TMemory> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TMemory";
    // "[Memory]" and its lines, figures grouped by the locale's separator.
    void Report(StringList& lines, const ReportLocale& locale = {});

    std::int32_t MemoryLoad = 0;
    std::int64_t PhysicalTotal = 0;
    std::int64_t PhysicalFree = 0;
    std::int64_t PageFileTotal = 0;
    std::int64_t PageFileFree = 0;
    std::int64_t VirtualTotal = 0;
    std::int64_t VirtualFree = 0;
    std::int32_t AllocGranularity = 0;
    std::uint64_t MinAppAddress = 0;
    std::uint64_t MaxAppAddress = 0;
    std::int32_t PageSize = 0;
    // The resource meters of Windows 9x: always 0 here, as the queries give.
    std::uint8_t Win9x_SystemRes = 0;
    std::uint8_t Win9x_GDIRes = 0;
    std::uint8_t Win9x_UserRes = 0;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);
};

} // namespace qm
