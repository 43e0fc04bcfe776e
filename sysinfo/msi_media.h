#pragma once
// The multimedia devices and the wave, MIDI, auxiliary and mixer drivers.
#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/collector.h"
#include "sysinfo/msi_devices.h"

namespace qm {

class TMedia : public CollectorBase<TMedia> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TMedia";
    // "[Media]" and "[Sound]".
    void Report(StringList& lines, const ReportLocale& locale = {});

    StringList Devices, AUX, MIDIIn, Mixer, WAVEOut, WAVEIn, MIDIOut;
    std::int32_t SoundCardIndex = -1, GamePortIndex = -1;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);
};

// "Name v5.10": a driver's product name and version (major, minor byte).
std::string MediaDriverText(const std::string& productName, unsigned version);
// Adds `text` unless `list` holds it already, compared without regard to case.
void AddUniqueIgnoringCase(StringList& list, const std::string& text);

struct MediaIndexes {
    std::int32_t soundCard = -1, gamePort = -1;
};
// Which of `devices` (the multimedia class's descriptions) is the game port
// and which the sound card, from the devices of the multimedia class: a name
// with "GAME" in it is the game port (the last such wins); otherwise the first
// with a location is the sound card.
MediaIndexes FindMediaIndexes(const StringList& devices, const std::vector<TDevice>& all);

} // namespace qm
