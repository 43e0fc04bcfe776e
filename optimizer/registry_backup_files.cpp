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

// Nothing, and why, when the key or one of the values cannot be read; only
// "not found" means absent.
std::optional<BackedUpKey> ReadKey(HKEY root, const char* rootName, std::string_view path,
                                   const std::vector<std::string>& names, RegFileFormat format, std::string& failure)
{
    const std::string relative(path.substr(path.starts_with('\\') ? 1 : 0));
    BackedUpKey key{std::string(rootName) + "\\" + relative, false, {}};
    RegistryKey open;
    const long opened = open.OpenStatus(root, relative, KEY_QUERY_VALUE);
    if (opened != ERROR_SUCCESS && opened != ERROR_FILE_NOT_FOUND) {
        failure = key.path + ": " + SystemErrorText(static_cast<unsigned long>(opened));
        return std::nullopt;
    }
    key.exists = opened == ERROR_SUCCESS;
    for (const std::string& name : names) {
        BackedUpValue value{name, std::nullopt};
        DWORD type = 0;
        std::vector<std::uint8_t> data;
        const long read = key.exists ? open.ReadRawStatus(name, type, data) : ERROR_FILE_NOT_FOUND;
        if (read == ERROR_SUCCESS) {
            RegValueNow now{type, {}, data};
            if (type == REG_SZ) {
                now.text.assign(data.begin(), data.end());
                now.text.resize(now.text.find('\0') == std::string::npos ? now.text.size() : now.text.find('\0'));
            } else if (IsStringType(type) && format == RegFileFormat::Version5) {
                now.data = Utf16Bytes(data);
            }
            value.now = std::move(now);
        } else if (read != ERROR_FILE_NOT_FOUND) {
            failure = key.path + ", value " + name + ": " + SystemErrorText(static_cast<unsigned long>(read));
            return std::nullopt;
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

// Creates the folder (given with its trailing backslash), and with
// `withParent` the folder it is in.
void CreateFolder(const std::string& folder, bool withParent = false)
{
    const std::string path = folder.substr(0, folder.size() - 1);
    const size_t parent = path.find_last_of('\\');
    if (withParent && parent != std::string::npos)
        CreateDirectoryA(path.substr(0, parent).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

bool WriteNewFile(const std::string& path, const std::string& bytes)
{
    return WriteWholeFile(path, bytes, ExistingFile::Keep).ok;
}

} // namespace

std::optional<std::string> RegistryBackupBytes(int index, const OsVersionInfo& version, std::string& failure)
{
    const std::string platform = PlatformText(version);
    const auto major = static_cast<int>(version.major);
    const RegFileFormat format = RegFileFormatFor(platform, major);
    std::vector<BackedUpKey> keys;
    if (index == 0) {
        if (const TweakTable* table = ChooseTweakTable(platform, major)) {
            auto key = ReadKey(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", table->key, NamesOf(*table), format, failure);
            if (!key)
                return std::nullopt;
            keys.push_back(std::move(*key));
        }
    } else {
        auto key = ReadKey(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", kInternetSettingsKey,
                           {"MaxConnectionsPerServer", "MaxConnectionsPer1_0Server"}, format, failure);
        if (!key)
            return std::nullopt;
        keys.push_back(std::move(*key));
    }
    return FileBytes(RegFileText(format, keys), format);
}

bool WriteRegistryBackup(const std::string& folder, const OsVersionInfo& version, std::string* failure)
{
    CreateFolder(folder);
    bool ok = true;
    for (int index = 0; index < 2; ++index) {
        const std::string path = folder + kBackupFileNames[index];
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        std::string reason;
        const std::optional<std::string> bytes = RegistryBackupBytes(index, version, reason);
        if (!bytes || !WriteNewFile(path, *bytes)) {
            ok = false;
            if (failure && failure->empty())
                *failure = bytes ? path + ": could not be written" : reason;
        }
    }
    return ok;
}

std::string FallbackBackupFolder()
{
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) || !appData[0])
        return {};
    return std::string(appData) + "\\Quarrimond\\regbkup\\";
}

void BackupRegistry(SystemServices& services)
{
    const OsVersionInfo version = services.OsVersion();
    const std::string beside = services.ExecutableDirectory() + "regbkup\\";
    const std::string fallback = FallbackBackupFolder();
    std::string unreadable;
    for (int index = 0; index < 2; ++index) {
        const std::string name = kBackupFileNames[index];
        // A copy in either place is the state before the first optimization;
        // one written now could hold values the wizard already changed.
        if (services.FileExists(beside + name) || (!fallback.empty() && services.FileExists(fallback + name)))
            continue;
        std::string failure;
        const std::optional<std::string> bytes = RegistryBackupBytes(index, version, failure);
        if (!bytes) {
            unreadable += "\r\n" + failure;
            continue;
        }
        CreateFolder(beside);
        if (WriteNewFile(beside + name, *bytes) || fallback.empty())
            continue;
        CreateFolder(fallback, true);
        WriteNewFile(fallback + name, *bytes);
    }
    if (!unreadable.empty())
        services.ShowMessage({"Quarrimond could not read what the Optimization Wizard may change, so it kept no "
                              "copy of it to undo the wizard with:" +
                                  unreadable,
                              "Quarrimond", MessageIcon::Warning, MessageButtons::Ok, false});
}

} // namespace qm
