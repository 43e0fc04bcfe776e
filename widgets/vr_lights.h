#pragma once
// A strip of up to three glass lights, green, yellow and red, each on or off.
#include "widgets/lights_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class TVrLightType { ltGlassRounded, ltGlassRect, ltGlassSquare, ltGlassDiamond };

class TVrLights : public TVrGraphicImageControl {
public:
    TVrLights();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    AccessibleFacts AccessibleDescription() override;

    // Sets of lights as bits (LightBit).
    int LedState() const { return ledState_; }
    void SetLedState(int state);
    int LedsVisible() const { return ledsVisible_; }
    void SetLedsVisible(int visible);
    TVrLightType LedType() const { return ledType_; }
    void SetLedType(TVrLightType type);

    NotifyEvent OnChange;

protected:
    void PaintContents(Canvas& canvas) override;

private:
    int ledState_ = 0;
    int ledsVisible_ = 7;
    int spacing_ = 5;
    TVrLightsOrder order_ = TVrLightsOrder::loGreenToRed;
    TVrOrientation orientation_ = TVrOrientation::voHorizontal;
    TVrLightType ledType_ = TVrLightType::ltGlassRect;
    Bitmap off_, on_; // green, yellow and red side by side
};

} // namespace qm
