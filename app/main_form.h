#pragma once
// The main window: memory monitor, the three command buttons, Quick Free RAM,
// the tray menu and the banner.
#include <cstdint>

#include "app/banner_rule.h"
#include "app/memory_row.h"
#include "framework/form.h"

namespace qm {

class TPanel;
class TVrNum;
class TVrScope;
class TVrUserLed;
class TCoolTrayIcon;
class TTransparentSkin;
class TMSystemInfo;

class TMainForm : public TForm {
public:
    explicit TMainForm(Application& application);
    const char* ClassName() const override { return "TMainForm"; }

    // Latest sample.
    int FreeRamPercent() const { return freeRamPercent_; }
    std::int64_t TotalRam() const { return totalRam_; }
    std::int64_t AvailableRam() const { return availableRam_; }
    int ActivationCount() const { return banner_.Count(); }

    // Handlers, named as the description binds them.
    void FormCreate(Component& sender);
    void FormShow(Component& sender);
    void FormClose(Component& sender);
    void VrTimer1Timer(Component& sender);
    void VrScope1NeedData(Component& sender, int channel, int& value);
    void VrShadowButton1Click(Component& sender);
    void FlatButton1Click(Component& sender);
    void FlatButton2Click(Component& sender);
    void FlatButton3Click(Component& sender);
    void VrShadowButton2Click(Component& sender);
    void FullRAMDefrag1Click(Component& sender);
    void ShowQuarrimondWindow1Click(Component& sender);
    void ShutdownQuarrimond1Click(Component& sender);
    void CoolTrayIcon1DblClick(Component& sender);
    void Image1Click(Component& sender);
    void Image2Click(Component& sender);
    void HTMLStaticText1Click(Component& sender);
    void abfApplicationProperties1Activate(Component& sender);

protected:
    void DescriptionLoaded() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void HideBanner();
    // The client height for the banner as it is now, whether the window is
    // shown, minimised or in the tray: set outright, so no order of
    // activations and restores can leave a shrunken window.
    void FitHeightToBanner();
    // Widens the two displays and their row for `digits` digits.
    void FitDisplays(int digits);
    void RestoreApplication();

    int freeRamPercent_ = 0;
    std::int64_t totalRam_ = 0;
    std::int64_t availableRam_ = 0;
    BannerRule banner_;
    int clientWithoutBanner_ = 0;
    MemoryRow designedRow_;

    TPanel* Panel5 = nullptr;
    TControl* RxLabel4 = nullptr;
    TControl* Panel3 = nullptr;
    TControl* RxLabel1 = nullptr;
    TControl* Panel6 = nullptr;
    TVrScope* VrScope1 = nullptr;
    TVrNum* VrNum1 = nullptr;
    TVrNum* VrNum2 = nullptr;
    TVrUserLed* UserLed = nullptr;
    TCoolTrayIcon* CoolTrayIcon1 = nullptr;
    TTransparentSkin* TransparentSkin1 = nullptr;
    TMSystemInfo* MSystemInfo1 = nullptr;
};

} // namespace qm
