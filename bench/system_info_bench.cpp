// Refresh and report of the system-information engine, per collector and
// for all sixteen, as the overview and the console tool run them.
#include <cstdio>

#include "bench/bench_clock.h"
#include "platform/forwarding_services.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/system_info.h"

namespace {

// The real system, with failures counted instead of shown.
class QuietServices final : public qm::ForwardingServices {
public:
    int failures = 0;
    qm::MessageResult ShowMessage(const qm::MessageBoxRequest&) override
    {
        ++failures;
        return qm::MessageResult::Ok;
    }
};

} // namespace

int main()
{
    using qm::bench::Measure;
    using qm::bench::Print;
    double start = qm::bench::NowMicroseconds();
    qm::TheStartupValues();
    std::printf("start-up values (kind, user, computer, profile): %.1f us\n", qm::bench::NowMicroseconds() - start);

    QuietServices services;
    qm::SystemInfo info;
    const qm::ReportLocale locale = qm::UserReportLocale();
    constexpr int kRuns = 50;
    std::printf("-- refresh (GetInfo), %d runs each\n", kRuns);
    for (const qm::CollectorRef& collector : info.InRefreshOrder())
        Print(collector.ClassName(), Measure(kRuns, [&] { collector.GetInfo(services); }));
    Print("  TTimeZone alone", Measure(kRuns, [&] { info.OS->TimeZone->GetInfo(services); }));
    Print("  TNTSpecific alone", Measure(kRuns, [&] { info.OS->NTSpecific->GetInfo(services); }));
    Print("refresh all sixteen", Measure(kRuns, [&] { info.RefreshData(services); }));

    std::printf("-- report, %d runs each\n", kRuns);
    auto report = [&](const char* what, auto&& write) {
        Print(what, Measure(kRuns, [&] {
                  qm::StringList lines;
                  write(lines);
              }));
    };
    for (const qm::CollectorRef& collector : info.InReportOrder())
        report(collector.ClassName(), [&](qm::StringList& l) { collector.Report(l, locale); });
    report("report all", [&](qm::StringList& l) { info.Report(l, locale); });
    qm::StringList lines;
    info.Report(lines, locale);
    Print("report all as CR LF text", Measure(kRuns, [&] { (void)lines.Text(); }));
    std::printf("report: %zu lines, %zu bytes; failures reported: %d\n", lines.Count(), lines.Text().size(),
                services.failures);
    return 0;
}
