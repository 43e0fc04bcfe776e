#pragma once
// A block of memory whose every byte has been written: touching the pages is
// what makes the system take physical memory back from other processes.
#include <cstdint>
#include <functional>

namespace qm {

class TouchedBlock {
public:
    // Throws std::bad_alloc when the block cannot be had. Once
    // `stopRequested` (when given) says so, the rest is left untouched.
    explicit TouchedBlock(std::uint64_t bytes, const std::function<bool()>& stopRequested = {});
    ~TouchedBlock();
    TouchedBlock(const TouchedBlock&) = delete;
    TouchedBlock& operator=(const TouchedBlock&) = delete;

private:
    void* block_ = nullptr;
};

} // namespace qm
