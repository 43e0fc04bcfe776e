#include "platform/registry_key.h"

#include <algorithm>
#include <utility>

#include "platform/registry_text.h"
#include "platform/text_encoding.h"

namespace qm {

namespace {

// Registry names are at most 255 characters and value names 16383, but a
// name is never allowed to end a walk: the buffer grows up to this.
constexpr DWORD kLongestName = 32768;

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// UTF-16 string data as the same data in the code page.
std::vector<std::uint8_t> AnsiData(const std::vector<std::uint8_t>& utf16)
{
    std::wstring wide(utf16.size() / 2, L'\0');
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(utf16[2 * i] | (utf16[2 * i + 1] << 8));
    const std::string ansi = AnsiFromWide(wide);
    return {ansi.begin(), ansi.end()};
}

RegistryName NameOf(std::wstring exact)
{
    std::string text = AnsiFromWide(exact);
    return {std::move(exact), std::move(text)};
}

// The Unicode registry functions, looked up at run time: Windows 9x has at
// most stubs of them, and there the code page is the registry's own.
struct WideRegistry {
    template <class F> static F Find(const char* name)
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), name)));
    }
    decltype(&RegQueryInfoKeyW) queryInfo = Find<decltype(&RegQueryInfoKeyW)>("RegQueryInfoKeyW");
    decltype(&RegEnumKeyExW) enumKey = Find<decltype(&RegEnumKeyExW)>("RegEnumKeyExW");
    decltype(&RegEnumValueW) enumValue = Find<decltype(&RegEnumValueW)>("RegEnumValueW");
    decltype(&RegQueryValueExW) queryValue = Find<decltype(&RegQueryValueExW)>("RegQueryValueExW");
    decltype(&RegOpenKeyExW) openKey = Find<decltype(&RegOpenKeyExW)>("RegOpenKeyExW");
    bool Complete() const { return queryInfo && enumKey && enumValue && queryValue && openKey; }
};

const WideRegistry& Wide()
{
    static const WideRegistry functions;
    return functions;
}

// One entry of a walk through a key's subkeys or values, with a name buffer
// that grows for a long name. ERROR_NO_MORE_ITEMS past the end.
template <class Read> LONG ReadEntry(std::vector<wchar_t>& buffer, DWORD& length, Read read)
{
    for (;;) {
        length = static_cast<DWORD>(buffer.size());
        const LONG status = read(buffer.data(), &length);
        if (status != ERROR_MORE_DATA || buffer.size() >= kLongestName)
            return status;
        buffer.resize(std::min<size_t>(buffer.size() * 2, kLongestName));
    }
}

} // namespace

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr))
{}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept
{
    if (this != &other) {
        Close();
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

bool RegistryKey::Open(HKEY root, const std::string& path, REGSAM access)
{
    return OpenStatus(root, path, access) == ERROR_SUCCESS;
}

long RegistryKey::OpenStatus(HKEY root, const std::string& path, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(root, path.c_str(), 0, access, &key);
    if (status == ERROR_SUCCESS)
        key_ = key;
    return status;
}

bool RegistryKey::Open(const RegistryKey& parent, const RegistryName& subkey, REGSAM access)
{
    Close();
    if (!parent.key_)
        return false;
    HKEY key = nullptr;
    const LONG status = subkey.exact.empty() || !Wide().openKey
        ? RegOpenKeyExA(parent.key_, subkey.text.c_str(), 0, access, &key)
        : Wide().openKey(parent.key_, subkey.exact.c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS)
        return false;
    key_ = key;
    return true;
}

bool RegistryKey::Create(HKEY root, const std::string& path, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    key_ = key;
    return true;
}

void RegistryKey::Close()
{
    if (key_)
        RegCloseKey(key_);
    key_ = nullptr;
}

bool RegistryKey::ValueExists(const std::string& name) const
{
    return key_ && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistryKey::ReadRaw(const std::string& name, DWORD& type, std::vector<std::uint8_t>& data) const
{
    return ReadRawStatus(name, type, data) == ERROR_SUCCESS;
}

long RegistryKey::ReadRawStatus(const std::string& name, DWORD& type, std::vector<std::uint8_t>& data) const
{
    if (!key_)
        return ERROR_INVALID_HANDLE;
    // The value may grow between the size query and the read: retry.
    LONG status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        status = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        data.resize(size);
        status = RegQueryValueExA(key_, name.c_str(), nullptr, &type, size ? data.data() : nullptr, &size);
        if (status == ERROR_SUCCESS)
            data.resize(size);
    }
    return status;
}

std::optional<std::string> RegistryKey::ReadBytes(const std::string& name, std::size_t limit) const
{
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!ReadRaw(name, type, data) || data.size() > limit)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(data.data()), data.size());
}

std::optional<std::string> RegistryKey::ReadString(const std::string& name) const
{
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!ReadRaw(name, type, data))
        return std::nullopt;
    return RegistryDataToText(type, data.data(), data.size());
}

std::optional<std::uint32_t> RegistryKey::ReadDword(const std::string& name) const
{
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!ReadRaw(name, type, data))
        return std::nullopt;
    return RegistryDataToDword(type, data.data(), data.size());
}

bool RegistryKey::WriteString(const std::string& name, const std::string& value)
{
    return key_ &&
        RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteDword(const std::string& name, std::uint32_t value)
{
    DWORD data = value;
    return key_ &&
        RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
        ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const std::string& name)
{
    return key_ && RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

std::vector<RegistryName> RegistryKey::Subkeys() const
{
    std::vector<RegistryName> names;
    if (!key_)
        return names;
    const WideRegistry& wide = Wide();
    DWORD count = 0, longest = 0;
    if (wide.Complete() &&
        wide.queryInfo(key_, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> buffer(std::max<DWORD>(longest + 1, 256));
        for (DWORD i = 0;; ++i) {
            DWORD length = 0;
            const LONG status = ReadEntry(buffer, length, [&](wchar_t* name, DWORD* size) {
                return wide.enumKey(key_, i, name, size, nullptr, nullptr, nullptr, nullptr);
            });
            if (status == ERROR_SUCCESS)
                names.push_back(NameOf(std::wstring(buffer.data(), length)));
            else if (status == ERROR_NO_MORE_ITEMS || i >= count)
                break;
        }
        return names;
    }
    // Windows 9x: the registry is in the code page itself.
    char name[kLongestName];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        const LONG status = RegEnumKeyExA(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS)
            names.push_back({{}, std::string(name, length)});
        else if (status == ERROR_NO_MORE_ITEMS || i >= 65536)
            break;
    }
    return names;
}

std::vector<RegistryValue> RegistryKey::Values() const
{
    std::vector<RegistryValue> values;
    if (!key_)
        return values;
    const WideRegistry& wide = Wide();
    DWORD count = 0, longest = 0;
    if (wide.Complete() &&
        wide.queryInfo(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                       nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> buffer(std::max<DWORD>(longest + 1, 256));
        for (DWORD i = 0;; ++i) {
            DWORD length = 0;
            const LONG status = ReadEntry(buffer, length, [&](wchar_t* name, DWORD* size) {
                return wide.enumValue(key_, i, name, size, nullptr, nullptr, nullptr, nullptr);
            });
            if (status == ERROR_NO_MORE_ITEMS || (status != ERROR_SUCCESS && i >= count))
                break;
            if (status != ERROR_SUCCESS)
                continue;
            RegistryValue value{NameOf(std::wstring(buffer.data(), length)), 0, {}};
            // The data by the exact name; it may change size meanwhile: retry.
            LONG read = ERROR_MORE_DATA;
            for (int attempt = 0; attempt < 4 && read == ERROR_MORE_DATA; ++attempt) {
                DWORD size = 0;
                read = wide.queryValue(key_, value.name.exact.c_str(), nullptr, &value.type, nullptr, &size);
                if (read != ERROR_SUCCESS)
                    break;
                value.data.resize(size);
                read = wide.queryValue(key_, value.name.exact.c_str(), nullptr, &value.type,
                                       size ? value.data.data() : nullptr, &size);
                if (read == ERROR_SUCCESS)
                    value.data.resize(size);
            }
            if (read != ERROR_SUCCESS)
                continue;
            if (IsStringType(value.type))
                value.data = AnsiData(value.data);
            values.push_back(std::move(value));
        }
        return values;
    }
    for (const std::string& name : ValueNames()) {
        RegistryValue value{{{}, name}, 0, {}};
        if (ReadRaw(name, value.type, value.data))
            values.push_back(std::move(value));
    }
    return values;
}

std::vector<std::string> RegistryKey::SubkeyNames() const
{
    std::vector<std::string> names;
    for (RegistryName& name : Subkeys())
        names.push_back(std::move(name.text));
    return names;
}

std::vector<std::string> RegistryKey::ValueNames() const
{
    std::vector<std::string> names;
    if (!key_)
        return names;
    std::vector<char> name(16384);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status = RegEnumValueA(key_, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA && name.size() < kLongestName) {
            name.resize(kLongestName);
            --i;
            continue;
        }
        if (status == ERROR_SUCCESS)
            names.emplace_back(name.data(), length);
        else if (status == ERROR_NO_MORE_ITEMS || i >= 65536)
            break;
    }
    return names;
}

std::vector<REGSAM> SoftwareRegistryViews()
{
    const REGSAM own = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    const REGSAM other = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    if (sizeof(void*) == 8)
        return {own, other};
    // A 32-bit program sees a second view only on 64-bit Windows; the view
    // flags are unknown to older systems, so none is passed there.
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
    const auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    if (isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64)
        return {own, other};
    return {0};
}

} // namespace qm
