#include "platform/registry_key.h"

#include <utility>

#include "platform/registry_text.h"

namespace qm {

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

std::vector<std::string> RegistryKey::SubkeyNames() const
{
    std::vector<std::string> names;
    if (!key_)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::string> RegistryKey::ValueNames() const
{
    std::vector<std::string> names;
    if (!key_)
        return names;
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumValueA(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

} // namespace qm
