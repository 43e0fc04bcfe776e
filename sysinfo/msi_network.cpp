#include "sysinfo/msi_network.h"

#include <windows.h>
#include <winsock2.h>

#include <nb30.h>

#include <algorithm>
#include <cstring>

#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

// Sockets for as long as the object lives; nothing when they cannot be had.
class SocketsSession {
public:
    SocketsSession() : started_(WSAStartup(0x0101, &data_) == 0) {}
    ~SocketsSession()
    {
        if (started_)
            WSACleanup();
    }
    SocketsSession(const SocketsSession&) = delete;
    SocketsSession& operator=(const SocketsSession&) = delete;
    bool Started() const { return started_; }
    const WSADATA& Data() const { return data_; }

private:
    WSADATA data_{};
    bool started_;
};

std::vector<std::string> LocalAddresses()
{
    SocketsSession sockets;
    char name[64] = {};
    if (gethostname(name, sizeof(name)) != 0)
        return {};
    const hostent* host = gethostbyname(name);
    std::vector<std::string> addresses;
    if (!host || host->h_addrtype != AF_INET)
        return addresses;
    for (char** entry = host->h_addr_list; entry && *entry; ++entry) {
        in_addr address;
        std::memcpy(&address, *entry, sizeof(address));
        addresses.push_back(inet_ntoa(address));
    }
    return addresses;
}

UCHAR NetbiosCall(NCB& request)
{
    return Netbios(&request);
}

std::vector<std::string> AdapterAddresses()
{
    LANA_ENUM lanas{};
    NCB enumerate{};
    enumerate.ncb_command = NCBENUM;
    enumerate.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
    enumerate.ncb_length = sizeof(lanas);
    const int count = NetbiosCall(enumerate) == NRC_GOODRET ? lanas.length : 0;
    std::vector<std::string> addresses;
    for (int i = 0; i < count; ++i) {
        NCB reset{};
        reset.ncb_command = NCBRESET;
        reset.ncb_lana_num = lanas.lana[i];
        if (NetbiosCall(reset) != NRC_GOODRET)
            continue;
        struct {
            ADAPTER_STATUS status;
            NAME_BUFFER names[30];
        } answer{};
        NCB status{};
        status.ncb_command = NCBASTAT;
        status.ncb_lana_num = lanas.lana[i];
        std::memcpy(status.ncb_callname, "*               ", NCBNAMSZ);
        status.ncb_buffer = reinterpret_cast<PUCHAR>(&answer);
        status.ncb_length = sizeof(answer);
        const bool answered = NetbiosCall(status) == NRC_GOODRET;
        const std::string text = MacAddressText(answered ? answer.status.adapter_address : nullptr);
        if (std::find(addresses.begin(), addresses.end(), text) == addresses.end())
            addresses.push_back(text);
    }
    return addresses;
}

} // namespace

void TWinsock::Refresh(SystemServices&)
{
    SocketsSession sockets;
    if (!sockets.Started()) {
        Status = "Winsock cannot be initialized.";
        return;
    }
    const WSADATA& data = sockets.Data();
    Description.assign(data.szDescription, strnlen(data.szDescription, sizeof(data.szDescription)));
    Status.assign(data.szSystemStatus, strnlen(data.szSystemStatus, sizeof(data.szSystemStatus)));
    MajorVersion = LOBYTE(data.wHighVersion);
    MinorVersion = HIBYTE(data.wHighVersion);
}

void TNetwork::Refresh(SystemServices& services)
{
    WinSock->GetInfo(services);
    SetLines(IPAddresses, LocalAddresses());

    Adapters.Clear();
    CardAdapterIndex = -1;
    {
        TDevices devices;
        devices.GetInfo(services);
        NetworkAdapters adapters = FindNetworkAdapters(devices.Devices());
        SetLines(Adapters, adapters.names);
        CardAdapterIndex = adapters.cardIndex;
    }

    const StartupValues& values = TheStartupValues();
    const std::string key = values.Is2K ? "SYSTEM\\CurrentControlSet\\Control\\Network" : values.ClassKey;
    const char* valueName = values.Is2K ? "Description" : "DriverDesc";
    const std::pair<const char*, StringList*> kinds[] = {
        {"NetTrans", &Protocols}, {"NetService", &Services}, {"NetClient", &Clients}};
    for (const auto& [className, list] : kinds) {
        std::vector<std::string> entries;
        std::string classSubkey;
        GetClassDevices(key, className, valueName, classSubkey, entries);
        SetLines(*list, entries);
    }

    MACAddresses.Clear();
    SetLines(MACAddresses, AdapterAddresses());
}

} // namespace qm
