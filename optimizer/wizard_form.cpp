#include "optimizer/wizard_form.h"

#include "components/auto_run.h"
#include "components/bmd_thread.h"
#include "components/form_storage.h"
#include "components/shutdown.h"
#include "components/wm_wizard.h"
#include "framework/application.h"
#include "framework/check_box.h"
#include "framework/label.h"
#include "optimizer/thread1_execute.h"
#include "optimizer/wizard_memory.h"
#include "platform/registry_writer.h"
#include "sysinfo/collector_failure.h"
#include "widgets/vr_lights.h"
#include "widgets/vr_progress_bar.h"
#include "widgets/vr_track_bar.h"

namespace qm {

namespace {

int LitWhen(bool on)
{
    return on ? LightBit(TVrLightsState::lsGreen) : 0;
}

} // namespace

TForm1::TForm1(Application& application) : TForm(application)
{
    Handler("FormCreate", &TForm1::FormCreate);
    Handler("FormShow", &TForm1::FormShow);
    Handler("FlatCheckBox1Click", &TForm1::FlatCheckBox1Click);
    Handler("FlatCheckBox2Click", &TForm1::FlatCheckBox2Click);
    Handler("FlatCheckBox6Click", &TForm1::FlatCheckBox6Click);
    Handler("wmWizard1Finish", &TForm1::wmWizard1Finish);
    Handler("wmWizard1Cancel", &TForm1::wmWizard1Cancel);
    Handlers().Add<void(Component&, TBMDExecuteThread&, void*&)>(
        "Thread1Execute",
        [this](Component& sender, TBMDExecuteThread& thread, void*& data) { Thread1Execute(sender, thread, data); });
    Handlers().Add<void(Component&, TBMDExecuteThread&, void*&)>(
        "Thread1Terminate",
        [this](Component& sender, TBMDExecuteThread& thread, void*& data) { Thread1Terminate(sender, thread, data); });
}

TForm1::~TForm1()
{
    // The worker calls back into this window: it ends before the window goes.
    ending_ = true;
    if (Thread1)
        Thread1->StopAndWait();
}

void TForm1::DescriptionLoaded()
{
    wmWizard1 = &Find<TwmWizard>("wmWizard1");
    RAMbar = &Find<TVrTrackBar>("RAMbar");
    NetBar = &Find<TVrTrackBar>("NetBar");
    MaxRAM = &Find<TLabel>("MaxRAM");
    FlatCheckBox1 = &Find<TFlatCheckBox>("FlatCheckBox1");
    FlatCheckBox2 = &Find<TFlatCheckBox>("FlatCheckBox2");
    FlatCheckBox6 = &Find<TFlatCheckBox>("FlatCheckBox6");
    VrLightsRAM = &Find<TVrLights>("VrLightsRAM");
    VrLightsNET = &Find<TVrLights>("VrLightsNET");
    VrBar1 = &Find<TVrProgressBar>("VrBar1");
    Thread1 = &Find<TBMDThread>("Thread1");
    SDown1 = &Find<TabfShutdown>("SDown1");
    ARUN = &Find<TabfAutoRun>("ARUN");
    FormStorage1 = &Find<TFormStorage>("FormStorage1");
}

void TForm1::FormCreate(Component&)
{
    ARUN->SetFileName(ARUN->FileName());
    // Loading the component took the entry away; the option the user left
    // ticked keeps it, so that it still works after the next log-on.
    if (FormStorage1->StoredValue("FlatCheckBox6_Checked") == std::optional<std::string>("True"))
        ARUN->SetAutoRun(true);
}

void TForm1::FormShow(Component&)
{
    wmWizard1->SetActivePageIndex(0);
    VrBar1->SetPosition(0);
    RunGuarded(Application::Instance().Services(), "TMemory.GetInfo", [&] {
        const MemoryStatus status = Application::Instance().Services().ReadMemoryStatus();
        totalPhys_ = static_cast<std::int64_t>(status.totalPhysical);
        availPhys_ = static_cast<std::int64_t>(status.availablePhysical);
        const WizardMemoryRange range = WizardMemory(totalPhys_, availPhys_);
        MaxRAM->SetCaption(std::to_string(range.maxLabel));
        RAMbar->SetMinValue(static_cast<int>(range.minValue));
        RAMbar->SetMaxValue(static_cast<int>(range.maxValue));
        RAMbar->SetPosition(RAMbar->MinValue());
    });
}

void TForm1::FlatCheckBox1Click(Component&)
{
    optimizeRam_ = FlatCheckBox1->Checked();
    VrLightsRAM->SetLedState(LitWhen(optimizeRam_));
}

void TForm1::FlatCheckBox2Click(Component&)
{
    optimizeNet_ = FlatCheckBox2->Checked();
    VrLightsNET->SetLedState(LitWhen(optimizeNet_));
}

void TForm1::FlatCheckBox6Click(Component&)
{
    ARUN->SetAutoRun(FlatCheckBox6->Checked());
}

void TForm1::wmWizard1Finish(Component&)
{
    Thread1->Start();
}

void TForm1::wmWizard1Cancel(Component&)
{
    Close();
}

void TForm1::Thread1Execute(Component&, TBMDExecuteThread&, void*&)
{
    qm::Thread1Execute(*this);
}

void TForm1::Thread1Terminate(Component&, TBMDExecuteThread&, void*&)
{
    Close();
}

int TForm1::RamBarPosition() const
{
    return RAMbar->Position();
}

int TForm1::NetBarPosition() const
{
    return NetBar->Position();
}

bool TForm1::StopRequested() const
{
    return ending_ || Application::Instance().Terminated();
}

void TForm1::AdvanceProgress()
{
    VrBar1->Advance();
}

void TForm1::FillProgress()
{
    VrBar1->SetPosition(VrBar1->MaxValue());
}

bool TForm1::ConfirmRestart(const std::string& question)
{
    if (StopRequested())
        return false; // no question after the user quit
    return AskRestartQuestion(Application::Instance().Services(), question);
}

TabfShutdown& TForm1::Shutdown()
{
    return *SDown1;
}

SystemServices& TForm1::Services()
{
    return Application::Instance().Services();
}

std::unique_ptr<RegistryWriter> TForm1::CreateRegistry()
{
    return CreateWindowsRegistryWriter();
}

} // namespace qm
