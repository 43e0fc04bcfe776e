#pragma once
// The one object through which the program reaches the system-information
// engine: it owns the collectors and the overview window.
#include <memory>
#include <string>

#include "framework/component.h"
#include "sysinfo/system_info.h"

namespace qm {

class MessageWindow;
class TReportViewForm;

class TMSystemInfo : public Component {
public:
    TMSystemInfo();
    ~TMSystemInfo() override;

    // Stored values of the collectors ("CPU.CodeName" and the like) stand
    // until the first refresh; "About" is fixed and a stored one ignored.
    bool ApplyProperty(std::string_view name, const FormValue& value) override;

    const std::string& About() const { return about_; }
    SystemInfo& Info() { return info_; }

    // At most one overview at a time: an open one is brought to the front
    // without refreshing; otherwise a fresh one refreshes and shows itself.
    void ShowOverview();
    TReportViewForm* Overview() const { return overview_.get(); }

private:
    void OverviewClosed(Component& sender);
    void DestroyOverview();

    SystemInfo info_;
    std::string about_;
    std::unique_ptr<TReportViewForm> overview_;
    std::unique_ptr<MessageWindow> messages_;
};

} // namespace qm
