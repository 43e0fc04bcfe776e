// Start-up as the program makes it (the same steps as app/main.cpp), timed
// from the process's creation on the system clock: to the end of the first
// painting of the main window, and to the end of the fade-in after it. The
// first painting ends where the fade's second repaint of the window begins.
#include <cstdio>

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

bool InMainWindow(HWND window)
{
    return g_main && (window == g_main || IsChild(g_main, window));
}

LRESULT CALLBACK BeforeSent(int code, WPARAM wParam, LPARAM lParam)
{
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == WM_PAINT && sent.hwnd == g_main && ++g_mainPaints == 2)
        g_firstPaint = g_lastPaintEnd;
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
    TheStartupValues();
    Application application;
    CreateQuarrimondWindows(application);
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
    std::printf("%.1f %.1f\n", g_firstPaint / 1000.0, fadeEnd / 1000.0);
    return g_firstPaint < 0;
}
