// Start-up as the program makes it (the same steps as app/main.cpp), timed
// from the process's creation on the system clock: to the end of the first
// painting of the main window, and to the end of the fade-in after it. The
// first painting ends where the fade's second repaint of the window begins.
// Then where that time went: to the program's own code, the start-up values,
// the application, each top-level window made at start (from the creation of
// its window to the next one's), and the showing and first painting.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/quarrimond.h"
#include "bench_clock.h"
#include "framework/application.h"
#include "framework/form.h"
#include "sysinfo/startup_values.h"

namespace {

HWND g_main = nullptr;
int g_mainPaints = 0;
double g_lastPaintEnd = -1;
double g_firstPaint = -1;
double g_shown = -1;
struct WindowMade {
    std::string className;
    double at;
};
std::vector<WindowMade> g_topLevelMade;

LRESULT CALLBACK OnWindowCreated(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
        if (!(create->style & WS_CHILD))
            g_topLevelMade.push_back(
                {HIWORD(create->lpszClass) ? create->lpszClass : "#", qm::bench::SinceProcessStart()});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool InMainWindow(HWND window)
{
    return g_main && (window == g_main || IsChild(g_main, window));
}

LRESULT CALLBACK BeforeSent(int code, WPARAM wParam, LPARAM lParam)
{
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == WM_PAINT && sent.hwnd == g_main && ++g_mainPaints == 2)
        g_firstPaint = g_lastPaintEnd;
    if (code == HC_ACTION && sent.message == WM_SHOWWINDOW && sent.hwnd == g_main && sent.wParam && g_shown < 0)
        g_shown = qm::bench::SinceProcessStart();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterSent(int code, WPARAM wParam, LPARAM lParam)
{
    const auto& sent = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == WM_PAINT && g_firstPaint < 0 && InMainWindow(sent.hwnd))
        g_lastPaintEnd = qm::bench::SinceProcessStart();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace qm;
    const double entered = bench::SinceProcessStart();
    HHOOK created = SetWindowsHookExA(WH_CBT, OnWindowCreated, nullptr, GetCurrentThreadId());
    TheStartupValues();
    const double valuesFixed = bench::SinceProcessStart();
    Application application;
    const double applicationMade = bench::SinceProcessStart();
    CreateQuarrimondWindows(application);
    const double windowsMade = bench::SinceProcessStart();
    UnhookWindowsHookEx(created);
    g_main = application.MainForm()->Handle();
    HHOOK before = SetWindowsHookExA(WH_CALLWNDPROC, BeforeSent, nullptr, GetCurrentThreadId());
    HHOOK after = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterSent, nullptr, GetCurrentThreadId());
    // Runs once the loop starts, that is once the fade-in has ended.
    double fadeEnd = -1;
    application.Post([&] {
        fadeEnd = bench::SinceProcessStart();
        application.Terminate();
    });
    application.Run();
    UnhookWindowsHookEx(before);
    UnhookWindowsHookEx(after);
    if (g_firstPaint < 0)
        g_firstPaint = g_lastPaintEnd;
    std::printf("%.1f %.1f", g_firstPaint / 1000.0, fadeEnd / 1000.0);
    // Where it went, in milliseconds: each top-level window's share runs from
    // its creation to the next one's (or to the end of the making).
    const double shown = g_shown < 0 ? windowsMade : g_shown;
    std::printf(" | before the code %.1f, start-up values %.1f, application %.1f", entered / 1000.0,
                (valuesFixed - entered) / 1000.0, (applicationMade - valuesFixed) / 1000.0);
    bool first = true;
    for (size_t i = 0; i < g_topLevelMade.size(); ++i) {
        const double at = g_topLevelMade[i].at;
        if (at < applicationMade)
            continue; // the application's own
        if (std::exchange(first, false))
            std::printf(", before the first window %.1f", (at - applicationMade) / 1000.0);
        const double to = i + 1 < g_topLevelMade.size() ? g_topLevelMade[i + 1].at : windowsMade;
        std::printf(", %s %.1f", g_topLevelMade[i].className.c_str(), (to - at) / 1000.0);
    }
    std::printf(", to shown %.1f, to painted %.1f\n", (shown - windowsMade) / 1000.0, (g_firstPaint - shown) / 1000.0);
    return g_firstPaint < 0;
}
