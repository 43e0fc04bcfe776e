#include "sysinfo/msi_directx.h"
#include "sysinfo/report_format.h"

namespace qm {

std::string InstalledVersionText(std::uint8_t firstByte)
{
    return std::to_string(firstByte) + ".0";
}

const TypeInfo& TDirectX::StaticType()
{
    using D = TDirectX;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<D, &D::Version>("Version"),
        LinesProperty<D, &D::Direct3D>("Direct3D"),
        LinesProperty<D, &D::DirectPlay>("DirectPlay"),
        LinesProperty<D, &D::DirectMusic>("DirectMusic"),
    };
    static constexpr TypeInfo kType = RecordType("TDirectX", kProperties);
    return kType;
}

void TDirectX::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "DirectX");
    if (Version.empty())
        return;
    AddText(lines, "Version", Version);
    AddSection(lines, "Direct3D");
    AddListToReport(Direct3D.Lines(), "Count", "Device", lines);
    AddSection(lines, "DirectPlay");
    AddListToReport(DirectPlay.Lines(), "Count", "Device", lines);
    AddSection(lines, "DirectMusic");
    AddListToReport(DirectMusic.Lines(), "Count", "Device", lines);
}

const TypeInfo& TEngines::StaticType()
{
    using E = TEngines;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<E, &E::BDE>("BDE"),
        StringProperty<E, &E::ODBC>("ODBC"),
        StringProperty<E, &E::DAO>("DAO"),
        StringProperty<E, &E::ADO>("ADO"),
    };
    static constexpr TypeInfo kType = RecordType("TEngines", kProperties);
    return kType;
}

void TEngines::Report(StringList& lines, const ReportLocale&)
{
    const std::pair<const char*, const std::string*> engines[] = {
        {"ODBC", &ODBC}, {"BDE", &BDE}, {"DAO", &DAO}, {"ADO", &ADO}};
    for (const auto& [section, version] : engines) {
        AddSection(lines, section);
        if (!version->empty())
            AddText(lines, "Version", *version);
    }
}

} // namespace qm
