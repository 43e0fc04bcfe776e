#include "sysinfo/msi_memory.h"

#include <windows.h>

#include "platform/system_services.h"

namespace qm {

void TMemory::Refresh(SystemServices& services)
{
    MemoryStatus status = services.ReadMemoryStatus();
    MemoryLoad = static_cast<std::int32_t>(status.memoryLoad);
    PhysicalTotal = static_cast<std::int64_t>(status.totalPhysical);
    PhysicalFree = static_cast<std::int64_t>(status.availablePhysical);
    PageFileTotal = static_cast<std::int64_t>(status.totalPageFile);
    PageFileFree = static_cast<std::int64_t>(status.availablePageFile);
    VirtualTotal = static_cast<std::int64_t>(status.totalVirtual);
    VirtualFree = static_cast<std::int64_t>(status.availableVirtual);
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    AllocGranularity = static_cast<std::int32_t>(info.dwAllocationGranularity);
    MinAppAddress = reinterpret_cast<std::uintptr_t>(info.lpMinimumApplicationAddress);
    MaxAppAddress = reinterpret_cast<std::uintptr_t>(info.lpMaximumApplicationAddress);
    PageSize = static_cast<std::int32_t>(info.dwPageSize);
    Win9x_SystemRes = Win9x_GDIRes = Win9x_UserRes = 0;
}

} // namespace qm
