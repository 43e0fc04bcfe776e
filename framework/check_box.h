#pragma once
// The system check box and what it shares with the radio button: a button
// window whose check mark follows Checked. OnClick follows every change of
// Checked, whether the user clicked or the program set it.
#include "framework/win_control.h"

namespace qm {

class TButtonControl : public TWinControl {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked) = 0;

protected:
    TButtonControl();
    WindowClass ControlClass() const override;
    void HandleCreated() override;
    // Shows the check mark as Checked says.
    void ShowCheck();
    // The check mark as the user left it.
    bool CheckShown() const;

    bool checked_ = false;
};

class TCheckBox : public TButtonControl {
public:
    TCheckBox();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void SetChecked(bool checked) override;

protected:
    DWORD ControlStyle() const override { return BS_AUTOCHECKBOX; }
    bool Command(WORD code) override;
};

// The same box drawn flat, without the sunken edge.
class TFlatCheckBox : public TCheckBox {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

protected:
    DWORD ControlStyle() const override { return BS_AUTOCHECKBOX | BS_FLAT; }
};

} // namespace qm
