#pragma once
// The tabbed information window: every topic's values on its own page
// (sysinfo/viewer/pages/), refreshed on request, with detail lists
// (overview_details.cpp), process commands (overview_processes.cpp) and
// reports (overview_reports.cpp).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/form.h"
#include "framework/string_list.h"
#include "sysinfo/msysteminfo.h"
#include "sysinfo/viewer/msi_detail_dlg.h"

namespace qm {

class TButton;
class TCheckListBox;
class TComboBox;
class TImage;
class TImageList;
class TLabel;
class TListView;
class TPageControl;
class TPanel;
class TPopupMenu;
class TPrinterSetupDialog;
class TSaveDialog;
class TTabControl;
class TTabSheet;
class TTreeView;

class TfrmMSI_Overview : public TForm, public OverviewWindow {
public:
    static constexpr std::uint32_t kAllTopics = 0xFFFF;

    explicit TfrmMSI_Overview(Application& application);
    ~TfrmMSI_Overview() override;
    const char* ClassName() const override { return "TfrmMSI_Overview"; }

    TMSystemInfo* SysInfo = nullptr;
    std::uint32_t Pages() const { return pages_; }
    void SetPages(std::uint32_t pages);
    bool ShowReport() const { return showReport_; }
    void SetShowReport(bool show);
    // The lines of the last report written.
    const StringList& ReportLines() const { return report_; }

    // Refreshes every collector, then the pages.
    void Refresh();
    void RefreshDisplay();
    void ShowAgain() override;

    // Handlers, named as the description binds them.
    void FormCreate(Component& sender);
    void cmRefresh(Component& sender);
    void cmClose(Component& sender);
    void cmReportClick(Component& sender);
    void cmReportAll(Component& sender);
    void cmReportCurrent(Component& sender);
    void cmEnvironment(Component& sender);
    void cmNTSpec(Component& sender);
    void cmCaps(Component& sender);
    void cmModes(Component& sender);
    void cmProto(Component& sender);
    void cmServ(Component& sender);
    void cmCli(Component& sender);
    void cmProps(Component& sender);
    void cmPrintSetup(Component& sender);
    void cmTerminate(Component& sender);
    void cmProcProps(Component& sender);
    void cmMail(Component& sender);
    void TreeChange(Component& sender);
    void cbDriveChange(Component& sender);
    void tcStartupChange(Component& sender);
    void clbClickCheck(Component& sender);

    // The detail dialog as the handlers build it, before it is shown; tests
    // look at it here instead of through a modal loop.
    std::function<void(TdlgMSI_Detail&)> OnDetailShowing;

protected:
    void DescriptionLoaded() override;

private:
    void FillAbout();

    SystemInfo& Info() const;
    // Builds a detail dialog, lets `fill` fill it, shows it modally.
    void ShowDetail(TdlgMSI_Detail::Page page, const std::string& title,
                    const std::function<void(TdlgMSI_Detail&)>& fill);
    void ShowCheckedList(const std::string& title, const StringList& items);
    // Asks for a file and writes the lines `write` gives; reports failures.
    void WriteReport(const std::string& defaultName, const std::function<void(StringList&)>& write);

    std::uint32_t pages_ = kAllTopics;
    bool showReport_ = true;
    StringList report_;

    TPageControl* pc = nullptr;
    TButton* bReport = nullptr;
    TImageList* img = nullptr;
    TSaveDialog* sd = nullptr;
    TPrinterSetupDialog* psd = nullptr;
    TPopupMenu* ReportMenu = nullptr;
    TTreeView* Tree = nullptr;
    TListView* lvProcs = nullptr;
};

// The factory the program gives its container: an information window owned
// by the main window, refreshed and shown, destroyed once closed.
TMSystemInfo::OverviewFactory OverviewFactory(Application& application);

} // namespace qm
