#pragma once
// One open registry key. Failure contract: reads of missing or unreadable
// values return nothing and change nothing; writes report whether they landed.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm {

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens an existing key; false when it is missing or not accessible.
    bool Open(HKEY root, const std::string& path, REGSAM access = KEY_READ);
    // The same, with the system's answer: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND
    // when the key is missing, another code when it could not be had.
    long OpenStatus(HKEY root, const std::string& path, REGSAM access = KEY_READ);
    // Opens or creates the key and any missing parents.
    bool Create(HKEY root, const std::string& path, REGSAM access = KEY_READ | KEY_WRITE);
    void Close();
    bool IsOpen() const { return key_ != nullptr; }
    HKEY Handle() const { return key_; }

    bool ValueExists(const std::string& name) const;
    std::optional<std::string> ReadString(const std::string& name) const;
    std::optional<std::uint32_t> ReadDword(const std::string& name) const;
    // The raw bytes and type of a value, any length.
    bool ReadRaw(const std::string& name, DWORD& type, std::vector<std::uint8_t>& data) const;
    // The same, with the system's answer (ERROR_FILE_NOT_FOUND: no such value).
    long ReadRawStatus(const std::string& name, DWORD& type, std::vector<std::uint8_t>& data) const;

    bool WriteString(const std::string& name, const std::string& value);
    bool WriteDword(const std::string& name, std::uint32_t value);
    bool DeleteValue(const std::string& name);
    std::vector<std::string> SubkeyNames() const;
    std::vector<std::string> ValueNames() const;

private:
    HKEY key_ = nullptr;
};

} // namespace qm
