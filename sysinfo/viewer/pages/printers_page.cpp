#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_view.h"
#include "sysinfo/msi_processes.h"

namespace qm {

void FillPrintersPage(TForm& form, const TPrinters& printers)
{
    auto& list = form.Find<TListView>("lvPrinter");
    list.Clear();
    for (size_t i = 0; i < printers.Names.Count(); ++i) {
        const std::string port = i < printers.Ports.Count() ? printers.Ports[i] : std::string();
        list.AddItem(printers.Names[i], {port}, PrinterIcon(port, static_cast<int>(i) == printers.DefaultIndex));
    }
}

} // namespace qm
