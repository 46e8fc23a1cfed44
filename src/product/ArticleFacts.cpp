#include "product/ArticleFacts.hpp"

#include "bag/Money.hpp"

namespace kelda::product {

std::optional<ArticleFacts> ArticleFacts::find(const json::Value& answer,
                                               const ProductChoice& choice) {
  json::Value product = answer["data"][0];
  const std::string key = mapperKey(choice, product["prodId"].describe());
  json::Value upc = answer["UPCMapper"][key];
  if (upc.isAbsent() || upc.isNull() || upc.isArray() || upc.isObject()) return std::nullopt;
  std::string upcID = upc.describe();
  if (upcID.empty() || upcID == "<null>") return std::nullopt;
  json::Value facts = answer["UPCAvailabilityChecker"][upcID];
  return ArticleFacts(std::move(product), std::move(upcID), std::move(facts));
}

bool ArticleFacts::available() const {
  json::Value orderUpc = itemBOAttr()["setUpcID"];
  return facts_["Available"].intValue() != 0 && (orderUpc.isString() || orderUpc.isNumber());
}

bool ArticleFacts::inStoreEligible() const {
  return facts_["InStoreEligibilityFlag"].intValue() != 0;
}

long long ArticleFacts::unitPriceCents() const {
  for (json::Value price :
       {itemBOAttr()["setCustomPrice"], product_["newPrice"], product_["oldPrice"]}) {
    if (long long cents = bag::centsFromText(price.text()); cents != 0) return cents;
  }
  return 0;
}

}  // namespace kelda::product
