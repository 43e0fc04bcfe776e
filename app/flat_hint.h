#pragma once
// The hint window's style for the whole program. Hints are shown by the
// forms' tooltip controls in the system's tooltip font, so the stored font
// is accepted and not used.
#include "framework/component.h"

namespace qm {

class TFlatHint : public Component {
public:
    bool ApplyProperty(std::string_view name, const FormValue& value) override
    {
        if (name == "Font.Name")
            (void)value.AsString();
        else if (name == "Font.Height")
            (void)value.AsInt();
        else
            return Component::ApplyProperty(name, value);
        return true;
    }
};

} // namespace qm
