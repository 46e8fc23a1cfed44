// ProductEndpoint: the `product` answer: the product with its prices, images and details, its
// attributes and the UPC of every size/colour/type combination with availability and order
// attributes, one page of reviews (10 per page; "reviewPageNumber" names the page to ask for
// next), and, for collections, the child products. Any request thread.
#pragma once

#include <string>

#include "Database.hpp"
#include "FormFields.hpp"
#include "Json.hpp"
#include "ServerState.hpp"

namespace kelda::server {

inline constexpr long long kReviewPageLimit = 10;
// Larger review page numbers are refused (no product has that many reviews).
inline constexpr long long kMaxReviewPage = 100000;

class ProductEndpoint {
 public:
  explicit ProductEndpoint(ServerState& state) : state_(state) {}
  json::Value product(const FormFields& form, const std::string& baseUrl);

 private:
  ServerState& state_;
};

// The order attributes of one UPC as the bag sends them back ("setUpcID", "setProductID", ...).
json::Value itemBOAttr(long long upcId, const std::string& upcNumber, long long productId,
                       long long priceCents, const std::string& taxCode, long long surchargeCents);
// Review k (0-based) of a product: the same text for the same seed every time.
json::Value review(std::uint64_t seed, long long productId, long long k, long long productRating);

}  // namespace kelda::server
