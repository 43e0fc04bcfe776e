#include "framework/static_text.h"

namespace qm {

const TypeInfo& TStaticText::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<TStaticText, &TStaticText::Alignment, &TStaticText::SetAlignment>("Alignment",
                                                                                       kTextAlignmentNames),
    };
    static constexpr TypeInfo kType = ComponentType<TStaticText>("TStaticText", &TWinControl::StaticType, kProperties);
    return kType;
}

TStaticText::TStaticText()
{
    SetBounds(Rect::FromBounds(0, 0, 65, 17));
    SetParentColor(true);
    SetTabStop(false);
}

WindowClass TStaticText::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("STATIC");
    return kClass;
}

DWORD TStaticText::ControlStyle() const
{
    switch (alignment_) {
    case TextAlignment::taRightJustify:
        return SS_RIGHT;
    case TextAlignment::taCenter:
        return SS_CENTER;
    case TextAlignment::taLeftJustify:
        break;
    }
    return SS_LEFT;
}

void TStaticText::SetAlignment(TextAlignment alignment)
{
    alignment_ = alignment;
    ChangeStyle(SS_LEFT | SS_RIGHT | SS_CENTER, false);
    ChangeStyle(ControlStyle(), true);
}

} // namespace qm
