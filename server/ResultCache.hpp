// ResultCache: the candidate products of recent result lists (a category's products, a search
// phrase's matches), so that paging and refining a list does not repeat the catalogue query.
// The catalogue does not change while the server runs, so entries never go stale; the least
// recently used entry is dropped beyond the limit. Thread-safe.
#pragma once

#include <functional>
#include <future>
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
  long long brandId = 0;
  std::size_t colourIndex = static_cast<std::size_t>(-1);  // in the palette; -1: none
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
  // The list for `key`: from the cache, or made by `make` (and kept unless it is null). While
  // one caller makes it, other callers of the same key wait for that list instead of making it
  // again: a popular phrase that is not cached yet costs one query, not one per request.
  CandidateList findOrMake(const std::string& key, const std::function<CandidateList()>& make);

 private:
  std::mutex mutex_;
  std::unordered_map<std::string, std::shared_future<CandidateList>> making_;
  std::size_t limit_;
  std::list<std::pair<std::string, CandidateList>> order_;  // most recent first
  std::unordered_map<std::string, decltype(order_)::iterator> index_;
};

}  // namespace kelda::server
