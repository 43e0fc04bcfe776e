#pragma once
// A seven-segment number display drawn from a digit-strip picture.
#include "platform/device_context.h"
#include "widgets/num_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class NumStyle { ns13x24, ns11x20, ns7x13, ns12x17, ns5x7 };

struct TVrPalette {
    Color low = clGreen;
    Color high = clLime;
    static const TypeInfo& StaticType();
};

class TVrCustomNum : public TVrGraphicImageControl {
public:
    TVrCustomNum();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    AccessibleFacts AccessibleDescription() override;
    void Loaded() override;

    int Value() const { return value_; }
    // Clamped into [Min, Max]; repaints and raises OnChange only on a change.
    void SetValue(int value);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int min);
    void SetMax(int max);
    int Digits() const { return options_.digits; }
    void SetDigits(int digits);
    NumStyle GetStyle() const { return style_; }
    void SetStyle(NumStyle style);
    const TVrPalette& Palette() const { return palette_; }
    void SetPalette(const TVrPalette& palette);
    const NumOptions& Options() const { return options_; }
    SIZE CellSize() const { return cellSize_; }

    NotifyEvent OnChange;

protected:
    void PaintContents(Canvas& canvas) override;

private:
    void LoadStrip();
    void AdjustSize();

    int value_ = 0;
    int min_ = 0, max_ = 9999;
    NumOptions options_;
    NumStyle style_ = NumStyle::ns13x24;
    TVrPalette palette_;
    bool autoSize_ = false;
    Bitmap strip_;
    SIZE cellSize_{0, 0};
};

class TVrNum : public TVrCustomNum {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
};

} // namespace qm
