#pragma once
// A periodic timer ticking from a thread of its own or from a window timer.
// Thread ticks are handed to the user-interface thread, which the timer
// thread waits for, so tick handlers never need locks.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "framework/component.h"
#include "framework/message_window.h"
#include "framework/thread_priority.h"

namespace qm {

enum class TimerType { ttThread, ttSystem };

class TVrTimerThread;

class TVrTimer : public Component {
public:
    TVrTimer();
    ~TVrTimer() override;

    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t interval);
    bool SyncEvent() const { return syncEvent_; }
    void SetSyncEvent(bool on) { syncEvent_ = on; }
    TimerType GetTimerType() const { return type_; }
    void SetTimerType(TimerType type);
    ThreadPriority Priority() const { return priority_; }
    void SetPriority(ThreadPriority priority);

    void SetOnTimer(NotifyEvent handler);

    // One tick, as the source delivers it.
    void Tick();

private:
    friend class TVrTimerThread;
    void UpdateTimer();
    void AllocateSource();
    void FreeSource();

    std::atomic<bool> enabled_{true};
    std::uint32_t interval_ = 1000;
    std::atomic<bool> syncEvent_{true};
    TimerType type_ = TimerType::ttThread;
    ThreadPriority priority_ = ThreadPriority::tpNormal;
    NotifyEvent onTimer_;
    bool hasOnTimer_ = false;

    std::unique_ptr<TVrTimerThread> thread_;
    std::unique_ptr<MessageWindow> window_; // the window timer's
};

} // namespace qm
