#pragma once
// A bar filled from the start colour toward the end colour as the position
// advances, inside a lowered bevel.
#include "widgets/bevel_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

class TVrProgressBar : public TVrGraphicImageControl {
public:
    TVrProgressBar();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    int Position() const { return position_; }
    void SetPosition(int position);

protected:
    void PaintContents(Canvas& canvas) override;

private:
    int minValue_ = 0, maxValue_ = 100, position_ = 100, step_ = 10;
    Color startColor_ = clNavy, endColor_ = clAqua;
    TVrBevel bevel_;
};

} // namespace qm
