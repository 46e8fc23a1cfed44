// SalesRequests: the requests of the sales department: the sale categories, a sale category's
// subcategories, the sales result list and its further pages. (The offers tab's list of current
// promotions is the bag's `BagRequests::offerDetails`, which the bag screen uses too.)
//
// Each operation runs synchronously on the caller's thread (a screen's worker): it checks the
// connection (the "Network Error" alert when there is none), sends its request and stores the
// answer in TarnObjects. Only an Answered request changes the shared state.
#pragma once

#include <string>

#include "gateway/RequestStatus.hpp"

namespace kelda::catalogue {

using gateway::RequestStatus;

class SalesRequests {
 public:
  // "category_sale" with a leading "&": salesDictionary. An answer that is not a dictionary
  // counts as Failed.
  static RequestStatus recordForSale(const std::string& categoryId);
  // "category_sale" without it: salesSubcategoryDictionary (same rule).
  static RequestStatus saleSubCategory(const std::string& categoryId);
  // "results" without restrictions ({"BRAND":"","PRICE":""}): salesResultDictionary, and
  // resultType 1 (nothing was widened).
  static RequestStatus recordForSalesResult(const std::string& categoryId);
  // The next page of the sales list, appended to salesResultDictionary. It is asked without
  // restrictions, as the list's first page was (a narrowed list pages through
  // RefinementRequests).
  static RequestStatus updateSalesResultsPage(const std::string& pageNumber,
                                              const std::string& categoryId);
};

}  // namespace kelda::catalogue
