#include "store/zeroedtable.h"

#include <cstdint>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {
#ifdef __linux__
constexpr std::size_t kLargePage = std::size_t(2) << 20;

std::size_t roundedUp(std::size_t bytes) {
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}
#endif
} // namespace

namespace ZeroedMemory {

void* allocate(std::size_t bytes) {
    if (bytes == 0) return nullptr;
#ifdef __linux__
    if (bytes >= kLargePage) {
        // Anonymous pages come zeroed. The block starts on a large-page boundary (the slack
        // around it is given back) so that every large page of it can be one.
        const std::size_t length = roundedUp(bytes);
        void* raw = mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED) return nullptr;
        const auto start = reinterpret_cast<std::uintptr_t>(raw);
        const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
        if (aligned > start) munmap(raw, aligned - start);
        if (const std::size_t tail = kLargePage - (aligned - start); tail > 0)
            munmap(reinterpret_cast<void*>(aligned + length), tail);
        madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE); // only a hint
        return reinterpret_cast<void*>(aligned);
    }
#endif
    return std::calloc(bytes, 1);
}

void release(void* block, std::size_t bytes) {
    if (!block) return;
#ifdef __linux__
    if (bytes >= kLargePage) {
        munmap(block, roundedUp(bytes));
        return;
    }
#endif
    std::free(block);
}

} // namespace ZeroedMemory
