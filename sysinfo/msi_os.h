#pragma once
// The operating-system collector: family, version, registration texts,
// environment and folders, with the time zone and the NT-specific figures.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/string_list.h"
#include "sysinfo/operating_system_rules.h"
#include "sysinfo/report_locale.h"

namespace qm {

class SystemServices;

class TTimeZone {
public:
    // Failures are reported under "TTimeZone.GetInfo".
    void GetInfo(SystemServices& services);
    void Report(StringList& lines, const ReportLocale& locale) const;

    std::string DisplayName, StandardName, DaylightName;
    std::int32_t Bias = 0, StandardBias = 0, DaylightBias = 0;
    double StandardStart = 0, DaylightStart = 0;
};

class TNTSpecific {
public:
    // Failures are reported under "TNTSpecific.GetInfo".
    void GetInfo(SystemServices& services);
    void Report(StringList& lines) const;

    TNtProductType ProductType = TNtProductType::ptUnknown;
    TNTSuites InstalledSuites = 0;
    std::uint16_t ServicePackMajorVersion = 0, ServicePackMinorVersion = 0;
};

class TOperatingSystem {
public:
    TOperatingSystem();
    ~TOperatingSystem();
    TOperatingSystem(const TOperatingSystem&) = delete;
    TOperatingSystem& operator=(const TOperatingSystem&) = delete;

    // Refreshes this object and its time zone and NT-specific parts; a
    // failure is reported as "TOperatingSystem.GetInfo".
    void GetInfo(SystemServices& services);
    // "[Operating System]", "[NT Specific]", "[Environment]", "[Folders]", "[Time Zone]".
    void Report(StringList& lines, const ReportLocale& locale = {}) const;

    std::string Platform; // "Windows 3.1x", "Windows 9x" or "Windows NT"
    int MajorVersion = 0, MinorVersion = 0, BuildNumber = 0;
    std::string CSD, Version, ProductID, ProductKey, RegisteredUser, RegisteredOrg, DVDRegion;
    std::unique_ptr<StringList> Environment;
    std::unique_ptr<StringList> Folders;
    std::unique_ptr<TTimeZone> TimeZone;
    std::unique_ptr<TNTSpecific> NTSpecific;
};

// "Windows 3.1x", "Windows 9x" or "Windows NT" for the version record's
// platform; empty for others.
std::string PlatformName(unsigned platformId);

} // namespace qm
