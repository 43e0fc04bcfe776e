#include "app/application_properties.h"

#include "framework/application.h"

namespace qm {

TabfApplicationProperties::~TabfApplicationProperties()
{
    if (hooked_ && Application::Exists())
        Application::Instance().OnActivate = previous_;
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
    previous_ = application.OnActivate;
    application.OnActivate = [this] {
        if (previous_)
            previous_();
        if (OnActivate)
            OnActivate(*this);
    };
    hooked_ = true;
}

} // namespace qm
