#pragma once
// A rectangular LED inside a bevel, lit with a vertical gradient.
#include <functional>

#include "widgets/bevel_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

struct TVrPaletteEx {
    Color low1 = clMaroon, low2 = clBlack, high1 = clRed, high2 = clBlack;
};

enum class LedDrawStyle { dsNormal, dsOwnerDraw };

class TVrUserLed : public TVrGraphicControl {
public:
    TVrUserLed();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler) override;

    bool Active() const { return active_; }
    // A change repaints at once, so a blocking operation that follows shows it.
    void SetActive(bool active);
    const TVrBevel& Bevel() const { return bevel_; }

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
