// The cost of the main window's periodic work, its paint, "System info..."
// and the wizard. Start-up is bench/start_bench.cpp's.
#include <cstdio>

#include <shlwapi.h>

#include "app/cool_tray_icon.h"
#include "app/main_form.h"
#include "app/quarrimond.h"
#include "bench_clock.h"
#include "components/wm_wizard.h"
#include "framework/check_box.h"
#include "optimizer/tweak_tables.h"
#include "optimizer/wizard_form.h"
#include "platform/file_write.h"
#include "platform/forwarding_services.h"
#include "platform/registry_key.h"
#include "sysinfo/viewer/msi_overview.h"
#include "widgets/vr_scope.h"

namespace {

// The real system, but the restart question is answered "No".
class NoRestartServices final : public qm::ForwardingServices {
public:
    qm::MessageResult ShowMessage(const qm::MessageBoxRequest& request) override
    {
        return request.buttons == qm::MessageButtons::YesNo ? qm::MessageResult::No
                                                            : qm::ForwardingServices::ShowMessage(request);
    }
};

// The values the optimizer may write here that are absent now: taken away
// again after the bench, so that it leaves the registry as it found it.
class AbsentTweaks {
public:
    AbsentTweaks()
    {
        const qm::OsVersionInfo version = qm::WindowsServices().OsVersion();
        if (const qm::TweakTable* table = qm::ChooseTweakTable(version.platform == 1 ? "Windows 9x" : "Windows NT",
                                                               static_cast<int>(version.major)))
            for (const qm::TweakValue& value : table->values)
                Note(HKEY_LOCAL_MACHINE, std::string(table->key.substr(1)), std::string(value.name));
        const std::string limits(qm::kInternetSettingsKey.substr(1));
        Note(HKEY_CURRENT_USER, limits, "MaxConnectionsPerServer");
        Note(HKEY_CURRENT_USER, limits, "MaxConnectionsPer1_0Server");
    }
    ~AbsentTweaks()
    {
        for (const auto& [root, path, name] : absent_) {
            qm::RegistryKey key;
            if (key.Open(root, path, KEY_READ | KEY_WRITE))
                key.DeleteValue(name);
        }
    }

private:
    void Note(HKEY root, const std::string& path, const std::string& name)
    {
        qm::RegistryKey key;
        if (!key.Open(root, path) || !key.ValueExists(name))
            absent_.push_back({root, path, name});
    }
    struct Value {
        HKEY root;
        std::string path, name;
    };
    std::vector<Value> absent_;
};

// "System info...": a new window each time (the previous one closed), then
// Refresh and the All Topics report on the last one.
void BenchSystemInfo(qm::Application& application, qm::TMainForm& main)
{
    using namespace qm;
    auto& container = *dynamic_cast<TMSystemInfo*>(main.FindComponent("MSystemInfo1"));
    auto closeOverview = [&] {
        if (auto* window = dynamic_cast<TfrmMSI_Overview*>(container.Overview())) {
            window->Close();
            while (container.Overview())
                application.ProcessMessages();
        }
    };
    bench::Print("\"System info...\" to painted (and closing it)", bench::Measure(10, [&] {
                     closeOverview();
                     main.FlatButton1Click(main);
                     auto& window = *dynamic_cast<TfrmMSI_Overview*>(container.Overview());
                     RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                 }));
    {
        // Its steps, on a window of its own.
        std::unique_ptr<TfrmMSI_Overview> steps;
        bench::Print("  of which: creating the window", bench::Measure(5, [&] {
                         steps = std::make_unique<TfrmMSI_Overview>(application);
                         steps->Initialize();
                     }));
        steps->SysInfo = &container;
        bench::Print("  of which: choosing the pages", bench::Measure(5, [&] { steps->SetPages(0xFFFF); }));
        bench::Print("  of which: destroying the window", bench::Measure(1, [&] { steps.reset(); }));
    }
    auto& window = *dynamic_cast<TfrmMSI_Overview*>(container.Overview());
    bench::Print("Refresh (all collectors, all pages)", bench::Measure(10, [&] { window.Refresh(); }));
    bench::Print("  of which: filling the pages", bench::Measure(10, [&] { window.RefreshDisplay(); }));
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    const std::string file = std::string(temp) + "quarrimond-bench-report.txt";
    bench::Print("All Topics report written to a file", bench::Measure(10, [&] {
                     StringList lines;
                     container.Info().Report(lines, UserReportLocale());
                     WriteWholeFile(file, lines.Text(), ExistingFile::Replace);
                 }));
    DeleteFileA(file.c_str());
    closeOverview();
}

void BenchWizard(qm::Application& application, qm::TMainForm& main)
{
    using namespace qm;
    auto& wizard = *application.FindForm<TForm1>();
    bench::Print("\"Optimize it!\" to the wizard painted", bench::Measure(20, [&] {
                     main.FlatButton2Click(main);
                     RedrawWindow(wizard.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                     wizard.Hide();
                 }));
    AbsentTweaks restore;
    // The options this run ticks are stored on closing: not for the user to find.
    RegistryKey stored;
    const bool hadSettings = stored.Open(HKEY_CURRENT_USER, "Quarrimond\\OptWizSettings");
    stored.Close();
    auto& control = *dynamic_cast<TwmWizard*>(wizard.FindComponent("wmWizard1"));
    auto& internet = *dynamic_cast<TFlatCheckBox*>(wizard.FindComponent("FlatCheckBox2"));
    bench::Print("Finish to closed, Internet option only", bench::Measure(3, [&] {
                     main.FlatButton2Click(main);
                     internet.SetChecked(true);
                     control.SetActivePageIndex(3);
                     control.WizardButton(TwmButtonKind::Finish).Click();
                     while (IsWindowVisible(wizard.Handle())) {
                         application.ProcessMessages();
                         MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
                     }
                 }));
    std::printf("  (of which 1000 ms are the two pauses that let the bar be seen)\n");
    if (!hadSettings)
        SHDeleteKeyA(HKEY_CURRENT_USER, "Quarrimond\\OptWizSettings");
}

} // namespace

int main()
{
    using namespace qm;
    NoRestartServices services;
    Application application(services);
    CreateQuarrimondWindows(application);
    auto* main = application.FindForm<TMainForm>();
    main->Show();

    application.ProcessMessages();
    bench::Print("sampling tick, figures unchanged", bench::Measure(2000, [&] { main->VrTimer1Timer(*main); }));

    bench::Print("  of which: reading the memory status",
                 bench::Measure(2000, [&] { application.Services().ReadMemoryStatus(); }));
    auto& tray = *dynamic_cast<TCoolTrayIcon*>(main->FindComponent("CoolTrayIcon1"));
    int megabytes = 0;
    bench::Print("  of which: a changed tray hint", bench::Measure(500, [&] {
                     tray.SetHint("Quarrimond: free RAM=" + std::to_string(++megabytes) + " Mb");
                 }));

    auto& scope = *dynamic_cast<TVrScope*>(main->FindComponent("VrScope1"));
    for (int i = 0; i < 999; ++i) // a full history, as after five minutes
        scope.Tick();
    bench::Print("scope tick with paint (294 x 71, full history)", bench::Measure(2000, [&] { scope.Tick(); }));

    // What each of the fade's hundred steps costs.
    bench::Print("whole main window repaint", bench::Measure(200, [&] {
                     RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                 }));
    dynamic_cast<TControl*>(main->FindComponent("Panel5"))->SetVisible(true); // the banner, as on its day
    auto& banner = *dynamic_cast<TControl*>(main->FindComponent("HTMLStaticText1"));
    bench::Print("  of which: the banner text", bench::Measure(500, [&] { banner.Repaint(); }));

    BenchSystemInfo(application, *main);
    BenchWizard(application, *main);
    return 0;
}
