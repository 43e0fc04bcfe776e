#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_view.h"
#include "framework/tab_control.h"
#include "sysinfo/msi_os.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

std::string ProductTypeSuffix(TNtProductType type)
{
    switch (type) {
    case TNtProductType::ptWorkStation:
        return " - Workstation";
    case TNtProductType::ptServer:
        return " - Server";
    case TNtProductType::ptAdvancedServer:
        return " - Advanced Server";
    default:
        return {};
    }
}

} // namespace

void FillOperatingSystemPage(TForm& form, const TOperatingSystem& os)
{
    const StartupValues& system = TheStartupValues();
    form.Find<TTabSheet>("tsOS").SetCaption(os.Platform);
    std::string version = system.OSName;
    if (system.IsNT) {
        version += ProductTypeSuffix(os.NTSpecific->ProductType);
        Put(form, "lCSD", os.CSD);
    }
    Put(form, "lVersion", version);
    Put(form, "lVerNo",
        "Version: " + IntText(os.MajorVersion) + "." + IntText(os.MinorVersion) + "." + IntText(os.BuildNumber));
    form.Find<TControl>("bNTSpec").SetEnabled(system.Is2K || system.IsXP);
    if (system.IsOSR2)
        Put(form, "lCSD", "OSR 2");
    if (system.IsSE)
        Put(form, "lCSD", "Second Edition");
    Put(form, "ePID", os.ProductID);
    Put(form, "ePKey", os.ProductKey);
    Put(form, "eRegUser", os.RegisteredUser);
    Put(form, "eRegOrg", os.RegisteredOrg);
    Put(form, "lDVD", "DVD Region: " + os.DVDRegion);
    auto& folders = form.Find<TListView>("FolderList");
    folders.Clear();
    for (const std::string& line : os.Folders->Lines()) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && equals + 1 < line.size())
            folders.AddItem(line.substr(0, equals), {line.substr(equals + 1)});
    }
}

} // namespace qm
