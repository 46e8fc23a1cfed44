#include "json/Arena.hpp"

#include <algorithm>
#include <cstdint>

namespace kelda::json {

namespace {
constexpr std::size_t kMinChunk = 256;
}

Arena::Arena(std::size_t firstChunk, std::size_t minChunk)
    : firstSize_(std::max(firstChunk, kMinChunk)), minSize_(std::max(minChunk, kMinChunk)) {}

void* Arena::allocateSlow(std::size_t bytes, std::size_t align) {
  std::size_t need = bytes + align;
  std::size_t size = chunkBytes_ == 0 ? firstSize_ : std::max(minSize_, chunkBytes_ / 4);
  if (need > size / 4) {
    if (chunkBytes_ == 0) firstSize_ = std::max(minSize_, firstSize_ - std::min(firstSize_, need));
    return ownBlock(bytes, align);
  }
  blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
  chunkBytes_ += size;
  reserved_ += size;
  cur_ = blocks_.back().get();
  end_ = cur_ + size;
  return allocate(bytes, align);
}

// A block for one large request; the current block keeps serving small ones.
void* Arena::ownBlock(std::size_t bytes, std::size_t align) {
  std::size_t size = bytes + align;
  blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
  reserved_ += size;
  auto start = reinterpret_cast<std::uintptr_t>(blocks_.back().get());
  return reinterpret_cast<void*>((start + align - 1) & ~(std::uintptr_t(align) - 1));
}

}  // namespace kelda::json
