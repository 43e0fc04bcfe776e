#pragma once
// A caption that can be drawn at an angle, plainly, embossed or shadowed.
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class LabelStyle { lsNone, lsRaised, lsLowered, lsShadow };

class TVrLabel : public TVrGraphicImageControl {
public:
    TVrLabel();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    bool IsLabel() const override { return true; }
    int Angle() const { return angle_; }
    void SetAngle(int degrees);

protected:
    void PaintContents(Canvas& canvas) override;
    void FontChanged() override;

private:
    void DrawAt(Canvas& canvas, HFONT font, int dx, int dy, Color color);

    LabelStyle style_ = LabelStyle::lsRaised;
    Color highlight_ = clWhite, shadow_ = clGray;
    int shadowDepth_ = 2;
    int angle_ = 0;
    Font rotated_;
};

} // namespace qm
