// Heap accounting for the benchmarks' memory figures: the program's operator new and delete
// count the usable size of every block, so the peak of live bytes over a stretch of work can be
// read back. Counts every thread's allocations together.
#pragma once

#include <cstddef>

namespace kelda::bench {

// Live heap bytes now.
long long liveHeapBytes();

// malloc, realloc and free with the same accounting, for libraries that take an allocator.
void* countedMalloc(std::size_t n);
void* countedRealloc(void* p, std::size_t n);
void countedFree(void* p);

// Peak heap growth while `work` runs, in bytes above what was live when it started.
template <class F>
long long peakHeapGrowth(F work);

namespace detail {
void resetPeak();
long long peak();
}  // namespace detail

template <class F>
long long peakHeapGrowth(F work) {
  long long base = liveHeapBytes();
  detail::resetPeak();
  work();
  return detail::peak() - base;
}

}  // namespace kelda::bench
