// ResultLists: the four kinds of paged product list and the shared answer each one shows:
// category results (categorySearchList), search results (searchResultsDictionary), sales results
// (salesResultDictionary) and the top-rated landing list (ctrResultsDictionary).
//
// Stateless; any thread (TarnObjects synchronises itself).
#pragma once

#include <string>

#include "json/Value.hpp"

namespace kelda::catalogue {

enum class ResultList { Category, Search, Sales, Landing };

// The shared answer a list shows, and replacing it.
json::Value listAnswer(ResultList list);
void storeListAnswer(ResultList list, json::Value answer);

// The analytics context a product opened from the list carries: "BROWSE_WHEEL" with the
// browsed subcategory, "SEARCH" or "TOPRATED" with none, "SALE" with the sale category chosen.
struct ProductContext {
  std::string categoryFlag;
  std::string coreMetricsCategoryId;
};
ProductContext productContextFor(ResultList list);
// Writes the context into the shared categoryFlag and coreMetricsCategoryId.
void applyProductContext(const ProductContext& context);

}  // namespace kelda::catalogue
