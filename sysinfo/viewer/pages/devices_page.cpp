#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/tree_view.h"
#include "sysinfo/msi_devices.h"
#include "sysinfo/shared_routines.h"

namespace qm {

void FillDevicesPage(TForm& form, const TDevices& collector)
{
    auto& tree = form.Find<TTreeView>("Tree");
    tree.Clear();
    TTreeNode* root = tree.AddChild(nullptr, GetComputerNameText(), OverviewIcon::kComputer);
    std::vector<DeviceTreeInput> devices;
    for (const TDevice& device : collector.Devices()) {
        const bool blankDescription = device.ClassDesc.find_first_not_of(" \t") == std::string::npos;
        devices.push_back(
            {device.DeviceClass, blankDescription ? device.ClassName : device.ClassDesc, device.DisplayName()});
    }
    for (const DeviceTreeClass& group : DeviceTreeClasses(devices)) {
        TTreeNode* node = tree.AddChild(root, group.caption, group.icon, group.classIndex);
        for (const DeviceTreeDevice& device : group.devices)
            tree.AddChild(node, device.caption, group.icon, device.index);
        if (node)
            node->SortChildren();
    }
    if (root) {
        root->SortChildren();
        root->Expand();
    }
    form.Find<TControl>("bProps").SetEnabled(false);
}

} // namespace qm
