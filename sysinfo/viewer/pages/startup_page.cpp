#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_view.h"
#include "framework/tab_control.h"
#include "sysinfo/msi_processes.h"

namespace qm {

namespace {

// The tab order of the start-up list's tabs.
constexpr StartupKind kStartupTabs[] = {StartupKind::UserFolder, StartupKind::CommonFolder, StartupKind::MachineRun,
                                        StartupKind::UserRun,    StartupKind::RunOnce,      StartupKind::WinIni};

} // namespace

void FillStartupPage(TForm& form, const TStartup& startup)
{
    const int tab = form.Find<TTabControl>("tcStartup").TabIndex();
    auto& list = form.Find<TListView>("lvStartup");
    list.Clear();
    if (tab < 0 || tab >= static_cast<int>(std::size(kStartupTabs)))
        return;
    for (const TStartupEntry& entry : startup.Entries(kStartupTabs[tab]))
        list.AddItem(entry.Name, {entry.CommandLine}, OverviewIcon::kProcess);
}

} // namespace qm
