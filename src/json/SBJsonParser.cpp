#include "json/Reader.hpp"
#include "json/SBJson.hpp"

namespace kelda::json {

Value SBJsonParser::fragmentWithString(std::string_view utf8) {
  clearTrace();
  depth = 0;
  // One reader per thread keeps its scratch buffers from one text to the next.
  thread_local Reader reader;
  Value value = reader.read(utf8, maxDepth);
  depth = reader.depth();
  for (const auto& failure : reader.errors()) addError(failure.code, failure.description);
  return value;
}

Value SBJsonParser::objectWithString(std::string_view utf8) {
  Value value = fragmentWithString(utf8);
  if (value.isAbsent() || value.isArray() || value.isObject()) return value;
  addError(4, "Valid fragment, but not JSON");
  return Value();
}

Value SBJsonParser::objectWithNil() {
  clearTrace();
  depth = 0;
  addError(12, "Input was 'nil'");
  return Value();
}

}  // namespace kelda::json
