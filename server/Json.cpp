#include "Json.hpp"

namespace kelda::server {

json::Value number(long long n) {
  return json::Value::numberFromText(std::to_string(n));
}

json::Value halfSteps(long long halves) {
  return json::Value::numberFromText(std::to_string(halves / 2) + (halves % 2 ? ".5" : ".0"));
}

std::string encode(const json::Value& value) {
  json::SBJsonWriter writer;
  writer.maxDepth = 0;
  auto text = writer.stringWithObject(value);
  return text ? std::move(*text) : std::string("{}");
}

json::Value decode(std::string_view text) {
  json::SBJsonParser parser;
  parser.maxDepth = 64;
  return parser.objectWithString(text);
}

}  // namespace kelda::server
