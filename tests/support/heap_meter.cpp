#include "support/heap_meter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace walkconv::testing {
namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

// Each block carries its size in front of it, at an offset that keeps the usual alignment.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    const std::size_t now = inUse.fetch_add(size) + size;
    std::size_t high = peak.load();
    while (now > high && !peak.compare_exchange_weak(high, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void Free(void* memory) noexcept {
    if (memory == nullptr) {
        return;
    }
    void* block = static_cast<char*>(memory) - kHeader;
    inUse.fetch_sub(*static_cast<std::size_t*>(block));
    std::free(block);
}

}  // namespace

std::size_t HeapInUse() {
    return inUse.load();
}

std::size_t HeapPeak() {
    return peak.load();
}

void ResetHeapPeak() {
    peak.store(inUse.load());
}

}  // namespace walkconv::testing

// The replaceable forms that the others (arrays, nothrow, sized) fall back on.
void* operator new(std::size_t size) {
    return walkconv::testing::Allocate(size);
}
void operator delete(void* memory) noexcept {
    walkconv::testing::Free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    walkconv::testing::Free(memory);
}
