#pragma once
// Lets one copy of the program run per logon: a second start brings the
// first copy forward and ends itself.
#include "framework/component.h"

namespace qm {

class TabfOneInstance : public Component {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    // True when this process may run: no other copy holds the instance mutex.
    static bool ClaimInstance(const std::string& title);

private:
    bool activatePrevInstance_ = true;
    bool showMessage_ = false;
    std::string message_;
};

} // namespace qm
