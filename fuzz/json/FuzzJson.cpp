// Reads arbitrary bytes; whatever is accepted must write (compact, human-readable, sorted) and
// read back to an equal value. Any failure must leave an error; no input may crash or hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "json/SBJson.hpp"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

void checkRoundTrip(const kelda::json::Value& value, bool pretty, bool sorted) {
  kelda::json::SBJsonWriter writer;
  writer.maxDepth = 0;
  writer.humanReadable = pretty;
  writer.sortKeys = sorted;
  auto text = writer.stringWithFragment(value);
  require(text.has_value() && writer.errorTrace().empty());
  kelda::json::SBJsonParser parser;
  parser.maxDepth = 0;
  require(parser.fragmentWithString(*text) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  kelda::json::SBJsonParser parser;
  if (size > 0 && data[size - 1] == '\n') parser.maxDepth = 0;  // also exercise no limit
  kelda::json::Value value = parser.fragmentWithString(text);
  if (value.isAbsent()) {
    require(parser.lastError() != nullptr);
    return 0;
  }
  require(parser.errorTrace().empty());
  kelda::json::Value object = parser.objectWithString(text);
  require(object.isAbsent() != (value.isArray() || value.isObject()));
  checkRoundTrip(value, false, false);
  checkRoundTrip(value, true, false);
  checkRoundTrip(value, false, true);
  (void)value.describe();
  (void)value.intValue();
  (void)value.doubleValue();
  return 0;
}
