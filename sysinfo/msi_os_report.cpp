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

const TypeInfo& TTimeZone::StaticType()
{
    using Z = TTimeZone;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<Z, &Z::DisplayName>("DisplayName"),    StringProperty<Z, &Z::StandardName>("StandardName"),
        StringProperty<Z, &Z::DaylightName>("DaylightName"),  IntProperty<Z, &Z::Bias>("Bias"),
        IntProperty<Z, &Z::StandardBias>("StandardBias"),     IntProperty<Z, &Z::DaylightBias>("DaylightBias"),
        FloatProperty<Z, &Z::StandardStart>("StandardStart"), FloatProperty<Z, &Z::DaylightStart>("DaylightStart"),
    };
    static constexpr TypeInfo kType = RecordType("TTimeZone", kProperties);
    return kType;
}

const TypeInfo& TNTSpecific::StaticType()
{
    using N = TNTSpecific;
    static constexpr std::string_view kProductTypeNames[] = {"ptUnknown", "ptWorkStation", "ptServer",
                                                             "ptAdvancedServer"};
    static constexpr std::string_view kSuiteNames[] = {"suSmallBusiness",  "suEnterprise", "suBackOffice",
                                                       "suCommunications", "suTerminal",   "suSmallBusinessRestricted",
                                                       "suEmbeddedNT",     "suDataCenter"};
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<N, &N::ProductType>("ProductType", kProductTypeNames),
        SetProperty<N, &N::InstalledSuites>("InstalledSuites", kSuiteNames),
        IntProperty<N, &N::ServicePackMajorVersion>("ServicePackMajorVersion"),
        IntProperty<N, &N::ServicePackMinorVersion>("ServicePackMinorVersion"),
    };
    static constexpr TypeInfo kType = RecordType("TNTSpecific", kProperties);
    return kType;
}

const TypeInfo& TOperatingSystem::StaticType()
{
    using O = TOperatingSystem;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<O, &O::Platform>("Platform"),
        IntProperty<O, &O::MajorVersion>("MajorVersion"),
        IntProperty<O, &O::MinorVersion>("MinorVersion"),
        IntProperty<O, &O::BuildNumber>("BuildNumber"),
        StringProperty<O, &O::CSD>("CSD"),
        StringProperty<O, &O::Version>("Version"),
        StringProperty<O, &O::ProductID>("ProductID"),
        StringProperty<O, &O::ProductKey>("ProductKey"),
        StringProperty<O, &O::RegisteredUser>("RegisteredUser"),
        StringProperty<O, &O::RegisteredOrg>("RegisteredOrg"),
        StringProperty<O, &O::DVDRegion>("DVDRegion"),
        LinesProperty<O, [](const O& o) { return o.Environment->Lines(); },
                      [](O& o, const std::vector<std::string>& lines) { SetLines(*o.Environment, lines); }>(
            "Environment"),
        LinesProperty<O, [](const O& o) { return o.Folders->Lines(); },
                      [](O& o, const std::vector<std::string>& lines) { SetLines(*o.Folders, lines); }>("Folders"),
        ObjectProperty<O, TTimeZone, [](O& o, bool) { return o.TimeZone.get(); }>("TimeZone"),
        ObjectProperty<O, TNTSpecific, [](O& o, bool) { return o.NTSpecific.get(); }>("NTSpecific"),
    };
    static constexpr TypeInfo kType = RecordType("TOperatingSystem", kProperties);
    return kType;
}

void TOperatingSystem::Report(StringList& lines, const ReportLocale& locale)
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
    NTSpecific->Report(lines, locale);
    AddSection(lines, "Environment");
    for (const std::string& line : Environment->Lines())
        AddKeyValueText(lines, line);
    AddSection(lines, "Folders");
    for (const std::string& line : Folders->Lines())
        AddKeyValueText(lines, line);
    TimeZone->Report(lines, locale);
}

void TNTSpecific::Report(StringList& lines, const ReportLocale&)
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

void TTimeZone::Report(StringList& lines, const ReportLocale& locale)
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
