#pragma once
// Runs a handler on a background thread while the start, progress and end
// events arrive on the user-interface thread. Threads can be grouped so that
// a group reports on all its members.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "components/group_membership.h"
#include "framework/component.h"
#include "framework/message_window.h"
#include "framework/thread_priority.h"
#include "platform/unique_resource.h"

namespace qm {

class TBMDThread;
class TBMDThreadGroup;
class TBMDExecuteThread;

using TBMDThreadDataNotifyEvent = std::function<void(Component& sender, TBMDExecuteThread& thread, void*& data)>;
using TBMDThreadUpdateNotifyEvent =
    std::function<void(Component& sender, TBMDExecuteThread& thread, void*& data, int percent)>;

// One run of a TBMDThread's OnExecute.
class TBMDExecuteThread {
public:
    TBMDExecuteThread(TBMDThread& owner, void* data);
    ~TBMDExecuteThread();
    TBMDExecuteThread(const TBMDExecuteThread&) = delete;
    TBMDExecuteThread& operator=(const TBMDExecuteThread&) = delete;

    TBMDThread& Owner() const { return owner_; }
    void* Data = nullptr;
    std::atomic<int> Percent{0};
    // Set by Stop: the executing code is expected to look at it.
    bool Terminated() const { return terminated_; }
    // Runs `work` on the user-interface thread and waits until it has run.
    void Synchronize(const std::function<void()>& work);
    HANDLE Handle() const { return handle_.Get(); }

private:
    friend class TBMDThread;
    static DWORD WINAPI Main(void* self);

    TBMDThread& owner_;
    UniqueHandle handle_;
    std::atomic<bool> terminated_{false};
};

class TBMDThreadBase : public Component {
public:
    ~TBMDThreadBase() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    virtual bool IsRunning() const = 0;
    virtual void Start() { Start(nullptr); }
    virtual void Start(void* data) = 0;
    virtual void Stop() = 0;
    virtual void Suspend() = 0;
    virtual void Resume() = 0;

    // The group this thread or group belongs to; null for none.
    TBMDThreadGroup* ThreadGroup() const;
    void SetThreadGroup(TBMDThreadGroup* group);
    const std::string& ThreadGroupName() const { return groupName_; }
    void SetThreadGroupName(const std::string& name);
    int UpdatePriority() const { return updatePriority_; }
    void SetUpdatePriority(int priority) { updatePriority_ = priority; }

    TBMDThreadUpdateNotifyEvent OnUpdate;
    TBMDThreadDataNotifyEvent OnStart;
    TBMDThreadDataNotifyEvent OnTerminate;

protected:
    explicit TBMDThreadBase(bool isGroup) : membership_(*this, isGroup) {}
    friend class TBMDThreadGroup;
    mutable std::recursive_mutex lock_;
    GroupMembership<TBMDThreadBase> membership_;

private:
    std::string groupName_;
    int updatePriority_ = 0;
};

class TBMDThread : public TBMDThreadBase {
public:
    TBMDThread();
    ~TBMDThread() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool IsRunning() const override { return thread_ != nullptr; }
    using TBMDThreadBase::Start;
    void Start(void* data) override;
    void Stop() override;
    void Suspend() override;
    void Resume() override;
    // For an owner that is going: asks a running thread to stop and waits
    // until it has ended, serving the hand-overs it waits on meanwhile. Its
    // end is not reported.
    void StopAndWait();

    unsigned RefreshInterval() const { return refreshInterval_; }
    void SetRefreshInterval(unsigned ms);
    ThreadPriority Priority() const { return priority_; }
    void SetPriority(ThreadPriority priority);
    bool WasStopped() const { return wasStopped_; }
    TBMDExecuteThread* Thread() const { return thread_.get(); }

    TBMDThreadDataNotifyEvent OnExecute;

private:
    friend class TBMDExecuteThread;
    void TimerTick();
    void Execute(TBMDExecuteThread& thread);
    void ThreadTerminated(TBMDExecuteThread& thread);
    void ReapFinished();

    unsigned refreshInterval_ = 100;
    ThreadPriority priority_ = ThreadPriority::tpNormal;
    std::unique_ptr<TBMDExecuteThread> thread_;
    std::vector<std::unique_ptr<TBMDExecuteThread>> finished_; // their OS threads may still be leaving
    std::atomic<bool> wasStopped_{false};
    std::atomic<bool> destroying_{false};
    MessageWindow refreshWindow_; // carries the refresh timer
};

class TBMDThreadGroup : public TBMDThreadBase {
public:
    TBMDThreadGroup() : TBMDThreadBase(true) {}
    ~TBMDThreadGroup() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool IsRunning() const override { return RunningCount() > 0; }
    using TBMDThreadBase::Start;
    void Start(void* data) override;
    void Stop() override;
    void Suspend() override;
    void Resume() override;
    // The threads below the group, at any depth, that are running now.
    int RunningCount() const;

    TBMDThreadUpdateNotifyEvent OnThreadUpdate;
    TBMDThreadDataNotifyEvent OnThreadStart;
    TBMDThreadDataNotifyEvent OnThreadTerminate;

    // Notices from members (and sub-groups) as they start, end and progress.
    void ThreadStarted(TBMDThread& member, TBMDExecuteThread& thread);
    void ThreadEnded(TBMDThread& member, TBMDExecuteThread& thread);
    void ThreadUpdated(TBMDThread& member, TBMDExecuteThread& thread, int percent, int priority);
    // Every thread below the group, at any depth.
    std::vector<TBMDThread*> AllThreads() const;
};

} // namespace qm
