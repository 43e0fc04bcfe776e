#include "app/main_form.h"

#include <algorithm>
#include <limits>

#include "app/cool_tray_icon.h"
#include "app/defrag_form.h"
#include "app/memory_figures.h"
#include "app/share_form.h"
#include "app/transparent_skin.h"
#include "framework/application.h"
#include "framework/panel.h"
#include "optimizer/registry_backup_files.h"
#include "optimizer/wizard_form.h"
#include "sysinfo/collector_failure.h"
#include "sysinfo/msysteminfo.h"
#include "sysinfo/viewer/msi_overview.h"
#include "widgets/vr_num.h"
#include "widgets/vr_scope.h"
#include "widgets/vr_user_led.h"

namespace qm {

namespace {

// Megabytes for a display that takes an int.
int DisplayMegabytes(std::int64_t bytes)
{
    std::int64_t megabytes = WholeMegabytes(bytes);
    return static_cast<int>(
        std::clamp<std::int64_t>(megabytes, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Switches the LED off when Quick Free RAM ends, however it ends.
class LedOnScope {
public:
    explicit LedOnScope(TVrUserLed& led) : led_(led) { led_.SetActive(true); }
    ~LedOnScope() { led_.SetActive(false); }
    LedOnScope(const LedOnScope&) = delete;
    LedOnScope& operator=(const LedOnScope&) = delete;

private:
    TVrUserLed& led_;
};

} // namespace

TMainForm::TMainForm(Application& application) : TForm(application)
{
    Handler("FormCreate", &TMainForm::FormCreate);
    Handler("FormShow", &TMainForm::FormShow);
    Handler("FormClose", &TMainForm::FormClose);
    Handler("VrTimer1Timer", &TMainForm::VrTimer1Timer);
    Handler("VrShadowButton1Click", &TMainForm::VrShadowButton1Click);
    Handler("FlatButton1Click", &TMainForm::FlatButton1Click);
    Handler("FlatButton2Click", &TMainForm::FlatButton2Click);
    Handler("FlatButton3Click", &TMainForm::FlatButton3Click);
    Handler("VrShadowButton2Click", &TMainForm::VrShadowButton2Click);
    Handler("FullRAMDefrag1Click", &TMainForm::FullRAMDefrag1Click);
    Handler("ShowQuarrimondWindow1Click", &TMainForm::ShowQuarrimondWindow1Click);
    Handler("ShutdownQuarrimond1Click", &TMainForm::ShutdownQuarrimond1Click);
    Handler("CoolTrayIcon1DblClick", &TMainForm::CoolTrayIcon1DblClick);
    Handler("Image1Click", &TMainForm::Image1Click);
    Handler("Image2Click", &TMainForm::Image2Click);
    Handler("HTMLStaticText1Click", &TMainForm::HTMLStaticText1Click);
    Handler("abfApplicationProperties1Activate", &TMainForm::abfApplicationProperties1Activate);
    Handlers().Add<void(Component&, int, int&)>("VrScope1NeedData", [this](Component& sender, int channel, int& value) {
        VrScope1NeedData(sender, channel, value);
    });
}

void TMainForm::DescriptionLoaded()
{
    Panel5 = &Find<TPanel>("Panel5");
    RxLabel4 = &Find<TControl>("RxLabel4");
    Panel3 = &Find<TControl>("Panel3");
    RxLabel1 = &Find<TControl>("RxLabel1");
    Panel6 = &Find<TControl>("Panel6");
    VrScope1 = &Find<TVrScope>("VrScope1");
    VrNum1 = &Find<TVrNum>("VrNum1");
    VrNum2 = &Find<TVrNum>("VrNum2");
    UserLed = &Find<TVrUserLed>("UserLed");
    CoolTrayIcon1 = &Find<TCoolTrayIcon>("CoolTrayIcon1");
    TransparentSkin1 = &Find<TTransparentSkin>("TransparentSkin1");
    MSystemInfo1 = &Find<TMSystemInfo>("MSystemInfo1");
    // The engine holds no windows: the program supplies its overview.
    MSystemInfo1->SetOverviewFactory(OverviewFactory(Application::Instance()));
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Hidden (in the tray), the trace is neither sampled nor drawn: it goes
    // on from where it was when the window comes back. The figures and the
    // tray hint keep their one-second timer.
    const LRESULT result = TForm::HandleMessage(message, wParam, lParam);
    // Every show, hide, minimise and restore ends in this one message.
    if (message == WM_WINDOWPOSCHANGED) {
        const bool shown = IsWindowVisible(Handle()) && !IsIconic(Handle());
        if (shown != VrScope1->Active())
            VrScope1->SetActive(shown);
    }
    return result;
}

void TMainForm::FormCreate(Component&)
{
    BackupRegistry(Application::Instance().Services());
    // The banner is designed into the window; hidden, it must leave no gap.
    clientWithoutBanner_ = ClientHeight() - Panel5->Height();
    FitHeightToBanner();
    designedRow_ = {RxLabel4->Bounds(), Panel3->Bounds(), RxLabel1->Bounds(), Panel6->Bounds()};
    banner_.Reset();
    // Whatever escapes a handler is dropped without a word.
    Application::Instance().SetOnException([](const std::exception&) {});
}

void TMainForm::FormShow(Component&)
{
    TransparentSkin1->FadeIn(1);
}

void TMainForm::FormClose(Component&)
{
    TransparentSkin1->FadeOut();
}

void TMainForm::VrTimer1Timer(Component&)
{
    RunGuarded(Application::Instance().Services(), "TMemory.GetInfo", [&] {
        MemoryStatus status = Application::Instance().Services().ReadMemoryStatus();
        totalRam_ = static_cast<std::int64_t>(status.totalPhysical);
        availableRam_ = static_cast<std::int64_t>(status.availablePhysical);
        freeRamPercent_ = qm::FreeRamPercent(availableRam_, totalRam_);
        const int digits = DigitsForMegabytes(WholeMegabytes(std::max(totalRam_, availableRam_)));
        if (digits != VrNum2->Digits())
            FitDisplays(digits);
        VrNum1->SetValue(DisplayMegabytes(availableRam_));
        VrNum2->SetValue(DisplayMegabytes(totalRam_));
        CoolTrayIcon1->SetHint(FreeRamHint(VrNum1->Value()));
    });
}

void TMainForm::FitDisplays(int digits)
{
    const MemoryRow row = LayOutMemoryRow(designedRow_, digits, VrNum1->CellSize().cx, VrNum1->Options().spacing);
    RxLabel4->SetBounds(row.availableCaption);
    Panel3->SetBounds(row.availableDisplay);
    RxLabel1->SetBounds(row.totalCaption);
    Panel6->SetBounds(row.totalDisplay);
    for (TVrNum* display : {VrNum1, VrNum2}) {
        display->SetMax(LargestShown(digits));
        display->SetDigits(digits);
    }
}

void TMainForm::VrScope1NeedData(Component&, int, int& value)
{
    value = freeRamPercent_;
}

void TMainForm::VrShadowButton1Click(Component&)
{
    Application& application = Application::Instance();
    if (!QuickFreeNeeded(availableRam_, totalRam_)) {
        application.ShowMessage(
            {kQuickFreeNotNeeded, application.Title(), MessageIcon::Information, MessageButtons::Ok, true});
        return;
    }
    LedOnScope led(*UserLed);
    // A failed allocation goes on to the application's handler, which drops it.
    application.Services().TouchAndRelease(static_cast<std::uint64_t>(QuickFreeSize(availableRam_, totalRam_)), {});
}

void TMainForm::FlatButton1Click(Component&)
{
    MSystemInfo1->ShowOverview();
}

void TMainForm::FlatButton2Click(Component&)
{
    if (auto* wizard = Application::Instance().FindForm<TForm1>())
        wizard->Show();
}

void TMainForm::FlatButton3Click(Component&)
{
    if (auto* shares = Application::Instance().FindForm<TShareForm>())
        shares->ShowModal();
}

void TMainForm::VrShadowButton2Click(Component&)
{
    if (auto* defrag = Application::Instance().FindForm<TDefragForm>())
        defrag->ShowModal();
}

void TMainForm::FullRAMDefrag1Click(Component& sender)
{
    VrShadowButton2Click(sender);
}

void TMainForm::RestoreApplication()
{
    HWND window = Handle();
    if (!IsIconic(window) && IsWindowVisible(window))
        return;
    Application::Instance().BringMainFormForward();
    // The tray menu may have activated the window while it was hidden, so
    // no activation follows now to bring the focus back.
    RestoreFocus();
}

void TMainForm::ShowQuarrimondWindow1Click(Component&)
{
    RestoreApplication();
}

void TMainForm::ShutdownQuarrimond1Click(Component&)
{
    Close();
}

void TMainForm::CoolTrayIcon1DblClick(Component&)
{
    RestoreApplication();
    HWND popup = GetLastActivePopup(Handle());
    if (popup && IsWindowVisible(popup) && IsWindowEnabled(popup))
        SetForegroundWindow(popup);
}

void TMainForm::Image1Click(Component&)
{
    // Beside the program, wherever the current directory happens to be.
    SystemServices& services = Application::Instance().Services();
    services.ShowHelpContents(services.ExecutableDirectory() + Application::Instance().HelpFile());
}

void TMainForm::HideBanner()
{
    Panel5->SetVisible(false);
    FitHeightToBanner();
}

void TMainForm::FitHeightToBanner()
{
    SetClientHeight(clientWithoutBanner_ + (Panel5->Visible() ? Panel5->Height() : 0));
}

void TMainForm::Image2Click(Component&)
{
    HideBanner();
}

void TMainForm::HTMLStaticText1Click(Component&)
{
    HideBanner();
}

void TMainForm::abfApplicationProperties1Activate(Component&)
{
    if (!banner_.Activate(Panel5->Visible()))
        return;
    Panel5->SetVisible(true);
    FitHeightToBanner();
    Panel5->Repaint();
}

} // namespace qm
