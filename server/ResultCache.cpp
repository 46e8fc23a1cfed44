#include "ResultCache.hpp"

namespace kelda::server {

CandidateList ResultCache::find(const std::string& key) {
  std::lock_guard lock(mutex_);
  auto it = index_.find(key);
  if (it == index_.end()) return nullptr;
  order_.splice(order_.begin(), order_, it->second);
  return it->second->second;
}

void ResultCache::put(const std::string& key, CandidateList list) {
  std::lock_guard lock(mutex_);
  auto it = index_.find(key);
  if (it != index_.end()) {
    it->second->second = std::move(list);
    order_.splice(order_.begin(), order_, it->second);
    return;
  }
  order_.emplace_front(key, std::move(list));
  index_[key] = order_.begin();
  if (order_.size() > limit_) {
    index_.erase(order_.back().first);
    order_.pop_back();
  }
}

}  // namespace kelda::server
