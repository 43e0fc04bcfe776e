#include "sysinfo/msi_memory.h"
#include "sysinfo/report_format.h"

namespace qm {

const TypeInfo& TMemory::StaticType()
{
    using M = TMemory;
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<M, &M::MemoryLoad>("MemoryLoad"),       IntProperty<M, &M::PhysicalTotal>("PhysicalTotal"),
        IntProperty<M, &M::PhysicalFree>("PhysicalFree"),   IntProperty<M, &M::PageFileTotal>("PageFileTotal"),
        IntProperty<M, &M::PageFileFree>("PageFileFree"),   IntProperty<M, &M::VirtualTotal>("VirtualTotal"),
        IntProperty<M, &M::VirtualFree>("VirtualFree"),     IntProperty<M, &M::AllocGranularity>("AllocGranularity"),
        IntProperty<M, &M::MinAppAddress>("MinAppAddress"), IntProperty<M, &M::MaxAppAddress>("MaxAppAddress"),
        IntProperty<M, &M::PageSize>("PageSize"),           IntProperty<M, &M::Win9x_SystemRes>("Win9x_SystemRes"),
        IntProperty<M, &M::Win9x_GDIRes>("Win9x_GDIRes"),   IntProperty<M, &M::Win9x_UserRes>("Win9x_UserRes"),
    };
    static constexpr TypeInfo kType = RecordType("TMemory", kProperties);
    return kType;
}

void TMemory::Report(StringList& lines, const ReportLocale& locale)
{
    const char separator = locale.thousandsSeparator;
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
