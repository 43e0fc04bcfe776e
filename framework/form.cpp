#include "framework/form.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/resources.h"

namespace qm {

namespace {

BorderStyle ParseBorderStyle(const FormValue& value)
{
    const std::string& name = value.AsIdentifier();
    if (name == "bsSingle")
        return BorderStyle::Single;
    if (name == "bsSizeable")
        return BorderStyle::Sizeable;
    if (name == "bsDialog")
        return BorderStyle::Dialog;
    throw EFormDescription("unknown border style " + name);
}

FormPosition ParsePosition(const FormValue& value)
{
    const std::string& name = value.AsIdentifier();
    if (name == "poDesigned")
        return FormPosition::Designed;
    if (name == "poScreenCenter")
        return FormPosition::ScreenCenter;
    if (name == "poDesktopCenter")
        return FormPosition::DesktopCenter;
    throw EFormDescription("unknown position " + name);
}

} // namespace

TForm::TForm(Application& application) : application_(application)
{
    SetParentFont(false);
    SetParentColor(false);
    SetVisible(false);
}

TForm::~TForm()
{
    NotifyLifecycle(&LifecycleHook::FormDestroying);
    if (tooltip_)
        DestroyWindow(tooltip_);
    // Children's windows go with the form's; their objects go with owned_.
    if (HWND window = Handle()) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        SetWindowHandle(nullptr);
        DestroyWindow(window);
    }
}

void TForm::Initialize()
{
    LoadDescription(DescriptionText());
    DescriptionLoaded();
    CreateHandle(nullptr);
    if (OnCreate)
        OnCreate(*this);
}

std::string TForm::DescriptionText() const
{
    return LoadTextResource(ClassName());
}

void TForm::LoadDescription(std::string_view text)
{
    FormObject description = ParseFormText(text);
    ApplyDescription(description, *this, application_.Classes(), handlers_,
                     [this](std::unique_ptr<Component> component) { owned_.push_back(std::move(component)); });
}

Component* TForm::FindComponent(std::string_view name) const
{
    for (const auto& component : owned_)
        if (component->Name() == name)
            return component.get();
    return nullptr;
}

bool TForm::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "BorderStyle") {
        borderStyle_ = ParseBorderStyle(value);
        if (borderStyle_ == BorderStyle::Dialog)
            minimizeBox_ = maximizeBox_ = false;
        return true;
    }
    if (name == "BorderIcons") {
        systemMenu_ = minimizeBox_ = maximizeBox_ = false;
        for (const std::string& icon : value.AsSet()) {
            if (icon == "biSystemMenu")
                systemMenu_ = true;
            else if (icon == "biMinimize")
                minimizeBox_ = true;
            else if (icon == "biMaximize")
                maximizeBox_ = true;
            else
                throw EFormDescription("unknown border icon " + icon);
        }
        return true;
    }
    if (name == "Position") {
        position_ = ParsePosition(value);
        return true;
    }
    if (name == "ClientWidth") {
        clientWidth_ = value.AsInt();
        return true;
    }
    if (name == "ClientHeight") {
        clientHeight_ = value.AsInt();
        return true;
    }
    if (name == "PixelsPerInch") {
        // Designed at 96 dpi; other designs would need scaling at creation.
        if (value.AsInt() != 96)
            throw EFormDescription("forms are designed at 96 pixels per inch");
        return true;
    }
    return TControl::ApplyProperty(name, value);
}

bool TForm::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    NotifyEvent* target = event == "OnCreate" ? &OnCreate
        : event == "OnShow"                   ? &OnShow
        : event == "OnClose"                  ? &OnClose
                                              : nullptr;
    if (!target)
        return TControl::BindEvent(event, handlers, handler);
    *target = handlers.Get<void(Component&)>(handler);
    return true;
}

void TForm::InsertChild(Component& child)
{
    if (dynamic_cast<TControl*>(&child))
        TControl::InsertChild(child);
    else
        nonVisual_.push_back(&child);
}

void TForm::Loaded()
{
    // Client sizes win over outer ones: the frame depends on the border style,
    // known only now that every property is in.
    if (clientWidth_ >= 0 || clientHeight_ >= 0) {
        SIZE frame = FrameSize();
        int width = clientWidth_ >= 0 ? clientWidth_ + frame.cx : Width();
        int height = clientHeight_ >= 0 ? clientHeight_ + frame.cy : Height();
        SetBounds(Rect::FromBounds(Left(), Top(), width, height));
    }
    TControl::Loaded();
}

SIZE TForm::FrameSize() const
{
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
    return SIZE{r.right - r.left, r.bottom - r.top};
}

Rect TForm::ClientRect() const
{
    SIZE frame = FrameSize();
    return Rect::FromBounds(0, 0, std::max(0, Width() - static_cast<int>(frame.cx)),
                            std::max(0, Height() - static_cast<int>(frame.cy)));
}

void TForm::SetClientSize(int width, int height)
{
    SIZE frame = FrameSize();
    SetBounds(Rect::FromBounds(Left(), Top(), width + frame.cx, height + frame.cy));
}

void TForm::SetOuterHeight(int height)
{
    SetHeight(height);
}

DWORD TForm::Style() const
{
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    if (systemMenu_)
        style |= WS_SYSMENU;
    if (borderStyle_ != BorderStyle::Dialog) {
        if (minimizeBox_)
            style |= WS_MINIMIZEBOX;
        if (maximizeBox_)
            style |= WS_MAXIMIZEBOX;
    }
    if (borderStyle_ == BorderStyle::Sizeable)
        style |= WS_THICKFRAME;
    return style;
}

DWORD TForm::ExStyle() const
{
    return borderStyle_ == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME : 0;
}

void TForm::CreateHandle(HWND)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(instance, ClassName(), &windowClass)) {
        windowClass = WNDCLASSA{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = TControl::WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hIcon = LoadIconA(instance, "MAINICON");
        windowClass.lpszClassName = ClassName();
        RegisterClassA(&windowClass);
    }
    HWND owner = nullptr;
    if (TForm* main = application_.MainForm(); main && main != this)
        owner = main->Handle();
    CreateWindowExA(ExStyle(), ClassName(), Caption().c_str(), Style(), Left(), Top(), Width(), Height(), owner,
                    nullptr, instance, this);

    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, instance, nullptr);
    const HintTiming& hints = application_.Hints();
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, hints.pauseMs);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, hints.shortPauseMs);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, hints.hidePauseMs);
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 200);

    for (TControl* child : Controls())
        child->CreateHandle(Handle());
    Realign();
}

void TForm::Paint(Canvas& canvas)
{
    canvas.FillRect(ClientRect(), GetColor());
}

void TForm::RegisterHint(TControl& control)
{
    if (!tooltip_ || !control.Handle())
        return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (control.Hint().empty())
        return;
    tool.lpszText = const_cast<char*>(control.Hint().c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TForm::RemoveLifecycleHook(LifecycleHook& hook)
{
    std::erase(lifecycle_, &hook);
}

void TForm::NotifyLifecycle(void (LifecycleHook::*event)())
{
    // A copy: a hook may remove itself while being called.
    for (LifecycleHook* hook : std::vector<LifecycleHook*>(lifecycle_)) {
        try {
            (hook->*event)();
        } catch (...) {
            application_.HandleException(std::current_exception());
        }
    }
}

void TForm::RemoveMessageHook(MessageHook& hook)
{
    hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), &hook), hooks_.end());
}

bool TForm::Showing() const
{
    return Handle() && IsWindowVisible(Handle());
}

void TForm::PlaceAtFirstShow()
{
    if (placed_)
        return;
    placed_ = true;
    if (position_ == FormPosition::Designed)
        return;
    int screenWidth = GetSystemMetrics(position_ == FormPosition::DesktopCenter ? SM_CXVIRTUALSCREEN : SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(position_ == FormPosition::DesktopCenter ? SM_CYVIRTUALSCREEN : SM_CYSCREEN);
    SetBounds(Rect::FromBounds((screenWidth - Width()) / 2, (screenHeight - Height()) / 2, Width(), Height()));
}

void TForm::Show()
{
    if (!Showing()) {
        NotifyLifecycle(&LifecycleHook::FormShowing);
        PlaceAtFirstShow();
        if (OnShow)
            OnShow(*this);
    }
    if (!IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TForm::Hide()
{
    ShowWindow(Handle(), SW_HIDE);
}

void TForm::Close()
{
    if (Handle())
        SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

int TForm::ShowModal()
{
    // Every other window of the program waits while this one is open.
    std::vector<HWND> disabled;
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (window != Handle() && process == GetCurrentProcessId() && IsWindowVisible(window) &&
            IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    }
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    MSG msg;
    while (modalResult_ == mrNone && !application_.Terminated()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            application_.Terminate();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    Hide();
    modal_ = false;
    return modalResult_;
}

void TForm::SyncBoundsFromWindow()
{
    RECT r;
    if (!GetWindowRect(Handle(), &r) || IsIconic(Handle()))
        return;
    SetBounds(Rect{r.left, r.top, r.right, r.bottom});
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (MessageHook* hook : hooks_) {
        LRESULT result = 0;
        if (hook->FormMessage(message, wParam, lParam, result))
            return result;
    }
    switch (message) {
    case WM_CLOSE:
        if (modal_) {
            modalResult_ = mrCancel;
            return 0;
        }
        NotifyLifecycle(&LifecycleHook::FormClosing);
        if (OnClose)
            OnClose(*this);
        if (application_.MainForm() == this)
            application_.Terminate();
        else
            Hide();
        return 0;
    case WM_SIZE:
    case WM_MOVE:
        SyncBoundsFromWindow();
        return 0;
    default:
        return TControl::HandleMessage(message, wParam, lParam);
    }
}

} // namespace qm
