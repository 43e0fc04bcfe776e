#pragma once
// A stand-in for the wizard window around the optimization body.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "components/shutdown.h"
#include "optimizer/optimization_host.h"
#include "optimizer/tweak_tables.h"
#include "platform/registry_writer.h"
#include "test_support.h"

namespace qm::test {

// The real registry, except that the machine-wide root can be refused, as it
// is for a user without rights, and a chosen value can fail to be written.
struct StoredValue {
    std::string name;
    DWORD type;
    std::string text; // REG_SZ
    std::uint32_t number; // REG_DWORD
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
    friend void PrintTo(const StoredValue& v, std::ostream* out)
    {
        *out << v.name << (v.type == REG_SZ ? "=\"" + v.text + "\"" : "=dword:" + std::to_string(v.number));
    }
};

// Every write, in order, with the key it went to.
struct Write {
    std::string key;
    StoredValue value;
    friend bool operator==(const Write&, const Write&) = default;
    friend void PrintTo(const Write& w, std::ostream* out)
    {
        *out << w.key << ": ";
        PrintTo(w.value, out);
    }
};

class TestRegistry : public RegistryWriter {
public:
    TestRegistry(bool refuseMachine, std::string failingValue, std::vector<Write>& log)
        : real_(CreateWindowsRegistryWriter()), refuseMachine_(refuseMachine), failingValue_(std::move(failingValue)),
          log_(log)
    {}
    void SetRoot(RegistryRoot root) override
    {
        root_ = root;
        real_->SetRoot(root);
    }
    bool OpenKey(const std::string& path) override
    {
        key_ = (root_ == RegistryRoot::LocalMachine ? "HKLM" : "HKCU") + path;
        if (refuseMachine_ && root_ == RegistryRoot::LocalMachine)
            return false;
        return real_->OpenKey(path);
    }
    void WriteString(const std::string& name, const std::string& value) override
    {
        Check(name);
        real_->WriteString(name, value);
        log_.push_back({key_, {name, REG_SZ, value, 0}});
    }
    void WriteDword(const std::string& name, std::uint32_t value) override
    {
        Check(name);
        real_->WriteDword(name, value);
        log_.push_back({key_, {name, REG_DWORD, {}, value}});
    }
    void CloseKey() override { real_->CloseKey(); }

private:
    void Check(const std::string& name)
    {
        if (name == failingValue_)
            throw std::runtime_error("Failed to set data for '" + name + "'");
    }
    std::unique_ptr<RegistryWriter> real_;
    RegistryRoot root_ = RegistryRoot::CurrentUser;
    bool refuseMachine_;
    std::string failingValue_;
    std::vector<Write>& log_;
    std::string key_;
};

class TestHost : public OptimizationHost {
public:
    explicit TestHost(SystemServices& services) : services_(services)
    {
        shutdown_.SetActionType(ShutdownAction::aatReboot);
    }

    bool optimizeRam = false, optimizeNet = false;
    int ramMiB = 0, lineSpeed = 3;
    bool answerYes = false;
    bool refuseMachine = false;
    std::string failingValue;

    std::vector<std::string> events; // "advance", "fill", "question"
    std::vector<Write> writes;
    std::vector<DWORD> eventThreads;
    std::string question;

    std::atomic<bool> stopRequested{false};
    bool StopRequested() const override { return stopRequested; }
    bool OptimizeRAM() const override { return optimizeRam; }
    bool OptimizeNet() const override { return optimizeNet; }
    int RamBarPosition() const override { return ramMiB; }
    int NetBarPosition() const override { return lineSpeed; }
    void AdvanceProgress() override { Record("advance"); }
    void FillProgress() override { Record("fill"); }
    bool ConfirmRestart(const std::string& text) override
    {
        Record("question");
        question = text;
        return answerYes;
    }
    TabfShutdown& Shutdown() override { return shutdown_; }
    SystemServices& Services() override { return services_; }
    std::unique_ptr<RegistryWriter> CreateRegistry() override
    {
        return std::make_unique<TestRegistry>(refuseMachine, failingValue, writes);
    }

private:
    void Record(const char* event)
    {
        events.push_back(event);
        eventThreads.push_back(GetCurrentThreadId());
    }
    SystemServices& services_;
    TabfShutdown shutdown_;
};

constexpr char kMstcpKey[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kTcpipKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr char kInternetKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// The names the optimizer may write, for clearing before a test.
inline void ClearTweaks()
{
    const char* names[] = {
        "DefaultTTL",  "DefaultRcvWindow", "PMTUBlackHoleDetect", "PMTUDiscovery",       "SackOpts",
        "Tcp1323Opts", "TcpWindowSize",    "EnablePMTUBHDetect",  "EnablePMTUDiscovery", "GlobalMaxTcpWindowSize"};
    for (const char* key : {kMstcpKey, kTcpipKey}) {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS) {
            for (const char* name : names)
                RegDeleteValueA(handle, name);
            RegCloseKey(handle);
        }
    }
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternetKey, 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, "MaxConnectionsPerServer");
        RegDeleteValueA(handle, "MaxConnectionsPer1_0Server");
        RegCloseKey(handle);
    }
}

inline bool WrittenByTheOptimizer(const std::string& name)
{
    static const char* names[] = {"DefaultTTL",
                                  "DefaultRcvWindow",
                                  "PMTUBlackHoleDetect",
                                  "PMTUDiscovery",
                                  "SackOpts",
                                  "Tcp1323Opts",
                                  "TcpWindowSize",
                                  "EnablePMTUBHDetect",
                                  "EnablePMTUDiscovery",
                                  "GlobalMaxTcpWindowSize",
                                  "MaxConnectionsPerServer",
                                  "MaxConnectionsPer1_0Server"};
    for (const char* n : names)
        if (name == n)
            return true;
    return false;
}

// The values of a key the optimizer may write, sorted by name, read back.
inline std::vector<StoredValue> ValuesOf(HKEY root, const char* key)
{
    std::vector<StoredValue> values;
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[512];
        DWORD nameLength = sizeof(name), dataLength = sizeof(data), type = 0;
        if (RegEnumValueA(handle, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS)
            break;
        StoredValue value{name, type, {}, 0};
        if (type == REG_SZ)
            value.text = reinterpret_cast<const char*>(data);
        else if (type == REG_DWORD)
            std::memcpy(&value.number, data, 4);
        if (WrittenByTheOptimizer(value.name))
            values.push_back(value);
    }
    RegCloseKey(handle);
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return values;
}

inline StoredValue Sz(const char* name, const char* text)
{
    return {name, REG_SZ, text, 0};
}
inline StoredValue Dw(const char* name, std::uint32_t number)
{
    return {name, REG_DWORD, {}, number};
}

// What a tweak table writes, as the registry then holds it; none without a table.
inline std::vector<StoredValue> ValuesOfTable(const TweakTable* table)
{
    std::vector<StoredValue> values;
    if (table)
        for (const TweakValue& v : table->values)
            values.push_back(v.type == TweakType::String ? Sz(std::string(v.name).c_str(), std::string(v.text).c_str())
                                                         : Dw(std::string(v.name).c_str(), v.number));
    return values;
}

inline std::vector<StoredValue> Sorted(std::vector<StoredValue> values)
{
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return values;
}

inline std::vector<StoredValue> ValuesIn(const std::vector<Write>& writes, const std::string& key)
{
    std::vector<StoredValue> values;
    for (const Write& w : writes)
        if (w.key == key)
            values.push_back(w.value);
    return values;
}

} // namespace qm::test
