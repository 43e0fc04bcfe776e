// The information window's process commands: ending the selected process,
// and its file's properties.
#include "sysinfo/viewer/msi_overview.h"

#include "framework/application.h"
#include "framework/list_view.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

void TfrmMSI_Overview::cmTerminate(Component&)
{
    const int row = lvProcs->Selected();
    if (row < 0)
        return;
    SystemServices& services = Application::Instance().Services();
    const std::optional<std::uint32_t> id = ParseProcessIdText(lvProcs->ItemText(row, 0), TheStartupValues().IsNT);
    const std::string name = lvProcs->ItemText(row, 1);
    const bool own = id && *id == GetCurrentProcessId();
    if (services.ShowMessage({TerminateQuestion(name, own), "Warning", MessageIcon::Warning, MessageButtons::YesNo,
                              true}) != MessageResult::Yes)
        return;
    const TProcessEntry* listed = nullptr;
    for (const TProcessEntry& entry : Info().Get<TProcesses>().Entries())
        if (id && entry.ID == *id && !listed)
            listed = &entry;
    // Windows gives the identifiers of ended processes to new ones: only the
    // process listed, the same image started at the same time, is ended.
    std::optional<TProcessEntry> holder;
    auto isTheListed = [&] {
        holder = ProcessNow(listed->ID);
        return holder && IsSameProcess(*listed, *holder);
    };
    const ProcessEnd outcome = listed ? services.EndProcess(listed->ID, isTheListed) : ProcessEnd::NotRunning;
    if (outcome == ProcessEnd::NotTheListed) {
        services.ShowMessage({NotTheListedProcessText(*id, SplitPath(listed->Name).name,
                                                      holder ? SplitPath(holder->Name).name : std::string()),
                              "Warning", MessageIcon::Warning, MessageButtons::Ok, true});
        return;
    }
    if (outcome != ProcessEnd::Ended) {
        services.ShowMessage(
            {"Cannot terminate this process.", "Warning", MessageIcon::Warning, MessageButtons::Ok, true});
        return;
    }
    lvProcs->DeleteItem(row);
}

void TfrmMSI_Overview::cmProcProps(Component&)
{
    const int row = lvProcs->Selected();
    if (row < 0)
        return;
    const std::string path = lvProcs->ItemText(row, 2) + lvProcs->ItemText(row, 1);
    if (Application::Instance().Services().FileExists(path))
        ShowFileProperties(Handle(), path);
}

} // namespace qm
