#include "sysinfo/msi_os.h"

#include "framework/application.h"
#include "sysinfo/report_format.h"

namespace qm {

std::string PlatformName(unsigned platformId)
{
    switch (platformId) {
    case 0: return "Windows 3.1x";
    case 1: return "Windows 9x";
    case 2: return "Windows NT";
    default: return "";
    }
}

void TOperatingSystem::GetInfo()
{
    GetInfo(Application::Instance().Services());
}

void TOperatingSystem::GetInfo(SystemServices& services)
{
    try {
        OsVersionInfo version = services.OsVersion();
        platform_ = PlatformName(version.platform);
        majorVersion_ = static_cast<int>(version.major);
        minorVersion_ = static_cast<int>(version.minor);
        // Windows 9x keeps the version in the high word of the build number.
        buildNumber_ = static_cast<int>(version.build & 0xFFFF);
        csd_ = version.servicePack;
    } catch (const std::exception& e) {
        services.ShowMessage({e.what(), "TOperatingSystem.GetInfo", MessageIcon::Error, MessageButtons::Ok, false});
    }
}

} // namespace qm

namespace qm {

void TOperatingSystem::Report(StringList& lines) const
{
    AddSection(lines, "Operating System");
    AddText(lines, "Platform", platform_);
    AddText(lines, "VersionName", "");
    AddText(lines, "Version", std::to_string(majorVersion_) + "." + std::to_string(minorVersion_));
    AddInteger(lines, "BuildNumber", buildNumber_);
    AddText(lines, "CSD", csd_);
}

} // namespace qm
