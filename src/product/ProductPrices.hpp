// ProductPrices: the price lines of a product page's product cell, chosen by the product's
// "priceTypeFlag": the words before each price, which line is hidden, and the "Everyday Value"
// form. A plain value built by a pure function; any thread.
#pragma once

#include <optional>
#include <string>

#include "json/Value.hpp"

namespace kelda::product {

struct ProductPrices {
  std::optional<std::string> newLine;  // "%@ $%@" of the new-price word and "newPrice"
  std::optional<std::string> oldLine;  // "%@ $%@" of the old-price word and "oldPrice"
  bool oldInRed = false;
  bool everydayValue = false;  // the label "Everyday Value" is shown

  // The lines of a product dictionary ("data"[0] of a product answer).
  static ProductPrices forProduct(const json::Value& product);
};

}  // namespace kelda::product
