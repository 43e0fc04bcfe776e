#pragma once
// The computer and user names, boot time and up-time, BIOS texts, keyboard
// lock states and the computer type.
#include <string>

#include "sysinfo/collector.h"

namespace qm {

class TMachine : public CollectorBase<TMachine> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TMachine";
    // "[Machine]"; the lock states are not reported.
    void Report(StringList& lines, const ReportLocale& locale = {});

    std::string Name, User;
    double SystemUpTime = 0; // seconds
    double LastBoot = 0; // date-time
    std::string BIOSName, BIOSCopyright, BIOSDate, BIOSExtendedInfo;
    bool CapsLock = false, NumLock = false, ScrollLock = false;
    std::string Computer;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);
};

// The up-time as the Machine tab and the report both write it: whole
// seconds, halves to even as the processor rounds.
std::string UpTimeText(double seconds);

// The up-time and boot moment from the tick count (milliseconds) and now.
struct BootTimes {
    double upTimeSeconds;
    double lastBoot;
};
BootTimes BootTimesFrom(std::uint32_t tickCount, double now);

} // namespace qm
