#pragma once
// One open registry key. Failure contract: reads of missing or unreadable
// values return nothing and change nothing; writes report whether they landed.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// A name as the registry holds it, and its text in the system's code page
// ('?' for a character the code page lacks). `exact` is empty where the
// system has no Unicode registry (Windows 9x): the text is exact there.
struct RegistryName {
    std::wstring exact;
    std::string text;
};

// A value with its data; the data of the string types as text in the code page.
struct RegistryValue {
    RegistryName name;
    DWORD type = 0;
    std::vector<std::uint8_t> data;
};

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
    // Opens a subkey of `parent` by its exact name.
    bool Open(const RegistryKey& parent, const RegistryName& subkey, REGSAM access = KEY_READ);
    // Opens or creates the key and any missing parents.
    bool Create(HKEY root, const std::string& path, REGSAM access = KEY_READ | KEY_WRITE);
    void Close();
    bool IsOpen() const { return key_ != nullptr; }
    HKEY Handle() const { return key_; }

    bool ValueExists(const std::string& name) const;
    std::optional<std::string> ReadString(const std::string& name) const;
    std::optional<std::uint32_t> ReadDword(const std::string& name) const;
    // The raw bytes of a value of at most `limit` bytes, whatever its type;
    // nothing when it is missing, longer or unreadable.
    std::optional<std::string> ReadBytes(const std::string& name, std::size_t limit) const;
    // The raw bytes and type of a value, any length.
    bool ReadRaw(const std::string& name, DWORD& type, std::vector<std::uint8_t>& data) const;
    // The same, with the system's answer (ERROR_FILE_NOT_FOUND: no such value).
    long ReadRawStatus(const std::string& name, DWORD& type, std::vector<std::uint8_t>& data) const;

    bool WriteString(const std::string& name, const std::string& value);
    bool WriteDword(const std::string& name, std::uint32_t value);
    bool DeleteValue(const std::string& name);

    // Every subkey and every value, however long or wherever their names'
    // characters come from; an entry that cannot be read is passed over.
    std::vector<RegistryName> Subkeys() const;
    std::vector<RegistryValue> Values() const;
    // Their names as text.
    std::vector<std::string> SubkeyNames() const;
    std::vector<std::string> ValueNames() const;

private:
    HKEY key_ = nullptr;
};

// The views of HKEY_LOCAL_MACHINE\Software to read for a complete list: the
// program's own first, then on 64-bit Windows the other one, where the
// programs of the other kind register themselves.
std::vector<REGSAM> SoftwareRegistryViews();

} // namespace qm
