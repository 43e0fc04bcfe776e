#include "app/cool_tray_icon.h"

#include <windowsx.h>

#include "app/tray_tip.h"
#include "framework/application.h"

namespace qm {

namespace {

constexpr UINT_PTR kDoubleClickTimer = 1;

int ShiftState(int button)
{
    int shift = button;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetAsyncKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetAsyncKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

SystemServices& Services()
{
    return Application::Instance().Services();
}

} // namespace

TCoolTrayIcon::TCoolTrayIcon()
    : window_([this](UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT& result) { return WindowMessage(message, wParam, lParam, result); },
              MessageWindow::Kind::TopLevel)
{
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TCoolTrayIcon::~TCoolTrayIcon()
{
    HideIcon();
    KillTimer(window_.Handle(), kDoubleClickTimer);
    if (owner_)
        owner_->RemoveMessageHook(*this);
}

const TypeInfo& TCoolTrayIcon::StaticType()
{
    using T = TCoolTrayIcon;
    // While the description loads the values are only kept: Loaded shows the icon.
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<T, &T::Hint,
                       [](T& t, const std::string& hint) {
                           if (t.IsLoading())
                               t.hint_ = hint;
                           else
                               t.SetHint(hint);
                       }>("Hint"),
        BoolProperty<T, &T::ShowHint,
                     [](T& t, bool on) {
                         if (t.IsLoading())
                             t.showHint_ = on;
                         else
                             t.SetShowHint(on);
                     }>("ShowHint"),
        BoolProperty<T, &T::IconVisible,
                     [](T& t, bool on) {
                         if (t.IsLoading())
                             t.iconVisible_ = on;
                         else
                             t.SetIconVisible(on);
                     }>("IconVisible"),
        BoolProperty<T, &T::enabled_>("Enabled"),
        ReferenceProperty<T, &T::popupName_>("PopupMenu"),
        BoolProperty<T, &T::leftPopup_>("LeftPopup"),
        BoolProperty<T, &T::minimizeToTray_>("MinimizeToTray"),
        BoolProperty<T, &T::startMinimized_>("StartMinimized"),
        BoolProperty<T, &T::cycleIcons_>("CycleIcons"),
        IntProperty<T, &T::cycleInterval_>("CycleInterval"),
        StringProperty<T, &T::iconName_, &T::SetIcon>("Icon"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<T, &T::OnClick>("OnClick"),         MakeEvent<T, &T::OnDblClick>("OnDblClick"),
        MakeEvent<T, &T::OnMouseDown>("OnMouseDown"), MakeEvent<T, &T::OnMouseUp>("OnMouseUp"),
        MakeEvent<T, &T::OnMouseMove>("OnMouseMove"),
    };
    static constexpr TypeInfo kType = ComponentType<T>("TCoolTrayIcon", &Component::StaticType, kProperties, kEvents);
    return kType;
}

void TCoolTrayIcon::SetIcon(const std::string& resource)
{
    if (resource.empty()) {
        icon_.Reset();
        iconName_.clear();
        return;
    }
    IconHandle icon(
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), resource.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    if (!icon)
        throw EFormDescription("no icon resource " + resource);
    icon_ = std::move(icon);
    iconName_ = resource;
    if (!IsLoading())
        ModifyIcon();
}

void TCoolTrayIcon::Loaded()
{
    if (!popupName_.empty()) {
        popup_ = dynamic_cast<TPopupMenu*>(ResolveReference(popupName_));
        if (!popup_)
            throw EFormDescription("no pop-up menu named " + popupName_);
    }
    owner_ = dynamic_cast<TForm*>(Owner());
    if (owner_) {
        owner_->AddMessageHook(*this);
        if (startMinimized_)
            Application::Instance().SetShowMainForm(false);
    }
    ModifyIcon();
    if (iconVisible_)
        ShowIcon();
}

TrayIconData TCoolTrayIcon::Record() const
{
    TrayIconData data;
    data.window = window_.Handle();
    data.id = kIconId;
    data.flags = 7; // message, icon and tip
    data.callbackMessage = kCallbackMessage;
    data.icon = icon_.Get();
    data.tip = TrayTip(hint_, showHint_);
    return data;
}

void TCoolTrayIcon::ShowIcon()
{
    iconVisible_ = true;
    Services().NotifyTrayIcon(TrayAction::Add, Record());
}

void TCoolTrayIcon::HideIcon()
{
    iconVisible_ = false;
    Services().NotifyTrayIcon(TrayAction::Delete, Record());
}

void TCoolTrayIcon::SetIconVisible(bool visible)
{
    if (visible)
        ShowIcon();
    else
        HideIcon();
}

void TCoolTrayIcon::ModifyIcon()
{
    Services().NotifyTrayIcon(TrayAction::Modify, Record());
}

void TCoolTrayIcon::SetHint(std::string hint)
{
    hint_ = std::move(hint);
    ModifyIcon();
}

void TCoolTrayIcon::SetShowHint(bool on)
{
    showHint_ = on;
    ModifyIcon();
}

bool TCoolTrayIcon::FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    Application& application = Application::Instance();
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED && minimizeToTray_ && owner_ == application.MainForm()) {
        // Into the tray: the window and its taskbar button go, the icon stays.
        ShowWindow(owner_->Handle(), SW_HIDE);
        application.SetHiddenToTray(true);
        ShowIcon();
    } else if (message == WM_SHOWWINDOW && wParam && lParam == 0) {
        application.SetHiddenToTray(false);
        SetForegroundWindow(owner_->Handle());
    }
    return false; // the form handles it too
}

void TCoolTrayIcon::PopupAtCursor()
{
    POINT cursor;
    if (!popup_ || !popup_->AutoPopup() || !GetCursorPos(&cursor))
        return;
    Application::Instance().ProcessMessages();
    SetForegroundWindow(window_.Handle());
    popup_->Popup(cursor.x, cursor.y, owner_ && owner_->Handle() ? owner_->Handle() : window_.Handle());
}

void TCoolTrayIcon::IconMessage(UINT mouseMessage)
{
    if (!enabled_)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        if (OnMouseMove)
            OnMouseMove(*this, ShiftState(0), cursor.x, cursor.y);
        break;
    case WM_LBUTTONDOWN:
        SetTimer(window_.Handle(), kDoubleClickTimer, GetDoubleClickTime(), nullptr);
        doubleClickTimerOn_ = true;
        if (OnMouseDown)
            OnMouseDown(*this, TrayMouseButton::Left, ShiftState(ssLeft), cursor.x, cursor.y);
        leftDown_ = true;
        if (leftPopup_)
            PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (leftDown_) {
            clickPending_ = true;
            if (!doubleClickTimerOn_) {
                clickPending_ = false;
                if (OnClick)
                    OnClick(*this);
            }
        }
        leftDown_ = false;
        if (OnMouseUp)
            OnMouseUp(*this, TrayMouseButton::Left, ShiftState(ssLeft), cursor.x, cursor.y);
        break;
    case WM_LBUTTONDBLCLK:
        clickPending_ = false;
        doubleClickSeen_ = true;
        if (OnDblClick)
            OnDblClick(*this);
        if (popup_ && popup_->AutoPopup() && !leftPopup_)
            if (TMenuItem* item = popup_->DefaultItem())
                item->Click();
        break;
    case WM_RBUTTONDOWN:
        if (OnMouseDown)
            OnMouseDown(*this, TrayMouseButton::Right, ShiftState(ssRight), cursor.x, cursor.y);
        PopupAtCursor();
        break;
    case WM_RBUTTONUP:
        if (OnMouseUp)
            OnMouseUp(*this, TrayMouseButton::Right, ShiftState(ssRight), cursor.x, cursor.y);
        break;
    case WM_MBUTTONDOWN:
        if (OnMouseDown)
            OnMouseDown(*this, TrayMouseButton::Middle, ShiftState(ssMiddle), cursor.x, cursor.y);
        break;
    case WM_MBUTTONUP:
        if (OnMouseUp)
            OnMouseUp(*this, TrayMouseButton::Middle, ShiftState(ssMiddle), cursor.x, cursor.y);
        break;
    default:
        break;
    }
}

void TCoolTrayIcon::DoubleClickTimerTick()
{
    // A single click is reported only once the double-click time has passed
    // without a second one.
    KillTimer(window_.Handle(), kDoubleClickTimer);
    doubleClickTimerOn_ = false;
    if (!doubleClickSeen_ && clickPending_) {
        clickPending_ = false;
        if (OnClick)
            OnClick(*this);
    }
    doubleClickSeen_ = false;
}

bool TCoolTrayIcon::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY:
        result = 1;
        return true;
    case kCallbackMessage:
        IconMessage(static_cast<UINT>(lParam));
        return true;
    case WM_TIMER:
        if (wParam != kDoubleClickTimer)
            return false;
        DoubleClickTimerTick();
        return true;
    default:
        break;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The shell restarted: the icon comes back with its current hint.
        if (iconVisible_)
            ShowIcon();
        return true;
    }
    return false;
}

} // namespace qm
