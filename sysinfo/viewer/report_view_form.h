#pragma once
// The "All Topics" report in a read-only text box: what "System info..."
// shows until the tabbed overview exists.
#include "framework/edit.h"
#include "framework/form.h"
#include "sysinfo/msysteminfo.h"

namespace qm {

class TReportViewForm : public TForm, public OverviewWindow {
public:
    explicit TReportViewForm(Application& application) : TForm(application) {}
    const char* ClassName() const override { return "TReportViewForm"; }

    void ShowReport(const std::string& text) { Find<TMemo>("ReportMemo").SetText(text); }
    std::string ReportText() const { return Find<TMemo>("ReportMemo").Text(); }
    void ShowAgain() override;
};

// The factory the program gives its container: a report window owned by the
// main window, refreshed with the wait cursor, destroyed once closed.
TMSystemInfo::OverviewFactory ReportViewOverviewFactory(Application& application);

} // namespace qm
