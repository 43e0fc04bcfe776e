#pragma once
// The report format of the system-information engine: sections of
// "[Name]" headers and key=value lines, saved with CR LF line ends.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/string_list.h"

namespace qm {

// "[Name]".
void AddSection(StringList& lines, std::string_view name);
// Texts from the system go into a report as one line each, and a key never
// reads as a section header: every line break or other control character
// becomes a blank, and a key that begins with "[" has its brackets written as
// parentheses ("[Updater]" -> "(Updater)").
std::string ReportValueText(std::string_view text);
std::string ReportKeyText(std::string_view key);
// key=%d, key=%x (upper case, no prefix), key=1/0, key=text.
void AddInteger(StringList& lines, std::string_view key, std::int64_t value);
void AddHex(StringList& lines, std::string_view key, std::uint64_t value);
void AddBool(StringList& lines, std::string_view key, bool value);
void AddText(StringList& lines, std::string_view key, std::string_view value);
// A "key=value" text, split at its first "=", as AddText writes it; a text
// without "=" is written whole, as a key.
void AddKeyValueText(StringList& lines, std::string_view keyEqualsValue);
// A large figure with the "0,##" / "#,#0" patterns: at least one digit,
// grouped by `thousandsSeparator` (none when it is 0), rounded half away from zero.
void AddGrouped(StringList& lines, std::string_view key, double value, char thousandsSeparator);
std::string GroupDigits(double value, char thousandsSeparator);

// countKey=N, then itemPrefix1=..., itemPrefix2=...
void AddListToReport(const std::vector<std::string>& list, std::string_view countKey, std::string_view itemPrefix,
                     StringList& lines);

// "1 Hour, 2 Minutes, 5 Seconds." from the largest non-zero unit down.
std::string FormatSeconds(std::int64_t seconds, bool wholeSeconds = true);

} // namespace qm
