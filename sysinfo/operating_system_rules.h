#pragma once
// The decisions of the operating-system collector that need no system:
// the environment walk, the profile entry, the 6a service pack, the product
// type and suites, and the shell folders listed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The strings of an environment block, walked at most `limit` characters:
// each NUL ends a string, an empty one ends the block, and a string still
// open at the limit is dropped.
inline constexpr std::size_t kEnvironmentWalkLimit = 4096;
std::vector<std::string> EnvironmentStringsFrom(std::string_view block, std::size_t limit = kEnvironmentWalkLimit);

// The "Profile" folder entry from the "Desktop" one: its parent, at most the
// last 255 characters; a path without a backslash is taken whole.
std::string ProfileFromDesktop(std::string_view desktop);

// "Service Pack 6" on NT becomes "Service Pack 6a" when the hot fix is in.
std::string ServicePackText(bool isNT, const std::string& csd, std::optional<std::uint32_t> hotfixInstalled);

enum class TNtProductType { ptUnknown, ptWorkStation, ptServer, ptAdvancedServer };
enum class TNTSuite {
    suSmallBusiness,
    suEnterprise,
    suBackOffice,
    suCommunications,
    suTerminal,
    suSmallBusinessRestricted,
    suEmbeddedNT,
    suDataCenter
};
using TNTSuites = std::uint8_t; // bit n: TNTSuite n

inline bool HasSuite(TNTSuites suites, TNTSuite suite)
{
    return (suites >> static_cast<int>(suite)) & 1u;
}

// From the extended version record's product type; nothing for other values.
std::optional<TNtProductType> ProductTypeFromRecord(unsigned productType);
// From the "ProductType" text of the product options key, compared exactly.
TNtProductType ProductTypeFromText(std::string_view text);
TNTSuites SuitesFromMask(unsigned suiteMask);
std::string_view ProductTypeLabel(TNtProductType type);

// The system drive, "C:", from the "Windows" entry of a folder list.
std::string SystemDriveOf(const std::vector<std::string>& folders);

struct ShellFolder {
    std::string_view key;
    int id;
};
// The shell folders of the folder list, in their order.
const std::vector<ShellFolder>& ListedShellFolders();

// The registry folder entries: key and value name.
struct RegistryFolder {
    std::string_view key;
    std::string_view valueName;
};
const std::vector<RegistryFolder>& ListedRegistryFolders();

} // namespace qm
