#pragma once
// Logs off, shuts down, restarts, powers off, suspends or hibernates the
// machine on request.
#include <functional>

#include "framework/component.h"

namespace qm {

class SystemServices;

enum class ShutdownAction { aatPowerOff, aatShutdown, aatReboot, aatLogOff, aatSuspend, aatHibernate };
using QueryShutdownEvent = std::function<void(Component& sender, bool& canShutdown)>;

class TabfShutdown : public Component {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    ShutdownAction ActionType() const { return action_; }
    void SetActionType(ShutdownAction action) { action_ = action; }
    bool Force() const { return force_; }
    void SetForce(bool force) { force_ = force; }

    // True when the system accepted the request.
    bool Execute();
    bool Execute(SystemServices& services);

    QueryShutdownEvent OnQueryShutdown;

private:
    ShutdownAction action_ = ShutdownAction::aatPowerOff;
    bool force_ = false;
};

} // namespace qm
