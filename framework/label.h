#pragma once
#include "framework/control.h"
#include "framework/static_text.h"

namespace qm {

enum class ShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// One line of text over the parent's background; sized to its text unless
// AutoSize is off. A shadow, when it has a size, is the text again in the
// shadow colour, offset toward ShadowPos.
class TLabel : public TControl {
public:
    TLabel();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    bool IsLabel() const override { return true; }
    void CreateHandle(HWND parentWindow) override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TextAlignment Alignment() const { return alignment_; }
    void SetAlignment(TextAlignment alignment);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    ShadowPosition ShadowPos() const { return shadowPos_; }
    void SetShadowPos(ShadowPosition position);
    Color ShadowColor() const { return shadowColor_; }
    void SetShadowColor(Color color);

protected:
    void Paint(Canvas& canvas) override;
    void CaptionChanged() override { FitToText(); }
    void FontChanged() override;

private:
    void FitToText();
    void MeasureAndFit();
    bool autoSize_ = true;
    TextAlignment alignment_ = TextAlignment::taLeftJustify;
    int shadowSize_ = 0;
    ShadowPosition shadowPos_ = ShadowPosition::spLeftTop;
    Color shadowColor_ = clBtnHighlight;
};

} // namespace qm
