#pragma once
// Turning raw registry data into text, whatever the data holds: strings may
// lack their terminating NUL, have odd lengths, or be of another type.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qm {

inline constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegMultiSz = 7;

// Text up to the first NUL or the end of the data, for REG_SZ and
// REG_EXPAND_SZ; nothing for other types.
std::optional<std::string> RegistryDataToText(std::uint32_t type, const std::uint8_t* data, std::size_t size);

// A REG_DWORD value (exactly four bytes, little-endian); nothing otherwise.
std::optional<std::uint32_t> RegistryDataToDword(std::uint32_t type, const std::uint8_t* data, std::size_t size);

} // namespace qm
