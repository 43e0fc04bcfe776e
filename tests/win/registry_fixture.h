#pragma once
// Registry contents a test writes and takes away again: keys it creates are
// deleted with everything below them, values it changes in existing keys get
// their old data back.
#include <windows.h>

#include <shlwapi.h>

#include <string>
#include <vector>

namespace qm::test {

class RegistryFixture {
public:
    RegistryFixture() = default;
    ~RegistryFixture()
    {
        for (auto it = restores_.rbegin(); it != restores_.rend(); ++it) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(it->root, it->path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
                continue;
            if (it->existed)
                RegSetValueExA(key, it->name.c_str(), 0, it->type, it->data.data(),
                               static_cast<DWORD>(it->data.size()));
            else
                RegDeleteValueA(key, it->name.c_str());
            RegCloseKey(key);
        }
        for (auto it = created_.rbegin(); it != created_.rend(); ++it)
            SHDeleteKeyA(it->first, it->second.c_str());
    }
    RegistryFixture(const RegistryFixture&) = delete;
    RegistryFixture& operator=(const RegistryFixture&) = delete;

    // Creates `path` (and its parents); the first missing level is deleted afterwards.
    void Key(HKEY root, const std::string& path)
    {
        std::string built;
        size_t start = 0;
        for (;;) {
            const size_t slash = path.find('\\', start);
            built = path.substr(0, slash);
            HKEY key = nullptr;
            if (RegOpenKeyExA(root, built.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegCloseKey(key);
            } else {
                RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
                RegCloseKey(key);
                created_.emplace_back(root, built);
                return;
            }
            if (slash == std::string::npos)
                return;
            start = slash + 1;
        }
    }

    void Text(HKEY root, const std::string& path, const std::string& name, const std::string& value)
    {
        Raw(root, path, name, REG_SZ, value.c_str(), value.size() + 1);
    }
    void Dword(HKEY root, const std::string& path, const std::string& name, DWORD value)
    {
        Raw(root, path, name, REG_DWORD, &value, sizeof(value));
    }
    // Strings each ended by a NUL, and a final NUL.
    void MultiText(HKEY root, const std::string& path, const std::string& name, const std::vector<std::string>& items)
    {
        std::string data;
        for (const std::string& item : items)
            data += item + '\0';
        data += '\0';
        Raw(root, path, name, REG_MULTI_SZ, data.data(), data.size());
    }
    // A text stored as the drivers store it: UTF-16 bytes with a final NUL.
    void WideBinary(HKEY root, const std::string& path, const std::string& name, const std::string& ascii)
    {
        std::vector<BYTE> data;
        for (char c : ascii) {
            data.push_back(static_cast<BYTE>(c));
            data.push_back(0);
        }
        data.push_back(0);
        data.push_back(0);
        Raw(root, path, name, REG_BINARY, data.data(), data.size());
    }
    // Takes the value away for the test; it comes back afterwards.
    void Remove(HKEY root, const std::string& path, const std::string& name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        Remember(key, root, path, name);
        RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }
    void Raw(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data, size_t size)
    {
        Key(root, path);
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        Remember(key, root, path, name);
        RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
        RegCloseKey(key);
    }

private:
    struct Restore {
        HKEY root;
        std::string path, name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    // What the value holds now, to be put back (or deleted) afterwards.
    void Remember(HKEY key, HKEY root, const std::string& path, const std::string& name)
    {
        Restore restore{root, path, name, false, 0, {}};
        DWORD oldSize = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &restore.type, nullptr, &oldSize) == ERROR_SUCCESS) {
            restore.existed = true;
            restore.data.resize(oldSize);
            RegQueryValueExA(key, name.c_str(), nullptr, &restore.type, restore.data.data(), &oldSize);
        }
        restores_.push_back(std::move(restore));
    }

    std::vector<std::pair<HKEY, std::string>> created_;
    std::vector<Restore> restores_;
};

// Devices the tests make are under an enumerator of their own.
inline constexpr char kEnum[] = "SYSTEM\\CurrentControlSet\\Enum\\QMTEST";

// A started device under the test enumerator.
inline void StartedDevice(RegistryFixture& registry, const std::string& name,
                          const std::vector<std::pair<std::string, std::string>>& values)
{
    const std::string path = std::string(kEnum) + "\\" + name + "\\0000";
    for (const auto& [value, text] : values)
        registry.Text(HKEY_LOCAL_MACHINE, path, value, text);
    registry.Key(HKEY_LOCAL_MACHINE, path + "\\Control");
}

} // namespace qm::test
