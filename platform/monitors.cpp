#include "platform/monitors.h"

#include "platform/system_function.h"

namespace qm {

namespace {

using MonitorFromRectFunction = HMONITOR(WINAPI*)(LPCRECT, DWORD);

MonitorFromRectFunction MonitorFromRectFound()
{
    static const auto found = SystemFunction<MonitorFromRectFunction>("user32.dll", "MonitorFromRect");
    return found;
}

} // namespace

HMONITOR MonitorAt(const RECT& area)
{
    const auto monitorFromRect = MonitorFromRectFound();
    return monitorFromRect ? monitorFromRect(&area, MONITOR_DEFAULTTOPRIMARY) : nullptr;
}

bool OnSomeMonitor(const RECT& area)
{
    if (const auto monitorFromRect = MonitorFromRectFound())
        return monitorFromRect(&area, MONITOR_DEFAULTTONULL) != nullptr;
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT common;
    return IntersectRect(&common, &area, &screen) != FALSE;
}

RECT WorkAreaAt(const RECT& area)
{
    using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    static const auto getMonitorInfo = SystemFunction<GetMonitorInfoFunction>("user32.dll", "GetMonitorInfoA");
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (HMONITOR at = MonitorAt(area); at && getMonitorInfo && getMonitorInfo(at, &monitor))
        return monitor.rcWork;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

} // namespace qm
