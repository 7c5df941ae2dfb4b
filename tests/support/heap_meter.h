#pragma once

#include <cstddef>

// Counts the bytes that the global operator new hands out, in a test program that links
// heap_meter.cpp (which replaces operator new and delete for the whole program).
namespace walkconv::testing {

// Bytes allocated and not yet freed.
std::size_t HeapInUse();

// The most bytes in use at any moment since the last ResetHeapPeak.
std::size_t HeapPeak();

void ResetHeapPeak();

}  // namespace walkconv::testing
