#pragma once
// A rectangular LED inside a bevel, lit with a vertical gradient.
#include <functional>

#include "widgets/bevel_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

struct TVrPaletteEx {
    Color low1 = clMaroon, low2 = clBlack, high1 = clRed, high2 = clBlack;
    static const TypeInfo& StaticType();
};

enum class LedDrawStyle { dsNormal, dsOwnerDraw };

class TVrUserLed : public TVrGraphicControl {
public:
    TVrUserLed();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    AccessibleFacts AccessibleDescription() override;

    bool Active() const { return active_; }
    // A change repaints at once, so a blocking operation that follows shows it.
    void SetActive(bool active);
    const TVrBevel& Bevel() const { return bevel_; }
    Color OutlineColor() const { return outlineColor_; }
    void SetOutlineColor(Color color);
    int OutlineWidth() const { return outlineWidth_; }
    void SetOutlineWidth(int width);
    LedDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(LedDrawStyle style);

    NotifyEvent OnChange;
    std::function<void(Component& sender, Canvas& canvas, const Rect& rect)> OnDraw;

protected:
    void Paint(Canvas& canvas) override;

private:
    bool active_ = false;
    TVrPaletteEx palette_;
    TVrBevel bevel_;
    Color outlineColor_ = clBlack;
    int outlineWidth_ = 0;
    LedDrawStyle drawStyle_ = LedDrawStyle::dsNormal;
};

} // namespace qm
