#pragma once
#include "framework/control.h"
#include "framework/gdi.h"

namespace qm {

// A flat push button with a picture above its caption; its edge shows only
// under the mouse.
class TFlatButton : public TControl {
public:
    TFlatButton();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;

protected:
    void Paint(Canvas& canvas) override;
    void MouseEnter() override { Invalidate(); }
    void MouseLeave() override { Invalidate(); }

private:
    Bitmap glyph_;
};

} // namespace qm
