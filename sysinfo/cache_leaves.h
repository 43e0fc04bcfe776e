#pragma once
// Which CPUID leaves describe a vendor's caches, and the processors known
// to misstate their level-2 size there.
#include <cstdint>
#include <string_view>

#include "sysinfo/cpu_identification.h"

namespace qm {

enum class OlderCacheLeaves {
    IntelDescriptors, // leaf 2
    AmdLayout, // 0x80000005 for level 1, 0x80000006 for level 2
    CyrixLevel1, // 0x80000005, one descriptor byte for the level-1 cache
};

struct CacheLeafConvention {
    std::string_view vendorSignature;
    OlderCacheLeaves older;
    std::uint32_t deterministicLeaf; // 0: none
};

// nullptr for a vendor whose caches are described nowhere we know of.
const CacheLeafConvention* FindCacheLeafConvention(std::string_view vendorSignature);

// Level 2 in KB from leaf 0x80000006 in AMD's layout, mended for the
// processors known to misstate it.
int Level2FromExtendedLeaf6(const CpuidRegisters& extendedLeaf6, std::string_view vendorSignature,
                            const CpuSignature& signature);

} // namespace qm
