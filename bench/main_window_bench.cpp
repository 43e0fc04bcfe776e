// Start-up time and the cost of the main window's periodic work.
#include <cstdio>

#include "app/cool_tray_icon.h"
#include "app/main_form.h"
#include "app/quarrimond.h"
#include "bench_clock.h"
#include "widgets/vr_scope.h"

namespace {

double FileTimeMicroseconds(const FILETIME& t)
{
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return v.QuadPart / 10.0;
}

// Microseconds since the process was created, on the system clock.
double SinceProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    return FileTimeMicroseconds(now) - FileTimeMicroseconds(created);
}

} // namespace

int main()
{
    using namespace qm;
    Application application;
    CreateQuarrimondWindows(application);
    auto* main = application.FindForm<TMainForm>();
    main->Show();
    UpdateWindow(main->Handle());
    std::printf("%-44s %8.1f ms\n", "process start to main window shown", SinceProcessStart() / 1000.0);

    application.ProcessMessages();
    bench::Print("sampling tick, figures unchanged", bench::Measure(2000, [&] { main->VrTimer1Timer(*main); }));

    bench::Print("  of which: reading the memory status",
                 bench::Measure(2000, [&] { application.Services().ReadMemoryStatus(); }));
    auto& tray = *dynamic_cast<TCoolTrayIcon*>(main->FindComponent("CoolTrayIcon1"));
    int megabytes = 0;
    bench::Print("  of which: a changed tray hint",
                 bench::Measure(500, [&] { tray.SetHint("Quarrimond: free RAM=" + std::to_string(++megabytes) + " Mb"); }));

    auto& scope = *dynamic_cast<TVrScope*>(main->FindComponent("VrScope1"));
    for (int i = 0; i < 999; ++i) // a full history, as after five minutes
        scope.Tick();
    bench::Print("scope tick with paint (294 x 71, full history)", bench::Measure(2000, [&] { scope.Tick(); }));
    return 0;
}
