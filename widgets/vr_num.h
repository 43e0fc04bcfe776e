#pragma once
// A seven-segment number display drawn from a digit-strip picture.
#include "framework/gdi.h"
#include "widgets/num_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class NumStyle { ns13x24, ns11x20, ns7x13, ns12x17, ns5x7 };

struct TVrPalette {
    Color low = clGreen;
    Color high = clLime;
};

class TVrCustomNum : public TVrGraphicImageControl {
public:
    TVrCustomNum();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler) override;
    void Loaded() override;

    int Value() const { return value_; }
    // Clamped into [Min, Max]; repaints and raises OnChange only on a change.
    void SetValue(int value);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int min);
    void SetMax(int max);
    void SetDigits(int digits);
    void SetStyle(NumStyle style);
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

class TVrNum : public TVrCustomNum {};

} // namespace qm
