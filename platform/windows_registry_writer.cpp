#include <stdexcept>

#include "platform/registry_key.h"
#include "platform/registry_writer.h"

namespace qm {

namespace {

class WindowsRegistryWriter final : public RegistryWriter {
public:
    void SetRoot(RegistryRoot root) override
    {
        key_.Close();
        root_ = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    }

    bool OpenKey(const std::string& path) override
    {
        const std::string relative = !path.empty() && path[0] == '\\' ? path.substr(1) : path;
        return key_.Create(root_, relative, KEY_ALL_ACCESS);
    }

    void WriteString(const std::string& name, const std::string& value) override
    {
        Check(key_.WriteString(name, value), name);
    }

    void WriteDword(const std::string& name, std::uint32_t value) override
    {
        Check(key_.WriteDword(name, value), name);
    }

    void CloseKey() override { key_.Close(); }

private:
    static void Check(bool written, const std::string& name)
    {
        if (!written)
            throw std::runtime_error("Failed to set data for '" + name + "'");
    }

    HKEY root_ = HKEY_CURRENT_USER;
    RegistryKey key_;
};

} // namespace

std::unique_ptr<RegistryWriter> CreateWindowsRegistryWriter()
{
    return std::make_unique<WindowsRegistryWriter>();
}

} // namespace qm
