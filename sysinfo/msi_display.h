#pragma once
// The display adapter, its chip, DAC, memory and video BIOS, the screen's
// resolution, colour depth and aspect, the graphics device's capabilities
// and the display modes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "sysinfo/collector.h"

namespace qm {

// One element of a capability set: its name, its report label and the
// device-capability flag it stands for.
struct CapabilityElement {
    std::string_view name;
    std::string_view label;
    std::uint32_t flag;
};

enum class CapabilityKind { Curve, Line, Polygon, Raster, Text };

struct CapabilityTable {
    std::string_view section;
    std::span<const CapabilityElement> elements;
};
const CapabilityTable& CapabilitiesOf(CapabilityKind kind);
// The set (bit i for element i) of what `raw` (the device's value) holds.
std::uint16_t CapabilitySet(CapabilityKind kind, std::uint32_t raw);
// "[Curve Capabilities]" and one "label=1/0" line per element.
void AddCapabilityLines(StringList& lines, CapabilityKind kind, std::uint16_t set);

// "Raster Display" for TECHNOLOGY 1, and so on; empty for unknown values.
std::string TechnologyText(int technology);
// "1024 x 768 - 32 bit".
std::string DisplayModeText(int width, int height, int bitsPerPixel);

class TDisplay : public CollectorBase<TDisplay> {
public:
    static const TypeInfo& StaticType();
    static constexpr const char* kClassName = "TDisplay";
    // "[Display]", "[Video Modes]" and the five capability sections.
    void Report(StringList& lines, const ReportLocale& locale = {});

    std::string Adapter, Chipset, DAC;
    std::int32_t Memory = 0;
    std::string BIOSVersion, BIOSDate, Technology;
    std::int32_t HorzRes = 0, VertRes = 0, ColorDepth = 0, PixelWidth = 0, PixelHeight = 0, PixelDiagonal = 0;
    std::uint32_t FontResolution = 0;
    std::uint16_t CurveCaps = 0, LineCaps = 0, PolygonCaps = 0, RasterCaps = 0, TextCaps = 0;
    StringList Modes;
    // The screen's size in millimetres: kept, not reported.
    int PhysicalWidth = 0, PhysicalHeight = 0;

    std::uint16_t Capabilities(CapabilityKind kind) const;

    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

private:
    struct ChipData {
        std::string chipType, dacType;
        std::int32_t memory = 0;
    };
    void GetWin9xDisplayInfo(ChipData& chip);
    void GetWinNTDisplayInfo(const std::string& service, ChipData& chip);
    void GetVideoBIOSInfo();
};

} // namespace qm
