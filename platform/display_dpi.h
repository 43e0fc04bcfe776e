#pragma once
// The resolution windows are laid out at. Newer systems give it per monitor
// and per window; older ones have one for the whole screen; the oldest none
// but what the screen's device context says. Every call works on all of them.
#include <windows.h>

namespace qm {

inline constexpr int kDesignDpi = 96;

// The resolution of the monitor `area` is mostly on.
int DpiAt(const RECT& area);
// The resolution `window` is laid out at now.
int WindowDpi(HWND window);
// The outer size a window of `style` adds around its client area at `dpi`.
SIZE FrameSizeAt(DWORD style, DWORD exStyle, int dpi);

} // namespace qm
