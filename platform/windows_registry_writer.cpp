#include <windows.h>

#include <stdexcept>

#include "platform/registry_writer.h"

namespace qm {

namespace {

class WindowsRegistryWriter final : public RegistryWriter {
public:
    ~WindowsRegistryWriter() override { CloseKey(); }

    void SetRoot(RegistryRoot root) override
    {
        CloseKey();
        root_ = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    }

    bool OpenKey(const std::string& path) override
    {
        CloseKey();
        std::string relative = !path.empty() && path[0] == '\\' ? path.substr(1) : path;
        HKEY key = nullptr;
        if (RegCreateKeyExA(root_, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        key_ = key;
        return true;
    }

    void WriteString(const std::string& name, const std::string& value) override
    {
        Check(RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)),
              name);
    }

    void WriteDword(const std::string& name, std::uint32_t value) override
    {
        DWORD data = value;
        Check(RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)),
              name);
    }

    void CloseKey() override
    {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    static void Check(LONG status, const std::string& name)
    {
        if (status != ERROR_SUCCESS)
            throw std::runtime_error("Failed to set data for '" + name + "'");
    }

    HKEY root_ = HKEY_CURRENT_USER;
    HKEY key_ = nullptr;
};

} // namespace

std::unique_ptr<RegistryWriter> CreateWindowsRegistryWriter()
{
    return std::make_unique<WindowsRegistryWriter>();
}

} // namespace qm
