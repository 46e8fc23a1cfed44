// PresentFieldsObject: builds a JSON object from key/value pairs, leaving out each pair whose
// value is missing. The bag's records and serialisations follow that rule, so one missing
// attribute of a bag line never hides the attributes after it (on screen or in an order line).
// A local helper: build one per object, on one thread.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "json/Value.hpp"

namespace kelda::bag {

class PresentFieldsObject {
 public:
  // Adds the pair when the value is present.
  PresentFieldsObject& add(const char* key, const std::optional<std::string>& value) {
    if (value) members_.emplace_back(key, json::Value(*value));
    return *this;
  }
  bool empty() const { return members_.empty(); }
  json::Value build() { return json::Value::object(std::move(members_)); }

 private:
  std::vector<json::Member> members_;
};

}  // namespace kelda::bag
