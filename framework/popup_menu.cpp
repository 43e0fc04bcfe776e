#include "framework/popup_menu.h"

namespace qm {

bool TMenuItem::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Caption") {
        caption_ = value.AsString();
        return true;
    }
    if (name == "Default") {
        default_ = value.AsBool();
        return true;
    }
    return Component::ApplyProperty(name, value);
}

bool TMenuItem::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event != "OnClick")
        return Component::BindEvent(event, handlers, handler);
    OnClick = handlers.Get<void(Component&)>(handler);
    return true;
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(*this);
}

bool TPopupMenu::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name != "AutoPopup")
        return Component::ApplyProperty(name, value);
    autoPopup_ = value.AsBool();
    return true;
}

bool TPopupMenu::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event != "OnPopup")
        return Component::BindEvent(event, handlers, handler);
    OnPopup = handlers.Get<void(Component&)>(handler);
    return true;
}

void TPopupMenu::InsertChild(Component& child)
{
    auto* item = dynamic_cast<TMenuItem*>(&child);
    if (!item) {
        Component::InsertChild(child);
        return;
    }
    items_.push_back(item);
}

TMenuItem* TPopupMenu::DefaultItem() const
{
    for (TMenuItem* item : items_)
        if (item->IsDefault())
            return item;
    return nullptr;
}

MenuHandle TPopupMenu::CreateHandle() const
{
    MenuHandle menu(CreatePopupMenu());
    for (size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem& item = *items_[i];
        if (item.IsSeparator())
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.get(), MF_STRING, i + 1, item.Caption().c_str());
        if (item.IsDefault())
            SetMenuDefaultItem(menu.get(), static_cast<UINT>(i + 1), FALSE);
    }
    return menu;
}

void TPopupMenu::Popup(int x, int y, HWND owner)
{
    if (OnPopup)
        OnPopup(*this);
    MenuHandle menu = CreateHandle();
    // Without the owner in front the menu would not close when clicking elsewhere.
    SetForegroundWindow(owner);
    UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= items_.size())
        items_[chosen - 1]->Click();
}

} // namespace qm
