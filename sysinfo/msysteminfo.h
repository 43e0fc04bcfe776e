#pragma once
// The one object through which the program reaches the system-information
// engine: it owns the collectors, and at most one overview window. The
// program supplies the window through a factory, so the engine itself holds
// no window code and the console tool links none.
#include <functional>
#include <memory>
#include <string>

#include "framework/component.h"
#include "sysinfo/system_info.h"

namespace qm {

// The overview as the engine sees it.
class OverviewWindow {
public:
    virtual ~OverviewWindow() = default;
    // Shows it again, in front, as it is (no refresh).
    virtual void ShowAgain() = 0;
};

class TMSystemInfo : public Component {
public:
    // Creates, refreshes and shows a new overview of `container`; the window
    // calls `closed` once it has been closed, from a posted message (never
    // from inside its own handler), and the container then destroys it.
    using OverviewFactory =
        std::function<std::unique_ptr<OverviewWindow>(TMSystemInfo& container, std::function<void()> closed)>;

    TMSystemInfo();
    ~TMSystemInfo() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    // Fixed text; a stored value is ignored.
    const std::string& About() const { return about_; }
    SystemInfo& Info() { return info_; }

    void SetOverviewFactory(OverviewFactory factory) { factory_ = std::move(factory); }
    // At most one overview at a time: an open one is brought to the front
    // without refreshing; otherwise a fresh one refreshes and shows itself.
    // Without a factory nothing happens.
    void ShowOverview();
    OverviewWindow* Overview() const { return overview_.get(); }

private:
    SystemInfo info_;
    std::string about_;
    OverviewFactory factory_;
    std::unique_ptr<OverviewWindow> overview_;
};

} // namespace qm
