#include "optimizer/tweak_tables.h"

namespace qm {

namespace {

constexpr TweakValue kTable9x[] = {
    {"DefaultTTL", TweakType::String, "128", 0},
    {"DefaultRcvWindow", TweakType::String, "372300", 0},
    {"PMTUBlackHoleDetect", TweakType::String, "0", 0},
    {"PMTUDiscovery", TweakType::String, "1", 0},
    {"SackOpts", TweakType::String, "1", 0},
    {"Tcp1323Opts", TweakType::Dword, {}, 3},
};

constexpr TweakValue kTableNT4[] = {
    {"DefaultTTL", TweakType::Dword, {}, 128},
    {"TcpWindowSize", TweakType::Dword, {}, 0xFAF0},
    {"EnablePMTUBHDetect", TweakType::Dword, {}, 0},
    {"EnablePMTUDiscovery", TweakType::Dword, {}, 1},
};

constexpr TweakValue kTableNT5[] = {
    {"DefaultTTL", TweakType::Dword, {}, 128},
    {"TcpWindowSize", TweakType::Dword, {}, 0x5AE4C},
    {"GlobalMaxTcpWindowSize", TweakType::Dword, {}, 372300},
    {"EnablePMTUBHDetect", TweakType::Dword, {}, 0},
    {"EnablePMTUDiscovery", TweakType::Dword, {}, 1},
    {"SackOpts", TweakType::Dword, {}, 1},
    {"Tcp1323Opts", TweakType::Dword, {}, 3},
};

constexpr std::string_view kTcpipKey = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr TweakTable kTweaks9x{"\\System\\CurrentControlSet\\Services\\VxD\\MSTCP", kTable9x};
constexpr TweakTable kTweaksNT4{kTcpipKey, kTableNT4};
constexpr TweakTable kTweaksNT5{kTcpipKey, kTableNT5};

} // namespace

const TweakTable* ChooseTweakTable(std::string_view platform, int majorVersion)
{
    if (platform == "Windows 9x")
        return &kTweaks9x;
    if (platform == "Windows NT" && majorVersion == 4)
        return &kTweaksNT4;
    if (platform == "Windows NT" && majorVersion == 5)
        return &kTweaksNT5;
    return nullptr;
}

std::optional<std::uint32_t> ConnectionLimit(int lineSpeed)
{
    if (lineSpeed < 1 || lineSpeed > 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(lineSpeed + 4); // Modem 5, ISDN 6, xDSL 7, T1+ 8
}

} // namespace qm
