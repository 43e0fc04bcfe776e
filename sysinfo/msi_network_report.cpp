#include <cstdio>

#include "sysinfo/msi_network.h"
#include "sysinfo/report_format.h"

namespace qm {

std::string MacAddressText(const std::uint8_t* address)
{
    if (!address)
        return "??:??:??:??:??:??";
    char text[24];
    std::snprintf(text, sizeof(text), "%2.2x:%2.2x:%2.2x:%2.2x:%2.2x:%2.2x", address[0], address[1], address[2],
                  address[3], address[4], address[5]);
    return text;
}

NetworkAdapters FindNetworkAdapters(const std::vector<TDevice>& devices)
{
    NetworkAdapters adapters;
    const int net = DeviceClassIndex("Net");
    for (const TDevice& device : devices) {
        if (device.DeviceClass != net)
            continue;
        adapters.names.push_back(device.FriendlyName.empty() ? device.Description : device.FriendlyName);
        if (!device.Location.empty() && adapters.cardIndex == -1)
            adapters.cardIndex = static_cast<std::int32_t>(adapters.names.size() - 1);
    }
    return adapters;
}

const TypeInfo& TWinsock::StaticType()
{
    using W = TWinsock;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<W, &W::Description>("Description"),
        StringProperty<W, &W::Status>("Status"),
        IntProperty<W, &W::MajorVersion>("MajorVersion"),
        IntProperty<W, &W::MinorVersion>("MinorVersion"),
    };
    static constexpr TypeInfo kType = RecordType("TWinsock", kProperties);
    return kType;
}

TNetwork::TNetwork() : WinSock(std::make_unique<TWinsock>())
{}

TNetwork::~TNetwork() = default;

const TypeInfo& TNetwork::StaticType()
{
    using N = TNetwork;
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<N, &N::Adapters>("Adapters"),
        ObjectProperty<N, TWinsock, [](N& n, bool) { return n.WinSock.get(); }>("WinSock"),
        LinesProperty<N, &N::IPAddresses>("IPAddresses"),
        LinesProperty<N, &N::MACAddresses>("MACAddresses"),
        LinesProperty<N, &N::Clients>("Clients"),
        LinesProperty<N, &N::Services>("Services"),
        LinesProperty<N, &N::Protocols>("Protocols"),
        IntProperty<N, &N::CardAdapterIndex>("CardAdapterIndex"),
    };
    static constexpr TypeInfo kType = RecordType("TNetwork", kProperties);
    return kType;
}

void TNetwork::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "Network");
    AddListToReport(Adapters.Lines(), "Count", "Adapter", lines);
    AddListToReport(Protocols.Lines(), "ProtoCount", "Protocol", lines);
    AddListToReport(Services.Lines(), "ServiceCount", "Service", lines);
    AddListToReport(Clients.Lines(), "ClientCount", "Client", lines);
    AddListToReport(IPAddresses.Lines(), "IPCount", "IPAddress", lines);
    AddListToReport(MACAddresses.Lines(), "MACCount", "MACAddress", lines);
    AddSection(lines, "Winsock");
    AddText(lines, "Description", WinSock->Description);
    AddText(lines, "Version", std::to_string(WinSock->MajorVersion) + "." + std::to_string(WinSock->MinorVersion));
    AddText(lines, "Status", WinSock->Status);
}

} // namespace qm
