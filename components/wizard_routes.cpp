#include "components/wizard_routes.h"

#include <algorithm>

#include "platform/text_case.h"

namespace qm {

std::string InvalidPageIndexText(int index, int maxIndex)
{
    return std::to_string(index) + " is an invalid PageIndex value.  PageIndex must be between 0 and " +
        std::to_string(maxIndex);
}

bool SameRouteName(const std::string& a, const std::string& b)
{
    return EqualIgnoringCase(a, b);
}

std::string NewRouteName(const std::vector<std::string>& existing)
{
    for (int n = 1;; ++n) {
        const std::string name = "Route" + std::to_string(n);
        if (std::none_of(existing.begin(), existing.end(),
                         [&](const std::string& e) { return SameRouteName(e, name); }))
            return name;
    }
}

} // namespace qm
