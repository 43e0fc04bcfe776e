#include "widgets/vr_label.h"

#include <cmath>

namespace qm {

TVrLabel::TVrLabel()
{
    SetBounds(Rect::FromBounds(0, 0, 140, 30));
    FontSpec font;
    font.name = "Arial";
    font.height = -19; // 14 pt
    SetFont(font);
}

const TypeInfo& TVrLabel::StaticType()
{
    using L = TVrLabel;
    static constexpr std::string_view kStyles[] = {"lsNone", "lsRaised", "lsLowered", "lsShadow"};
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<L, &L::Angle, &L::SetAngle>("Angle"),
        IntProperty<L, &L::shadowDepth_, StoreAndRepaint<&L::shadowDepth_>>("ShadowDepth"),
        ColorProperty<L, &L::highlight_, StoreAndRepaint<&L::highlight_>>("ColorHighlight"),
        ColorProperty<L, &L::shadow_, StoreAndRepaint<&L::shadow_>>("ColorShadow"),
        EnumProperty<L, &L::style_, StoreAndRepaint<&L::style_>>("Style", kStyles),
    };
    static constexpr TypeInfo kType = ComponentType<L>("TVrLabel", &TVrGraphicImageControl::StaticType, kProperties);
    return kType;
}

void TVrLabel::SetAngle(int degrees)
{
    angle_ = ((degrees % 360) + 360) % 360;
    rotated_.Reset();
    UpdateControlCanvas();
}

void TVrLabel::FontChanged()
{
    rotated_.Reset();
    TVrGraphicImageControl::FontChanged();
}

void TVrLabel::DrawAt(Canvas& canvas, HFONT font, int dx, int dy, Color color)
{
    HDC dc = canvas.Handle();
    SelectGuard select(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, Caption().c_str(), static_cast<int>(Caption().size()), &extent);
    // Place the rotated text so that its box is centred in the control.
    const double radians = angle_ * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    const double centerX = Width() / 2.0, centerY = Height() / 2.0;
    const double offsetX = extent.cx / 2.0 * c + extent.cy / 2.0 * s;
    const double offsetY = -extent.cx / 2.0 * s + extent.cy / 2.0 * c;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(color));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    TextOutA(dc, static_cast<int>(std::lround(centerX - offsetX)) + dx,
             static_cast<int>(std::lround(centerY - offsetY)) + dy, Caption().c_str(),
             static_cast<int>(Caption().size()));
}

void TVrLabel::PaintContents(Canvas& canvas)
{
    if (!rotated_) {
        FontSpec spec = GetFont();
        spec.angleTenths = angle_ * 10;
        rotated_ = CreateFontFrom(spec, Dpi());
    }
    const Color text = GetFont().color;
    switch (style_) {
    case LabelStyle::lsNone:
        break;
    case LabelStyle::lsRaised:
        DrawAt(canvas, rotated_.Get(), -1, -1, highlight_);
        DrawAt(canvas, rotated_.Get(), 1, 1, shadow_);
        break;
    case LabelStyle::lsLowered:
        DrawAt(canvas, rotated_.Get(), -1, -1, shadow_);
        DrawAt(canvas, rotated_.Get(), 1, 1, highlight_);
        break;
    case LabelStyle::lsShadow:
        DrawAt(canvas, rotated_.Get(), shadowDepth_, shadowDepth_, shadow_);
        break;
    }
    DrawAt(canvas, rotated_.Get(), 0, 0, text);
}

} // namespace qm
