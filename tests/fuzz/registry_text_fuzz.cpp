// Registry data of any type and length turns into text safely.
#include <cstddef>
#include <cstdint>

#include "platform/registry_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint32_t type = data[0] % 8;
    auto text = qm::RegistryDataToText(type, data + 1, size - 1);
    if (text && text->size() > size - 1)
        __builtin_trap();
    qm::RegistryDataToDword(type, data + 1, size - 1);
    return 0;
}
