#include <algorithm>

#include "platform/text_case.h"
#include "sysinfo/msi_media.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

std::vector<std::string> LinesOf(const StringList& list)
{
    return list.Lines();
}

} // namespace

std::string MediaDriverText(const std::string& productName, unsigned version)
{
    return productName + " v" + std::to_string((version >> 8) & 0xFF) + "." + std::to_string(version & 0xFF);
}

void AddUniqueIgnoringCase(StringList& list, const std::string& text)
{
    if (IndexIgnoringCase(list.Lines(), text) < 0)
        list.Add(text);
}

MediaIndexes FindMediaIndexes(const StringList& devices, const std::vector<TDevice>& all)
{
    MediaIndexes indexes;
    for (const TDevice& device : all) {
        if (device.DeviceClass != kMediaDeviceClass)
            continue;
        const std::string& name = device.DisplayName();
        const int index = IndexIgnoringCase(devices.Lines(), name);
        if (index < 0)
            continue;
        if (UpperCase(name).find("GAME") != std::string::npos)
            indexes.gamePort = index;
        else if (!device.Location.empty() && indexes.soundCard == -1)
            indexes.soundCard = index;
    }
    return indexes;
}

const TypeInfo& TMedia::StaticType()
{
    using M = TMedia;
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<M, &M::Devices>("Devices"),
        LinesProperty<M, &M::AUX>("AUX"),
        LinesProperty<M, &M::MIDIIn>("MIDIIn"),
        LinesProperty<M, &M::Mixer>("Mixer"),
        LinesProperty<M, &M::WAVEOut>("WAVEOut"),
        LinesProperty<M, &M::WAVEIn>("WAVEIn"),
        LinesProperty<M, &M::MIDIOut>("MIDIOut"),
        IntProperty<M, &M::SoundCardIndex>("SoundCardIndex"),
        IntProperty<M, &M::GamePortIndex>("GamePortIndex"),
    };
    static constexpr TypeInfo kType = RecordType("TMedia", kProperties);
    return kType;
}

void TMedia::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "Media");
    AddListToReport(LinesOf(Devices), "Count", "Device", lines);
    AddSection(lines, "Sound");
    AddListToReport(LinesOf(WAVEIn), "WaveInCount", "WaveIn", lines);
    AddListToReport(LinesOf(WAVEOut), "WaveOutCount", "WaveOut", lines);
    AddListToReport(LinesOf(MIDIIn), "MIDIInCount", "MIDIIn", lines);
    AddListToReport(LinesOf(MIDIOut), "MIDIOutCount", "MIDIOut", lines);
    AddListToReport(LinesOf(AUX), "AUXCount", "AUX", lines);
    AddListToReport(LinesOf(Mixer), "MixerCount", "Mixer", lines);
}

} // namespace qm
