#pragma once
// The system-information container: owns the collectors. The overview
// window comes later; until then the overview request says so.
#include "framework/component.h"
#include "sysinfo/system_info.h"

namespace qm {

class TMSystemInfo : public Component {
public:
    // Opens the overview window.
    void ShowOverview();
    int OverviewRequests() const { return overviewRequests_; }
    SystemInfo& Info() { return info_; }

private:
    SystemInfo info_;
    int overviewRequests_ = 0;
};

} // namespace qm
