#include "framework/radio_button.h"

#include <algorithm>

namespace qm {

const TypeInfo& TRadioButton::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TRadioButton>("TRadioButton", &TButtonControl::StaticType, {});
    return kType;
}

TRadioButton::TRadioButton()
{
    SetBounds(Rect::FromBounds(0, 0, 113, 17));
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

std::vector<TRadioButton*> TRadioButton::Group() const
{
    if (!Parent())
        return {const_cast<TRadioButton*>(this)};
    const auto& siblings = Parent()->Controls();
    auto self = std::find(siblings.begin(), siblings.end(), this);
    auto first = self, last = self;
    while (first != siblings.begin() && dynamic_cast<TRadioButton*>(*(first - 1)))
        --first;
    while (last + 1 != siblings.end() && dynamic_cast<TRadioButton*>(*(last + 1)))
        ++last;
    std::vector<TRadioButton*> group;
    for (auto it = first; it <= last; ++it)
        group.push_back(static_cast<TRadioButton*>(*it));
    return group;
}

bool TRadioButton::TakesTabStop() const
{
    const std::vector<TRadioButton*> group = Group();
    const bool anyChecked = std::any_of(group.begin(), group.end(), [](TRadioButton* r) { return r->checked_; });
    return checked_ || (!anyChecked && group.front() == this);
}

DWORD TRadioButton::Style() const
{
    const DWORD style = TWinControl::Style() & ~static_cast<DWORD>(WS_TABSTOP);
    return TakesTabStop() ? style | WS_TABSTOP : style;
}

void TRadioButton::UpdateGroupTabStops()
{
    for (TRadioButton* radio : Group())
        radio->ChangeStyle(WS_TABSTOP, radio->TakesTabStop());
}

void TRadioButton::UncheckSiblings()
{
    if (!Parent())
        return;
    for (TControl* sibling : Parent()->Controls())
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this && radio->checked_) {
            radio->checked_ = false;
            radio->ShowCheck();
        }
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    ShowCheck();
    if (checked)
        UncheckSiblings();
    UpdateGroupTabStops();
    if (!IsLoading())
        Click();
}

bool TRadioButton::Command(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    if (CheckShown() && !checked_) {
        checked_ = true;
        UncheckSiblings();
        UpdateGroupTabStops();
        Click();
    }
    return true;
}

} // namespace qm
