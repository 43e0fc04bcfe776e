#include "sysinfo/viewer/msi_overview.h"

#include <shellapi.h>

#include "framework/application.h"
#include "framework/button.h"
#include "framework/common_dialogs.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "framework/image_list.h"
#include "framework/list_box.h"
#include "framework/list_view.h"
#include "framework/popup_menu.h"
#include "framework/progress_bar.h"
#include "framework/tab_control.h"
#include "framework/tree_view.h"
#include "platform/file_write.h"
#include "platform/unique_resource.h"
#include "sysinfo/msi_machine.h"
#include "sysinfo/os_kind.h"
#include "sysinfo/report_format.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

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

// The tab order of the start-up list's tabs.
constexpr StartupKind kStartupTabs[] = {StartupKind::UserFolder, StartupKind::CommonFolder, StartupKind::MachineRun,
                                        StartupKind::UserRun,    StartupKind::RunOnce,      StartupKind::WinIni};

constexpr Color kLockOn = clLime, kLockOff = clSilver;

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

std::string IntText(long long value)
{
    return std::to_string(value);
}

std::string ProductTypeSuffix(TNtProductType type)
{
    switch (type) {
    case TNtProductType::ptWorkStation:
        return " - Workstation";
    case TNtProductType::ptServer:
        return " - Server";
    case TNtProductType::ptAdvancedServer:
        return " - Advanced Server";
    default:
        return {};
    }
}

std::string PowerStatusText(TPowerStatus status)
{
    switch (status) {
    case TPowerStatus::psOffline:
        return "Offline";
    case TPowerStatus::psOnline:
        return "Online";
    default:
        return "Unknown";
    }
}

std::string BatteryStatusText(TBatteryStatus status)
{
    static constexpr const char* kTexts[] = {"Unknown", "High", "Low", "Critical", "Charging", "No Battery"};
    return kTexts[static_cast<int>(status)];
}

enum class Termination { Ended, NotRunning, NotTheListed };

// Ends the listed process only while its identifier still belongs to it:
// Windows gives the identifiers of ended processes to new ones. A process
// that has ended can still be opened while others hold it, and ending it
// again "succeeds": only a process still running counts as ended here.
Termination TerminateListedProcess(const TProcessEntry& listed, std::optional<TProcessEntry>& holder)
{
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, listed.ID));
    const bool canWait = static_cast<bool>(process);
    if (!process)
        process.Reset(OpenProcess(PROCESS_TERMINATE, FALSE, listed.ID));
    if (!process || (canWait && WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0))
        return Termination::NotRunning;
    // The open handle keeps the identifier with this process while it is compared.
    holder = ProcessNow(listed.ID);
    if (!holder || !IsSameProcess(listed, *holder))
        return Termination::NotTheListed;
    return TerminateProcess(process.Get(), 0) ? Termination::Ended : Termination::NotRunning;
}

std::string FoundOrNot(const std::string& product, const std::string& version)
{
    return version.empty() ? product + " not found" : product + " " + version;
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
    cbDrive = &Find<TComboBox>("cbDrive");
    tcStartup = &Find<TTabControl>("tcStartup");
    lvProcs = &Find<TListView>("lvProcs");
    imgDrive = &Find<TImage>("imgDrive");
}

SystemInfo& TfrmMSI_Overview::Info() const
{
    if (!SysInfo)
        throw std::logic_error("the information window has no container");
    return SysInfo->Info();
}

bool TfrmMSI_Overview::IsNT() const
{
    return TheStartupValues().IsNT;
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
        Info().RefreshData(App().Services());
    }
    RefreshDisplay();
}

void TfrmMSI_Overview::RefreshDisplay()
{
    WaitCursor wait;
    auto shown = [&](const CollectorKind& kind) { return (pages_ & (1u << PageOf(kind))) != 0; };
    // Page by page in tab order, but Printers after Processes: inherited.
    if (shown(kCollectorKind<TMachine>))
        FillMachine();
    if (shown(kCollectorKind<TOperatingSystem>))
        FillOS();
    if (shown(kCollectorKind<TCPU>))
        FillCPU();
    if (shown(kCollectorKind<TMemory>))
        FillMemoryPage();
    if (shown(kCollectorKind<TDisplay>))
        FillDisplay();
    if (shown(kCollectorKind<TAPM>))
        FillAPM();
    if (shown(kCollectorKind<TMedia>))
        FillMedia();
    if (shown(kCollectorKind<TNetwork>))
        FillNetwork();
    if (shown(kCollectorKind<TDevices>))
        FillDevices();
    if (shown(kCollectorKind<TEngines>))
        FillEngines();
    if (shown(kCollectorKind<TDisk>))
        FillDrives();
    if (shown(kCollectorKind<TTimeZone>))
        FillTimeZone();
    if (shown(kCollectorKind<TProcesses>))
        FillProcesses();
    if (shown(kCollectorKind<TPrinters>))
        FillPrinters();
    if (shown(kCollectorKind<TStartup>))
        FillStartup();
    if (shown(kCollectorKind<TSoftware>))
        FillSoftware();
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

// ---- fill routines ----------------------------------------------------------------

namespace {

void Put(const TForm& form, std::string_view name, const std::string& text)
{
    if (auto* edit = dynamic_cast<TCustomEdit*>(form.FindComponent(name)))
        edit->SetText(text);
    else
        form.Find<TControl>(name).SetCaption(text);
}

} // namespace

void TfrmMSI_Overview::FillMachine()
{
    const TMachine& machine = Info().Get<TMachine>();
    const ReportLocale locale = UserReportLocale();
    if (machine.Computer.find_first_not_of(" \t") != std::string::npos)
        Find<TTabSheet>("tsWksta").SetCaption(" " + machine.Computer + " ");
    Put(*this, "eWksta", machine.Name);
    Put(*this, "eUser", machine.User);
    Put(*this, "eBIOSName", machine.BIOSName);
    Put(*this, "eBIOSCopy", machine.BIOSCopyright);
    Put(*this, "eBIOSDate", machine.BIOSDate);
    Put(*this, "eBIOSExt", machine.BIOSExtendedInfo);
    Put(*this, "eLastBoot", locale.dateTimeText(machine.LastBoot));
    Put(*this, "eSysTime", UpTimeText(machine.SystemUpTime));
    Find<TControl>("pNumLock").SetColor(machine.NumLock ? kLockOn : kLockOff);
    Find<TControl>("pCapsLock").SetColor(machine.CapsLock ? kLockOn : kLockOff);
    Find<TControl>("pScrollLock").SetColor(machine.ScrollLock ? kLockOn : kLockOff);
}

void TfrmMSI_Overview::FillOS()
{
    const TOperatingSystem& os = Info().Get<TOperatingSystem>();
    const StartupValues& system = TheStartupValues();
    Find<TTabSheet>("tsOS").SetCaption(os.Platform);
    std::string version = system.OSName;
    if (system.IsNT) {
        version += ProductTypeSuffix(os.NTSpecific->ProductType);
        Put(*this, "lCSD", os.CSD);
    }
    Put(*this, "lVersion", version);
    Put(*this, "lVerNo",
        "Version: " + IntText(os.MajorVersion) + "." + IntText(os.MinorVersion) + "." + IntText(os.BuildNumber));
    Find<TControl>("bNTSpec").SetEnabled(system.Is2K || system.IsXP);
    if (system.IsOSR2)
        Put(*this, "lCSD", "OSR 2");
    if (system.IsSE)
        Put(*this, "lCSD", "Second Edition");
    Put(*this, "ePID", os.ProductID);
    Put(*this, "ePKey", os.ProductKey);
    Put(*this, "eRegUser", os.RegisteredUser);
    Put(*this, "eRegOrg", os.RegisteredOrg);
    Put(*this, "lDVD", "DVD Region: " + os.DVDRegion);
    auto& folders = Find<TListView>("FolderList");
    folders.Clear();
    for (const std::string& line : os.Folders->Lines()) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && equals + 1 < line.size())
            folders.AddItem(line.substr(0, equals), {line.substr(equals + 1)});
    }
}

void TfrmMSI_Overview::FillCPU()
{
    TCPU& cpu = Info().Get<TCPU>();
    Put(*this, "lCPU", ProcessorLine(cpu.Count, cpu.Vendor, cpu.VendorID, cpu.Frequency));
    Put(*this, "lVendor", "Vendor: " + cpu.VendorEx);
    Put(*this, "lSerial", "Serial Number: " + cpu.SerialNumber);
    Put(*this, "lTrans", "Transistors: " + IntText(cpu.Transistors));
    Put(*this, "lCodename", "Code Name: " + cpu.CodeName);
    Put(*this, "lModel", ModelLine(cpu.Family, cpu.Model, cpu.Stepping));
    StringList features;
    cpu.Features->Report(features);
    features.Add("FDIV Bug=" + IntText(cpu.FDIVBug ? 1 : 0));
    auto& list = Find<TCheckListBox>("clbCPU");
    list.Clear();
    for (const CheckItem& item : CheckItemsAfterHeader(features))
        list.AddItem(item.name, item.checked);
    Put(*this, "lL1Data", "Level 1 Data Cache: " + IntText(cpu.Cache->L1Data) + " Kb");
    Put(*this, "lL1Code", "Level 1 Instruction Cache: " + IntText(cpu.Cache->L1Code) + " Kb");
    Put(*this, "lLevel1", "Level 1 Unified Cache: " + IntText(cpu.Cache->Level1) + " Kb");
    Put(*this, "lLevel2", "Level 2 Unified Cache: " + IntText(cpu.Cache->Level2) + " Kb");
}

void TfrmMSI_Overview::FillMemoryPage()
{
    const TMemory& memory = Info().Get<TMemory>();
    const char separator = UserReportLocale().thousandsSeparator;
    auto asDouble = [](std::int64_t value) { return static_cast<double>(value); };
    Put(*this, "ePT", GroupedOrBlank(asDouble(memory.PhysicalTotal), separator));
    Put(*this, "ePF", Grouped(asDouble(memory.PhysicalFree), separator));
    Put(*this, "eFT", GroupedOrBlank(asDouble(memory.PageFileTotal), separator));
    Put(*this, "eFF", Grouped(asDouble(memory.PageFileFree), separator));
    Put(*this, "eVT", GroupedOrBlank(asDouble(memory.VirtualTotal), separator));
    Put(*this, "eVF", Grouped(asDouble(memory.VirtualFree), separator));
    Find<TProgressBar>("gMemoryLED").SetPosition(memory.MemoryLoad);
    Put(*this, "eAG", GroupedOrBlank(memory.AllocGranularity, separator));
    Put(*this, "eAppAddr", AddressRangeText(memory.MinAppAddress, memory.MaxAppAddress));
    Put(*this, "ePS", GroupedOrBlank(memory.PageSize, separator));
}

void TfrmMSI_Overview::FillDisplay()
{
    const TDisplay& display = Info().Get<TDisplay>();
    auto& adapters = Find<TComboBox>("cbDisplay");
    adapters.Clear();
    adapters.AddItem(display.Adapter);
    adapters.SetItemIndex(0);
    Put(*this, "eChip", display.Chipset);
    Put(*this, "eDAC", display.DAC);
    Put(*this, "eMem", IntText(display.Memory));
    Put(*this, "eBIOS", display.BIOSVersion + " (" + display.BIOSDate + ")");
    Put(*this, "lTechnology", "Technology: " + display.Technology);
    Put(*this, "lMetrics",
        "Metrics: " + IntText(display.HorzRes) + " x " + IntText(display.VertRes) + " - " +
            IntText(display.ColorDepth) + " bit");
    Put(*this, "lPixWidth", "Pixel Width: " + IntText(display.PixelWidth));
    Put(*this, "lPixHeight", "Pixel Height: " + IntText(display.PixelHeight));
    Put(*this, "lPixDiag", "Pixel Diagonal: " + IntText(display.PixelDiagonal));
    Put(*this, "lFontRes", "Font Resolution: " + IntText(display.FontResolution) + " dpi");
}

void TfrmMSI_Overview::FillAPM()
{
    const TAPM& apm = Info().Get<TAPM>();
    Put(*this, "eAC", PowerStatusText(apm.ACPowerStatus));
    Put(*this, "eBat", BatteryStatusText(apm.BatteryChargeStatus));
    if (apm.BatteryLifePercent > 100) {
        Put(*this, "eBatFull", "<info not available>");
        Put(*this, "eBatLife", "<info not available>");
        return;
    }
    Put(*this, "eBatFull", FormatSeconds(apm.BatteryLifeFullTime));
    Put(*this, "eBatLife", FormatSeconds(apm.BatteryLifeTime));
    Find<TProgressBar>("gAPMLED").SetPosition(apm.BatteryLifePercent);
}

void TfrmMSI_Overview::FillMedia()
{
    const TMedia& media = Info().Get<TMedia>();
    auto& devices = Find<TListView>("lvMedia");
    devices.Clear();
    for (size_t i = 0; i < media.Devices.Count(); ++i) {
        const int index = static_cast<int>(i);
        const int icon = index == media.GamePortIndex ? OverviewIcon::kGamePort
            : index == media.SoundCardIndex           ? OverviewIcon::kSoundCard
                                                      : OverviewIcon::kMultimedia;
        devices.AddItem(media.Devices[i], {}, icon);
    }
    auto& drivers = Find<TListView>("lvSound");
    drivers.Clear();
    const std::pair<const StringList*, std::pair<const char*, int>> kinds[] = {
        {&media.WAVEIn, {"Wave In", OverviewIcon::kWave}}, {&media.WAVEOut, {"Wave Out", OverviewIcon::kWave}},
        {&media.MIDIIn, {"MIDI In", OverviewIcon::kMidi}}, {&media.MIDIOut, {"MIDI Out", OverviewIcon::kMidi}},
        {&media.AUX, {"AUX", OverviewIcon::kAux}},         {&media.Mixer, {"Mixer", OverviewIcon::kMixer}},
    };
    for (const auto& [list, kind] : kinds)
        for (const std::string& name : list->Lines())
            drivers.AddItem(name, {kind.first}, kind.second);
}

void TfrmMSI_Overview::FillNetwork()
{
    const TNetwork& network = Info().Get<TNetwork>();
    auto& adapters = Find<TListView>("lvNetwork");
    adapters.Clear();
    for (size_t i = 0; i < network.Adapters.Count(); ++i)
        adapters.AddItem(network.Adapters[i], {},
                         static_cast<int>(i) == network.CardAdapterIndex ? OverviewIcon::kNetworkCard
                                                                         : OverviewIcon::kNetworkAdapter);
    Find<TListBox>("lbIP").SetItems(network.IPAddresses.Lines());
    Find<TListBox>("lbMAC").SetItems(network.MACAddresses.Lines());
    Put(*this, "eWSDesc", network.WinSock->Description);
    Put(*this, "eWSVer", IntText(network.WinSock->MajorVersion) + "." + IntText(network.WinSock->MinorVersion));
    Put(*this, "eWSStat", network.WinSock->Status);
}

void TfrmMSI_Overview::FillDevices()
{
    const TDevices& collector = Info().Get<TDevices>();
    Tree->Clear();
    TTreeNode* root = Tree->AddChild(nullptr, GetComputerNameText(), OverviewIcon::kComputer);
    std::vector<DeviceTreeInput> devices;
    for (const TDevice& device : collector.Devices()) {
        const bool blankDescription = device.ClassDesc.find_first_not_of(" \t") == std::string::npos;
        devices.push_back(
            {device.DeviceClass, blankDescription ? device.ClassName : device.ClassDesc, device.DisplayName()});
    }
    for (const DeviceTreeClass& group : DeviceTreeClasses(devices)) {
        TTreeNode* node = Tree->AddChild(root, group.caption, group.icon, group.classIndex);
        for (const DeviceTreeDevice& device : group.devices)
            Tree->AddChild(node, device.caption, group.icon, device.index);
        if (node)
            node->SortChildren();
    }
    if (root) {
        root->SortChildren();
        root->Expand();
    }
    Find<TControl>("bProps").SetEnabled(false);
}

void TfrmMSI_Overview::FillEngines()
{
    const TEngines& engines = Info().Get<TEngines>();
    const TDirectX& directX = Info().Get<TDirectX>();
    Put(*this, "lODBC", FoundOrNot("Open Database Connectivity", engines.ODBC));
    Put(*this, "lBDE", FoundOrNot("Borland Database Engine", engines.BDE));
    Put(*this, "lDAO", FoundOrNot("Microsoft Data Access Objects", engines.DAO));
    Put(*this, "lADO", FoundOrNot("Microsoft ActiveX Data Objects", engines.ADO));
    if (directX.Version.empty()) {
        Put(*this, "lDirectX", "Not installed.");
        return;
    }
    Put(*this, "lDirectX", "Installed version: " + directX.Version);
    auto& list = Find<TListView>("lvDirectX");
    list.Clear();
    const std::pair<const StringList*, const char*> kinds[] = {
        {&directX.Direct3D, "Direct3D"}, {&directX.DirectMusic, "DirectMusic"}, {&directX.DirectPlay, "DirectPlay"}};
    for (const auto& [names, kind] : kinds)
        for (const std::string& name : names->Lines())
            list.AddItem(name, {kind}, OverviewIcon::kDirectX);
}

void TfrmMSI_Overview::FillDrives()
{
    const TDisk& disk = Info().Get<TDisk>();
    cbDrive->Clear();
    char windowsDrive = 0;
    for (const std::string& line : Info().Get<TOperatingSystem>().Folders->Lines())
        if (line.size() > 8 && _strnicmp(line.c_str(), "Windows=", 8) == 0)
            windowsDrive = static_cast<char>(std::toupper(static_cast<unsigned char>(line[8])));
    int selected = 0;
    for (char letter : disk.AvailableDisks) {
        const int index = cbDrive->AddItem(std::string(1, letter) + ":");
        if (std::toupper(static_cast<unsigned char>(letter)) == windowsDrive)
            selected = index;
    }
    if (cbDrive->Count() == 0)
        return;
    cbDrive->SetItemIndex(selected);
    cbDriveChange(*cbDrive);
}

void TfrmMSI_Overview::cbDriveChange(Component&)
{
    TDisk& disk = Info().Get<TDisk>();
    auto& gauge = Find<TProgressBar>("gDiskLED");
    gauge.SetPosition(0);
    const int item = cbDrive->ItemIndex();
    if (item < 0)
        return;
    disk.SetDisk(cbDrive->Item(item).substr(0, 2));
    Put(*this, "lDriveType", GetMediaTypeStr(disk.MediaType) + " - " + disk.FileSystem);
    if (disk.MediaPresent()) {
        char root[MAX_PATH] = {};
        lstrcpynA(root, (disk.Drive + "\\").c_str(), MAX_PATH);
        WORD iconIndex = 0;
        HICON icon = ExtractAssociatedIconA(GetModuleHandleA(nullptr), root, &iconIndex);
        // Where no program is associated with a drive, its shell picture.
        SHFILEINFOA shell{};
        if (!icon && SHGetFileInfoA(root, 0, &shell, sizeof(shell), SHGFI_ICON))
            icon = shell.hIcon;
        imgDrive->SetIcon(icon);
    } else {
        imgDrive->SetIcon(nullptr);
    }
    Put(*this, "eUNC", UniversalDriveName(disk.Drive));
    Put(*this, "eDSN", disk.SerialNumber);
    const std::string labelled = DriveItemWithLabel(cbDrive->Item(item), disk.VolumeLabel);
    if (labelled != cbDrive->Item(item)) {
        cbDrive->SetItem(item, labelled);
        cbDrive->SetItemIndex(item);
    }
    const char separator = UserReportLocale().thousandsSeparator;
    Put(*this, "lCapacity", "Capacity: " + Grouped(static_cast<double>(disk.Capacity), separator) + " B");
    Put(*this, "lFree", "Free space: " + Grouped(static_cast<double>(disk.FreeSpace), separator) + " B");
    gauge.SetPosition(FreeSpacePercent(disk.FreeSpace, disk.Capacity));
    Put(*this, "lBPS", "Bytes/sector: " + IntText(disk.BytesPerSector));
    Put(*this, "lSPC", "Sector/cluster: " + IntText(disk.SectorsPerCluster));
    Put(*this, "lFC", "Free clusters: " + Grouped(disk.FreeClusters, separator));
    Put(*this, "lTC", "Total clusters: " + Grouped(disk.TotalClusters, separator));
    StringList flagLines;
    AddFileFlagLines(flagLines, disk.FileFlags);
    auto& flags = Find<TCheckListBox>("clbFlags");
    flags.Clear();
    for (const CheckItem& flag : FlagItems(flagLines))
        flags.AddItem(flag.name, flag.checked);
}

void TfrmMSI_Overview::FillTimeZone()
{
    const TTimeZone& zone = *Info().Get<TOperatingSystem>().TimeZone;
    const ReportLocale locale = UserReportLocale();
    Put(*this, "eTZ", zone.DisplayName);
    Find<TControl>("gbStd").SetCaption(" " + zone.StandardName + " ");
    Find<TControl>("gbDay").SetCaption(" " + zone.DaylightName + " ");
    Put(*this, "eStdStart", locale.dateTimeText(zone.StandardStart));
    Put(*this, "edayStart", locale.dateTimeText(zone.DaylightStart));
    Put(*this, "eStdBias", IntText(zone.StandardBias));
    Put(*this, "eDayBias", IntText(zone.DaylightBias));
}

void TfrmMSI_Overview::FillProcesses()
{
    const TProcesses& processes = Info().Get<TProcesses>();
    const bool nt = IsNT();
    lvProcs->Clear();
    for (int i = 0; i < processes.ProcessCount(); ++i) {
        const PathParts path = SplitPath(processes.Name(i));
        lvProcs->AddItem(ProcessIdText(processes.Identifier(i), nt), {path.name, path.folder}, OverviewIcon::kProcess);
    }
    Find<TControl>("ProcPanel").SetCaption("  " + IntText(processes.ProcessCount()) + " processes");
}

void TfrmMSI_Overview::FillPrinters()
{
    const TPrinters& printers = Info().Get<TPrinters>();
    auto& list = Find<TListView>("lvPrinter");
    list.Clear();
    for (size_t i = 0; i < printers.Names.Count(); ++i) {
        const std::string port = i < printers.Ports.Count() ? printers.Ports[i] : std::string();
        list.AddItem(printers.Names[i], {port}, PrinterIcon(port, static_cast<int>(i) == printers.DefaultIndex));
    }
}

void TfrmMSI_Overview::FillStartup()
{
    const int tab = tcStartup->TabIndex();
    auto& list = Find<TListView>("lvStartup");
    list.Clear();
    if (tab < 0 || tab >= static_cast<int>(std::size(kStartupTabs)))
        return;
    for (const TStartupEntry& entry : Info().Get<TStartup>().Entries(kStartupTabs[tab]))
        list.AddItem(entry.Name, {entry.CommandLine}, OverviewIcon::kProcess);
}

void TfrmMSI_Overview::tcStartupChange(Component&)
{
    // The lists are read again for the tab the user turns to.
    Info().Get<TStartup>().GetInfo(App().Services());
    FillStartup();
}

void TfrmMSI_Overview::FillSoftware()
{
    auto& list = Find<TListView>("lvSW");
    list.Clear();
    for (const std::string& name : Info().Get<TSoftware>().Installed.Lines())
        list.AddItem(name, {}, OverviewIcon::kSoftware);
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

// ---- check lists, device tree -----------------------------------------------------

void TfrmMSI_Overview::clbClickCheck(Component& sender)
{
    KeepCheckMark(static_cast<TCheckListBox&>(sender));
}

void TfrmMSI_Overview::TreeChange(Component&)
{
    const TTreeNode* node = Tree->Selected();
    Find<TControl>("bProps").SetEnabled(node && node->Level() == 2);
}

void TfrmMSI_Overview::cmProps(Component&)
{
    const TTreeNode* node = Tree->Selected();
    if (!node || node->Level() != 2)
        return;
    TDevice device;
    Info().Get<TDevices>().GetDevice(node->Data(), device);
    const std::string classCaption = node->Parent() ? node->Parent()->Text() : std::string();
    const std::string caption = node->Text();
    ShowDetail(TdlgMSI_Detail::pgListView, "Device Properties", [&](TdlgMSI_Detail& dialog) {
        dialog.AddRow("Device Name", caption);
        dialog.AddRow("Class Name", device.ClassName);
        dialog.AddRow("Class Description", classCaption);
        dialog.AddRow("Class GUID", device.GUID);
        dialog.AddRow("Manufacturer", device.Manufacturer);
        dialog.AddRow("Location", device.Location);
        dialog.AddRow("HardwareID", device.HardwareID);
        dialog.AddRow("Driver Version", device.DriverVersion);
        dialog.AddRow("Driver Date", device.DriverDate);
        dialog.AddRow("Driver Provider", device.DriverProvider);
        dialog.AddRow("Service Name", device.ServiceName.empty() ? device.Service : device.ServiceName);
        dialog.AddRow("Service Group", device.ServiceGroup);
    });
}

// ---- sub-dialogs ------------------------------------------------------------------

void TfrmMSI_Overview::ShowDetail(TdlgMSI_Detail::Page page, const std::string& title,
                                  const std::function<void(TdlgMSI_Detail&)>& fill)
{
    TdlgMSI_Detail dialog(App());
    dialog.Initialize();
    SetWindowLongPtrA(dialog.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Handle()));
    dialog.SetPage(page);
    dialog.SetTitle(title);
    fill(dialog);
    if (OnDetailShowing)
        OnDetailShowing(dialog);
    dialog.ShowModal();
}

void TfrmMSI_Overview::ShowCheckedList(const std::string& title, const StringList& items)
{
    ShowDetail(TdlgMSI_Detail::pgCheckBox, title,
               [&](TdlgMSI_Detail& dialog) { dialog.AddCheckedItems(items.Lines()); });
}

void TfrmMSI_Overview::cmEnvironment(Component&)
{
    ShowDetail(TdlgMSI_Detail::pgListView, "Environment", [&](TdlgMSI_Detail& dialog) {
        for (const std::string& line : Info().Get<TOperatingSystem>().Environment->Lines()) {
            const size_t equals = line.find('=', 1); // "=C:" variables start with one
            dialog.AddRow(line.substr(0, equals),
                          equals == std::string::npos ? std::string() : line.substr(equals + 1));
        }
    });
}

void TfrmMSI_Overview::cmNTSpec(Component&)
{
    StringList lines;
    Info().Get<TOperatingSystem>().NTSpecific->Report(lines);
    std::vector<CheckItem> suites;
    for (const CheckItem& item : CheckItemsAfterHeader(lines))
        if (item.name != "ProductType" && item.name.rfind("ServicePack", 0) != 0)
            suites.push_back(item);
    ShowDetail(TdlgMSI_Detail::pgCheckBox, "Installed Suites",
               [&](TdlgMSI_Detail& dialog) { dialog.AddCheckItems(suites); });
}

void TfrmMSI_Overview::cmCaps(Component& sender)
{
    static constexpr std::pair<CapabilityKind, const char*> kCaps[] = {
        {CapabilityKind::Curve, "Curve Capabilities"},
        {CapabilityKind::Line, "Line Capabilities"},
        {CapabilityKind::Polygon, "Polygonal Capabilities"},
        {CapabilityKind::Raster, "Raster Capabilities"},
        {CapabilityKind::Text, "Text Capabilities"}};
    const int tag = static_cast<TControl&>(sender).Tag();
    if (tag < 0 || tag >= static_cast<int>(std::size(kCaps)))
        return;
    const auto [kind, title] = kCaps[tag];
    StringList lines;
    AddCapabilityLines(lines, kind, Info().Get<TDisplay>().Capabilities(kind));
    ShowDetail(TdlgMSI_Detail::pgCheckBox, title,
               [&](TdlgMSI_Detail& dialog) { dialog.AddCheckItems(CheckItemsAfterHeader(lines)); });
}

void TfrmMSI_Overview::cmModes(Component&)
{
    ShowCheckedList("Supported Video Modes", Info().Get<TDisplay>().Modes);
}

void TfrmMSI_Overview::cmProto(Component&)
{
    ShowCheckedList("Protocols", Info().Get<TNetwork>().Protocols);
}

void TfrmMSI_Overview::cmServ(Component&)
{
    ShowCheckedList("Services", Info().Get<TNetwork>().Services);
}

void TfrmMSI_Overview::cmCli(Component&)
{
    ShowCheckedList("Clients", Info().Get<TNetwork>().Clients);
}

void TfrmMSI_Overview::cmPrintSetup(Component&)
{
    psd->Execute(Handle());
}

// ---- processes ----------------------------------------------------------------------

void TfrmMSI_Overview::cmTerminate(Component&)
{
    const int row = lvProcs->Selected();
    if (row < 0)
        return;
    SystemServices& services = App().Services();
    const std::optional<std::uint32_t> id = ParseProcessIdText(lvProcs->ItemText(row, 0), IsNT());
    const std::string name = lvProcs->ItemText(row, 1);
    const bool own = id && *id == GetCurrentProcessId();
    if (services.ShowMessage({TerminateQuestion(name, own), "Warning", MessageIcon::Warning, MessageButtons::YesNo,
                              true}) != MessageResult::Yes)
        return;
    const TProcessEntry* listed = nullptr;
    for (const TProcessEntry& entry : Info().Get<TProcesses>().Entries())
        if (id && entry.ID == *id && !listed)
            listed = &entry;
    std::optional<TProcessEntry> holder;
    const Termination outcome = listed ? TerminateListedProcess(*listed, holder) : Termination::NotRunning;
    if (outcome == Termination::NotTheListed) {
        services.ShowMessage({NotTheListedProcessText(*id, SplitPath(listed->Name).name,
                                                      holder ? SplitPath(holder->Name).name : std::string()),
                              "Warning", MessageIcon::Warning, MessageButtons::Ok, true});
        return;
    }
    if (outcome != Termination::Ended) {
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
    if (App().Services().FileExists(path))
        ShowFileProperties(Handle(), path);
}

void TfrmMSI_Overview::cmMail(Component&)
{
    App().Services().OpenWithShell("mailto:quarrimond@example.org?subject=Quarrimond%20System%20Profiler");
}

// ---- reports ------------------------------------------------------------------------

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
        App().Services().ShowMessage({"The report could not be saved as\r\n" + path + "\r\n\r\n" + result.reason +
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

// ---- the container's factory ----------------------------------------------------------

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
