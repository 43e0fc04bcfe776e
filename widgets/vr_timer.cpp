#include "widgets/vr_timer.h"

#include <stdexcept>

#include "framework/application.h"
#include "platform/unique_resource.h"

namespace qm {

namespace {

constexpr UINT_PTR kSystemTimerId = 1;

constexpr std::string_view kTimerTypeNames[] = {"ttThread", "ttSystem"};

} // namespace

// The worker: waits for the interval, then ticks. "Suspended" is a wait on
// the run event rather than SuspendThread, which could stop the thread while
// it holds a lock the user-interface thread needs. Each wait is a trip to the
// system under Wine: a running timer's tick makes only the interval's, the
// hand-over's and the wait for it to have run.
class TVrTimerThread {
public:
    explicit TVrTimerThread(TVrTimer& owner)
        : owner_(owner), stopEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          runEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          tickRanEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
    {
        thread_.Reset(CreateThread(nullptr, 0, &TVrTimerThread::Main, this, 0, nullptr));
        if (!thread_ || !stopEvent_ || !runEvent_ || !tickRanEvent_)
            throw std::runtime_error("The timer thread cannot be started.");
    }

    ~TVrTimerThread()
    {
        terminated_ = true;
        SetEvent(runEvent_.Get());
        SetEvent(stopEvent_.Get());
        // A tick may be waiting for the user-interface thread, which is us.
        if (Application::Exists())
            Application::Instance().WaitServingHandOvers(thread_.Get());
        else
            WaitForSingleObject(thread_.Get(), INFINITE);
    }

    TVrTimerThread(const TVrTimerThread&) = delete;
    TVrTimerThread& operator=(const TVrTimerThread&) = delete;

    void Pause()
    {
        running_ = false;
        ResetEvent(runEvent_.Get());
        SetEvent(stopEvent_.Get()); // ends the current wait; the period starts anew
    }
    void Resume()
    {
        running_ = true;
        SetEvent(runEvent_.Get());
    }
    void SetInterval(std::uint32_t interval) { interval_ = interval; }
    void SetPriority(ThreadPriority priority) { SetThreadPriority(thread_.Get(), ToWindowsPriority(priority)); }
    HANDLE Handle() const { return thread_.Get(); }

private:
    static DWORD WINAPI Main(void* self)
    {
        static_cast<TVrTimerThread*>(self)->Run();
        return 0;
    }

    void Run()
    {
        while (!terminated_) {
            if (!running_) {
                WaitForSingleObject(runEvent_.Get(), INFINITE);
                continue;
            }
            if (WaitForSingleObject(stopEvent_.Get(), interval_) != WAIT_TIMEOUT)
                continue;
            if (terminated_ || !running_ || !owner_.enabled_ || !Application::Exists() ||
                Application::Instance().Terminated())
                continue;
            if (owner_.syncEvent_)
                Application::Instance().Synchronize([this] { owner_.Tick(); }, tickRanEvent_.Get());
            else
                owner_.Tick();
        }
    }

    TVrTimer& owner_;
    UniqueHandle stopEvent_;
    UniqueHandle runEvent_;
    UniqueHandle tickRanEvent_; // made once: a tick then costs no event of its own
    UniqueHandle thread_;
    std::atomic<std::uint32_t> interval_{1000};
    std::atomic<bool> running_{false};
    std::atomic<bool> terminated_{false};
};

TVrTimer::TVrTimer() = default;

TVrTimer::~TVrTimer()
{
    enabled_ = false;
    onTimer_ = nullptr;
    hasOnTimer_ = false;
    FreeSource();
}

const TypeInfo& TVrTimer::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TVrTimer, &TVrTimer::Enabled, &TVrTimer::SetEnabled>("Enabled"),
        IntProperty<TVrTimer, &TVrTimer::Interval, &TVrTimer::SetInterval>("Interval"),
        BoolProperty<TVrTimer, &TVrTimer::SyncEvent, &TVrTimer::SetSyncEvent>("SyncEvent"),
        EnumProperty<TVrTimer, &TVrTimer::GetTimerType, &TVrTimer::SetTimerType>("TimerType", kTimerTypeNames),
        EnumProperty<TVrTimer, &TVrTimer::Priority, &TVrTimer::SetPriority>("Priority", kThreadPriorityNames),
    };
    static constexpr EventInfo kEvents[] = {
        {"OnTimer",
         [](void* self, const HandlerTable& handlers, std::string_view handler) {
             static_cast<TVrTimer*>(self)->SetOnTimer(handlers.Get<void(Component&)>(handler));
         }},
    };
    static constexpr TypeInfo kType = ComponentType<TVrTimer>("TVrTimer", &Component::StaticType, kProperties, kEvents);
    return kType;
}

void TVrTimer::Loaded()
{
    UpdateTimer();
}

void TVrTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    // Switching off leaves the source in place: its ticks would do nothing,
    // so the thread rests until switched on, which starts the period anew.
    if (enabled)
        UpdateTimer();
    else if (thread_)
        thread_->Pause();
}

void TVrTimer::SetInterval(std::uint32_t interval)
{
    if (interval == interval_)
        return;
    interval_ = interval;
    if (enabled_)
        UpdateTimer();
}

void TVrTimer::SetTimerType(TimerType type)
{
    if (type == type_)
        return;
    FreeSource();
    type_ = type;
    if (enabled_)
        UpdateTimer();
}

void TVrTimer::SetPriority(ThreadPriority priority)
{
    priority_ = priority;
    if (type_ == TimerType::ttThread && enabled_)
        UpdateTimer();
}

void TVrTimer::SetOnTimer(NotifyEvent handler)
{
    onTimer_ = std::move(handler);
    hasOnTimer_ = static_cast<bool>(onTimer_);
    if (enabled_)
        UpdateTimer();
}

void TVrTimer::Tick()
{
    if (!enabled_ || !onTimer_)
        return;
    try {
        onTimer_(*this);
    } catch (...) {
        // The handler's failure is reported; the timer goes on.
        if (Application::Exists())
            Application::Instance().HandleException(std::current_exception());
    }
}

void TVrTimer::AllocateSource()
{
    if (type_ == TimerType::ttThread) {
        if (!thread_)
            thread_ = std::make_unique<TVrTimerThread>(*this);
        return;
    }
    if (window_)
        return;
    window_ = std::make_unique<MessageWindow>([this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message != WM_TIMER || wParam != kSystemTimerId)
            return false;
        Tick();
        return true;
    });
}

void TVrTimer::FreeSource()
{
    if (window_) {
        KillTimer(window_->Handle(), kSystemTimerId);
        window_.reset();
    }
    thread_.reset();
}

void TVrTimer::UpdateTimer()
{
    if (IsLoading())
        return;
    AllocateSource();
    const bool run = interval_ != 0 && enabled_ && hasOnTimer_;
    if (type_ == TimerType::ttSystem) {
        KillTimer(window_->Handle(), kSystemTimerId);
        if (run && !SetTimer(window_->Handle(), kSystemTimerId, interval_, nullptr))
            throw std::runtime_error("No timer resources left.");
        return;
    }
    thread_->Pause();
    thread_->SetInterval(interval_);
    if (run) {
        thread_->SetPriority(priority_);
        thread_->Resume();
    }
}

} // namespace qm
