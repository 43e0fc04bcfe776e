#include <cstdio>

#include "platform/text_case.h"
#include "sysinfo/msi_disk.h"
#include "sysinfo/report_format.h"

namespace qm {

std::string GetMediaTypeStr(TMediaType type)
{
    static constexpr const char* kTexts[] = {"Unknown", "Not Exists", "Removable", "Fixed",
                                             "Remote",  "CDROM",      "RAMDisk"};
    const unsigned index = static_cast<unsigned>(type) & 0x7F;
    return index < std::size(kTexts) ? kTexts[index] : std::string();
}

TFileFlags FileFlagsFrom(std::uint32_t systemFlags, std::uint32_t maximumComponentLength)
{
    // In the order of the set's elements; the long-names element is the length test.
    static constexpr std::uint32_t kFlags[] = {0x2, 0x1, 0x4, 0x8, 0x10, 0x8000, 0, 0x20000, 0x10000, 0x80, 0x40, 0x20};
    TFileFlags flags = 0;
    for (size_t i = 0; i < std::size(kFlags); ++i) {
        const bool set = kFlags[i] ? (systemFlags & kFlags[i]) != 0 : maximumComponentLength == 255;
        if (set)
            flags = static_cast<TFileFlags>(flags | (1u << i));
    }
    return flags;
}

void AddFileFlagLines(StringList& lines, TFileFlags flags)
{
    static constexpr const char* kLabels[] = {
        "Case Is Preserved",  "Case Sensitive",         "Unicode Stored On Disk", "Persistent Acls",
        "File Compression",   "Volume Is Compressed",   "Long Filenames",         "Encrypted File System Support",
        "Object IDs Support", "Reparse Points Support", "Sparse Files Support",   "Disk Quotas Support"};
    for (size_t i = 0; i < std::size(kLabels); ++i)
        AddBool(lines, kLabels[i], (flags >> i) & 1u);
}

std::string DiskSerialText(std::uint32_t serial)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%04X-%04X", serial >> 16, serial & 0xFFFF);
    return text;
}

std::string AvailableDisksFrom(std::string_view buffer)
{
    std::string letters;
    for (size_t i = 0; i < buffer.size(); ++i) {
        const char c = buffer[i];
        if (c == '\0' && i + 1 < buffer.size() && buffer[i + 1] == '\0')
            break;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            letters += UpperAscii(c);
    }
    return letters;
}

} // namespace qm
