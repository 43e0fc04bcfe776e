#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_box.h"
#include "sysinfo/msi_display.h"

namespace qm {

void FillDisplayPage(TForm& form, const TDisplay& display)
{
    auto& adapters = form.Find<TComboBox>("cbDisplay");
    adapters.Clear();
    adapters.AddItem(display.Adapter);
    adapters.SetItemIndex(0);
    Put(form, "eChip", display.Chipset);
    Put(form, "eDAC", display.DAC);
    Put(form, "eMem", IntText(display.Memory));
    Put(form, "eBIOS", display.BIOSVersion + " (" + display.BIOSDate + ")");
    Put(form, "lTechnology", "Technology: " + display.Technology);
    Put(form, "lMetrics",
        "Metrics: " + IntText(display.HorzRes) + " x " + IntText(display.VertRes) + " - " +
            IntText(display.ColorDepth) + " bit");
    Put(form, "lPixWidth", "Pixel Width: " + IntText(display.PixelWidth));
    Put(form, "lPixHeight", "Pixel Height: " + IntText(display.PixelHeight));
    Put(form, "lPixDiag", "Pixel Diagonal: " + IntText(display.PixelDiagonal));
    Put(form, "lFontRes", "Font Resolution: " + IntText(display.FontResolution) + " dpi");
}

} // namespace qm
