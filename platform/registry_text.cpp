#include "platform/registry_text.h"

#include <cstring>

namespace qm {

std::optional<std::string> RegistryDataToText(std::uint32_t type, const std::uint8_t* data, std::size_t size)
{
    if (type != kRegSz && type != kRegExpandSz)
        return std::nullopt;
    if (!data || size == 0)
        return std::string();
    const void* nul = std::memchr(data, 0, size);
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - data) : size;
    return std::string(reinterpret_cast<const char*>(data), length);
}

std::optional<std::uint32_t> RegistryDataToDword(std::uint32_t type, const std::uint8_t* data, std::size_t size)
{
    if (type != kRegDword || !data || size != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
        (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

} // namespace qm
