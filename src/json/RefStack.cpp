#include "json/RefStack.hpp"

#include <algorithm>
#include <cstring>

namespace kelda::json {

namespace {
// Blocks kept between documents (1 MB).
constexpr std::size_t kKeepBlocks = 32;
}  // namespace

void RefStack::nextBlock() {
  if (used_ == blocks_.size()) blocks_.push_back(std::make_unique<Ref[]>(kBlockRefs));
  top_ = blocks_[used_++].get();
  limit_ = top_ + kBlockRefs;
}

void RefStack::copyOut(std::size_t from, Ref* out) const {
  for (std::size_t i = from; i < size_;) {
    std::size_t offset = i & (kBlockRefs - 1);
    std::size_t n = std::min(kBlockRefs - offset, size_ - i);
    std::memcpy(static_cast<void*>(out), &blocks_[i >> kBlockShift][offset], n * sizeof(Ref));
    out += n;
    i += n;
  }
}

void RefStack::truncate(std::size_t from) {
  size_ = from;
  if (from == 0) {
    used_ = 0;
    top_ = limit_ = nullptr;
    return;
  }
  used_ = ((from - 1) >> kBlockShift) + 1;
  Ref* block = blocks_[used_ - 1].get();
  top_ = block + (from - ((used_ - 1) << kBlockShift));
  limit_ = block + kBlockRefs;
}

void RefStack::clear() {
  truncate(0);
  if (blocks_.size() > kKeepBlocks) blocks_.resize(kKeepBlocks);
}

}  // namespace kelda::json
