// Feeds arbitrary bytes to the property-list reader; whatever it accepts must write back out
// and read back to the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/PropertyList.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kelda::json::Value value = kelda::platform::propertyListFromXml(text);
  if (value.isAbsent()) return 0;
  if (auto xml = kelda::platform::propertyListToXml(value)) {
    if (!(kelda::platform::propertyListFromXml(*xml) == value)) std::abort();
  }
  return 0;
}
