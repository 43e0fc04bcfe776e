#include "sysinfo/viewer/msi_overview.h"

#include "framework/application.h"
#include "framework/button.h"
#include "framework/common_dialogs.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "framework/image_list.h"
#include "framework/list_box.h"
#include "framework/list_view.h"
#include "framework/popup_menu.h"
#include "framework/tab_control.h"
#include "framework/tree_view.h"
#include "sysinfo/viewer/pages/overview_pages.h"

namespace qm {

namespace {

// The hourglass while the collectors read the system, put back however it ends.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// The window's pages in tab order: a page per topic that has one, then About.
std::vector<std::string_view> PageSheets()
{
    std::vector<std::string_view> sheets;
    for (const TopicRow& row : TopicRows())
        if (!row.sheet.empty())
            sheets.push_back(row.sheet);
    sheets.push_back("tsAbout");
    return sheets;
}

// The page of the topic whose collector is of `kind`.
int PageOf(const CollectorKind& kind)
{
    int page = 0;
    for (const TopicRow& row : TopicRows()) {
        if (row.collector.kind == &kind)
            return page;
        if (!row.sheet.empty())
            ++page;
    }
    throw std::logic_error(std::string("no page shows ") + kind.className);
}

} // namespace

TfrmMSI_Overview::TfrmMSI_Overview(Application& application) : TForm(application)
{
    Handler("FormCreate", &TfrmMSI_Overview::FormCreate);
    Handler("cmRefresh", &TfrmMSI_Overview::cmRefresh);
    Handler("cmClose", &TfrmMSI_Overview::cmClose);
    Handler("cmReportClick", &TfrmMSI_Overview::cmReportClick);
    Handler("cmReportAll", &TfrmMSI_Overview::cmReportAll);
    Handler("cmReportCurrent", &TfrmMSI_Overview::cmReportCurrent);
    Handler("cmEnvironment", &TfrmMSI_Overview::cmEnvironment);
    Handler("cmNTSpec", &TfrmMSI_Overview::cmNTSpec);
    Handler("cmCaps", &TfrmMSI_Overview::cmCaps);
    Handler("cmModes", &TfrmMSI_Overview::cmModes);
    Handler("cmProto", &TfrmMSI_Overview::cmProto);
    Handler("cmServ", &TfrmMSI_Overview::cmServ);
    Handler("cmCli", &TfrmMSI_Overview::cmCli);
    Handler("cmProps", &TfrmMSI_Overview::cmProps);
    Handler("cmPrintSetup", &TfrmMSI_Overview::cmPrintSetup);
    Handler("cmTerminate", &TfrmMSI_Overview::cmTerminate);
    Handler("cmProcProps", &TfrmMSI_Overview::cmProcProps);
    Handler("cmMail", &TfrmMSI_Overview::cmMail);
    Handler("TreeChange", &TfrmMSI_Overview::TreeChange);
    Handler("cbDriveChange", &TfrmMSI_Overview::cbDriveChange);
    Handler("tcStartupChange", &TfrmMSI_Overview::tcStartupChange);
    Handler("clbClickCheck", &TfrmMSI_Overview::clbClickCheck);
}

TfrmMSI_Overview::~TfrmMSI_Overview() = default;

void TfrmMSI_Overview::DescriptionLoaded()
{
    pc = &Find<TPageControl>("pc");
    bReport = &Find<TButton>("bReport");
    img = &Find<TImageList>("img");
    sd = &Find<TSaveDialog>("sd");
    psd = &Find<TPrinterSetupDialog>("psd");
    ReportMenu = &Find<TPopupMenu>("ReportMenu");
    Tree = &Find<TTreeView>("Tree");
    lvProcs = &Find<TListView>("lvProcs");
}

SystemInfo& TfrmMSI_Overview::Info() const
{
    if (!SysInfo)
        throw std::logic_error("the information window has no container");
    return SysInfo->Info();
}

// ---- pages, refresh ---------------------------------------------------------------

void TfrmMSI_Overview::SetPages(std::uint32_t pages)
{
    pages_ = pages;
    const std::vector<std::string_view> sheets = PageSheets();
    for (int page = static_cast<int>(sheets.size()) - 1; page >= 0; --page) {
        auto& sheet = Find<TTabSheet>(sheets[static_cast<size_t>(page)]);
        const bool visible = page < 32 && (pages & (1u << page)) != 0;
        sheet.SetTabVisible(visible);
        if (visible)
            pc->SetActivePage(&sheet);
    }
}

void TfrmMSI_Overview::SetShowReport(bool show)
{
    showReport_ = show;
    bReport->SetVisible(show);
}

void TfrmMSI_Overview::FormCreate(Component&)
{
    report_.Clear();
    SetPages(kAllTopics);
    pc->SetActivePage(&Find<TTabSheet>("tsWksta"));
    Find<TPageControl>("pcCPU").SetActivePage(&Find<TTabSheet>("tsID"));
    FillAbout();
}

void TfrmMSI_Overview::Refresh()
{
    {
        WaitCursor wait;
        Info().RefreshData(Application::Instance().Services());
    }
    RefreshDisplay();
}

void TfrmMSI_Overview::RefreshDisplay()
{
    WaitCursor wait;
    SystemInfo& info = Info();
    auto shown = [&](const CollectorKind& kind) { return (pages_ & (1u << PageOf(kind))) != 0; };
    // Page by page in tab order, but Printers after Processes: inherited.
    if (shown(kCollectorKind<TMachine>))
        FillMachinePage(*this, info.Get<TMachine>());
    if (shown(kCollectorKind<TOperatingSystem>))
        FillOperatingSystemPage(*this, info.Get<TOperatingSystem>());
    if (shown(kCollectorKind<TCPU>))
        FillCpuPage(*this, info.Get<TCPU>());
    if (shown(kCollectorKind<TMemory>))
        FillMemoryPage(*this, info.Get<TMemory>());
    if (shown(kCollectorKind<TDisplay>))
        FillDisplayPage(*this, info.Get<TDisplay>());
    if (shown(kCollectorKind<TAPM>))
        FillApmPage(*this, info.Get<TAPM>());
    if (shown(kCollectorKind<TMedia>))
        FillMediaPage(*this, info.Get<TMedia>());
    if (shown(kCollectorKind<TNetwork>))
        FillNetworkPage(*this, info.Get<TNetwork>());
    if (shown(kCollectorKind<TDevices>))
        FillDevicesPage(*this, info.Get<TDevices>());
    if (shown(kCollectorKind<TEngines>))
        FillEnginesPage(*this, info.Get<TEngines>(), info.Get<TDirectX>());
    if (shown(kCollectorKind<TDisk>))
        FillDrivesPage(*this, info.Get<TDisk>(), info.Get<TOperatingSystem>(), Application::Instance().Services());
    if (shown(kCollectorKind<TTimeZone>))
        FillTimeZonePage(*this, info.Get<TTimeZone>());
    if (shown(kCollectorKind<TProcesses>))
        FillProcessesPage(*this, info.Get<TProcesses>());
    if (shown(kCollectorKind<TPrinters>))
        FillPrintersPage(*this, info.Get<TPrinters>());
    if (shown(kCollectorKind<TStartup>))
        FillStartupPage(*this, info.Get<TStartup>());
    if (shown(kCollectorKind<TSoftware>))
        FillSoftwarePage(*this, info.Get<TSoftware>());
}

void TfrmMSI_Overview::ShowAgain()
{
    Show();
    SetForegroundWindow(Handle());
}

void TfrmMSI_Overview::cmRefresh(Component&)
{
    Refresh();
}

void TfrmMSI_Overview::cmClose(Component&)
{
    Close();
}

void TfrmMSI_Overview::FillAbout()
{
    Put(*this, "lAboutTitle", "Quarrimond Advanced System Profiler");
    Put(*this, "lAboutVersion", "Version 4.8");
    Find<TMemo>("mAbout").SetLines({"Every page shows what the last Refresh read from the system.",
                                    "\"Report...\" writes all topics, or the topic of the page in front, "
                                    "to a text file."});
    Put(*this, "lAboutFooter", "Questions and suggestions are welcome.");
}

// ---- page handlers ------------------------------------------------------------------

void TfrmMSI_Overview::cbDriveChange(Component&)
{
    ShowSelectedDrive(*this, Info().Get<TDisk>(), Application::Instance().Services());
}

void TfrmMSI_Overview::tcStartupChange(Component&)
{
    // The lists are read again for the tab the user turns to.
    TStartup& startup = Info().Get<TStartup>();
    startup.GetInfo(Application::Instance().Services());
    FillStartupPage(*this, startup);
}

void TfrmMSI_Overview::clbClickCheck(Component& sender)
{
    KeepCheckMark(static_cast<TCheckListBox&>(sender));
}

void TfrmMSI_Overview::TreeChange(Component&)
{
    const TTreeNode* node = Tree->Selected();
    Find<TControl>("bProps").SetEnabled(node && node->Level() == 2);
}

void TfrmMSI_Overview::cmPrintSetup(Component&)
{
    psd->Execute(Handle());
}

void TfrmMSI_Overview::cmMail(Component&)
{
    Application::Instance().Services().OpenWithShell(
        "mailto:quarrimond@example.org?subject=Quarrimond%20System%20Profiler");
}

} // namespace qm
