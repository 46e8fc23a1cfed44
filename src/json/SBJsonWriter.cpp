#include "json/Node.hpp"
#include "json/SBJson.hpp"
#include "json/Writer.hpp"

namespace kelda::json {

namespace {
constexpr std::size_t kInitialCapacity = 128;
}

std::optional<std::string> SBJsonWriter::stringWithFragment(const Value& value) {
  clearTrace();
  depth = 0;
  Writer writer({maxDepth, humanReadable, sortKeys});
  std::string out;
  out.reserve(kInitialCapacity);
  const Ref* root = ValueAccess::ref(value);
  bool ok = writer.write(root != nullptr ? *root : Ref(), out);
  depth = writer.depth();
  for (const auto& failure : writer.errors()) addError(failure.code, failure.description);
  if (!ok) return std::nullopt;
  return out;
}

std::optional<std::string> SBJsonWriter::stringWithObject(const Value& value) {
  if (value.isArray() || value.isObject()) return stringWithFragment(value);
  clearTrace();
  depth = 0;
  addError(4, "Not valid type for JSON");
  return std::nullopt;
}

std::optional<std::string> SBJsonWriter::stringWithObject(const JsonProxy& proxy) {
  return stringWithObject(proxy.proxyForJson());
}

std::optional<std::string> SBJsonWriter::stringWithFragment(const JsonProxy& proxy) {
  return stringWithFragment(proxy.proxyForJson());
}

}  // namespace kelda::json
