#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_view.h"
#include "sysinfo/msi_processes.h"

namespace qm {

void FillSoftwarePage(TForm& form, const TSoftware& software)
{
    auto& list = form.Find<TListView>("lvSW");
    list.Clear();
    for (const std::string& name : software.Installed.Lines())
        list.AddItem(name, {}, OverviewIcon::kSoftware);
}

} // namespace qm
