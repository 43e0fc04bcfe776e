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

// Notes when the main window first becomes visible: the fade that follows
// is the window's own business and not start-up.
class ShownProbe : public qm::TForm::MessageHook {
public:
    bool FormMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override
    {
        if (message == WM_SHOWWINDOW && wParam && shownAfterStart < 0)
            shownAfterStart = SinceProcessStart();
        return false;
    }
    double shownAfterStart = -1;
};

} // namespace

int main()
{
    using namespace qm;
    Application application;
    CreateQuarrimondWindows(application);
    auto* main = application.FindForm<TMainForm>();
    ShownProbe probe;
    main->AddMessageHook(probe);
    main->Show();
    main->RemoveMessageHook(probe);
    std::printf("%-44s %8.1f ms\n", "process start to main window shown", probe.shownAfterStart / 1000.0);
    std::printf("%-44s %8.1f ms\n", "  and to the end of the fade-in", SinceProcessStart() / 1000.0);

    application.ProcessMessages();
    bench::Print("sampling tick, figures unchanged", bench::Measure(2000, [&] { main->VrTimer1Timer(*main); }));

    bench::Print("  of which: reading the memory status",
                 bench::Measure(2000, [&] { application.Services().ReadMemoryStatus(); }));
    auto& tray = *dynamic_cast<TCoolTrayIcon*>(main->FindComponent("CoolTrayIcon1"));
    int megabytes = 0;
    bench::Print("  of which: a changed tray hint", bench::Measure(500, [&] {
                     tray.SetHint("Quarrimond: free RAM=" + std::to_string(++megabytes) + " Mb");
                 }));

    auto& scope = *dynamic_cast<TVrScope*>(main->FindComponent("VrScope1"));
    for (int i = 0; i < 999; ++i) // a full history, as after five minutes
        scope.Tick();
    bench::Print("scope tick with paint (294 x 71, full history)", bench::Measure(2000, [&] { scope.Tick(); }));

    // What each of the fade's hundred steps costs.
    bench::Print("whole main window repaint", bench::Measure(200, [&] {
                     RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                 }));
    dynamic_cast<TControl*>(main->FindComponent("Panel5"))->SetVisible(true); // the banner, as on its day
    auto& banner = *dynamic_cast<TControl*>(main->FindComponent("HTMLStaticText1"));
    bench::Print("  of which: the banner text", bench::Measure(500, [&] { banner.Repaint(); }));
    return 0;
}
