#include "sysinfo/cpu_identification.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "sysinfo/intel_cache_descriptors.h"

namespace qm {

namespace {

// The UMC text is padded to the twelve characters CPUID always returns, so
// that the row can match at all.
constexpr CpuVendor kVendors[] = {
    {kIntel, "GenuineIntel", "Intel Corporation", "Intel"},
    {kAmd, "AuthenticAMD", "Advanced Micro Devices", "AMD"},
    {kCyrix, "CyrixInstead", "Cyrix Corporation", "Cyrix"},
    {kIdt, "CentaurHauls", "IDT/Centaur", "IDT"},
    {kNexGen, "NexGenDriven", "NexGen Inc.", "NexGen"},
    {kUmc, "UMC UMC UMC ", "United Microelectronics Corp", "UMC"},
    {kRise, "RiseRiseRise", "Rise Technology", "Rise"},
};

// What, beyond vendor, family and model, a row of the name table needs.
enum class Condition {
    None,
    OverDriveSuffix, // " OverDrive" appended when the type says so
    Level2Zero,
    Level2From1To512,
    Level2Above512,
    Level2Below256,
    Level2AtLeast256,
    Level2UpTo512,
    Brand1,
    Brand3,
    Brand4,
    OtherBrandLevel2Below1024,
    OtherBrandLevel2AtLeast1024,
    Mhz20Or66,
    Mhz33Or50,
    MhzAbove66,
    MhzBelow225,
    MhzAtLeast225,
};

struct NameRow {
    int vendor;
    int familyFirst, familyLast;
    int modelFirst, modelLast;
    Condition condition;
    const char* name;
    const char* codeName;
    int transistors;
    bool familyWide = false; // many kinds of part, which only their own names tell apart
};

constexpr int kAnyFirst = 0, kAnyLast = 15;

// \xB5 is the micro sign in the ANSI code page the reports are written in.
constexpr NameRow kNames[] = {
    {kIntel, 4, 4, 0, 1, Condition::None, "i80486DX", "P4", 1250000},
    {kIntel, 4, 4, 2, 2, Condition::None, "i80486SX", "P23", 900000},
    {kIntel, 4, 4, 3, 3, Condition::None, "i80486DX2", "P24", 1250000},
    {kIntel, 4, 4, 4, 4, Condition::None, "i80486SL", "P23", 900000},
    {kIntel, 4, 4, 5, 5, Condition::None, "i80486SX2", "P23", 900000},
    {kIntel, 4, 4, 7, 7, Condition::None, "i80486DX2WB", "P24", 1250000},
    {kIntel, 4, 4, 8, 8, Condition::None, "i80486DX4", "P24C", 1600000},
    {kIntel, 4, 4, 9, 9, Condition::None, "i80486DX4WB", "P24C", 1600000},
    {kIntel, 5, 5, 0, 0, Condition::None, "Pentium", "P5 (0,80\xB5m)", 3100000},
    {kIntel, 5, 5, 1, 2, Condition::None, "Pentium", "P54C (0,50\xB5m)", 3100000},
    {kIntel, 5, 5, 3, 3, Condition::None, "Pentium", "P24T", 0},
    {kIntel, 5, 5, 4, 4, Condition::None, "Pentium MMX", "P55C (0,28\xB5m)", 4500000},
    {kIntel, 5, 5, 5, 5, Condition::None, "DX4", "", 0},
    {kIntel, 5, 5, 6, 6, Condition::None, "Pentium", "P5", 0},
    {kIntel, 5, 5, 7, 7, Condition::None, "Pentium", "P54C (0,35\xB5m)", 3100000},
    {kIntel, 5, 5, 8, 8, Condition::None, "Pentium MMX (mobile)", "Tillamook (0,25\xB5m)", 4500000},
    {kIntel, 5, 5, 9, 15, Condition::None, "Pentium", "", 0},
    {kIntel, 6, 6, 0, 0, Condition::None, "Pentium Pro", "P6 (0.50 \xB5m)", 5500000},
    {kIntel, 6, 6, 1, 1, Condition::None, "Pentium Pro", "P6 (0.35 \xB5m)", 5500000},
    {kIntel, 6, 6, 3, 3, Condition::OverDriveSuffix, "Pentium II", "Klamath (0.35 \xB5m)", 7500000},
    {kIntel, 6, 6, 4, 4, Condition::None, "Pentium II", "P55CT (P54 OverDrive)", 3100000},
    {kIntel, 6, 6, 5, 5, Condition::Level2Zero, "Celeron", "Covington (0,25\xB5m)", 7500000},
    {kIntel, 6, 6, 5, 5, Condition::Level2From1To512, "Pentium II", "Deschutes (0,25\xB5m)", 7500000},
    {kIntel, 6, 6, 5, 5, Condition::Level2Above512, "Pentium II Xeon", "Deschutes (0.25 \xB5m)", 7500000},
    {kIntel, 6, 6, 6, 6, Condition::Level2Below256, "Celeron A", "Mendocino (0.25 \xB5m)", 19000000},
    {kIntel, 6, 6, 6, 6, Condition::Level2AtLeast256, "Pentium II PE (mobile)", "Dixon (0.25 \xB5m)", 27400000},
    {kIntel, 6, 6, 7, 7, Condition::Level2UpTo512, "Pentium III", "Katmai (0.25 \xB5m)", 9500000},
    {kIntel, 6, 6, 7, 7, Condition::Level2Above512, "Pentium III Xeon", "Tanner (0.25 \xB5m)", 9500000},
    {kIntel, 6, 6, 8, 8, Condition::None, "Pentium III E", "Coppermine (0.18 \xB5m)", 28100000},
    {kIntel, 6, 6, 2, 2, Condition::None, "Pentium II", "", 0, true},
    {kIntel, 6, 6, 9, 15, Condition::None, "Pentium II", "", 0, true},
    {kIntel, 7, 8, kAnyFirst, kAnyLast, Condition::Brand1, "Celeron", "", 0},
    {kIntel, 7, 8, kAnyFirst, kAnyLast, Condition::Brand3, "Pentium III Xeon", "", 0},
    {kIntel, 7, 8, kAnyFirst, kAnyLast, Condition::Brand4, "Pentium IV", "", 0},
    {kIntel, 7, 8, kAnyFirst, kAnyLast, Condition::OtherBrandLevel2Below1024, "Pentium III", "", 0},
    {kIntel, 7, 8, kAnyFirst, kAnyLast, Condition::OtherBrandLevel2AtLeast1024, "Pentium III Xeon", "", 0},
    {kIntel, 10, 10, kAnyFirst, kAnyLast, Condition::None, "Pentium III Xeon", "", 0},
    {kIntel, 15, 15, kAnyFirst, kAnyLast, Condition::None, "Pentium IV", "", 0, true},
    {kAmd, 4, 4, 0, 0, Condition::None, "Am486DX", "P4", 1250000},
    {kAmd, 4, 4, 3, 3, Condition::None, "Am486DX2", "P24", 1250000},
    {kAmd, 4, 4, 7, 7, Condition::None, "Am486DX2", "P24", 1250000},
    {kAmd, 4, 4, 8, 9, Condition::None, "Am486DX4", "P24C", 1250000},
    {kAmd, 4, 4, 14, 15, Condition::None, "Am5x86", "X5", 1600000},
    {kAmd, 5, 5, 0, 0, Condition::None, "K5", "SSA5 (0.50-0.35 \xB5m)", 4300000},
    {kAmd, 5, 5, 1, 3, Condition::None, "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)", 4300000},
    {kAmd, 5, 5, 6, 6, Condition::None, "K6", "K6 (0.30 \xB5m)", 8800000},
    {kAmd, 5, 5, 7, 7, Condition::None, "K6", "Little Foot (0.25 \xB5m)", 8800000},
    {kAmd, 5, 5, 8, 8, Condition::None, "K6-II", "Chomper (0.25 \xB5m)", 9300000},
    {kAmd, 5, 5, 9, 9, Condition::None, "K6-III", "Slarptooth (0.25 \xB5m)", 21300000},
    {kAmd, 5, 5, 13, 13, Condition::None, "K6-II+/K6-III+", "", 0},
    {kAmd, 6, 6, kAnyFirst, kAnyLast, Condition::None, "K7", "Athlon (0.25-0.18 \xB5m)", 22000000},
    {kCyrix, 4, 4, 0, 0, Condition::Mhz20Or66, "Cx486SLC/DLC", "M0.5", 600000},
    {kCyrix, 4, 4, 0, 0, Condition::Mhz33Or50, "Cx486S", "M0.6", 600000},
    {kCyrix, 4, 4, 0, 0, Condition::MhzAbove66, "Cx486DX/DX2/DX4", "M0.7", 1100000},
    {kCyrix, 4, 4, 4, 4, Condition::None, "Media GX", "Gx86", 24000000},
    {kCyrix, 4, 4, 9, 9, Condition::None, "5x86", "M0.9 or M1sc (0.65 \xB5m)", 20000000},
    {kCyrix, 5, 5, 2, 2, Condition::None, "6x86 and 6x86L", "M1 (0.65 \xB5m) and M1L (0.35 \xB5m)", 30000000},
    {kCyrix, 5, 5, 4, 4, Condition::None, "MediaGXm", "GXm", 24000000},
    {kCyrix, 6, 6, 0, 0, Condition::MhzBelow225, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)", 65000000},
    {kCyrix, 6, 6, 0, 0, Condition::MhzAtLeast225, "M-II (PR300-433)", "M2 (0.35-0.25 \xB5m)", 65000000},
    {kCyrix, 6, 6, 5, 5, Condition::None, "VIA Cyrix III", "", 0},
    {kIdt, 5, 5, 4, 4, Condition::None, "WinChip", "C6 (0.35 \xB5m)", 54000000},
    {kIdt, 5, 5, 8, 8, Condition::None, "WinChip 2x", "W2x (0.35-0.25 \xB5m)", 59000000},
    {kIdt, 5, 5, 9, 9, Condition::None, "WinChip 3", "W3 (0.25 \xB5m)", 90000000},
    {kNexGen, 5, 5, 0, 0, Condition::None, "Nx586", "Nx5x86 (0.50-0.44 \xB5m)", 35000000},
    {kNexGen, 5, 5, 6, 6, Condition::None, "Nx686", "HA (0,50\xB5m)", 60000000},
    {kUmc, 4, 4, 1, 1, Condition::None, "U5D", "U5D and U5S", 12000000},
    {kUmc, 4, 4, 2, 2, Condition::None, "U5S", "U5D and U5S", 12000000},
    {kUmc, 4, 4, 3, 3, Condition::None, "U486DX2", "U5D and U5S", 12000000},
    {kUmc, 4, 4, 4, 4, Condition::None, "U486SX2", "U5D and U5S", 12000000},
    // Other UMC family-4 models: the family is known, the part is not.
    {kUmc, 4, 4, kAnyFirst, kAnyLast, Condition::None, "", "U5D and U5S", 12000000},
    {kRise, 4, 4, 0, 0, Condition::None, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
    {kRise, 4, 4, 2, 2, Condition::None, "mP6", "mP6 (0.25-0.18 \xB5m)", 36000000},
};

bool Holds(Condition condition, int brandId, int level2, int mhz)
{
    const bool otherBrand = brandId != 1 && brandId != 3 && brandId != 4;
    switch (condition) {
    case Condition::None:
    case Condition::OverDriveSuffix:
        return true;
    case Condition::Level2Zero:
        return level2 == 0;
    case Condition::Level2From1To512:
        return level2 >= 1 && level2 <= 512;
    case Condition::Level2Above512:
        return level2 > 512;
    case Condition::Level2Below256:
        return level2 < 256;
    case Condition::Level2AtLeast256:
        return level2 >= 256;
    case Condition::Level2UpTo512:
        return level2 <= 512;
    case Condition::Brand1:
        return brandId == 1;
    case Condition::Brand3:
        return brandId == 3;
    case Condition::Brand4:
        return brandId == 4;
    case Condition::OtherBrandLevel2Below1024:
        return otherBrand && level2 < 1024;
    case Condition::OtherBrandLevel2AtLeast1024:
        return otherBrand && level2 >= 1024;
    case Condition::Mhz20Or66:
        return mhz == 20 || mhz == 66;
    case Condition::Mhz33Or50:
        return mhz == 33 || mhz == 50;
    case Condition::MhzAbove66:
        return mhz > 66;
    case Condition::MhzBelow225:
        return mhz < 225;
    case Condition::MhzAtLeast225:
        return mhz >= 225;
    }
    return false;
}

std::uint8_t Byte(std::uint32_t value, int index)
{
    return static_cast<std::uint8_t>(value >> (8 * index));
}

// Round to nearest, halves to even (the default floating-point mode).
double RoundEven(double value)
{
    return std::nearbyint(value);
}

} // namespace

const CpuVendor* FindCpuVendor(std::string_view signature)
{
    for (const CpuVendor& vendor : kVendors)
        if (vendor.signature == signature)
            return &vendor;
    return nullptr;
}

std::string VendorSignature(const CpuidRegisters& leaf0)
{
    std::string text;
    for (std::uint32_t part : {leaf0.ebx, leaf0.edx, leaf0.ecx})
        for (int i = 0; i < 4; ++i)
            text += static_cast<char>(Byte(part, i));
    return text;
}

CpuSignature DecodeSignature(const CpuidRegisters& leaf1)
{
    CpuSignature s;
    s.stepping = static_cast<int>(leaf1.eax & 0xF);
    s.model = static_cast<int>((leaf1.eax >> 4) & 0xF);
    s.family = static_cast<int>((leaf1.eax >> 8) & 0xF);
    // As the vendors define them: the extended model counts from family 6
    // on (Zhaoxin's family-7 parts use it), the extended family only with
    // 15, so processors of the old days read as before.
    if (s.family >= 6)
        s.model += static_cast<int>(((leaf1.eax >> 16) & 0xF) << 4);
    if (s.family == 15)
        s.family += static_cast<int>((leaf1.eax >> 20) & 0xFF);
    s.cpuType = static_cast<int>((leaf1.eax >> 12) & 0x3);
    s.brandId = static_cast<int>(leaf1.ebx & 0xFF);
    return s;
}

std::string BrandString(const CpuidRegisters& leaf2, const CpuidRegisters& leaf3, const CpuidRegisters& leaf4)
{
    std::string text;
    for (const CpuidRegisters* leaf : {&leaf2, &leaf3, &leaf4})
        for (std::uint32_t value : {leaf->eax, leaf->ebx, leaf->ecx, leaf->edx})
            for (int i = 0; i < 4; ++i)
                text += static_cast<char>(Byte(value, i));
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

CacheSizes DecodeDeterministicCaches(const std::vector<CpuidRegisters>& subleaves)
{
    CacheSizes sizes;
    for (const CpuidRegisters& leaf : subleaves) {
        const int type = static_cast<int>(leaf.eax & 0x1F); // 1 data, 2 instruction, 3 unified
        if (type == 0)
            break;
        const int level = static_cast<int>((leaf.eax >> 5) & 0x7);
        const std::uint64_t bytes = static_cast<std::uint64_t>((leaf.ebx >> 22) + 1) *
            (((leaf.ebx >> 12) & 0x3FF) + 1) * ((leaf.ebx & 0xFFF) + 1) * (static_cast<std::uint64_t>(leaf.ecx) + 1);
        const int kb = static_cast<int>(bytes / 1024);
        if (level == 1 && type == 1)
            sizes.l1Data = kb;
        else if (level == 1 && type == 2)
            sizes.l1Code = kb;
        else if (level == 1 && type == 3)
            sizes.level1 = kb;
        else if (level == 2)
            sizes.level2 = kb;
    }
    return sizes;
}

CacheSizes PreferDescribed(const CacheSizes& older, const CacheSizes& described)
{
    CacheSizes sizes = older;
    for (int CacheSizes::*size : {&CacheSizes::l1Data, &CacheSizes::l1Code, &CacheSizes::level1, &CacheSizes::level2})
        if (described.*size != 0)
            sizes.*size = described.*size;
    return sizes;
}

CpuName LookupCpuName(int vendorIndex, int family, int model, int brandId, int cpuType, int level2Kb, int frequencyMhz)
{
    for (const NameRow& row : kNames) {
        if (row.vendor != vendorIndex || family < row.familyFirst || family > row.familyLast ||
            model < row.modelFirst || model > row.modelLast || !Holds(row.condition, brandId, level2Kb, frequencyMhz))
            continue;
        CpuName found{row.name, row.codeName, row.transistors, row.familyWide};
        if (row.condition == Condition::OverDriveSuffix && cpuType == 1)
            found.name += " OverDrive";
        return found;
    }
    return {};
}

CacheSizes DecodeIntelCache(const CpuidRegisters& leaf2, int family, int model)
{
    const std::uint32_t registers[] = {leaf2.eax, leaf2.ebx, leaf2.ecx, leaf2.edx};
    CacheSizes sizes;
    for (int i = 1; i < 16; ++i) { // byte 0 of EAX is the call count, not a descriptor
        const std::uint32_t value = registers[i / 4];
        if (value & 0x80000000u) // a register with bit 31 set holds no descriptors
            continue;
        const CacheDescriptor* descriptor = FindIntelCacheDescriptor(Byte(value, i % 4));
        if (descriptor == nullptr)
            continue;
        switch (descriptor->kind) {
        case DescriptorKind::Level1Data:
            sizes.l1Data = descriptor->size;
            break;
        case DescriptorKind::Level1Code:
        case DescriptorKind::TraceCache:
            sizes.l1Code = descriptor->size;
            break;
        case DescriptorKind::Level2:
            sizes.level2 = descriptor->size;
            break;
        case DescriptorKind::Level3OnXeonMpElseLevel2:
            if (family != 15 || model != 6)
                sizes.level2 = descriptor->size;
            break;
        case DescriptorKind::Level3:
        case DescriptorKind::NoLevel2OrNoLevel3:
        case DescriptorKind::Tlb:
        case DescriptorKind::Prefetch:
        case DescriptorKind::SeeLeaf4: // leaf 4, which the collector reads as well, says it all
        case DescriptorKind::SeeLeaf18:
            break;
        }
    }
    return sizes;
}

CacheSizes DecodeAmdCache(const CpuidRegisters& extendedLeaf5)
{
    CacheSizes sizes;
    sizes.l1Data = Byte(extendedLeaf5.ecx, 3);
    sizes.l1Code = Byte(extendedLeaf5.edx, 3);
    sizes.level1 = sizes.l1Data + sizes.l1Code;
    return sizes;
}

CacheSizes DecodeCyrixCache(const CpuidRegisters& extendedLeaf5)
{
    CacheSizes sizes;
    for (int i = 0; i < 4; ++i)
        if (Byte(extendedLeaf5.ecx, i) == 0x80)
            sizes.level1 = 16;
    return sizes;
}

std::string SerialNumberText(std::uint32_t signature, std::uint32_t features, std::uint32_t ecx)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%04X-%04X-%04X-%04X-%04X-%04X", signature >> 16, signature & 0xFFFF,
                  features >> 16, features & 0xFFFF, ecx >> 16, ecx & 0xFFFF);
    return text;
}

std::uint64_t ElapsedMicroseconds(std::uint32_t counts, std::uint64_t counterFrequency)
{
    if (counterFrequency == 0)
        return 0;
    return static_cast<std::uint64_t>(
        RoundEven(static_cast<double>(counts) * 100000.0 / (static_cast<double>(counterFrequency) / 10.0)));
}

int MeasurementMhz(std::uint32_t ticks, std::uint64_t microseconds)
{
    // A counter so fast that the span reads as 0 µs says nothing about the clock.
    if (microseconds == 0)
        return 0;
    return static_cast<int>(RoundEven(static_cast<double>(ticks) / static_cast<double>(microseconds)));
}

bool MeasurementsAgree(int x1, int x2, int x3)
{
    const long long sum = static_cast<long long>(x1) + x2 + x3;
    for (long long x : {x1, x2, x3})
        if (std::llabs(3 * x - sum) > 3)
            return false;
    return true;
}

int FrequencyFromTotals(std::uint64_t ticks, std::uint64_t microseconds)
{
    if (microseconds == 0)
        return 0;
    const double ratio = static_cast<double>(ticks) / static_cast<double>(microseconds);
    const long long r = static_cast<long long>(RoundEven(ratio));
    long long r10 = static_cast<long long>(RoundEven(10 * ratio));
    if (static_cast<long long>(RoundEven(100 * ratio)) - 10 * r10 >= 6)
        ++r10;
    long long result = r;
    if (r10 - 10 * r >= 6)
        ++result;
    return static_cast<int>(result);
}

int SnapFrequency(int mhz)
{
    static constexpr int kSteps[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};
    const int m = mhz % 100;
    for (size_t i = 1; i < std::size(kSteps); ++i) {
        if (kSteps[i] > m) {
            const int lower = kSteps[i - 1], upper = kSteps[i];
            const int snapped = (upper - m <= m - lower) ? upper : lower;
            return mhz - m + snapped;
        }
    }
    return mhz;
}

bool HasFdivFlaw()
{
    // volatile: the division has to happen on this processor, not in the compiler.
    volatile double dividend = 4195835.0, divisor = 3145727.0;
    const double quotient = dividend / divisor;
    volatile double product = quotient * divisor;
    return product - dividend != 0.0;
}

} // namespace qm
