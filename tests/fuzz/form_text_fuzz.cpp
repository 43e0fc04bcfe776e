// Window descriptions: any text is either read or refused with the
// description error, never anything worse.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/form_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        qm::ParseFormText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const qm::EFormDescription&) {}
    return 0;
}
