// The running processor: CPUID, and the clock measured against the
// high-resolution counter at time-critical priority.
#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

#include <stdexcept>

#include "sysinfo/msi_cpu.h"

namespace qm {

namespace {

constexpr int kMinimumMeasurements = 3, kMaximumMeasurements = 20;
constexpr std::uint32_t kSettleCounts = 50, kMeasureCounts = 1000;

std::uint32_t CounterLow()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<std::uint32_t>(now.QuadPart);
}

// Raises the thread for the span of one measurement, unless its priority
// cannot be read.
class TimeCriticalSpan {
public:
    TimeCriticalSpan() : thread_(GetCurrentThread()), previous_(GetThreadPriority(thread_))
    {
        if (previous_ != THREAD_PRIORITY_ERROR_RETURN)
            SetThreadPriority(thread_, THREAD_PRIORITY_TIME_CRITICAL);
    }
    ~TimeCriticalSpan()
    {
        if (previous_ != THREAD_PRIORITY_ERROR_RETURN)
            SetThreadPriority(thread_, previous_);
    }
    TimeCriticalSpan(const TimeCriticalSpan&) = delete;
    TimeCriticalSpan& operator=(const TimeCriticalSpan&) = delete;

private:
    HANDLE thread_;
    int previous_;
};

struct Measurement {
    std::uint32_t ticks = 0;
    std::uint64_t microseconds = 0;
};

Measurement MeasureOnce(std::uint64_t counterFrequency)
{
    std::uint32_t t0 = CounterLow(), t1 = t0;
    std::uint32_t s0 = 0, s1 = 0;
    {
        TimeCriticalSpan span;
        do {
            t1 = CounterLow();
            s0 = static_cast<std::uint32_t>(__rdtsc());
        } while (t1 - t0 < kSettleCounts);
        t0 = t1;
        do {
            t1 = CounterLow();
            s1 = static_cast<std::uint32_t>(__rdtsc());
        } while (t1 - t0 < kMeasureCounts);
    }
    return {s1 - s0, ElapsedMicroseconds(t1 - t0, counterFrequency)};
}

class RunningProcessor final : public CpuProbe {
public:
    CpuidRegisters Cpuid(std::uint32_t leaf) override
    {
        if (__get_cpuid_max(0, nullptr) == 0)
            throw std::runtime_error("This processor does not support the CPUID instruction.");
        CpuidRegisters r;
        __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
        return r;
    }

    CpuidRegisters CpuidSubleaf(std::uint32_t leaf, std::uint32_t subleaf) override
    {
        if (__get_cpuid_max(0, nullptr) == 0)
            throw std::runtime_error("This processor does not support the CPUID instruction.");
        CpuidRegisters r;
        __cpuid_count(leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx);
        return r;
    }

    int ProcessorCount() override
    {
        // Every logical processor of every group where the system can say so
        // (Windows 7 on); the system information counts the caller's group only.
        using CountFunction = DWORD(WINAPI*)(WORD);
        if (HMODULE kernel = GetModuleHandleA("kernel32.dll"))
            if (auto count = reinterpret_cast<CountFunction>(
                    reinterpret_cast<void*>(GetProcAddress(kernel, "GetActiveProcessorCount"))))
                if (const DWORD all = count(0xFFFF); all > 0) // ALL_PROCESSOR_GROUPS
                    return static_cast<int>(all);
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        return static_cast<int>(info.dwNumberOfProcessors);
    }

    int MeasureFrequency() override
    {
        LARGE_INTEGER frequency;
        if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0)
            return 0;
        std::uint64_t totalTicks = 0, totalMicroseconds = 0;
        int last[3] = {};
        for (int n = 1; n <= kMaximumMeasurements; ++n) {
            const Measurement m = MeasureOnce(static_cast<std::uint64_t>(frequency.QuadPart));
            totalTicks += m.ticks;
            totalMicroseconds += m.microseconds;
            last[0] = last[1];
            last[1] = last[2];
            last[2] = MeasurementMhz(m.ticks, m.microseconds);
            if (n >= kMinimumMeasurements && MeasurementsAgree(last[0], last[1], last[2]))
                break;
        }
        return SnapFrequency(FrequencyFromTotals(totalTicks, totalMicroseconds));
    }
};

} // namespace

CpuProbe& ThisProcessor()
{
    static RunningProcessor processor;
    return processor;
}

void TCPU::GetInfo(SystemServices& services)
{
    GetInfo(services, ThisProcessor());
}

} // namespace qm
