// CatalogueRequests: the catalogue's requests to the middleware server: a department's browse
// data, the category search with its brand and price fallback, the text search and the next
// page of a result list.
//
// Each operation runs synchronously on the caller's thread (a screen's worker): it checks the
// connection (the "Network Error" alert when there is none), sends its request and stores the
// answer in TarnObjects. Only an Answered request changes the shared state, so a screen never
// shows an earlier answer as the new one.
#pragma once

#include <string>

#include "gateway/RequestStatus.hpp"

namespace kelda::catalogue {

using gateway::RequestStatus;

class CatalogueRequests {
 public:
  // "category": stores the answer in the department cache of the shared fobTitle (not of the
  // id asked for). An answer that is not a dictionary counts as Failed.
  static RequestStatus recordForItemPicker(const std::string& categoryId);
  // "results" with {"BRAND","PRICE"} refinements, widened to no brand and then to no brand and
  // no price while the answer lists no product. On an answer: categorySearchList, resultType
  // (1, 2 or 3) and refinementFilterString of the request that answered.
  static RequestStatus resultForCategory(const std::string& categoryId, const std::string& brand,
                                         const std::string& price);
  // "results_search": searchResultsDictionary, and pageFlag 2.
  static RequestStatus searchResultString(const std::string& phrase);
  // The page after the current answer of the shared pageFlag's list (1: category results with
  // the stored refinements, 2: search results), merged after the pages loaded so far.
  static RequestStatus updateResultsPage(const std::string& pageNumber,
                                         const std::string& categoryId);
};

}  // namespace kelda::catalogue
