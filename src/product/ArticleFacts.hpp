// ArticleFacts: one sellable article (UPC) of a product answer, found through the answer's
// "UPCMapper" by the chosen colour, size and type, with its facts from
// "UPCAvailabilityChecker": whether it can be bought, whether it may be looked for in a store,
// its order attributes and its unit price.
//
// A plain value read from a decoded answer; any thread.
#pragma once

#include <optional>
#include <string>

#include "json/Value.hpp"
#include "product/ProductChoice.hpp"

namespace kelda::product {

class ArticleFacts {
 public:
  // The article of `choice` in `answer` (a product answer); nothing when the mapper has no UPC
  // ID for the choice's key (missing, null or the text "<null>").
  static std::optional<ArticleFacts> find(const json::Value& answer, const ProductChoice& choice);

  const std::string& upcID() const { return upcID_; }
  // "Available" is non-zero, and the article carries the UPC ID an order line needs.
  bool available() const;
  // "InStoreEligibilityFlag" is non-zero.
  bool inStoreEligible() const;
  // "itemBOAttr": the order attributes the bag store copies.
  json::Value itemBOAttr() const { return facts_["itemBOAttr"]; }
  // The unit price in cents: "setCustomPrice" of the article, else "newPrice", else "oldPrice"
  // of the product (each taken when not 0).
  long long unitPriceCents() const;

 private:
  ArticleFacts(json::Value product, std::string upcID, json::Value facts)
      : product_(std::move(product)), upcID_(std::move(upcID)), facts_(std::move(facts)) {}

  json::Value product_;
  std::string upcID_;
  json::Value facts_;
};

}  // namespace kelda::product
