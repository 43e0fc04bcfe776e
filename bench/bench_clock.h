#pragma once
// Timing helpers for the benchmarks: the process clock, the performance
// counter, and medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace qm::bench {

inline double FileTimeMicroseconds(const FILETIME& t)
{
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return v.QuadPart / 10.0;
}

// Microseconds since the process was created, on the system clock.
inline double SinceProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    return FileTimeMicroseconds(now) - FileTimeMicroseconds(created);
}

inline double NowMicroseconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1e6 / frequency;
}

struct Spread {
    double median, p10, p90;
};

// Times `work` `runs` times, one call per sample.
inline Spread Measure(int runs, const std::function<void()>& work)
{
    std::vector<double> samples;
    samples.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        double start = NowMicroseconds();
        work();
        samples.push_back(NowMicroseconds() - start);
    }
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) { return samples[static_cast<size_t>(q * (samples.size() - 1))]; };
    return {at(0.5), at(0.1), at(0.9)};
}

inline void Print(const char* what, const Spread& s)
{
    std::printf("%-44s median %8.1f us   (p10 %8.1f, p90 %8.1f)\n", what, s.median, s.p10, s.p90);
}

} // namespace qm::bench
