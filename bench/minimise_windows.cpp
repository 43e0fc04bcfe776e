// Minimises top-level windows by title, as a click on their minimise boxes
// would: the resident-cost comparison needs both programs in the tray.
#include <windows.h>

int main(int argc, char** argv)
{
    int missing = 0;
    for (int i = 1; i < argc; ++i) {
        HWND window = FindWindowA(nullptr, argv[i]);
        if (!window || !PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0))
            ++missing;
    }
    return missing;
}
