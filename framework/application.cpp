#include "framework/application.h"

#include <commctrl.h>

#include <cassert>

#include "framework/form.h"
#include "framework/standard_classes.h"

namespace qm {

namespace {

constexpr UINT kRunHandedOver = WM_APP + 1;
constexpr char kWindowClass[] = "TApplication";

Application* g_instance = nullptr;

struct HandOver {
    const std::function<void()>* work;
    std::exception_ptr error;
};

} // namespace

Application::Application(SystemServices& services) : services_(&services), uiThreadId_(GetCurrentThreadId())
{
    assert(!g_instance && "one application per process");
    g_instance = this;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    window_ =
        CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RegisterStandardClasses(classes_);
}

Application::~Application()
{
    terminated_ = true;
    // Later forms may refer to earlier ones: destroy in reverse creation order.
    while (!forms_.empty())
        forms_.pop_back();
    if (window_)
        DestroyWindow(window_);
    g_instance = nullptr;
}

Application& Application::Instance()
{
    assert(g_instance);
    return *g_instance;
}

bool Application::Exists()
{
    return g_instance != nullptr;
}

void Application::SetTitle(std::string title)
{
    title_ = std::move(title);
    SetWindowTextA(window_, title_.c_str());
}

void Application::AdoptForm(std::unique_ptr<TForm> form)
{
    if (!mainForm_)
        mainForm_ = form.get();
    forms_.push_back(std::move(form));
}

void Application::Run()
{
    if (mainForm_ && showMainForm_ && !terminated_)
        mainForm_->Show();
    MSG msg;
    while (!terminated_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    terminated_ = true;
}

void Application::Terminate()
{
    if (!terminated_.exchange(true))
        PostQuitMessage(0);
}

void Application::RelayActivation(bool active)
{
    if (!active) {
        if (OnDeactivate)
            OnDeactivate();
        return;
    }
    // A copy: a listener may remove itself while being called.
    std::vector<ActivationListener*> listeners = listeners_;
    for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) {
        (*it)->ApplicationActivated();
        if (!(*it)->Chained())
            break;
    }
    if (OnActivate)
        OnActivate();
}

void Application::BringMainFormForward()
{
    if (!mainForm_ || !mainForm_->Handle())
        return;
    HWND main = mainForm_->Handle();
    if (IsIconic(main) || !IsWindowVisible(main))
        ShowWindow(main, SW_RESTORE);
    hiddenToTray_ = false;
    SetForegroundWindow(main);
}

void Application::RemoveActivationListener(ActivationListener& listener)
{
    std::erase(listeners_, &listener);
}

bool Application::Minimized() const
{
    if (!mainForm_ || !mainForm_->Handle())
        return false;
    HWND main = mainForm_->Handle();
    return IsIconic(main) || (hiddenToTray_ && !IsWindowVisible(main));
}

void Application::ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Application::HandleException(std::exception_ptr error) noexcept
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        try {
            if (onException_) {
                onException_(e);
            } else {
                MessageBoxRequest box{e.what(), title_, MessageIcon::Error, MessageButtons::Ok, true};
                services_->ShowMessage(box);
            }
        } catch (const std::exception&) {
            // A failing handler has nowhere further to go.
        }
    }
    // Objects thrown that are not exceptions are a programming error: let them terminate.
}

void Application::Synchronize(const std::function<void()>& work)
{
    if (IsUserInterfaceThread()) {
        work();
        return;
    }
    if (terminated_)
        return;
    HandOver handOver{&work, nullptr};
    SendMessageA(window_, kRunHandedOver, 0, reinterpret_cast<LPARAM>(&handOver));
    if (handOver.error)
        std::rethrow_exception(handOver.error);
}

void Application::WaitServingHandOvers(HANDLE handle)
{
    for (;;) {
        DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1)
            return;
        // Serves only sent messages (the hand-overs); posted input stays queued.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRunHandedOver) {
        auto* handOver = reinterpret_cast<HandOver*>(lParam);
        try {
            (*handOver->work)();
        } catch (...) {
            handOver->error = std::current_exception();
        }
        return 0;
    }
    auto* self = reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        try {
            if (message == WM_ACTIVATEAPP) {
                self->RelayActivation(wParam != FALSE);
            } else if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
                // Someone (another copy of the program) activated the program:
                // its main form comes forward, out of the tray if need be.
                self->BringMainFormForward();
                return 0;
            }
        } catch (...) {
            self->HandleException(std::current_exception());
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace qm
