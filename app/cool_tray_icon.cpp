#include "app/cool_tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "framework/application.h"

namespace qm {

namespace {

constexpr char kWindowClass[] = "QuarrimondTrayIcon";
constexpr UINT kIconId = 1;

} // namespace

TCoolTrayIcon::TCoolTrayIcon()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TCoolTrayIcon::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    // A hidden top-level window: it hears the taskbar's restart broadcast,
    // which message-only windows never get.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 16, 16, 0));
}

TCoolTrayIcon::~TCoolTrayIcon()
{
    if (shown_)
        Notify(NIM_DELETE);
    if (icon_)
        DestroyIcon(icon_);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

bool TCoolTrayIcon::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Hint")
        hint_ = value.AsString();
    else if (name == "PopupMenu")
        popupName_ = value.AsIdentifier();
    else if (name == "MinimizeToTray")
        minimizeToTray_ = value.AsBool();
    else if (name == "CycleInterval")
        cycleInterval_ = value.AsInt();
    else
        return Component::ApplyProperty(name, value);
    return true;
}

bool TCoolTrayIcon::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event != "OnDblClick")
        return Component::BindEvent(event, handlers, handler);
    OnDblClick = handlers.Get<void(Component&)>(handler);
    return true;
}

void TCoolTrayIcon::Loaded()
{
    if (!popupName_.empty()) {
        popup_ = dynamic_cast<TPopupMenu*>(ResolveReference(popupName_));
        if (!popup_)
            throw EFormDescription("no pop-up menu named " + popupName_);
    }
    shown_ = Notify(NIM_ADD);
}

void TCoolTrayIcon::SetHint(std::string hint)
{
    // Set every second; the shell is asked only when the text changes.
    if (hint == hint_)
        return;
    hint_ = std::move(hint);
    if (shown_)
        Notify(NIM_MODIFY);
}

bool TCoolTrayIcon::Notify(DWORD action)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    // szTip holds 128 characters with the terminating NUL.
    std::strncpy(data.szTip, hint_.c_str(), sizeof(data.szTip) - 1);
    return Shell_NotifyIconA(action, &data) != FALSE;
}

void TCoolTrayIcon::IconMessage(UINT mouseMessage)
{
    switch (mouseMessage) {
    case WM_RBUTTONDOWN:
        if (popup_) {
            POINT cursor;
            GetCursorPos(&cursor);
            popup_->Popup(cursor.x, cursor.y, window_);
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick)
            OnDblClick(*this);
        if (popup_)
            if (TMenuItem* item = popup_->DefaultItem())
                item->Click();
        break;
    default:
        break;
    }
}

LRESULT CALLBACK TCoolTrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TCoolTrayIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        try {
            if (message == kCallbackMessage) {
                self->IconMessage(static_cast<UINT>(lParam));
                return 0;
            }
            if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
                self->shown_ = self->Notify(NIM_ADD);
                return 0;
            }
        } catch (...) {
            Application::Instance().HandleException(std::current_exception());
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace qm
