#pragma once
// A pop-up menu described like any other component, with its items inside.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/component.h"

namespace qm {

class TMenuItem : public Component {
public:
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler) override;

    const std::string& Caption() const { return caption_; }
    bool IsSeparator() const { return caption_ == "-"; }
    bool IsDefault() const { return default_; }
    void Click();

    NotifyEvent OnClick;

private:
    std::string caption_;
    bool default_ = false;
};

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

class TPopupMenu : public Component {
public:
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler) override;
    void InsertChild(Component& child) override;
    bool AutoPopup() const { return autoPopup_; }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    TMenuItem* DefaultItem() const;

    // The menu as the system shows it; item identifiers are index + 1.
    MenuHandle CreateHandle() const;
    // Shows the menu at a screen point and clicks the chosen item.
    void Popup(int x, int y, HWND owner);

    // Raised just before the menu opens.
    NotifyEvent OnPopup;

private:
    bool autoPopup_ = true;
    std::vector<TMenuItem*> items_;
};

} // namespace qm
