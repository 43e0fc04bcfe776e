// The information window as a person uses it: opened from the container,
// every tab walked by mouse, refreshed, sub-dialogs opened, a process it
// started ended, and both report kinds saved through the save dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cinttypes>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "app/app_classes.h"
#include "child_processes.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "framework/list_box.h"
#include "framework/list_view.h"
#include "framework/notebook.h"
#include "framework/panel.h"
#include "framework/tab_control.h"
#include "framework/tree_view.h"
#include "platform/file_write.h"
#include "platform/forwarding_services.h"
#include "sysinfo/msi_display.h"
#include "sysinfo/viewer/msi_overview.h"
#include "sysinfo/viewer/overview_texts.h"
#include "test_support.h"
#include "x_input.h"

namespace qm {
namespace {

// The real system; failure boxes of the collectors are recorded instead of
// shown (one would hold the test), unless the test wants the real boxes.
class RecordingServices final : public ForwardingServices {
public:
    bool realBoxes = false;
    std::vector<MessageBoxRequest> recorded;
    MessageResult ShowMessage(const MessageBoxRequest& request) override
    {
        recorded.push_back(request);
        return realBoxes ? ForwardingServices::ShowMessage(request) : MessageResult::Ok;
    }
};

std::string Grouped(unsigned long long value)
{
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator));
    std::string digits = std::to_string(value), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        out += digits[i];
        const size_t left = digits.size() - i - 1;
        if (left && left % 3 == 0)
            out += separator[0];
    }
    return out;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    std::string folder = std::string(temp) + "qm-overview\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// The report's sections by header, each with its lines.
std::map<std::string, std::string> Sections(const std::string& report)
{
    std::map<std::string, std::string> sections;
    std::string current;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('['))
            current = line.substr(0, line.find('\r'));
        sections[current] += line + "\n";
    }
    return sections;
}

// Saves a report as a person does, from a thread of its own while the menu
// and the dialogs hold the window's thread: the menu item by keyboard, the
// file name typed, the questions that follow answered by click.
class ReportSaver {
public:
    explicit ReportSaver(int menuItem, std::vector<std::pair<std::string, std::string>> answers = {})
        : thread_([this, menuItem, answers = std::move(answers)] {
              if (!WaitFor([] { return FindWindowA("#32768", nullptr); }))
                  return;
              Sleep(200);
              std::string keys;
              for (int i = 0; i <= menuItem; ++i)
                  keys += "Down ";
              test::XDoTool("key --delay 60 " + keys + "Return", false);
              HWND dialog = WaitFor([] { return FindWindowA("#32770", "Save As"); });
              if (!dialog)
                  return;
              Sleep(300);
              // The dialog opens in the current folder with the name offered: accepted as it is.
              char offered[MAX_PATH] = {};
              GetDlgItemTextA(dialog, 0x47c, offered, sizeof(offered)); // the file name box
              offered_ = offered;
              test::XDoTool("key Return", false);
              for (const auto& [caption, button] : answers) {
                  // Wine titles its overwrite question "Error", Windows after the dialog:
                  // an empty caption takes any box with the button.
                  HWND box = WaitFor([&] { return BoxWithButton(caption, button, dialog); });
                  if (!box)
                      return;
                  Sleep(200);
                  texts_.push_back(test::BoxText(box));
                  if (!test::ClickButton(button)(box, {}))
                      return;
                  dialog = box;
              }
              done_ = true;
          })
    {}
    ~ReportSaver() { Join(); }
    bool Done() const { return done_; }
    // Only after the thread has ended.
    const std::vector<std::string>& Texts() const { return texts_; }
    const std::string& Offered() const { return offered_; }
    void Join()
    {
        if (thread_.joinable())
            thread_.join();
    }

private:
    static HWND BoxWithButton(const std::string& caption, const std::string& button, HWND other)
    {
        struct Search {
            const std::string &caption, &button;
            HWND other, found;
        } search{caption, button, other, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) WINAPI -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                char title[128] = {}, kind[16] = {};
                GetClassNameA(window, kind, sizeof(kind));
                GetWindowTextA(window, title, sizeof(title));
                if (window != s.other && IsWindowVisible(window) && std::string(kind) == "#32770" &&
                    (s.caption.empty() || s.caption == title) &&
                    FindWindowExA(window, nullptr, "Button", s.button.c_str())) {
                    s.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    template <class Find> static HWND WaitFor(Find find)
    {
        for (int waited = 0; waited < 30000; waited += 50) {
            if (HWND window = find(); window && IsWindowVisible(window))
                return window;
            Sleep(50);
        }
        return nullptr;
    }

    std::atomic<bool> done_{false};
    std::vector<std::string> texts_;
    std::string offered_;
    std::thread thread_;
};

class Overview : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        RegisterAppClasses(app->Classes());
        app->CreateForm<test::TextForm>("object MainForm: TQuarrimondTestForm\nend\n");
        app->SetOnException([](const std::exception& e) { ADD_FAILURE() << e.what(); });
        container.SetOverviewFactory(OverviewFactory(*app));
    }
    void TearDown() override
    {
        if (container.Overview()) {
            Window().Close();
            test::PumpUntil([&] { return container.Overview() == nullptr; });
        }
    }

    TfrmMSI_Overview& Open()
    {
        container.ShowOverview();
        auto& window = Window();
        test::MakeForeground(window.Handle());
        test::PumpFor(200);
        return window;
    }
    TfrmMSI_Overview& Window() { return dynamic_cast<TfrmMSI_Overview&>(*container.Overview()); }
    template <class T> T& Get(const char* name) { return Window().Find<T>(name); }

    // Clicks the tab of `sheet` with the mouse.
    bool ClickTab(TPageControl& pages, const std::string& sheet)
    {
        int shown = 0;
        for (TTabSheet* page : pages.Pages()) {
            if (!page->TabVisible())
                continue;
            if (page->Name() == sheet) {
                RECT r{};
                TabCtrl_GetItemRect(pages.Handle(), shown, &r);
                return test::XClickAt(pages.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            }
            ++shown;
        }
        return false;
    }
    void Shot(const std::string& name)
    {
        if (const char* folder = std::getenv("QM_SCREENSHOTS"))
            test::RunUnixCommand("/usr/bin/import -window root " + std::string(folder) + "/" + name + ".png");
    }

    RecordingServices services;
    std::unique_ptr<Application> app;
    TMSystemInfo container;
};

TEST_F(Overview, OpensAsDescribedWithEveryTopicFilled)
{
    auto& window = Open();
    EXPECT_EQ(window.ClientWidth(), 390);
    EXPECT_EQ(window.ClientHeight(), 509);
    char caption[64] = {};
    GetWindowTextA(window.Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Quarrimond Advanced System Profiler");
    auto& pages = Get<TPageControl>("pc");
    // Sixteen topics shown, About never; the first is in front.
    EXPECT_EQ(pages.TabCount(), 16);
    EXPECT_EQ(pages.TabText(13), " Processess ");
    EXPECT_EQ(pages.TabText(15), " Software ");
    EXPECT_EQ(pages.ActivePageName(), "tsWksta");
    EXPECT_EQ(window.Pages(), 0xFFFFu);
    EXPECT_TRUE(IsWindowVisible(Get<TButton>("bReport").Handle()));

    MEMORYSTATUSEX memory{sizeof(memory)};
    GlobalMemoryStatusEx(&memory);
    EXPECT_EQ(Get<TEdit>("ePT").Text(), Grouped(memory.ullTotalPhys));
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    EXPECT_EQ(Get<TEdit>("ePS").Text(), Grouped(system.dwPageSize));
    EXPECT_EQ(Get<TEdit>("eAG").Text(), Grouped(system.dwAllocationGranularity));
    // Whole addresses: 8 digits on 32-bit Windows, 12 for 64-bit Windows' 47-bit range.
    const int digits = sizeof(void*) == 8 ? 12 : 8;
    char range[48];
    std::snprintf(range, sizeof(range), "%0*" PRIX64 " - %0*" PRIX64, digits,
                  static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(system.lpMinimumApplicationAddress)), digits,
                  static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(system.lpMaximumApplicationAddress)));
    EXPECT_EQ(Get<TEdit>("eAppAddr").Text(), range);
    const std::string cpu = Get<TControl>("lCPU").Caption();
    EXPECT_TRUE(cpu.starts_with(std::to_string(system.dwNumberOfProcessors) + " x ")) << cpu;
    EXPECT_TRUE(cpu.ends_with(" MHz")) << cpu;

    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof(computer);
    GetComputerNameA(computer, &size);
    ASSERT_EQ(Get<TTreeView>("Tree").Roots().size(), 1u);
    EXPECT_EQ(Get<TTreeView>("Tree").Roots()[0]->Text(), computer);

    // This test program is among the processes, by its decimal identifier.
    auto& processes = Get<TListView>("lvProcs");
    const TProcesses& collector = container.Info().Get<TProcesses>();
    EXPECT_EQ(processes.Count(), collector.ProcessCount());
    EXPECT_EQ(Get<TPanel>("ProcPanel").Caption(), "  " + std::to_string(collector.ProcessCount()) + " processes");
    bool found = false;
    for (int row = 0; row < processes.Count(); ++row)
        found |= processes.ItemText(row, 0) == std::to_string(GetCurrentProcessId()) &&
            processes.ItemText(row, 1) == "win_tests.exe";
    EXPECT_TRUE(found);

    // One item per drive; the Windows drive selected and labelled.
    int drives = 0;
    for (DWORD mask = GetLogicalDrives(); mask; mask >>= 1)
        drives += mask & 1;
    auto& driveList = Get<TComboBox>("cbDrive");
    EXPECT_EQ(driveList.Count(), drives);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof(windows));
    ASSERT_GE(driveList.ItemIndex(), 0);
    EXPECT_EQ(driveList.Item(driveList.ItemIndex()).substr(0, 4), std::string(1, windows[0]) + ": [");
    EXPECT_EQ(Get<TCheckListBox>("clbFlags").Count(), 12);
    EXPECT_TRUE(Get<TImage>("imgDrive").HasPicture());

    // Refresh, twice, by mouse: one adapter, one item per drive.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(test::XClick(Get<TButton>("bRefresh").Handle()));
        test::PumpFor(200);
    }
    EXPECT_EQ(Get<TComboBox>("cbDisplay").Count(), 1);
    EXPECT_EQ(driveList.Count(), drives);
    EXPECT_TRUE(services.recorded.empty());

    window.SetShowReport(false);
    EXPECT_FALSE(IsWindowVisible(Get<TButton>("bReport").Handle()));
}

TEST_F(Overview, EveryTabByMouse)
{
    auto& window = Open();
    auto& pages = Get<TPageControl>("pc");
    for (TTabSheet* sheet : pages.Pages()) {
        if (!sheet->TabVisible())
            continue;
        ASSERT_TRUE(ClickTab(pages, sheet->Name())) << sheet->Name();
        EXPECT_TRUE(test::PumpUntil([&] { return pages.ActivePage() == sheet; })) << sheet->Name();
        test::PumpFor(150);
        Shot("overview-" + sheet->Name());
    }
    // The start-up page's own tabs.
    ASSERT_TRUE(ClickTab(pages, "tsStartup"));
    auto& startup = Get<TTabControl>("tcStartup");
    RECT r{};
    TabCtrl_GetItemRect(startup.Handle(), 5, &r);
    ASSERT_TRUE(test::XClickAt(startup.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_TRUE(test::PumpUntil([&] { return startup.TabIndex() == 5; }));
    EXPECT_EQ(Get<TListView>("lvStartup").Count(), container.Info().Get<TStartup>().Count(StartupKind::WinIni));
    Shot("overview-tsStartup-winini");
    (void)window;
}

TEST_F(Overview, SubDialogsShowTheirListsAndKeepCheckMarks)
{
    auto& window = Open();
    auto& pages = Get<TPageControl>("pc");
    struct Seen {
        std::string title;
        int page;
        int items;
        int checked;
        bool markKept;
    };
    std::vector<Seen> seen;
    bool clickOneBox = false;
    window.OnDetailShowing = [&](TdlgMSI_Detail& dialog) {
        auto& list = dialog.CheckList();
        int checked = 0;
        for (int i = 0; i < list.Count(); ++i)
            checked += list.Checked(i);
        const int page = dialog.Find<TNotebook>("Notebook").PageIndex();
        seen.push_back(
            {dialog.Title().Caption(), page, page == 3 ? dialog.Rows().Count() : list.Count(), checked, true});
        // Once the dialog is up: a click on a check box, then OK by mouse.
        app->Post([&, clickBox = clickOneBox && list.Count() > 0] {
            test::PumpFor(200);
            Shot("detail-" + std::to_string(seen.size()));
            if (clickBox) {
                const bool before = list.Checked(0);
                test::XClickAt(list.Handle(), 7, 7);
                test::PumpFor(100);
                seen.back().markKept = list.Checked(0) == before;
            }
            test::XClick(dialog.Find<TControl>("FlatButton1").Handle());
        });
    };
    auto open = [&](const char* sheet, const char* button) {
        if (pages.ActivePageName() != sheet)
            ASSERT_TRUE(ClickTab(pages, sheet));
        test::PumpFor(100);
        ASSERT_TRUE(test::XClick(Get<TControl>(button).Handle())) << button;
        test::PumpFor(100);
    };

    open("tsOS", "bEnv");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Environment");
    EXPECT_EQ(seen[0].page, 3);
    EXPECT_EQ(seen[0].items, static_cast<int>(container.Info().Get<TOperatingSystem>().Environment->Count()));

    clickOneBox = true;
    const char* captions[] = {"Curve Capabilities", "Line Capabilities", "Polygonal Capabilities",
                              "Raster Capabilities", "Text Capabilities"};
    const CapabilityKind kinds[] = {CapabilityKind::Curve, CapabilityKind::Line, CapabilityKind::Polygon,
                                    CapabilityKind::Raster, CapabilityKind::Text};
    for (int tag = 0; tag < 5; ++tag) {
        open("tsDisplay", ("bCaps" + std::to_string(tag)).c_str());
        ASSERT_EQ(seen.size(), 2u + tag);
        EXPECT_EQ(seen.back().title, captions[tag]);
        EXPECT_EQ(seen.back().page, 1);
        EXPECT_EQ(seen.back().items, static_cast<int>(CapabilitiesOf(kinds[tag]).elements.size()));
        EXPECT_TRUE(seen.back().markKept) << captions[tag];
    }
    clickOneBox = false;
    const std::pair<const char*, const StringList*> lists[] = {{"bModes", &container.Info().Get<TDisplay>().Modes},
                                                               {"bProto", &container.Info().Get<TNetwork>().Protocols},
                                                               {"bServ", &container.Info().Get<TNetwork>().Services},
                                                               {"bCli", &container.Info().Get<TNetwork>().Clients}};
    for (const auto& [button, list] : lists) {
        open(std::string(button) == "bModes" ? "tsDisplay" : "tsNetwork", button);
        EXPECT_EQ(seen.back().items, static_cast<int>(list->Count())) << button;
        EXPECT_EQ(seen.back().checked, seen.back().items) << button;
    }
    EXPECT_EQ(seen[seen.size() - 4].title, "Supported Video Modes");
    EXPECT_EQ(seen[seen.size() - 3].title, "Protocols");
    EXPECT_EQ(seen[seen.size() - 2].title, "Services");
    EXPECT_EQ(seen[seen.size() - 1].title, "Clients");

    // The processor's features: a click leaves the collected mark.
    ASSERT_TRUE(ClickTab(pages, "tsCPU"));
    auto& inner = Get<TPageControl>("pcCPU");
    ASSERT_TRUE(ClickTab(inner, "tsFeatures"));
    auto& features = Get<TCheckListBox>("clbCPU");
    ASSERT_GT(features.Count(), 20);
    EXPECT_EQ(features.Item(features.Count() - 1), "FDIV Bug");
    const bool before = features.Checked(0);
    ASSERT_TRUE(test::XClickAt(features.Handle(), 7, 7));
    EXPECT_EQ(features.Checked(0), before);
}

TEST_F(Overview, DeviceTreeAndProperties)
{
    auto& window = Open();
    TDevice disk;
    disk.ClassName = "DiskDrive";
    disk.ClassDesc = "Disk drives";
    disk.DeviceClass = static_cast<std::uint8_t>(DeviceClassIndex("DiskDrive"));
    disk.FriendlyName = "QM Disk";
    disk.GUID = "{4D36E967-E325-11CE-BFC1-08002BE10318}";
    disk.Manufacturer = "(Standard disk drives)";
    disk.Service = "disk";
    TDevice second = disk;
    second.FriendlyName = "";
    second.Description = "A Disk";
    TDevice mouse;
    mouse.ClassName = "Mouse";
    mouse.DeviceClass = static_cast<std::uint8_t>(DeviceClassIndex("Mouse"));
    mouse.Description = "QM Mouse";
    mouse.ServiceName = "Mouse Class Driver";
    mouse.Service = "mouclass";
    container.Info().Get<TDevices>().SetDevices({disk, second, mouse});
    window.RefreshDisplay();

    auto& tree = Get<TTreeView>("Tree");
    TTreeNode* root = tree.Roots().at(0);
    ASSERT_EQ(root->Children().size(), 2u);
    // Sorted: "Disk drives" before "Mouse" (no description: the class name).
    EXPECT_EQ(root->Children()[0]->Text(), "Disk drives");
    EXPECT_EQ(root->Children()[1]->Text(), "Mouse");
    const auto disks = root->Children()[0]->Children();
    ASSERT_EQ(disks.size(), 2u);
    EXPECT_EQ(disks[0]->Text(), "A Disk");
    EXPECT_EQ(disks[1]->Text(), "QM Disk");
    EXPECT_EQ(disks[1]->ImageIndex(), 4);

    ASSERT_TRUE(ClickTab(Get<TPageControl>("pc"), "tsDevices"));
    auto& properties = Get<TButton>("bProps");
    tree.Select(root->Children()[1]);
    test::PumpFor(50);
    EXPECT_FALSE(properties.Enabled());
    root->Children()[1]->Expand();
    TTreeNode* mouseNode = root->Children()[1]->Children().at(0);
    std::vector<std::pair<std::string, std::string>> rows;
    std::string title;
    window.OnDetailShowing = [&](TdlgMSI_Detail& dialog) {
        title = dialog.Title().Caption();
        for (int i = 0; i < dialog.Rows().Count(); ++i)
            rows.emplace_back(dialog.Rows().ItemText(i, 0), dialog.Rows().ItemText(i, 1));
        app->Post([&dialog] { test::XClick(dialog.Find<TControl>("FlatButton1").Handle()); });
    };
    RECT r{};
    TreeView_GetItemRect(tree.Handle(), mouseNode->Item(), &r, TRUE);
    ASSERT_TRUE(test::XClickAt(tree.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2, 2));
    EXPECT_TRUE(test::PumpUntil([&] { return !rows.empty(); }));
    EXPECT_TRUE(properties.Enabled());
    EXPECT_EQ(title, "Device Properties");
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0], std::make_pair(std::string("Device Name"), std::string("QM Mouse")));
    EXPECT_EQ(rows[1].second, "Mouse");
    EXPECT_EQ(rows[2].second, "Mouse");
    EXPECT_EQ(rows[10], std::make_pair(std::string("Service Name"), std::string("Mouse Class Driver")));
}

TEST_F(Overview, EndsAProcessItStartedAndSaysWhenItCannot)
{
    test::SuspendedCopies children(2);
    ASSERT_EQ(children.Ids().size(), 2u);
    auto& window = Open();
    ASSERT_TRUE(ClickTab(Get<TPageControl>("pc"), "tsProcs"));
    auto& rows = Get<TListView>("lvProcs");
    auto rowOf = [&](DWORD id) {
        for (int row = 0; row < rows.Count(); ++row)
            if (rows.ItemText(row, 0) == std::to_string(id))
                return row;
        return -1;
    };
    auto select = [&](int row) {
        RECT r{};
        ListView_GetItemRect(rows.Handle(), row, &r, LVIR_LABEL);
        ListView_EnsureVisible(rows.Handle(), row, FALSE);
        ListView_GetItemRect(rows.Handle(), row, &r, LVIR_LABEL);
        return test::XClickAt(rows.Handle(), r.left + 8, (r.top + r.bottom) / 2) && rows.Selected() == row;
    };
    services.realBoxes = true;

    const DWORD first = children.Ids()[0];
    ASSERT_GE(rowOf(first), 0);
    ASSERT_TRUE(select(rowOf(first)));
    const std::string image = rows.ItemText(rowOf(first), 1);
    {
        test::DialogAnswerer yes("Warning", test::ClickButton("&Yes"));
        ASSERT_TRUE(test::XClick(Get<TButton>("bTerminate").Handle()));
        EXPECT_TRUE(test::PumpUntil([&] { return rowOf(first) < 0; }, 30000));
        yes.Stop();
        ASSERT_EQ(yes.Texts().size(), 1u);
        EXPECT_TRUE(yes.Texts()[0].starts_with(image + "\r\n\r\nWARNING: Terminating a process")) << yes.Texts()[0];
    }
    UniqueHandle ended(OpenProcess(SYNCHRONIZE, FALSE, first));
    EXPECT_TRUE(!ended || WaitForSingleObject(ended.Get(), 10000) == WAIT_OBJECT_0);

    // The second ends by other means while its row is still shown.
    const DWORD second = children.Ids()[1];
    {
        UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, second));
        ASSERT_TRUE(process);
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 10000);
    }
    ASSERT_TRUE(select(rowOf(second)));
    const int before = rows.Count();
    {
        test::DialogAnswerer answers(
            "Warning",
            [](HWND box, const std::string& text) {
                return test::ClickButton(FindWindowExA(box, nullptr, "Button", "&Yes") ? "&Yes" : "OK")(box, text);
            },
            2);
        ASSERT_TRUE(test::XClick(Get<TButton>("bTerminate").Handle()));
        EXPECT_TRUE(test::PumpUntil([&] { return answers.Answered() == 2; }, 30000));
        answers.Stop();
        ASSERT_EQ(answers.Texts().size(), 2u) << answers.Texts().front();
        EXPECT_EQ(answers.Texts()[1], "Cannot terminate this process.");
    }
    EXPECT_EQ(rows.Count(), before);
    EXPECT_GE(rowOf(second), 0);
    (void)window;
}

// Windows gives the identifier of a process that has ended to a new one: the
// list then shows an identifier that another process holds. The row a person
// picks here is such a row: the listed process started earlier, or ran
// another program, than the one holding its identifier now.
TEST_F(Overview, RefusesToEndAProcessThatIsNotTheOneListed)
{
    test::SuspendedCopies children(1);
    ASSERT_EQ(children.Ids().size(), 1u);
    const DWORD child = children.Ids()[0];
    auto& window = Open();
    ASSERT_TRUE(ClickTab(Get<TPageControl>("pc"), "tsProcs"));
    auto& rows = Get<TListView>("lvProcs");
    TProcesses& processes = container.Info().Get<TProcesses>();
    const auto listedNow = std::find_if(processes.Entries().begin(), processes.Entries().end(),
                                        [&](const TProcessEntry& entry) { return entry.ID == child; });
    ASSERT_NE(listedNow, processes.Entries().end());
    ASSERT_NE(listedNow->Started, 0u);
    const TProcessEntry running = *listedNow;
    services.realBoxes = true;

    auto rowOf = [&](DWORD id) {
        for (int row = 0; row < rows.Count(); ++row)
            if (rows.ItemText(row, 0) == std::to_string(id))
                return row;
        return -1;
    };
    auto terminateRow = [&] {
        const int row = rowOf(child);
        RECT r{};
        ListView_EnsureVisible(rows.Handle(), row, FALSE);
        ListView_GetItemRect(rows.Handle(), row, &r, LVIR_LABEL);
        if (!test::XClickAt(rows.Handle(), r.left + 8, (r.top + r.bottom) / 2) || rows.Selected() != row)
            return std::vector<std::string>{};
        test::DialogAnswerer answers(
            "Warning",
            [](HWND box, const std::string& text) {
                return test::ClickButton(FindWindowExA(box, nullptr, "Button", "&Yes") ? "&Yes" : "OK")(box, text);
            },
            2);
        if (!test::XClick(Get<TButton>("bTerminate").Handle()))
            return std::vector<std::string>{};
        test::PumpUntil([&] { return answers.Answered() == 2; }, 30000);
        answers.Stop();
        return answers.Texts();
    };
    auto stillRunning = [&] {
        UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, child));
        return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
    };

    for (const TProcessEntry& listed : {TProcessEntry{running.Name, child, running.Started - 10'000'000},
                                        TProcessEntry{"C:\\Program Files\\Tool\\tool.exe", child, running.Started}}) {
        std::vector<TProcessEntry> entries = processes.Entries();
        for (TProcessEntry& entry : entries)
            if (entry.ID == child)
                entry = listed;
        processes.SetEntries(entries);
        window.RefreshDisplay();
        ASSERT_TRUE(ClickTab(Get<TPageControl>("pc"), "tsProcs"));
        const int before = rows.Count();
        const std::vector<std::string> texts = terminateRow();
        ASSERT_EQ(texts.size(), 2u) << listed.Name;
        const std::string image = listed.Name.substr(listed.Name.rfind('\\') + 1);
        EXPECT_EQ(texts[1], NotTheListedProcessText(child, image, running.Name.substr(running.Name.rfind('\\') + 1)));
        EXPECT_TRUE(stillRunning()) << listed.Name;
        EXPECT_EQ(rows.Count(), before);
        EXPECT_GE(rowOf(child), 0);
    }
}

TEST_F(Overview, SavesBothReportKindsThroughTheSaveDialog)
{
    auto& window = Open();
    auto& pages = Get<TPageControl>("pc");
    const std::string folder = TempFolder();
    const std::string all = folder + "SystemInfo.txt", engines = folder + "Engines.txt", tool = folder + "tool.txt";
    DeleteFileA(all.c_str());
    SetFileAttributesA(engines.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(engines.c_str());
    services.realBoxes = true;
    // The save dialog opens in the current folder.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(previous), previous);
    SetCurrentDirectoryA(folder.c_str());

    {
        ReportSaver saver(0);
        ASSERT_TRUE(test::XClick(Get<TButton>("bReport").Handle()));
        EXPECT_TRUE(test::PumpUntil(
            [&] { return saver.Done() && GetFileAttributesA(all.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000));
        saver.Join();
        EXPECT_EQ(saver.Offered(), "SystemInfo.txt");
    }
    ASSERT_EQ(test::RunReportTool("\"" + tool + "\""), 0u);
    const auto ours = Sections(ReadFile(all)), theirs = Sections(ReadFile(tool));
    EXPECT_TRUE(ReadFile(all).ends_with("\r\n"));
    // The same sections; equal except those that change between two reads.
    std::vector<std::string> ourHeaders, theirHeaders;
    for (const auto& [header, lines] : ours)
        ourHeaders.push_back(header);
    for (const auto& [header, lines] : theirs)
        theirHeaders.push_back(header);
    EXPECT_EQ(ourHeaders, theirHeaders);
    const std::vector<std::string> changing = {"[Machine]", "[CPU]", "[Memory]", "[Processes]", "[Environment]"};
    for (const auto& [header, lines] : ours)
        if (std::find(changing.begin(), changing.end(), header) == changing.end() && !header.starts_with("[Disk") &&
            theirs.count(header))
            EXPECT_EQ(lines, theirs.at(header)) << header;

    // The Engines tab's topic: its section alone, offered as "Engines.txt".
    ASSERT_TRUE(ClickTab(pages, "tsEngines"));
    {
        ReportSaver saver(1);
        ASSERT_TRUE(test::XClick(Get<TButton>("bReport").Handle()));
        EXPECT_TRUE(test::PumpUntil([&] { return saver.Done(); }, 60000));
        saver.Join();
        EXPECT_EQ(saver.Offered(), "Engines.txt");
    }
    EXPECT_TRUE(test::PumpUntil([&] { return GetFileAttributesA(engines.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // The engines' four sections, as the console tool wrote them.
    EXPECT_EQ(ReadFile(engines), theirs.at("[ODBC]") + theirs.at("[BDE]") + theirs.at("[DAO]") + theirs.at("[ADO]"));
    EXPECT_EQ(ReadFile(engines).find("[DirectX]"), std::string::npos);

    // Again to the same name: asked first, then replaced.
    {
        std::ofstream(engines, std::ios::binary) << "old";
    }
    {
        ReportSaver saver(1, {{"", "&Yes"}});
        ASSERT_TRUE(test::XClick(Get<TButton>("bReport").Handle()));
        EXPECT_TRUE(test::PumpUntil([&] { return saver.Done(); }, 60000));
    }
    EXPECT_TRUE(test::PumpUntil([&] { return ReadFile(engines).starts_with("[ODBC]"); }));

    // A file that cannot be replaced: said so, the file untouched, the lines kept.
    {
        std::ofstream(engines, std::ios::binary) << "keep me";
    }
    SetFileAttributesA(engines.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        ReportSaver saver(1, {{"", "&Yes"}, {"Report not saved", "OK"}});
        ASSERT_TRUE(test::XClick(Get<TButton>("bReport").Handle()));
        EXPECT_TRUE(test::PumpUntil([&] { return saver.Done(); }, 60000));
        saver.Join();
        ASSERT_FALSE(saver.Texts().empty());
        EXPECT_NE(saver.Texts().back().find(engines), std::string::npos) << saver.Texts().back();
    }
    EXPECT_EQ(ReadFile(engines), "keep me");
    EXPECT_GT(window.ReportLines().Count(), 1u);
    EXPECT_EQ(window.ReportLines()[0], "[ODBC]");
    SetFileAttributesA(engines.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetCurrentDirectoryA(previous);
}

TEST(ReportFiles, AWholeFileOrNone)
{
    const std::string folder = TempFolder();
    const std::string target = folder + "whole.txt";
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(target.c_str());
    EXPECT_TRUE(WriteWholeFile(target, "one\r\n", ExistingFile::Replace).ok);
    EXPECT_EQ(ReadFile(target), "one\r\n");
    EXPECT_TRUE(WriteWholeFile(target, "two\r\n", ExistingFile::Keep).ok);
    EXPECT_EQ(ReadFile(target), "one\r\n");
    EXPECT_TRUE(WriteWholeFile(target, "two\r\n", ExistingFile::Replace).ok);
    EXPECT_EQ(ReadFile(target), "two\r\n");

    // A folder that is not there: the system's reason, nothing left behind.
    const FileWriteResult missing = WriteWholeFile(folder + "no\\such\\folder\\r.txt", "x", ExistingFile::Replace);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.reason.empty());
    // Read-only: refused and unchanged.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const FileWriteResult readOnly = WriteWholeFile(target, "three", ExistingFile::Replace);
    EXPECT_FALSE(readOnly.ok);
    EXPECT_EQ(readOnly.reason, SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFile(target), "two\r\n");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A folder under the name: refused.
    EXPECT_FALSE(WriteWholeFile(folder.substr(0, folder.size() - 1), "x", ExistingFile::Replace).ok);
    // No temporary file stays in the folder.
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "qm*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    DeleteFileA(target.c_str());
}

} // namespace
} // namespace qm
