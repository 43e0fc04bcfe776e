#pragma once
// The seven thread priorities as stored in descriptions, idle to time-critical.
#include <windows.h>

#include <string_view>

#include "framework/form_text.h"

namespace qm {

enum class ThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

inline ThreadPriority ParseThreadPriority(const FormValue& value)
{
    static constexpr std::string_view kNames[] = {"tpIdle",   "tpLowest",  "tpLower",       "tpNormal",
                                                  "tpHigher", "tpHighest", "tpTimeCritical"};
    return static_cast<ThreadPriority>(EnumIndex(value, kNames));
}

inline int ToWindowsPriority(ThreadPriority priority)
{
    static constexpr int kPriorities[] = {
        THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
        THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST, THREAD_PRIORITY_TIME_CRITICAL};
    return kPriorities[static_cast<int>(priority)];
}

} // namespace qm
