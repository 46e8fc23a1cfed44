// ResultCache: the candidate products of recent result lists (a category's products, a search
// phrase's matches), so that paging and refining a list does not repeat the catalogue query.
// The catalogue does not change while the server runs, so entries never go stale; the least
// recently used entry is dropped beyond the limit. Thread-safe.
#pragma once

#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelda::server {

// One product of a result list with the facts refinements look at.
struct Candidate {
  long long id = 0;
  std::string_view brand;    // points into the constant reference data
  long long priceCents = 0;  // the price the shopper pays (sale price when on sale)
  long long departmentId = 0;
  std::string_view colour;  // points into the constant reference data too
  int rating = 0;           // half steps
};

using CandidateList = std::shared_ptr<const std::vector<Candidate>>;

class ResultCache {
 public:
  explicit ResultCache(std::size_t limit = 256) : limit_(limit) {}
  CandidateList find(const std::string& key);
  void put(const std::string& key, CandidateList list);

 private:
  std::mutex mutex_;
  std::size_t limit_;
  std::list<std::pair<std::string, CandidateList>> order_;  // most recent first
  std::unordered_map<std::string, decltype(order_)::iterator> index_;
};

}  // namespace kelda::server
