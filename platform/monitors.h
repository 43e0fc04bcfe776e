#pragma once
// Where windows may go. Windows 95 and NT 4 have no monitor functions: there
// the one screen and its work area stand for every monitor.
#include <windows.h>

namespace qm {

// True when some part of `area` is on a monitor.
bool OnSomeMonitor(const RECT& area);
// The work area of the monitor `area` is mostly on (the primary one when it is on none).
RECT WorkAreaAt(const RECT& area);
// The monitor `area` is mostly on (the primary one when it is on none); null
// where the system has no monitor functions.
HMONITOR MonitorAt(const RECT& area);

} // namespace qm
