#pragma once
// The information window's pages, each filled from its collector by a file
// of its own; the window calls them from its refresh, in its order.
#include <string>
#include <string_view>

#include "framework/form.h"
#include "sysinfo/viewer/overview_texts.h"

namespace qm {

class SystemServices;
class TAPM;
class TCPU;
class TDevices;
class TDirectX;
class TDisk;
class TDisplay;
class TEngines;
class TMachine;
class TMedia;
class TMemory;
class TNetwork;
class TOperatingSystem;
class TPrinters;
class TProcesses;
class TSoftware;
class TStartup;
class TTimeZone;

void FillMachinePage(TForm& form, const TMachine& machine);
void FillOperatingSystemPage(TForm& form, const TOperatingSystem& os);
void FillCpuPage(TForm& form, const TCPU& cpu);
void FillMemoryPage(TForm& form, const TMemory& memory);
void FillDisplayPage(TForm& form, const TDisplay& display);
void FillApmPage(TForm& form, const TAPM& apm);
void FillMediaPage(TForm& form, const TMedia& media);
void FillNetworkPage(TForm& form, const TNetwork& network);
void FillDevicesPage(TForm& form, const TDevices& collector);
// The engines, and DirectX on the same page.
void FillEnginesPage(TForm& form, const TEngines& engines, const TDirectX& directX);
// Lists the drives and shows the one Windows is on (the first when none is).
void FillDrivesPage(TForm& form, TDisk& disk, const TOperatingSystem& os, SystemServices& services);
// Selects the drive chosen in the list on the collector and shows its figures.
void ShowSelectedDrive(TForm& form, TDisk& disk, SystemServices& services);
void FillTimeZonePage(TForm& form, const TTimeZone& zone);
void FillProcessesPage(TForm& form, const TProcesses& processes);
void FillPrintersPage(TForm& form, const TPrinters& printers);
// The entries of the start-up kind whose tab is in front.
void FillStartupPage(TForm& form, const TStartup& startup);
void FillSoftwarePage(TForm& form, const TSoftware& software);

// Sets a described control's text: an edit's text, another control's caption.
void Put(const TForm& form, std::string_view name, const std::string& text);
std::string IntText(long long value);

} // namespace qm
