#pragma once
// A block of memory whose every byte has been written: touching the pages is
// what makes the system take physical memory back from other processes.
#include <cstdint>

namespace qm {

class TouchedBlock {
public:
    // Throws std::bad_alloc when the block cannot be had.
    explicit TouchedBlock(std::uint64_t bytes);
    ~TouchedBlock();
    TouchedBlock(const TouchedBlock&) = delete;
    TouchedBlock& operator=(const TouchedBlock&) = delete;

private:
    void* block_ = nullptr;
};

} // namespace qm
