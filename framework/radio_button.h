#pragma once
// The system radio button. The buttons next to each other in one container
// form a group: the arrow keys move within it and checking one unchecks the
// others.
#include "framework/win_control.h"

namespace qm {

class TRadioButton : public TWinControl {
public:
    TRadioButton();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    void HandleCreated() override;
    bool Command(WORD code) override;

private:
    void UncheckSiblings();
    bool checked_ = false;
};

} // namespace qm
