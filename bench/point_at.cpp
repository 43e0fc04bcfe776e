// Prints where on the screen a point of a window's client area is, for the
// bench to rest the pointer on it: point_at TITLE X Y.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    HWND window = argc == 4 ? FindWindowA(nullptr, argv[1]) : nullptr;
    if (!window)
        return 1;
    POINT point{std::atoi(argv[2]), std::atoi(argv[3])};
    ClientToScreen(window, &point);
    std::printf("%ld %ld\n", point.x, point.y);
    return 0;
}
