// Refinements: the narrowing a result request asks for ("BRAND", "PRICE", "COLOR", "RATING"),
// read from the JSON object text of its "refinements" field, and the test of one candidate
// against them. A brand or price may be given by its label or by its id; "" and "Any" mean no
// restriction; a value the catalogue does not know matches nothing. Plain value; any thread.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Json.hpp"
#include "ReferenceData.hpp"
#include "ResultCache.hpp"

namespace kelda::server {

class Refinements {
 public:
  // Nothing when the text is not empty and not a JSON object.
  static std::optional<Refinements> parse(std::string_view text);

  bool matches(const Candidate& candidate) const;
  // The refinements as applied: BRAND and PRICE always, other known names when given.
  json::Value applied() const;

 private:
  struct PriceFilter {
    long long low = 0;
    long long high = 0;  // 0: no upper bound
  };
  std::map<std::string, std::string> given_;
  std::optional<std::string> brand_;  // lower-case brand name
  std::optional<PriceFilter> price_;
  std::optional<std::string> colour_;  // lower case
  int minRating_ = 0;
  bool impossible_ = false;
};

// The brand name of a brand id, or nothing.
std::optional<std::string_view> brandName(long long brandId);
// The price band of a department (or the general bands when the department is unknown).
std::span<const reference::PriceBand> priceBands(long long departmentId);

}  // namespace kelda::server
