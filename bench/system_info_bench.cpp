// Refresh and report of the system-information engine, per collector and
// for all sixteen, as the overview and the console tool run them.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "platform/forwarding_services.h"
#include "platform/unique_resource.h"
#include "sysinfo/msi_processes.h"
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

// Copies of this program held suspended, so that the process list is long.
std::vector<qm::UniqueHandle> StartSuspendedCopies(int count)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::vector<qm::UniqueHandle> processes;
    for (int i = 0; i < count; ++i) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        std::string command = path;
        if (!CreateProcessA(path, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                            &process))
            break;
        CloseHandle(process.hThread);
        processes.emplace_back(process.hProcess);
    }
    return processes;
}

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
    qm::TOperatingSystem& os = info.Get<qm::TOperatingSystem>();
    Print("  TTimeZone alone", Measure(kRuns, [&] { os.TimeZone->GetInfo(services); }));
    Print("  TNTSpecific alone", Measure(kRuns, [&] { os.NTSpecific->GetInfo(services); }));
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

    std::vector<qm::UniqueHandle> copies = StartSuspendedCopies(120);
    qm::TProcesses processes;
    processes.GetInfo(services);
    char what[64];
    std::snprintf(what, sizeof(what), "TProcesses with %d processes", processes.ProcessCount());
    Print(what, Measure(kRuns, [&] { processes.GetInfo(services); }));
    for (qm::UniqueHandle& copy : copies)
        TerminateProcess(copy.Get(), 0);
    return 0;
}
