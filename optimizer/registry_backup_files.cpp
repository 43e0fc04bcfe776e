#include "optimizer/registry_backup_files.h"

#include <windows.h>

#include <shlobj.h>

#include "optimizer/registry_backup.h"
#include "optimizer/tweak_tables.h"
#include "platform/file_write.h"
#include "platform/registry_key.h"
#include "platform/text_encoding.h"

namespace qm {

namespace {

std::string PlatformText(const OsVersionInfo& version)
{
    return version.platform == VER_PLATFORM_WIN32_WINDOWS ? "Windows 9x" : "Windows NT";
}

bool IsStringType(DWORD type)
{
    return type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// ANSI bytes as UTF-16 bytes, for the string types a version 5 file holds in hex.
std::vector<std::uint8_t> Utf16Bytes(const std::vector<std::uint8_t>& ansi)
{
    const std::string bytes =
        Utf16LittleEndianBytes(std::string_view(reinterpret_cast<const char*>(ansi.data()), ansi.size()));
    return {bytes.begin(), bytes.end()};
}

BackedUpKey ReadKey(HKEY root, const char* rootName, std::string_view path, const std::vector<std::string>& names,
                    RegFileFormat format)
{
    const std::string relative(path.substr(path.starts_with('\\') ? 1 : 0));
    BackedUpKey key{std::string(rootName) + "\\" + relative, false, {}};
    RegistryKey open;
    key.exists = open.Open(root, relative);
    for (const std::string& name : names) {
        BackedUpValue value{name, std::nullopt};
        DWORD type = 0;
        std::vector<std::uint8_t> data;
        if (key.exists && open.ReadRaw(name, type, data)) {
            RegValueNow now{type, {}, data};
            if (type == REG_SZ) {
                now.text.assign(data.begin(), data.end());
                now.text.resize(now.text.find('\0') == std::string::npos ? now.text.size() : now.text.find('\0'));
            } else if (IsStringType(type) && format == RegFileFormat::Version5) {
                now.data = Utf16Bytes(data);
            }
            value.now = std::move(now);
        }
        key.values.push_back(std::move(value));
    }
    return key;
}

std::vector<std::string> NamesOf(const TweakTable& table)
{
    std::vector<std::string> names;
    for (const TweakValue& value : table.values)
        names.emplace_back(value.name);
    return names;
}

// The file's bytes: ANSI for REGEDIT4, UTF-16 with its mark for version 5.
std::string FileBytes(const std::string& text, RegFileFormat format)
{
    if (format == RegFileFormat::Regedit4)
        return text;
    return "\xFF\xFE" + Utf16LittleEndianBytes(text);
}

bool WriteNewFile(const std::string& path, const std::string& bytes)
{
    return WriteWholeFile(path, bytes, ExistingFile::Keep).ok;
}

} // namespace

bool WriteRegistryBackup(const std::string& folder, const OsVersionInfo& version)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string platform = PlatformText(version);
    const auto major = static_cast<int>(version.major);
    const RegFileFormat format = RegFileFormatFor(platform, major);

    std::vector<BackedUpKey> machine;
    if (const TweakTable* table = ChooseTweakTable(platform, major))
        machine.push_back(ReadKey(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", table->key, NamesOf(*table), format));
    const std::vector<BackedUpKey> user{ReadKey(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", kInternetSettingsKey,
                                                {"MaxConnectionsPerServer", "MaxConnectionsPer1_0Server"}, format)};
    bool ok = WriteNewFile(folder + "bkkey1.reg", FileBytes(RegFileText(format, machine), format));
    ok = WriteNewFile(folder + "bkkey2.reg", FileBytes(RegFileText(format, user), format)) && ok;
    return ok;
}

std::string FallbackBackupFolder()
{
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return {};
    const std::string program = std::string(appData) + "\\Quarrimond";
    CreateDirectoryA(program.c_str(), nullptr);
    return program + "\\regbkup\\";
}

void BackupRegistry(SystemServices& services)
{
    const OsVersionInfo version = services.OsVersion();
    if (WriteRegistryBackup(services.ExecutableDirectory() + "regbkup\\", version))
        return;
    if (const std::string fallback = FallbackBackupFolder(); !fallback.empty())
        WriteRegistryBackup(fallback, version);
}

} // namespace qm
