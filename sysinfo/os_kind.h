#pragma once
// Which Windows this is, decided once from the version record, and the
// texts and keys that follow from it.
#include <string>
#include <string_view>

namespace qm {

enum class TOSKind { osUnknown, os95, os95OSR2, os98, os98SE, osNT3, osNT4, os2K, osME, osXP };

// platform 1: Windows 9x, 2: Windows NT; servicePack as the record has it.
TOSKind OSKindFromVersion(unsigned platform, unsigned major, unsigned minor, std::string_view servicePack);

bool IsNTKind(TOSKind kind);
std::string OSNameOf(TOSKind kind);
// The device-class key under HKEY_LOCAL_MACHINE.
std::string ClassKeyOf(TOSKind kind);
std::string ClassKeyFor(bool isNT);

// The parent folder of the desktop folder: up to, not including, its last backslash.
std::string ProfilePathFrom(std::string_view desktopPath);
// Without leading and trailing blanks and control characters.
std::string_view TrimBlanks(std::string_view text);
// Trims blanks and control characters, then deletes every space and CR LF pair.
std::string RemoveBlanks(std::string_view text);
// The characters of `text` in reverse order.
std::string ReverseText(std::string_view text);
// NUL-separated strings joined with nothing between, up to the double NUL.
std::string MultiStrToStr(std::string_view buffer);
// Every occurrence of `find`, compared without regard to case, replaced.
std::string ReplaceTextAll(std::string_view text, std::string_view find, std::string_view replacement);

} // namespace qm
