#include "framework/button.h"

#include "framework/form.h"

namespace qm {

const TypeInfo& TButton::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TButton, &TButton::Default, &TButton::SetDefault>("Default"),
        BoolProperty<TButton, &TButton::Cancel, &TButton::SetCancel>("Cancel"),
        EnumProperty<TButton, &TButton::ModalResult, &TButton::SetModalResult>("ModalResult", kModalResultNames),
    };
    static constexpr TypeInfo kType = ComponentType<TButton>("TButton", &TWinControl::StaticType, kProperties);
    return kType;
}

TButton::TButton()
{
    SetBounds(Rect::FromBounds(0, 0, 75, 25));
}

WindowClass TButton::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("BUTTON");
    return kClass;
}

DWORD TButton::ControlStyle() const
{
    return default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool on)
{
    default_ = on;
    if (Handle())
        SendMessageA(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

LRESULT TButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // As in dialogs: the focused push button looks like the default one, since
    // Enter presses it; the window's own default looks so again afterwards.
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        const bool focused = message == WM_SETFOCUS;
        SendMessageA(Handle(), BM_SETSTYLE, focused || default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        if (TForm* form = OwnerForm())
            if (TButton* designated = form->DefaultButton(); designated && designated != this && designated->Handle())
                SendMessageA(designated->Handle(), BM_SETSTYLE, focused ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}

bool TButton::Command(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    Click();
    return true;
}

void TButton::Click()
{
    TControl::Click();
    if (modalResult_ != 0)
        if (TForm* form = OwnerForm(); form && form->IsModal())
            form->SetModalResult(modalResult_);
}

} // namespace qm
