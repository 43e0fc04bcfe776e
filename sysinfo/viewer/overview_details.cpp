// The information window's detail lists: each button of a page shows its
// list in the detail dialog.
#include "sysinfo/viewer/msi_overview.h"

#include "framework/application.h"
#include "framework/tree_view.h"

namespace qm {

void TfrmMSI_Overview::ShowDetail(TdlgMSI_Detail::Page page, const std::string& title,
                                  const std::function<void(TdlgMSI_Detail&)>& fill)
{
    TdlgMSI_Detail dialog(Application::Instance());
    dialog.Initialize();
    SetWindowLongPtrA(dialog.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Handle()));
    dialog.SetPage(page);
    dialog.SetTitle(title);
    fill(dialog);
    if (OnDetailShowing)
        OnDetailShowing(dialog);
    dialog.ShowModal();
}

void TfrmMSI_Overview::ShowCheckedList(const std::string& title, const StringList& items)
{
    ShowDetail(TdlgMSI_Detail::pgCheckBox, title,
               [&](TdlgMSI_Detail& dialog) { dialog.AddCheckedItems(items.Lines()); });
}

void TfrmMSI_Overview::cmEnvironment(Component&)
{
    ShowDetail(TdlgMSI_Detail::pgListView, "Environment", [&](TdlgMSI_Detail& dialog) {
        for (const std::string& line : Info().Get<TOperatingSystem>().Environment->Lines()) {
            const size_t equals = line.find('=', 1); // "=C:" variables start with one
            dialog.AddRow(line.substr(0, equals),
                          equals == std::string::npos ? std::string() : line.substr(equals + 1));
        }
    });
}

void TfrmMSI_Overview::cmNTSpec(Component&)
{
    StringList lines;
    Info().Get<TOperatingSystem>().NTSpecific->Report(lines);
    std::vector<CheckItem> suites;
    for (const CheckItem& item : CheckItemsAfterHeader(lines))
        if (item.name != "ProductType" && item.name.rfind("ServicePack", 0) != 0)
            suites.push_back(item);
    ShowDetail(TdlgMSI_Detail::pgCheckBox, "Installed Suites",
               [&](TdlgMSI_Detail& dialog) { dialog.AddCheckItems(suites); });
}

void TfrmMSI_Overview::cmCaps(Component& sender)
{
    static constexpr std::pair<CapabilityKind, const char*> kCaps[] = {
        {CapabilityKind::Curve, "Curve Capabilities"},
        {CapabilityKind::Line, "Line Capabilities"},
        {CapabilityKind::Polygon, "Polygonal Capabilities"},
        {CapabilityKind::Raster, "Raster Capabilities"},
        {CapabilityKind::Text, "Text Capabilities"}};
    const int tag = static_cast<TControl&>(sender).Tag();
    if (tag < 0 || tag >= static_cast<int>(std::size(kCaps)))
        return;
    const auto [kind, title] = kCaps[tag];
    StringList lines;
    AddCapabilityLines(lines, kind, Info().Get<TDisplay>().Capabilities(kind));
    ShowDetail(TdlgMSI_Detail::pgCheckBox, title,
               [&](TdlgMSI_Detail& dialog) { dialog.AddCheckItems(CheckItemsAfterHeader(lines)); });
}

void TfrmMSI_Overview::cmModes(Component&)
{
    ShowCheckedList("Supported Video Modes", Info().Get<TDisplay>().Modes);
}

void TfrmMSI_Overview::cmProto(Component&)
{
    ShowCheckedList("Protocols", Info().Get<TNetwork>().Protocols);
}

void TfrmMSI_Overview::cmServ(Component&)
{
    ShowCheckedList("Services", Info().Get<TNetwork>().Services);
}

void TfrmMSI_Overview::cmCli(Component&)
{
    ShowCheckedList("Clients", Info().Get<TNetwork>().Clients);
}

void TfrmMSI_Overview::cmProps(Component&)
{
    const TTreeNode* node = Tree->Selected();
    if (!node || node->Level() != 2)
        return;
    TDevice device;
    Info().Get<TDevices>().GetDevice(node->Data(), device);
    const std::string classCaption = node->Parent() ? node->Parent()->Text() : std::string();
    const std::string caption = node->Text();
    ShowDetail(TdlgMSI_Detail::pgListView, "Device Properties", [&](TdlgMSI_Detail& dialog) {
        dialog.AddRow("Device Name", caption);
        dialog.AddRow("Class Name", device.ClassName);
        dialog.AddRow("Class Description", classCaption);
        dialog.AddRow("Class GUID", device.GUID);
        dialog.AddRow("Manufacturer", device.Manufacturer);
        dialog.AddRow("Location", device.Location);
        dialog.AddRow("HardwareID", device.HardwareID);
        dialog.AddRow("Driver Version", device.DriverVersion);
        dialog.AddRow("Driver Date", device.DriverDate);
        dialog.AddRow("Driver Provider", device.DriverProvider);
        dialog.AddRow("Service Name", device.ServiceName.empty() ? device.Service : device.ServiceName);
        dialog.AddRow("Service Group", device.ServiceGroup);
    });
}

} // namespace qm
