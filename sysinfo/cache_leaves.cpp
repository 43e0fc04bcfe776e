#include "sysinfo/cache_leaves.h"

namespace qm {

namespace {

// Vendors outside the name table have caches too: Hygon's processors are of
// AMD's design, and VIA's and Zhaoxin's answer AMD's extended leaves and,
// from the Eden X4 on, Intel's leaf 4 (Nano's leaf 2 misstates its level 2).
constexpr CacheLeafConvention kConventions[] = {
    {"GenuineIntel", OlderCacheLeaves::IntelDescriptors, 4},
    {"AuthenticAMD", OlderCacheLeaves::AmdLayout, 0x8000001Du},
    {"HygonGenuine", OlderCacheLeaves::AmdLayout, 0x8000001Du},
    {"CentaurHauls", OlderCacheLeaves::AmdLayout, 4},
    {"  Shanghai  ", OlderCacheLeaves::AmdLayout, 4},
    {"CyrixInstead", OlderCacheLeaves::CyrixLevel1, 0},
};

enum class Misstatement {
    SizeInTopByte, // bits 24-31 hold the size, bits 16-23 something else
    OneKb, // 1 KB reported for the true size
};

struct Level2Erratum {
    std::string_view vendorSignature;
    int family, model, firstStepping, lastStepping;
    Misstatement misstatement;
    int trueKb;
};

constexpr Level2Erratum kLevel2Errata[] = {
    {"CentaurHauls", 6, 7, 0, 15, Misstatement::SizeInTopByte, 0}, // VIA C3 Samuel 2 and Ezra
    {"CentaurHauls", 6, 8, 0, 15, Misstatement::SizeInTopByte, 0}, // VIA C3 Ezra-T
    {"AuthenticAMD", 6, 3, 0, 0, Misstatement::OneKb, 64}, // Duron A0, AMD erratum T13
    {"AuthenticAMD", 6, 4, 0, 1, Misstatement::OneKb, 256}, // Athlon A1 and A2, erratum T13
};

} // namespace

const CacheLeafConvention* FindCacheLeafConvention(std::string_view vendorSignature)
{
    for (const CacheLeafConvention& convention : kConventions)
        if (convention.vendorSignature == vendorSignature)
            return &convention;
    return nullptr;
}

int Level2FromExtendedLeaf6(const CpuidRegisters& extendedLeaf6, std::string_view vendorSignature,
                            const CpuSignature& signature)
{
    const int reported = static_cast<int>(extendedLeaf6.ecx >> 16);
    for (const Level2Erratum& erratum : kLevel2Errata) {
        if (erratum.vendorSignature != vendorSignature || erratum.family != signature.family ||
            erratum.model != signature.model || signature.stepping < erratum.firstStepping ||
            signature.stepping > erratum.lastStepping)
            continue;
        switch (erratum.misstatement) {
        case Misstatement::SizeInTopByte:
            return static_cast<int>(extendedLeaf6.ecx >> 24);
        case Misstatement::OneKb:
            return reported == 1 ? erratum.trueKb : reported;
        }
    }
    return reported;
}

} // namespace qm
