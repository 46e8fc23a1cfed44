// Small helpers for building and reading answers with the shared JSON codec: object builders,
// number texts, and one-line encoding/decoding. Any thread (each call uses its own reader or
// writer).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "json/SBJson.hpp"
#include "json/Value.hpp"

namespace kelda::server {

namespace json = kelda::json;

// Builds an object member by member, in order.
class ObjectBuilder {
 public:
  ObjectBuilder& add(std::string key, json::Value value) {
    members_.emplace_back(std::move(key), std::move(value));
    return *this;
  }
  json::Value build() { return json::Value::object(std::move(members_)); }

 private:
  std::vector<json::Member> members_;
};

// A number from an integer (kept as its exact decimal text).
json::Value number(long long n);
// A rating in half steps (0..10) as the number 0, 0.5, ... 5.
json::Value halfSteps(long long halves);
// Compact JSON text of an object or array ("{}" if the writer refuses it).
std::string encode(const json::Value& value);
// Parses a JSON text whose top level must be an object or array; absent when it is not JSON.
json::Value decode(std::string_view text);

}  // namespace kelda::server
