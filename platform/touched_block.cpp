#include "platform/touched_block.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace qm {

TouchedBlock::TouchedBlock(std::uint64_t bytes, const std::function<bool()>& stopRequested)
{
    if (bytes == 0)
        return;
    if (bytes > static_cast<std::uint64_t>(SIZE_MAX))
        throw std::bad_alloc();
    block_ = HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(bytes));
    if (!block_)
        throw std::bad_alloc();
    // Written by hand rather than asking the heap for zeroed memory: fresh
    // pages come zeroed without being touched, and touching is the point. In
    // pieces, so that a large block can be given up part way.
    constexpr size_t kPiece = 16u << 20;
    auto* bytesOfBlock = static_cast<unsigned char*>(block_);
    for (size_t done = 0; done < static_cast<size_t>(bytes); done += kPiece) {
        if (stopRequested && stopRequested())
            break;
        std::memset(bytesOfBlock + done, 0, std::min(kPiece, static_cast<size_t>(bytes) - done));
    }
    asm volatile("" : : "r"(block_) : "memory");
}

TouchedBlock::~TouchedBlock()
{
    if (block_)
        HeapFree(GetProcessHeap(), 0, block_);
}

} // namespace qm
