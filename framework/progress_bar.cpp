#include "framework/progress_bar.h"

#include <algorithm>

namespace qm {

const TypeInfo& TProgressBar::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TProgressBar, &TProgressBar::Min, &TProgressBar::SetMin>("Min"),
        IntProperty<TProgressBar, &TProgressBar::Max, &TProgressBar::SetMax>("Max"),
        IntProperty<TProgressBar, &TProgressBar::Position, &TProgressBar::SetPosition>("Position"),
        BoolProperty<TProgressBar, &TProgressBar::Smooth, &TProgressBar::SetSmooth>("Smooth"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TProgressBar>("TProgressBar", &TWinControl::StaticType, kProperties);
    return kType;
}

TProgressBar::TProgressBar()
{
    SetBounds(Rect::FromBounds(0, 0, 150, 16));
    SetTabStop(false);
}

WindowClass TProgressBar::ControlClass() const
{
    static const WindowClass kClass = CommonControlClass(PROGRESS_CLASSA);
    return kClass;
}

void TProgressBar::HandleCreated()
{
    TWinControl::HandleCreated();
    SendRange();
}

void TProgressBar::SendRange()
{
    if (!Handle())
        return;
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int min)
{
    min_ = min;
    position_ = std::max(position_, min_);
    SendRange();
}

void TProgressBar::SetMax(int max)
{
    max_ = max;
    position_ = std::min(position_, std::max(min_, max_));
    SendRange();
}

void TProgressBar::SetPosition(int position)
{
    position_ = std::clamp(position, min_, std::max(min_, max_));
    if (Handle())
        SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

} // namespace qm
