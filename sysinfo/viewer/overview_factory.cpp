#include "sysinfo/viewer/msi_overview.h"

#include "framework/application.h"

namespace qm {

TMSystemInfo::OverviewFactory OverviewFactory(Application& application)
{
    return [&application](TMSystemInfo& container, std::function<void()> closed) -> std::unique_ptr<OverviewWindow> {
        auto overview = std::make_unique<TfrmMSI_Overview>(application);
        overview->Initialize();
        if (TForm* main = application.MainForm(); main && main->Handle())
            SetWindowLongPtrA(overview->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(main->Handle()));
        // Destroying a window from inside its own close message would pull the
        // object from under the handler: the container is told afterwards.
        overview->OnClose = [&application, closed](Component&) { application.Post(closed); };
        overview->SysInfo = &container;
        overview->SetPages(TfrmMSI_Overview::kAllTopics);
        overview->SetShowReport(true);
        overview->Refresh();
        overview->Show();
        return overview;
    };
}

} // namespace qm
