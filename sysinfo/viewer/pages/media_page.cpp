#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/list_view.h"
#include "sysinfo/msi_media.h"

namespace qm {

void FillMediaPage(TForm& form, const TMedia& media)
{
    auto& devices = form.Find<TListView>("lvMedia");
    devices.Clear();
    for (size_t i = 0; i < media.Devices.Count(); ++i) {
        const int index = static_cast<int>(i);
        const int icon = index == media.GamePortIndex ? OverviewIcon::kGamePort
            : index == media.SoundCardIndex           ? OverviewIcon::kSoundCard
                                                      : OverviewIcon::kMultimedia;
        devices.AddItem(media.Devices[i], {}, icon);
    }
    auto& drivers = form.Find<TListView>("lvSound");
    drivers.Clear();
    const std::pair<const StringList*, std::pair<const char*, int>> kinds[] = {
        {&media.WAVEIn, {"Wave In", OverviewIcon::kWave}}, {&media.WAVEOut, {"Wave Out", OverviewIcon::kWave}},
        {&media.MIDIIn, {"MIDI In", OverviewIcon::kMidi}}, {&media.MIDIOut, {"MIDI Out", OverviewIcon::kMidi}},
        {&media.AUX, {"AUX", OverviewIcon::kAux}},         {&media.Mixer, {"Mixer", OverviewIcon::kMixer}},
    };
    for (const auto& [list, kind] : kinds)
        for (const std::string& name : list->Lines())
            drivers.AddItem(name, {kind.first}, kind.second);
}

} // namespace qm
