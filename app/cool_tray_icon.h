#pragma once
// The program's icon in the notification area: its hint, its menu on the
// right button, clicks and double clicks, and minimising to the tray.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/form.h"
#include "framework/message_window.h"
#include "framework/popup_menu.h"
#include "platform/system_services.h"

namespace qm {

enum class TrayMouseButton { Left, Right, Middle };
// Shift state bits, as the events report them.
inline constexpr int ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;
using TrayMouseEvent = std::function<void(Component& sender, TrayMouseButton button, int shift, int x, int y)>;
using TrayMoveEvent = std::function<void(Component& sender, int shift, int x, int y)>;

class TCoolTrayIcon : public Component, private TForm::MessageHook {
public:
    static constexpr UINT kCallbackMessage = 0x800;
    static constexpr unsigned kIconId = 1;

    TCoolTrayIcon();
    ~TCoolTrayIcon() override;

    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    const std::string& Hint() const { return hint_; }
    // Sends the icon's record to the shell at once, even for the same text.
    void SetHint(std::string hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on);
    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool visible);
    void ShowIcon();
    void HideIcon();
    TPopupMenu* PopupMenu() const { return popup_; }
    HWND IconWindow() const { return window_.Handle(); }
    UINT TaskbarCreatedMessage() const { return taskbarCreated_; }

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    TrayMouseEvent OnMouseDown;
    TrayMouseEvent OnMouseUp;
    TrayMoveEvent OnMouseMove;

private:
    bool FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ModifyIcon();
    TrayIconData Record() const;
    void IconMessage(UINT mouseMessage);
    void DoubleClickTimerTick();
    void PopupAtCursor();
    bool WindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    std::string hint_;
    bool showHint_ = true;
    bool iconVisible_ = true;
    bool enabled_ = true;
    bool leftPopup_ = false;
    bool minimizeToTray_ = false;
    bool startMinimized_ = false;
    int cycleInterval_ = 0;
    bool cycleIcons_ = false;
    std::string popupName_;
    TPopupMenu* popup_ = nullptr;
    TForm* owner_ = nullptr;
    void SetIcon(const std::string& resource);
    IconHandle icon_;
    std::string iconName_;
    UINT taskbarCreated_ = 0;
    bool leftDown_ = false, clickPending_ = false, doubleClickSeen_ = false, doubleClickTimerOn_ = false;
    // A hidden top-level window: it hears the taskbar's restart broadcast,
    // which message-only windows never get.
    MessageWindow window_;
};

} // namespace qm
