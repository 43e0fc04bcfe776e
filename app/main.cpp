#include <windows.h>

#include <exception>

#include "app/quarrimond.h"
#include "sysinfo/startup_values.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        // Fixed before any window, collector or thread exists.
        qm::TheStartupValues();
        qm::Application application;
        qm::CreateQuarrimondWindows(application);
        application.Run();
    } catch (const std::exception& e) {
        // Start-up itself failed (a broken window description, no window):
        // nothing else can tell the user.
        MessageBoxA(nullptr, e.what(), "Quarrimond", MB_ICONERROR | MB_OK);
        return 1;
    }
    return 0;
}
