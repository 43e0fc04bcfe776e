#include "app/application_properties.h"

namespace qm {

TabfApplicationProperties::~TabfApplicationProperties()
{
    if (registered_ && Application::Exists())
        Application::Instance().RemoveActivationListener(*this);
}

bool TabfApplicationProperties::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name != "Chained")
        return Component::ApplyProperty(name, value);
    chained_ = value.AsBool();
    return true;
}

bool TabfApplicationProperties::BindEvent(std::string_view event, const HandlerTable& handlers,
                                          std::string_view handler)
{
    if (event != "OnActivate")
        return Component::BindEvent(event, handlers, handler);
    OnActivate = handlers.Get<void(Component&)>(handler);
    return true;
}

void TabfApplicationProperties::Loaded()
{
    Application& application = Application::Instance();
    // The hint timing in force is the one applied here, after the hint window's own.
    application.Hints() = HintTiming{500, 50, 2500};
    application.AddActivationListener(*this);
    registered_ = true;
}

void TabfApplicationProperties::ApplicationActivated()
{
    if (OnActivate)
        OnActivate(*this);
}

} // namespace qm
