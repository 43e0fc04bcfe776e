#pragma once
// The program's notification-area menu as a person uses it: Wine shows the
// icons in a tray window of its own, which is clicked like any other.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "test_support.h"
#include "x_input.h"

namespace qm::test {

// A right click on the program's icon, then a click on menu item `item`, or
// outside the menu when `item` is negative. The clicks come from a thread of
// their own: the open menu holds the window's thread in its loop.
inline bool FromTrayMenu(int item)
{
    HWND tray = FindWindowA(nullptr, "Wine System Tray");
    if (!tray)
        return false;
    // Our icon is the only one: the first cell of the tray.
    const POINT icon = ScreenPoint(tray, GetSystemMetrics(SM_CXSMICON) / 2 + 2, GetSystemMetrics(SM_CYSMICON) / 2 + 2);
    std::atomic<bool> done{false}, clicked{false};
    std::thread clicker([&] {
        auto xdotool = [](const std::string& arguments) {
            return RunUnixCommand("/usr/bin/xdotool " + arguments, false);
        };
        auto openMenu = [] {
            HWND menu = FindWindowA("#32768", nullptr);
            return menu && IsWindowVisible(menu) ? menu : nullptr;
        };
        HWND menu = nullptr;
        if (xdotool("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 3"))
            for (int waited = 0; !(menu = openMenu()) && waited < 10000; waited += 20)
                Sleep(20);
        if (menu) {
            Sleep(200);
            POINT target{GetSystemMetrics(SM_CXSCREEN) - 40, GetSystemMetrics(SM_CYSCREEN) - 40};
            RECT r{};
            auto* handle = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
            if (item >= 0 && GetMenuItemRect(nullptr, handle, item, &r))
                target = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            clicked = (item < 0 || r.right > r.left) &&
                xdotool("mousemove " + std::to_string(target.x) + " " + std::to_string(target.y) + " click 1");
            for (int waited = 0; openMenu() && waited < 10000; waited += 20)
                Sleep(20);
        }
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 30000);
    clicker.join();
    PumpFor(200);
    return clicked;
}

} // namespace qm::test
