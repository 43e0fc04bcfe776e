#include "components/bmd_thread.h"

#include <algorithm>

#include "framework/application.h"

namespace qm {

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

} // namespace

// The execution thread --------------------------------------------------------

TBMDExecuteThread::TBMDExecuteThread(TBMDThread& owner, void* data) : Data(data), owner_(owner)
{
    handle_.Reset(CreateThread(nullptr, 0, &TBMDExecuteThread::Main, this, CREATE_SUSPENDED, nullptr));
    if (!handle_)
        throw std::runtime_error("The worker thread cannot be created.");
}

TBMDExecuteThread::~TBMDExecuteThread() = default;

void TBMDExecuteThread::Synchronize(const std::function<void()>& work)
{
    Application::Instance().Synchronize(work);
}

DWORD WINAPI TBMDExecuteThread::Main(void* self)
{
    auto& thread = *static_cast<TBMDExecuteThread*>(self);
    TBMDThread& owner = thread.owner_;
    owner.Execute(thread);
    // The end is delivered on the user-interface thread, which we wait for.
    try {
        Application::Instance().Synchronize([&] { owner.ThreadTerminated(thread); });
    } catch (...) {
        // The handler's failure went to the application already; nothing else to tell.
    }
    return 0;
}

// Base ------------------------------------------------------------------------

TBMDThreadBase::~TBMDThreadBase() = default;

bool TBMDThreadBase::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "UpdatePriority")
        updatePriority_ = value.AsInt();
    else if (name == "ThreadGroup")
        groupName_ = value.AsIdentifier();
    else
        return Component::ApplyProperty(name, value);
    return true;
}

bool TBMDThreadBase::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event == "OnUpdate")
        OnUpdate = handlers.Get<void(Component&, TBMDExecuteThread&, void*&, int)>(handler);
    else if (event == "OnStart")
        OnStart = handlers.Get<void(Component&, TBMDExecuteThread&, void*&)>(handler);
    else if (event == "OnTerminate")
        OnTerminate = handlers.Get<void(Component&, TBMDExecuteThread&, void*&)>(handler);
    else
        return Component::BindEvent(event, handlers, handler);
    return true;
}

void TBMDThreadBase::Loaded()
{
    if (groupName_.empty())
        return;
    auto* group = dynamic_cast<TBMDThreadGroup*>(ResolveReference(groupName_));
    if (!group)
        throw EFormDescription("no thread group named " + groupName_);
    SetThreadGroup(group);
}

void TBMDThreadBase::SetThreadGroup(TBMDThreadGroup* group)
{
    if (group == group_)
        return;
    if (group_)
        Detach(*group_);
    if (group)
        Attach(*group);
}

// TBMDThread ------------------------------------------------------------------

TBMDThread::TBMDThread()
    : refreshWindow_([this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
          if (message != WM_TIMER || wParam != kRefreshTimer)
              return false;
          TimerTick();
          return true;
      })
{}

TBMDThread::~TBMDThread()
{
    KillTimer(refreshWindow_.Handle(), kRefreshTimer);
    if (thread_) {
        // Its end is only recorded, not reported: the component is going.
        destroying_ = true;
        Stop();
        HANDLE handle = thread_->Handle();
        if (Application::Exists())
            Application::Instance().WaitServingHandOvers(handle);
        else
            WaitForSingleObject(handle, INFINITE);
    }
    for (auto& finished : finished_)
        WaitForSingleObject(finished->Handle(), INFINITE);
    thread_.reset();
    if (group_)
        Detach(*group_);
}

bool TBMDThread::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "RefreshInterval")
        SetRefreshInterval(static_cast<unsigned>(value.AsInteger()));
    else if (name == "Priority")
        SetPriority(ParseThreadPriority(value));
    else
        return TBMDThreadBase::ApplyProperty(name, value);
    return true;
}

bool TBMDThread::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event != "OnExecute")
        return TBMDThreadBase::BindEvent(event, handlers, handler);
    OnExecute = handlers.Get<void(Component&, TBMDExecuteThread&, void*&)>(handler);
    return true;
}

void TBMDThread::ReapFinished()
{
    // Threads whose end was handled leave shortly after; forget those gone.
    std::erase_if(finished_, [](const std::unique_ptr<TBMDExecuteThread>& thread) {
        return WaitForSingleObject(thread->Handle(), 0) == WAIT_OBJECT_0;
    });
}

void TBMDThread::Start(void* data)
{
    if (thread_)
        return; // one run at a time; a second start is ignored
    ReapFinished();
    thread_ = std::make_unique<TBMDExecuteThread>(*this, data);
    SetThreadPriority(thread_->Handle(), ToWindowsPriority(priority_));
    wasStopped_ = false;
    if (group_)
        group_->ThreadStarted(*this, *thread_);
    if (OnStart) {
        std::lock_guard guard(lock_);
        OnStart(*this, *thread_, thread_->Data);
    }
    ResumeThread(thread_->Handle());
    SetTimer(refreshWindow_.Handle(), kRefreshTimer, refreshInterval_, nullptr);
}

void TBMDThread::Stop()
{
    if (!thread_)
        return;
    ResumeThread(thread_->Handle());
    thread_->terminated_ = true;
}

void TBMDThread::Suspend()
{
    if (thread_)
        SuspendThread(thread_->Handle());
}

void TBMDThread::Resume()
{
    if (thread_)
        ResumeThread(thread_->Handle());
}

void TBMDThread::SetRefreshInterval(unsigned ms)
{
    refreshInterval_ = ms;
    if (thread_)
        SetTimer(refreshWindow_.Handle(), kRefreshTimer, refreshInterval_, nullptr);
}

void TBMDThread::SetPriority(ThreadPriority priority)
{
    priority_ = priority;
    if (thread_)
        SetThreadPriority(thread_->Handle(), ToWindowsPriority(priority_));
}

void TBMDThread::Execute(TBMDExecuteThread& thread)
{
    if (OnExecute) {
        try {
            OnExecute(*this, thread, thread.Data);
        } catch (...) {
            // Not reported: the run still ends through OnTerminate.
        }
    }
    wasStopped_ = thread.terminated_.load();
}

void TBMDThread::ThreadTerminated(TBMDExecuteThread& thread)
{
    if (thread_.get() != &thread)
        return;
    finished_.push_back(std::move(thread_));
    if (destroying_)
        return;
    KillTimer(refreshWindow_.Handle(), kRefreshTimer);
    if (group_)
        group_->ThreadEnded(*this, thread);
    if (OnTerminate) {
        std::lock_guard guard(lock_);
        OnTerminate(*this, thread, thread.Data);
    }
}

void TBMDThread::TimerTick()
{
    if (!thread_)
        return;
    const int percent = thread_->Percent;
    if (group_)
        group_->ThreadUpdated(*this, *thread_, percent, UpdatePriority());
    if (OnUpdate) {
        std::lock_guard guard(lock_);
        OnUpdate(*this, *thread_, thread_->Data, percent);
    }
}

void TBMDThread::Attach(TBMDThreadGroup& group)
{
    group.AddMember(*this);
    group_ = &group;
    if (thread_)
        group.ThreadStarted(*this, *thread_);
}

void TBMDThread::Detach(TBMDThreadGroup& group)
{
    group.RemoveMember(*this);
    group_ = nullptr;
}

// TBMDThreadGroup -------------------------------------------------------------

TBMDThreadGroup::~TBMDThreadGroup()
{
    for (TBMDThread* thread : std::vector<TBMDThread*>(allThreads_))
        thread->SetThreadGroup(nullptr);
    for (TBMDThreadBase* member : std::vector<TBMDThreadBase*>(members_))
        member->SetThreadGroup(nullptr);
    if (group_)
        Detach(*group_);
}

bool TBMDThreadGroup::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event == "OnThreadUpdate")
        OnThreadUpdate = handlers.Get<void(Component&, TBMDExecuteThread&, void*&, int)>(handler);
    else if (event == "OnThreadStart")
        OnThreadStart = handlers.Get<void(Component&, TBMDExecuteThread&, void*&)>(handler);
    else if (event == "OnThreadTerminate")
        OnThreadTerminate = handlers.Get<void(Component&, TBMDExecuteThread&, void*&)>(handler);
    else
        return TBMDThreadBase::BindEvent(event, handlers, handler);
    return true;
}

int TBMDThreadGroup::RunningCount() const
{
    std::lock_guard guard(lock_);
    return running_;
}

void TBMDThreadGroup::Start(void* data)
{
    for (TBMDThreadBase* member : members_)
        member->Start(data);
}

void TBMDThreadGroup::Stop()
{
    for (TBMDThreadBase* member : members_)
        member->Stop();
}

void TBMDThreadGroup::Suspend()
{
    for (TBMDThreadBase* member : members_)
        member->Suspend();
}

void TBMDThreadGroup::Resume()
{
    for (TBMDThreadBase* member : members_)
        member->Resume();
}

void TBMDThreadGroup::ThreadStarted(TBMDThread& member, TBMDExecuteThread& thread)
{
    int before;
    {
        std::lock_guard guard(lock_);
        before = running_++;
        if (OnThreadStart)
            OnThreadStart(member, thread, thread.Data);
    }
    if (group_)
        group_->ThreadStarted(member, thread);
    if (before == 0 && OnStart)
        OnStart(member, thread, thread.Data);
}

void TBMDThreadGroup::ThreadEnded(TBMDThread& member, TBMDExecuteThread& thread)
{
    int now;
    {
        std::lock_guard guard(lock_);
        if (running_ > 0)
            --running_;
        now = running_;
    }
    if (OnThreadTerminate)
        OnThreadTerminate(member, thread, thread.Data);
    if (group_)
        group_->ThreadEnded(member, thread);
    if (now == 0 && OnTerminate)
        OnTerminate(member, thread, thread.Data);
}

void TBMDThreadGroup::ThreadUpdated(TBMDThread& member, TBMDExecuteThread& thread, int percent, int priority)
{
    if (OnThreadUpdate)
        OnThreadUpdate(member, thread, thread.Data, percent);
    // The group reports the progress of its highest-priority running members.
    for (TBMDThread* other : allThreads_)
        if (other->IsRunning() && other->UpdatePriority() > priority)
            return;
    if (OnUpdate)
        OnUpdate(member, thread, thread.Data, percent);
}

void TBMDThreadGroup::AddMember(TBMDThreadBase& member)
{
    std::lock_guard guard(lock_);
    members_.push_back(&member);
    if (auto* thread = dynamic_cast<TBMDThread*>(&member))
        allThreads_.push_back(thread);
    else if (auto* group = dynamic_cast<TBMDThreadGroup*>(&member))
        allThreads_.insert(allThreads_.end(), group->allThreads_.begin(), group->allThreads_.end());
}

void TBMDThreadGroup::RemoveMember(TBMDThreadBase& member)
{
    std::lock_guard guard(lock_);
    std::erase(members_, &member);
    if (auto* thread = dynamic_cast<TBMDThread*>(&member))
        std::erase(allThreads_, thread);
    else if (auto* group = dynamic_cast<TBMDThreadGroup*>(&member))
        for (TBMDThread* t : group->allThreads_)
            std::erase(allThreads_, t);
}

void TBMDThreadGroup::Attach(TBMDThreadGroup& group)
{
    group.AddMember(*this);
    group_ = &group;
}

void TBMDThreadGroup::Detach(TBMDThreadGroup& group)
{
    group.RemoveMember(*this);
    group_ = nullptr;
}

} // namespace qm
