// Fuzzes the form decoding of request bodies: any bytes must decode without fault, and a value
// encoded the way the client encodes it ("%", "&" and "+" escaped) must come back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FormFields.hpp"

namespace {

std::string encodeValue(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '%')
      out += "%25";
    else if (c == '&')
      out += "%26";
    else if (c == '+')
      out += "%2B";
    else
      out += c;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto form = kelda::server::FormFields::parse(input);
  for (const auto& [name, value] : form.all()) {
    if (name.empty()) std::abort();
    (void)value;
  }
  (void)kelda::server::FormFields::decode(input);
  // Round trip: what the client encodes (blanks and other bytes travel raw) decodes exactly.
  const auto back = kelda::server::FormFields::parse("&x=" + encodeValue(input) + "&y=1");
  if (back.get("x") != input || back.get("y") != "1") std::abort();
  return 0;
}
