#pragma once
// The registry backup as files the system's registry editor imports: the
// values the optimizer may write, with the type and data they hold now, and
// where the format allows, a deletion for each one that is absent now, so
// that importing the file puts them back as they were.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// REGEDIT4 (Windows 9x and NT 4, ANSI text) or version 5.00 (2000 and later,
// written as UTF-16). Only version 5.00 can delete.
enum class RegFileFormat { Regedit4, Version5 };

struct RegValueNow {
    std::uint32_t type = 0;
    std::string text; // string types: the text, in the file's character set
    std::vector<std::uint8_t> data; // other types: the bytes as stored
};

struct BackedUpValue {
    std::string name;
    std::optional<RegValueNow> now; // nothing: absent now
};

struct BackedUpKey {
    std::string path; // "HKEY_CURRENT_USER\Software\..."
    bool exists = true; // absent: every value counts as absent
    std::vector<BackedUpValue> values;
};

// The whole file as text with CR LF line ends.
std::string RegFileText(RegFileFormat format, const std::vector<BackedUpKey>& keys);

// Which format this Windows's own editor reads.
RegFileFormat RegFileFormatFor(const std::string& platform, int majorVersion);

} // namespace qm
