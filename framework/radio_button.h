#pragma once
// The system radio button. The buttons next to each other in one container
// form a group: the arrow keys move within it and checking one unchecks the
// others.
#include "framework/check_box.h"

namespace qm {

class TRadioButton : public TButtonControl {
public:
    TRadioButton();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void SetChecked(bool checked) override;

protected:
    DWORD ControlStyle() const override;
    DWORD Style() const override;
    bool Command(WORD code) override;

private:
    // The radio buttons next to this one in its container, this one included.
    std::vector<TRadioButton*> Group() const;
    // Tab stops at the checked button of the group (the first when none is).
    bool TakesTabStop() const;
    void UpdateGroupTabStops();
    void UncheckSiblings();
};

} // namespace qm
