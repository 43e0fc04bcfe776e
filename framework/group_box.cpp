#include "framework/group_box.h"

namespace qm {

const TypeInfo& TGroupBox::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TGroupBox>("TGroupBox", &TWinControl::StaticType, {});
    return kType;
}

TGroupBox::TGroupBox()
{
    SetBounds(Rect::FromBounds(0, 0, 185, 105));
    SetParentColor(true);
    SetTabStop(false);
}

WindowClass TGroupBox::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("BUTTON");
    return kClass;
}

LRESULT TGroupBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        // The system draws only the frame and caption: the inside is ours.
        RECT r;
        GetClientRect(Handle(), &r);
        HBRUSH brush = ControlColors(reinterpret_cast<HDC>(wParam));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        return 1;
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}

} // namespace qm
