#pragma once
// Processor identification from CPUID register values: vendor, signature,
// features, caches, the name table, the serial text and the clock figures.
// Everything here computes; reading the processor is the caller's business.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct CpuidRegisters {
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

enum CpuVendorIndex {
    kUnknownVendor = 0,
    kIntel = 1,
    kAmd = 2,
    kCyrix = 3,
    kIdt = 4,
    kNexGen = 5,
    kUmc = 6,
    kRise = 7
};

struct CpuVendor {
    int index;
    std::string_view signature; // as CPUID returns it: EBX, EDX, ECX
    std::string_view fullName;
    std::string_view shortName;
};

// The vendor row whose signature equals `signature` exactly; nullptr when none.
const CpuVendor* FindCpuVendor(std::string_view signature);
// The twelve characters of leaf 0: EBX, EDX, ECX.
std::string VendorSignature(const CpuidRegisters& leaf0);

struct CpuSignature {
    int family = 0, model = 0, stepping = 0;
    int cpuType = 0; // 0 standard, 1 OverDrive, 2 dual
    int brandId = 0;
};
// Family and model as the vendors define them: the extended family added
// when the base family is 15, the extended model when it is 6 or above.
CpuSignature DecodeSignature(const CpuidRegisters& leaf1);
// The processor's own name from leaves 0x80000002-4, blanks trimmed.
std::string BrandString(const CpuidRegisters& leaf2, const CpuidRegisters& leaf3, const CpuidRegisters& leaf4);

struct CpuName {
    std::string name, codeName; // ANSI text: the micro sign is 0xB5
    int transistors = 0;
    // The row stands for a whole family (Intel family 6 models 2 and 9-15,
    // family 15): Core 2, Pentium M, Celeron, Xeon and more under one name.
    bool familyWide = false;
};
// The name table; empty name and code name and 0 when no row fits.
CpuName LookupCpuName(int vendorIndex, int family, int model, int brandId, int cpuType, int level2Kb, int frequencyMhz);

struct CacheSizes {
    int l1Data = 0, l1Code = 0, level1 = 0, level2 = 0; // KB
    friend bool operator==(const CacheSizes&, const CacheSizes&) = default;
};
// Leaf 2 descriptors of the last call; the caller gives zeros when the first
// call's count byte was 0. Family and model tell what descriptor 0x49 means.
// The trace cache of the Pentium 4 counts as its level-1 code cache, in
// thousands of micro-ops.
CacheSizes DecodeIntelCache(const CpuidRegisters& leaf2, int family, int model);
CacheSizes DecodeAmdCache(const CpuidRegisters& extendedLeaf5);
CacheSizes DecodeCyrixCache(const CpuidRegisters& extendedLeaf5);
// The deterministic cache leaves (Intel 4, AMD 0x8000001D), one entry per
// sub-leaf up to the first of type 0.
CacheSizes DecodeDeterministicCaches(const std::vector<CpuidRegisters>& subleaves);
// Size by size, what the deterministic leaf describes, else the older leaves' figure.
CacheSizes PreferDescribed(const CacheSizes& older, const CacheSizes& described);

// "0000-0686-0383-F9FF-0000-0000": EAX of one leaf-1 reading, EDX and ECX of another.
std::string SerialNumberText(std::uint32_t signature, std::uint32_t features, std::uint32_t ecx);

// The clock: one measurement's MHz from its ticks and microseconds (0 when
// no time was measured), whether three agree, the figure from the totals,
// and the snap to the usual marketing steps.
int MeasurementMhz(std::uint32_t ticks, std::uint64_t microseconds);
std::uint64_t ElapsedMicroseconds(std::uint32_t counts, std::uint64_t counterFrequency);
bool MeasurementsAgree(int x1, int x2, int x3);
int FrequencyFromTotals(std::uint64_t ticks, std::uint64_t microseconds);
int SnapFrequency(int mhz);

// The Pentium division flaw, tested in floating point at run time.
bool HasFdivFlaw();

} // namespace qm
