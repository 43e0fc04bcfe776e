#include "sysinfo/operating_system_rules.h"

#include <algorithm>

namespace qm {

std::vector<std::string> EnvironmentStringsFrom(std::string_view block, std::size_t limit)
{
    std::vector<std::string> strings;
    std::string current;
    const std::size_t end = std::min(limit, block.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (block[i] != '\0') {
            current += block[i];
            continue;
        }
        if (current.empty())
            break;
        strings.push_back(std::move(current));
        current.clear();
    }
    return strings;
}

std::string ProfileFromDesktop(std::string_view desktop)
{
    constexpr std::size_t kLongest = 255;
    const std::size_t slash = desktop.rfind('\\');
    std::string_view parent = slash == std::string_view::npos ? desktop : desktop.substr(0, slash);
    if (parent.size() > kLongest)
        parent = parent.substr(parent.size() - kLongest);
    return std::string(parent);
}

std::string ServicePackText(bool isNT, const std::string& csd, std::optional<std::uint32_t> hotfixInstalled)
{
    if (isNT && csd == "Service Pack 6" && hotfixInstalled == 1u)
        return "Service Pack 6a";
    return csd;
}

std::optional<TNtProductType> ProductTypeFromRecord(unsigned productType)
{
    switch (productType) {
    case 1:
        return TNtProductType::ptWorkStation;
    case 2:
        return TNtProductType::ptAdvancedServer; // a domain controller
    case 3:
        return TNtProductType::ptServer;
    default:
        return std::nullopt;
    }
}

TNtProductType ProductTypeFromText(std::string_view text)
{
    if (text == "WinNT")
        return TNtProductType::ptWorkStation;
    if (text == "ServerNT")
        return TNtProductType::ptServer;
    if (text == "LanmanNT")
        return TNtProductType::ptAdvancedServer;
    return TNtProductType::ptUnknown;
}

TNTSuites SuitesFromMask(unsigned suiteMask)
{
    return static_cast<TNTSuites>(suiteMask & 0xFF);
}

std::string SystemDriveOf(const std::vector<std::string>& folders)
{
    constexpr std::string_view kKey = "windows=";
    for (const std::string& line : folders) {
        if (line.size() < kKey.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < kKey.size() && same; ++i)
            same = (line[i] >= 'A' && line[i] <= 'Z' ? line[i] + ('a' - 'A') : line[i]) == kKey[i];
        if (same)
            return line.substr(kKey.size(), 2);
    }
    return {};
}

std::string_view ProductTypeLabel(TNtProductType type)
{
    switch (type) {
    case TNtProductType::ptWorkStation:
        return "Pro/Wks";
    case TNtProductType::ptServer:
        return "Server";
    case TNtProductType::ptAdvancedServer:
        return "Advanced Server";
    default:
        return "Unknown";
    }
}

const std::vector<ShellFolder>& ListedShellFolders()
{
    static const std::vector<ShellFolder> folders = {
        {"AppData", 26},
        {"CommonDesktopDir", 25},
        {"CommonAltStartUp", 30},
        {"RecycleBin", 10},
        {"CommonPrograms", 23},
        {"CommonStartMenu", 22},
        {"CommonStartup", 24},
        {"CommonFavorites", 31},
        {"Cookies", 33},
        {"Controls", 3},
        {"Desktop", 0},
        {"DesktopDir", 16},
        {"Favorites", 6},
        {"Drives", 17},
        {"Fonts", 20},
        {"History", 34},
        {"Internet", 1},
        {"InternetCache", 32},
        {"NetWork", 18},
        {"NetHood", 19},
        {"MyDocuments", 5},
        {"PrintHood", 27},
        {"Printers", 4},
        {"Programs", 2},
        {"Recent", 8},
        {"SendTo", 9},
        {"StartMenu", 11},
        {"StartUp", 7},
        {"Templates", 21},
    };
    return folders;
}

const std::vector<RegistryFolder>& ListedRegistryFolders()
{
    static const std::vector<RegistryFolder> folders = {
        {"CommonFiles", "CommonFilesDir"},
        {"ProgramFiles", "ProgramFilesDir"},
        {"Device", "DevicePath"},
        {"OtherDevice", "OtherDevicePath"},
        {"Media", "MediaPath"},
        {"Config", "ConfigPath"},
        {"Wallpaper", "WallPaperDir"},
    };
    return folders;
}

} // namespace qm
