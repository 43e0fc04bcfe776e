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
    // The end is delivered on the user-interface thread, which we wait for; a
    // failing OnTerminate handler goes to the application's handler there.
    Application::Instance().Synchronize([&] {
        try {
            owner.ThreadTerminated(thread);
        } catch (...) {
            Application::Instance().HandleException(std::current_exception());
        }
    });
    return 0;
}

// Base ------------------------------------------------------------------------

TBMDThreadBase::~TBMDThreadBase() = default;

const TypeInfo& TBMDThreadBase::StaticType()
{
    using B = TBMDThreadBase;
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<B, &B::UpdatePriority, &B::SetUpdatePriority>("UpdatePriority"),
        ReferenceProperty<B, &B::ThreadGroupName, &B::SetThreadGroupName>("ThreadGroup"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<B, &B::OnUpdate>("OnUpdate"),
        MakeEvent<B, &B::OnStart>("OnStart"),
        MakeEvent<B, &B::OnTerminate>("OnTerminate"),
    };
    static constexpr TypeInfo kType = ComponentType<B>("TBMDThreadBase", &Component::StaticType, kProperties, kEvents);
    return kType;
}

void TBMDThreadBase::SetThreadGroupName(const std::string& name)
{
    groupName_ = name;
    if (!IsLoading())
        SetThreadGroup(name.empty() ? nullptr : dynamic_cast<TBMDThreadGroup*>(ResolveReference(name)));
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

TBMDThreadGroup* TBMDThreadBase::ThreadGroup() const
{
    std::lock_guard guard(lock_);
    auto* group = membership_.Group();
    return group ? static_cast<TBMDThreadGroup*>(&group->Of()) : nullptr;
}

void TBMDThreadBase::SetThreadGroup(TBMDThreadGroup* group)
{
    TBMDThreadGroup* old = ThreadGroup();
    if (group == old)
        return;
    auto* thread = dynamic_cast<TBMDThread*>(this);
    {
        std::lock_guard guard(lock_);
        membership_.Join(group ? &group->membership_ : nullptr);
    }
    // A running thread that moves takes its run out of the old groups' counts
    // and into the new ones'.
    if (thread && thread->Thread()) {
        if (old)
            old->ThreadEnded(*thread, *thread->Thread());
        if (group)
            group->ThreadStarted(*thread, *thread->Thread());
    }
}

// TBMDThread ------------------------------------------------------------------

TBMDThread::TBMDThread()
    : TBMDThreadBase(false), refreshWindow_([this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
          if (message != WM_TIMER || wParam != kRefreshTimer)
              return false;
          TimerTick();
          return true;
      })
{}

TBMDThread::~TBMDThread()
{
    StopAndWait();
    for (auto& finished : finished_)
        WaitForSingleObject(finished->Handle(), INFINITE);
    thread_.reset();
    SetThreadGroup(nullptr);
}

const TypeInfo& TBMDThread::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TBMDThread, &TBMDThread::RefreshInterval, &TBMDThread::SetRefreshInterval>("RefreshInterval"),
        EnumProperty<TBMDThread, &TBMDThread::Priority, &TBMDThread::SetPriority>("Priority", kThreadPriorityNames),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TBMDThread, &TBMDThread::OnExecute>("OnExecute"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TBMDThread>("TBMDThread", &TBMDThreadBase::StaticType, kProperties, kEvents);
    return kType;
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
    if (TBMDThreadGroup* group = ThreadGroup())
        group->ThreadStarted(*this, *thread_);
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

void TBMDThread::StopAndWait()
{
    KillTimer(refreshWindow_.Handle(), kRefreshTimer);
    if (!thread_)
        return;
    // Its end is only recorded, not reported: the owner is going.
    destroying_ = true;
    Stop();
    HANDLE handle = thread_->Handle();
    if (Application::Exists())
        Application::Instance().WaitServingHandOvers(handle);
    else
        WaitForSingleObject(handle, INFINITE);
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
    if (TBMDThreadGroup* group = ThreadGroup())
        group->ThreadEnded(*this, thread);
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
    if (TBMDThreadGroup* group = ThreadGroup())
        group->ThreadUpdated(*this, *thread_, percent, UpdatePriority());
    if (OnUpdate) {
        std::lock_guard guard(lock_);
        OnUpdate(*this, *thread_, thread_->Data, percent);
    }
}

// TBMDThreadGroup -------------------------------------------------------------

const TypeInfo& TBMDThreadGroup::StaticType()
{
    using G = TBMDThreadGroup;
    static constexpr EventInfo kEvents[] = {
        MakeEvent<G, &G::OnThreadUpdate>("OnThreadUpdate"),
        MakeEvent<G, &G::OnThreadStart>("OnThreadStart"),
        MakeEvent<G, &G::OnThreadTerminate>("OnThreadTerminate"),
    };
    static constexpr TypeInfo kType = ComponentType<G>("TBMDThreadGroup", &TBMDThreadBase::StaticType, {}, kEvents);
    return kType;
}

TBMDThreadGroup::~TBMDThreadGroup()
{
    // Members leave first, each taking its run out of the counts above.
    for (TBMDThreadBase* member : [this] {
             std::lock_guard guard(lock_);
             std::vector<TBMDThreadBase*> members;
             for (auto* membership : membership_.Members())
                 members.push_back(&membership->Of());
             return members;
         }())
        member->SetThreadGroup(nullptr);
    SetThreadGroup(nullptr);
}

std::vector<TBMDThread*> TBMDThreadGroup::AllThreads() const
{
    std::lock_guard guard(lock_);
    std::vector<TBMDThread*> threads;
    for (TBMDThreadBase* thread : membership_.AllThreads())
        threads.push_back(static_cast<TBMDThread*>(thread));
    return threads;
}

int TBMDThreadGroup::RunningCount() const
{
    int running = 0;
    for (TBMDThread* thread : AllThreads())
        if (thread->IsRunning())
            ++running;
    return running;
}

void TBMDThreadGroup::Start(void* data)
{
    for (TBMDThreadBase* member : [this] {
             std::vector<TBMDThreadBase*> members;
             for (auto* membership : membership_.Members())
                 members.push_back(&membership->Of());
             return members;
         }())
        member->Start(data);
}

void TBMDThreadGroup::Stop()
{
    for (auto* membership : membership_.Members())
        membership->Of().Stop();
}

void TBMDThreadGroup::Suspend()
{
    for (auto* membership : membership_.Members())
        membership->Of().Suspend();
}

void TBMDThreadGroup::Resume()
{
    for (auto* membership : membership_.Members())
        membership->Of().Resume();
}

void TBMDThreadGroup::ThreadStarted(TBMDThread& member, TBMDExecuteThread& thread)
{
    {
        std::lock_guard guard(lock_);
        if (OnThreadStart)
            OnThreadStart(member, thread, thread.Data);
    }
    if (TBMDThreadGroup* group = ThreadGroup())
        group->ThreadStarted(member, thread);
    // The first run in the group starts the group.
    if (RunningCount() == 1 && OnStart)
        OnStart(member, thread, thread.Data);
}

void TBMDThreadGroup::ThreadEnded(TBMDThread& member, TBMDExecuteThread& thread)
{
    if (OnThreadTerminate)
        OnThreadTerminate(member, thread, thread.Data);
    if (TBMDThreadGroup* group = ThreadGroup())
        group->ThreadEnded(member, thread);
    if (RunningCount() == 0 && OnTerminate)
        OnTerminate(member, thread, thread.Data);
}

void TBMDThreadGroup::ThreadUpdated(TBMDThread& member, TBMDExecuteThread& thread, int percent, int priority)
{
    if (OnThreadUpdate)
        OnThreadUpdate(member, thread, thread.Data, percent);
    // The group reports the progress of its highest-priority running members.
    for (TBMDThread* other : AllThreads())
        if (other->IsRunning() && other->UpdatePriority() > priority)
            return;
    if (OnUpdate)
        OnUpdate(member, thread, thread.Data, percent);
}

} // namespace qm
