// ResultAnswer: reading and merging the decoded answers of the result requests ("data" holds
// the products loaded so far, "extra"[0] the paging facts "totalCount", "pageLimit" and
// "pageNumber").
//
// Pure functions over immutable values; callable from any thread. Answers of the wrong shape
// read as empty: a "data" that is not an array holds no products.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "json/Value.hpp"

namespace kelda::catalogue {

// The answer's "data" when it is an array, else the empty array.
json::Value products(const json::Value& answer);
std::size_t productCount(const json::Value& answer);
// "extra"[0], or absent.
json::Value pagingFacts(const json::Value& answer);

// The footer under a result list: absent when every product is loaded (the loaded count equals
// the integer value of "totalCount"), else its two texts.
struct PagingFooter {
  std::string resultsFound;  // "%@ Results Found" with "totalCount"
  std::string loadMore;      // "load %@ More" with "pageLimit"
};
std::optional<PagingFooter> pagingFooter(const json::Value& answer);

// The next page appended to the list: `page` with its "data" replaced by the products of
// `current` followed by its own ("extra" and the other keys are the page's). A page that is not
// a dictionary (a failed request) leaves `current` as it was. Shares the loaded products, so its
// cost does not grow with their number.
json::Value mergeResultsPage(const json::Value& current, const json::Value& page);

}  // namespace kelda::catalogue
