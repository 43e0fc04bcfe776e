#include "components/placement_values.h"

#include <charconv>
#include <cstdio>

namespace qm {

namespace {

std::optional<int> ParseInt(std::string_view text)
{
    std::string trimmed = Trim(text);
    int value = 0;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (trimmed.empty())
        return std::nullopt;
    if (*first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

} // namespace

std::string Trim(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string ResolutionSuffix(int width, int height)
{
    char text[40];
    std::snprintf(text, sizeof(text), "(%dx%d)", width, height);
    return text;
}

std::string FormatFour(const std::array<int, 4>& v)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%d,%d,%d,%d", v[0], v[1], v[2], v[3]);
    return text;
}

std::array<int, 4> ParseFour(std::string_view text, const std::array<int, 4>& defaults)
{
    std::array<int, 4> values = defaults;
    for (size_t i = 0; i < 4; ++i) {
        size_t comma = text.find(',');
        std::string_view field = text.substr(0, comma);
        if (auto value = ParseInt(field))
            values[i] = *value;
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return values;
}

int ParseIntOr(const std::optional<std::string>& text, int fallback)
{
    if (!text)
        return fallback;
    return ParseInt(*text).value_or(fallback);
}

StoredState StateFromShowCmd(int showCmd, StoredState fallback)
{
    switch (showCmd) {
    case 1:
    case 5:
    case 9:
        return StoredState::Normal;
    case 2:
    case 6:
    case 7:
        return StoredState::Minimized;
    case 3:
        return StoredState::Maximized;
    default:
        return fallback;
    }
}

std::optional<StoredProperty> ParseStoredProperty(std::string_view entry)
{
    size_t dot = entry.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    StoredProperty property{Trim(entry.substr(0, dot)), Trim(entry.substr(dot + 1))};
    if (property.component.empty() || property.property.empty())
        return std::nullopt;
    return property;
}

} // namespace qm
