// Walks through the windows a person sees, a few seconds each, for
// screenshots taken from outside (scripts/tour.sh).
#include <windows.h>

#include <cstdio>

#include "app/cool_tray_icon.h"
#include "app/defrag_form.h"
#include "app/main_form.h"
#include "app/quarrimond.h"
#include "app/share_form.h"
#include "sysinfo/msysteminfo.h"

namespace {

void Hold(qm::Application& app, int ms)
{
    DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) {
        app.ProcessMessages();
        Sleep(20);
    }
}

} // namespace

int main()
{
    using namespace qm;
    Application app;
    CreateQuarrimondWindows(app);
    auto* main = app.FindForm<TMainForm>();
    main->Show();
    for (int i = 0; i < 3; ++i) // the third activation brings the banner
        SendMessageA(app.Handle(), WM_ACTIVATEAPP, TRUE, 0);
    std::puts("1 main window with banner");
    Hold(app, 4000);

    auto* shares = app.FindForm<TShareForm>();
    shares->Show();
    std::puts("2 shares dialog");
    Hold(app, 3000);
    shares->Hide();

    auto* defrag = app.FindForm<TDefragForm>();
    defrag->Show();
    std::puts("3 defrag dialog");
    Hold(app, 3000);
    defrag->Hide();

    ShowWindow(main->Handle(), SW_MINIMIZE);
    std::puts("4 minimised to the tray");
    Hold(app, 3000);

    auto* tray = dynamic_cast<TCoolTrayIcon*>(main->FindComponent("CoolTrayIcon1"));
    SendMessageA(tray->IconWindow(), TCoolTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
    std::puts("5 back from the tray");
    Hold(app, 3000);

    main->Find<TMSystemInfo>("MSystemInfo1").ShowOverview();
    std::puts("6 system information");
    Hold(app, 4000);
    std::fflush(stdout);
    return 0;
}
