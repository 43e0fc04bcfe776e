#pragma once
// The one-byte descriptors Intel processors list in CPUID leaf 2: caches,
// TLBs, prefetching and the pointers to the leaves that replaced them.
#include <cstdint>

namespace qm {

enum class DescriptorKind {
    Level1Data,
    Level1Code,
    TraceCache, // the Pentium 4's level-1 code cache, sized in thousands of micro-ops
    Level2,
    Level3,
    Level3OnXeonMpElseLevel2, // 0x49: level 3 on family 15 model 6, level 2 elsewhere
    NoLevel2OrNoLevel3, // 0x40: no level 2, or no level 3 where a level 2 is listed
    Tlb,
    Prefetch,
    SeeLeaf4, // 0xFF: the caches are described by leaf 4 only
    SeeLeaf18, // 0xFE: the TLBs are described by leaf 0x18 only
};

struct CacheDescriptor {
    std::uint8_t code;
    DescriptorKind kind;
    int size; // KB; thousands of micro-ops for a trace cache; 0 for what is not a cache
};

// The descriptor's row; nullptr for 0x00 (no descriptor) and codes Intel
// has not published.
const CacheDescriptor* FindIntelCacheDescriptor(std::uint8_t code);

} // namespace qm
