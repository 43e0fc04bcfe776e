#include "sysinfo/msi_os.h"

#include "sysinfo/report_format.h"

namespace qm {

TOperatingSystem::TOperatingSystem()
    : Environment(std::make_unique<StringList>()), Folders(std::make_unique<StringList>()),
      TimeZone(std::make_unique<TTimeZone>()), NTSpecific(std::make_unique<TNTSpecific>())
{}

TOperatingSystem::~TOperatingSystem()
{
    Environment.reset();
    Folders.reset();
    TimeZone.reset();
    NTSpecific.reset();
}

std::string PlatformName(unsigned platformId)
{
    switch (platformId) {
    case 0:
        return "Windows 3.1x";
    case 1:
        return "Windows 9x";
    case 2:
        return "Windows NT";
    default:
        return "";
    }
}

void TOperatingSystem::Report(StringList& lines, const ReportLocale& locale) const
{
    AddSection(lines, "Operating System");
    AddText(lines, "Platform", Platform);
    AddText(lines, "VersionName", Version);
    std::string version = std::to_string(MajorVersion);
    version += '.';
    version += std::to_string(MinorVersion);
    AddText(lines, "Version", version);
    AddInteger(lines, "BuildNumber", BuildNumber);
    AddText(lines, "CSD", CSD);
    AddText(lines, "ProductID", ProductID);
    AddText(lines, "ProductKey", ProductKey);
    AddText(lines, "RegUser", RegisteredUser);
    AddText(lines, "RegOrganization", RegisteredOrg);
    AddText(lines, "DVDRegion", DVDRegion);
    NTSpecific->Report(lines);
    AddSection(lines, "Environment");
    for (const std::string& line : Environment->Lines())
        lines.Add(line);
    AddSection(lines, "Folders");
    for (const std::string& line : Folders->Lines())
        lines.Add(line);
    TimeZone->Report(lines, locale);
}

void TNTSpecific::Report(StringList& lines) const
{
    AddSection(lines, "NT Specific");
    AddText(lines, "ProductType", ProductTypeLabel(ProductType));
    static constexpr const char* kSuiteLabels[] = {
        "Microsoft Small Business Server",
        "Windows 2000 Advanced Server",
        "Microsoft BackOffice Components",
        "Communications",
        "Terminal Services",
        "Microsoft Small Business Server with the restrictive client license in force",
        "Embedded NT",
        "Windows 2000 Datacenter Server",
    };
    for (int suite = 0; suite < 8; ++suite)
        AddBool(lines, kSuiteLabels[suite], HasSuite(InstalledSuites, static_cast<TNTSuite>(suite)));
    AddInteger(lines, "ServicePackMajorVersion", ServicePackMajorVersion);
    AddInteger(lines, "ServicePackMinorVersion", ServicePackMinorVersion);
}

void TTimeZone::Report(StringList& lines, const ReportLocale& locale) const
{
    AddSection(lines, "Time Zone");
    AddText(lines, "TimeZone", DisplayName);
    const auto& text = locale.dateTimeText ? locale.dateTimeText : PlainDateTimeText;
    AddText(lines, "StdName", text(StandardStart));
    AddInteger(lines, "StdBias", StandardBias);
    AddText(lines, "DlghtName", text(DaylightStart));
    AddInteger(lines, "DlghtBias", DaylightBias);
}

} // namespace qm
