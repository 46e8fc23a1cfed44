// ProductRequests: the product subsystem's requests to the middleware server: a product page's
// answer, with the choice lists (sizes, colours, types, attribute names, quantities) derived
// from it for the product screens, and the further pages of a product's reviews.
//
// Each operation runs synchronously on the caller's thread (a screen's worker): it checks the
// connection, sends its request and stores the answer in TarnObjects. Only an Answered request
// changes the shared state, so no screen opens an earlier product as the one just asked for.
#pragma once

#include <string>

#include "gateway/RequestStatus.hpp"

namespace kelda::product {

using gateway::RequestStatus;

class ProductRequests {
 public:
  // "product": productDescriptionList (and the collection lists for "ITEM" / "TAB" answers),
  // categoryFlag and coreMetricsCategoryId from the answer, the size, colour, type and
  // attribute-name arrays and the quantity choices; starts the product-view tag. An answer that
  // is not a dictionary with the product at "data"[0] counts as Failed.
  static RequestStatus resultForProductDescription(const std::string& productId,
                                                   const std::string& categoryId,
                                                   const std::string& categoryFlag);
  // "product" with "reviewPageNumber": the shown product's answer again, carrying review page
  // `pageNumber`; it replaces productDescriptionList and the size, colour and type arrays are
  // derived again. Failed (nothing stored) for an answer that is not a product answer.
  static RequestStatus resultForLoadMoreReviewsProductDescription(const std::string& pageNumber);
};

}  // namespace kelda::product
