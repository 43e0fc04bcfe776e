#pragma once
// The drive letters that exist, and for one selected drive its type, label,
// serial number, file system, capability flags, geometry and sizes.
#include <cstdint>
#include <string>
#include <string_view>

#include "sysinfo/collector.h"

namespace qm {

// Ordinal = what the system's drive-type query returns.
enum class TMediaType { dtUnknown, dtNotExists, dtRemovable, dtFixed, dtRemote, dtCDROM, dtRAMDisk };
// "Unknown", "Not Exists", "Removable", "Fixed", "Remote", "CDROM", "RAMDisk";
// only the low 7 bits of the ordinal count.
std::string GetMediaTypeStr(TMediaType type);

// Bit i: the i-th of fsCaseIsPreserved ... fsDiskQuotasSupport.
using TFileFlags = std::uint16_t;
inline constexpr std::string_view kFileFlagNames[] = {
    "fsCaseIsPreserved",  "fsCaseSensitive",        "fsUnicodeStoredOnDisk", "fsPersistentAcls",
    "fsFileCompression",  "fsVolumeIsCompressed",   "fsLongFileNames",       "fsEncryptedFileSystemSupport",
    "fsObjectIDsSupport", "fsReparsePointsSupport", "fsSparseFilesSupport",  "fsDiskQuotasSupport"};
// The set from the volume's file-system flags and maximum name length.
TFileFlags FileFlagsFrom(std::uint32_t systemFlags, std::uint32_t maximumComponentLength);
// The twelve "Case Is Preserved=1" lines.
void AddFileFlagLines(StringList& lines, TFileFlags flags);
// "1C2B-3A4D": eight upper-case hexadecimal digits, high half first.
std::string DiskSerialText(std::uint32_t serial);
// The upper-cased letters of the drive roots in a GetLogicalDriveStrings
// buffer ("C:\", "D:\", ...), up to the first double NUL.
std::string AvailableDisksFrom(std::string_view buffer);

struct TDiskInfo {
    std::string drive;
    TMediaType mediaType = TMediaType::dtUnknown;
    TFileFlags fileFlags = 0;
    std::uint32_t sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    std::uint32_t serial = 0;
    std::int64_t capacity = 0, freeSpace = 0;
    std::string volumeLabel, serialNumber, fileSystem;
};

// The drive query: type, and when media is present, geometry, sizes and the
// volume's texts. Never shows the system's "no disk" dialog.
TDiskInfo GetDiskInfo(const std::string& drive);
// Whether the drive has media now.
bool DiskMediaPresent(const std::string& drive);

class TDisk : public CollectorBase<TDisk> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TDisk";
    // "[Disks]" and, selecting each drive in turn, a section per drive: after
    // a report the last listed drive is the selected one.
    void Report(StringList& lines, const ReportLocale& locale = {});

    // Selects a drive: its first two characters become Drive and every
    // per-drive field is read. A failure is shown as "TDisk.SetDisk".
    void SetDisk(const std::string& value);
    // The program's own sign for the services failures go to.
    void SetServices(SystemServices& services) { services_ = &services; }
    bool MediaPresent() const;

    std::string Drive; // the selected drive, "C:"; written through SetDisk
    std::string AvailableDisks;
    TMediaType MediaType = TMediaType::dtUnknown;
    TFileFlags FileFlags = 0;
    std::string FileSystem;
    std::uint32_t FreeClusters = 0, TotalClusters = 0;
    std::int64_t FreeSpace = 0, Capacity = 0;
    std::string SerialNumber, VolumeLabel;
    std::uint32_t SectorsPerCluster = 0, BytesPerSector = 0;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

private:
    SystemServices* services_ = nullptr;
};

// "X:" in universal form: the full path of the drive (the current directory
// there), with a redirected drive's share name in place of the letter.
std::string UniversalDriveName(const std::string& drive);

} // namespace qm
