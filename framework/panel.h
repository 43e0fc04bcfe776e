#pragma once
#include "framework/control.h"

namespace qm {

enum class Bevel { None, Lowered, Raised };

// A container with optional raised or lowered edges.
class TPanel : public TControl {
public:
    TPanel();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    Bevel BevelOuter() const { return outer_; }
    // The area inside the edges, where aligned children go.
    Rect ClientRect() const override;

protected:
    bool AcceptsControls() const override { return true; }
    void Paint(Canvas& canvas) override;

private:
    Bevel outer_ = Bevel::Raised;
    Bevel inner_ = Bevel::None;
    int bevelWidth_ = 1;
};

} // namespace qm
