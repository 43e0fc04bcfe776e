#include "framework/application.h"

#include <cassert>

#include "framework/form.h"
#include "framework/standard_classes.h"
#include "platform/unique_resource.h"

namespace qm {

namespace {

constexpr UINT kRunHandedOver = WM_APP + 1;
constexpr UINT kRunPosted = WM_APP + 2;
constexpr char kWindowClass[] = "TApplication";

Application* g_instance = nullptr;

// Waited on by the handing thread; the user-interface thread signals it once
// the work has run, or has been passed over.
struct HandOver {
    const std::function<void()>* work;
    HANDLE ran;
    std::exception_ptr error;
};

} // namespace

Application::Application(SystemServices& services) : services_(&services), uiThreadId_(GetCurrentThreadId())
{
    assert(!g_instance && "one application per process");
    g_instance = this;

    window_ = std::make_unique<MessageWindow>(
        [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return WindowMessage(message, wParam, lParam, result);
        },
        MessageWindow::Kind::TopLevel, "", kWindowClass);
    RegisterStandardClasses(classes_);
}

Application::~Application()
{
    terminated_ = true;
    // Later forms may refer to earlier ones: destroy in reverse creation order.
    while (!forms_.empty())
        forms_.pop_back();
    // A thread still waiting on a hand-over is let go before the window
    // its message was posted to goes.
    ServeHandOvers();
    window_.reset();
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
    SetWindowTextA(window_->Handle(), title_.c_str());
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
    while (!terminated_ && GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchWithDialogKeys(msg);
    terminated_ = true;
}

void Application::DispatchWithDialogKeys(MSG& msg)
{
    // Tab, Escape, Enter, arrows and mnemonics act in every form as in a dialog.
    if (msg.hwnd && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
        if (auto* form = dynamic_cast<TForm*>(WindowObject::FromHandle(GetAncestor(msg.hwnd, GA_ROOT))))
            if (form->HandleDialogKey(msg))
                return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
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
        DispatchWithDialogKeys(msg);
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

void Application::Synchronize(const std::function<void()>& work, HANDLE ran)
{
    if (IsUserInterfaceThread()) {
        work();
        return;
    }
    if (terminated_)
        return;
    // Posted, not sent: a sent message costs the sender several more trips
    // to the system than a posted one and an event.
    UniqueHandle ownEvent;
    if (!ran) {
        ownEvent.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        ran = ownEvent.Get();
    }
    HandOver handOver{&work, ran, nullptr};
    if (!handOver.ran || !PostMessageA(window_->Handle(), kRunHandedOver, 0, reinterpret_cast<LPARAM>(&handOver)))
        return;
    WaitForSingleObject(handOver.ran, INFINITE);
    if (handOver.error)
        std::rethrow_exception(handOver.error);
}

void Application::WaitServingHandOvers(HANDLE handle)
{
    for (;;) {
        // Those queued already first: the wait wakes only for new ones.
        ServeHandOvers();
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_POSTMESSAGE) != WAIT_OBJECT_0 + 1)
            return;
    }
}

void Application::ServeHandOvers()
{
    // Only the hand-overs: other messages stay queued for the loop.
    MSG msg;
    while (PeekMessageA(&msg, window_->Handle(), kRunHandedOver, kRunHandedOver, PM_REMOVE))
        DispatchMessageA(&msg);
}

void Application::Post(std::function<void()> work)
{
    auto* posted = new std::function<void()>(std::move(work));
    if (!PostMessageA(window_->Handle(), kRunPosted, 0, reinterpret_cast<LPARAM>(posted)))
        delete posted;
}

bool Application::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case kRunHandedOver: {
        auto* handOver = reinterpret_cast<HandOver*>(lParam);
        // Once the program is ending, forms are being destroyed: a hand-over
        // still waiting then (served while a timer thread is joined) would
        // run a handler on a form whose own part is already gone.
        if (!terminated_) {
            try {
                (*handOver->work)();
            } catch (...) {
                handOver->error = std::current_exception();
            }
        }
        SetEvent(handOver->ran);
        return true;
    }
    case kRunPosted: {
        std::unique_ptr<std::function<void()>> posted(reinterpret_cast<std::function<void()>*>(lParam));
        (*posted)();
        return true;
    }
    case WM_ACTIVATEAPP:
        RelayActivation(wParam != FALSE);
        return false;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            return false;
        // Someone (another copy of the program) activated the program:
        // its main form comes forward, out of the tray if need be.
        BringMainFormForward();
        return true;
    default:
        return false;
    }
}

} // namespace qm
