#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_view.h"
#include "sysinfo/msi_processes.h"
#include "sysinfo/startup_values.h"

namespace qm {

void FillProcessesPage(TForm& form, const TProcesses& processes)
{
    const bool nt = TheStartupValues().IsNT;
    auto& list = form.Find<TListView>("lvProcs");
    list.Clear();
    for (int i = 0; i < processes.ProcessCount(); ++i) {
        const PathParts path = SplitPath(processes.Name(i));
        list.AddItem(ProcessIdText(processes.Identifier(i), nt), {path.name, path.folder}, OverviewIcon::kProcess);
    }
    form.Find<TControl>("ProcPanel").SetCaption("  " + IntText(processes.ProcessCount()) + " processes");
}

} // namespace qm
