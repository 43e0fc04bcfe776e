#pragma once
// Writing registry values the way the optimizer does: one open key at a time
// under a chosen root. Tests put their own in place, e.g. to refuse the
// machine-wide root as for a user without rights.
#include <cstdint>
#include <memory>
#include <string>

namespace qm {

enum class RegistryRoot { CurrentUser, LocalMachine };

class RegistryWriter {
public:
    virtual ~RegistryWriter() = default;
    // Changing the root closes any open key.
    virtual void SetRoot(RegistryRoot root) = 0;
    // Opens `path` for full access, creating it if missing. A leading
    // backslash means from the root. False when it cannot be had.
    virtual bool OpenKey(const std::string& path) = 0;
    // Each throws std::runtime_error when the value cannot be set.
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    virtual void WriteDword(const std::string& name, std::uint32_t value) = 0;
    virtual void CloseKey() = 0;
};

std::unique_ptr<RegistryWriter> CreateWindowsRegistryWriter();

} // namespace qm
