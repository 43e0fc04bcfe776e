// Quitting from the tray while the Optimization Wizard's worker still runs,
// as a person does it with the mouse: the program ends cleanly, and nothing
// is written or asked after the user quit.
#include <gtest/gtest.h>

#include <atomic>

#include "app/main_form.h"
#include "app/quarrimond.h"
#include "components/wm_wizard.h"
#include "framework/check_box.h"
#include "optimizer/wizard_form.h"
#include "optimizer_support.h"
#include "platform/forwarding_services.h"
#include "registry_fixture.h"
#include "tray_menu.h"
#include "widgets/vr_track_bar.h"
#include "x_input.h"

namespace qm {
namespace {

constexpr int kShutdownItem = 4; // "Shutdown Quarrimond"
constexpr std::uint64_t MiB = 1048576;

// The real system as Windows XP with 1 GiB, half of it free, whose memory
// step lasts until the test has quit: a large amount takes that long.
class SlowMemoryServices : public ForwardingServices {
public:
    std::atomic<bool> touching{false}, quitDone{false};
    std::atomic<std::uint64_t> touched{0};
    std::vector<std::string> messages;

    MemoryStatus ReadMemoryStatus() override
    {
        MemoryStatus status = ForwardingServices::ReadMemoryStatus();
        status.totalPhysical = 1024 * MiB;
        status.availablePhysical = 512 * MiB;
        return status;
    }
    OsVersionInfo OsVersion() override { return {2, 5, 1, 2600, "Service Pack 3"}; }
    bool FileExists(const std::string&) override { return true; } // the backup counts as made
    MessageResult ShowMessage(const MessageBoxRequest& request) override
    {
        messages.push_back(request.caption + ": " + request.text);
        return MessageResult::No;
    }
    void TouchAndRelease(std::uint64_t bytes, const std::function<bool()>& stopRequested) override
    {
        touched = bytes;
        touching = true;
        for (int waited = 0; waited < 60000 && !quitDone && !(stopRequested && stopRequested()); waited += 10)
            Sleep(10);
    }
};

TEST(QuitDuringOptimization, FromTheTrayEndsTheProgramCleanlyAndWritesNothing)
{
    test::RegistryFixture registry;
    for (const TweakValue& value : ChooseTweakTable("Windows NT", 5)->values)
        registry.Remove(HKEY_LOCAL_MACHINE, test::kTcpipKey, std::string(value.name));
    registry.Remove(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPerServer");
    registry.Remove(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPer1_0Server");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Quarrimond\\OptWizSettings");

    SlowMemoryServices services;
    auto app = std::make_unique<Application>(services);
    CreateQuarrimondWindows(*app);
    auto* main = app->FindForm<TMainForm>();
    auto* wizard = app->FindForm<TForm1>();
    main->Show();
    ASSERT_TRUE(test::PumpUntil([&] { return FindWindowA(nullptr, "Wine System Tray") != nullptr; }, 10000));
    test::MakeForeground(main->Handle());

    // "Optimize it!", then the options: the most RAM the bar offers, and the Internet.
    ASSERT_TRUE(test::XClick(main->Find<TControl>("FlatButton2").Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(wizard->Handle()) != FALSE; }));
    auto& steps = wizard->Find<TwmWizard>("wmWizard1");
    auto page = [&] { return steps.ActivePage() ? steps.ActivePage()->Name() : std::string(); };
    ASSERT_TRUE(test::XClick(steps.WizardButton(TwmButtonKind::Next).Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return page() == "wmInteriorWizardPage1"; }));
    auto& ram = wizard->Find<TFlatCheckBox>("FlatCheckBox1");
    ASSERT_TRUE(test::XClick(ram.Handle()));
    auto& bar = wizard->Find<TVrTrackBar>("RAMbar");
    ASSERT_TRUE(test::XClickAt(bar.Handle(), bar.Geometry().ValueToPixel(bar.MaxValue()) + 4, 22));
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == bar.MaxValue(); }));
    ASSERT_TRUE(test::XClick(wizard->Find<TFlatCheckBox>("FlatCheckBox2").Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return ram.Checked(); }));
    ASSERT_TRUE(test::XClick(steps.WizardButton(TwmButtonKind::Next).Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return page() == "wmInteriorWizardPage2"; }));
    ASSERT_TRUE(test::XClick(steps.WizardButton(TwmButtonKind::Next).Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return page() == "wmCompleteWizardPage1"; }));
    ASSERT_TRUE(test::XClick(steps.WizardButton(TwmButtonKind::Finish).Handle()));
    ASSERT_TRUE(test::PumpUntil([&] { return services.touching.load(); }, 30000));
    EXPECT_EQ(services.touched, 992 * MiB); // 1 GiB less 32 MiB

    // While the worker is in its memory step, "Shutdown Quarrimond".
    ASSERT_TRUE(test::FromTrayMenu(kShutdownItem));
    ASSERT_TRUE(app->Terminated());
    services.quitDone = true;
    // What follows the message loop in the program: the windows go.
    app.reset();

    EXPECT_TRUE(test::ValuesOf(HKEY_LOCAL_MACHINE, test::kTcpipKey).empty());
    EXPECT_TRUE(test::ValuesOf(HKEY_CURRENT_USER, test::kInternetKey).empty());
    EXPECT_TRUE(services.messages.empty()) << services.messages.front();
    SHDeleteKeyA(HKEY_CURRENT_USER, "Quarrimond\\OptWizSettings");
}

} // namespace
} // namespace qm
