#include "framework/win_control.h"

#include "framework/form.h"

namespace qm {

const TypeInfo& TWinControl::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TWinControl>("TWinControl", &TControl::StaticType, {});
    return kType;
}

TWinControl::TWinControl()
{
    SetTabStop(true);
}

DWORD TWinControl::Style() const
{
    return TControl::Style() | ControlStyle();
}

void TWinControl::HandleCreated()
{
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

LRESULT TWinControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Its hint is the form's to show; all else the system control does itself.
    if (message == WM_MOUSEMOVE && !Hint().empty())
        if (TForm* form = OwnerForm())
            form->PointerOverHint(*this, wParam, lParam);
    return DefaultHandling(message, wParam, lParam);
}

void TWinControl::PaintNow()
{
    // The system draws it, on its paint message.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool TWinControl::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        // Only this control's own notifications: the dialog manager also sends
        // IDOK with the focused control as the sender.
        return LOWORD(wParam) == ControlId() && Command(HIWORD(wParam));
    case WM_NOTIFY:
        return Notify(*reinterpret_cast<NMHDR*>(lParam), result);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (HBRUSH brush = ControlColors(reinterpret_cast<HDC>(wParam))) {
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        return false;
    default:
        return false;
    }
}

HBRUSH TWinControl::ControlColors(HDC dc)
{
    const Color color = GetColor();
    if (!background_ || backgroundColor_ != color) {
        background_.Reset(CreateSolidBrush(ToColorRef(color)));
        backgroundColor_ = color;
    }
    SetTextColor(dc, ToColorRef(Enabled() ? GetFont().color : clGrayText));
    SetBkColor(dc, ToColorRef(color));
    return background_.Get();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    if (Handle())
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

void TWinControl::ColorChanged()
{
    background_.Reset();
    if (Handle())
        InvalidateRect(Handle(), nullptr, TRUE);
}

std::string TWinControl::WindowText() const
{
    if (!Handle())
        return Caption();
    const int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(Handle(), text.data(), length + 1)));
    return text;
}

void TWinControl::ChangeStyle(DWORD bits, bool on)
{
    if (!Handle())
        return;
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, on ? (style | bits) : (style & ~static_cast<LONG_PTR>(bits)));
    InvalidateRect(Handle(), nullptr, TRUE);
}

} // namespace qm
