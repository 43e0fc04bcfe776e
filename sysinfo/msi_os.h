#pragma once
// The operating-system collector: the platform and version of the running
// Windows. (Registration texts, environment, folders and time zone come with
// the rest of the engine.)
#include <string>

#include "framework/component.h"
#include "framework/string_list.h"

namespace qm {

class SystemServices;

class TOperatingSystem : public Component {
public:
    // Refreshes from the system; a failure is reported as "TOperatingSystem.GetInfo".
    void GetInfo();
    void GetInfo(SystemServices& services);
    // "[Operating System]" with what is read so far.
    void Report(StringList& lines) const;

    const std::string& Platform() const { return platform_; }
    int MajorVersion() const { return majorVersion_; }
    int MinorVersion() const { return minorVersion_; }
    int BuildNumber() const { return buildNumber_; }
    const std::string& CSD() const { return csd_; }

private:
    std::string platform_;
    int majorVersion_ = 0, minorVersion_ = 0, buildNumber_ = 0;
    std::string csd_;
};

// "Windows 3.1x", "Windows 9x" or "Windows NT" for the version record's platform.
std::string PlatformName(unsigned platformId);

} // namespace qm
