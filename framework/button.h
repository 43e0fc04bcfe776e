#pragma once
// The system push button. The default button answers Enter, the cancel
// button Escape, anywhere in its window; a button with a modal result ends
// its window's modal run with that result when pressed.
#include "framework/win_control.h"

namespace qm {

class TButton : public TWinControl {
public:
    TButton();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    void Click() override;

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    bool Command(WORD code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

} // namespace qm
