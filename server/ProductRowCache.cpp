#include "ProductRowCache.hpp"

namespace kelda::server {

std::optional<json::Value> ProductRowCache::find(long long productId) const {
  std::lock_guard lock(mutex_);
  auto it = rows_.find(productId);
  if (it == rows_.end()) return std::nullopt;
  return it->second;
}

void ProductRowCache::put(long long productId, json::Value row) {
  std::lock_guard lock(mutex_);
  if (rows_.size() >= kLimit) rows_.clear();
  rows_.insert_or_assign(productId, std::move(row));
}

}  // namespace kelda::server
