#include "components/shutdown.h"

#include "framework/application.h"

namespace qm {

namespace {

constexpr unsigned kForce = 4, kPowerOff = 8, kShutdown = 1, kReboot = 2, kLogOff = 0;

} // namespace

const TypeInfo& TabfShutdown::StaticType()
{
    using S = TabfShutdown;
    static constexpr std::string_view kActionNames[] = {"aatPowerOff", "aatShutdown", "aatReboot",
                                                        "aatLogOff",   "aatSuspend",  "aatHibernate"};
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<S, &S::ActionType, &S::SetActionType>("ActionType", kActionNames),
        BoolProperty<S, &S::Force, &S::SetForce>("Force"),
        // A description of the component, for designers only.
        StringProperty<S, nullptr, [](S&, const std::string&) {}>("About"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<S, &S::OnQueryShutdown>("OnQueryShutdown"),
    };
    static constexpr TypeInfo kType = ComponentType<S>("TabfShutdown", &Component::StaticType, kProperties, kEvents);
    return kType;
}

bool TabfShutdown::Execute()
{
    return Execute(Application::Instance().Services());
}

bool TabfShutdown::Execute(SystemServices& services)
{
    if (services.OsVersion().platform == 2 && !services.EnableShutdownPrivilege())
        return false;
    bool canShutdown = true;
    if (OnQueryShutdown)
        OnQueryShutdown(*this, canShutdown);
    if (!canShutdown)
        return false;
    const unsigned flags = force_ ? kForce : 0;
    switch (action_) {
    case ShutdownAction::aatPowerOff:
        return services.RequestExitWindows(flags + kPowerOff);
    case ShutdownAction::aatShutdown:
        return services.RequestExitWindows(flags + kShutdown);
    case ShutdownAction::aatReboot:
        return services.RequestExitWindows(flags + kReboot);
    case ShutdownAction::aatLogOff:
        return services.RequestExitWindows(flags + kLogOff);
    case ShutdownAction::aatSuspend:
        return services.RequestPowerState(true, force_);
    case ShutdownAction::aatHibernate:
        return services.RequestPowerState(false, force_);
    }
    return false;
}

} // namespace qm
