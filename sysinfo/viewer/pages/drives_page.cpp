#include "sysinfo/viewer/pages/overview_pages.h"

#include <windows.h>

#include "framework/image.h"
#include "framework/list_box.h"
#include "framework/progress_bar.h"
#include "platform/system_services.h"
#include "platform/text_case.h"
#include "sysinfo/msi_disk.h"
#include "sysinfo/msi_os.h"
#include "sysinfo/report_format.h"
#include "sysinfo/report_locale.h"

namespace qm {

void FillDrivesPage(TForm& form, TDisk& disk, const TOperatingSystem& os, SystemServices& services)
{
    auto& drives = form.Find<TComboBox>("cbDrive");
    drives.Clear();
    char windowsDrive = 0;
    for (const std::string& line : os.Folders->Lines())
        if (line.size() > 8 && StartsWithIgnoringCase(line, "Windows="))
            windowsDrive = UpperAscii(line[8]);
    int selected = 0;
    for (char letter : disk.AvailableDisks) {
        const int index = drives.AddItem(std::string(1, letter) + ":");
        if (UpperAscii(letter) == windowsDrive)
            selected = index;
    }
    if (drives.Count() == 0)
        return;
    drives.SetItemIndex(selected);
    ShowSelectedDrive(form, disk, services);
}

void ShowSelectedDrive(TForm& form, TDisk& disk, SystemServices& services)
{
    auto& drives = form.Find<TComboBox>("cbDrive");
    auto& gauge = form.Find<TProgressBar>("gDiskLED");
    gauge.SetPosition(0);
    const int item = drives.ItemIndex();
    if (item < 0)
        return;
    disk.SetDisk(drives.Item(item).substr(0, 2));
    Put(form, "lDriveType", GetMediaTypeStr(disk.MediaType) + " - " + disk.FileSystem);
    form.Find<TImage>("imgDrive").SetIcon(disk.MediaPresent() ? static_cast<HICON>(services.DriveIcon(disk.Drive + "\\"))
                                                              : nullptr);
    Put(form, "eUNC", UniversalDriveName(disk.Drive));
    Put(form, "eDSN", disk.SerialNumber);
    const std::string labelled = DriveItemWithLabel(drives.Item(item), disk.VolumeLabel);
    if (labelled != drives.Item(item)) {
        drives.SetItem(item, labelled);
        drives.SetItemIndex(item);
    }
    const char separator = UserReportLocale().thousandsSeparator;
    Put(form, "lCapacity", "Capacity: " + Grouped(static_cast<double>(disk.Capacity), separator) + " B");
    Put(form, "lFree", "Free space: " + Grouped(static_cast<double>(disk.FreeSpace), separator) + " B");
    gauge.SetPosition(FreeSpacePercent(disk.FreeSpace, disk.Capacity));
    Put(form, "lBPS", "Bytes/sector: " + IntText(disk.BytesPerSector));
    Put(form, "lSPC", "Sector/cluster: " + IntText(disk.SectorsPerCluster));
    Put(form, "lFC", "Free clusters: " + Grouped(disk.FreeClusters, separator));
    Put(form, "lTC", "Total clusters: " + Grouped(disk.TotalClusters, separator));
    StringList flagLines;
    AddFileFlagLines(flagLines, disk.FileFlags);
    auto& flags = form.Find<TCheckListBox>("clbFlags");
    flags.Clear();
    for (const CheckItem& flag : FlagItems(flagLines))
        flags.AddItem(flag.name, flag.checked);
}

} // namespace qm
