#pragma once
// The hint window's style for the whole program. Hints are shown by the
// forms' tooltip controls in the system's tooltip font, so the stored font
// is kept and not used.
#include "framework/control.h"

namespace qm {

class TFlatHint : public Component {
public:
    static const TypeInfo& StaticType()
    {
        static constexpr PropertyInfo kProperties[] = {
            ObjectProperty<TFlatHint, FontSpec, [](TFlatHint& hint, bool) { return &hint.font_; }>("Font"),
        };
        static constexpr TypeInfo kType = ComponentType<TFlatHint>("TFlatHint", &Component::StaticType, kProperties);
        return kType;
    }
    const TypeInfo& Type() const override { return StaticType(); }

private:
    FontSpec font_;
};

} // namespace qm
