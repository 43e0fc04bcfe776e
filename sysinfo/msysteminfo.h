#pragma once
// The system-information container. The collectors and the overview window
// come with the engine; until then the overview says so.
#include "framework/component.h"

namespace qm {

class TMSystemInfo : public Component {
public:
    // Opens the overview window.
    void ShowOverview();
    int OverviewRequests() const { return overviewRequests_; }

private:
    int overviewRequests_ = 0;
};

} // namespace qm
