// Minimises top-level windows by title, as a click on their minimise boxes
// would, and waits until each has gone from the screen: the resident-cost
// comparison needs both programs in the tray, and a window left shown would
// make its program look dear beside the other. The exit code is the number
// of windows not found or still shown after five seconds.
#include <windows.h>

#include <vector>

int main(int argc, char** argv)
{
    std::vector<HWND> windows;
    int missing = 0;
    for (int i = 1; i < argc; ++i) {
        HWND window = FindWindowA(nullptr, argv[i]);
        if (window && PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0))
            windows.push_back(window);
        else
            ++missing;
    }
    for (int waited = 0; waited < 5000; waited += 50) {
        bool shown = false;
        for (HWND window : windows)
            shown = shown || IsWindowVisible(window);
        if (!shown)
            return missing;
        Sleep(50);
    }
    for (HWND window : windows)
        missing += IsWindowVisible(window) ? 1 : 0;
    return missing;
}
