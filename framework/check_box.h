#pragma once
// The system check box. OnClick follows every change of Checked, whether the
// user clicked it or the program set it.
#include "framework/win_control.h"

namespace qm {

class TCheckBox : public TWinControl {
public:
    TCheckBox();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override { return BS_AUTOCHECKBOX; }
    void HandleCreated() override;
    bool Command(WORD code) override;

private:
    bool checked_ = false;
};

} // namespace qm
