#include "app/application_properties.h"

namespace qm {

TabfApplicationProperties::~TabfApplicationProperties()
{
    if (registered_ && Application::Exists())
        Application::Instance().RemoveActivationListener(*this);
}

const TypeInfo& TabfApplicationProperties::StaticType()
{
    using A = TabfApplicationProperties;
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<A, &A::chained_>("Chained"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<A, &A::OnActivate>("OnActivate"),
    };
    static constexpr TypeInfo kType =
        ComponentType<A>("TabfApplicationProperties", &Component::StaticType, kProperties, kEvents);
    return kType;
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
