#include "bag/BagRules.hpp"

#include <algorithm>
#include <array>

#include "bag/BagRequests.hpp"

namespace kelda::bag {
namespace {

constexpr std::array<const char*, 3> kMethodNames = {"Standard", "Premium", "Express"};
constexpr std::array<const char*, 3> kFallbackCodes = {"G", "O", "2"};

std::string methodCode(const json::Value& shippingOptionCode, std::size_t i) {
  const json::Value code = shippingOptionCode[kMethodNames[i]];
  return code.isAbsent() ? kFallbackCodes[i] : amountText(code);
}

// The codes a line is counted with: the first code the order answer lists for it, else the
// line's own shipping options.
std::string lineCodes(const json::Value& record, const json::Value& orderResult) {
  if (!availabilityEntry(record, orderResult).isAbsent()) {
    return amountText(orderResult["shippingMethodAvailability"][record["UpcNumber"].str()][0]);
  }
  return record["ShippingOptions"].str();
}

}  // namespace

std::vector<std::string> splitAtComma(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma = text.find(','); comma != std::string::npos;
       comma = text.find(',', start)) {
    parts.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

json::Value availabilityEntry(const json::Value& record, const json::Value& orderResult) {
  const json::Value upc = record["UpcNumber"];
  if (!upc.isString()) return {};
  return orderResult["upcAvailability"][upc.text()];
}

std::vector<std::string> availabilityNotices(const json::Value& record,
                                             const json::Value& orderResult,
                                             const json::Value& shippingOptionCode) {
  const json::Value entry = availabilityEntry(record, orderResult);
  if (entry.isAbsent()) return {};
  std::string methods;
  for (const json::Value& code :
       orderResult["shippingMethodAvailability"][record["UpcNumber"].str()].items()) {
    std::string text = amountText(code);
    for (std::size_t i = 0; i < kMethodNames.size(); ++i) {
      const json::Value known = shippingOptionCode[kMethodNames[i]];
      if (!known.isAbsent() && amountText(known) == text) {
        text = kMethodNames[i];
        break;
      }
    }
    methods += text;
  }
  const long long available = entry["qtyAvailable"].intValue();
  std::string quantity = available > 0 ? "There are currently " + std::to_string(available) +
                                             " items available. Please update your qunatity"
                                       : "This item is no more available. Please delete this item";
  return {"This item cannot be shipped to the given shipping address",
          "This item can shipped using " + methods, std::move(quantity)};
}

std::optional<std::string> commonShippingMethod(const json::Value& records,
                                                const json::Value& orderResult,
                                                const json::Value& shippingOptionCode) {
  std::string joined;
  for (const json::Value& record : records.items()) {
    if (!joined.empty()) joined += ",";
    joined += lineCodes(record, orderResult);
  }
  const std::vector<std::string> tokens = splitAtComma(joined);
  std::array<long long, 3> counts{};
  for (std::size_t i = 0; i < counts.size(); ++i) {
    counts[i] = std::count(tokens.begin(), tokens.end(), methodCode(shippingOptionCode, i));
  }
  const long long most = *std::max_element(counts.begin(), counts.end());
  const auto lines = static_cast<long long>(records.size());
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] == most && counts[i] == lines) return kMethodNames[i];
  }
  return std::nullopt;
}

}  // namespace kelda::bag
