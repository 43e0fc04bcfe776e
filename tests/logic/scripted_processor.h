#pragma once
// A processor made of scripted registers, and system services that only
// record the messages a collector shows: enough to run the processor
// collector's whole refresh natively.
#include <cstdint>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/system_services.h"
#include "sysinfo/msi_cpu.h"

namespace qm::test {

class ScriptedProcessor : public CpuProbe {
public:
    std::map<std::uint32_t, CpuidRegisters> leaves;
    std::map<std::uint32_t, int> calls;
    int count = 1, frequency = 700;
    bool noCpuid = false;
    std::map<std::pair<std::uint32_t, std::uint32_t>, CpuidRegisters> subleaves;
    CpuidRegisters Cpuid(std::uint32_t leaf) override
    {
        if (noCpuid)
            throw std::runtime_error("no CPUID");
        ++calls[leaf];
        return leaves[leaf];
    }
    CpuidRegisters CpuidSubleaf(std::uint32_t leaf, std::uint32_t subleaf) override
    {
        ++calls[leaf];
        return subleaves[{leaf, subleaf}];
    }
    // Leaves 0x80000002-4 holding `brand`, NUL-padded to 48 characters.
    void SetBrand(std::string brand)
    {
        brand.resize(48, '\0');
        for (std::uint32_t leaf = 0; leaf < 3; ++leaf) {
            std::uint32_t words[4] = {};
            std::memcpy(words, brand.data() + leaf * 16, 16);
            leaves[0x80000002u + leaf] = {words[0], words[1], words[2], words[3]};
        }
    }
    int ProcessorCount() override { return count; }
    int MeasureFrequency() override { return frequency; }
};

class Recorder : public SystemServices {
public:
    std::vector<MessageBoxRequest> messages;
    MemoryStatus ReadMemoryStatus() override { return {}; }
    void TouchAndRelease(std::uint64_t, const std::function<bool()>&) override {}
    void ShowHelpContents(const std::string&) override {}
    bool FileExists(const std::string&) override { return false; }
    std::string ExecutableDirectory() override { return {}; }
    MessageResult ShowMessage(const MessageBoxRequest& request) override
    {
        messages.push_back(request);
        return MessageResult::Ok;
    }
    OsVersionInfo OsVersion() override { return {}; }
    bool EnableShutdownPrivilege() override { return false; }
    bool RequestExitWindows(unsigned) override { return false; }
    bool RequestPowerState(bool, bool) override { return false; }
    void OpenWithShell(const std::string&) override {}
    bool NotifyTrayIcon(TrayAction, const TrayIconData&) override { return false; }
    ProcessEnd EndProcess(std::uint32_t, const std::function<bool()>&) override { return ProcessEnd::NotRunning; }
    void* DriveIcon(const std::string&) override { return nullptr; }
};

} // namespace qm::test
