#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_view.h"
#include "sysinfo/msi_directx.h"

namespace qm {

namespace {

std::string FoundOrNot(const std::string& product, const std::string& version)
{
    return version.empty() ? product + " not found" : product + " " + version;
}

} // namespace

void FillEnginesPage(TForm& form, const TEngines& engines, const TDirectX& directX)
{
    Put(form, "lODBC", FoundOrNot("Open Database Connectivity", engines.ODBC));
    Put(form, "lBDE", FoundOrNot("Borland Database Engine", engines.BDE));
    Put(form, "lDAO", FoundOrNot("Microsoft Data Access Objects", engines.DAO));
    Put(form, "lADO", FoundOrNot("Microsoft ActiveX Data Objects", engines.ADO));
    if (directX.Version.empty()) {
        Put(form, "lDirectX", "Not installed.");
        return;
    }
    Put(form, "lDirectX", "Installed version: " + directX.Version);
    auto& list = form.Find<TListView>("lvDirectX");
    list.Clear();
    const std::pair<const StringList*, const char*> kinds[] = {
        {&directX.Direct3D, "Direct3D"}, {&directX.DirectMusic, "DirectMusic"}, {&directX.DirectPlay, "DirectPlay"}};
    for (const auto& [names, kind] : kinds)
        for (const std::string& name : names->Lines())
            list.AddItem(name, {kind}, OverviewIcon::kDirectX);
}

} // namespace qm
