#pragma once
// The texts a settings store keeps in the registry, and how bad ones read.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// "(1024x768)": makes each screen resolution keep its own position.
std::string ResolutionSuffix(int width, int height);

// "%d,%d,%d,%d".
std::string FormatFour(const std::array<int, 4>& values);

// Four comma-separated integers; a missing or bad one takes its default.
std::array<int, 4> ParseFour(std::string_view text, const std::array<int, 4>& defaults);

// A whole decimal number, or the default for anything else.
int ParseIntOr(const std::optional<std::string>& text, int fallback);

enum class StoredState { Normal, Minimized, Maximized };
// ShowCmd as stored: 1, 5, 9 normal; 2, 6, 7 minimised; 3 maximised; else the default.
StoredState StateFromShowCmd(int showCmd, StoredState fallback);

struct StoredProperty {
    std::string component;
    std::string property;
    std::string ValueName() const { return component + "_" + property; }
};
// "Component.Property", split at the first dot and trimmed; nothing for a bad entry.
std::optional<StoredProperty> ParseStoredProperty(std::string_view entry);

std::string Trim(std::string_view text);

} // namespace qm
