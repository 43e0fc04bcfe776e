#include "sysinfo/report_format.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace qm {

std::string ReportValueText(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // CR LF is one break: one blank, from the LF
        line += c < 0x20 && c != '\t' ? ' ' : text[i];
    }
    return line;
}

std::string ReportKeyText(std::string_view key)
{
    std::string text = ReportValueText(key);
    if (text.starts_with('['))
        for (char& c : text)
            c = c == '[' ? '(' : c == ']' ? ')' : c;
    return text;
}

void AddSection(StringList& lines, std::string_view name)
{
    std::string header;
    header.reserve(name.size() + 2);
    header += '[';
    header += ReportValueText(name);
    header += ']';
    lines.Add(std::move(header));
}

void AddInteger(StringList& lines, std::string_view key, std::int64_t value)
{
    lines.Add(ReportKeyText(key) + "=" + std::to_string(value));
}

void AddHex(StringList& lines, std::string_view key, std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof(text), "%" PRIX64, value);
    lines.Add(ReportKeyText(key) + "=" + text);
}

void AddBool(StringList& lines, std::string_view key, bool value)
{
    lines.Add(ReportKeyText(key) + (value ? "=1" : "=0"));
}

void AddText(StringList& lines, std::string_view key, std::string_view value)
{
    std::string line = ReportKeyText(key);
    line += '=';
    line += ReportValueText(value);
    lines.Add(std::move(line));
}

void AddKeyValueText(StringList& lines, std::string_view keyEqualsValue)
{
    // "=C:=C:\" (a drive's current folder) has an empty name: its "=" is the first.
    const size_t equals = keyEqualsValue.find('=');
    if (equals == std::string_view::npos)
        lines.Add(ReportKeyText(keyEqualsValue));
    else
        AddText(lines, keyEqualsValue.substr(0, equals), keyEqualsValue.substr(equals + 1));
}

std::string GroupDigits(double value, char thousandsSeparator)
{
    const double rounded = std::round(value); // half away from zero
    const bool negative = rounded < 0;
    char digits[64];
    std::snprintf(digits, sizeof(digits), "%.0f", std::fabs(rounded));
    std::string plain = digits;
    std::string out;
    for (size_t i = 0; i < plain.size(); ++i) {
        out += plain[i];
        const size_t remaining = plain.size() - i - 1;
        if (thousandsSeparator && remaining > 0 && remaining % 3 == 0)
            out += thousandsSeparator;
    }
    if (negative)
        out.insert(out.begin(), '-');
    return out;
}

void AddGrouped(StringList& lines, std::string_view key, double value, char thousandsSeparator)
{
    AddText(lines, key, GroupDigits(value, thousandsSeparator));
}

void AddListToReport(const std::vector<std::string>& list, std::string_view countKey, std::string_view itemPrefix,
                     StringList& lines)
{
    AddInteger(lines, countKey, static_cast<std::int64_t>(list.size()));
    for (size_t i = 0; i < list.size(); ++i)
        AddText(lines, std::string(itemPrefix) + std::to_string(i + 1), list[i]);
}

std::string FormatSeconds(std::int64_t seconds, bool wholeSeconds)
{
    struct Unit {
        std::int64_t length;
        const char* one;
        const char* many;
    };
    static constexpr Unit kUnits[] = {
        {3157920000, " Century, ", " Centuries, "},
        {31579200, " Year, ", " Years, "},
        {2678400, " Month, ", " Months, "},
        {604800, " Week, ", " Weeks, "},
        {86400, " Day, ", " Days, "},
        {3600, " Hour, ", " Hours, "},
        {60, " Minute, ", " Minutes, "},
    };
    std::int64_t counts[std::size(kUnits)];
    std::int64_t rest = seconds;
    for (size_t i = 0; i < std::size(kUnits); ++i) {
        counts[i] = rest / kUnits[i].length;
        rest -= counts[i] * kUnits[i].length;
    }
    std::string text;
    bool started = false;
    for (size_t i = 0; i < std::size(kUnits); ++i) {
        started = started || counts[i] != 0;
        if (started)
            text += std::to_string(counts[i]) + (counts[i] == 1 ? kUnits[i].one : kUnits[i].many);
    }
    char secondsText[40];
    if (wholeSeconds)
        std::snprintf(secondsText, sizeof(secondsText), "%" PRId64, rest);
    else
        std::snprintf(secondsText, sizeof(secondsText), "%.2f", static_cast<double>(rest));
    text += secondsText;
    text += rest == 1 ? " Second." : " Seconds.";
    return text;
}

} // namespace qm
