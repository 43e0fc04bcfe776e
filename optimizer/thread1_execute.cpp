#include "optimizer/thread1_execute.h"

#include <windows.h>

#include <cstdint>
#include <exception>

#include "components/shutdown.h"
#include "framework/application.h"
#include "optimizer/tweak_tables.h"
#include "platform/registry_writer.h"
#include "sysinfo/msi_os.h"

namespace qm {

namespace {

constexpr std::uint64_t kMiB = 1048576;

// The window's effects happen on the user-interface thread; we wait for them.
template <class Work> void OnUserInterface(Work&& work)
{
    Application::Instance().Synchronize(std::forward<Work>(work));
}

void WriteTable(RegistryWriter& registry, const TweakTable& table)
{
    for (const TweakValue& value : table.values) {
        if (value.type == TweakType::String)
            registry.WriteString(std::string(value.name), std::string(value.text));
        else
            registry.WriteDword(std::string(value.name), value.number);
    }
}

void RegistryStep(OptimizationHost& host)
{
    // Decided on the user-interface thread, where quitting happens: nothing
    // is written once the user has quit, and hand-overs no longer run then.
    bool write = false;
    OnUserInterface([&] {
        write = !host.StopRequested();
        host.AdvanceProgress();
    });
    if (!write)
        return;
    auto os = std::make_unique<TOperatingSystem>();
    os->GetInfo(host.Services());
    OnUserInterface([&] { host.AdvanceProgress(); });

    std::unique_ptr<RegistryWriter> registry = host.CreateRegistry();
    registry->SetRoot(RegistryRoot::LocalMachine);
    std::exception_ptr failure;
    try {
        if (const TweakTable* table = ChooseTweakTable(os->Platform, os->MajorVersion)) {
            // A key that cannot be had (no rights) is skipped; the limits are still tried.
            if (registry->OpenKey(std::string(table->key)))
                WriteTable(*registry, *table);
            registry->SetRoot(RegistryRoot::CurrentUser);
            if (registry->OpenKey(std::string(kInternetSettingsKey))) {
                if (auto limit = ConnectionLimit(host.NetBarPosition())) {
                    registry->WriteDword("MaxConnectionsPerServer", *limit);
                    registry->WriteDword("MaxConnectionsPer1_0Server", *limit);
                }
            }
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // The clean-up runs in full, question included, whatever happened above.
    registry->CloseKey();
    registry.reset();
    os.reset();
    bool restart = false;
    OnUserInterface([&] { restart = host.ConfirmRestart(std::string(kRestartQuestion)); });
    if (restart)
        host.Shutdown().Execute(host.Services());
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace

bool AskRestartQuestion(SystemServices& services, const std::string& question)
{
    return services.ShowMessage({question, "Confirm", MessageIcon::Question, MessageButtons::YesNo, true}) ==
        MessageResult::Yes;
}

void Thread1Execute(OptimizationHost& host)
{
    auto stopRequested = [&host] { return host.StopRequested(); };
    if (host.OptimizeRAM()) {
        // Widened to 64 bits: the block stays the track-bar position in MiB.
        const std::uint64_t size = static_cast<std::uint64_t>(std::max(0, host.RamBarPosition())) * kMiB;
        try {
            OnUserInterface([&] { host.AdvanceProgress(); });
            host.Services().TouchAndRelease(size, stopRequested);
            OnUserInterface([&] { host.AdvanceProgress(); });
        } catch (...) {
            // Not enough memory, or anything else here: the run goes on.
        }
    }
    Sleep(500);
    if (stopRequested())
        return;
    if (host.OptimizeNet())
        RegistryStep(host);
    OnUserInterface([&] { host.FillProgress(); });
    Sleep(500);
}

} // namespace qm
