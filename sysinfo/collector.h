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

// What the program can do with a collector of one class without knowing the
// class: one constant per class, `kCollectorKind<TCPU>`.
struct CollectorKind {
    const char* className;
    const TypeInfo& (*type)();
    void (*getInfo)(void* collector, SystemServices& services);
    void (*report)(void* collector, StringList& lines, const ReportLocale& locale);
};

namespace collector_detail {
template <class C> void GetInfoOf(void* collector, SystemServices& services)
{
    static_cast<C*>(collector)->GetInfo(services);
}
template <class C> void ReportOf(void* collector, StringList& lines, const ReportLocale& locale)
{
    static_cast<C*>(collector)->Report(lines, locale);
}
} // namespace collector_detail

template <class C>
inline constexpr CollectorKind kCollectorKind{C::kClassName, &C::StaticType, &collector_detail::GetInfoOf<C>,
                                              &collector_detail::ReportOf<C>};

// Any collector, as its consumers reach it.
class CollectorRef {
public:
    template <class C> explicit CollectorRef(C& collector) : kind_(&kCollectorKind<C>), object_(&collector) {}
    CollectorRef(const CollectorKind& kind, void* collector) : kind_(&kind), object_(collector) {}

    const CollectorKind& Kind() const { return *kind_; }
    const char* ClassName() const { return kind_->className; }
    const TypeInfo& Type() const { return kind_->type(); }
    // The collector itself, for its table's accessors.
    void* Object() const { return object_; }
    void GetInfo(SystemServices& services) const { kind_->getInfo(object_, services); }
    // Appends the collector's sections, never touching what is there.
    void Report(StringList& lines, const ReportLocale& locale) const { kind_->report(object_, lines, locale); }
    friend bool operator==(const CollectorRef& a, const CollectorRef& b) { return a.object_ == b.object_; }

private:
    const CollectorKind* kind_;
    void* object_;
};

} // namespace qm
