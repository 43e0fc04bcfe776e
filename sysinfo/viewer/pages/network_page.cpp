#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_box.h"
#include "framework/list_view.h"
#include "sysinfo/msi_network.h"

namespace qm {

void FillNetworkPage(TForm& form, const TNetwork& network)
{
    auto& adapters = form.Find<TListView>("lvNetwork");
    adapters.Clear();
    for (size_t i = 0; i < network.Adapters.Count(); ++i)
        adapters.AddItem(network.Adapters[i], {},
                         static_cast<int>(i) == network.CardAdapterIndex ? OverviewIcon::kNetworkCard
                                                                         : OverviewIcon::kNetworkAdapter);
    form.Find<TListBox>("lbIP").SetItems(network.IPAddresses.Lines());
    form.Find<TListBox>("lbMAC").SetItems(network.MACAddresses.Lines());
    Put(form, "eWSDesc", network.WinSock->Description);
    Put(form, "eWSVer", IntText(network.WinSock->MajorVersion) + "." + IntText(network.WinSock->MinorVersion));
    Put(form, "eWSStat", network.WinSock->Status);
}

} // namespace qm
