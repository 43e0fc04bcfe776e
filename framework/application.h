#pragma once
// The application object: title, help file, the forms it owns, the single
// message loop of the user-interface thread, the application-wide exception
// handler and the hand-over of work from other threads to that loop.
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/class_registry.h"
#include "framework/message_window.h"
#include "platform/system_services.h"

namespace qm {

class TForm;

struct HintTiming {
    int pauseMs = 500; // before the first hint
    int shortPauseMs = 50; // moving from one control to the next
    int hidePauseMs = 2500; // how long a hint stays
};

// Hears the program's activation; the relay calls listeners from the most
// recent one back, stopping after one that is not chained.
class ActivationListener {
public:
    virtual ~ActivationListener() = default;
    virtual void ApplicationActivated() = 0;
    virtual bool Chained() const = 0;
};

class Application {
public:
    explicit Application(SystemServices& services = WindowsServices());
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The one per process: Windows gives a process one user-interface thread.
    static Application& Instance();
    static bool Exists();

    void SetTitle(std::string title);
    const std::string& Title() const { return title_; }
    void SetHelpFile(std::string file) { helpFile_ = std::move(file); }
    const std::string& HelpFile() const { return helpFile_; }
    HintTiming& Hints() { return hints_; }

    SystemServices& Services() { return *services_; }
    void SetServices(SystemServices& services) { services_ = &services; }
    MessageResult ShowMessage(const MessageBoxRequest& request) { return services_->ShowMessage(request); }

    // Component classes that window descriptions may name.
    ClassRegistry& Classes() { return classes_; }

    // Raised when the program becomes the active one / stops being it;
    // OnActivate after every activation listener.
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;
    void AddActivationListener(ActivationListener& listener) { listeners_.push_back(&listener); }
    void RemoveActivationListener(ActivationListener& listener);

    // Whether Run shows the main form (off when another copy already runs).
    void SetShowMainForm(bool show) { showMainForm_ = show; }
    bool ShowMainForm() const { return showMainForm_; }
    // The program is minimised: its main form iconic, or hidden in the tray.
    bool Minimized() const;
    void SetHiddenToTray(bool hidden) { hiddenToTray_ = hidden; }
    bool HiddenToTray() const { return hiddenToTray_; }

    // The hidden window that carries the title and receives handed-over work.
    HWND Handle() const { return window_->Handle(); }

    // Creates a form owned by the application; the first one is the main form.
    template <class Form, class... Args> Form& CreateForm(Args&&... args)
    {
        auto form = std::make_unique<Form>(*this, std::forward<Args>(args)...);
        Form& ref = *form;
        AdoptForm(std::move(form));
        ref.Initialize();
        return ref;
    }
    TForm* MainForm() const { return mainForm_; }
    // The first form of class Form, or null.
    template <class Form> Form* FindForm() const
    {
        for (const auto& form : forms_)
            if (auto* found = dynamic_cast<Form*>(form.get()))
                return found;
        return nullptr;
    }

    // Shows the main form and dispatches messages until the program ends.
    void Run();
    // Ends the message loop (the main form has closed).
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Dispatches what is queued now, without waiting.
    void ProcessMessages();
    // Dispatches one message; keyboard messages of a form go to the dialog
    // manager first (Tab, Escape, Enter, arrows, mnemonics).
    void DispatchWithDialogKeys(MSG& msg);

    // Every exception that reaches a window procedure or a tick ends here.
    using ExceptionHandler = std::function<void(const std::exception&)>;
    void SetOnException(ExceptionHandler handler) { onException_ = std::move(handler); }
    void HandleException(std::exception_ptr error) noexcept;

    // Runs `work` on the user-interface thread and returns when it has run;
    // an exception it throws is rethrown here. From the user-interface thread
    // itself it runs at once. Once the application is terminating, or when
    // the work cannot be handed over (a full message queue), it does nothing.
    // A thread that hands over often passes its own auto-reset event to be
    // signalled when the work has run; without one, each call makes its own.
    void Synchronize(const std::function<void()>& work, HANDLE ran = nullptr);
    // Runs `work` on the user-interface thread once the messages queued now
    // are handled, e.g. to destroy a window from its own handler.
    void Post(std::function<void()> work);
    bool IsUserInterfaceThread() const { return GetCurrentThreadId() == uiThreadId_; }

    // Waits for `handle` while still running work that other threads hand over,
    // so a thread blocked in Synchronize can always finish.
    void WaitServingHandOvers(HANDLE handle);

    // Shows the main form in front, restoring it when minimised or in the tray.
    void BringMainFormForward();

private:
    void RelayActivation(bool active);
    // Runs (or, once terminating, passes over) the hand-overs queued now.
    void ServeHandOvers();
    void AdoptForm(std::unique_ptr<TForm> form);
    bool WindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    SystemServices* services_;
    ClassRegistry classes_;
    std::string title_;
    std::string helpFile_;
    HintTiming hints_;
    std::unique_ptr<MessageWindow> window_;
    DWORD uiThreadId_ = 0;
    std::vector<std::unique_ptr<TForm>> forms_;
    TForm* mainForm_ = nullptr;
    std::atomic<bool> terminated_{false};
    ExceptionHandler onException_;
    std::vector<ActivationListener*> listeners_;
    bool showMainForm_ = true;
    bool hiddenToTray_ = false;
};

} // namespace qm
