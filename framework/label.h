#pragma once
#include "framework/control.h"

namespace qm {

// One line of text over the parent's background; sized to its text.
class TLabel : public TControl {
public:
    TLabel();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    void CreateHandle(HWND parentWindow) override;

protected:
    void Paint(Canvas& canvas) override;

private:
    void FitToText();
    bool autoSize_ = true;
};

} // namespace qm
