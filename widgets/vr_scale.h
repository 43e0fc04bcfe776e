#pragma once
// A row of value labels beside a meter.
#include "framework/static_text.h"
#include "widgets/scale_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class TickMarks { tmNone, tmBoth, tmBottomRight, tmTopLeft };
enum class ScaleOrientation { voHorizontal, voVertical };
enum class TextLayout { tlTop, tlCenter, tlBottom };

class TVrScale : public TVrGraphicImageControl {
public:
    TVrScale();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    const ScaleOptions& Options() const { return options_; }
    ScaleOrientation Orientation() const;
    void SetOrientation(ScaleOrientation orientation);

protected:
    void PaintContents(Canvas& canvas) override;

private:
    ScaleOptions options_;
    TickMarks tickMarks_ = TickMarks::tmNone;
    int ticksWidth_ = 1, ticksHeight_ = 5, scaleOffset_ = 4;
    Color scaleColor_ = clGreen;
    TextAlignment alignment_ = TextAlignment::taCenter;
    TextLayout layout_ = TextLayout::tlCenter;
};

} // namespace qm
