#include "bench/memory_meter.h"

#include <atomic>

namespace memory_meter {
namespace {
std::atomic<std::size_t> in_use{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> phase_base{0};
}  // namespace

void Allocated(std::size_t bytes) {
  const std::size_t now = in_use.fetch_add(bytes, std::memory_order_relaxed) + bytes;
  std::size_t seen = peak.load(std::memory_order_relaxed);
  while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
  }
}

void Freed(std::size_t bytes) { in_use.fetch_sub(bytes, std::memory_order_relaxed); }

std::size_t BytesInUse() { return in_use.load(); }

void StartPhase() {
  phase_base = in_use.load();
  peak = phase_base.load();
}

std::size_t PhasePeak() {
  const std::size_t base = phase_base.load();
  const std::size_t top = peak.load();
  return top > base ? top - base : 0;
}

}  // namespace memory_meter
