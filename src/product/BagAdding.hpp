// addItemToBag: puts the article a shopper chose on a product page into the bag store: a new
// bag line, or the quantity of the line already holding that UPC raised (up to the article's
// maximum). The refusals ("not available", "maximum quantity") are shown as the shared alert.
//
// Main thread (the bag store is called directly, as the product page does).
#pragma once

#include <optional>

#include "json/Value.hpp"
#include "product/ProductChoice.hpp"

namespace kelda::product {

inline constexpr const char* kNotAvailableMessage =
    "Sorry! currently the product is not available for selected Size & Color combination";
inline constexpr const char* kMaximumQuantityMessage =
    "We're sorry, You've exceeded the maximum quantity allowed for this item.";

// What one add put into the bag.
struct AddedArticle {
  long long unitPriceCents = 0;
  int quantity = 0;
  bool merged = false;  // an existing line's quantity was raised
};

// Adds `quantity` of the article `choice` names in `answer` (the shown product answer). The
// process-wide isBagHasUpdatedItems, quantitySelected and currentItemPriceCents follow a
// successful add; nothing when the bag did not change (refused, or the store failed and said so).
std::optional<AddedArticle> addItemToBag(const json::Value& answer, const ProductChoice& choice,
                                         int quantity);

}  // namespace kelda::product
