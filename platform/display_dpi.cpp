#include "platform/display_dpi.h"

#include "platform/device_context.h"
#include "platform/monitors.h"
#include "platform/system_function.h"

namespace qm {

namespace {

int ScreenDpi()
{
    // Windows 95, 98 and ME cannot scale drawing (no world transform): with
    // large fonts there the windows keep their design, as they always had.
    if (GetVersion() & 0x80000000)
        return kDesignDpi;
    const WindowDC screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int DpiAt(const RECT& area)
{
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor = SystemFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor) {
        UINT x = 0, y = 0;
        constexpr int kEffectiveDpi = 0;
        if (HMONITOR monitor = MonitorAt(area);
            monitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0)
            return static_cast<int>(x);
    }
    return ScreenDpi();
}

int WindowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = SystemFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window); dpi > 0)
            return static_cast<int>(dpi);
    RECT r{};
    if (window && GetWindowRect(window, &r))
        return DpiAt(r);
    return ScreenDpi();
}

SIZE FrameSizeAt(DWORD style, DWORD exStyle, int dpi)
{
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        SystemFunction<AdjustForDpiFunction>("user32.dll", "AdjustWindowRectExForDpi");
    RECT r{0, 0, 0, 0};
    if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace qm
