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

CandidateList ResultCache::findOrMake(const std::string& key,
                                      const std::function<CandidateList()>& make) {
  std::promise<CandidateList> promise;
  {
    std::unique_lock lock(mutex_);
    if (auto it = index_.find(key); it != index_.end()) {
      order_.splice(order_.begin(), order_, it->second);
      return it->second->second;
    }
    if (auto it = making_.find(key); it != making_.end()) {
      const std::shared_future<CandidateList> pending = it->second;
      lock.unlock();
      return pending.get();
    }
    making_.emplace(key, promise.get_future().share());
  }
  CandidateList list;
  try {
    list = make();
  } catch (...) {
    std::lock_guard lock(mutex_);
    making_.erase(key);
    promise.set_exception(std::current_exception());
    throw;
  }
  if (list) put(key, list);
  {
    std::lock_guard lock(mutex_);
    making_.erase(key);
  }
  promise.set_value(list);
  return list;
}

}  // namespace kelda::server
