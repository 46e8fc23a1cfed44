#include "bag/CheckoutRules.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

#include "bag/BagRules.hpp"
#include "gateway/FieldCharacters.hpp"

namespace kelda::bag {
namespace {

std::string lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

template <class Excluded>
json::Value titlesOf(const json::Value& records, Excluded excluded) {
  std::vector<json::Value> items;
  for (const json::Value& record : records.items()) {
    if (excluded(record)) items.push_back(json::Value::object({{"Title", record["Title"]}}));
  }
  return json::Value::array(std::move(items));
}

}  // namespace

json::Value stateExcludedItems(const json::Value& records, const std::string& state) {
  const std::string wanted = lowercase(state);
  return titlesOf(records, [&](const json::Value& record) {
    if (wanted.empty()) return false;
    const auto codes = splitAtComma(record["ExcludedStatesCode"].str());
    return std::any_of(codes.begin(), codes.end(),
                       [&](const std::string& code) { return lowercase(code) == wanted; });
  });
}

json::Value methodExcludedItems(const json::Value& records, const std::string& methodCode) {
  return titlesOf(records, [&](const json::Value& record) {
    const auto codes = splitAtComma(record["ShippingOptions"].str());
    return std::find(codes.begin(), codes.end(), methodCode) == codes.end();
  });
}

std::string securityCodeProblem(const std::string& code) {
  if (code.empty()) return kEmptySecurityCodeMessage;
  const std::size_t length = gateway::utf16Length(code);
  if (length < 3 || length > 4) return kSecurityCodeLengthMessage;
  if (!gateway::everyCharacter(code, gateway::isAsciiDigit)) return kSecurityCodeDigitsMessage;
  return "";
}

std::string maskedCardNumber(const std::string& number) {
  constexpr const char* kMask = "************";
  if (number.size() < 4) return kMask;
  return kMask + number.substr(number.size() - 4);
}

}  // namespace kelda::bag
