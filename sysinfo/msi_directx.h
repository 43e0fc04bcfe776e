#pragma once
// The installed DirectX version and the registered Direct3D drivers,
// DirectPlay service providers and DirectMusic software synthesizers; and
// the versions of the data-access engines (ODBC, BDE, DAO, ADO).
#include <string>

#include "sysinfo/collector.h"

namespace qm {

class TDirectX : public CollectorBase<TDirectX> {
public:
    static constexpr const char* kClassName = "TDirectX";
    static const TypeInfo& StaticType();
    // "[DirectX]", and with a version its three lists.
    void Report(StringList& lines, const ReportLocale& locale = {});
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    std::string Version;
    StringList Direct3D, DirectPlay, DirectMusic;
};

// "6.0" from the first byte of the binary "InstalledVersion" value.
std::string InstalledVersionText(std::uint8_t firstByte);

class TEngines : public CollectorBase<TEngines> {
public:
    static constexpr const char* kClassName = "TEngines";
    static const TypeInfo& StaticType();
    // "[ODBC]", "[BDE]", "[DAO]", "[ADO]", each with its version when found.
    void Report(StringList& lines, const ReportLocale& locale = {});
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    std::string BDE, ODBC, DAO, ADO;
};

} // namespace qm
