#include "components/shutdown.h"

#include "framework/application.h"

namespace qm {

namespace {

constexpr unsigned kForce = 4, kPowerOff = 8, kShutdown = 1, kReboot = 2, kLogOff = 0;

} // namespace

bool TabfShutdown::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "ActionType") {
        static constexpr std::string_view kNames[] = {"aatPowerOff", "aatShutdown", "aatReboot",
                                                      "aatLogOff",   "aatSuspend",  "aatHibernate"};
        action_ = static_cast<ShutdownAction>(EnumIndex(value, kNames));
        return true;
    }
    if (name == "Force") {
        force_ = value.AsBool();
        return true;
    }
    if (name == "About") {
        (void)value.AsString();
        return true;
    }
    return Component::ApplyProperty(name, value);
}

bool TabfShutdown::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event != "OnQueryShutdown")
        return Component::BindEvent(event, handlers, handler);
    OnQueryShutdown = handlers.Get<void(Component&, bool&)>(handler);
    return true;
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
