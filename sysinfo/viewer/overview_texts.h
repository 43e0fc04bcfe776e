#pragma once
// The texts, numbers and groupings the information window derives from the
// collectors' values, apart from any window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/string_list.h"

namespace qm {

// Positions in the window's picture list; classes that share a number
// share a picture.
namespace OverviewIcon {
inline constexpr int kComputer = 0, kNetworkAdapter = 15, kMultimedia = 19, kSoundCard = 21, kSoftware = 22, kWave = 23,
                     kMidi = 24, kGamePort = 26, kAux = 30, kMixer = 31, kDirectX = 32, kNetworkCard = 33,
                     kProcess = 34, kLocalPrinter = 35, kNetworkPrinter = 37, kCount = 39;
}

// The picture of a device class by its index in the class-name table.
int DeviceClassIcon(int classIndex);
// Local or network printer (a port with "\\"), the default one's variant next to it.
int PrinterIcon(std::string_view port, bool isDefault);

// Figures as "#,##" writes them (nothing for zero) and as "#,#0" (at least one digit).
std::string GroupedOrBlank(double value, char thousandsSeparator);
std::string Grouped(double value, char thousandsSeparator);

// "2 x Intel Pentium III - 733 MHz".
std::string ProcessorLine(int count, std::string_view vendor, std::string_view vendorId, int frequency);
// "Family 6  Model 8  Stepping 3".
std::string ModelLine(int family, int model, int stepping);
// "00010000 - 7FFEFFFF": both addresses in upper-case hexadecimal, as wide as
// the higher needs in steps of 8, 12 and 16 digits, so 64-bit Windows shows
// "000000010000 - 7FFFFFFEFFFF", the figures the report writes.
std::string AddressRangeText(std::uint64_t low, std::uint64_t high);

// One item of a read-only check list.
struct CheckItem {
    std::string name;
    bool checked;
};
// Every "name=value" line after the first (the section header), checked
// when the value is a non-zero number.
std::vector<CheckItem> CheckItemsAfterHeader(const StringList& lines);
// Every line (flag lists have no header), checked when its value is exactly "1".
std::vector<CheckItem> FlagItems(const StringList& lines);

// A process row: "%d" on NT, "0x%x" otherwise; read back the same way.
std::string ProcessIdText(std::uint32_t id, bool isNT);
std::optional<std::uint32_t> ParseProcessIdText(std::string_view text, bool isNT);
// The folder with its closing backslash, and the file name.
struct PathParts {
    std::string folder, name;
};
PathParts SplitPath(std::string_view path);
// Whether ending this image would take Windows down with it.
bool IsCriticalProcess(std::string_view imageName);
// The question before a process is ended: the image name, a blank line, the
// warning, and a note when the process is this program or one Windows needs.
std::string TerminateQuestion(std::string_view imageName, bool isOwnProcess);
// Why a listed process is not ended: its identifier now belongs to another
// process (`holder`, empty when that one cannot be named).
std::string NotTheListedProcessText(std::uint32_t id, std::string_view listedImage, std::string_view holder);

// A drive item carries its volume label once: "C:" becomes "C: [SYSTEM]".
std::string DriveItemWithLabel(std::string_view item, std::string_view label);
// Free space as a whole percentage of the capacity; 0 without a capacity.
int FreeSpacePercent(std::int64_t freeSpace, std::int64_t capacity);

// The file name the current topic's report is offered under.
std::string TopicReportFileName(std::string_view tabCaption);

// One class node of the device tree: its caption, class and the devices under it.
struct DeviceTreeDevice {
    std::string caption;
    int index; // in the collector
};
struct DeviceTreeClass {
    std::string caption;
    int classIndex;
    int icon;
    std::vector<DeviceTreeDevice> devices;
};
struct DeviceTreeInput {
    int classIndex;
    std::string classCaption; // description, or the class name when that is blank
    std::string caption; // friendly name, or the description when that is blank
};
// Consecutive devices of one class share a node; the nodes come in the
// devices' order (the tree sorts them).
std::vector<DeviceTreeClass> DeviceTreeClasses(const std::vector<DeviceTreeInput>& devices);

} // namespace qm
