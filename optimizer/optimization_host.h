#pragma once
// What the optimization needs from the window that runs it: the user's
// choices, the progress bar, the restart question and the restart itself.
#include <memory>
#include <string>

namespace qm {

class RegistryWriter;
class SystemServices;
class TabfShutdown;

class OptimizationHost {
public:
    virtual ~OptimizationHost() = default;

    virtual bool OptimizeRAM() const = 0; // "Free up some RAM memory (Mb)" ticked
    virtual bool OptimizeNet() const = 0; // "Optimize your internet connection" ticked
    virtual int RamBarPosition() const = 0; // MiB
    virtual int NetBarPosition() const = 0; // 1 Modem .. 4 T1+
    // The user has quit: the run ends without writing or asking anything more.
    virtual bool StopRequested() const = 0;

    // Called on the user-interface thread; the worker waits for each.
    virtual void AdvanceProgress() = 0;
    virtual void FillProgress() = 0;
    virtual bool ConfirmRestart(const std::string& question) = 0;

    virtual TabfShutdown& Shutdown() = 0;
    virtual SystemServices& Services() = 0;
    virtual std::unique_ptr<RegistryWriter> CreateRegistry() = 0;
};

// The restart question as a confirmation box: Yes answers true.
bool AskRestartQuestion(SystemServices& services, const std::string& question);

} // namespace qm
