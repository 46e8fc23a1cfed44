#include "json/Arena.hpp"

#include <algorithm>
#include <cstdint>

namespace kelda::json {

namespace {
constexpr std::size_t kMinChunk = 256;
}

Arena::Arena(std::size_t firstChunk, std::size_t nextChunk)
    : firstSize_(std::max(firstChunk, kMinChunk)), nextSize_(std::max(nextChunk, kMinChunk)) {}

void* Arena::allocateSlow(std::size_t bytes, std::size_t align) {
  std::size_t size = std::max(blocks_.empty() ? firstSize_ : nextSize_, bytes + align);
  blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
  reserved_ += size;
  cur_ = blocks_.back().get();
  end_ = cur_ + size;
  return allocate(bytes, align);
}

}  // namespace kelda::json
