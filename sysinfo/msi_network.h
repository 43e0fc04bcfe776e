#pragma once
// The network adapters, the local addresses, the adapters' hardware
// addresses, the installed protocols, services and clients, and the Windows
// Sockets implementation.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sysinfo/collector.h"
#include "sysinfo/msi_devices.h"

namespace qm {

class TWinsock : public CollectorBase<TWinsock> {
public:
    static constexpr const char* kClassName = "TWinsock";
    static const TypeInfo& StaticType();
    // Part of the network report; alone it appends nothing.
    void Report(StringList&, const ReportLocale& = {}) {}
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    std::string Description, Status;
    std::uint16_t MajorVersion = 0, MinorVersion = 0;
};

class TNetwork : public CollectorBase<TNetwork> {
public:
    static constexpr const char* kClassName = "TNetwork";
    TNetwork();
    ~TNetwork();
    TNetwork(const TNetwork&) = delete;
    TNetwork& operator=(const TNetwork&) = delete;
    static const TypeInfo& StaticType();
    // "[Network]" with its six lists, then "[Winsock]".
    void Report(StringList& lines, const ReportLocale& locale = {});
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    StringList Adapters;
    std::unique_ptr<TWinsock> WinSock;
    StringList IPAddresses, MACAddresses, Clients, Services, Protocols;
    std::int32_t CardAdapterIndex = -1;
};

// "00:1a:2b:3c:4d:5e"; "??:??:??:??:??:??" when the adapter said nothing.
std::string MacAddressText(const std::uint8_t* address);
// The network-class devices' names, and the index of the first that sits at
// a hardware location (-1 for none).
struct NetworkAdapters {
    std::vector<std::string> names;
    std::int32_t cardIndex = -1;
};
NetworkAdapters FindNetworkAdapters(const std::vector<TDevice>& devices);

} // namespace qm
