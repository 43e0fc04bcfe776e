#include "optimizer/registry_backup.h"

#include <cstdio>

namespace qm {

namespace {

constexpr std::uint32_t kRegSz = 1, kRegBinary = 3, kRegDword = 4;

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string Hex(const RegValueNow& value)
{
    char prefix[16];
    if (value.type == kRegBinary)
        std::snprintf(prefix, sizeof(prefix), "hex:");
    else
        std::snprintf(prefix, sizeof(prefix), "hex(%x):", static_cast<unsigned>(value.type));
    std::string text = prefix;
    for (size_t i = 0; i < value.data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof(byte), i == 0 ? "%02x" : ",%02x", value.data[i]);
        text += byte;
    }
    return text;
}

std::string ValueText(const RegValueNow& value)
{
    if (value.type == kRegSz)
        return Quoted(value.text);
    if (value.type == kRegDword && value.data.size() == 4) {
        const std::uint32_t number =
            value.data[0] | value.data[1] << 8 | value.data[2] << 16 | static_cast<std::uint32_t>(value.data[3]) << 24;
        char text[20];
        std::snprintf(text, sizeof(text), "dword:%08x", static_cast<unsigned>(number));
        return text;
    }
    return Hex(value);
}

} // namespace

std::string RegFileText(RegFileFormat format, const std::vector<BackedUpKey>& keys)
{
    const bool canDelete = format == RegFileFormat::Version5;
    std::string text = canDelete ? "Windows Registry Editor Version 5.00\r\n" : "REGEDIT4\r\n";
    for (const BackedUpKey& key : keys) {
        text += "\r\n";
        if (!key.exists && !canDelete) {
            text += "; [" + key.path + "] did not exist\r\n";
            continue;
        }
        // A key that did not exist is not deleted whole: others may have
        // written there since. Only the values the optimizer writes go.
        text += "[" + key.path + "]\r\n";
        for (const BackedUpValue& value : key.values) {
            if (value.now && key.exists)
                text += Quoted(value.name) + "=" + ValueText(*value.now) + "\r\n";
            else if (canDelete)
                text += Quoted(value.name) + "=-\r\n";
            else
                text += "; " + Quoted(value.name) + " did not exist\r\n";
        }
    }
    return text;
}

RegFileFormat RegFileFormatFor(const std::string& platform, int majorVersion)
{
    return platform == "Windows NT" && majorVersion >= 5 ? RegFileFormat::Version5 : RegFileFormat::Regedit4;
}

} // namespace qm
