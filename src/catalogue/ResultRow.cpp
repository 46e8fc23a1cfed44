#include "catalogue/ResultRow.hpp"

#include <cmath>

namespace kelda::catalogue {
namespace {

// A price is shown only when its text is longer than one character.
bool hasPrice(const std::string& text) {
  return text.size() > 1;
}

}  // namespace

void fillPrices(ResultRow& row, const json::Value& product) {
  const std::string oldPrice = product["oldPrice"].str();
  const std::string newPrice = product["newPrice"].str();
  const std::string flag = product["priceTypeFlag"].str();
  row.original = {"Original", hasPrice(oldPrice) ? " $" + oldPrice + " " : "", true, true, false};
  row.current = {"Current", hasPrice(newPrice) ? "$" + newPrice : "", true, true, false};
  if (flag == "REG-SALE") {
    row.original.label = "Reg.";
    row.current.label = "Sale";
  }
  if (!hasPrice(newPrice)) {
    row.current.shown = false;
    if (flag == "EDV") {
      row.original.label = "Current";
      row.original.red = true;
    }
  }
  if (flag == "NOVERBAGE") {
    row.original.labelShown = false;
    row.current.labelShown = false;
    row.current.shown = false;
  }
}

std::optional<Stars> starsForRating(double rating) {
  const double halves = rating * 2;
  if (!(rating >= 0 && rating <= 5) || halves != std::floor(halves)) return std::nullopt;
  const int whole = static_cast<int>(halves) / 2;
  const bool half = static_cast<int>(halves) % 2 == 1;
  Stars stars{};
  for (int i = 0; i < 5; ++i) {
    stars[static_cast<std::size_t>(i)] =
        i < whole ? Star::Full : (i == whole && half ? Star::Half : Star::Empty);
  }
  return stars;
}

ResultRow ResultRow::forProduct(const json::Value& product) {
  ResultRow row;
  row.description = product["prodDesc"].str();
  fillPrices(row, product);
  row.moreColors = product["moreColor"].str() == "1" ? "*More Colors Available" : "";
  row.findInStore = product["findInStoreFlag"].intValue() == 1 ? "find it in store" : "";
  row.stars = starsForRating(product["overallRating"].doubleValue());
  row.imageSource = product["imageSource"].str();
  row.available = product["available"].intValue() == 1;
  return row;
}

}  // namespace kelda::catalogue
