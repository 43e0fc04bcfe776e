#include <array>

#include "sysinfo/msi_display.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

constexpr CapabilityElement kCurve[] = {
    {"ccCircles", "Circles", 0x1},
    {"ccPieWedges", "Pie Wedges", 0x2},
    {"ccChords", "Chords", 0x4},
    {"ccEllipses", "Ellipses", 0x8},
    {"ccWideBorders", "Wide Borders", 0x10},
    {"ccStyledBorders", "Styled Borders", 0x20},
    {"ccWideStyledBorders", "Wide and Styled Borders", 0x40},
    {"ccInteriors", "Interiors", 0x80},
    {"ccRoundedRects", "Rounded Rectangles", 0x100},
};
constexpr CapabilityElement kLine[] = {
    {"lcPolylines", "Polylines", 0x2},
    {"lcMarkers", "Markers", 0x4},
    {"lcMultipleMarkers", "Multiple Markers", 0x8},
    {"lcWideLines", "Wide Lines", 0x10},
    {"lcStyledLines", "Styled Lines", 0x20},
    {"lcWideStyledLines", "Wide and Styled Lines", 0x40},
    {"lcInteriors", "Interiors", 0x80},
};
constexpr CapabilityElement kPolygon[] = {
    {"pcAltFillPolygons", "Alternate Fill Polygons", 0x1},
    {"pcRectangles", "Rectangles", 0x2},
    {"pcWindingFillPolygons", "Winding Fill Polygons", 0x4},
    {"pcSingleScanlines", "Single Scanlines", 0x8},
    {"pcWideBorders", "Wide Borders", 0x10},
    {"pcStyledBorders", "Styled Borders", 0x20},
    {"pcWideStyledBorders", "Wide and Styled Borders", 0x40},
    {"pcInteriors", "Interiors", 0x80},
};
constexpr CapabilityElement kRaster[] = {
    {"rcRequiresBanding", "Requires Banding", 0x2},
    {"rcTranserBitmaps", "Can Transer Bitmaps", 0x1},
    {"rcBitmaps64K", "Supports Bitmaps > 64K", 0x8},
    {"rcSetGetDIBits", "Supports SetDIBits and GetDIBits", 0x80},
    {"rcSetDIBitsToDevice", "Supports SetDIBitsToDevice", 0x200},
    {"rcFloodfills", "Can Perform Floodfills", 0x1000},
    {"rcWindows2xFeatures", "Supports Windows 2.0 Features", 0x10},
    {"rcPaletteBased", "Palette Based", 0x100},
    {"rcScaling", "Scaling", 0x4},
    {"rcStretchBlt", "Supports StretchBlt", 0x800},
    {"rcStretchDIBits", "Supports StretchDIBits", 0x2000},
};
constexpr CapabilityElement kText[] = {
    {"tcCharOutPrec", "Capable of Character Output Precision", 0x1},
    {"tcStrokeOutPrec", "Capable of Stroke Output Precision", 0x2},
    {"tcStrokeClipPrec", "Capable of Stroke Clip Precision", 0x4},
    {"tcCharRotation90", "Supports 90 Degree Character Rotation", 0x8},
    {"tcCharRotationAny", "Supports Character Rotation to Any Angle", 0x10},
    {"tcScaleIndependent", "X And Y Scale Independent", 0x20},
    {"tcDoubledCharScaling", "Supports Doubled Character Scaling", 0x40},
    {"tcIntMultiScaling", "Supports Integer Multiples Only When Scaling", 0x80},
    {"tcAnyMultiExactScaling", "Supports Any Multiples For Exact Character Scaling", 0x100},
    {"tcDoubleWeightChars", "Supports Double Weight Characters", 0x200},
    {"tcItalics", "Supports Italics", 0x400},
    {"tcUnderlines", "Supports Underlines", 0x800},
    {"tcStrikeouts", "Supports Strikeouts", 0x1000},
    {"tcRasterFonts", "Supports Raster Fonts", 0x2000},
    {"tcVectorFonts", "Supports Vector Fonts", 0x4000},
    {"tcNoScrollUsingBlts", "Cannot Scroll Using Blts", 0x10000},
};

constexpr CapabilityTable kTables[] = {
    {"Curve Capabilities", kCurve},   {"Line Capabilities", kLine}, {"Polygonal Capabilities", kPolygon},
    {"Raster Capabilities", kRaster}, {"Text Capabilities", kText},
};

// The names of a table's elements, for the set properties.
template <const auto& Elements> constexpr auto NamesOf()
{
    std::array<std::string_view, std::size(Elements)> names{};
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = Elements[i].name;
    return names;
}
constexpr auto kCurveNames = NamesOf<kCurve>();
constexpr auto kLineNames = NamesOf<kLine>();
constexpr auto kPolygonNames = NamesOf<kPolygon>();
constexpr auto kRasterNames = NamesOf<kRaster>();
constexpr auto kTextNames = NamesOf<kText>();

} // namespace

const CapabilityTable& CapabilitiesOf(CapabilityKind kind)
{
    return kTables[static_cast<int>(kind)];
}

std::uint16_t CapabilitySet(CapabilityKind kind, std::uint32_t raw)
{
    std::uint16_t set = 0;
    const auto& elements = CapabilitiesOf(kind).elements;
    for (size_t i = 0; i < elements.size(); ++i)
        if (raw & elements[i].flag)
            set = static_cast<std::uint16_t>(set | (1u << i));
    return set;
}

void AddCapabilityLines(StringList& lines, CapabilityKind kind, std::uint16_t set)
{
    const CapabilityTable& table = CapabilitiesOf(kind);
    AddSection(lines, table.section);
    for (size_t i = 0; i < table.elements.size(); ++i)
        AddBool(lines, table.elements[i].label, (set >> i) & 1u);
}

std::string TechnologyText(int technology)
{
    static constexpr const char* kTexts[] = {"Vector Plotter",   "Raster Display", "Raster Printer", "Raster Camera",
                                             "Character Stream", "Metafile",       "Display File"};
    return technology >= 0 && technology < 7 ? kTexts[technology] : std::string();
}

std::string DisplayModeText(int width, int height, int bitsPerPixel)
{
    return std::to_string(width) + " x " + std::to_string(height) + " - " + std::to_string(bitsPerPixel) + " bit";
}

std::uint16_t TDisplay::Capabilities(CapabilityKind kind) const
{
    switch (kind) {
    case CapabilityKind::Curve:
        return CurveCaps;
    case CapabilityKind::Line:
        return LineCaps;
    case CapabilityKind::Polygon:
        return PolygonCaps;
    case CapabilityKind::Raster:
        return RasterCaps;
    case CapabilityKind::Text:
        break;
    }
    return TextCaps;
}

const TypeInfo& TDisplay::StaticType()
{
    using D = TDisplay;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<D, &D::Adapter>("Adapter"),
        StringProperty<D, &D::Chipset>("Chipset"),
        StringProperty<D, &D::DAC>("DAC"),
        IntProperty<D, &D::Memory>("Memory"),
        StringProperty<D, &D::BIOSVersion>("BIOSVersion"),
        StringProperty<D, &D::BIOSDate>("BIOSDate"),
        StringProperty<D, &D::Technology>("Technology"),
        IntProperty<D, &D::HorzRes>("HorzRes"),
        IntProperty<D, &D::VertRes>("VertRes"),
        IntProperty<D, &D::ColorDepth>("ColorDepth"),
        IntProperty<D, &D::PixelWidth>("PixelWidth"),
        IntProperty<D, &D::PixelHeight>("PixelHeight"),
        IntProperty<D, &D::PixelDiagonal>("PixelDiagonal"),
        IntProperty<D, &D::FontResolution>("FontResolution"),
        SetProperty<D, &D::CurveCaps>("CurveCaps", kCurveNames),
        SetProperty<D, &D::LineCaps>("LineCaps", kLineNames),
        SetProperty<D, &D::PolygonCaps>("PolygonCaps", kPolygonNames),
        SetProperty<D, &D::RasterCaps>("RasterCaps", kRasterNames),
        SetProperty<D, &D::TextCaps>("TextCaps", kTextNames),
        LinesProperty<D, &D::Modes>("Modes"),
    };
    static constexpr TypeInfo kType = RecordType("TDisplay", kProperties);
    return kType;
}

void TDisplay::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "Display");
    AddText(lines, "Adapter", Adapter);
    AddText(lines, "Chipset", Chipset);
    AddText(lines, "DAC", DAC);
    AddInteger(lines, "Memory", Memory);
    AddText(lines, "BIOSVersion", BIOSVersion);
    AddText(lines, "BIOSDate", BIOSDate);
    AddText(lines, "Technology", Technology);
    AddInteger(lines, "HorzRes", HorzRes);
    AddInteger(lines, "VertRes", VertRes);
    AddInteger(lines, "ColorDepth", ColorDepth);
    AddInteger(lines, "PixelWidth", PixelWidth);
    AddInteger(lines, "PixelHeight", PixelHeight);
    AddInteger(lines, "PixelDiag", PixelDiagonal);
    AddInteger(lines, "FontRes", FontResolution);
    AddSection(lines, "Video Modes");
    AddListToReport(Modes.Lines(), "Count", "Mode", lines);
    for (CapabilityKind kind : {CapabilityKind::Curve, CapabilityKind::Line, CapabilityKind::Polygon,
                                CapabilityKind::Raster, CapabilityKind::Text})
        AddCapabilityLines(lines, kind, Capabilities(kind));
}

} // namespace qm
