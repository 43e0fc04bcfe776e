// The yardstick for idle cost: a plain window with a one-second timer that
// reads the memory status, and nothing else.
#include <windows.h>

static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof(status);
        GlobalMemoryStatusEx(&status);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BareWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("BareWindow", "Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 466, 250, nullptr,
                                nullptr, instance, nullptr);
    SetTimer(window, 1, 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
