#include "framework/check_box.h"

namespace qm {

const TypeInfo& TCheckBox::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TCheckBox, &TCheckBox::Checked, &TCheckBox::SetChecked>("Checked"),
    };
    static constexpr TypeInfo kType = ComponentType<TCheckBox>("TCheckBox", &TWinControl::StaticType, kProperties);
    return kType;
}

TCheckBox::TCheckBox()
{
    SetBounds(Rect::FromBounds(0, 0, 97, 17));
    SetParentColor(true);
}

WindowClass TCheckBox::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("BUTTON");
    return kClass;
}

void TCheckBox::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    if (Handle())
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!IsLoading())
        Click();
}

bool TCheckBox::Command(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    checked_ = SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    Click();
    return true;
}

} // namespace qm
