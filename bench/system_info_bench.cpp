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
    Print("TCPU (clock measured each time)", Measure(kRuns, [&] { info.CPU->GetInfo(services); }));
    Print("TMemory", Measure(kRuns, [&] { info.Memory->GetInfo(services); }));
    Print("TOperatingSystem (with zone and NT parts)", Measure(kRuns, [&] { info.OS->GetInfo(services); }));
    Print("  TTimeZone alone", Measure(kRuns, [&] { info.OS->TimeZone->GetInfo(services); }));
    Print("  TNTSpecific alone", Measure(kRuns, [&] { info.OS->NTSpecific->GetInfo(services); }));
    Print("the thirteen collectors still to come", Measure(kRuns, [&] {
              info.Disk->GetInfo(services);
              info.Machine->GetInfo(services);
              info.Network->GetInfo(services);
              info.Display->GetInfo(services);
              info.Media->GetInfo(services);
              info.Devices->GetInfo(services);
              info.Engines->GetInfo(services);
              info.APM->GetInfo(services);
              info.DirectX->GetInfo(services);
              info.Processes->GetInfo(services);
              info.Printers->GetInfo(services);
              info.Software->GetInfo(services);
              info.Startup->GetInfo(services);
          }));
    Print("refresh all", Measure(kRuns, [&] { info.RefreshData(services); }));

    std::printf("-- report, %d runs each\n", kRuns);
    auto report = [&](const char* what, auto&& write) {
        Print(what, Measure(kRuns, [&] {
                  qm::StringList lines;
                  write(lines);
              }));
    };
    report("[CPU] with features and cache", [&](qm::StringList& l) { info.CPU->Report(l); });
    report("[Memory]", [&](qm::StringList& l) { info.Memory->Report(l, locale.thousandsSeparator); });
    report("[Operating System] .. [Time Zone]", [&](qm::StringList& l) { info.OS->Report(l, locale); });
    report("report all", [&](qm::StringList& l) { info.Report(l, locale); });
    qm::StringList lines;
    info.Report(lines, locale);
    Print("report all as CR LF text", Measure(kRuns, [&] { (void)lines.Text(); }));
    std::printf("report: %zu lines, %zu bytes; failures reported: %d\n", lines.Count(), lines.Text().size(),
                services.failures);
    return 0;
}
