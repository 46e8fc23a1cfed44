// LandingRequests: the requests of the "customers' top rated" landing pages: the department list
// from the landing-page address (KELDA_CTR_ADDRESS), a department's subcategories, and a
// subcategory's product list with its further pages.
//
// Each operation runs synchronously on the caller's thread (a screen's worker): it checks the
// connection (the "Network Error" alert when there is none), sends its request and stores the
// answer in TarnObjects. Only an Answered request changes the shared state, so a landing screen
// never shows an earlier department's rows as the new ones.
#pragma once

#include <string>

#include "gateway/RequestStatus.hpp"

namespace kelda::catalogue {

using gateway::RequestStatus;

class LandingRequests {
 public:
  // GET "category_ctr" at the landing-page address: ctrDictionary. An answer that is not a
  // dictionary counts as Failed (as for the two below).
  static RequestStatus ctrDetails();
  // "category_ctr" with parentCategoryId: ctrSubCategoryDictionary.
  static RequestStatus ctrSubCategory(const std::string& categoryId);
  // "results" with categoryId: ctrResultsDictionary.
  static RequestStatus ctrResults(const std::string& categoryId);
  // The next page of the landing list, appended to ctrResultsDictionary. It is asked without
  // restrictions, as the list's first page was (a narrowed list pages through
  // RefinementRequests).
  static RequestStatus updateCtrResultsPage(const std::string& pageNumber,
                                            const std::string& categoryId);
};

}  // namespace kelda::catalogue
