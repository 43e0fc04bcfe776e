#pragma once
#include "framework/control.h"

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
    // The area inside the edges, where aligned children go.
    Rect ClientRect() const override;

protected:
    bool AcceptsControls() const override { return true; }
    void Paint(Canvas& canvas) override;

private:
    Bevel outer_ = Bevel::bvRaised;
    Bevel inner_ = Bevel::bvNone;
    int bevelWidth_ = 1;
};

} // namespace qm
