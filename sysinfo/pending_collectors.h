#pragma once
// Collectors whose readings are not built yet: they refresh nothing and
// report only their section header, so a report keeps its shape.
#include "sysinfo/collector.h"
#include "sysinfo/report_format.h"

namespace qm {

template <class Derived> class PendingCollector : public CollectorBase<Derived> {
public:
    static const TypeInfo& StaticType()
    {
        static constexpr TypeInfo kType = RecordType(Derived::kClassName, {});
        return kType;
    }
    void Refresh(SystemServices&) {}
    void Report(StringList& lines, const ReportLocale& = {}) { AddSection(lines, Derived::kSection); }
};

struct TNetwork : PendingCollector<TNetwork> {
    static constexpr const char* kClassName = "TNetwork";
    static constexpr const char* kSection = "Network";
};
struct TEngines : PendingCollector<TEngines> {
    static constexpr const char* kClassName = "TEngines";
    static constexpr const char* kSection = "ODBC";
};
struct TDirectX : PendingCollector<TDirectX> {
    static constexpr const char* kClassName = "TDirectX";
    static constexpr const char* kSection = "DirectX";
};
struct TProcesses : PendingCollector<TProcesses> {
    static constexpr const char* kClassName = "TProcesses";
    static constexpr const char* kSection = "Processes";
};
struct TPrinters : PendingCollector<TPrinters> {
    static constexpr const char* kClassName = "TPrinters";
    static constexpr const char* kSection = "Printers";
};
struct TSoftware : PendingCollector<TSoftware> {
    static constexpr const char* kClassName = "TSoftware";
    static constexpr const char* kSection = "Installed Software";
};
struct TStartup : PendingCollector<TStartup> {
    static constexpr const char* kClassName = "TStartup";
    static constexpr const char* kSection = "User Startup";
};

} // namespace qm
