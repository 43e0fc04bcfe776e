#include "framework/radio_button.h"

#include <algorithm>

namespace qm {

const TypeInfo& TRadioButton::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TRadioButton, &TRadioButton::Checked, &TRadioButton::SetChecked>("Checked"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TRadioButton>("TRadioButton", &TWinControl::StaticType, kProperties);
    return kType;
}

TRadioButton::TRadioButton()
{
    SetBounds(Rect::FromBounds(0, 0, 113, 17));
    SetParentColor(true);
}

WindowClass TRadioButton::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("BUTTON");
    return kClass;
}

DWORD TRadioButton::ControlStyle() const
{
    // The first of a run of radio buttons starts the group.
    DWORD style = BS_AUTORADIOBUTTON;
    if (Parent()) {
        const auto& siblings = Parent()->Controls();
        auto it = std::find(siblings.begin(), siblings.end(), this);
        if (it == siblings.begin() || !dynamic_cast<TRadioButton*>(*(it - 1)))
            style |= WS_GROUP;
    }
    return style;
}

void TRadioButton::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::UncheckSiblings()
{
    if (!Parent())
        return;
    for (TControl* sibling : Parent()->Controls())
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this && radio->checked_) {
            radio->checked_ = false;
            if (radio->Handle())
                SendMessageA(radio->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
        }
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    if (Handle())
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (checked)
        UncheckSiblings();
    if (!IsLoading())
        Click();
}

bool TRadioButton::Command(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    const bool checked = SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked && !checked_) {
        checked_ = true;
        UncheckSiblings();
        Click();
    }
    return true;
}

} // namespace qm
