// Arena: bump allocator holding every node and text of one parsed document.
//
// Owned by a Document (through the shared_ptr that all of the document's values share); freed
// all at once, so no node has a destructor and freeing never walks the tree. Single-threaded
// while the reader fills it; read-only afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

namespace kelda::json {

class Arena {
 public:
  // `firstChunk`: size of the first block in bytes, the expected size of everything the arena
  // will hold. Later blocks grow with the blocks so far (a quarter of them, at least
  // `minChunk`), so a document of any size takes few blocks and leaves at most a fifth of them
  // unused. A request larger than a quarter of the next block gets a block of its own and
  // leaves the current one in use; taken before the first block, it is deducted from that
  // block's size.
  explicit Arena(std::size_t firstChunk = 4096, std::size_t minChunk = 4096);
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  // Uninitialised storage of `bytes` bytes aligned to `align` (a power of two <= 16).
  void* allocate(std::size_t bytes, std::size_t align) {
    auto cur = reinterpret_cast<std::uintptr_t>(cur_);
    std::uintptr_t aligned = (cur + align - 1) & ~(std::uintptr_t(align) - 1);
    if (cur_ == nullptr || aligned + bytes > reinterpret_cast<std::uintptr_t>(end_)) {
      return allocateSlow(bytes, align);
    }
    cur_ = reinterpret_cast<std::byte*>(aligned + bytes);
    return reinterpret_cast<void*>(aligned);
  }

  // A trivially destructible T constructed in the arena.
  template <class T>
  T* create() {
    return new (allocate(sizeof(T), alignof(T))) T();
  }

  // Uninitialised array of n trivially destructible T.
  template <class T>
  T* array(std::size_t n) {
    return static_cast<T*>(allocate(sizeof(T) * (n == 0 ? 1 : n), alignof(T)));
  }

  // A copy of `text` kept in the arena (never a null view, even when empty).
  std::string_view copy(std::string_view text) {
    if (text.empty()) return std::string_view("", 0);
    char* out = static_cast<char*>(allocate(text.size(), 1));
    std::memcpy(out, text.data(), text.size());
    return {out, text.size()};
  }

  // Bytes obtained from the system so far.
  std::size_t reserved() const { return reserved_; }

 private:
  void* allocateSlow(std::size_t bytes, std::size_t align);

  std::vector<std::unique_ptr<std::byte[]>> blocks_;
  std::byte* cur_ = nullptr;
  std::byte* end_ = nullptr;
  void* ownBlock(std::size_t bytes, std::size_t align);

  std::size_t firstSize_;
  std::size_t minSize_;
  std::size_t chunkBytes_ = 0;  // blocks other than those of single large requests
  std::size_t reserved_ = 0;
};

}  // namespace kelda::json
