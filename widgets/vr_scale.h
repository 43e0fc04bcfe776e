#pragma once
// A row of value labels beside a meter.
#include "widgets/scale_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class TickMarks { tmNone, tmBoth, tmBottomRight, tmTopLeft };

class TVrScale : public TVrGraphicImageControl {
public:
    TVrScale();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    const ScaleOptions& Options() const { return options_; }

protected:
    void PaintContents(Canvas& canvas) override;

private:
    ScaleOptions options_;
    TickMarks tickMarks_ = TickMarks::tmNone;
    int ticksWidth_ = 1, ticksHeight_ = 5, scaleOffset_ = 4;
    Color scaleColor_ = clGreen;
    UINT alignment_ = DT_CENTER;
    UINT layout_ = DT_VCENTER;
};

} // namespace qm
