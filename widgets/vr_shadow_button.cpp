#include "widgets/vr_shadow_button.h"

#include <algorithm>

namespace qm {

namespace {

constexpr std::string_view kStyles[] = {"ssRectangle", "ssRoundRect"};
constexpr std::string_view kDirections[] = {"sdTopLeft", "sdTopRight", "sdBottomLeft", "sdBottomRight"};
constexpr std::string_view kTextAligns[] = {"vtaLeft",     "vtaCenter",     "vtaRight",  "vtaTopLeft",    "vtaTop",
                                            "vtaTopRight", "vtaBottomLeft", "vtaBottom", "vtaBottomRight"};
constexpr UINT kTextAlignFlags[] = {DT_LEFT | DT_VCENTER, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_VCENTER,
                                    DT_LEFT | DT_TOP,     DT_CENTER | DT_TOP,     DT_RIGHT | DT_TOP,
                                    DT_LEFT | DT_BOTTOM,  DT_CENTER | DT_BOTTOM,  DT_RIGHT | DT_BOTTOM};

} // namespace

TVrShadowButton::TVrShadowButton()
{
    SetBounds(Rect::FromBounds(0, 0, 110, 30));
    SetParentColor(true);
    FontSpec font;
    font.color = clWhite;
    SetFont(font);
}

const TypeInfo& TVrShadowButton::StaticType()
{
    using B = TVrShadowButton;
    static constexpr PropertyInfo kProperties[] = {
        ColorProperty<B, &B::brush_, StoreAndRepaint<&B::brush_>>("Brush.Color"),
        ColorProperty<B, &B::pen_, StoreAndRepaint<&B::pen_>>("Pen.Color"),
        IntProperty<B, &B::penWidth_, StoreAndRepaint<&B::penWidth_>>("Pen.Width"),
        IntProperty<B, &B::Depth, &B::SetDepth>("Depth"),
        IntProperty<B, &B::depthAdjust_, StoreAndRepaint<&B::depthAdjust_>>("DepthAdjust"),
        ColorProperty<B, &B::shadowColor_, StoreAndRepaint<&B::shadowColor_>>("ShadowColor"),
        ColorProperty<B, &B::shadowOutline_, StoreAndRepaint<&B::shadowOutline_>>("ShadowOutline"),
        EnumProperty<B, &B::style_, StoreAndRepaint<&B::style_>>("Style", kStyles),
        EnumProperty<B, &B::direction_, StoreAndRepaint<&B::direction_>>("Direction", kDirections),
        EnumProperty<B, &B::textAlign_, StoreAndRepaint<&B::textAlign_>>("TextAlign", kTextAligns),
        ColorProperty<B, &B::disabledText_, StoreAndRepaint<&B::disabledText_>>("DisabledTextColor"),
    };
    static constexpr TypeInfo kType =
        ComponentType<B>("TVrShadowButton", &TVrGraphicImageControl::StaticType, kProperties);
    return kType;
}

void TVrShadowButton::SetDepth(int depth)
{
    if (depth <= 2)
        return;
    depth_ = depth;
    UpdateControlCanvas();
}

void TVrShadowButton::PaintContents(Canvas& canvas)
{
    HDC dc = canvas.Handle();
    // ShadowDirection follows the order of the stored names.
    ShadowButtonShapes shapes = LayoutShadowButton(ClientRect(), penWidth_, depth_, depthAdjust_, direction_, pressed_);
    auto drawShape = [&](const Rect& r) {
        int shrink = penWidth_ == 0 ? 1 : 0;
        if (style_ == ShadowButtonStyle::ssRectangle) {
            Rectangle(dc, r.left, r.top, r.right - shrink, r.bottom - shrink);
        } else {
            int corner = std::min(r.Width(), r.Height()) / 4;
            RoundRect(dc, r.left, r.top, r.right - shrink, r.bottom - shrink, corner, corner);
        }
    };
    {
        Pen pen(CreatePen(PS_SOLID, 1, ToColorRef(shadowOutline_)));
        Brush brush(CreateSolidBrush(ToColorRef(shadowColor_)));
        SelectGuard selectPen(dc, pen.Get());
        SelectGuard selectBrush(dc, brush.Get());
        drawShape(shapes.shadow);
    }
    {
        Pen pen(penWidth_ > 0 ? CreatePen(PS_SOLID, penWidth_, ToColorRef(pen_)) : CreatePen(PS_NULL, 0, 0));
        Brush brush(CreateSolidBrush(ToColorRef(brush_)));
        SelectGuard selectPen(dc, pen.Get());
        SelectGuard selectBrush(dc, brush.Get());
        drawShape(shapes.face);
    }
    Rect text = shapes.face.Inflated(-penWidth_, -penWidth_);
    canvas.DrawText(Caption(), text, FontHandle(), Enabled() ? GetFont().color : disabledText_,
                    kTextAlignFlags[textAlign_] | DT_SINGLELINE);
    face_ = shapes.face;
}

void TVrShadowButton::MouseDown(int x, int y)
{
    if (!face_.Contains(x, y))
        return;
    tracking_ = pressed_ = true;
    SetCapture(Handle());
    Repaint();
}

void TVrShadowButton::MouseMove(int x, int y)
{
    if (!tracking_)
        return;
    bool inside = face_.Contains(x, y);
    if (inside != pressed_) {
        pressed_ = inside;
        Repaint();
    }
}

void TVrShadowButton::MouseUp(int, int)
{
    if (GetCapture() == Handle())
        ReleaseCapture();
    const bool click = tracking_ && pressed_;
    tracking_ = pressed_ = false;
    Repaint();
    if (click)
        Click();
}

} // namespace qm
