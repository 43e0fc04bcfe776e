#include "sysinfo/msi_media.h"

#include <windows.h>

#include <mmsystem.h>

#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

// Every driver of one kind whose capabilities can be read, each text once.
template <class Caps, class Count, class Query> void AddDrivers(StringList& list, Count count, Query query)
{
    const UINT devices = count();
    for (UINT i = 0; i < devices; ++i) {
        Caps caps{};
        if (query(i, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            continue;
        AddUniqueIgnoringCase(list, MediaDriverText(caps.szPname, caps.vDriverVersion));
    }
}

} // namespace

void TMedia::Refresh(SystemServices& services)
{
    std::vector<std::string> devices;
    std::string classSubkey;
    GetClassDevices(TheStartupValues().ClassKey, "MEDIA", "DriverDesc", classSubkey, devices);
    SetLines(Devices, devices);

    SoundCardIndex = GamePortIndex = -1;
    TDevices all;
    all.GetInfo(services);
    const MediaIndexes indexes = FindMediaIndexes(Devices, all.Devices());
    SoundCardIndex = indexes.soundCard;
    GamePortIndex = indexes.gamePort;

    for (StringList* list : {&WAVEOut, &WAVEIn, &MIDIOut, &MIDIIn, &AUX, &Mixer})
        list->Clear();
    AddDrivers<WAVEOUTCAPSA>(WAVEOut, waveOutGetNumDevs,
                             [](UINT i, WAVEOUTCAPSA* c, UINT size) { return waveOutGetDevCapsA(i, c, size); });
    AddDrivers<WAVEINCAPSA>(WAVEIn, waveInGetNumDevs,
                            [](UINT i, WAVEINCAPSA* c, UINT size) { return waveInGetDevCapsA(i, c, size); });
    AddDrivers<MIDIOUTCAPSA>(MIDIOut, midiOutGetNumDevs,
                             [](UINT i, MIDIOUTCAPSA* c, UINT size) { return midiOutGetDevCapsA(i, c, size); });
    AddDrivers<MIDIINCAPSA>(MIDIIn, midiInGetNumDevs,
                            [](UINT i, MIDIINCAPSA* c, UINT size) { return midiInGetDevCapsA(i, c, size); });
    AddDrivers<AUXCAPSA>(AUX, auxGetNumDevs, [](UINT i, AUXCAPSA* c, UINT size) { return auxGetDevCapsA(i, c, size); });
    AddDrivers<MIXERCAPSA>(Mixer, mixerGetNumDevs,
                           [](UINT i, MIXERCAPSA* c, UINT size) { return mixerGetDevCapsA(i, c, size); });
}

} // namespace qm
