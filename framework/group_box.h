#pragma once
// The system group box: an etched frame with a caption around other controls.
#include "framework/win_control.h"

namespace qm {

class TGroupBox : public TWinControl {
public:
    TGroupBox();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override { return BS_GROUPBOX; }
    bool AcceptsControls() const override { return true; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace qm
