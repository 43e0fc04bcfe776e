// A form's dialog keyboard and its memory of the focus: the window side of
// the rules in dialog_navigation.cpp. Tab, arrows and mnemonics go where
// the rules say; Enter and Escape press the default and cancel buttons; the
// control that had the focus has it again when the form is active again.
#include "framework/form.h"

#include "framework/button.h"
#include "framework/check_box.h"
#include "framework/dialog_navigation.h"
#include "framework/label.h"
#include "framework/radio_button.h"
#include "framework/static_text.h"
#include "framework/tab_control.h"

namespace qm {

namespace {

// The first button below `control` for which `wanted` holds and that can be pressed.
TButton* FindButton(TControl& control, bool (TButton::*wanted)() const)
{
    for (TControl* child : control.Controls()) {
        if (auto* button = dynamic_cast<TButton*>(child);
            button && (button->*wanted)() && button->Visible() && button->Enabled())
            return button;
        if (TButton* found = FindButton(*child, wanted))
            return found;
    }
    return nullptr;
}

TControl* ControlOf(HWND window)
{
    return dynamic_cast<TControl*>(WindowObject::FromHandle(window));
}

} // namespace

TControl* TForm::ActiveControl() const
{
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus))
        return ControlOf(focus);
    return savedFocus_ && IsWindow(savedFocus_) ? ControlOf(savedFocus_) : nullptr;
}

TButton* TForm::DefaultButton()
{
    return FindButton(*this, &TButton::Default);
}

bool TForm::PressDefaultButton()
{
    if (TButton* button = FindButton(*this, &TButton::Default)) {
        button->Click();
        return true;
    }
    return false;
}

bool TForm::PressCancelButton()
{
    if (TButton* button = FindButton(*this, &TButton::Cancel)) {
        button->Click();
        return true;
    }
    return false;
}

LRESULT TForm::DefaultButtonId() const
{
    // A focused push button is the default while it has the focus.
    if (auto* focused = dynamic_cast<TButton*>(ControlOf(GetFocus())); focused && IsChild(Handle(), focused->Handle()))
        return MAKELRESULT(GetDlgCtrlID(focused->Handle()), DC_HASDEFID);
    if (TButton* button = FindButton(const_cast<TForm&>(*this), &TButton::Default))
        return MAKELRESULT(GetDlgCtrlID(button->Handle()), DC_HASDEFID);
    return 0;
}

void TForm::AddNavigationNodes(TControl& parent, NavigationNode& node, std::vector<TControl*>& controls)
{
    for (TControl* control : parent.ControlsInTabOrder()) {
        if (!control->Handle())
            continue;
        NavigationNode child;
        child.id = static_cast<int>(controls.size());
        controls.push_back(control);
        child.visible = IsWindowVisible(control->Handle()) != FALSE;
        child.enabled = IsWindowEnabled(control->Handle()) != FALSE;
        child.tabStop = (GetWindowLongA(control->Handle(), GWL_STYLE) & WS_TABSTOP) != 0;
        using Kind = NavigationNode::Kind;
        if (dynamic_cast<TRadioButton*>(control))
            child.kind = Kind::Radio;
        else if (dynamic_cast<TButton*>(control) || dynamic_cast<TCheckBox*>(control))
            child.kind = Kind::Button;
        else if (dynamic_cast<TStaticText*>(control) || dynamic_cast<TLabel*>(control))
            child.kind = Kind::Label;
        else if (!control->Controls().empty() || dynamic_cast<TCustomTabControl*>(control))
            child.kind = Kind::Container;
        // A tab strip is a stop of its own before the pages it holds.
        child.focusable = dynamic_cast<TCustomTabControl*>(control) != nullptr;
        if (child.kind != Kind::Other)
            child.caption = control->Caption();
        AddNavigationNodes(*control, child, controls);
        node.children.push_back(std::move(child));
    }
}

NavigationNode TForm::NavigationTree(std::vector<TControl*>& controls)
{
    NavigationNode root;
    root.id = -1;
    root.kind = NavigationNode::Kind::Container;
    AddNavigationNodes(*this, root, controls);
    return root;
}

bool TForm::HandleDialogKey(const MSG& msg)
{
    const bool key = msg.message == WM_KEYDOWN;
    const bool mnemonic = msg.message == WM_SYSCHAR || msg.message == WM_CHAR;
    if (!key && !mnemonic)
        return false;
    // The control with the focus says which keys it wants for itself.
    const LRESULT wants = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (wants & DLGC_WANTMESSAGE)
        return false;
    std::vector<TControl*> controls;
    auto idOf = [&](HWND window) {
        for (HWND w = window; w && w != Handle(); w = GetParent(w))
            for (size_t i = 0; i < controls.size(); ++i)
                if (controls[i]->Handle() == w)
                    return static_cast<int>(i);
        return -1;
    };
    if (mnemonic) {
        const bool alt = msg.message == WM_SYSCHAR;
        if (!alt && (wants & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
            return false;
        const NavigationNode tree = NavigationTree(controls);
        const auto action = MnemonicTarget(tree, idOf(msg.hwnd), static_cast<char>(msg.wParam));
        if (!action)
            return false;
        TControl& target = *controls[static_cast<size_t>(action->id)];
        target.SetFocus();
        if (action->kind == MnemonicAction::Kind::Click)
            SendMessageA(target.Handle(), BM_CLICK, 0, 0);
        return true;
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
    case VK_TAB: {
        if (wants & (DLGC_WANTTAB | DLGC_WANTALLKEYS) && GetKeyState(VK_CONTROL) >= 0)
            return false;
        ShowFocusCues();
        const NavigationNode tree = NavigationTree(controls);
        if (const auto next = NextTabStop(tree, idOf(msg.hwnd), shift))
            MoveFocus(controls[static_cast<size_t>(*next)]->Handle(), false);
        return true;
    }
    case VK_RETURN:
        if (wants & DLGC_WANTALLKEYS)
            return false;
        // A focused push button takes Enter itself.
        if (auto* button = dynamic_cast<TButton*>(WindowObject::FromHandle(msg.hwnd))) {
            button->Click();
            return true;
        }
        if (auto* drawn = dynamic_cast<TControl*>(WindowObject::FromHandle(msg.hwnd)); drawn && drawn->IsPushButton()) {
            drawn->Click();
            return true;
        }
        return PressDefaultButton();
    case VK_ESCAPE:
        if (wants & DLGC_WANTALLKEYS)
            return false;
        if (PressCancelButton())
            return true;
        if (modal_) {
            modalResult_ = mrCancel;
            return true;
        }
        return false;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        if (wants & (DLGC_WANTARROWS | DLGC_WANTALLKEYS))
            return false;
        const NavigationNode tree = NavigationTree(controls);
        const auto next = NextInGroup(tree, idOf(msg.hwnd), msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        if (!next)
            return false;
        TControl& target = *controls[static_cast<size_t>(*next)];
        target.SetFocus();
        if (auto* radio = dynamic_cast<TRadioButton*>(&target))
            radio->SetChecked(true);
        return true;
    }
    default:
        return false;
    }
}

void TForm::ShowFocusCues()
{
    if (focusCues_)
        return;
    focusCues_ = true;
    if (HWND focus = GetFocus(); focus && IsChild(Handle(), focus))
        InvalidateRect(focus, nullptr, FALSE);
}

void TForm::MoveFocus(HWND target, bool previous)
{
    HWND current = GetFocus();
    HWND next = target ? target : GetNextDlgTabItem(Handle(), IsChild(Handle(), current) ? current : nullptr, previous);
    if (!next)
        return;
    ::SetFocus(next);
    // As in dialogs: an edit box reached by the keyboard selects its text.
    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(next, EM_SETSEL, 0, -1);
}

void TForm::RememberFocus()
{
    HWND focus = GetFocus();
    // Minimising moves the focus away first, and a hidden or minimised form
    // can be activated (a tray menu does it): keep what the user had before.
    if (focus && IsChild(Handle(), focus) && IsWindowVisible(Handle()) && !IsIconic(Handle()))
        savedFocus_ = focus;
}

void TForm::RestoreFocus()
{
    if (!IsWindowVisible(Handle()) || IsIconic(Handle()))
        return;
    if (savedFocus_ && IsWindow(savedFocus_) && IsChild(Handle(), savedFocus_) && IsWindowVisible(savedFocus_) &&
        IsWindowEnabled(savedFocus_)) {
        ::SetFocus(savedFocus_);
        return;
    }
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE); first && first != Handle())
        ::SetFocus(first);
}

} // namespace qm
