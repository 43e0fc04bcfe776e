#pragma once
// The "All Topics" report in a read-only text box: what "System info..."
// shows until the tabbed overview exists.
#include "framework/form.h"
#include "framework/memo.h"

namespace qm {

class TReportViewForm : public TForm {
public:
    explicit TReportViewForm(Application& application) : TForm(application) {}
    const char* ClassName() const override { return "TReportViewForm"; }

    void ShowReport(const std::string& text) { Find<TMemo>("ReportMemo").SetText(text); }
    std::string ReportText() const { return Find<TMemo>("ReportMemo").Text(); }
};

} // namespace qm
