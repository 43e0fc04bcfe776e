#pragma once
// The hint window's style for the whole program. Hints are shown by the
// forms' tooltip controls; this keeps the configured font.
#include "framework/component.h"

namespace qm {

class TFlatHint : public Component {
public:
    bool ApplyProperty(std::string_view name, const FormValue& value) override
    {
        if (name == "Font.Name")
            fontName_ = value.AsString();
        else if (name == "Font.Height")
            fontHeight_ = value.AsInt();
        else
            return Component::ApplyProperty(name, value);
        return true;
    }

private:
    std::string fontName_ = "MS Sans Serif";
    int fontHeight_ = -11;
};

} // namespace qm
