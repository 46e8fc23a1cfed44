#include "product/ProductPrices.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

namespace kelda::product {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos;
       at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// "word $price", or "$price" when the flag names no word.
std::string priceLine(const std::string& word, const std::string& price) {
  return word.empty() ? "$" + price : word + " $" + price;
}

struct Words {
  std::string oldWord;
  std::string newWord;
};

// The words of a flag split at "-": parts 0 and 2 of three or more; parts 0 and 1 of two,
// "org" read as "Original" and "now" as "Current". A flag without "-" names no words.
Words wordsOf(const std::string& flag) {
  const std::vector<std::string> parts = split(flag, '-');
  if (parts.size() >= 3) return {lower(parts[0]), lower(parts[2])};
  if (parts.size() == 2) {
    std::string oldWord = lower(parts[0]);
    std::string newWord = lower(parts[1]);
    return {oldWord == "org" ? "Original" : oldWord, newWord == "now" ? "Current" : newWord};
  }
  return {};
}

}  // namespace

ProductPrices ProductPrices::forProduct(const json::Value& product) {
  const std::string flag = product["priceTypeFlag"].str();
  const std::string newPrice = product["newPrice"].str();
  const std::string oldPrice = product["oldPrice"].str();
  const Words words = wordsOf(flag);
  ProductPrices prices;
  const bool newHidden = flag == "NOVERBAGE" || flag == "EDV" || newPrice.empty();
  if (!newHidden) prices.newLine = priceLine(words.newWord, newPrice);
  // A product without a former price shows no "was" line rather than a bare "$".
  if (!oldPrice.empty()) prices.oldLine = priceLine(words.oldWord, oldPrice);
  if (newHidden && flag == "EDV") {
    prices.oldInRed = true;
    prices.everydayValue = true;
  }
  return prices;
}

}  // namespace kelda::product
