#pragma once
// The operating-system collector: family, version, registration texts,
// environment and folders, with the time zone and the NT-specific figures.
#include <cstdint>
#include <memory>
#include <string>

#include "sysinfo/collector.h"
#include "sysinfo/operating_system_rules.h"

namespace qm {

class SystemServices;

class TTimeZone : public CollectorBase<TTimeZone> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TTimeZone";
    void Report(StringList& lines, const ReportLocale& locale = {});

    std::string DisplayName, StandardName, DaylightName;
    std::int32_t Bias = 0, StandardBias = 0, DaylightBias = 0;
    double StandardStart = 0, DaylightStart = 0;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);
};

class TNTSpecific : public CollectorBase<TNTSpecific> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TNTSpecific";
    void Report(StringList& lines, const ReportLocale& locale = {});

    TNtProductType ProductType = TNtProductType::ptUnknown;
    TNTSuites InstalledSuites = 0;
    std::uint16_t ServicePackMajorVersion = 0, ServicePackMinorVersion = 0;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);
};

// Refreshing it refreshes its time zone and NT-specific parts too.
class TOperatingSystem : public CollectorBase<TOperatingSystem> {
public:
    TOperatingSystem();
    ~TOperatingSystem();
    TOperatingSystem(const TOperatingSystem&) = delete;
    TOperatingSystem& operator=(const TOperatingSystem&) = delete;
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TOperatingSystem";

    // "[Operating System]", "[NT Specific]", "[Environment]", "[Folders]", "[Time Zone]".
    void Report(StringList& lines, const ReportLocale& locale = {});

    std::string Platform; // "Windows 3.1x", "Windows 9x" or "Windows NT"
    int MajorVersion = 0, MinorVersion = 0, BuildNumber = 0;
    std::string CSD, Version, ProductID, ProductKey, RegisteredUser, RegisteredOrg, DVDRegion;
    std::unique_ptr<StringList> Environment;
    std::unique_ptr<StringList> Folders;
    std::unique_ptr<TTimeZone> TimeZone;
    std::unique_ptr<TNTSpecific> NTSpecific;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);
};

// "Windows 3.1x", "Windows 9x" or "Windows NT" for the version record's
// platform; empty for others.
std::string PlatformName(unsigned platformId);

} // namespace qm
