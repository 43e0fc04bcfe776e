#pragma once
// Relays the application's activation to a handler of the form, keeping
// whatever handler was there before.
#include <functional>

#include "framework/component.h"

namespace qm {

class TabfApplicationProperties : public Component {
public:
    ~TabfApplicationProperties() override;
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler) override;
    void Loaded() override;

    NotifyEvent OnActivate;

private:
    std::function<void()> previous_;
    bool hooked_ = false;
};

} // namespace qm
