#pragma once
// Owners for the control's global memory blocks, so every path out of a dialog method
// unlocks and frees what it took.
#include <cstdint>
#include <utility>

#include "controls/commondialog/common_dialog.h"

namespace corvane::cdlg {

class OwnedBlock {
public:
    OwnedBlock(GlobalMemory& memory, std::uintptr_t block) noexcept : memory_(memory), block_(block) {}
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;
    ~OwnedBlock() { reset(); }

    std::uintptr_t get() const noexcept { return block_; }
    std::uintptr_t release() noexcept { return std::exchange(block_, 0); }
    void reset(std::uintptr_t block = 0) noexcept {
        if (const std::uintptr_t old = std::exchange(block_, block)) {
            memory_.Free(old);
        }
    }

private:
    GlobalMemory& memory_;
    std::uintptr_t block_;
};

class BlockLock {
public:
    BlockLock(GlobalMemory& memory, std::uintptr_t block) noexcept
        : memory_(memory), block_(block), p_(block ? memory.Lock(block) : nullptr) {}
    BlockLock(const BlockLock&) = delete;
    BlockLock& operator=(const BlockLock&) = delete;
    ~BlockLock() {
        if (p_) {
            memory_.Unlock(block_);
        }
    }
    void* get() const noexcept { return p_; }

private:
    GlobalMemory& memory_;
    std::uintptr_t block_;
    void* p_;
};

} // namespace corvane::cdlg
