#pragma once
// Heap bytes in use and their peak, counted by the benchmark programs'
// operator new and delete (counting_new.cpp). Without those the figures
// stay 0.
#include <cstddef>

namespace memory_meter {

void Allocated(std::size_t bytes);
void Freed(std::size_t bytes);

std::size_t BytesInUse();
// Starts a phase: its peak is measured from the bytes in use now.
void StartPhase();
// The highest number of bytes in use since StartPhase, above those in use
// then: the phase's working set.
std::size_t PhasePeak();

}  // namespace memory_meter
