// RefStack: the reader's stack of finished elements and members of the containers still open.
//
// Kept in fixed blocks rather than one growing vector, so that a container of millions of
// elements is never copied while it grows and never needs twice its size at once. Blocks are
// kept for the next document, up to a bound. Single-threaded.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "json/Node.hpp"

namespace kelda::json {

class RefStack {
 public:
  static constexpr std::size_t kBlockShift = 12;
  static constexpr std::size_t kBlockRefs = std::size_t(1) << kBlockShift;  // 32 KB blocks

  RefStack() = default;
  RefStack(const RefStack&) = delete;
  RefStack& operator=(const RefStack&) = delete;

  std::size_t size() const { return size_; }

  void push(Ref ref) {
    if (top_ == limit_) nextBlock();
    *top_++ = ref;
    ++size_;
  }

  const Ref& operator[](std::size_t i) const {
    return blocks_[i >> kBlockShift][i & (kBlockRefs - 1)];
  }

  // The Refs from `from` to the top when they lie in one block, else null.
  const Ref* contiguous(std::size_t from) const {
    if (size_ == from) return top_;
    return (from >> kBlockShift) == ((size_ - 1) >> kBlockShift) ? &(*this)[from] : nullptr;
  }

  // Copies the Refs from `from` to the top into `out`.
  void copyOut(std::size_t from, Ref* out) const;

  // Drops the Refs from `from` on.
  void truncate(std::size_t from);

  // Empties the stack, giving back all but the first few blocks.
  void clear();

 private:
  void nextBlock();

  std::vector<std::unique_ptr<Ref[]>> blocks_;
  std::size_t used_ = 0;  // blocks holding Refs (the last one partly)
  std::size_t size_ = 0;
  Ref* top_ = nullptr;
  Ref* limit_ = nullptr;
};

}  // namespace kelda::json
