#pragma once
// The program's icon in the notification area, with its hint, its menu on the
// right button and its double-click action.
#include <windows.h>

#include <string>

#include "framework/component.h"
#include "framework/popup_menu.h"

namespace qm {

class TCoolTrayIcon : public Component {
public:
    static constexpr UINT kCallbackMessage = 0x800;

    TCoolTrayIcon();
    ~TCoolTrayIcon() override;

    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler) override;
    void Loaded() override;

    const std::string& Hint() const { return hint_; }
    // Updates the icon's hint at once; longer hints are cut to 127 characters.
    void SetHint(std::string hint);
    TPopupMenu* PopupMenu() const { return popup_; }
    bool IconShown() const { return shown_; }
    HWND CallbackWindow() const { return window_; }

    NotifyEvent OnDblClick;

    // What the icon reports, as the shell sends it (public for tests).
    void IconMessage(UINT mouseMessage);

private:
    bool Notify(DWORD action);
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    std::string hint_;
    std::string popupName_;
    TPopupMenu* popup_ = nullptr;
    bool minimizeToTray_ = false;
    int cycleInterval_ = 0;
    HICON icon_ = nullptr;
    HWND window_ = nullptr;
    bool shown_ = false;
    UINT taskbarCreated_ = 0;
};

} // namespace qm
