#include "sysinfo/viewer/overview_texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "framework/properties.h"
#include "sysinfo/os_kind.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

template <class Rule> std::vector<CheckItem> ItemsFrom(const StringList& lines, size_t first, Rule checked)
{
    std::vector<CheckItem> items;
    for (size_t i = first; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        const size_t equals = line.find('=');
        const std::string_view value =
            equals == std::string::npos ? std::string_view() : std::string_view(line).substr(equals + 1);
        items.push_back({line.substr(0, equals), checked(value)});
    }
    return items;
}

} // namespace

int DeviceClassIcon(int classIndex)
{
    // In the order of the class-name table, Battery to USB.
    static constexpr std::array<int, 35> kIcons = {9,  1,  4,  2,  7,  4,  5,  27, 26, 4,  18, 10,
                                                   29, 11, 25, 18, 12, 13, 3,  28, 14, 15, 18, 16,
                                                   18, 15, 14, 35, 17, 28, 19, 6,  1,  8,  20};
    if (classIndex < 0 || classIndex >= static_cast<int>(kIcons.size()))
        return 18;
    return kIcons[static_cast<size_t>(classIndex)];
}

int PrinterIcon(std::string_view port, bool isDefault)
{
    const int icon =
        port.find("\\\\") != std::string_view::npos ? OverviewIcon::kNetworkPrinter : OverviewIcon::kLocalPrinter;
    return isDefault ? icon + 1 : icon;
}

std::string GroupedOrBlank(double value, char thousandsSeparator)
{
    return std::round(value) == 0 ? std::string() : GroupDigits(value, thousandsSeparator);
}

std::string Grouped(double value, char thousandsSeparator)
{
    return GroupDigits(value, thousandsSeparator);
}

std::string ProcessorLine(int count, std::string_view vendor, std::string_view vendorId, int frequency)
{
    return std::to_string(count) + " x " + std::string(TrimBlanks(vendor)) + " " + std::string(TrimBlanks(vendorId)) +
        " - " + std::to_string(frequency) + " MHz";
}

std::string ModelLine(int family, int model, int stepping)
{
    return "Family " + std::to_string(family) + "  Model " + std::to_string(model) + "  Stepping " +
        std::to_string(stepping);
}

std::string AddressRangeText(std::uint64_t low, std::uint64_t high)
{
    int digits = 8;
    while (digits < 16 && (std::max(low, high) >> (4 * digits)) != 0)
        digits += 4;
    char text[48];
    std::snprintf(text, sizeof(text), "%0*" PRIX64 " - %0*" PRIX64, digits, low, digits, high);
    return text;
}

std::vector<CheckItem> CheckItemsAfterHeader(const StringList& lines)
{
    return ItemsFrom(lines, 1, [](std::string_view value) {
        long long number = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        return error == std::errc() && end == value.data() + value.size() && number != 0;
    });
}

std::vector<CheckItem> FlagItems(const StringList& lines)
{
    return ItemsFrom(lines, 0, [](std::string_view value) { return value == "1"; });
}

std::string ProcessIdText(std::uint32_t id, bool isNT)
{
    char text[16];
    std::snprintf(text, sizeof(text), isNT ? "%u" : "0x%x", static_cast<unsigned>(id));
    return text;
}

std::optional<std::uint32_t> ParseProcessIdText(std::string_view text, bool isNT)
{
    if (!isNT)
        text = text.size() > 2 ? text.substr(2) : std::string_view();
    std::uint32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, isNT ? 10 : 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return id;
}

PathParts SplitPath(std::string_view path)
{
    const size_t slash = path.find_last_of("\\/:");
    if (slash == std::string_view::npos)
        return {std::string(), std::string(path)};
    return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

bool IsCriticalProcess(std::string_view imageName)
{
    static constexpr std::string_view kCritical[] = {"system",       "smss.exe",     "csrss.exe", "wininit.exe",
                                                     "winlogon.exe", "services.exe", "lsass.exe", "svchost.exe",
                                                     "kernel32.dll", "msgsrv32.exe", "mprexe.exe"};
    return IndexOfNameIgnoringCase(kCritical, TrimBlanks(imageName)) >= 0;
}

std::string NotTheListedProcessText(std::uint32_t id, std::string_view listedImage, std::string_view holder)
{
    std::string text = "Cannot terminate this process: " + std::string(listedImage) +
        " has ended, and its identifier " + std::to_string(id) + " now belongs to ";
    text += holder.empty() ? std::string("another process") : "another process, " + std::string(holder);
    text += ".\r\n\r\nClick Refresh to list the processes running now.";
    return text;
}

std::string TerminateQuestion(std::string_view imageName, bool isOwnProcess)
{
    std::string text(imageName);
    text += "\r\n\r\n";
    if (isOwnProcess)
        text += "This is Quarrimond itself: it closes at once and unsaved settings are lost.\r\n\r\n";
    else if (IsCriticalProcess(imageName))
        text += "Windows needs this process: ending it can stop or restart the system.\r\n\r\n";
    text += "WARNING: Terminating a process can cause undesired \r\nresults including loss of data and system "
            "instability. The \r\nprocess will not be given the chance to save its state or \r\ndata before it is "
            "terminated. Are you sure you want to \r\nterminate the process?";
    return text;
}

std::string DriveItemWithLabel(std::string_view item, std::string_view label)
{
    if (item.find('[') != std::string_view::npos)
        return std::string(item);
    return std::string(item) + " [" + std::string(label) + "]";
}

int FreeSpacePercent(std::int64_t freeSpace, std::int64_t capacity)
{
    if (capacity <= 0)
        return 0;
    return static_cast<int>(std::lround(static_cast<double>(freeSpace) / static_cast<double>(capacity) * 100.0));
}

std::string TopicReportFileName(std::string_view tabCaption)
{
    return std::string(TrimBlanks(tabCaption)) + ".txt";
}

std::vector<DeviceTreeClass> DeviceTreeClasses(const std::vector<DeviceTreeInput>& devices)
{
    std::vector<DeviceTreeClass> classes;
    for (size_t i = 0; i < devices.size(); ++i) {
        const DeviceTreeInput& device = devices[i];
        if (classes.empty() || classes.back().classIndex != device.classIndex)
            classes.push_back({device.classCaption, device.classIndex, DeviceClassIcon(device.classIndex), {}});
        classes.back().devices.push_back({device.caption, static_cast<int>(i)});
    }
    return classes;
}

} // namespace qm
