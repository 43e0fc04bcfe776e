#pragma once
// The Optimization Wizard's window: four pages on one route where the user
// chooses what to optimize, and the components that carry it out. Created
// once at start-up, shown by "Optimize it!", hidden when closed.
#include <atomic>
#include <cstdint>

#include "framework/form.h"
#include "optimizer/optimization_host.h"

namespace qm {

class TabfAutoRun;
class TBMDExecuteThread;
class TBMDThread;
class TFlatCheckBox;
class TFormStorage;
class TLabel;
class TVrLights;
class TVrProgressBar;
class TVrTrackBar;
class TwmWizard;

class TForm1 : public TForm, public OptimizationHost {
public:
    explicit TForm1(Application& application);
    ~TForm1() override;
    const char* ClassName() const override { return "TForm1"; }
    bool MakesControlsWhenShown() const override { return true; }

    // Handlers, named as the description binds them.
    void FormCreate(Component& sender);
    void FormShow(Component& sender);
    void FlatCheckBox1Click(Component& sender);
    void FlatCheckBox2Click(Component& sender);
    void FlatCheckBox6Click(Component& sender);
    void wmWizard1Finish(Component& sender);
    void wmWizard1Cancel(Component& sender);
    void Thread1Execute(Component& sender, TBMDExecuteThread& thread, void*& data);
    void Thread1Terminate(Component& sender, TBMDExecuteThread& thread, void*& data);

    // What the optimization reads and does, from its thread.
    bool OptimizeRAM() const override { return optimizeRam_; }
    bool OptimizeNet() const override { return optimizeNet_; }
    int RamBarPosition() const override;
    int NetBarPosition() const override;
    bool StopRequested() const override;
    void AdvanceProgress() override;
    void FillProgress() override;
    bool ConfirmRestart(const std::string& question) override;
    TabfShutdown& Shutdown() override;
    SystemServices& Services() override;
    std::unique_ptr<RegistryWriter> CreateRegistry() override;

    // The memory measured at the last show, in bytes.
    std::int64_t TotalPhys() const { return totalPhys_; }
    std::int64_t AvailPhys() const { return availPhys_; }

protected:
    void DescriptionLoaded() override;

private:
    TwmWizard* wmWizard1 = nullptr;
    TVrTrackBar* RAMbar = nullptr;
    TVrTrackBar* NetBar = nullptr;
    TLabel* MaxRAM = nullptr;
    TFlatCheckBox* FlatCheckBox1 = nullptr;
    TFlatCheckBox* FlatCheckBox2 = nullptr;
    TFlatCheckBox* FlatCheckBox6 = nullptr;
    TVrLights* VrLightsRAM = nullptr;
    TVrLights* VrLightsNET = nullptr;
    TVrProgressBar* VrBar1 = nullptr;
    TBMDThread* Thread1 = nullptr;
    TabfShutdown* SDown1 = nullptr;
    TabfAutoRun* ARUN = nullptr;
    TFormStorage* FormStorage1 = nullptr;

    // 64-bit: machines have more than the 2 GiB the old fields held.
    std::int64_t totalPhys_ = 0;
    std::int64_t availPhys_ = 0;
    std::atomic<bool> optimizeRam_{false};
    std::atomic<bool> optimizeNet_{false};
    std::atomic<bool> ending_{false};
};

} // namespace qm
