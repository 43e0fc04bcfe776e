#pragma once
// A pop-up menu described like any other component, with its items inside.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/component.h"
#include "platform/unique_resource.h"

namespace qm {

class TMenuItem : public Component {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    void SetDefault(bool on) { default_ = on; }
    bool IsSeparator() const { return caption_ == "-"; }
    bool IsDefault() const { return default_; }
    void Click();

    NotifyEvent OnClick;

private:
    std::string caption_;
    bool default_ = false;
};

class TPopupMenu : public Component {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void InsertChild(Component& child) override;
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool on) { autoPopup_ = on; }
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
