// ResultRow: what one row of a result list shows for one product dictionary: description,
// the two price lines with their labels, the "more colours" and "find it in store" notes,
// the five rating stars and the image address. ResultAsyncCell draws it.
//
// A plain value built by a pure function; usable on any thread.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "json/Value.hpp"

namespace kelda::catalogue {

enum class Star { Empty, Half, Full };
using Stars = std::array<Star, 5>;

struct PriceLine {
  std::string label;  // "Original", "Current", "Reg.", "Sale"
  std::string price;  // " $%@ " (former price) or "$%@" (current price); "" when none
  bool labelShown = true;
  bool shown = true;
  bool red = false;
};

struct ResultRow {
  std::string description;
  PriceLine original;          // the former ("oldPrice") line
  PriceLine current;           // the current ("newPrice") line
  std::string moreColors;      // "*More Colors Available" or ""
  std::string findInStore;     // "find it in store" or ""
  std::optional<Stars> stars;  // absent: the rating is not a multiple of 0.5 in 0..5
  std::string imageSource;
  bool available = false;  // a row tap opens the product only when true

  static ResultRow forProduct(const json::Value& product);
};

// The price lines chosen by "priceTypeFlag".
void fillPrices(ResultRow& row, const json::Value& product);
// Five stars for a rating r that is a multiple of 0.5 between 0 and 5: floor(r) full, one
// half when r has a half, the rest empty. Anything else gives nothing.
std::optional<Stars> starsForRating(double rating);

}  // namespace kelda::catalogue
