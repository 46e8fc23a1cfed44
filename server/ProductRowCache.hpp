// ProductRowCache: the list rows of products (name, prices, flags: the catalogue's facts, which
// do not change while the server runs; stock is not part of a row), so that a page of results
// costs no query per row. Bounded: when full it starts again empty. Thread-safe.
#pragma once

#include <mutex>
#include <optional>
#include <unordered_map>

#include "Json.hpp"

namespace kelda::server {

class ProductRowCache {
 public:
  static constexpr std::size_t kLimit = 50000;
  std::optional<json::Value> find(long long productId) const;
  void put(long long productId, json::Value row);

 private:
  mutable std::mutex mutex_;
  std::unordered_map<long long, json::Value> rows_;
};

}  // namespace kelda::server
