#pragma once
// What every collector of the engine is to the rest of the program. Each
// collector class has the same members: a `kClassName` that failures are
// titled by, a table of published properties (`StaticType`), `Refresh`
// (reads the system, may throw) and `Report` (appends its sections). The
// common base adds the guarded refresh, and a CollectorRef reaches any
// collector through those members, so the container, the overview and the
// console tool drive all sixteen alike. Collectors have no virtual members:
// a plain object of each can be made and reported anywhere.
#include <string>
#include <string_view>

#include "framework/properties.h"
#include "framework/string_list.h"
#include "platform/system_services.h"
#include "sysinfo/collector_failure.h"
#include "sysinfo/report_locale.h"

namespace qm {

template <class Derived> class CollectorBase {
public:
    // Refreshes every field from the system; a failure is shown as
    // "<class name>.GetInfo" and the fields keep what they reached.
    void GetInfo(SystemServices& services)
    {
        RunGuarded(services, std::string(Derived::kClassName) + ".GetInfo",
                   [&] { static_cast<Derived&>(*this).Refresh(services); });
    }
};

// Any collector, as its consumers reach it.
class CollectorRef {
public:
    template <class C>
    explicit CollectorRef(C& collector)
        : className_(C::kClassName), type_(&C::StaticType()), object_(&collector),
          getInfo_([](void* c, SystemServices& services) { static_cast<C*>(c)->GetInfo(services); }),
          report_(
              [](void* c, StringList& lines, const ReportLocale& locale) { static_cast<C*>(c)->Report(lines, locale); })
    {}

    const char* ClassName() const { return className_; }
    const TypeInfo& Type() const { return *type_; }
    // The collector itself, for its table's accessors.
    void* Object() const { return object_; }
    void GetInfo(SystemServices& services) const { getInfo_(object_, services); }
    // Appends the collector's sections, never touching what is there.
    void Report(StringList& lines, const ReportLocale& locale) const { report_(object_, lines, locale); }
    friend bool operator==(const CollectorRef& a, const CollectorRef& b) { return a.object_ == b.object_; }

private:
    const char* className_;
    const TypeInfo* type_;
    void* object_;
    void (*getInfo_)(void*, SystemServices&);
    void (*report_)(void*, StringList&, const ReportLocale&);
};

} // namespace qm
