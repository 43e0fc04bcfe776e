#pragma once
#include "framework/control.h"
#include "framework/static_text.h"

namespace qm {

enum class Bevel { bvNone, bvLowered, bvRaised };

// A container with optional raised or lowered edges.
class TPanel : public TControl {
public:
    TPanel();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    Bevel BevelOuter() const { return outer_; }
    void SetBevelOuter(Bevel bevel);
    Bevel BevelInner() const { return inner_; }
    void SetBevelInner(Bevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // Space between the edges and the children.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    // A one-pixel black frame outside the bevels.
    bool SingleBorder() const { return singleBorder_; }
    void SetSingleBorder(bool on);
    // Where the caption goes, vertically centred.
    TextAlignment Alignment() const { return alignment_; }
    void SetAlignment(TextAlignment alignment);
    // The area inside the edges, where aligned children go.
    Rect ClientRect() const override;

protected:
    bool AcceptsControls() const override { return true; }
    void Paint(Canvas& canvas) override;
    void CaptionChanged() override { Invalidate(); }

private:
    Bevel outer_ = Bevel::bvRaised;
    Bevel inner_ = Bevel::bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool singleBorder_ = false;
    TextAlignment alignment_ = TextAlignment::taCenter;
};

} // namespace qm
