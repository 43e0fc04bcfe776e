#include "platform/touched_block.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace qm {

TouchedBlock::TouchedBlock(std::uint64_t bytes)
{
    if (bytes == 0)
        return;
    if (bytes > static_cast<std::uint64_t>(SIZE_MAX))
        throw std::bad_alloc();
    block_ = HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(bytes));
    if (!block_)
        throw std::bad_alloc();
    // Written by hand rather than asking the heap for zeroed memory: fresh
    // pages come zeroed without being touched, and touching is the point.
    std::memset(block_, 0, static_cast<size_t>(bytes));
    asm volatile("" : : "r"(block_) : "memory");
}

TouchedBlock::~TouchedBlock()
{
    if (block_)
        HeapFree(GetProcessHeap(), 0, block_);
}

} // namespace qm
