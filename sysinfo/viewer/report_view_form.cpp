#include "sysinfo/viewer/report_view_form.h"

#include "framework/application.h"

namespace qm {

namespace {

// The wait cursor while the collectors read the system.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace

void TReportViewForm::ShowAgain()
{
    Show();
    SetForegroundWindow(Handle());
}

TMSystemInfo::OverviewFactory ReportViewOverviewFactory(Application& application)
{
    return [&application](TMSystemInfo& container, std::function<void()> closed) -> std::unique_ptr<OverviewWindow> {
        auto overview = std::make_unique<TReportViewForm>(application);
        overview->Initialize();
        if (TForm* main = application.MainForm(); main && main->Handle())
            SetWindowLongPtrA(overview->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(main->Handle()));
        // Destroying a window from inside its own close message would pull the
        // object from under the handler: the container is told afterwards.
        overview->OnClose = [&application, closed](Component&) { application.Post(closed); };
        {
            WaitCursor wait;
            container.Info().RefreshData(application.Services());
        }
        StringList lines;
        container.Info().Report(lines, UserReportLocale());
        overview->ShowReport(lines.Text());
        overview->Show();
        return overview;
    };
}

} // namespace qm
