#include "HeapCounter.hpp"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> gLive{0};
std::atomic<long long> gPeak{0};

void noteAlloc(void* p) {
  if (p == nullptr) return;
  auto size = static_cast<long long>(malloc_usable_size(p));
  long long now = gLive.fetch_add(size) + size;
  long long peak = gPeak.load();
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
}

void noteFree(void* p) {
  if (p != nullptr) gLive.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
}

void* countedAlloc(std::size_t n) {
  void* p = kelda::bench::countedMalloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace

namespace kelda::bench {

long long liveHeapBytes() {
  return gLive.load();
}

void* countedMalloc(std::size_t n) {
  void* p = std::malloc(n);
  noteAlloc(p);
  return p;
}

void* countedRealloc(void* p, std::size_t n) {
  noteFree(p);
  void* moved = std::realloc(p, n);
  noteAlloc(moved != nullptr || n == 0 ? moved : p);
  return moved;
}

void countedFree(void* p) {
  noteFree(p);
  std::free(p);
}

namespace detail {
void resetPeak() {
  gPeak.store(gLive.load());
}
long long peak() {
  return gPeak.load();
}
}  // namespace detail

}  // namespace kelda::bench

void* operator new(std::size_t n) {
  return countedAlloc(n);
}
void* operator new[](std::size_t n) {
  return countedAlloc(n);
}
void operator delete(void* p) noexcept {
  kelda::bench::countedFree(p);
}
void operator delete[](void* p) noexcept {
  kelda::bench::countedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
  kelda::bench::countedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  kelda::bench::countedFree(p);
}
