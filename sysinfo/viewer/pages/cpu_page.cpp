#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_box.h"
#include "sysinfo/msi_cpu.h"

namespace qm {

void FillCpuPage(TForm& form, const TCPU& cpu)
{
    Put(form, "lCPU", ProcessorLine(cpu.Count, cpu.Vendor, cpu.VendorID, cpu.Frequency));
    Put(form, "lVendor", "Vendor: " + cpu.VendorEx);
    Put(form, "lSerial", "Serial Number: " + cpu.SerialNumber);
    Put(form, "lTrans", "Transistors: " + IntText(cpu.Transistors));
    Put(form, "lCodename", "Code Name: " + cpu.CodeName);
    Put(form, "lModel", ModelLine(cpu.Family, cpu.Model, cpu.Stepping));
    StringList features;
    cpu.Features->Report(features);
    features.Add("FDIV Bug=" + IntText(cpu.FDIVBug ? 1 : 0));
    auto& list = form.Find<TCheckListBox>("clbCPU");
    list.Clear();
    for (const CheckItem& item : CheckItemsAfterHeader(features))
        list.AddItem(item.name, item.checked);
    Put(form, "lL1Data", "Level 1 Data Cache: " + IntText(cpu.Cache->L1Data) + " Kb");
    Put(form, "lL1Code", "Level 1 Instruction Cache: " + IntText(cpu.Cache->L1Code) + " Kb");
    Put(form, "lLevel1", "Level 1 Unified Cache: " + IntText(cpu.Cache->Level1) + " Kb");
    Put(form, "lLevel2", "Level 2 Unified Cache: " + IntText(cpu.Cache->Level2) + " Kb");
}

} // namespace qm
