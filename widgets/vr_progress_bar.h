#pragma once
// A bar filled with a colour gradient, drawn as separate blocks (or one
// smooth bar) inside a bevel; stepped by Advance.
#include <string>

#include "widgets/bevel_layout.h"
#include "widgets/progress_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class TVrProgressBarFill { pfPlain, pfGradient, pfBitmap };

class TVrProgressBar : public TVrGraphicImageControl {
public:
    TVrProgressBar();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    AccessibleFacts AccessibleDescription() override;

    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Position() const { return position_; }
    void SetPosition(int position);
    int Step() const { return step_; }
    // Position + Step, kept within the range.
    void Advance() { SetPosition(position_ + step_); }
    TVrOrientation Orientation() const { return orientation_; }
    void SetOrientation(TVrOrientation orientation);

    // The fill is drawn again at the next paint (colours or kind changed).
    void MarkDirty();

    NotifyEvent OnChange;

protected:
    void PaintContents(Canvas& canvas) override;

private:
    void BuildFill(HDC compatible, int width, int height);

    int minValue_ = 0, maxValue_ = 100, position_ = 100, step_ = 10;
    Color startColor_ = clNavy, endColor_ = clAqua;
    TVrProgressBarFill fillType_ = TVrProgressBarFill::pfGradient;
    bool smooth_ = false;
    TVrOrientation orientation_ = TVrOrientation::voHorizontal;
    TVrBevel bevel_;
    std::string bitmapName_;
    Bitmap bitmap_;

    // The fill drawn once for the inner size, then copied block by block.
    Bitmap fill_;
    SIZE fillSize_{0, 0};
    bool dirty_ = true;
};

} // namespace qm
