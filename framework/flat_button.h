#pragma once
#include "framework/control.h"
#include "platform/device_context.h"

namespace qm {

// A flat push button with a picture above its caption; its edge shows only
// under the mouse.
class TFlatButton : public TControl {
public:
    TFlatButton();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    bool IsPushButton() const override { return true; }

    // The picture's resource name.
    const std::string& Glyph() const { return glyphName_; }
    void SetGlyph(const std::string& resource);
    // Clicked in a modal form, closes it with this result.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    void Click() override;

protected:
    void Paint(Canvas& canvas) override;
    bool FollowsPointer() const override { return true; }
    void MouseEnter() override { Invalidate(); }
    void MouseLeave() override { Invalidate(); }

private:
    Bitmap glyph_;
    std::string glyphName_;
    int modalResult_ = 0;
};

} // namespace qm
