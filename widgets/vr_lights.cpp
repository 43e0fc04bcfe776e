#include "widgets/vr_lights.h"

#include "framework/resources.h"
#include "platform/device_context.h"

namespace qm {

namespace {

constexpr std::string_view kStateNames[] = {"lsGreen", "lsYellow", "lsRed"};
constexpr std::string_view kOrderNames[] = {"loGreenToRed", "loRedToGreen"};
constexpr std::string_view kOrientationNames[] = {"voVertical", "voHorizontal"};
constexpr std::string_view kTypeNames[] = {"ltGlassRounded", "ltGlassRect", "ltGlassSquare", "ltGlassDiamond"};
constexpr const char* kTypeCodes[] = {"RND", "RECT", "SQR", "DMD"};

} // namespace

TVrLights::TVrLights()
{
    SetBounds(Rect::FromBounds(0, 0, 80, 45));
    SetColor(clBlack);
    SetLedType(ledType_);
}

const TypeInfo& TVrLights::StaticType()
{
    using L = TVrLights;
    static constexpr PropertyInfo kProperties[] = {
        SetProperty<L, &L::LedState, &L::SetLedState>("LedState", kStateNames),
        SetProperty<L, &L::LedsVisible, &L::SetLedsVisible>("LedsVisible", kStateNames),
        IntProperty<L, &L::spacing_, StoreAndRepaint<&L::spacing_>>("Spacing"),
        EnumProperty<L, &L::order_, StoreAndRepaint<&L::order_>>("Order", kOrderNames),
        EnumProperty<L, &L::orientation_, StoreAndRepaint<&L::orientation_>>("Orientation", kOrientationNames),
        EnumProperty<L, &L::LedType, &L::SetLedType>("LedType", kTypeNames),
    };
    static constexpr EventInfo kEvents[] = {MakeEvent<L, &L::OnChange>("OnChange")};
    static constexpr TypeInfo kType =
        ComponentType<L>("TVrLights", &TVrGraphicImageControl::StaticType, kProperties, kEvents);
    return kType;
}

void TVrLights::SetLedState(int state)
{
    if (state == ledState_)
        return;
    ledState_ = state;
    UpdateControlCanvas();
    ValueChanged();
    if (OnChange)
        OnChange(*this);
}

void TVrLights::SetLedsVisible(int visible)
{
    ledsVisible_ = visible;
    UpdateControlCanvas();
}

void TVrLights::SetLedType(TVrLightType type)
{
    ledType_ = type;
    const std::string code = kTypeCodes[static_cast<int>(type)];
    off_ = LoadBitmapResource("LIGHTS_" + code + "_OFF");
    on_ = LoadBitmapResource("LIGHTS_" + code + "_ON");
    UpdateControlCanvas();
}

void TVrLights::PaintContents(Canvas& canvas)
{
    if (!off_ || !on_)
        return;
    const SIZE size = BitmapSize(off_.Get());
    const int w = size.cx / 3, h = size.cy;
    MemoryDC offSource(canvas.Handle()), onSource(canvas.Handle());
    SelectGuard selectOff(offSource.Get(), off_.Get());
    SelectGuard selectOn(onSource.Get(), on_.Get());
    for (const PlacedLight& light :
         PlaceLights(Width(), Height(), ledsVisible_, order_, orientation_, w, h, spacing_)) {
        HDC source = (ledState_ & LightBit(light.light)) ? onSource.Get() : offSource.Get();
        canvas.DrawKeyed(Rect::FromBounds(light.bounds.left, light.bounds.top, w, h), source,
                         Rect::FromBounds(static_cast<int>(light.light) * w, 0, w, h), RGB(0, 0, 0));
    }
}

AccessibleFacts TVrLights::AccessibleDescription()
{
    AccessibleFacts facts = TControl::AccessibleDescription();
    facts.role = AccessibleRole::Indicator;
    facts.value = std::to_string(ledState_);
    return facts;
}

} // namespace qm
