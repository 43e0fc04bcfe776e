#include "sysinfo/msi_memory.h"
#include "sysinfo/report_format.h"

namespace qm {

void TMemory::Report(StringList& lines, char separator) const
{
    AddSection(lines, "Memory");
    AddGrouped(lines, "PhysMemTotal", static_cast<double>(PhysicalTotal), separator);
    AddGrouped(lines, "PhysMemFree", static_cast<double>(PhysicalFree), separator);
    AddGrouped(lines, "PageFileTotal", static_cast<double>(PageFileTotal), separator);
    AddGrouped(lines, "PageFileFree", static_cast<double>(PageFileFree), separator);
    AddGrouped(lines, "VirtMemTotal", static_cast<double>(VirtualTotal), separator);
    AddGrouped(lines, "VirtMemFree", static_cast<double>(VirtualFree), separator);
    AddGrouped(lines, "AllocGranularity", AllocGranularity, separator);
    AddHex(lines, "MinAppAddress", MinAppAddress);
    AddHex(lines, "MaxAppAddress", MaxAppAddress);
    AddGrouped(lines, "PageSize", PageSize, separator);
}

} // namespace qm
