// PrefixObject: builds a JSON object from key/value pairs that ends at the first missing
// value; the pairs after it are left out. The bag's records and serialisations follow that
// rule. A local helper: build one per object, on one thread.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "json/Value.hpp"

namespace kelda::bag {

class PrefixObject {
 public:
  // Adds the pair unless a value was already missing; a missing value ends the object.
  PrefixObject& add(const char* key, const std::optional<std::string>& value) {
    if (!ended_ && value) {
      members_.emplace_back(key, json::Value(*value));
    } else {
      ended_ = true;
    }
    return *this;
  }
  bool empty() const { return members_.empty(); }
  json::Value build() { return json::Value::object(std::move(members_)); }

 private:
  std::vector<json::Member> members_;
  bool ended_ = false;
};

}  // namespace kelda::bag
