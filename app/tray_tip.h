#pragma once
#include <string>

namespace qm {

// What the shell gets as the icon's tooltip: at most 127 characters, or
// nothing when hints are off.
inline std::string TrayTip(const std::string& hint, bool showHint)
{
    return showHint ? hint.substr(0, 127) : std::string();
}

} // namespace qm
