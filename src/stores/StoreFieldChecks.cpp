#include "stores/StoreFieldChecks.hpp"

#include "gateway/Components.hpp"
#include "gateway/FieldCharacters.hpp"

namespace kelda::stores {
namespace {

bool isStringContainsDigit(const std::string& text) {
  return gateway::Components::sharedInstance().isStringContainsDigit(json::Value(text));
}

}  // namespace

bool isValidZip(const std::string& zip) {
  const auto& components = gateway::Components::sharedInstance();
  return !components.validateAlpha(zip) && !components.isDigitContainsString(json::Value(zip)) &&
         gateway::utf16Length(zip) == 5;
}

std::optional<std::string> storeSearchZipProblem(const std::string& zip) {
  if (zip.empty()) return kFillZipOrCity;
  if (!isValidZip(zip)) return kInvalidZip;
  return std::nullopt;
}

std::optional<std::string> storeSearchCityProblem(const std::string& city, bool stateChosen) {
  if (city.empty() && !stateChosen) return kInvalidCityAndState;
  if (isStringContainsDigit(city)) return kInvalidCity;  // also the empty city
  if (!stateChosen) return kInvalidCityAndState;
  return std::nullopt;
}

std::optional<std::string> findInStoreZipProblem(const std::string& zip) {
  if (!isValidZip(zip)) return kInvalidZipLower;
  return std::nullopt;
}

std::optional<std::string> findInStoreCityProblem(const std::string& city, bool stateChosen) {
  if (city.empty() && !stateChosen) return kInvalidCityAndState;
  if (isStringContainsDigit(city)) return kInvalidCity;  // also the empty city
  if (!stateChosen) return kInvalidState;
  return std::nullopt;
}

}  // namespace kelda::stores
