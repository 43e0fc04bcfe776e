#pragma once
// The TCP/IP values the optimizer writes, by Windows family and version, and
// the connection limits by line speed. Data, in the order they are written.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qm {

enum class TweakType { String, Dword };

struct TweakValue {
    std::string_view name;
    TweakType type;
    std::string_view text; // for strings
    std::uint32_t number; // for DWORDs
};

struct TweakTable {
    std::string_view key; // below HKEY_LOCAL_MACHINE, with its leading backslash
    std::span<const TweakValue> values;
};

inline constexpr std::string_view kInternetSettingsKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::string_view kRestartQuestion =
    "Your system needs to be restarted for the changes to take effect. Would you like to restart it now?";

// The table for a Platform string and major version; nothing for others.
const TweakTable* ChooseTweakTable(std::string_view platform, int majorVersion);

// Both connection limits for the line-speed position 1..4; nothing outside.
std::optional<std::uint32_t> ConnectionLimit(int lineSpeed);

} // namespace qm
