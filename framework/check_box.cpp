#include "framework/check_box.h"

namespace qm {

const TypeInfo& TButtonControl::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TButtonControl, &TButtonControl::Checked, &TButtonControl::SetChecked>("Checked"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TButtonControl>("TButtonControl", &TWinControl::StaticType, kProperties);
    return kType;
}

TButtonControl::TButtonControl()
{
    SetParentColor(true);
}

WindowClass TButtonControl::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("BUTTON");
    return kClass;
}

void TButtonControl::HandleCreated()
{
    TWinControl::HandleCreated();
    ShowCheck();
}

void TButtonControl::ShowCheck()
{
    if (Handle())
        SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::CheckShown() const
{
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

const TypeInfo& TCheckBox::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TCheckBox>("TCheckBox", &TButtonControl::StaticType, {});
    return kType;
}

TCheckBox::TCheckBox()
{
    SetBounds(Rect::FromBounds(0, 0, 97, 17));
}

void TCheckBox::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    ShowCheck();
    if (!IsLoading())
        Click();
}

bool TCheckBox::Command(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    checked_ = CheckShown();
    Click();
    return true;
}

const TypeInfo& TFlatCheckBox::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TFlatCheckBox>("TFlatCheckBox", &TCheckBox::StaticType, {});
    return kType;
}

} // namespace qm
