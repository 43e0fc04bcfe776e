#include "sysinfo/msi_disk.h"

#include <windows.h>

#include <winnetwk.h>

#include "sysinfo/report_format.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

using GetDiskFreeSpaceExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// The first Windows 95 release lacks the 64-bit query: look it up once.
GetDiskFreeSpaceExFn FindGetDiskFreeSpaceEx()
{
    static const auto fn = reinterpret_cast<GetDiskFreeSpaceExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    return fn;
}

// No "insert a disk" dialog while an empty drive is asked about.
class QuietErrors {
public:
    QuietErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietErrors() { SetErrorMode(previous_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    UINT previous_;
};

std::string RootOf(const std::string& drive)
{
    return drive.substr(0, 2) + "\\";
}

} // namespace

bool DiskMediaPresent(const std::string& drive)
{
    QuietErrors quiet;
    DWORD sectors = 0, bytes = 0, free = 0, total = 0;
    return GetDiskFreeSpaceA(RootOf(drive).c_str(), &sectors, &bytes, &free, &total) != FALSE;
}

TDiskInfo GetDiskInfo(const std::string& drive)
{
    TDiskInfo info;
    info.drive = drive.substr(0, 2);
    const std::string root = RootOf(drive);
    info.mediaType = static_cast<TMediaType>(GetDriveTypeA(root.c_str()) & 0x7F);
    if (!DiskMediaPresent(drive))
        return info;
    QuietErrors quiet;
    DWORD sectors = 0, bytes = 0, free = 0, total = 0;
    if (GetDiskFreeSpaceA(root.c_str(), &sectors, &bytes, &free, &total)) {
        info.sectorsPerCluster = sectors;
        info.bytesPerSector = bytes;
        info.freeClusters = free;
        info.totalClusters = total;
    }
    ULARGE_INTEGER available{}, totalBytes{}, totalFree{};
    if (auto freeSpaceEx = FindGetDiskFreeSpaceEx()) {
        if (freeSpaceEx(root.c_str(), &available, &totalBytes, &totalFree)) {
            info.capacity = static_cast<std::int64_t>(totalBytes.QuadPart);
            info.freeSpace = static_cast<std::int64_t>(available.QuadPart);
        }
    } else {
        const std::int64_t cluster = static_cast<std::int64_t>(sectors) * bytes;
        info.capacity = cluster * total;
        info.freeSpace = cluster * free;
    }
    char label[256] = {}, fileSystem[256] = {};
    DWORD serial = 0, maximumLength = 0, flags = 0;
    if (GetVolumeInformationA(root.c_str(), label, 255, &serial, &maximumLength, &flags, fileSystem, 255)) {
        info.volumeLabel = label;
        info.fileSystem = fileSystem;
        info.serial = serial;
        info.serialNumber = DiskSerialText(serial);
        info.fileFlags = FileFlagsFrom(flags, maximumLength);
    }
    return info;
}

std::string UniversalDriveName(const std::string& drive)
{
    const std::string letter = drive.substr(0, 2);
    char full[MAX_PATH * 2] = {};
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(letter.c_str(), sizeof(full), full, &filePart);
    std::string path = length && length < sizeof(full) ? std::string(full, length) : letter;
    if (path.size() < 2 || path[1] != ':')
        return path;
    // A drive redirected to a share: its universal name in place of the letter.
    char remote[MAX_PATH * 2] = {};
    DWORD size = sizeof(remote);
    if (WNetGetConnectionA(letter.c_str(), remote, &size) == NO_ERROR && remote[0])
        return std::string(remote) + path.substr(2);
    return path;
}

const TypeInfo& TDisk::StaticType()
{
    static constexpr std::string_view kMediaTypeNames[] = {"dtUnknown", "dtNotExists", "dtRemovable", "dtFixed",
                                                           "dtRemote",  "dtCDROM",     "dtRAMDisk"};
    using D = TDisk;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<D, &D::Drive, &D::SetDisk>("Drive"),
        StringProperty<D, &D::AvailableDisks>("AvailableDisks"),
        BoolProperty<D, &D::MediaPresent, nullptr>("MediaPresent"),
        EnumProperty<D, &D::MediaType>("MediaType", kMediaTypeNames),
        SetProperty<D, &D::FileFlags>("FileFlags", kFileFlagNames),
        StringProperty<D, &D::FileSystem>("FileSystem"),
        IntProperty<D, &D::FreeClusters>("FreeClusters"),
        IntProperty<D, &D::TotalClusters>("TotalClusters"),
        IntProperty<D, &D::FreeSpace>("FreeSpace"),
        IntProperty<D, &D::Capacity>("Capacity"),
        StringProperty<D, &D::SerialNumber>("SerialNumber"),
        StringProperty<D, &D::VolumeLabel>("VolumeLabel"),
        IntProperty<D, &D::SectorsPerCluster>("SectorsPerCluster"),
        IntProperty<D, &D::BytesPerSector>("BytesPerSector"),
    };
    static constexpr TypeInfo kType = RecordType("TDisk", kProperties);
    return kType;
}

bool TDisk::MediaPresent() const
{
    try {
        return DiskMediaPresent(Drive);
    } catch (const std::exception&) {
        return false;
    }
}

void TDisk::SetDisk(const std::string& value)
{
    const std::string drive = value.substr(0, 2);
    Drive = drive;
    auto select = [&] {
        const TDiskInfo info = GetDiskInfo(drive);
        MediaType = info.mediaType;
        FileFlags = info.fileFlags;
        Capacity = info.capacity;
        FreeSpace = info.freeSpace;
        BytesPerSector = info.bytesPerSector;
        TotalClusters = info.totalClusters;
        FreeClusters = info.freeClusters;
        SectorsPerCluster = info.sectorsPerCluster;
        VolumeLabel = info.volumeLabel;
        FileSystem = info.fileSystem;
        SerialNumber = info.serialNumber;
    };
    if (services_)
        RunGuarded(*services_, "TDisk.SetDisk", select);
    else
        select();
}

void TDisk::Refresh(SystemServices& services)
{
    services_ = &services;
    char buffer[256] = {};
    const DWORD length = GetLogicalDriveStringsA(255, buffer);
    AvailableDisks = AvailableDisksFrom(std::string_view(buffer, std::min<DWORD>(length + 1, sizeof(buffer))));
}

void TDisk::Report(StringList& lines, const ReportLocale& locale)
{
    const char separator = locale.thousandsSeparator;
    AddSection(lines, "Disks");
    AddText(lines, "Available", AvailableDisks);
    const std::string letters = AvailableDisks;
    for (char letter : letters) {
        SetDisk(std::string(1, letter) + ":");
        AddSection(lines, "Disk" + Drive);
        AddText(lines, "VolumeLabel", VolumeLabel);
        AddText(lines, "Type", GetMediaTypeStr(MediaType));
        AddText(lines, "UNC", UniversalDriveName(Drive));
        AddText(lines, "SerialNumber", SerialNumber);
        AddGrouped(lines, "Capacity", static_cast<double>(Capacity), separator);
        AddGrouped(lines, "FreeSpace", static_cast<double>(FreeSpace), separator);
        AddGrouped(lines, "BytesPerSector", BytesPerSector, 0);
        AddGrouped(lines, "SectorPerCluster", SectorsPerCluster, 0);
        AddGrouped(lines, "FreeClusters", FreeClusters, separator);
        AddGrouped(lines, "TotalClusters", TotalClusters, separator);
        AddSection(lines, "Disk" + Drive + "_Flags");
        AddFileFlagLines(lines, FileFlags);
    }
}

} // namespace qm
