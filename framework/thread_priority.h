#pragma once
// The seven thread priorities as stored in descriptions, idle to time-critical.
#include <windows.h>

#include <string_view>

namespace qm {

enum class ThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

inline constexpr std::string_view kThreadPriorityNames[] = {"tpIdle",   "tpLowest",  "tpLower",       "tpNormal",
                                                            "tpHigher", "tpHighest", "tpTimeCritical"};

inline int ToWindowsPriority(ThreadPriority priority)
{
    static constexpr int kPriorities[] = {
        THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
        THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST, THREAD_PRIORITY_TIME_CRITICAL};
    return kPriorities[static_cast<int>(priority)];
}

} // namespace qm
