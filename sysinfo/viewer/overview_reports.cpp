// The information window's reports: all topics, or the topic in front,
// written whole or not at all to the file the user names.
#include "sysinfo/viewer/msi_overview.h"

#include "framework/application.h"
#include "framework/button.h"
#include "framework/common_dialogs.h"
#include "framework/popup_menu.h"
#include "framework/tab_control.h"
#include "platform/file_write.h"

namespace qm {

void TfrmMSI_Overview::cmReportClick(Component&)
{
    RECT button{};
    GetWindowRect(bReport->Handle(), &button);
    ReportMenu->Popup(button.left, button.bottom, Handle());
}

void TfrmMSI_Overview::WriteReport(const std::string& defaultName, const std::function<void(StringList&)>& write)
{
    report_.Clear();
    sd->SetFileName(defaultName);
    if (!sd->Execute(Handle()))
        return;
    write(report_);
    const std::string path = sd->FileName();
    const FileWriteResult result = WriteWholeFile(path, report_.Text(), ExistingFile::Replace);
    if (!result.ok)
        Application::Instance().Services().ShowMessage(
            {"The report could not be saved as\r\n" + path + "\r\n\r\n" + result.reason +
                 "\r\n\r\nNothing was changed; choose another name or folder and try again.",
             "Report not saved", MessageIcon::Error, MessageButtons::Ok, true});
}

void TfrmMSI_Overview::cmReportAll(Component&)
{
    WriteReport("SystemInfo.txt", [&](StringList& lines) { Info().Report(lines, UserReportLocale()); });
}

void TfrmMSI_Overview::cmReportCurrent(Component&)
{
    const int page = pc->ActivePageIndex();
    const std::vector<Topic> topics = Info().Topics();
    if (page < 0 || page >= static_cast<int>(topics.size()))
        return;
    const CollectorRef collector = topics[static_cast<size_t>(page)].collector;
    WriteReport(TopicReportFileName(pc->ActivePage()->Caption()),
                [&](StringList& lines) { collector.Report(lines, UserReportLocale()); });
}

} // namespace qm
