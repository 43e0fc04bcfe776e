#pragma once
#include <string>
#include <string_view>

namespace qm {

// The text as it reads: tags dropped, <br> as a line break, entities decoded.
std::string PlainTextOfHtml(std::string_view html);

} // namespace qm
