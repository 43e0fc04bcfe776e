#pragma once
// Relays the program's activation to a handler of the form. Several relays
// chain: the most recent one is called first.
#include "framework/application.h"
#include "framework/component.h"

namespace qm {

class TabfApplicationProperties : public Component, private ActivationListener {
public:
    ~TabfApplicationProperties() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    NotifyEvent OnActivate;

private:
    void ApplicationActivated() override;
    bool Chained() const override { return chained_; }

    bool chained_ = true;
    bool registered_ = false;
};

} // namespace qm
