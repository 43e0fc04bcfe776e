#include "sysinfo/intel_cache_descriptors.h"

namespace qm {

namespace {

using enum DescriptorKind;

// Intel's published list for IA-32 and Intel 64 processors, including the
// sectored level-2 caches (0x39-0x3F, 0x7E) and the 64K-micro-op trace
// cache (0x73) that only the older lists carry. Ways and line sizes are
// left out: only the sizes are shown.
constexpr CacheDescriptor kDescriptors[] = {
    {0x01, Tlb, 0}, // code, 4 KB pages, 4-way, 32 entries
    {0x02, Tlb, 0}, // code, 4 MB pages, fully associative, 2 entries
    {0x03, Tlb, 0}, // data, 4 KB pages, 4-way, 64 entries
    {0x04, Tlb, 0}, // data, 4 MB pages, 4-way, 8 entries
    {0x05, Tlb, 0}, // data, 4 MB pages, 4-way, 32 entries
    {0x06, Level1Code, 8}, // 4-way, 32-byte lines
    {0x08, Level1Code, 16}, // 4-way, 32-byte lines
    {0x09, Level1Code, 32}, // 4-way, 64-byte lines
    {0x0A, Level1Data, 8}, // 2-way, 32-byte lines
    {0x0B, Tlb, 0}, // code, 4 MB pages, 4-way, 4 entries
    {0x0C, Level1Data, 16}, // 4-way, 32-byte lines
    {0x0D, Level1Data, 16}, // 4-way, 64-byte lines
    {0x0E, Level1Data, 24}, // 6-way, 64-byte lines
    {0x1D, Level2, 128}, // 2-way, 64-byte lines
    {0x21, Level2, 256}, // 8-way, 64-byte lines
    {0x22, Level3, 512}, // 4-way, sectored
    {0x23, Level3, 1024}, // 8-way, sectored
    {0x24, Level2, 1024}, // 16-way, 64-byte lines
    {0x25, Level3, 2048}, // 8-way, sectored
    {0x29, Level3, 4096}, // 8-way, sectored
    {0x2C, Level1Data, 32}, // 8-way, 64-byte lines
    {0x30, Level1Code, 32}, // 8-way, 64-byte lines
    {0x39, Level2, 128}, // 4-way, sectored
    {0x3A, Level2, 192}, // 6-way, sectored
    {0x3B, Level2, 128}, // 2-way, sectored
    {0x3C, Level2, 256}, // 4-way, sectored
    {0x3D, Level2, 384}, // 6-way, sectored
    {0x3E, Level2, 512}, // 4-way, sectored
    {0x3F, Level2, 256}, // 2-way, 64-byte lines
    {0x40, NoLevel2OrNoLevel3, 0},
    {0x41, Level2, 128}, // 4-way, 32-byte lines
    {0x42, Level2, 256}, // 4-way, 32-byte lines
    {0x43, Level2, 512}, // 4-way, 32-byte lines
    {0x44, Level2, 1024}, // 4-way, 32-byte lines
    {0x45, Level2, 2048}, // 4-way, 32-byte lines
    {0x46, Level3, 4096}, // 4-way, 64-byte lines
    {0x47, Level3, 8192}, // 8-way, 64-byte lines
    {0x48, Level2, 3072}, // 12-way, 64-byte lines
    {0x49, Level3OnXeonMpElseLevel2, 4096}, // 16-way, 64-byte lines
    {0x4A, Level3, 6144}, // 12-way, 64-byte lines
    {0x4B, Level3, 8192}, // 16-way, 64-byte lines
    {0x4C, Level3, 12288}, // 12-way, 64-byte lines
    {0x4D, Level3, 16384}, // 16-way, 64-byte lines
    {0x4E, Level2, 6144}, // 24-way, 64-byte lines
    {0x4F, Tlb, 0}, // code, 4 KB pages, 32 entries
    {0x50, Tlb, 0}, // code, 4 KB and 2 or 4 MB pages, 64 entries
    {0x51, Tlb, 0}, // code, 4 KB and 2 or 4 MB pages, 128 entries
    {0x52, Tlb, 0}, // code, 4 KB and 2 or 4 MB pages, 256 entries
    {0x55, Tlb, 0}, // code, 2 or 4 MB pages, fully associative, 7 entries
    {0x56, Tlb, 0}, // data L0, 4 MB pages, 4-way, 16 entries
    {0x57, Tlb, 0}, // data L0, 4 KB pages, 4-way, 16 entries
    {0x59, Tlb, 0}, // data L0, 4 KB pages, fully associative, 16 entries
    {0x5A, Tlb, 0}, // data L0, 2 or 4 MB pages, 4-way, 32 entries
    {0x5B, Tlb, 0}, // data, 4 KB and 4 MB pages, 64 entries
    {0x5C, Tlb, 0}, // data, 4 KB and 4 MB pages, 128 entries
    {0x5D, Tlb, 0}, // data, 4 KB and 4 MB pages, 256 entries
    {0x60, Level1Data, 16}, // 8-way, 64-byte lines
    {0x61, Tlb, 0}, // code, 4 KB pages, fully associative, 48 entries
    {0x63, Tlb, 0}, // data, 2 or 4 MB pages, 32 entries, and 1 GB pages, 4 entries
    {0x64, Tlb, 0}, // data, 4 KB pages, 4-way, 512 entries
    {0x66, Level1Data, 8}, // 4-way, sectored
    {0x67, Level1Data, 16}, // 4-way, sectored
    {0x68, Level1Data, 32}, // 4-way, sectored
    {0x6A, Tlb, 0}, // micro-TLB, 4 KB pages, 8-way, 64 entries
    {0x6B, Tlb, 0}, // data, 4 KB pages, 8-way, 256 entries
    {0x6C, Tlb, 0}, // data, 2 or 4 MB pages, 8-way, 128 entries
    {0x6D, Tlb, 0}, // data, 1 GB pages, fully associative, 16 entries
    {0x70, TraceCache, 12}, // 8-way
    {0x71, TraceCache, 16}, // 8-way
    {0x72, TraceCache, 32}, // 8-way
    {0x73, TraceCache, 64}, // 8-way
    {0x76, Tlb, 0}, // code, 2 or 4 MB pages, fully associative, 8 entries
    {0x78, Level2, 1024}, // 4-way, 64-byte lines
    {0x79, Level2, 128}, // 8-way, sectored
    {0x7A, Level2, 256}, // 8-way, sectored
    {0x7B, Level2, 512}, // 8-way, sectored
    {0x7C, Level2, 1024}, // 8-way, sectored
    {0x7D, Level2, 2048}, // 8-way, 64-byte lines
    {0x7E, Level2, 256}, // 8-way, 128-byte lines, sectored
    {0x7F, Level2, 512}, // 2-way, 64-byte lines
    {0x80, Level2, 512}, // 8-way, 64-byte lines
    {0x82, Level2, 256}, // 8-way, 32-byte lines
    {0x83, Level2, 512}, // 8-way, 32-byte lines
    {0x84, Level2, 1024}, // 8-way, 32-byte lines
    {0x85, Level2, 2048}, // 8-way, 32-byte lines
    {0x86, Level2, 512}, // 4-way, 64-byte lines
    {0x87, Level2, 1024}, // 8-way, 64-byte lines
    {0xA0, Tlb, 0}, // data, 4 KB pages, fully associative, 32 entries
    {0xB0, Tlb, 0}, // code, 4 KB pages, 4-way, 128 entries
    {0xB1, Tlb, 0}, // code, 2 MB pages (8 entries) or 4 MB pages (4 entries), 4-way
    {0xB2, Tlb, 0}, // code, 4 KB pages, 4-way, 64 entries
    {0xB3, Tlb, 0}, // data, 4 KB pages, 4-way, 128 entries
    {0xB4, Tlb, 0}, // data L1, 4 KB pages, 4-way, 256 entries
    {0xB5, Tlb, 0}, // code, 4 KB pages, 8-way, 64 entries
    {0xB6, Tlb, 0}, // code, 4 KB pages, 8-way, 128 entries
    {0xBA, Tlb, 0}, // data L1, 4 KB pages, 4-way, 64 entries
    {0xC0, Tlb, 0}, // data, 4 KB and 4 MB pages, 4-way, 8 entries
    {0xC1, Tlb, 0}, // shared level 2, 4 KB and 2 MB pages, 8-way, 1024 entries
    {0xC2, Tlb, 0}, // data, 4 KB and 2 MB pages, 4-way, 16 entries
    {0xC3, Tlb, 0}, // shared level 2, 4 KB and 2 MB pages, 1536 entries; 1 GB pages, 16 entries
    {0xC4, Tlb, 0}, // data, 2 or 4 MB pages, 4-way, 32 entries
    {0xCA, Tlb, 0}, // shared level 2, 4 KB pages, 4-way, 512 entries
    {0xD0, Level3, 512}, // 4-way, 64-byte lines
    {0xD1, Level3, 1024}, // 4-way, 64-byte lines
    {0xD2, Level3, 2048}, // 4-way, 64-byte lines
    {0xD6, Level3, 1024}, // 8-way, 64-byte lines
    {0xD7, Level3, 2048}, // 8-way, 64-byte lines
    {0xD8, Level3, 4096}, // 8-way, 64-byte lines
    {0xDC, Level3, 1536}, // 12-way, 64-byte lines
    {0xDD, Level3, 3072}, // 12-way, 64-byte lines
    {0xDE, Level3, 6144}, // 12-way, 64-byte lines
    {0xE2, Level3, 2048}, // 16-way, 64-byte lines
    {0xE3, Level3, 4096}, // 16-way, 64-byte lines
    {0xE4, Level3, 8192}, // 16-way, 64-byte lines
    {0xEA, Level3, 12288}, // 24-way, 64-byte lines
    {0xEB, Level3, 18432}, // 24-way, 64-byte lines
    {0xEC, Level3, 24576}, // 24-way, 64-byte lines
    {0xF0, Prefetch, 0}, // 64-byte prefetching
    {0xF1, Prefetch, 0}, // 128-byte prefetching
    {0xFE, SeeLeaf18, 0},
    {0xFF, SeeLeaf4, 0},
};

} // namespace

const CacheDescriptor* FindIntelCacheDescriptor(std::uint8_t code)
{
    for (const CacheDescriptor& descriptor : kDescriptors)
        if (descriptor.code == code)
            return &descriptor;
    return nullptr;
}

} // namespace qm
