#include "framework/form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/resources.h"
#include "platform/display_dpi.h"
#include "platform/monitors.h"

namespace qm {

namespace {

// WM_DPICHANGED, sent from Windows 8.1 on when the window's resolution changes.
constexpr UINT kDpiChangedMessage = 0x02E0;

constexpr std::string_view kBorderStyleNames[] = {"bsSingle", "bsSizeable", "bsDialog"};
constexpr std::string_view kBorderIconNames[] = {"biSystemMenu", "biMinimize", "biMaximize"};
constexpr std::string_view kPositionNames[] = {"poDesigned", "poScreenCenter", "poDesktopCenter"};

// Forms are designed at 96 dpi; other designs would need scaling at creation.
int DesignedPixelsPerInch(const TForm&)
{
    return 96;
}

void SetDesignedPixelsPerInch(TForm&, int pixelsPerInch)
{
    if (pixelsPerInch != 96)
        throw EFormDescription("forms are designed at 96 pixels per inch");
}

} // namespace

const TypeInfo& TForm::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<TForm, &TForm::GetBorderStyle, &TForm::SetBorderStyle>("BorderStyle", kBorderStyleNames),
        SetProperty<TForm, &TForm::BorderIcons, &TForm::SetBorderIcons>("BorderIcons", kBorderIconNames),
        EnumProperty<TForm, &TForm::Position, &TForm::SetPosition>("Position", kPositionNames),
        IntProperty<TForm, &TForm::ClientWidth, &TForm::SetClientWidth>("ClientWidth"),
        IntProperty<TForm, &TForm::ClientHeight, &TForm::SetClientHeight>("ClientHeight"),
        IntProperty<TForm, &DesignedPixelsPerInch, &SetDesignedPixelsPerInch>("PixelsPerInch"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TForm, &TForm::OnCreate>("OnCreate"),
        MakeEvent<TForm, &TForm::OnShow>("OnShow"),
        MakeEvent<TForm, &TForm::OnClose>("OnClose"),
    };
    static constexpr TypeInfo kType = ComponentType<TForm>("TForm", &TControl::StaticType, kProperties, kEvents);
    return kType;
}

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
    DestroyBoundWindow();
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

void TForm::SetBorderStyle(BorderStyle style)
{
    borderStyle_ = style;
    if (borderStyle_ == BorderStyle::bsDialog)
        minimizeBox_ = maximizeBox_ = false;
}

int TForm::BorderIcons() const
{
    return (systemMenu_ ? 1 : 0) | (minimizeBox_ ? 2 : 0) | (maximizeBox_ ? 4 : 0);
}

void TForm::SetBorderIcons(int icons)
{
    systemMenu_ = icons & 1;
    minimizeBox_ = icons & 2;
    maximizeBox_ = icons & 4;
}

void TForm::SetClientWidth(int width)
{
    clientWidth_ = width;
    if (!IsLoading())
        SetClientSize(width, ClientHeight());
}

void TForm::SetClientHeight(int height)
{
    clientHeight_ = height;
    if (!IsLoading())
        SetClientSize(ClientWidth(), height);
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
    const RECT designed{Left(), Top(), Left() + Width(), Top() + Height()};
    dpi_ = DpiAt(designed);
    if (clientWidth_ >= 0 || clientHeight_ >= 0) {
        SIZE frame = FrameSize();
        int width = clientWidth_ >= 0 ? ScaleFromDesign(clientWidth_, dpi_) + frame.cx : Width();
        int height = clientHeight_ >= 0 ? ScaleFromDesign(clientHeight_, dpi_) + frame.cy : Height();
        SetBounds(Rect::FromBounds(Left(), Top(), width, height));
    }
    TControl::Loaded();
}

SIZE TForm::FrameSize() const
{
    return FrameSizeAt(Style(), ExStyle(), dpi_);
}

Rect TForm::ClientRect() const
{
    SIZE frame = FrameSize();
    return Rect::FromBounds(0, 0, std::max(0, ScaleToDesign(Width() - static_cast<int>(frame.cx), dpi_)),
                            std::max(0, ScaleToDesign(Height() - static_cast<int>(frame.cy), dpi_)));
}

void TForm::SetClientSize(int width, int height)
{
    SIZE frame = FrameSize();
    SetBounds(Rect::FromBounds(Left(), Top(), ScaleFromDesign(width, dpi_) + frame.cx,
                               ScaleFromDesign(height, dpi_) + frame.cy));
}

void TForm::ChangeResolution(int dpi, const RECT* suggested)
{
    if (dpi <= 0 || dpi == dpi_)
        return;
    const Rect client = ClientRect();
    dpi_ = dpi;
    const SIZE frame = FrameSize();
    const int left = suggested ? suggested->left : Left();
    const int top = suggested ? suggested->top : Top();
    SetBounds(Rect::FromBounds(left, top, ScaleFromDesign(client.Width(), dpi_) + frame.cx,
                               ScaleFromDesign(client.Height(), dpi_) + frame.cy));
    ResolutionChanged();
    if (tooltip_)
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, ScaleFromDesign(200, dpi_));
}

void TForm::UpdateWindowBounds()
{
    // A minimised window keeps its restored size in its placement: a size set
    // now must land there, or restoring would undo it.
    if (Handle() && IsIconic(Handle())) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        if (GetWindowPlacement(Handle(), &placement)) {
            RECT& normal = placement.rcNormalPosition;
            normal.right = normal.left + Width();
            normal.bottom = normal.top + Height();
            placement.flags = 0;
            placement.showCmd = IsWindowVisible(Handle()) ? SW_SHOWMINNOACTIVE : SW_HIDE;
            SetWindowPlacement(Handle(), &placement);
        }
        return;
    }
    TControl::UpdateWindowBounds();
}

DWORD TForm::Style() const
{
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    if (systemMenu_)
        style |= WS_SYSMENU;
    if (borderStyle_ != BorderStyle::bsDialog) {
        if (minimizeBox_)
            style |= WS_MINIMIZEBOX;
        if (maximizeBox_)
            style |= WS_MAXIMIZEBOX;
    }
    if (borderStyle_ == BorderStyle::bsSizeable)
        style |= WS_THICKFRAME;
    return style;
}

DWORD TForm::ExStyle() const
{
    return WS_EX_CONTROLPARENT | (borderStyle_ == BorderStyle::bsDialog ? WS_EX_DLGMODALFRAME : 0);
}

void TForm::CreateHandle(HWND)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const WindowClass windowClass =
        OwnWindowClass(ClassName(), CS_DBLCLKS, LoadIconA(instance, "MAINICON"), LoadCursor(nullptr, IDC_ARROW));
    HWND owner = nullptr;
    if (TForm* main = application_.MainForm(); main && main != this)
        owner = main->Handle();
    CreateBoundWindow(windowClass, ExStyle(), Caption().c_str(), Style(), Left(), Top(), Width(), Height(), owner);
    // The monitor's resolution was a guess before the window existed.
    ChangeResolution(WindowDpi(Handle()), nullptr);
    if (!MakesControlsWhenShown())
        MakeControls();
}

void TForm::MakeControls()
{
    if (controlsMade_ || !Handle())
        return;
    controlsMade_ = true;
    CreateChildHandles();
}

void TForm::Paint(Canvas& canvas)
{
    canvas.FillRect(ClientRect(), GetColor());
}

void TForm::PointerOverHint(TControl& control, WPARAM wParam, LPARAM lParam)
{
    // The hints are the common controls' tooltip, made the first time the
    // pointer comes onto a control with a hint: a form whose hints are
    // never wanted never loads the library.
    if (tooltip_ || !Handle())
        return;
    EnsureCommonControls();
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!tooltip_)
        return;
    const HintTiming& hints = application_.Hints();
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, hints.pauseMs);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, hints.shortPauseMs);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, hints.hidePauseMs);
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, ScaleFromDesign(200, dpi_));
    auto registerAll = [this](auto& self, TControl& parent) -> void {
        for (TControl* child : parent.Controls()) {
            RegisterHint(*child);
            self(self, *child);
        }
    };
    registerAll(registerAll, *this);
    // The move that brought the pointer here came before the tooltip watched.
    MSG move{control.Handle(), WM_MOUSEMOVE, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD position = GetMessagePos();
    move.pt = POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
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
    if (position_ == FormPosition::poDesigned)
        return;
    // Both centrings use the work area of the monitor the window is on: the
    // virtual desktop's middle can fall between monitors or under a taskbar.
    const RECT work = WorkAreaAt(RECT{Left(), Top(), Left() + Width(), Top() + Height()});
    SetBounds(CentredIn(Rect{work.left, work.top, work.right, work.bottom}, Width(), Height()));
}

void TForm::Show()
{
    MakeControls();
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
        application_.DispatchWithDialogKeys(msg);
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
    case WM_SHOWWINDOW:
        // Shown some other way than through Show.
        if (wParam)
            MakeControls();
        break;
    case WM_SIZE:
    case WM_MOVE:
        SyncBoundsFromWindow();
        return 0;
    case kDpiChangedMessage:
        ChangeResolution(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            RememberFocus();
        else if (!HIWORD(wParam))
            RestoreFocus();
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_KILLFOCUS:
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE)
            RememberFocus();
        break;
    case DM_GETDEFID:
        return DefaultButtonId();
    case WM_NEXTDLGCTL:
        MoveFocus(LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : nullptr, !LOWORD(lParam) && wParam != 0);
        return 0;
    case WM_COMMAND:
        // Escape and Enter as the dialog manager reports them.
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDCANCEL) {
                if (!PressCancelButton() && modal_)
                    modalResult_ = mrCancel;
                return 0;
            }
            if (LOWORD(wParam) == IDOK) {
                PressDefaultButton();
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}

} // namespace qm
