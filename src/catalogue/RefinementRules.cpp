#include "catalogue/RefinementRules.hpp"

#include "json/SBJson.hpp"

namespace kelda::catalogue {

json::Value appliedRefinements(const json::Value& answer) {
  const std::string_view text = answer["appliedRefinements"].text();
  if (text.empty()) return json::Value::object();
  const json::Value applied = json::JSONValue(text);
  return applied.isObject() ? applied : json::Value::object();
}

json::Value combineRefinements(const json::Value& chosen, const json::Value& applied) {
  if (chosen.contains("BRAND")) {
    if (chosen["BRAND"] == applied["BRAND"]) {
      if (chosen.contains("PRICE") || !applied.contains("PRICE")) return chosen;
      return chosen.with("PRICE", applied["PRICE"]);
    }
    json::Value brandOnly = json::Value::object({{"BRAND", chosen["BRAND"]}});
    return chosen.contains("PRICE") ? brandOnly.with("PRICE", chosen["PRICE"]) : brandOnly;
  }
  if (chosen.contains("PRICE")) return chosen;
  json::Value combined = chosen.isObject() ? chosen : json::Value::object();
  for (auto [name, value] : applied.members()) combined = combined.with(name, value);
  return combined;
}

std::string refinementsText(const json::Value& refinements) {
  return json::JSONFragment(refinements.isObject() ? refinements : json::Value::object())
      .value_or("{}");
}

}  // namespace kelda::catalogue
