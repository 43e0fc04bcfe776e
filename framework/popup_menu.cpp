#include "framework/popup_menu.h"

namespace qm {

const TypeInfo& TMenuItem::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TMenuItem, &TMenuItem::Caption, &TMenuItem::SetCaption>("Caption"),
        BoolProperty<TMenuItem, &TMenuItem::IsDefault, &TMenuItem::SetDefault>("Default"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TMenuItem, &TMenuItem::OnClick>("OnClick"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TMenuItem>("TMenuItem", &Component::StaticType, kProperties, kEvents);
    return kType;
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(*this);
}

const TypeInfo& TPopupMenu::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TPopupMenu, &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup>("AutoPopup"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TPopupMenu, &TPopupMenu::OnPopup>("OnPopup"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TPopupMenu>("TPopupMenu", &Component::StaticType, kProperties, kEvents);
    return kType;
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
            AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.Get(), MF_STRING, i + 1, item.Caption().c_str());
        if (item.IsDefault())
            SetMenuDefaultItem(menu.Get(), static_cast<UINT>(i + 1), FALSE);
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
    UINT chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= items_.size())
        items_[chosen - 1]->Click();
}

} // namespace qm
